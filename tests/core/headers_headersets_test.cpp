#include <gtest/gtest.h>

#include <random>

#include "core/app/text.h"
#include "core/headers/headersets.h"
#include "headers_test_support.h"

namespace tw {
namespace {

std::vector<int> VisibleColumns(const TTextGrid& grid) {
    std::vector<int> shown;
    for (int c = 0; c < grid.DataColumnCount(); ++c)
        if (!grid.IsColumnHidden(c))
            shown.push_back(c);
    return shown;
}

std::vector<std::string> ShownColumnOne(const TTextGrid& grid) {
    std::vector<std::string> cells;
    for (int r = 0; r < grid.RowCount(); ++r)
        cells.push_back(grid.CellText(1, r));
    return cells;
}

// A protos.tab of ten columns: header row, seven prototypes, spare last row.
class HeaderSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        State.Language.SetFromBytes(testing::LanguageBytes(""));
        State.DocumentFileName = "protos.tab";
        testing::FillGrid(State.SG1(),
                          {{"", "", "Description"},
                           {"1000", "obj_t_armor"},
                           {"1001", "obj_t_weapon"},
                           {"1002", "OBJ_T_ARMOR"},
                           {"1003", "obj_t_armor "},
                           {"1004", ""},
                           {"1005", "Obj_T_Weapon"},
                           {"1006", "obj_t_pc"}},
                          10);
        State.HeaderSetNames = {"T46", "Armor", "PC", "NPC", "Weapon"};
        State.HeaderSetTypes = {"", "Armor", "PC", "NPC", "Weapon"};
        State.HeaderSetColumns = {"", "2,3,7", "2,x,5,", "", "4,6,"};
        State.HeaderSetCount = 5;
    }

    bool Apply(int index) { return ApplyHeaderSet(State, index, Shown); }

    EditorState State;
    RecordingFeedback Shown;
};

struct ColumnListCase {
    const char* List;
    std::vector<int> Shown;
};

class ColumnListTest : public HeaderSetTest,
                       public ::testing::WithParamInterface<ColumnListCase> {};

