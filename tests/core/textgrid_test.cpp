#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/grid/textgrid.h"

namespace tw {
namespace {

// A grid of `rows` x `cols` whose cell (c, r) reads "c:r".
TTextGrid Numbered(int cols, int rows) {
    TTextGrid g(MainGridProperties());
    g.SetColCount(cols);
    g.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetCell(c, r, std::to_string(c) + ":" + std::to_string(r));
    return g;
}

std::vector<std::string> Column(const TTextGrid& g, int dataCol) {
    std::vector<std::string> out;
    for (int r = 0; r < g.RowCount(); ++r)
        out.push_back(g.CellText(dataCol, r));
    return out;
}

TEST(GridCells, ReadsOutsideAreEmptyAndWritesOutsideIgnored) {
    TTextGrid g = Numbered(3, 3);
    EXPECT_EQ(g.Cell(5, 1), "");
    EXPECT_EQ(g.Cell(1, 9), "");
    EXPECT_EQ(g.Cell(-1, 0), "");
    g.SetCell(7, 1, "x");
    g.SetCell(1, 7, "x");
    g.SetColCount(8);
    EXPECT_EQ(g.Cell(7, 1), "");
    g.SetCell(1, 1, "");
    g.SetCell(1, 1, "longer text");
    g.SetCell(0, 1, "");
    EXPECT_EQ(g.Cell(1, 1), "longer text");
    EXPECT_EQ(g.Cell(2, 1), "2:1");
    EXPECT_EQ(g.Cell(0, 1), "");
}

// A batch of rows taken over whole ends as writing each of its rows into its place would:
// the rows before and after it stay, a row that was there keeps its height, new rows get
// the default one.
TEST(GridCells, ABatchOfRowsTakesTheRowsItNames) {
    for (int batchRows : {0, 2, 6}) {
        TTextGrid g = Numbered(2, 5);
        g.SetRowHeight(1, 40);
        g.SetRowHeight(4, 50);
        TTextGrid::RowBatch batch(1);
        for (int k = 0; k < batchRows; ++k)
            batch.Add().AssignTabLine("b" + std::to_string(k) + "\tx");
        g.TakeRows(batch);
        EXPECT_EQ(batch.Size(), 0u);
        std::vector<std::string> expected = {"0:0", "0:1", "0:2", "0:3", "0:4"};
        for (int k = 0; k < batchRows; ++k) {
            if (k + 1 >= static_cast<int>(expected.size()))
                expected.resize(static_cast<size_t>(k) + 2);
            expected[static_cast<size_t>(k) + 1] = "b" + std::to_string(k);
        }
        EXPECT_EQ(Column(g, 0), expected) << batchRows;
        EXPECT_EQ(g.RowHeight(1), 40);
        EXPECT_EQ(g.RowHeight(4), 50);
        if (batchRows == 6) {
            EXPECT_EQ(g.RowHeight(6), g.DefaultRowHeight());
        }
    }
}

// A row's compact storage against a plain list of texts: random writes, whole-row
// assignments (some cut from one line, as the loader passes them), truncations and copies,
// on rows wide enough for many offsets, with texts that hold tabs now and then, and rows
// that grow past the size of short offsets and shrink back.
TEST(GridCells, CompactRowsReadBackWhatWasWritten) {
    std::mt19937 rng(31337);
    const std::vector<std::string> texts = {"", "", "", "1", "22", "obj_t_npc", " ", "a\tb", "\t",
                                            std::string(300, 'x'), "\xff\x01", "7.5",
                                            // a few of these take a row past 64 KiB
                                            std::string(30000, 'y')};
    auto pick = [&] { return texts[rng() % texts.size()]; };
    for (int round = 0; round < 400; ++round) {
        GridRow row;
        std::vector<std::string> model;
        for (int step = 0; step < 60; ++step) {
            int action = static_cast<int>(rng() % 10);
            if (action < 6) {
                int column = static_cast<int>(rng() % 40);
                std::string text = pick();
                if (column >= static_cast<int>(model.size()) && !text.empty())
                    model.resize(static_cast<size_t>(column) + 1);
                if (column < static_cast<int>(model.size()))
                    model[static_cast<size_t>(column)] = text;
                row.SetCell(column, text);
            } else if (action < 8) {
                model.assign(rng() % 40, "");
                for (auto& cell : model)
                    cell = pick();
                // Half the time the cells are views into one tab-joined line.
                std::string line;
                std::vector<std::string_view> cells;
                bool joined = rng() % 2 == 0 &&
                              std::none_of(model.begin(), model.end(), [](const std::string& t) {
                                  return t.find('\t') != std::string::npos;
                              });
                if (joined) {
                    for (size_t k = 0; k < model.size(); ++k)
                        line += (k ? "\t" : "") + model[k];
                    size_t at = 0;
                    for (const auto& cell : model) {
                        cells.push_back(std::string_view(line).substr(at, cell.size()));
                        at += cell.size() + 1;
                    }
                } else {
                    for (const auto& cell : model)
                        cells.push_back(cell);
                }
                if (joined && rng() % 2 == 0) // the loader's way for lines of TAB fields
                    ASSERT_EQ(row.AssignTabLine(line),
                              line.empty() ? 0 : 1 + std::count(line.begin(), line.end(), '\t'));
                else
                    row.Assign(cells);
            } else if (action == 8) {
                int keep = static_cast<int>(rng() % 40);
                if (keep < static_cast<int>(model.size()))
                    model.resize(static_cast<size_t>(keep));
                row.Truncate(keep);
            } else {
                GridRow copy = row;
                row = std::move(copy);
            }
            while (!model.empty() && model.back().empty())
                model.pop_back();
            ASSERT_EQ(row.StoredCount(), static_cast<int>(model.size())) << round << "/" << step;
            std::vector<std::string_view> stored;
            row.StoredCells(stored);
            ASSERT_EQ(std::vector<std::string>(stored.begin(), stored.end()), model);
            for (int c = -1; c <= 41; ++c)
                ASSERT_EQ(row.Cell(c), c >= 0 && c < static_cast<int>(model.size())
                                           ? model[static_cast<size_t>(c)]
                                           : std::string())
                    << round << "/" << step << " column " << c;
            int first = static_cast<int>(rng() % 45) - 2, count = static_cast<int>(rng() % 45);
            std::vector<std::string_view> range;
            row.CellRange(first, count, range);
            ASSERT_EQ(range.size(), static_cast<size_t>(count));
            for (int k = 0; k < count; ++k)
                ASSERT_EQ(range[static_cast<size_t>(k)], row.Cell(std::max(first, 0) + k))
                    << round << "/" << step << " range from " << first;
            std::string_view joined;
            bool anyTab = std::any_of(model.begin(), model.end(), [](const std::string& t) {
                return t.find('\t') != std::string::npos;
            });
            ASSERT_EQ(row.TabJoined(joined), !anyTab);
            if (!anyTab) {
                std::string line;
                for (size_t k = 0; k < model.size(); ++k)
                    line += (k ? "\t" : "") + model[k];
                ASSERT_EQ(joined, line);
            }
        }
    }
}

TEST(GridCells, ShrinkingColumnsForgetsTheirCells) {
    TTextGrid g = Numbered(8, 2);
    g.SetColCount(7);
    g.SetColCount(8);
    EXPECT_EQ(g.Cell(7, 1), "");
    EXPECT_EQ(g.Cell(6, 1), "6:1");
}

TEST(GridColumns, HiddenColumnKeepsItsTextAndWidth) {
    TTextGrid g = Numbered(6, 3);
    g.SetColWidth(3, 77);
    g.HideColumn(3);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.DataColumnOf(3), 4);
    EXPECT_EQ(g.DisplayColumnOf(4), 3);
    g.SetCell(3, 1, "changed");
    g.SetColWidth(3, 11); // display column 3 is data column 4
    g.UnhideColumn(3);
    EXPECT_EQ(g.Cell(3, 1), "changed");
    EXPECT_EQ(g.ColWidth(3), 77);
    EXPECT_EQ(g.ColWidth(4), 11);
}

TEST(GridColumns, LastVisibleColumnIsNeverHidden) {
    TTextGrid g = Numbered(4, 2);
    for (int c = 0; c < 4; ++c)
        g.HideColumn(c);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.DataColumnOf(0), 3);
    g.HideColumns(0, 10);
    EXPECT_EQ(g.ColCount(), 1);
    g.UnhideAllColumns();
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.HiddenColumnCount(), 0);
}

