#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/app/text.h"
#include "core/document/loader.h"
#include "support/document_fixture.h"

namespace tw {
namespace {

using namespace std::string_literals;

// Every row of `grid` as its cells up to the column count.
std::vector<std::vector<std::string>> Rows(const TTextGrid& grid) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.RowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < grid.DataColumnCount(); ++c)
            row.emplace_back(grid.Cell(c, r));
        rows.push_back(row);
    }
    return rows;
}

struct ShapeCase {
    const char* Name;
    const char* File;
    std::string Bytes;
    int Rows; // header row and spare row included
    int Cols;
};

class LoadedShape : public DocumentTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(LoadedShape, RowsUpToTheLastLineWithCellsPlusOneAndColumnsOfTheWidestLine) {
    const auto& c = GetParam();
    LoadResult loaded = Load(c.File, c.Bytes);
    ASSERT_TRUE(loaded.Ok) << loaded.Message;
    EXPECT_EQ(State.SG1().RowCount(), c.Rows);
    EXPECT_EQ(State.SG1().ColCount(), c.Cols);
    EXPECT_EQ(State.LastColIndex, c.Cols - 1);
    EXPECT_EQ(State.LoadedRowCount, c.Rows);
    EXPECT_EQ(State.LoadedColCount, c.Cols);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadedShape,
    ::testing::Values(ShapeCase{"RaggedTab", "a.tab", "1\t2\t3\n1\t2\t3\t4\t5\n1\t2\t3\t4\n", 5, 5},
                      ShapeCase{"BlankLinesAtEndMakeNoRows", "a.tab", "a\n\nb\n\n\n\n", 5, 2},
                      ShapeCase{"EmptyTab", "a.tab", "", 3, 2},
                      ShapeCase{"EmptyMes", "a.mes", "", 3, 2},
                      ShapeCase{"EmptyDlgHasSevenColumns", "a.dlg", "", 3, 7},
                      ShapeCase{"ShortDlgLines", "a.dlg", "{1}{a}\n", 3, 7},
                      ShapeCase{"LongDlgLinesCut", "a.dlg", "{1}{a}{b}{c}{d}{e}{f}{g}{h}\n", 3, 7},
                      ShapeCase{"MesComments", "a.mes", "// x\n{1}{a} b\n", 4, 3},
                      ShapeCase{"CrOnlyLinesAreEmpty", "a.tab", "a\r\r\n\r\nb\r", 5, 2},
                      ShapeCase{"UpperCaseExtensionIsTab", "A.TAB", "a\tb\tc\n", 3, 3}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(DocumentTest, RaggedRowsHaveEmptyTrailingCellsAndBlankLinesStayEmptyRows) {
    ASSERT_TRUE(Load("t.tab", "a\tb\tc\n\nd\n").Ok);
    std::vector<std::vector<std::string>> expected = {
        {"", "", "T65 2"}, {"a", "b", "c"}, {"", "", ""}, {"d", "", ""}, {"", "", ""}};
    EXPECT_EQ(Rows(State.SG1()), expected);
}

TEST_F(DocumentTest, MesCellsKeepTheirBraces) {
    ASSERT_TRUE(Load("m.mes", "{100}{Some text}\n{ 100}{x}\n{100}{}\n").Ok);
    const TTextGrid& g = State.SG1();
    EXPECT_EQ(g.Cell(0, 1), "100");
    EXPECT_EQ(g.Cell(1, 1), "{Some text}");
    EXPECT_EQ(g.Cell(0, 2), " 100");
    EXPECT_EQ(g.Cell(1, 3), "{}");
}

TEST_F(DocumentTest, DialogCaptionsWhateverTheLinesHold) {
    ASSERT_TRUE(Load("d.dlg", "{1}{Hello}{m}{f}{}{}{}\nplain\n").Ok);
    std::vector<std::string> header;
    for (int c = 0; c < 7; ++c)
        header.emplace_back(State.SG1().Cell(c, 0));
    EXPECT_EQ(header, (std::vector<std::string>{"#", "T68", "T69", "T70", "T71", "T72", "T73"}));
    EXPECT_EQ(State.SG1().Cell(1, 1), "Hello");
    EXPECT_EQ(State.SG1().Cell(0, 2), "plain");
}

TEST_F(DocumentTest, DocumentMembersAreLowerCasedAndTheRealPathIsKept) {
    std::string path = Folder.Write("Game/Data/Rules/Protos.TAB", "1\tobj_t_npc\n");
    ASSERT_TRUE(LoadTable(State, path, 1, Shown).Ok);
    std::string realFolder = Folder.Path() + "Game/Data/Rules/";
    EXPECT_EQ(State.DocumentFileName, "protos.tab");
    EXPECT_EQ(State.DocumentExt, ".tab");
    EXPECT_EQ(State.DocumentFolder, LowerAZ(realFolder));
    EXPECT_EQ(State.DocumentRealFolder, realFolder);
    EXPECT_EQ(State.DocumentRealName, "Protos.TAB");
    EXPECT_EQ(State.LoadExt, ".tab");
    EXPECT_EQ(Shown.ChooserFolder, realFolder);
    std::string stored;
    ASSERT_TRUE(State.Reg1.ReadString("protopath", stored));
    EXPECT_EQ(stored, realFolder); // as on disk, or the next start could not find it
}

TEST_F(DocumentTest, OnlyProtosTabIsStoredAsProtoPath) {
    ASSERT_TRUE(Load("x/other.tab", "1\n").Ok);
    std::string stored = "unchanged";
    ASSERT_TRUE(State.Reg1.ReadString("protopath", stored));
    EXPECT_EQ(stored, "");
}

TEST_F(DocumentTest, StatusTextsProgressAndFlagsOfALoad) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += std::to_string(i) + "\tx\n";
    ASSERT_TRUE(Load("big.tab", bytes).Ok);
    ASSERT_FALSE(Shown.Statuses.empty());
    EXPECT_EQ(Shown.Statuses.front(), "T61 big.tab");
    EXPECT_EQ(Shown.Statuses.back(), "T64 big.tab");
    ASSERT_FALSE(Shown.ProgressMaxima.empty());
    EXPECT_EQ(Shown.ProgressMaxima.front(), 3000);
    // More than 2000 lines: the bar moves every 16 lines or so, not on every line.
    EXPECT_GT(Shown.ProgressPositions.size(), 100u);
    EXPECT_LT(Shown.ProgressPositions.size(), 300u);
    EXPECT_EQ(Shown.Progress, Shown.ProgressMax); // a full bar at the end
    EXPECT_EQ(Shown.BusyDepth, 0);
    EXPECT_FALSE(State.PaintSuspended);
    EXPECT_TRUE(Shown.Messages.empty());
}

TEST_F(DocumentTest, SecondarySlotLeavesTheDocumentMembersAlone) {
    ASSERT_TRUE(Load("one.mes", "{1}{a}\n").Ok);
    ASSERT_TRUE(Load("two.tab", "1\t2\t3\t4\n", 2).Ok);
    EXPECT_EQ(State.DocumentFileName, "one.mes");
    EXPECT_EQ(State.LoadExt, ".tab");
    EXPECT_EQ(State.LastColIndex, 3);
    EXPECT_EQ(State.CurrentGridSlot, 2);
    EXPECT_EQ(State.Grid(2).Cell(3, 1), "4");
    // SG2 has no fixed column: its column count starts from one.
    ASSERT_TRUE(Load("three.tab", "", 2).Ok);
    EXPECT_EQ(State.Grid(2).ColCount(), 1);
}

TEST_F(DocumentTest, HiddenRowsAndColumnsOfThePreviousDocumentNeverComeBack) {
    ASSERT_TRUE(Load("a.tab", "a1\tx\ty\na2\na3\na4\n").Ok);
    State.SG1().HideRow(2);
    State.SG1().HideRow(3);
    State.SG1().HideColumn(1);
    State.SelectedCols.Toggle(2);
    ASSERT_TRUE(Load("b.tab", "b1\tp\tq\n").Ok);
    EXPECT_EQ(State.SG1().ColCount(), 3);
    EXPECT_EQ(State.SG1().HiddenColumnCount(), 0);
    EXPECT_TRUE(State.SelectedCols.Empty());
    State.SG1().UnhideAllRows();
    EXPECT_EQ(State.SG1().RowCount(), 3);
    EXPECT_EQ(State.SG1().Cell(0, 1), "b1");
    EXPECT_EQ(State.SG1().Cell(0, 2), "");
}

TEST_F(DocumentTest, BackupIsMadeOnceAndNeverOverwritten) {
    std::string path = Folder.Write("protos.tab", "first\n");
    ASSERT_TRUE(LoadTable(State, path, 1, Shown).Ok);
    EXPECT_EQ(TempFolder::Read(Folder.Path() + "protos.bak"), "first\n");
    Folder.Write("protos.tab", "second\n");
    ASSERT_TRUE(LoadTable(State, path, 2, Shown).Ok);
    EXPECT_EQ(TempFolder::Read(Folder.Path() + "protos.bak"), "first\n");
    EXPECT_EQ(State.Grid(2).Cell(0, 1), "second");
}

TEST_F(DocumentTest, AnExistingBackupOfAnotherFileIsNotTouched) {
    Folder.Write("a.bak", "keep me\n");
    ASSERT_TRUE(Load("a.mes", "{1}{x}\n").Ok);
    EXPECT_EQ(TempFolder::Read(Folder.Path() + "a.bak"), "keep me\n");
}

TEST_F(DocumentTest, NoBackupWhenTheCallerSaysSo) {
    std::string path = Folder.Write("a.dlg", "{1}{x}\n");
    LoadOptions options;
    options.MakeBackup = false;
    ASSERT_TRUE(LoadTable(State, path, 1, Shown, options).Ok);
    EXPECT_FALSE(TempFolder::Exists(Folder.Path() + "a.bak"));
}

struct UnopenableCase {
    const char* Name;
    // Makes the path to load below the folder; gives it.
    std::string (*Make)(const TempFolder& folder);
    const char* Context; // "T62" opening, "T63" reading
};

class UnopenableFiles : public DocumentTest,
                        public ::testing::WithParamInterface<UnopenableCase> {};

// Nothing the user had open is lost to a file that cannot be loaded, and nothing waits.
TEST_P(UnopenableFiles, LeaveTheOpenDocumentAndSayWhy) {
    const UnopenableCase& c = GetParam();
    ASSERT_TRUE(Load("keep.tab", "old\t1\n").Ok);
    ASSERT_TRUE(Load("second.tab", "two\n", 2).Ok);
    Shown = RecordingFeedback();
    const std::string path = c.Make(Folder);
    LoadOptions options;
    options.MaxLines = 3;
    options.MaxLineBytes = 8;

    LoadResult loaded = LoadTable(State, path, 1, Shown, options);
    EXPECT_FALSE(loaded.Ok);
    ASSERT_FALSE(loaded.SystemError.empty());
    ASSERT_EQ(Shown.Messages.size(), 1u);
    EXPECT_EQ(Shown.Messages[0],
              "T60 " + std::string(c.Context) + " " + path + "\n" + loaded.SystemError);
    EXPECT_EQ(State.SG1().Cell(0, 1), "old");
    EXPECT_EQ(State.Grid(2).Cell(0, 1), "two");
    EXPECT_EQ(State.DocumentFileName, "keep.tab");
    EXPECT_EQ(State.LoadExt, ".tab");
    for (const std::string& status : Shown.Statuses) {
        EXPECT_NE(status.rfind("T64", 0), 0u);
    }
    EXPECT_EQ(Shown.BusyDepth, 0);
    EXPECT_FALSE(State.PaintSuspended);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnopenableFiles,
    ::testing::Values(
        UnopenableCase{"Missing", [](const TempFolder& f) { return f.Path() + "missing.tab"; },
                       "T62"},
        UnopenableCase{"Folder",
                       [](const TempFolder& f) {
                           std::filesystem::create_directory(f.Path() + "folder.tab");
                           return f.Path() + "folder.tab";
                       },
                       "T62"},
        UnopenableCase{"FifoWithoutWriter",
                       [](const TempFolder& f) {
                           std::string path = f.Path() + "pipe.tab";
                           ::mkfifo(path.c_str(), 0600);
                           return path;
                       },
                       "T62"},
        UnopenableCase{"EndlessDevice", [](const TempFolder&) { return std::string("/dev/zero"); },
                       "T62"},
        UnopenableCase{"MoreLinesThanAGridHolds",
                       [](const TempFolder& f) { return f.Write("long.tab", "1\n2\n3\n4\n"); },
                       "T63"},
        UnopenableCase{"ALineLongerThanARowHolds",
                       [](const TempFolder& f) { return f.Write("wide.tab", "1\n123456789\n"); },
                       "T63"}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(DocumentTest, FilesJustWithinTheLimitsLoadWhole) {
    LoadOptions options;
    options.MaxLines = 3;
    options.MaxLineBytes = 8;
    ASSERT_TRUE(LoadTable(State, Folder.Write("a.tab", "1\n2\n1234567\n"), 1, Shown, options).Ok);
    EXPECT_EQ(State.SG1().Cell(0, 3), "1234567");
}

TEST_F(DocumentTest, AnEmptyPathLoadsNothingAndSaysNothing) {
    ASSERT_TRUE(Load("a.tab", "keep\t1\t2\n").Ok);
    EXPECT_TRUE(LoadTable(State, "", 1, Shown).Ok);
    EXPECT_TRUE(Shown.Messages.empty());
    EXPECT_EQ(State.SG1().Cell(0, 1), "keep");
    EXPECT_FALSE(State.PaintSuspended);
}

TEST_F(DocumentTest, AnInvalidSlotIsReportedWithTheGeneralMessage) {
    LoadResult loaded = LoadTable(State, Folder.Write("a.tab", "x\n"), 6, Shown);
    EXPECT_FALSE(loaded.Ok);
    EXPECT_EQ(Shown.Messages, std::vector<std::string>{"T94"});
    EXPECT_FALSE(State.PaintSuspended);
    EXPECT_EQ(Shown.BusyDepth, 0);
}

TEST_F(DocumentTest, UnexpectedBytesLoadAsTheyAre) {
    ASSERT_TRUE(Load("odd.tab", "1\ta\0b\t\x80\x81\x8D\xFF\t\x01x\n"s).Ok);
    EXPECT_EQ(State.SG1().Cell(1, 1), "a\0b"s);
    EXPECT_EQ(State.SG1().Cell(2, 1), "\x80\x81\x8D\xFF");
    EXPECT_EQ(State.SG1().Cell(3, 1), "\x01x");
}

TEST_F(DocumentTest, AutoSizeOnLoadSizesEveryColumnWhenTheEditorMeasures) {
    State.AutoSizeOnLoad = true;
    State.Measure.Width = [](std::string_view text, bool) { return static_cast<int>(text.size()); };
    ASSERT_TRUE(Load("a.tab", "123456789012345678901234567890\tab\n").Ok);
    EXPECT_EQ(State.SG1().ColWidth(0), 30 + 12);
    EXPECT_NE(std::find(Shown.Statuses.begin(), Shown.Statuses.end(), "T66"), Shown.Statuses.end());
    EXPECT_NE(std::find(Shown.Statuses.begin(), Shown.Statuses.end(), "T67"), Shown.Statuses.end());
    EXPECT_EQ(Shown.BusyDepth, 0);
}

TEST_F(DocumentTest, NoAutoSizeWithoutAMeasure) {
    State.AutoSizeOnLoad = true;
    ASSERT_TRUE(Load("a.tab", "1234567890\n").Ok);
    EXPECT_EQ(std::find(Shown.Statuses.begin(), Shown.Statuses.end(), "T66"), Shown.Statuses.end());
}

} // namespace
} // namespace tw
