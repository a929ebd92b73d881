#include <gtest/gtest.h>

#include <random>

#include "core/compare/sortbycolumn.h"
#include "core/document/documentedits.h"
#include "core/grid/gridcommands.h"
#include "core/headers/headersets.h"
#include "support/document_fixture.h"
#include "support/grid_content.h"

namespace tw {
namespace {

std::vector<int> HiddenDataRows(const EditorState& state) {
    std::vector<int> rows;
    for (const HiddenRowRecord& record : state.SG1().HiddenRows())
        rows.push_back(record.DataRow);
    return rows;
}

// A protos.tab in the form Save writes, so a save after undoing everything gives back the
// very bytes loaded: equal widths, column 2 (descriptions) empty, CR LF.
std::string ProtosBytes(std::mt19937& random, int rows) {
    static const char* types[] = {"obj_t_weapon", "obj_t_npc", "obj_t_armor"};
    std::string bytes;
    for (int r = 0; r < rows; ++r) {
        bytes += std::to_string(1000 + static_cast<int>(random() % 50)) + "\t" +
                 types[random() % 3] + "\t";
        for (int c = 3; c < 7; ++c)
            bytes += "\t" + std::string(1, static_cast<char>('a' + random() % 26));
        bytes += "\r\n";
    }
    return bytes;
}

class DocumentHistoryTest : public DocumentTest {
  protected:
    void LoadProtos(std::mt19937& random, int rows) {
        Loaded = ProtosBytes(random, rows);
        ASSERT_TRUE(Load("protos.tab", Loaded).Ok);
        State.HeaderSetNames = {"prompt", "Weapon", "NPC", "Armor"};
        State.HeaderSetTypes = {"", "Weapon", "NPC", "Armor"};
        State.HeaderSetColumns = {"", "0,1,3,5,", "0,4,", "0,1,2,3,6,"};
    }

    int RandomRow(std::mt19937& random) {
        const int rows = State.SG1().RowCount();
        return rows <= 1 ? 1 : 1 + static_cast<int>(random() % static_cast<unsigned>(rows - 1));
    }

    // Views only: hiding, header sets, marks. None of them is a step.
    void RandomView(std::mt19937& random) {
        TTextGrid& grid = State.SG1();
        switch (random() % 5) {
        case 0:
            ApplyHeaderSet(State, static_cast<int>(random() % 4), Shown);
            break;
        case 1:
            grid.HideRow(grid.DataRowOf(RandomRow(random)));
            break;
        case 2:
            State.SelectedRows.Toggle(RandomRow(random));
            break;
        case 3:
            grid.HideColumn(1 + static_cast<int>(random() % 6));
            break;
        default:
            grid.UnhideAllRows();
        }
    }

    void RandomEdit(std::mt19937& random) {
        TTextGrid& grid = State.SG1();
        const std::string text(1 + random() % 20, static_cast<char>('A' + random() % 26));
        State.ClickedRow = RandomRow(random);
        switch (random() % 8) {
        case 0:
        case 1:
            WriteCell(State, static_cast<int>(random() % 7), State.ClickedRow, text);
            break;
        case 2:
            WriteCells(State, {{1, State.ClickedRow, text},
                               {3, State.ClickedRow, ""},
                               {static_cast<int>(random() % 7), RandomRow(random), text + "x"}});
            break;
        case 3:
            InsertRowAbove(State);
            break;
        case 4:
            CopyThisRow(State);
            break;
        case 5:
            if (grid.RowCount() > 3)
                DeleteThisRow(State);
            break;
        case 6:
            State.TextOrderAllowed = random() % 2 == 0;
            SortGridByColumn(State, 1, static_cast<int>(random() % 7), Shown);
            break;
        default: {
            // A change too wide for single steps, as a combine run makes.
            WholeDocumentStep whole(State);
            grid.DeleteRows(RandomRow(random), 1);
            grid.InsertRows(RandomRow(random), 2);
            grid.SetCell(4, RandomRow(random), text);
            SortGridByColumn(State, 1, 0, Shown);
        }
        }
    }

    std::string Loaded;
};

TEST_F(DocumentHistoryTest, UndoAllGivesTheLoadedDocumentAndRedoAllTheEditedOne) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        LoadProtos(random, 3 + static_cast<int>(random() % 25));
        const auto loaded = Content(State);
        EXPECT_FALSE(State.History.Modified());

        const int actions = 1 + static_cast<int>(random() % 30);
        for (int k = 0; k < actions; ++k) {
            if (random() % 3 == 0)
                RandomView(random);
            RandomEdit(random);
        }
        const auto edited = Content(State);
        const size_t steps = State.History.UndoCount();

        while (State.History.CanUndo()) {
            if (random() % 3 == 0)
                RandomView(random);
            UndoDocument(State);
        }
        ASSERT_EQ(Content(State), loaded);
        EXPECT_FALSE(State.History.Modified());
        EXPECT_EQ(State.History.RedoCount(), steps);
        EXPECT_EQ(SaveAndRead(), Loaded);

