// Compare and combine cases kept as folders: the input files file1.tab..file5.tab, the
// expected report lines (expected.txt), for combine the merged table (merged.tab) and the
// run's options (options: "no-remove-rows", "show-messages"), for compare optionally SG1
// as the run leaves it (sg1.tab). Texts are "T<N>" so that every line can be checked; the
// header row holds the loader's default captions ("T65 2", ...).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compare_support.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
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

class CompareFolder : public ::testing::TestWithParam<std::string> {};

TEST_P(CompareFolder, WritesTheExpectedReport) {
    fs::path folder = fs::path(TABWRIGHT_TEST_DATA) / "compare" / GetParam();
    EditorState state = LoadCase(folder);
    testing::EventRecorder feedback;
    CompareFiles(state, feedback);
    EXPECT_EQ(feedback.Report, ExpectedLines(ReadText(folder / "expected.txt")));
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
    EXPECT_EQ(DataLines(state.SG1()), ExpectedLines(ReadText(folder / "merged.tab")));
    EXPECT_EQ(state.SG1().Cell(0, state.SG1().RowCount() - 1), ""); // the spare row stays last
}

INSTANTIATE_TEST_SUITE_P(Cases, CombineFolder, ::testing::ValuesIn(CaseFolders("combine")),
                         [](const ::testing::TestParamInfo<std::string>& testCase) {
                             return testCase.param;
                         });

} // namespace
} // namespace tw
