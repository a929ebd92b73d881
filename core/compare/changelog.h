#pragma once
// The change log of one combine run: entries numbered in the order they are made, each for
// an identifier, either a cell of a key ("<column>,<key>") or a row added to SG1
// ("add<key>"). Every question the merge asks is about one identifier, so each key keeps
// the number of its "add" entries and, per column, its last entry; each entry links to the
// previous entry of its identifier. Nothing scans the whole log.
//
// An added row makes an entry for every column, most of which never get a text, so an
// entry is a few numbers and its texts (old value, the four grids' values and marks) live
// apart, made when the first of them is set.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tw {

class ChangeLog {
  public:
    // Grid index 0..3 stands for SG2..SG5.
    static size_t GridIndex(int slot) { return static_cast<size_t>(slot - 2); }

    // What the log holds about one key.
    class KeyLog {
      public:
        int AddedRows() const { return Added; }
        // The key's last entry for the cell in `column`, -1 when there is none.
        int LastEntry(int column) const;

      private:
        friend class ChangeLog;
        int Index = 0;
        int Added = 0;
        // (column, last entry) while the key has few cells, then by column: merged rows
        // touch a handful of cells, added rows all of them.
        std::vector<std::pair<int32_t, int32_t>> Few;
        std::vector<int32_t> ByColumn;
        void SetLast(int column, int entry);
    };

    void Clear();
    // Entries made in this run, of every identifier (ChangeCount).
    int ChangeCount() const { return static_cast<int>(Entries.size()); }

    // The key's record, made when the key has none yet.
    KeyLog& Key(std::string_view key);
    // Appends an entry for the key's cell and returns its number (counting from 0).
    int AppendCellEntry(KeyLog& key, int column);
    void AppendAddedRow(KeyLog& key);
    // How many "add" entries the key has.
    int AddedRowEntries(std::string_view key) const;
    // The entries of a cell in the order they were made.
    void CellEntries(const KeyLog& key, int column, std::vector<int>& out) const;

    // The texts of entry `e`: SG1's text before its first change (empty until set), and
    // what grid 0..3 gave the cell (lower-cased) with whether it gave one.
    std::string_view OldValue(int e) const { return Field(e, 0); }
    std::string_view Value(int e, size_t grid) const { return Field(e, grid + 1); }
    bool Marked(int e, size_t grid) const;
    void SetOldValue(int e, std::string_view text) { SetField(e, 0, text); }
    void SetValue(int e, size_t grid, std::string_view text) { SetField(e, grid + 1, text); }
    void Mark(int e, size_t grid);

    // The identifier of an entry as text ("3,100", "add100"), for inspection.
    std::string Identifier(int e) const;

  private:
    struct Entry {
        int32_t Key;
        int32_t Column;   // -1 for an "add" entry
        int32_t Previous; // of the same identifier, -1 for none
        int32_t Texts;    // into Texts, -1 while it has none
    };
    struct EntryTexts {
        uint8_t Marks = 0;
        uint32_t Lengths[4] = {}; // of fields 0..3; field 4 is the rest
        std::string Fields;       // old value and the four grids' values, one after another
    };
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, KeyLog, KeyHash, std::equal_to<>> Keys;
    std::vector<const std::string*> KeyNames; // by KeyLog::Index
    std::deque<Entry> Entries;
    std::deque<EntryTexts> Texts;

    std::string_view Field(int e, size_t field) const;
    void SetField(int e, size_t field, std::string_view text);
    EntryTexts& TextsOf(int e);
};

} // namespace tw