        while (State.History.CanRedo()) {
            if (random() % 3 == 0)
                RandomView(random);
            RedoDocument(State);
        }
        ASSERT_EQ(Content(State), edited);
        EXPECT_EQ(State.History.Modified(), steps > 0);
    }
}

TEST_F(DocumentHistoryTest, HiddenRowsStayHiddenAmongTheirNeighbours) {
    std::mt19937 random(7);
    LoadProtos(random, 8);
    TTextGrid& grid = State.SG1();
    grid.HideRow(4);
    const std::string hiddenKey(grid.HiddenRows().front().Cells.Cell(0));
    State.ClickedRow = 2;
    InsertRowAbove(State); // the hidden row moves down with the rows around it
    EXPECT_EQ(HiddenDataRows(State), std::vector<int>{5});
    State.ClickedRow = 1;
    DeleteThisRow(State);
    EXPECT_EQ(HiddenDataRows(State), std::vector<int>{4});
    State.SelectedRows.Toggle(3);
    UndoDocument(State);
    UndoDocument(State);
    EXPECT_EQ(HiddenDataRows(State), std::vector<int>{4});
    EXPECT_EQ(grid.HiddenRows().front().Cells.Cell(0), hiddenKey);
    // Row steps leave the marks on their display rows, as the row commands do.
    EXPECT_TRUE(State.SelectedRows.Contains(3));

    // A cell of a row hidden after the edit is put back in the hidden row, which stays
    // hidden.
    const int dataRow = grid.DataRowOf(6);
    const std::string before = grid.CellText(5, 6);
    WriteCell(State, 5, 6, "changed");
    grid.HideRow(dataRow);
    UndoDocument(State);
    EXPECT_EQ(HiddenDataRows(State), (std::vector<int>{4, dataRow}));
    grid.UnhideAllRows();
    EXPECT_EQ(grid.CellText(5, dataRow), before);
}

TEST_F(DocumentHistoryTest, RefusedTextsChangeNothingAndRecordNothing) {
    std::mt19937 random(3);
    LoadProtos(random, 4);
    const auto loaded = Content(State);
    auto refused = WriteCell(State, 3, 1, "a\tb");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Byte, '\t');
    EXPECT_FALSE(refused->Reason.empty());
    // A paste with one bad cell is refused whole.
    EXPECT_TRUE(WriteCells(State, {{3, 1, "fine"}, {4, 2, "line\nbreak"}}));
    EXPECT_FALSE(WriteCell(State, 3, 1, std::string(State.SG1().Cell(3, 1))));
    EXPECT_EQ(Content(State), loaded);
    EXPECT_FALSE(State.History.CanUndo());
    EXPECT_FALSE(State.History.Modified());
}

struct ModifiedCase {
    const char* Moves; // e edit, s save, u undo, r redo, l load
    bool Modified;
};

class ModifiedStateTest : public DocumentHistoryTest,
                          public ::testing::WithParamInterface<ModifiedCase> {};

TEST_P(ModifiedStateTest, FollowsTheSavedPoint) {
    std::mt19937 random(11);
    LoadProtos(random, 5);
    int n = 0;
    for (const char* move = GetParam().Moves; *move; ++move) {
        switch (*move) {
        case 'e':
            WriteCell(State, 3, 1 + n % 3, "edit" + std::to_string(n));
            ++n;
            break;
        case 's':
            ASSERT_TRUE(SaveDocument(State, Shown).Ok);
            break;
        case 'u':
            UndoDocument(State);
            break;
        case 'r':
            RedoDocument(State);
            break;
        case 'l':
            ASSERT_TRUE(LoadTable(State, SaveTargetOf(State), 1, Shown).Ok);
            break;
        }
    }
    EXPECT_EQ(State.History.Modified(), GetParam().Modified) << GetParam().Moves;
}

INSTANTIATE_TEST_SUITE_P(Moves, ModifiedStateTest,
                         ::testing::Values(ModifiedCase{"", false}, ModifiedCase{"e", true},
                                           ModifiedCase{"es", false}, ModifiedCase{"esu", true},
                                           ModifiedCase{"esur", false}, ModifiedCase{"eu", false},
                                           ModifiedCase{"eur", true}, ModifiedCase{"eseu", false},
                                           ModifiedCase{"eseuu", true},
                                           // the saved version was undone past and replaced
                                           ModifiedCase{"esue", true}, ModifiedCase{"esueu", true},
                                           ModifiedCase{"eel", false}));

TEST_F(DocumentHistoryTest, LoadingForgetsTheHistory) {
    std::mt19937 random(5);
    LoadProtos(random, 5);
    WriteCell(State, 3, 1, "x");
    UndoDocument(State);
    WriteCell(State, 3, 2, "y");
    ASSERT_TRUE(State.History.CanUndo());
    LoadProtos(random, 5);
    EXPECT_FALSE(State.History.CanUndo());
    EXPECT_FALSE(State.History.CanRedo());
}

} // namespace
} // namespace tw
