#pragma once
// The change log of one combine run. Each entry belongs to an identifier: a cell of a key
// ("<column>,<key>") or a row added to SG1 ("add<key>"). Every question the merge asks of
// the log is about one identifier, so the entries are kept per identifier, in the order
// they were made, and nothing ever scans the whole log.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

struct ChangeEntry {
    std::string OldValue;                // SG1's text before the entry's first change
    std::array<std::string, 4> Values;   // what SG2..SG5 gave the cell, lower-cased
    std::array<bool, 4> Marks{};         // whether SG2..SG5 gave a value for this entry

    static size_t GridIndex(int slot) { return static_cast<size_t>(slot - 2); }
};

class ChangeLog {
public:
    void Clear();
    // Entries made in this run, of every identifier (ChangeCount).
    int ChangeCount() const { return Count; }

    // The entries of a cell in the order they were made; empty when there are none.
    const std::vector<ChangeEntry>& CellEntries(int column, std::string_view key) const;
    // Appends an entry for a cell and returns it (valid until the next append for that cell).
    ChangeEntry& AppendCellEntry(int column, std::string_view key);
    // Same as CellEntries, for changing the entries of a key that has them.
    std::vector<ChangeEntry>* MutableCellEntries(int column, std::string_view key);

    void AppendAddedRow(std::string_view key);
    // How many "add" entries the key has.
    int AddedRowEntries(std::string_view key) const;

    // Every identifier with its entries, for inspection (order of identifiers unspecified).
    std::vector<std::pair<std::string, std::vector<ChangeEntry>>> Identifiers() const;

private:
    struct KeyRecord {
        int AddedRows = 0;
        std::vector<std::vector<ChangeEntry>> Columns;
    };
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, KeyRecord, KeyHash, std::equal_to<>> Keys;
    int Count = 0;

    KeyRecord& Record(std::string_view key);
};

} // namespace tw
