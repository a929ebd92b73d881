#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "core/document/filesink.h"
#include "core/document/save.h"
#include "support/document_fixture.h"

namespace tw {
namespace {

using namespace std::string_literals;

// The names in a folder, without the settings file and the program folder (with its
// language file) the fixture keeps there.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("settings.reg", 0) != 0 && name != "program") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct RoundTrip {
    const char* Name;
    const char* File;
    std::string Bytes;
    std::string Saved;
};

class RoundTrips : public DocumentTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(RoundTrips, LoadThenSaveGivesTheBytesOfTheRules) {
    const auto& c = GetParam();
    ASSERT_TRUE(Load(c.File, c.Bytes).Ok);
    EXPECT_EQ(SaveAndRead(), c.Saved);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RoundTrips,
    ::testing::Values(
        RoundTrip{"TabRaggedRowsGainTabs", "a.tab", "a\tb\tc\nd\ne\tf\n",
                  "a\tb\tc\r\nd\t\t\r\ne\tf\t\r\n"},
        RoundTrip{"TabBlankLineInsideBecomesTabsAtEndDropped", "a.tab", "a\tb\n\nc\td\n\n\n",
                  "a\tb\r\n\t\r\nc\td\r\n"},
        RoundTrip{"TabKeepsSingleSpacesAndBraces", "other.tab", "1\t \t{x}\n", "1\t \t{x}\r\n"},
        RoundTrip{"ProtosColumnTwoAndSingleSpacesEmpty", "protos.tab",
                  "1\tobj_t_npc\tdesc\t \t  \tz\n", "1\tobj_t_npc\t\t\t  \tz\r\n"},
        RoundTrip{"ProtosNameIsLowerCasedAtLoad", "PROTOS.TAB", "1\tt\tdesc\n", "1\tt\t\r\n"},
        RoundTrip{"EmptyTab", "e.tab", "", "\t\r\n"},
        RoundTrip{"MesUnchanged", "m.mes", "{100}{Some text}\r\n// comment\n\n{101}{a} // note\n",
                  "{100}{Some text}\r\n// comment\r\n\r\n{101}{a} // note\r\n"},
        RoundTrip{"MesFirstFieldWrapped", "m.mes", "x{100}{a}\n  // indented\n",
                  "{x100}{a}\r\n{  // indented}\r\n"},
        RoundTrip{"MesClosingBraceInText", "m.mes", "{1}{a}b}\n{2}{}\n", "{1}{a}b}\r\n{2}{}\r\n"},
        RoundTrip{"MesBlankLinesAtEndDropped", "m.mes", "{1}{a}\n\n\n", "{1}{a}\r\n"},
        RoundTrip{"EmptyMes", "e.mes", "", "\r\n"},
        RoundTrip{"DlgSevenFieldsUnchanged", "d.dlg", "{1}{Hello}{m}{f}{}{}{}\n",
                  "{1}{Hello}{m}{f}{}{}{}\r\n"},
        RoundTrip{"DlgFewerFieldsGainEmptyOnes", "d.dlg", "{2}{Hi}\n", "{2}{Hi}{}{}{}{}{}\r\n"},
        RoundTrip{"DlgFieldsBeyondSevenLost", "d.dlg", "{3}{a}{b}{c}{d}{e}{f}{g}{h}\n",
                  "{3}{a}{b}{c}{d}{e}{f}\r\n"},
        RoundTrip{"DlgNonIntegerKeyLosesBraces", "d.dlg", "{abc}{x}{y}\n// note\n",
                  "{abc}xy\r\n// note\r\n"},
        RoundTrip{"EmptyDlg", "e.dlg", "", "\r\n"},
        RoundTrip{"BytesOutsideTheCodePageAndNul", "b.tab",
                  "1\ta\0b\t\x80\x81\x8D\x8F\x90\x9D\xFF\t\x01lead\n"s,
                  "1\ta\0b\t\x80\x81\x8D\x8F\x90\x9D\xFF\t\x01lead\r\n"s},
        RoundTrip{"NulAndHighBytesInMes", "b.mes", "{1}{\0\xE9}\n"s, "{1}{\0\xE9}\r\n"s},
        RoundTrip{"LoneCrAndByte26", "c.tab", "a\rb\tc\r\nd\x1A" "e\n", "ab\tc\r\nd\t\r\n"}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(DocumentTest, HugeLinesAndManyFieldsComeBackWhole) {
    std::string wide;
    for (int i = 0; i < 100000; ++i) wide += (i ? "\t" : "") + std::to_string(i % 7);
    std::string huge(1 << 20, 'q');
    huge[12345] = '\0';
    ASSERT_TRUE(Load("big.tab", wide + "\n" + huge + "\n").Ok);
    EXPECT_EQ(State.SG1().ColCount(), 100000);
    std::string saved = SaveAndRead();
    std::string tabs(99999, '\t');
    EXPECT_EQ(saved, wide + "\r\n" + huge + tabs + "\r\n");
}

TEST_F(DocumentTest, HiddenRowsAndColumnsAreSavedInTheirPlaces) {
    std::string bytes = "0\ta\tb\tc\n1\td\te\tf\n2\tg\th\ti\n3\tj\tk\tl\n4\tm\tn\to\n";
    ASSERT_TRUE(Load("h.tab", bytes).Ok);
    std::string whole = SaveAndRead();
    TTextGrid& grid = State.SG1();
    grid.HideRows({1, 3, 5});
    grid.HideColumn(1);
    grid.HideColumn(3);
    ASSERT_EQ(grid.RowCount(), 4);
    ASSERT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(SaveAndRead(), whole);
    // The spare last row hidden as well, and rows deleted while others are hidden.
    grid.HideRow(6);
    EXPECT_EQ(SaveAndRead(), whole);
    grid.UnhideAllRows();
    grid.HideRow(2);
    grid.DeleteRows(1, 1);
    EXPECT_EQ(SaveAndRead(), "1\td\te\tf\r\n2\tg\th\ti\r\n3\tj\tk\tl\r\n4\tm\tn\to\r\n");
}

TEST_F(DocumentTest, TheSpareRowIsWrittenOnceItHoldsText) {
    ASSERT_TRUE(Load("s.tab", "1\ta\n2\tb\n").Ok);
    TTextGrid& grid = State.SG1();
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(SaveAndRead(), "1\ta\r\n2\tb\r\n");
    // Typed into the spare row: the line is not lost.
    grid.SetCell(0, 3, "3");
    EXPECT_EQ(SaveAndRead(), "1\ta\r\n2\tb\r\n3\t\r\n");
    // The spare row deleted: the last line of the file still comes back.
    grid.SetCell(0, 3, "");
    grid.DeleteRows(3, 1);
    EXPECT_EQ(SaveAndRead(), "1\ta\r\n2\tb\r\n");
}

TEST_F(DocumentTest, SaveWritesTheRealNameInTheDocumentsOwnFolder) {
    ASSERT_TRUE(Load("Data/Rules/Protos.TAB", "1\tt\tdesc\n").Ok);
    SaveResult saved = SaveDocument(State, Shown);
    ASSERT_TRUE(saved.Ok) << saved.Message;
    EXPECT_EQ(saved.Target, Folder.Path() + "Data/Rules/Protos.TAB");
    EXPECT_EQ(TempFolder::Read(saved.Target), "1\tt\t\r\n");
    EXPECT_FALSE(TempFolder::Exists(Folder.Path() + "data/rules/protos.tab"));
    EXPECT_EQ(Shown.Statuses.back(), "T98 protos.tab");
    EXPECT_NE(std::find(Shown.Statuses.begin(), Shown.Statuses.end(), "T97 protos.tab"),
              Shown.Statuses.end());
    EXPECT_EQ(Shown.BusyDepth, 0);
    // No temporary file left over.
    EXPECT_EQ(FilesIn(Folder.Path() + "Data/Rules"),
              (std::vector<std::string>{"Protos.TAB", "Protos.bak"}));
}

TEST_F(DocumentTest, SaveAsTakesTheNameAsTypedAndLaterSavesFollowIt) {
    ASSERT_TRUE(Load("one/protos.tab", "1\tt\tdesc\n").Ok);
    std::string other = Folder.Path() + "two";
    std::filesystem::create_directory(other);
    SetSaveAsTarget(State, other, "Protos.tab");
    EXPECT_EQ(State.DocumentFolder, other + "/");
    EXPECT_EQ(State.LoadExt, ".tab");
    ASSERT_TRUE(SaveDocument(State, Shown).Ok);
    // Not exactly "protos.tab": column 2 is written like any other column.
    EXPECT_EQ(TempFolder::Read(other + "/Protos.tab"), "1\tt\tdesc\r\n");
    State.SG1().SetCell(0, 1, "2");
    ASSERT_TRUE(SaveDocument(State, Shown).Ok);
    EXPECT_EQ(TempFolder::Read(other + "/Protos.tab"), "2\tt\tdesc\r\n");
    EXPECT_EQ(TempFolder::Read(Folder.Path() + "one/protos.tab"), "1\tt\tdesc\n");
}

TEST_F(DocumentTest, SavingKeepsThePermissionsOfTheReplacedFile) {
    std::string path = Folder.Write("p.mes", "{1}{a}\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(LoadTable(State, path, 1, Shown).Ok);
    ASSERT_TRUE(SaveDocument(State, Shown).Ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(DocumentTest, NothingLoadedMeansNothingWritten) {
    SaveResult saved = SaveDocument(State, Shown);
    EXPECT_FALSE(saved.Ok);
    EXPECT_EQ(saved.Message, "T99 T95 ");
    EXPECT_EQ(Shown.BusyDepth, 0);
    EXPECT_TRUE(FilesIn(Folder.Path()).empty());
}

// A file system that fails: after `failAfter` bytes, or at the rename.
class FailingWriter : public AtomicFileWriter {
public:
    FailingWriter(std::string target, long failAfter, bool failRename)
        : AtomicFileWriter(std::move(target)), Left(failAfter), FailRename(failRename) {}

protected:
    ssize_t WriteSome(int fd, const char* data, size_t size) override {
        if (Left >= 0) {
            if (Left == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = std::min(size, static_cast<size_t>(Left));
            Left -= static_cast<long>(size);
        }
        return AtomicFileWriter::WriteSome(fd, data, size);
    }
    int RenameFile(const std::string& from, const std::string& to) override {
        if (FailRename) {
            errno = EXDEV;
            return -1;
        }
        return AtomicFileWriter::RenameFile(from, to);
    }

private:
    long Left;
    bool FailRename;
};

struct FailureCase {
    const char* Name;
    long FailAfter; // -1: never
    bool FailRename;
};

class FailedSaves : public DocumentTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedSaves, LeaveThePreviousFileWholeAndSaySo) {
    const auto& c = GetParam();
    std::string original;
    for (int i = 0; i < 50000; ++i) original += std::to_string(i) + "\tvalue\n";
    std::string path = Folder.Write("keep.tab", original);
    ASSERT_TRUE(LoadTable(State, path, 1, Shown).Ok);
    State.SG1().SetCell(1, 1, "changed");

    FailingWriter writer(path, c.FailAfter, c.FailRename);
    SaveResult saved = SaveDocumentWith(State, writer, Shown);
    EXPECT_FALSE(saved.Ok);
    EXPECT_EQ(saved.Message, "T99 T96 keep.tab");
    EXPECT_FALSE(saved.SystemError.empty());
    EXPECT_EQ(TempFolder::Read(path), original);
    EXPECT_EQ(Shown.BusyDepth, 0);
    EXPECT_NE(Shown.Statuses.back(), "T98 keep.tab");
    // The temporary file is gone.
    EXPECT_EQ(FilesIn(Folder.Path()), (std::vector<std::string>{"keep.bak", "keep.tab"}));
}

INSTANTIATE_TEST_SUITE_P(Injected, FailedSaves,
                         ::testing::Values(FailureCase{"AtTheFirstByte", 0, false},
                                           FailureCase{"PartWay", 100000, false},
                                           FailureCase{"AtTheRename", -1, true}),
                         [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(DocumentTest, ATargetThatCannotBeCreatedIsReportedAsCreating) {
    ASSERT_TRUE(Load("gone/a.tab", "1\n").Ok);
    std::filesystem::remove_all(Folder.Path() + "gone");
    SaveResult saved = SaveDocument(State, Shown);
    EXPECT_FALSE(saved.Ok);
    EXPECT_EQ(saved.Message, "T99 T95 a.tab");
    EXPECT_FALSE(TempFolder::Exists(Folder.Path() + "gone"));
}

} // namespace
} // namespace tw
