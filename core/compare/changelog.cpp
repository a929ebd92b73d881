#include "core/compare/changelog.h"

#include <algorithm>

namespace tw {

void ChangeLog::Clear() {
    Keys.clear();
    KeyNames.clear();
    Entries.clear();
}

ChangeLog::KeyLog& ChangeLog::Key(std::string_view key) {
    auto it = Keys.find(key);
    if (it == Keys.end()) {
        it = Keys.emplace(std::string(key), KeyLog{}).first;
        it->second.Index = static_cast<int>(KeyNames.size());
        KeyNames.push_back(&it->first);
    }
    return it->second;
}

int ChangeLog::AppendCellEntry(KeyLog& key, int column) {
    if (static_cast<int>(key.Last.size()) <= column)
        key.Last.resize(static_cast<size_t>(column) + 1, -1);
    ChangeEntry& entry = Entries.emplace_back();
    entry.Key = key.Index;
    entry.ColumnNumber = column;
    entry.PreviousEntry = key.Last[static_cast<size_t>(column)];
    int index = ChangeCount() - 1;
    key.Last[static_cast<size_t>(column)] = index;
    return index;
}

void ChangeLog::AppendAddedRow(KeyLog& key) {
    ++key.Added;
    ChangeEntry& entry = Entries.emplace_back();
    entry.Key = key.Index;
    entry.ColumnNumber = -1;
}

int ChangeLog::AddedRowEntries(std::string_view key) const {
    auto it = Keys.find(key);
    return it == Keys.end() ? 0 : it->second.Added;
}

void ChangeLog::CellEntries(const KeyLog& key, int column, std::vector<int>& out) const {
    out.clear();
    for (int e = key.LastEntry(column); e >= 0; e = Entries[static_cast<size_t>(e)].PreviousEntry)
        out.push_back(e);
    std::reverse(out.begin(), out.end());
}

std::string ChangeLog::Identifier(int index) const {
    const ChangeEntry& entry = Entry(index);
    const std::string& key = *KeyNames[static_cast<size_t>(entry.Key)];
    return entry.ColumnNumber < 0 ? "add" + key : std::to_string(entry.ColumnNumber) + "," + key;
}

} // namespace tw
