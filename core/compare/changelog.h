#pragma once
// The change log of one combine run: entries numbered in the order they are made, each for
// an identifier, either a cell of a key ("<column>,<key>") or a row added to SG1
// ("add<key>"). Every question the merge asks is about one identifier, so each key keeps
// the number of its "add" entries and, per column, its last entry; each entry links to the
// previous entry of its identifier. Nothing scans the whole log.
//
// Added rows make an entry for every column, so entries are kept small: the five texts of
// an entry share one buffer.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

class ChangeEntry {
  public:
    static size_t GridIndex(int slot) { return static_cast<size_t>(slot - 2); }

    int Column() const { return ColumnNumber; } // -1 for an "add" entry
    int KeyIndex() const { return Key; }
    int Previous() const { return PreviousEntry; } // of the same identifier, -1 for none

    // SG1's text before the entry's first change (empty until set).
    std::string_view OldValue() const { return Field(0); }
    // What SG2..SG5 (grid 0..3) gave the cell, lower-cased, and whether they gave one.
    std::string_view Value(size_t grid) const { return Field(grid + 1); }
    bool Marked(size_t grid) const { return (Marks >> grid) & 1u; }

    void SetOldValue(std::string_view text) { SetField(0, text); }
    void SetValue(size_t grid, std::string_view text) { SetField(grid + 1, text); }
    void Mark(size_t grid) { Marks = static_cast<uint8_t>(Marks | (1u << grid)); }

  private:
    friend class ChangeLog;
    int32_t Key = 0;
    int32_t ColumnNumber = 0;
    int32_t PreviousEntry = -1;
    uint8_t Marks = 0;
    std::array<uint32_t, 4> Lengths{}; // of fields 0..3; field 4 is the rest
    std::string Fields;

    size_t Offset(size_t field) const {
        size_t offset = 0;
        for (size_t f = 0; f < field; ++f)
            offset += Lengths[f];
        return offset;
    }
    std::string_view Field(size_t field) const {
        size_t begin = Offset(field);
        size_t length = field < 4 ? Lengths[field] : Fields.size() - begin;
        return std::string_view(Fields).substr(begin, length);
    }
    void SetField(size_t field, std::string_view text) {
        size_t begin = Offset(field);
        size_t length = field < 4 ? Lengths[field] : Fields.size() - begin;
        Fields.replace(begin, length, text);
        if (field < 4)
            Lengths[field] = static_cast<uint32_t>(text.size());
    }
};

class ChangeLog {
  public:
    // What the log holds about one key.
    class KeyLog {
      public:
        int AddedRows() const { return Added; }
        // The key's last entry for the cell in `column`, -1 when there is none.
        int LastEntry(int column) const {
            return column >= 0 && column < static_cast<int>(Last.size())
                       ? Last[static_cast<size_t>(column)]
                       : -1;
        }

      private:
        friend class ChangeLog;
        int Index = 0;
        int Added = 0;
        std::vector<int32_t> Last;
    };

    void Clear();
    // Entries made in this run, of every identifier (ChangeCount).
    int ChangeCount() const { return static_cast<int>(Entries.size()); }
    ChangeEntry& Entry(int index) { return Entries[static_cast<size_t>(index)]; }
    const ChangeEntry& Entry(int index) const { return Entries[static_cast<size_t>(index)]; }

    // The key's record, made when the key has none yet.
    KeyLog& Key(std::string_view key);
    // Appends an entry for the key's cell and returns its number (counting from 0).
    int AppendCellEntry(KeyLog& key, int column);
    void AppendAddedRow(KeyLog& key);
    // How many "add" entries the key has.
    int AddedRowEntries(std::string_view key) const;
    // The entries of a cell in the order they were made.
    void CellEntries(const KeyLog& key, int column, std::vector<int>& out) const;

    // The identifier of an entry as text ("3,100", "add100"), for inspection.
    std::string Identifier(int index) const;

  private:
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, KeyLog, KeyHash, std::equal_to<>> Keys;
    std::vector<const std::string*> KeyNames; // by KeyLog::Index
    std::vector<ChangeEntry> Entries;
};

} // namespace tw
