#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "core/grid/gridcommands.h"
#include "support/recording_feedback.h"

namespace tw {
namespace {

// SG1 holding a document of `rows` data rows and `cols` columns: cell (c, r) = "c:r",
// header row 0, one spare row at the end.
EditorState Document(int cols, int rows) {
    EditorState state;
    TTextGrid& g = state.SG1();
    g.SetColCount(cols);
    g.SetRowCount(rows + 2);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetCell(c, r, std::to_string(c) + ":" + std::to_string(r));
    state.LastColIndex = cols - 1;
    return state;
}

TEST(MarkedRows, HidingRowsThreeAndFiveHidesExactlyThose) {
    EditorState state = Document(3, 8);
    RecordingFeedback feedback;
    state.SelectedRows.Toggle(3);
    state.SelectedRows.Toggle(5);
    ASSERT_TRUE(HideSelectedRows(state, feedback));
    const TTextGrid& g = state.SG1();
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.Cell(0, 3), "0:4");
    EXPECT_EQ(g.Cell(0, 4), "0:6");
    EXPECT_TRUE(state.SelectedRows.Empty());
}

TEST(MarkedRows, MarksAreOrderedAndToggle) {
    MarkList marks;
    marks.Toggle(5);
    marks.Toggle(3);
    marks.Toggle(9);
    marks.Toggle(3);
    EXPECT_EQ(marks.Items(), (std::vector<int>{5, 9}));
    EXPECT_TRUE(marks.Contains(9));
    EXPECT_FALSE(marks.Contains(3));
}

TEST(UnhideNumber, ByFilePositionAndIgnoringNonsense) {
    EditorState state = Document(3, 8);
    RecordingFeedback feedback;
    state.SG1().HideRow(2);
    state.SG1().HideRow(4);
    UnhideRowNumber(state, "3", feedback); // not hidden
    EXPECT_EQ(state.SG1().RowCount(), 8);
    UnhideRowNumber(state, "", feedback);
    UnhideRowNumber(state, "four", feedback);
    EXPECT_EQ(state.SG1().RowCount(), 8);
    UnhideRowNumber(state, "4", feedback); // position in the file, not on screen
    EXPECT_EQ(state.SG1().Cell(0, 3), "0:4");
    EXPECT_EQ(state.SG1().RowCount(), 9);
}

TEST(HeaderRightClick, HiddenColumnShiftsTheMarkedDataColumn) {
    EditorState state = Document(5, 3);
    state.SG1().HideColumn(2);
    SetClickedCell(state, 0, 2);
    EXPECT_EQ(state.ClickedDataCol, 3);
}

TEST(RowCommands, CopyThisRowStandsAboveItsSource) {
    EditorState state = Document(5, 9);
    state.SG1().HideColumn(3);
    SetClickedCell(state, 7, 1);
    CopyThisRow(state);
    const TTextGrid& g = state.SG1();
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(g.Cell(c, 7), std::to_string(c) + ":7");
        EXPECT_EQ(g.Cell(c, 8), std::to_string(c) + ":7");
    }
    EXPECT_EQ(g.Cell(0, 9), "0:8");
}

TEST(RowCommands, CopyCoversAllColumnsAfterASmallerGridWasLoaded) {
    EditorState state = Document(6, 3);
    state.LastColIndex = 1; // the last load went into another, narrower grid
    SetClickedCell(state, 2, 1);
    CopyThisRow(state);
    EXPECT_EQ(state.SG1().Cell(5, 2), "5:2");
}

TEST(RowCommands, InsertAndDelete) {
    EditorState state = Document(2, 4);
    SetClickedCell(state, 2, 1);
    InsertRowAbove(state);
    EXPECT_EQ(state.SG1().Cell(0, 2), "");
    EXPECT_EQ(state.SG1().Cell(0, 3), "0:2");
    DeleteThisRow(state);
    EXPECT_EQ(state.SG1().Cell(0, 2), "0:2");
}

