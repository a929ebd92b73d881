#include "core/compare/changelog.h"

namespace tw {

namespace {
const std::vector<ChangeEntry> NoEntries;
}

void ChangeLog::Clear() {
    Keys.clear();
    Count = 0;
}

ChangeLog::KeyRecord& ChangeLog::Record(std::string_view key) {
    auto it = Keys.find(key);
    if (it == Keys.end()) it = Keys.emplace(std::string(key), KeyRecord{}).first;
    return it->second;
}

const std::vector<ChangeEntry>& ChangeLog::CellEntries(int column, std::string_view key) const {
    auto it = Keys.find(key);
    if (it == Keys.end() || column < 0 || column >= static_cast<int>(it->second.Columns.size()))
        return NoEntries;
    return it->second.Columns[static_cast<size_t>(column)];
}

std::vector<ChangeEntry>* ChangeLog::MutableCellEntries(int column, std::string_view key) {
    auto it = Keys.find(key);
    if (it == Keys.end() || column < 0 || column >= static_cast<int>(it->second.Columns.size()))
        return nullptr;
    return &it->second.Columns[static_cast<size_t>(column)];
}

ChangeEntry& ChangeLog::AppendCellEntry(int column, std::string_view key) {
    KeyRecord& record = Record(key);
    if (static_cast<int>(record.Columns.size()) <= column) record.Columns.resize(static_cast<size_t>(column) + 1);
    ++Count;
    return record.Columns[static_cast<size_t>(column)].emplace_back();
}

void ChangeLog::AppendAddedRow(std::string_view key) {
    ++Record(key).AddedRows;
    ++Count;
}

int ChangeLog::AddedRowEntries(std::string_view key) const {
    auto it = Keys.find(key);
    return it == Keys.end() ? 0 : it->second.AddedRows;
}

std::vector<std::pair<std::string, std::vector<ChangeEntry>>> ChangeLog::Identifiers() const {
    std::vector<std::pair<std::string, std::vector<ChangeEntry>>> out;
    for (const auto& [key, record] : Keys) {
        if (record.AddedRows > 0) out.emplace_back("add" + key, std::vector<ChangeEntry>(static_cast<size_t>(record.AddedRows)));
        for (size_t c = 0; c < record.Columns.size(); ++c)
            if (!record.Columns[c].empty()) out.emplace_back(std::to_string(c) + "," + key, record.Columns[c]);
    }
    return out;
}

} // namespace tw