TEST_P(ColumnListTest, ShowsColumnsZeroAndOneAndTheListedOnes) {
    State.HeaderSetColumns[1] = GetParam().List;
    ASSERT_TRUE(Apply(1));
    EXPECT_EQ(VisibleColumns(State.SG1()), GetParam().Shown) << GetParam().List;
    EXPECT_EQ(State.SG1().ColCount(), static_cast<int>(GetParam().Shown.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ColumnListTest,
    ::testing::Values(ColumnListCase{"2,3,7", {0, 1, 2, 3}}, ColumnListCase{"2,x,5,", {0, 1, 2, 5}},
                      ColumnListCase{"", {0, 1}}, ColumnListCase{",,,", {0, 1}},
                      ColumnListCase{"9,4,", {0, 1, 4, 9}},
                      ColumnListCase{" 4,5 ,6,", {0, 1, 4, 6}}, // a trailing blank fails
                      ColumnListCase{"0,1,-2,10,99,8,", {0, 1, 8}},
                      ColumnListCase{"$3,x5,", {0, 1, 3, 5}}));

TEST(ParseColumnList, OnlyNumbersFollowedByACommaCount) {
    EXPECT_EQ(ParseColumnList("2,3,7"), (std::vector<int>{2, 3}));
    EXPECT_EQ(ParseColumnList("12,,3,abc"), (std::vector<int>{12, 3}));
    EXPECT_EQ(ParseColumnList("7"), std::vector<int>{});
}

TEST_F(HeaderSetTest, FiltersPrototypeRowsByTypeIgnoringCase) {
    ASSERT_TRUE(Apply(1));
    EXPECT_EQ(ShownColumnOne(State.SG1()),
              (std::vector<std::string>{"", "obj_t_armor", "OBJ_T_ARMOR", ""}));
    EXPECT_EQ(State.SG1().HiddenRows().size(), 5u);
    EXPECT_EQ(State.SG1().CellText(0, 3), ""); // the spare last row stays
    ASSERT_TRUE(Apply(4));
    EXPECT_EQ(ShownColumnOne(State.SG1()),
              (std::vector<std::string>{"", "obj_t_weapon", "Obj_T_Weapon", ""}));
    EXPECT_EQ(VisibleColumns(State.SG1()), (std::vector<int>{0, 1, 4, 6}));
}

TEST_F(HeaderSetTest, NeverHideKeepsColumnsButStillFiltersRows) {
    State.NeverHide = true;
    ASSERT_TRUE(Apply(1));
    EXPECT_EQ(State.SG1().HiddenColumnCount(), 0);
    EXPECT_EQ(State.SG1().RowCount(), 4);
}

TEST_F(HeaderSetTest, SetAboveSixteenHidesEveryExaminedRow) {
    State.HeaderSetNames.resize(18, "Extra");
    State.HeaderSetTypes.resize(18);
    State.HeaderSetColumns.resize(18, "3,");
    State.SG1().SetCell(1, 0, "obj_t_armor"); // the header row is never examined
    State.SG1().SetCell(1, 8, "obj_t_pc");    // nor the spare last row
    ASSERT_TRUE(Apply(17));
    EXPECT_EQ(ShownColumnOne(State.SG1()), (std::vector<std::string>{"obj_t_armor", "obj_t_pc"}));
    EXPECT_EQ(VisibleColumns(State.SG1()), (std::vector<int>{0, 1, 3}));
}

TEST_F(HeaderSetTest, OtherDocumentsNeverLoseRows) {
    for (const char* name : {"items.tab", "quests.mes", "00001innkeeper.dlg", "protos.tab.tab"}) {
        State.DocumentFileName = name;
        ASSERT_TRUE(Apply(1));
        EXPECT_EQ(State.SG1().RowCount(), 9) << name;
        EXPECT_EQ(VisibleColumns(State.SG1()), (std::vector<int>{0, 1, 2, 3})) << name;
    }
}

TEST_F(HeaderSetTest, ThePromptShowsEverythingAndChoosingTwiceGivesTheSameView) {
    State.SG1().HideColumn(8);
    State.SG1().HideRow(6);
    State.SelectedRows.Toggle(2);
    State.SelectedCols.Toggle(5);
    ASSERT_TRUE(Apply(2));
    EXPECT_TRUE(State.SelectedRows.Empty());
    EXPECT_TRUE(State.SelectedCols.Empty());
    auto rows = ShownColumnOne(State.SG1());
    auto columns = VisibleColumns(State.SG1());
    EXPECT_EQ(rows, (std::vector<std::string>{"", "obj_t_pc", ""}));
    ASSERT_TRUE(Apply(2));
    EXPECT_EQ(ShownColumnOne(State.SG1()), rows);
    EXPECT_EQ(VisibleColumns(State.SG1()), columns);

    ASSERT_TRUE(Apply(0));
    EXPECT_EQ(State.SG1().RowCount(), 9);
    EXPECT_TRUE(State.SG1().HiddenRows().empty());
    EXPECT_EQ(State.SG1().HiddenColumnCount(), 0);
    EXPECT_EQ(State.SG1().CellText(1, 6), "Obj_T_Weapon");
    EXPECT_EQ(State.HeaderSetIndex, 0);
}

TEST_F(HeaderSetTest, ShowsItsStepsAndLeavesPaintingOn) {
    ASSERT_TRUE(Apply(1));
    EXPECT_EQ(Shown.Statuses,
              (std::vector<std::string>{"T101", "T102", "T103", "T104", "T101", "T102"}));
    EXPECT_EQ(State.ErrorContext, "T100");
    EXPECT_FALSE(State.PaintSuspended);
    EXPECT_EQ(Shown.BusyDepth, 0);
    EXPECT_EQ(Shown.ProgressMaxima, std::vector<int>{7});
    EXPECT_EQ(Shown.ProgressPositions.back(), 0);
}

TEST_F(HeaderSetTest, AnIndexOutsideTheListDoesNothing) {
    State.SG1().HideColumn(5);
    EXPECT_TRUE(Apply(-1));
    EXPECT_TRUE(Apply(5));
    EXPECT_TRUE(State.SG1().IsColumnHidden(5));
    EXPECT_TRUE(Shown.Statuses.empty());
}

// ------------------------------------------------------------------ against the literal loop

// The procedure as the header-set rules describe it: unhide everything, hide the columns
// from 2 on and show the listed ones character by character, then walk the data rows and
// hide each row of another type one at a time, reading the cell at its moving display row.
void ReferenceApply(EditorState& state, int index, std::vector<int>& progress) {
    TTextGrid& grid = state.SG1();
    grid.UnhideAllRows();
    grid.UnhideAllColumns();
    if (index == 0)
        return;
    const std::string type = state.HeaderSetTypes[static_cast<size_t>(index)];
    if (!state.NeverHide) {
        grid.HideColumns(2, grid.ColCount() - 1);
        std::string collected;
        for (char ch : state.HeaderSetColumns[static_cast<size_t>(index)]) {
            if (ch == ',') {
                if (auto column = ConvertInteger(collected))
                    grid.UnhideColumn(*column);
                collected.clear();
            } else {
                collected += ch;
            }
        }
    }
    if (state.DocumentFileName != "protos.tab")
        return;
    int rowCount = grid.RowCount();
    int step = rowCount <= 500 ? 1 : rowCount <= 1000 ? 2 : rowCount <= 3000 ? 3 : 4;
    int position = 0;
    int hidden = 0;
    for (int r = 1; r <= rowCount - 2; ++r) {
        if (position + 4 * step < r) {
            position = r;
            progress.push_back(r);
        }
        if (LowerAZ(grid.CellText(1, r - hidden)) != LowerAZ("obj_t_" + type)) {
            grid.HideRow(r);
            ++hidden;
        }
    }
}

std::string RandomToken(std::mt19937& random, int columns) {
    static const char* const extras[] = {"x", "", " 3", "3 ", "-1", "$2", "abc", "0x4"};
    if (random() % 4 == 0)
        return extras[random() % 8];
    return std::to_string(static_cast<int>(random() % static_cast<unsigned>(columns + 3)));
}

std::string RandomTypeCell(std::mt19937& random) {
    std::string cell;
    switch (random() % 6) {
    case 0:
        return "";
    case 1:
        return "junk";
    case 2:
        return "obj_t_";
    default:
        cell = std::string("obj_t_") + ObjectTypeNames[random() % 16];
    }
    for (char& c : cell)
        if (random() % 3 == 0)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : LowerAZ(c));
    return cell;
}

void BuildRandomState(EditorState& state, unsigned seed) {
    std::mt19937 random(seed);
    TTextGrid& grid = state.SG1();
    int columns = 2 + static_cast<int>(random() % 11);
    int rows = 1 + static_cast<int>(random() % 700);
    grid.SetColCount(columns);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        grid.SetRowHeight(r, 20 + static_cast<int>(random() % 10));
        grid.SetCell(0, r, std::to_string(r));
        grid.SetCell(1, r, RandomTypeCell(random));
        for (int c = 2; c < columns; ++c)
            if (random() % 2)
                grid.SetCell(c, r, "v" + std::to_string(random() % 100));
    }
    // Whatever an earlier view hid.
    for (int k = static_cast<int>(random() % 5); k > 0; --k)
        grid.HideRow(static_cast<int>(random() % static_cast<unsigned>(rows)));
    for (int k = static_cast<int>(random() % 3); k > 0; --k)
        grid.HideColumn(static_cast<int>(random() % static_cast<unsigned>(columns)));

    int sets = 1 + static_cast<int>(random() % 19);
    state.HeaderSetNames.assign(static_cast<size_t>(sets) + 1, "set");
    state.HeaderSetTypes.assign(1, "");
    state.HeaderSetColumns.assign(1, "");
    for (int i = 1; i <= sets; ++i) {
        state.HeaderSetTypes.push_back(i <= 16 ? ObjectTypeNames[static_cast<size_t>(i - 1)] : "");
        std::string list;
        for (int k = static_cast<int>(random() % 6); k > 0; --k)
            list += RandomToken(random, columns) + ",";
        if (random() % 3 == 0)
            list += RandomToken(random, columns);
        state.HeaderSetColumns.push_back(list);
    }
    state.NeverHide = random() % 4 == 0;
    state.DocumentFileName = random() % 5 == 0 ? "other.tab" : "protos.tab";
}

