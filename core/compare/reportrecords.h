#pragma once
// What a compare or combine run found, as records. The report lines are formatted from
// them word for word; the editor's jumps and markers and the tool's tsv and json read them,
// so a script never has to parse a sentence of the language file.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/app/language.h"

namespace tw {

class TTextGrid;

enum class ReportKind : uint8_t {
    // Compare.
    CellDifference,    // G 132 key - header - 133 (SG1's text) 134 (the other's text)
    OnlyInOther,       // G - 135 key: a numeric key only the other file has
    OnlyInFirst,       // G - 136 key: a numeric key only SG1 has
    OnlyInOtherByText, // G - 137 key: the same for keys ordered by their text
    OnlyInFirstByText, // G - 138 key
    // Combine.
    Conflict,        // 141 key - Column [c] - earlier files, G: (incoming) 142 (old)
    CellChanged,     // the cell-difference layout, for every merged cell
    RowAdded,        // G - 135 key
    AddedRowRemoved, // 143 key: a row an earlier file added is removed again
    RowRemoved,      // G - 144 key
    RowKept,         // G - 145 key
    // Beside the report: a key on more than one row of one file, where the side-by-side
    // walk pairs rows by position and its lines about that key may mislead.
    DuplicateKey,
};

// The kind as scripts see it: "cell-difference", "only-in-other", ...
const char* ReportKindName(ReportKind kind);
// Every kind but DuplicateKey is a line of the report.
inline bool IsReportLine(ReportKind kind) {
    return kind != ReportKind::DuplicateKey;
}
// Whether the record names a cell of SG1 other than the key (a column of its own).
inline bool NamesCell(ReportKind kind) {
    return kind == ReportKind::CellDifference || kind == ReportKind::Conflict ||
           kind == ReportKind::CellChanged;
}

// An earlier file that set a cell to another value than the one now merged.
struct EarlierValue {
    int Slot = 0;
    std::string Value; // lower-cased, as the change log keeps it
};

struct ReportRecord {
    ReportKind Kind = ReportKind::CellDifference;
    // The grid of the other file (2 to 5); for a duplicate key the grid of the file that
    // has it (1 to 5).
    int Slot = 0;
    std::string Key;
    int Column = -1;                   // data column of a cell record, -1 for a row
    std::string Header;                // SG1's caption of that column (row 0)
    std::string First;                 // SG1's text of the cell before the line
    std::string Other;                 // the other file's text
    std::string Old;                   // conflict: the cell's text before the run's first change
    std::vector<EarlierValue> Earlier; // conflict: the files it contradicts, in line order
    // The row of SG1 the line is about as the run leaves SG1 (1 is the first data row),
    // -1 when SG1 has no such row (a row only in another file, a removed row).
    int Row = -1;
    int Count = 0; // duplicate key: rows of its file that carry the key
};

// The records of one run, kept compactly: a combine of large tables reports hundreds of
// thousands of lines, and the records must cost little beside the walk. A record is
// handed out as a ReportRecord of its own.
class ReportRun {
  public:
    std::string Mode;               // "compare" or "combine"; empty before the first run
    std::vector<std::string> Files; // the run's paths by slot - 1 (the picks are gone after it)
    // Off, a run formats its lines but keeps no records and looks for no duplicate keys
    // (what a run costs without them).
    bool Keep = true;

    void Clear();
    // Starts the report of a run over the picked files.
    template <typename Paths> void Start(const char* mode, const Paths& paths) {
        Clear();
        Mode = mode;
        Files.assign(paths.begin(), paths.end());
    }
    // The path of a slot's file, empty when it had none.
    const std::string& FileOf(int slot) const;

    // Duplicate keys first (they are noticed before the walks), then one record per
    // report line in the order of the lines.
    void Append(const ReportRecord& record);
    size_t Count() const { return Items.size(); }
    bool Empty() const { return Items.empty(); }
    ReportRecord Record(size_t index) const;
    ReportKind KindOf(size_t index) const { return Items[index].Kind; }
    int RowOf(size_t index) const { return Items[index].Row; }
    int ColumnOf(size_t index) const { return Items[index].Column; }
    std::string_view KeyOf(size_t index) const {
        return std::string_view(Texts).substr(Items[index].Start, Items[index].Lengths[0]);
    }
    void SetRow(size_t index, int row) { Items[index].Row = row; }
    int LineCount() const { return static_cast<int>(Items.size()) - Duplicates; }
    int DuplicateKeyCount() const { return Duplicates; }

  private:
    struct Item {
        ReportKind Kind;
        uint8_t Slot;
        int32_t Column, Row, Count;
        uint32_t Lengths[5]; // key, header, first, other, old: one after another in Texts
        size_t Start;
        uint32_t EarlierStart, EarlierCount; // in Earlier
    };
    std::vector<Item> Items;
    std::string Texts;
    std::vector<EarlierValue> Earlier;
    int Duplicates = 0;
};

// The report line of a record, as the run wrote it; empty for a duplicate key.
std::string ReportLine(const LanguageTable& language, const ReportRecord& record);

// The warning about a duplicate key for one file, one line ("file: key ..."), from the
// added texts.
std::string DuplicateKeyWarning(const LanguageTable& language, const ReportRecord& record,
                                const std::string& path);
// The editor's status text after a run with duplicate keys: how many, and the first few.
// Empty when there are none.
std::string DuplicateKeysStatus(const LanguageTable& language, const ReportRun& run);

// Where a record lies in SG1 as it stands now (rows may have moved since the run).
struct ReportPlace {
    enum Kind {
        Cell,          // Row and Column name a shown cell
        OnlyElsewhere, // SG1 has no row of the key: it is only in another file, or removed
        HiddenRow,     // the key's row is hidden
        HiddenColumn,  // the row is shown, the column hidden (Row names the row, Column 0)
    };
    Kind Where = OnlyElsewhere;
    int Row = -1;    // display row
    int Column = -1; // display column
};
ReportPlace LocateRecord(const TTextGrid& sg1, const ReportRecord& record);

// The cells of SG1 a report names, by key and data column, so a marker follows its cell
// when rows are sorted, inserted or deleted.
class ReportMarkers {
  public:
    void Build(const ReportRun& run);
    void Clear() { Keys.clear(); }
    bool Empty() const { return Keys.empty(); }
    bool Marked(std::string_view key, int dataCol) const;

  private:
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    // Sorted data columns per key.
    std::unordered_map<std::string, std::vector<int>, KeyHash, std::equal_to<>> Keys;
};

} // namespace tw
