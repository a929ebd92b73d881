#include "core/compare/reportrecords.h"

#include <algorithm>

#include "core/grid/textgrid.h"

namespace tw {

namespace {

std::string GridName(int slot) { return "SG" + std::to_string(slot); }

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
    return slot >= 1 && slot <= static_cast<int>(Files.size()) ? Files[static_cast<size_t>(slot - 1)]
                                                               : none;
}

int ReportRun::LineCount() const {
    return static_cast<int>(Records.size()) - DuplicateKeyCount();
}

int ReportRun::DuplicateKeyCount() const {
    // Duplicate keys stand before the lines.
    int count = 0;
    while (count < static_cast<int>(Records.size()) &&
           Records[static_cast<size_t>(count)].Kind == ReportKind::DuplicateKey)
        ++count;
    return count;
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
    std::vector<std::string_view> keys;
    for (const ReportRecord& record : run.Records) {
        if (record.Kind != ReportKind::DuplicateKey)
            break;
        if (std::find(keys.begin(), keys.end(), record.Key) == keys.end())
            keys.push_back(record.Key);
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
    for (const ReportRecord& record : run.Records) {
        if (record.Row < 0)
            continue; // nothing of SG1 to mark
        const int column = NamesCell(record.Kind) ? record.Column : 0;
        Keys[record.Key].push_back(column);
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
