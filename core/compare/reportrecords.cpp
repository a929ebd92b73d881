#include "core/compare/reportrecords.h"

#include <algorithm>

#include "core/grid/textgrid.h"

namespace tw {

namespace {

std::string GridName(int slot) {
    return "SG" + std::to_string(slot);
}

// "G - <text> <key>", the shape of the row lines.
std::string RowLine(const LanguageTable& language, int slot, int text, std::string_view key) {
    std::string line = GridName(slot) + " - " + language.Text(text) + " ";
    line += key;
    return line;
}

std::string CellLine(const LanguageTable& language, const ReportRecord& r) {
    std::string line = GridName(r.Slot);
    line += ' ';
    line += language.Text(132);
    line += ' ';
    line += r.Key;
    line += " - ";
    line += r.Header;
    line += " - ";
    line += language.Text(133);
    line += " (";
    line += r.First;
    line += ") ";
    line += language.Text(134);
    line += " (";
    line += r.Other;
    line += ')';
    return line;
}

std::string ConflictLine(const LanguageTable& language, const ReportRecord& r) {
    std::string line =
        language.Text(141) + " " + r.Key + " - Column [" + std::to_string(r.Column) + "] - ";
    for (const EarlierValue& earlier : r.Earlier) {
        line += GridName(earlier.Slot) + ": (";
        line += earlier.Value;
        line += ") ";
    }
    line += GridName(r.Slot) + ": (";
    line += r.Other;
    line += ") " + language.Text(142) + " (";
    line += r.Old;
    line += ") ";
    return line;
}

} // namespace

const char* ReportKindName(ReportKind kind) {
    switch (kind) {
    case ReportKind::CellDifference:
        return "cell-difference";
    case ReportKind::OnlyInOther:
        return "only-in-other";
    case ReportKind::OnlyInFirst:
        return "only-in-first";
    case ReportKind::OnlyInOtherByText:
        return "only-in-other-text-key";
    case ReportKind::OnlyInFirstByText:
        return "only-in-first-text-key";
    case ReportKind::Conflict:
        return "conflict";
    case ReportKind::CellChanged:
        return "cell-changed";
    case ReportKind::RowAdded:
        return "row-added";
    case ReportKind::AddedRowRemoved:
        return "added-row-removed";
    case ReportKind::RowRemoved:
        return "row-removed";
    case ReportKind::RowKept:
        return "row-kept";
    case ReportKind::DuplicateKey:
        return "duplicate-key";
    }
    return "";
}

const std::string& ReportRun::FileOf(int slot) const {
    static const std::string none;
    return slot >= 1 && slot <= static_cast<int>(Files.size())
               ? Files[static_cast<size_t>(slot - 1)]
               : none;
}

void ReportRun::Clear() {
    Mode.clear();
    Files.clear();
    Items.clear();
    Texts.clear();
    Earlier.clear();
    Duplicates = 0;
}

void ReportRun::Append(const ReportRecord& r) {
    Item item;
    item.Kind = r.Kind;
    item.Slot = static_cast<uint8_t>(r.Slot);
    item.Column = r.Column;
    item.Row = r.Row;
    item.Count = r.Count;
    item.Start = Texts.size();
    const std::string* texts[5] = {&r.Key, &r.Header, &r.First, &r.Other, &r.Old};
    size_t total = 0;
    for (size_t k = 0; k < 5; ++k) {
        item.Lengths[k] = static_cast<uint32_t>(texts[k]->size());
        total += texts[k]->size();
    }
    // One growth per record: this runs once for every line of a large merge.
    Texts.resize(item.Start + total);
    char* at = Texts.data() + item.Start;
    for (const std::string* text : texts) {
        std::copy(text->begin(), text->end(), at);
        at += text->size();
    }
    item.EarlierStart = static_cast<uint32_t>(Earlier.size());
    item.EarlierCount = static_cast<uint32_t>(r.Earlier.size());
    if (!r.Earlier.empty())
        Earlier.insert(Earlier.end(), r.Earlier.begin(), r.Earlier.end());
    Items.push_back(item);
    if (r.Kind == ReportKind::DuplicateKey)
        ++Duplicates;
}

ReportRecord ReportRun::Record(size_t index) const {
    const Item& item = Items[index];
    ReportRecord r;
    r.Kind = item.Kind;
    r.Slot = item.Slot;
    r.Column = item.Column;
    r.Row = item.Row;
    r.Count = item.Count;
    std::string* texts[5] = {&r.Key, &r.Header, &r.First, &r.Other, &r.Old};
    size_t at = item.Start;
    for (size_t k = 0; k < 5; ++k) {
        texts[k]->assign(Texts, at, item.Lengths[k]);
        at += item.Lengths[k];
    }
    r.Earlier.assign(Earlier.begin() + item.EarlierStart,
                     Earlier.begin() + item.EarlierStart + item.EarlierCount);
    return r;
}

std::string ReportLine(const LanguageTable& language, const ReportRecord& record) {
    switch (record.Kind) {
    case ReportKind::CellDifference:
    case ReportKind::CellChanged:
        return CellLine(language, record);
    case ReportKind::OnlyInOther:
    case ReportKind::RowAdded:
        return RowLine(language, record.Slot, 135, record.Key);
    case ReportKind::OnlyInFirst:
        return RowLine(language, record.Slot, 136, record.Key);
    case ReportKind::OnlyInOtherByText:
        return RowLine(language, record.Slot, 137, record.Key);
    case ReportKind::OnlyInFirstByText:
        return RowLine(language, record.Slot, 138, record.Key);
    case ReportKind::Conflict:
        return ConflictLine(language, record);
    case ReportKind::AddedRowRemoved:
        return language.Text(143) + " " + record.Key;
    case ReportKind::RowRemoved:
        return RowLine(language, record.Slot, 144, record.Key);
    case ReportKind::RowKept:
        return RowLine(language, record.Slot, 145, record.Key);
    case ReportKind::DuplicateKey:
        break;
    }
    return {};
}

std::string DuplicateKeyWarning(const LanguageTable& language, const ReportRecord& record,
                                const std::string& path) {
    return FormatText(language.Added("duplicatekey"),
                      {path, record.Key, std::to_string(record.Count)});
}

std::string DuplicateKeysStatus(const LanguageTable& language, const ReportRun& run) {
    // A key doubled in two files is one key to the user.
    std::vector<std::string> keys;
    for (size_t k = 0; k < run.Count() && run.KindOf(k) == ReportKind::DuplicateKey; ++k) {
        std::string key = run.Record(k).Key;
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(std::move(key));
    }
    if (keys.empty())
        return {};
    constexpr size_t Shown = 5;
    std::string named;
    for (size_t k = 0; k < keys.size() && k < Shown; ++k) {
        if (k > 0)
            named += ", ";
        named += keys[k];
    }
    if (keys.size() > Shown)
        named += ", ...";
    return FormatText(language.Added("duplicatekeys"), {std::to_string(keys.size()), named});
}

ReportPlace LocateRecord(const TTextGrid& sg1, const ReportRecord& record) {
    ReportPlace place;
    if (record.Row < 0 && record.Kind != ReportKind::DuplicateKey)
        return place;
    // The row the run left the key in, unless rows have moved since; then the first row
    // with the key.
    const int last = sg1.RowCount() - 2; // before the spare row
    int row = -1;
    if (record.Row >= 1 && record.Row <= last && sg1.Cell(0, record.Row) == record.Key) {
        row = record.Row;
    } else {
        for (int r = 1; r <= last; ++r) {
            if (sg1.Cell(0, r) == record.Key) {
                row = r;
                break;
            }
        }
    }
    if (row < 0) {
        for (const HiddenRowRecord& hidden : sg1.HiddenRows()) {
            if (hidden.Cells.Cell(0) == record.Key) {
                place.Where = ReportPlace::HiddenRow;
                return place;
            }
        }
        return place;
    }
    place.Row = row;
    const int dataCol = NamesCell(record.Kind) ? record.Column : 0;
    if (sg1.IsColumnHidden(dataCol)) {
        place.Where = ReportPlace::HiddenColumn;
        place.Column = 0;
        return place;
    }
    place.Where = ReportPlace::Cell;
    place.Column = sg1.DisplayColumnOf(dataCol);
    return place;
}

void ReportMarkers::Build(const ReportRun& run) {
    Keys.clear();
    for (size_t k = 0; k < run.Count(); ++k) {
        if (run.RowOf(k) < 0)
            continue; // nothing of SG1 to mark
        const int column = NamesCell(run.KindOf(k)) ? run.ColumnOf(k) : 0;
        auto found = Keys.find(run.KeyOf(k));
        if (found == Keys.end())
            found = Keys.emplace(std::string(run.KeyOf(k)), std::vector<int>()).first;
        found->second.push_back(column);
    }
    for (auto& [key, columns] : Keys) {
        std::sort(columns.begin(), columns.end());
        columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    }
}

bool ReportMarkers::Marked(std::string_view key, int dataCol) const {
    auto found = Keys.find(key);
    return found != Keys.end() &&
           std::binary_search(found->second.begin(), found->second.end(), dataCol);
}

} // namespace tw
