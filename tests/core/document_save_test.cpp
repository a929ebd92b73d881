#include <gtest/gtest.h>

#include <cstring>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/document/fileformat.h"
#include "core/document/filesink.h"
#include "core/document/save.h"
#include "core/grid/textgrid.h"
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
        if (name.rfind("settings.reg", 0) != 0 && name != "program")
            names.push_back(name);
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
        RoundTrip{"LoneCrAndByte26", "c.tab",
                  "a\rb\tc\r\nd\x1A"
                  "e\n",
                  "ab\tc\r\nd\t\r\n"}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(DocumentTest, HugeLinesAndManyFieldsComeBackWhole) {
    std::string wide;
    for (int i = 0; i < 100000; ++i)
        wide += (i ? "\t" : "") + std::to_string(i % 7);
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
    for (int i = 0; i < 50000; ++i)
        original += std::to_string(i) + "\tvalue\n";
    std::string path = Folder.Write("keep.tab", original);
    ASSERT_TRUE(LoadTable(State, path, 1, Shown).Ok);
    State.SG1().SetCell(1, 1, "changed");

    FailingWriter writer(path, c.FailAfter, c.FailRename);
    SaveResult saved = SaveDocumentWith(State, writer, Shown);
    EXPECT_FALSE(saved.Ok);
    EXPECT_EQ(saved.Message, "T99 T96 keep.tab\n" + saved.SystemError);
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
    EXPECT_EQ(saved.Message, "T99 T95 a.tab\n" + std::string(std::strerror(ENOENT)));
    EXPECT_FALSE(TempFolder::Exists(Folder.Path() + "gone"));
}

// Looks at the temporary file while the document is written into it.
class WatchingWriter : public AtomicFileWriter {
  public:
    using AtomicFileWriter::AtomicFileWriter;
    mode_t TempMode = 07777;

  protected:
    ssize_t WriteSome(int fd, const char* data, size_t size) override {
        struct stat info {};
        if (::stat(TempPath().c_str(), &info) == 0)
            TempMode = info.st_mode & 07777;
        return AtomicFileWriter::WriteSome(fd, data, size);
    }
};

TEST_F(DocumentTest, SavingKeepsEveryPermissionBitAndShowsNothingToOthersOnTheWay) {
    std::string path = Folder.Write("secret.tab", "1\tx\n");
    ASSERT_TRUE(LoadTable(State, path, 1, Shown).Ok);
    for (mode_t mode : {mode_t{06755}, mode_t{0600}, mode_t{02640}}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        WatchingWriter writer(path);
        ASSERT_TRUE(SaveDocumentWith(State, writer, Shown).Ok);
        EXPECT_EQ(writer.TempMode & 077, 0u) << std::oct << mode;
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
    }
}

TEST_F(DocumentTest, ADanglingLinkIsWrittenThrough) {
    ASSERT_TRUE(Load("a.tab", "1\tx\n").Ok);
    std::filesystem::create_directory(Folder.Path() + "real");
    const std::string link = Folder.Path() + "link.tab";
    std::filesystem::create_symlink("real/target.tab", link);
    ASSERT_TRUE(SaveDocumentTo(State, link, Shown).Ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(Folder.Path() + "real/target.tab"), "1\tx\r\n");
}

TEST_F(DocumentTest, AWritePastTheFileSizeLimitFailsCleanly) {
    std::string rows;
    for (int i = 0; i < 2000; ++i)
        rows += std::to_string(i) + "\tvalue\n";
    const std::string path = Folder.Write("big.tab", rows);
    ASSERT_TRUE(LoadTable(State, path, 1, Shown).Ok);
    std::filesystem::remove(path);
    // In a child: the limit and the signal it raises belong to the whole process.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        SaveResult saved = SaveDocument(State, Shown);
        bool clean = !saved.Ok && !saved.SystemError.empty() &&
                     FilesIn(Folder.Path()) == std::vector<std::string>{"big.bak"};
        ::_exit(clean ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// A row written from its stored bytes must be the line the cell-by-cell join writes, for
// protos.tab (description column and single blanks left out) and any other table, with
// rows shorter than the table and cells of every kind.
TEST(TabLines, StoredBytesWriteTheLineTheJoinWrites) {
    const FileFormat& tab = FormatOfExtension(".tab");
    const std::vector<std::string> pool = {"", "", "", " ", "  ", "7", "obj_t_npc", "a b", "\x01"};
    std::mt19937 rng(5);
    int fromBytes = 0;
    for (int round = 0; round < 4000; ++round) {
        const int columns = 1 + static_cast<int>(rng() % 12);
        std::vector<std::string> texts(rng() % (columns + 1));
        for (auto& text : texts)
            text = pool[rng() % pool.size()];
        std::vector<std::string_view> views(texts.begin(), texts.end());
        GridRow row;
        row.Assign(views);
        std::vector<std::string_view> all(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            all[static_cast<size_t>(c)] = row.Cell(c);
        for (std::string_view name : {"protos.tab", "other.tab"}) {
            std::string joined, stored;
            tab.Join(joined, all, name);
            std::string_view bytes;
            ASSERT_TRUE(row.TabJoined(bytes));
            if (tab.JoinStored(stored, bytes, row.StoredCount(), columns, name)) {
                ++fromBytes;
                ASSERT_EQ(stored, joined) << "round " << round << " " << name;
            } else {
                ASSERT_TRUE(stored.empty());
                ASSERT_EQ(name, "protos.tab") << "round " << round;
            }
        }
    }
    EXPECT_GT(fromBytes, 5000);
}

} // namespace
} // namespace tw