TEST(GridColumns, MappingsWithSeveralHidden) {
    TTextGrid g = Numbered(10, 2);
    g.HideColumns(2, 4);
    g.HideColumn(7);
    EXPECT_EQ(g.ColCount(), 6);
    std::vector<int> expected{0, 1, 5, 6, 8, 9};
    for (int d = 0; d < 6; ++d) {
        EXPECT_EQ(g.DataColumnOf(d), expected[static_cast<size_t>(d)]);
    }
    EXPECT_EQ(g.DisplayColumnOf(8), 4);
    EXPECT_EQ(g.DisplayColumnOf(2), 2); // a hidden column maps to where it would be
    EXPECT_EQ(g.DataColumnOf(6), 0);    // beyond the visible columns
}

TEST(GridRows, HidingRowsTwoAndThreeThenUnhideAll) {
    TTextGrid g = Numbered(3, 7);
    g.SetRowHeight(2, 40);
    g.SetRowHeight(3, 50);
    g.HideRow(2);
    g.HideRow(3);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.DataRowOf(2), 4);
    EXPECT_EQ(g.Cell(0, 2), "0:4");
    g.HideRow(3); // already hidden
    EXPECT_EQ(g.RowCount(), 5);
    g.UnhideAllRows();
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(Column(g, 1),
              (std::vector<std::string>{"1:0", "1:1", "1:2", "1:3", "1:4", "1:5", "1:6"}));
    EXPECT_EQ(g.RowHeight(2), 40);
    EXPECT_EQ(g.RowHeight(3), 50);
}

