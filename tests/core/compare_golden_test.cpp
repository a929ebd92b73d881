// Compare and combine cases kept as folders: the input files file1.tab..file5.tab, the
// expected report lines (expected.txt, which the run's records must tell as well), for
// combine the merged table (merged.tab) and the run's options (options: "no-remove-rows",
// "show-messages"), for compare optionally SG1 as the run leaves it (sg1.tab). Texts are "T<N>" so
// that every line can be checked; the header row holds the loader's default captions ("T65 2",
// ...).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compare_support.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
#include "core/compare/reportrecords.h"
#include "core/document/loader.h"
#include "tests/core/support/expected_lines.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The data rows as Save writes a tab table: every column, joined by TAB.
std::vector<std::string> DataLines(const TTextGrid& grid) {
    std::vector<std::string> lines;
    for (int r = 1; r <= grid.RowCount() - 2; ++r) {
        std::string line;
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (c > 0)
                line += '\t';
            line += grid.Cell(c, r);
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> CaseFolders(const std::string& kind) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(TABWRIGHT_TEST_DATA) / kind))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

EditorState LoadCase(const fs::path& folder) {
    EditorState state;
    testing::UseNumberedTexts(state);
    Feedback quiet;
    for (int slot = 1; slot <= 5; ++slot) {
        fs::path file = folder / ("file" + std::to_string(slot) + ".tab");
        if (!fs::exists(file))
            break;
        // As "Go With Selected" loads them: no backup, no settings, no descriptions.
        LoadOptions options;
        options.MakeBackup = false;
        options.WriteSettings = false;
        options.ReadDescriptions = false;
        state.BatchActive = true;
        EXPECT_TRUE(LoadTable(state, file.string(), slot, quiet, options).Ok) << file;
        state.BatchActive = false;
        state.SelectedFiles[static_cast<size_t>(slot - 1)] = file.string();
    }
    std::vector<std::string> options = ExpectedLines(ReadText(folder / "options"));
    auto has = [&](const char* option) {
        return std::find(options.begin(), options.end(), option) != options.end();
    };
    state.RemoveRows = !has("no-remove-rows");
    state.ShowCombineMessages = has("show-messages");
    return state;
}

// The line a record stands for, composed from its fields alone in the numbered language,
// one layout per kind.
std::string LineFromFields(const ReportRecord& r) {
    const std::string g = "SG" + std::to_string(r.Slot);
    switch (r.Kind) {
    case ReportKind::CellDifference:
    case ReportKind::CellChanged:
        return g + " T132 " + r.Key + " - " + r.Header + " - T133 (" + r.First + ") T134 (" +
               r.Other + ")";
    case ReportKind::OnlyInOther:
    case ReportKind::RowAdded:
        return g + " - T135 " + r.Key;
    case ReportKind::OnlyInFirst:
        return g + " - T136 " + r.Key;
    case ReportKind::OnlyInOtherByText:
        return g + " - T137 " + r.Key;
    case ReportKind::OnlyInFirstByText:
        return g + " - T138 " + r.Key;
    case ReportKind::RowRemoved:
        return g + " - T144 " + r.Key;
    case ReportKind::RowKept:
        return g + " - T145 " + r.Key;
    case ReportKind::AddedRowRemoved:
        return "T143 " + r.Key;
    case ReportKind::Conflict: {
        std::string line = "T141 " + r.Key + " - Column [" + std::to_string(r.Column) + "] - ";
        for (const EarlierValue& e : r.Earlier)
            line += "SG" + std::to_string(e.Slot) + ": (" + e.Value + ") ";
        return line + g + ": (" + r.Other + ") T142 (" + r.Old + ") ";
    }
    case ReportKind::DuplicateKey:
        break;
    }
    return "(duplicate key " + r.Key + ")";
}

// Every record of the run against the report lines and against SG1 as the run left it:
// the fields say what the line says, and a record's row holds its key (for a compare,
// also the cell's text).
void ExpectRecordsOfLines(const EditorState& state, const std::vector<std::string>& lines) {
    const ReportRun& run = state.LastReport;
    const TTextGrid& sg1 = state.SG1();
    std::vector<std::string> fromFields;
    for (size_t k = 0; k < run.Count(); ++k) {
        const ReportRecord r = run.Record(k);
        if (r.Kind == ReportKind::DuplicateKey)
            continue;
        fromFields.push_back(LineFromFields(r));
        const bool gone = r.Kind == ReportKind::OnlyInOther ||
                          r.Kind == ReportKind::OnlyInOtherByText ||
                          r.Kind == ReportKind::RowRemoved || r.Kind == ReportKind::AddedRowRemoved;
        if (gone) {
            EXPECT_EQ(r.Row, -1) << fromFields.back();
            continue;
        }
        if (run.Mode == "compare") {
            EXPECT_GE(r.Row, 1) << fromFields.back();
        }
        if (r.Row < 1)
            continue; // a row a later file of a combine removed
        EXPECT_EQ(sg1.Cell(0, r.Row), r.Key) << fromFields.back();
        if (NamesCell(r.Kind)) {
            EXPECT_EQ(sg1.Cell(r.Column, 0), r.Header) << fromFields.back();
        }
        if (r.Kind == ReportKind::CellDifference) {
            EXPECT_EQ(sg1.Cell(r.Column, r.Row), r.First) << fromFields.back();
        }
    }
    EXPECT_EQ(fromFields, lines);
    EXPECT_EQ(run.LineCount(), static_cast<int>(lines.size()));
}

class CompareFolder : public ::testing::TestWithParam<std::string> {};

TEST_P(CompareFolder, WritesTheExpectedReport) {
    fs::path folder = fs::path(TABWRIGHT_TEST_DATA) / "compare" / GetParam();
    EditorState state = LoadCase(folder);
    testing::EventRecorder feedback;
    CompareFiles(state, feedback);
    EXPECT_EQ(feedback.Report, ExpectedLines(ReadText(folder / "expected.txt")));
    ExpectRecordsOfLines(state, feedback.Report);
    EXPECT_EQ(state.LastReport.Mode, "compare");
    if (fs::exists(folder / "sg1.tab")) {
        EXPECT_EQ(DataLines(state.SG1()), ExpectedLines(ReadText(folder / "sg1.tab")));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareFolder, ::testing::ValuesIn(CaseFolders("compare")),
                         [](const ::testing::TestParamInfo<std::string>& testCase) {
                             return testCase.param;
                         });

class CombineFolder : public ::testing::TestWithParam<std::string> {};

TEST_P(CombineFolder, MergesAndReportsAsExpected) {
    fs::path folder = fs::path(TABWRIGHT_TEST_DATA) / "combine" / GetParam();
    EditorState state = LoadCase(folder);
    testing::EventRecorder feedback;
    CombineFiles(state, feedback);
    EXPECT_EQ(feedback.Report, ExpectedLines(ReadText(folder / "expected.txt")));
    ExpectRecordsOfLines(state, feedback.Report);
    EXPECT_EQ(state.LastReport.Mode, "combine");
    EXPECT_EQ(DataLines(state.SG1()), ExpectedLines(ReadText(folder / "merged.tab")));
    EXPECT_EQ(state.SG1().Cell(0, state.SG1().RowCount() - 1), ""); // the spare row stays last
}

INSTANTIATE_TEST_SUITE_P(Cases, CombineFolder, ::testing::ValuesIn(CaseFolders("combine")),
                         [](const ::testing::TestParamInfo<std::string>& testCase) {
                             return testCase.param;
                         });

} // namespace
} // namespace tw
