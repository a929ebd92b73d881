#include "core/compare/changelog.h"

#include <algorithm>

namespace tw {

namespace {
constexpr size_t FewCells = 16;
}

int ChangeLog::KeyLog::LastEntry(int column) const {
    if (!ByColumn.empty())
        return column >= 0 && column < static_cast<int>(ByColumn.size())
                   ? ByColumn[static_cast<size_t>(column)]
                   : -1;
    for (const auto& [c, entry] : Few)
        if (c == column)
            return entry;
    return -1;
}

void ChangeLog::KeyLog::SetLast(int column, int entry) {
    if (ByColumn.empty()) {
        for (auto& [c, last] : Few) {
            if (c == column) {
                last = entry;
                return;
            }
        }
        if (Few.size() < FewCells) {
            Few.emplace_back(column, entry);
            return;
        }
        for (const auto& [c, last] : Few) {
            if (static_cast<int>(ByColumn.size()) <= c)
                ByColumn.resize(static_cast<size_t>(c) + 1, -1);
            ByColumn[static_cast<size_t>(c)] = last;
        }
        Few.clear();
        Few.shrink_to_fit();
    }
    if (static_cast<int>(ByColumn.size()) <= column)
        ByColumn.resize(static_cast<size_t>(column) + 1, -1);
    ByColumn[static_cast<size_t>(column)] = entry;
}

void ChangeLog::Clear() {
    Keys.clear();
    KeyNames.clear();
    Entries.clear();
    Texts.clear();
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
    int index = ChangeCount();
    Entries.push_back(Entry{key.Index, column, key.LastEntry(column), -1});
    key.SetLast(column, index);
    return index;
}

void ChangeLog::AppendAddedRow(KeyLog& key) {
    ++key.Added;
    Entries.push_back(Entry{key.Index, -1, -1, -1});
}

int ChangeLog::AddedRowEntries(std::string_view key) const {
    auto it = Keys.find(key);
    return it == Keys.end() ? 0 : it->second.Added;
}

void ChangeLog::CellEntries(const KeyLog& key, int column, std::vector<int>& out) const {
    out.clear();
    for (int e = key.LastEntry(column); e >= 0; e = Entries[static_cast<size_t>(e)].Previous)
        out.push_back(e);
    std::reverse(out.begin(), out.end());
}

bool ChangeLog::Marked(int e, size_t grid) const {
    int32_t texts = Entries[static_cast<size_t>(e)].Texts;
    return texts >= 0 && ((Texts[static_cast<size_t>(texts)].Marks >> grid) & 1u);
}

void ChangeLog::Mark(int e, size_t grid) {
    EntryTexts& texts = TextsOf(e);
    texts.Marks = static_cast<uint8_t>(texts.Marks | (1u << grid));
}

ChangeLog::EntryTexts& ChangeLog::TextsOf(int e) {
    Entry& entry = Entries[static_cast<size_t>(e)];
    if (entry.Texts < 0) {
        entry.Texts = static_cast<int32_t>(Texts.size());
        Texts.emplace_back();
    }
    return Texts[static_cast<size_t>(entry.Texts)];
}

std::string_view ChangeLog::Field(int e, size_t field) const {
    int32_t index = Entries[static_cast<size_t>(e)].Texts;
    if (index < 0)
        return {};
    const EntryTexts& texts = Texts[static_cast<size_t>(index)];
    size_t begin = 0;
    for (size_t f = 0; f < field; ++f)
        begin += texts.Lengths[f];
    size_t length = field < 4 ? texts.Lengths[field] : texts.Fields.size() - begin;
    return std::string_view(texts.Fields).substr(begin, length);
}

void ChangeLog::SetField(int e, size_t field, std::string_view text) {
    EntryTexts& texts = TextsOf(e);
    size_t begin = 0;
    for (size_t f = 0; f < field; ++f)
        begin += texts.Lengths[f];
    size_t length = field < 4 ? texts.Lengths[field] : texts.Fields.size() - begin;
    texts.Fields.replace(begin, length, text);
    if (field < 4)
        texts.Lengths[field] = static_cast<uint32_t>(text.size());
}

std::string ChangeLog::Identifier(int e) const {
    const Entry& entry = Entries[static_cast<size_t>(e)];
    const std::string& key = *KeyNames[static_cast<size_t>(entry.Key)];
    return entry.Column < 0 ? "add" + key : std::to_string(entry.Column) + "," + key;
}

} // namespace tw