TEST(GridRows, HiddenRowCarriesHiddenColumns) {
    TTextGrid g = Numbered(5, 4);
    g.HideColumn(4);
    g.HideRow(2);
    g.UnhideColumn(4);
    g.UnhideRow(2);
    EXPECT_EQ(g.Cell(4, 2), "4:2");
    g.UnhideRow(2); // not hidden: nothing changes
    EXPECT_EQ(g.RowCount(), 4);
}

TEST(GridRows, UnhideSingleRowReturnsToItsPlace) {
    TTextGrid g = Numbered(2, 8);
    g.HideRow(5);
    g.HideRow(2);
    g.UnhideRow(5);
    EXPECT_EQ(Column(g, 0),
              (std::vector<std::string>{"0:0", "0:1", "0:3", "0:4", "0:5", "0:6", "0:7"}));
}

TEST(GridRows, BatchHideEqualsOneAtATime) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        int rows = 1 + static_cast<int>(random() % 30);
        TTextGrid a = Numbered(3, rows);
        // Some rows are hidden beforehand.
        for (int k = 0; k < 4; ++k) {
            int d = static_cast<int>(random() % static_cast<unsigned>(rows + 2));
            a.HideRow(d);
        }
        TTextGrid b = a;
        std::vector<int> batch;
        int n = static_cast<int>(random() % 12);
        for (int k = 0; k < n; ++k)
            batch.push_back(static_cast<int>(random() % static_cast<unsigned>(rows + 3)) - 1);
        for (int d : batch)
            a.HideRow(d);
        b.HideRows(batch);
        ASSERT_EQ(a.RowCount(), b.RowCount());
        ASSERT_EQ(Column(a, 0), Column(b, 0));
        ASSERT_EQ(a.HiddenRows().size(), b.HiddenRows().size());
        for (size_t i = 0; i < a.HiddenRows().size(); ++i) {
            ASSERT_EQ(a.HiddenRows()[i].DataRow, b.HiddenRows()[i].DataRow);
        }
        a.UnhideAllRows();
        b.UnhideAllRows();
        ASSERT_EQ(Column(a, 0), Column(b, 0));
    }
}

