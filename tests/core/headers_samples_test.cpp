#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/app/language.h"
#include "core/app/text.h"
#include "core/headers/documentsections.h"
#include "core/headers/headersets.h"
#include "headers_test_support.h"

namespace tw {
namespace {

using testing::PrepareState;
using testing::RecordingFeedback;
using testing::TemporaryFolder;

// The shipped samples and sections live beside the tests in the source tree.
const std::string SourceRoot =
    (std::filesystem::path(__FILE__).parent_path() / ".." / "..").string() + "/";

std::string ReadSource(const std::string& relative) {
    std::string bytes;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(SourceRoot + relative, bytes, error)) << relative << ": " << error;
    return bytes;
}

// The sample table split on TAB into SG1, with the spare last row.
void LoadSampleTable(TTextGrid& grid) {
    auto lines = SplitTextLines(ReadSource("samples/data/rules/protos.tab"));
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    grid.SetRowCount(static_cast<int>(lines.size()) + 2);
    grid.SetColCount(40);
    for (size_t r = 0; r < lines.size(); ++r) {
        size_t start = 0;
        int column = 0;
        for (;;) {
            size_t tab = lines[r].find('\t', start);
            grid.SetCell(column++, static_cast<int>(r) + 1, lines[r].substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
    }
}

class SampleSectionsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleSectionsTest, EverySetHasItsColumnsAndShowsOnlyItsType) {
    TemporaryFolder folder;
    EditorState state;
    // The shipped language file with its sections appended, as it will be delivered.
    std::string language = GetParam();
    PrepareState(state, folder, "protos.tab",
                 ReadSource("data/" + language + ".lng") +
                     ReadSource("data/sections/" + language + ".sections"));
    LoadSampleTable(state.SG1());
    RecordingFeedback shown;
    LoadDocumentSections(state, shown);
    ASSERT_TRUE(shown.Messages.empty());
    EXPECT_EQ(state.HeaderSetNames[0], state.Text(46));
    ASSERT_EQ(state.HeaderSetCount, 17);
    EXPECT_GE(state.VariableListNames.size(), 4u);
    for (int c = 0; c < 40; ++c)
        EXPECT_FALSE(state.SG1().CellText(c, 0).empty()) << c;

    for (int set = 1; set <= 16; ++set) {
        auto columns = ParseColumnList(state.HeaderSetColumns[static_cast<size_t>(set)]);
        ASSERT_FALSE(columns.empty()) << state.HeaderSetNames[static_cast<size_t>(set)];
        for (int c : columns)
            EXPECT_TRUE(c >= 2 && c < 40) << c;
        ASSERT_TRUE(ApplyHeaderSet(state, set, shown));
        const TTextGrid& grid = state.SG1();
        EXPECT_EQ(grid.ColCount(),
                  static_cast<int>(std::set<int>(columns.begin(), columns.end()).size()) + 2);
        std::string wanted =
            LowerAZ(std::string("obj_t_") + ObjectTypeNames[static_cast<size_t>(set - 1)]);
        EXPECT_GT(grid.RowCount(), 2) << wanted;
        for (int r = 1; r < grid.RowCount() - 1; ++r)
            EXPECT_EQ(LowerAZ(grid.CellText(1, r)), wanted);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, SampleSectionsTest, ::testing::Values("english", "deutsch"));

} // namespace
} // namespace tw