void ExpectSameGrid(const TTextGrid& expected, const TTextGrid& actual, unsigned seed) {
    ASSERT_EQ(actual.RowCount(), expected.RowCount()) << "seed " << seed;
    ASSERT_EQ(actual.ColCount(), expected.ColCount()) << "seed " << seed;
    int columns = expected.DataColumnCount();
    for (int c = 0; c < columns; ++c) {
        ASSERT_EQ(actual.IsColumnHidden(c), expected.IsColumnHidden(c)) << "seed " << seed;
    }
    for (int r = 0; r < expected.RowCount(); ++r) {
        ASSERT_EQ(actual.RowHeight(r), expected.RowHeight(r)) << "seed " << seed;
        for (int c = 0; c < columns; ++c) {
            ASSERT_EQ(actual.Cell(c, r), expected.Cell(c, r)) << "seed " << seed << " row " << r;
        }
    }
    ASSERT_EQ(actual.HiddenRows().size(), expected.HiddenRows().size()) << "seed " << seed;
    for (size_t k = 0; k < expected.HiddenRows().size(); ++k) {
        const auto& e = expected.HiddenRows()[k];
        const auto& a = actual.HiddenRows()[k];
        ASSERT_EQ(a.DataRow, e.DataRow) << "seed " << seed;
        ASSERT_EQ(a.Height, e.Height) << "seed " << seed;
        for (int c = 0; c < columns; ++c) {
            ASSERT_EQ(a.Cells.Cell(c), e.Cells.Cell(c));
        }
    }
}

TEST(HeaderSetAgainstLiteralLoop, SameGridHiddenRowsColumnsAndProgress) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        EditorState expected;
        EditorState actual;
        BuildRandomState(expected, seed);
        BuildRandomState(actual, seed);
        std::mt19937 random(seed * 7919u);
        int index = static_cast<int>(random() % expected.HeaderSetNames.size());

        std::vector<int> expectedProgress;
        ReferenceApply(expected, index, expectedProgress);
        RecordingFeedback shown;
        ASSERT_TRUE(ApplyHeaderSet(actual, index, shown));
        ExpectSameGrid(expected.SG1(), actual.SG1(), seed);

        std::vector<int> progress;
        for (int p : shown.ProgressPositions)
            if (p != 0)
                progress.push_back(p);
        EXPECT_EQ(progress, expectedProgress) << "seed " << seed;
    }
}

} // namespace
} // namespace tw