TEST(GridRows, InsertDeleteAndHiddenIndices) {
    TTextGrid g = Numbered(2, 8);
    g.HideRow(6);
    g.DeleteRows(2, 2); // rows of data 2 and 3 go; the hidden row 6 becomes 4
    EXPECT_EQ(g.HiddenRows().front().DataRow, 4);
    g.InsertRows(1, 1); // inserting leaves hidden indices alone
    EXPECT_EQ(g.HiddenRows().front().DataRow, 4);
    EXPECT_EQ(g.Cell(0, 1), "");
    EXPECT_EQ(g.Cell(0, 2), "0:1");
    g.DeleteRows(99, 1);
    EXPECT_EQ(g.RowCount(), 6);
}

TEST(GridRows, DeleteKeepsCurrentRowOrFallsToLast) {
    TTextGrid g = Numbered(2, 6);
    g.SetRow(2);
    g.DeleteRows(4, 1);
    EXPECT_EQ(g.Row(), 2);
    g.SetRow(4);
    g.DeleteRows(3, 2);
    EXPECT_EQ(g.Row(), 2);
}

TEST(GridRows, MoveRowCellsTravelHeightsStay) {
    TTextGrid g = Numbered(2, 5);
    g.SetRowHeight(1, 30);
    g.MoveRow(3, 1);
    EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"0:0", "0:3", "0:1", "0:2", "0:4"}));
    EXPECT_EQ(g.RowHeight(1), 30);
    g.MoveRow(1, 3);
    EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"0:0", "0:1", "0:2", "0:3", "0:4"}));
    g.PermuteRows(1, {4, 3, 2, 1});
    EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"1:0", "1:4", "1:3", "1:2", "1:1"}));
}

TEST(GridRows, ClearCellsLeavesHiddenRowsAlone) {
    TTextGrid g = Numbered(3, 4);
    g.HideColumn(2);
    g.HideRow(1);
    g.ClearCells();
    EXPECT_EQ(g.Cell(2, 1), "");
    EXPECT_EQ(g.HiddenRows().front().Cells.Cell(0), "0:1");
    g.DiscardHiddenRows();
    g.UnhideAllRows();
    EXPECT_EQ(g.RowCount(), 3);
}

TEST(GridSizing, AutoSizeColumnAndRow) {
    TTextGrid g = Numbered(3, 3);
    TextMeasure m;
    m.Width = [](std::string_view text, bool fixed) {
        return static_cast<int>(text.size()) * (fixed ? 7 : 5);
    };
    m.LineHeight = [](bool fixed) { return fixed ? 12 : 10; };
    for (int r = 0; r < 3; ++r)
        g.SetCell(2, r, "");
    g.AutoSizeColumn(2, m);
    EXPECT_EQ(g.ColWidth(2), 12);
    g.SetCell(2, 0, "long header");
    g.SetCell(2, 1, "ab");
    g.AutoSizeColumn(2, m);
    EXPECT_EQ(g.ColWidth(2), 11 * 7 + 12);
    g.AutoSizeColumn(0, m); // fixed column measured in the fixed font
    EXPECT_EQ(g.ColWidth(0), 3 * 7 + 12);
    g.AutoSizeRow(1, m);
    EXPECT_EQ(g.RowHeight(1), 24); // never below the default height
    m.LineHeight = [](bool fixed) { return fixed ? 30 : 20; };
    g.AutoSizeRow(1, m);
    EXPECT_EQ(g.RowHeight(1), 30 + 10);

    GridProperties thin = MainGridProperties();
    thin.GridLineWidth = 0;
    TTextGrid t(thin);
    t.AutoSizeColumn(2, m);
    EXPECT_EQ(t.ColWidth(2), 10);
}

TEST(GridShape, FixedColumnsRefusedCounts) {
    TTextGrid g = Numbered(3, 3);
    EXPECT_FALSE(g.SetFixedCols(3));
    EXPECT_FALSE(g.SetFixedCols(-1));
    EXPECT_TRUE(g.SetFixedCols(0));
    EXPECT_EQ(g.FixedCols(), 0);
    TTextGrid s(SecondaryGridProperties());
    EXPECT_EQ(s.ColCount(), 2);
    EXPECT_EQ(s.RowCount(), 5);
    EXPECT_EQ(s.FixedCols(), 0);
    EXPECT_EQ(s.ColWidth(1), 89);
}

} // namespace
} // namespace tw
