// Find and Replace: matching, the replaced text, and the plan of a Replace All.

#include <gtest/gtest.h>

#include "core/grid/findreplace.h"

namespace tw {
namespace {

struct ReplaceCase {
    const char* Cell;
    const char* Find;
    const char* With;
    bool MatchCase;
    bool WholeCell;
    bool Matches;
    const char* Result;
};

class ReplaceText : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceText, MatchesAndReplaces) {
    const ReplaceCase& c = GetParam();
    ReplaceOptions options{c.Find, c.With, c.MatchCase, c.WholeCell, -1};
    EXPECT_EQ(CellMatches(c.Cell, options), c.Matches);
    EXPECT_EQ(ReplacedText(c.Cell, options), c.Result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceText,
    testing::Values(ReplaceCase{"Long Sword", "sword", "Axe", false, false, true, "Long Axe"},
                    ReplaceCase{"Long Sword", "sword", "Axe", true, false, false, "Long Sword"},
                    ReplaceCase{"aaaa", "aa", "b", false, false, true, "bb"}, // no overlap
                    ReplaceCase{"xAxa", "a", "", false, false, true, "xx"},   // both cases
                    ReplaceCase{"\xC4pfel", "\xE4", "a", false, false, false,
                                "\xC4pfel"}, // A-Z only
                    ReplaceCase{"Sword", "SWORD", "Axe", false, true, true, "Axe"},
                    ReplaceCase{"Swords", "Sword", "Axe", false, true, false, "Swords"},
                    ReplaceCase{"", "", "x", false, true, false, ""},
                    ReplaceCase{"abc", "", "x", false, false, false, "abc"}));

// A document whose cell (c, r) is "c:r", header row 0 "head", one spare row.
EditorState Document(int cols, int rows) {
    EditorState state;
    TTextGrid& g = state.SG1();
    g.SetColCount(cols);
    g.SetRowCount(rows + 2);
    for (int c = 0; c < cols; ++c)
        g.SetCell(c, 0, "head:" + std::to_string(c));
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetCell(c, r, std::to_string(c) + ":" + std::to_string(r));
    return state;
}

TEST(ReplaceAll, WalksVisibleCellsInScopeAndCountsWhatTheRuleRefuses) {
    EditorState state = Document(4, 5);
    TTextGrid& grid = state.SG1();
    grid.HideColumn(2);
    ReplaceOptions options{":", "-", false, false, -1};
    ReplacePlan plan = PlanReplaceAll(state, options);
    // Rows 1..5 of data columns 0, 1, 3: the header and the hidden column stay out.
    ASSERT_EQ(plan.Cells.size(), 15u);
    EXPECT_EQ(plan.Cells.front().Row, 1);
    EXPECT_EQ(plan.Cells.front().DataCol, 0);
    EXPECT_EQ(plan.Cells.front().Text, "0-1");
    EXPECT_EQ(plan.Cells[2].DataCol, 3);
    EXPECT_EQ(plan.Cells.back().Text, "3-5");
    EXPECT_EQ(plan.Refused, 0);

    // One column only; a TAB would split the cell when the file is loaded again.
    options = {"1:", "1\t", false, false, 1};
    plan = PlanReplaceAll(state, options);
    EXPECT_TRUE(plan.Cells.empty());
    EXPECT_EQ(plan.Refused, 5);

    // Find Next in the same order, no wrap.
    options = {"3", "", false, false, -1};
    auto at = FindNextMatch(grid, 1, 0, options);
    ASSERT_TRUE(at);
    EXPECT_EQ(*at, std::make_pair(1, 2)); // display column 2 is data column 3
    EXPECT_EQ(FindNextMatch(grid, 5, 2, options), std::nullopt);
}

} // namespace
} // namespace tw
