#include <gtest/gtest.h>

#include "core/grid/clipboardtext.h"
#include "core/grid/textgrid.h"

namespace tw {
namespace {

TTextGrid GridOf(const std::vector<std::vector<std::string>>& rows) {
    GridProperties p = MainGridProperties();
    p.RowCount = static_cast<int>(rows.size());
    p.ColCount = static_cast<int>(rows.front().size());
    TTextGrid grid(p);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    return grid;
}

struct CopyCase {
    const char* Name;
    int Top, Left, Bottom, Right;
    const char* Expected;
};

class BuildCopyTextTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(BuildCopyTextTest, GivesTheRectangleInClipboardForm) {
    const TTextGrid grid = GridOf(
        {{"h0", "h1", "h2"}, {"a", "b", "c"}, {"d", "line\r\nbreak", "f"}, {"g", "\rcr\r", ""}});
    const auto& c = GetParam();
    EXPECT_EQ(BuildCopyText(grid, c.Top, c.Left, c.Bottom, c.Right), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, BuildCopyTextTest,
    ::testing::Values(CopyCase{"single_cell", 1, 0, 1, 0, "a"},
                      CopyCase{"single_row_has_no_line_break", 1, 0, 1, 2, "a\tb\tc"},
                      CopyCase{"every_row_ends_in_crlf", 1, 0, 2, 0, "a\r\nd\r\n"},
                      CopyCase{"cell_with_cr_is_quoted_without_crs", 2, 1, 2, 2,
                               "\"line\nbreak\"\tf"},
                      CopyCase{"lone_crs_go_too", 3, 0, 3, 2, "g\t\"cr\"\t"},
                      CopyCase{"empty_rectangle", 2, 2, 1, 2, ""}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST(BuildCopyText, ReadsHiddenColumnsOutByDisplayOrder) {
    TTextGrid grid = GridOf({{"h0", "h1", "h2", "h3"}, {"a", "b", "c", "d"}});
    grid.HideColumn(1);
    EXPECT_EQ(BuildCopyText(grid, 1, 0, 1, 2), "a\tc\td");
}

struct SplitCase {
    const char* Name;
    const char* Text;
    std::vector<std::vector<std::string>> Rows;
};

class SplitPastedTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitPastedTextTest, SplitsRowsAndCells) {
    EXPECT_EQ(SplitPastedText(GetParam().Text), GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SplitPastedTextTest,
    ::testing::Values(
        SplitCase{"empty", "", {}}, SplitCase{"one_cell", "x", {{"x"}}},
        SplitCase{
            "crlf_rows_final_break_opens_no_row", "a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
        SplitCase{"lf_rows", "a\nb", {{"a"}, {"b"}}},
        SplitCase{"empty_cells_kept", "\t\tz", {{"", "", "z"}}},
        SplitCase{"blank_line_inside", "a\r\n\r\nb", {{"a"}, {""}, {"b"}}},
        SplitCase{"lone_cr_stays_in_cell", "a\rb", {{"a\rb"}}},
        SplitCase{"quoted_break_is_one_cell", "\"line\nbreak\"\tf\r\n", {{"line\nbreak", "f"}}},
        SplitCase{"quotes_without_break_are_text", "\"said\"\tx", {{"\"said\"", "x"}}},
        SplitCase{"unclosed_quote_is_text", "\"open\nnext", {{"\"open"}, {"next"}}}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST(PasteCells, NeverGrowsTheGrid) {
    TTextGrid grid = GridOf({{"h0", "h1", "h2"}, {"a", "b", "c"}, {"d", "e", "f"}});
    const CellRect rect = PasteCells(grid, 2, 1, {{"1", "2", "3"}, {"4", "5", "6"}});
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.CellText(1, 2), "1");
    EXPECT_EQ(grid.CellText(2, 2), "2");
    EXPECT_EQ(grid.CellText(0, 2), "d");
    EXPECT_EQ(rect.Top, 2);
    EXPECT_EQ(rect.Bottom, 2);
    EXPECT_EQ(rect.Left, 1);
    EXPECT_EQ(rect.Right, 2);
}

TEST(PasteCells, WritesThroughDataColumnsAndCutClearsThem) {
    TTextGrid grid = GridOf({{"h0", "h1", "h2", "h3"}, {"a", "b", "c", "d"}});
    grid.HideColumn(1);
    PasteCells(grid, 1, 1, {{"X", "Y"}});
    EXPECT_EQ(grid.CellText(1, 1), "b"); // the hidden column is skipped
    EXPECT_EQ(grid.CellText(2, 1), "X");
    EXPECT_EQ(grid.CellText(3, 1), "Y");
    ClearCellRect(grid, CellRect{1, 0, 1, 1});
    EXPECT_EQ(grid.CellText(0, 1), "");
    EXPECT_EQ(grid.CellText(2, 1), "");
    EXPECT_EQ(grid.CellText(1, 1), "b");
    EXPECT_EQ(grid.CellText(3, 1), "Y");
}

} // namespace
} // namespace tw