struct FindCase {
    const char* Name;
    int StartRow, StartCol;
    const char* Text;
    int Row, Col; // -1 when nothing is found
};

class FindOrder : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindOrder, WalksRightThenDownWithoutWrapping) {
    const FindCase& c = GetParam();
    EditorState state = Document(4, 5);
    TTextGrid& g = state.SG1();
    g.SetCell(0, 3, "Long Sword");
    g.SetCell(2, 1, "SWORDFISH");
    g.SetCell(3, 4, "swor");
    g.SetRow(c.StartRow);
    g.SetCol(c.StartCol);
    auto found = FindInGrid(state, c.Text);
    if (c.Row < 0) {
        EXPECT_FALSE(found.has_value());
    } else {
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->first, c.Row);
        EXPECT_EQ(found->second, c.Col);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FindOrder,
                         ::testing::Values(FindCase{"FromTop", 1, 0, "sword", 1, 2},
                                           FindCase{"StartCellItselfSkipped", 1, 2, "sword", 3, 0},
                                           FindCase{"NextRowFirstColumn", 2, 3, "SWORD", 3, 0},
                                           FindCase{"LastColumnStartsNextRow", 3, 3, "0:4", 4, 0},
                                           FindCase{"NoWrap", 3, 0, "sword", -1, -1},
                                           FindCase{"PrefixNotEnough", 1, 0, "swordx", -1, -1}),
                         [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST(Find, HiddenColumnSkippedThenFoundAfterUnhiding) {
    EditorState state = Document(4, 3);
    state.SG1().SetCell(2, 2, "needle");
    state.SG1().HideColumn(2);
    state.SG1().SetRow(1);
    state.SG1().SetCol(0);
    EXPECT_FALSE(FindInGrid(state, "needle"));
    EXPECT_EQ(state.LastFindText, "needle");
    state.SG1().UnhideColumn(2);
    auto found = FindInGrid(state, "NEEDLE");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, std::make_pair(2, 2));
    EXPECT_EQ(state.LastFindText, "needle");
}

TEST(CellColours, HeaderRowAndFixedColumnNeverTakeTheSelectionColour) {
    EditorState state = Document(4, 4);
    state.SelectedRows.Toggle(2);
    state.SelectedRows.Toggle(0);
    state.SelectedCols.Toggle(0);
    state.SelectedCols.Toggle(3);
    EXPECT_EQ(CellBackgroundOf(state, 0, 3, false, false), CellBackground::Window);
    EXPECT_EQ(CellBackgroundOf(state, 2, 0, false, false), CellBackground::Window);
    EXPECT_EQ(CellBackgroundOf(state, 2, 1, false, false), CellBackground::Selection);
    EXPECT_EQ(CellBackgroundOf(state, 1, 3, false, false), CellBackground::Selection);
    EXPECT_EQ(CellBackgroundOf(state, 1, 1, false, false), CellBackground::Window);
    state.SG1().SetRow(2);
    state.SG1().SetCol(1);
    EXPECT_EQ(CellBackgroundOf(state, 2, 1, true, true), CellBackground::ActiveCell);
    EXPECT_EQ(CellBackgroundOf(state, 2, 1, false, true), CellBackground::Selection);
    state.PaintSuspended = true;
    EXPECT_EQ(CellBackgroundOf(state, 2, 1, true, true), CellBackground::GridOwn);
}

TEST(Sizing, AutoSizeColumnsLeavesHiddenColumnsAlone) {
    EditorState state = Document(4, 2);
    state.Measure.Width = [](std::string_view text, bool) {
        return static_cast<int>(text.size()) * 10;
    };
    RecordingFeedback feedback;
    state.SG1().SetColWidth(2, 99);
    state.SG1().HideColumn(2);
    AutoSizeColumns(state, feedback);
    state.SG1().UnhideColumn(2);
    EXPECT_EQ(state.SG1().ColWidth(2), 99);
    EXPECT_EQ(state.SG1().ColWidth(3), 3 * 10 + 12);
}

// Sizing a range of columns together must give each column the width AutoSizeColumn
// gives it alone: texts of every length, hidden columns, fixed columns and rows.
TEST(Sizing, ColumnRangeMatchesSizingOneColumnAtATime) {
    std::mt19937 random(7);
    const char* pieces[] = {"",
                            "",
                            "",
                            "1",
                            "22",
                            "w",
                            "WW",
                            "Sword",
                            "0123456",
                            "01234567",
                            "Long Sword of Fire",
                            "\xE9",
                            "a b"};
    TextMeasure measure;
    int calls = 0;
    measure.Width = [&calls](std::string_view text, bool fixedFont) {
        ++calls;
        int width = 0;
        for (unsigned char c : text)
            width += 3 + c % 7 + (fixedFont ? 2 : 0);
        return width;
    };
    for (int round = 0; round < 40; ++round) {
        EditorState state =
            Document(1 + static_cast<int>(random() % 70), 1 + static_cast<int>(random() % 30));
        TTextGrid& g = state.SG1();
        for (int r = 0; r < g.RowCount(); ++r)
            for (int c = 0; c < g.DataColumnCount(); ++c)
                g.SetCell(c, r, pieces[random() % std::size(pieces)]);
        for (int c = 1; c < g.DataColumnCount(); ++c)
            if (random() % 5 == 0)
                g.HideColumn(c);
        g.SetFixedCols(static_cast<int>(random() % 3));
        TTextGrid single = g;
        for (int d = 0; d < single.ColCount(); ++d)
            single.AutoSizeColumn(d, measure);
        const int first = static_cast<int>(random() % g.ColCount());
        const int last = first + static_cast<int>(random() % (g.ColCount() - first));
        std::vector<int> before;
        for (int d = 0; d < g.ColCount(); ++d)
            before.push_back(g.ColWidth(d));
        calls = 0;
        AutoSizeColumnRange(g, first, last, measure);
        EXPECT_LE(calls, 2 * static_cast<int>(std::size(pieces)));
        for (int d = 0; d < g.ColCount(); ++d) {
            SCOPED_TRACE("round " + std::to_string(round) + ", column " + std::to_string(d));
            if (d >= first && d <= last) {
                EXPECT_EQ(g.ColWidth(d), single.ColWidth(d));
            } else {
                EXPECT_EQ(g.ColWidth(d), before[static_cast<size_t>(d)]);
            }
        }
    }
}

} // namespace
} // namespace tw

namespace tw {

TEST(Sizing, ColumnsWidenToTheirHeadersAndAReadableLeast) {
    TTextGrid grid;
    grid.SetColCount(5);
    const char* headers[] = {"", "ab", "a long header", "hidden but long", "x"};
    for (int col = 0; col < 5; ++col) {
        grid.SetCell(col, 0, headers[col]);
        grid.SetColWidth(col, 40);
    }
    grid.SetColWidth(4, 300);
    grid.HideColumn(3);
    TextMeasure measure;
    measure.Width = [](std::string_view text, bool fixed) {
        return static_cast<int>(text.size()) * (fixed ? 8 : 6);
    };
    WidenColumnsToHeaders(grid, measure, 50);
    // Display columns: data 0, 1, 2, 4. Never narrower; the fixed font measures headers.
    const int margins = 2 * grid.GridLineWidth() + 8;
    EXPECT_EQ(grid.ColWidth(0), 50);
    EXPECT_EQ(grid.ColWidth(1), std::max(50, 16 + margins));
    EXPECT_EQ(grid.ColWidth(2), 13 * 8 + margins);
    EXPECT_EQ(grid.ColWidth(3), 300);
    EXPECT_EQ(grid.ColCount(), 4);
}

} // namespace tw
