#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/app/settings.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tw-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        Folder = pattern;
        File = Folder / "Ledgerwick.reg";
        Reg.FilePath = File.string();
    }
    void TearDown() override { fs::remove_all(Folder); }

    fs::path Folder;
    fs::path File;
    TRegpath Reg = [] {
        TRegpath r;
        r.Key = "\\Software\\Orlendt\\Ledgerwick";
        return r;
    }();
};

TEST_F(SettingsTest, AbsentValuesAreEmptyTextOrErrors) {
    std::string text = "previous";
    EXPECT_TRUE(Reg.ReadString("tabpath", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(Reg.ReadInteger("fontsize"), std::nullopt);
    EXPECT_EQ(Reg.ReadBool("autoload"), std::nullopt);
    EXPECT_FALSE(fs::exists(File)) << "reading must not create the file";

    ASSERT_TRUE(Reg.WriteInteger("fontsize", 10));
    text = "previous";
    EXPECT_TRUE(Reg.ReadString("tabpath", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(Reg.ReadBool("autoload"), std::nullopt);
    EXPECT_EQ(Reg.ReadInteger("fontsize"), 10);
}

TEST_F(SettingsTest, MistypedValuesAreErrors) {
    ASSERT_TRUE(Reg.WriteString("fontsize", "12"));
    EXPECT_EQ(Reg.ReadInteger("fontsize"), std::nullopt);
    EXPECT_EQ(Reg.ReadBool("fontsize"), std::nullopt);

    ASSERT_TRUE(Reg.WriteInteger("tabpath", 5));
    std::string text = "kept";
    EXPECT_FALSE(Reg.ReadString("tabpath", text));
    EXPECT_EQ(text, "kept");

    // Writing with the other type replaces the value and its type.
    ASSERT_TRUE(Reg.WriteString("tabpath", "/games/data"));
    EXPECT_TRUE(Reg.ReadString("tabpath", text));
    EXPECT_EQ(text, "/games/data");
    EXPECT_EQ(Reg.ReadInteger("tabpath"), std::nullopt);
}

TEST_F(SettingsTest, NumbersAndBooleansRoundTrip) {
    for (int32_t value : {0, 1, -1, 8, INT32_MIN, INT32_MAX}) {
        ASSERT_TRUE(Reg.WriteInteger("Top Panel Height", value));
        EXPECT_EQ(Reg.ReadInteger("Top Panel Height"), value);
    }
    ASSERT_TRUE(Reg.WriteBool("autosize", true));
    EXPECT_EQ(Reg.ReadBool("autosize"), true);
    EXPECT_EQ(Reg.ReadInteger("autosize"), 1);
    ASSERT_TRUE(Reg.WriteBool("autosize", false));
    EXPECT_EQ(Reg.ReadBool("autosize"), false);
    ASSERT_TRUE(Reg.WriteInteger("autosize", 7));
    EXPECT_EQ(Reg.ReadBool("autosize"), true) << "any non-zero number is true";
}

TEST_F(SettingsTest, NamesCompareWithoutCase) {
    ASSERT_TRUE(Reg.WriteString("Language", "german.lng"));
    std::string text;
    EXPECT_TRUE(Reg.ReadString("language", text));
    EXPECT_EQ(text, "german.lng");

    ASSERT_TRUE(Reg.WriteString("LANGUAGE", "french.lng"));
    EXPECT_TRUE(Reg.ReadString("Language", text));
    EXPECT_EQ(text, "french.lng");
    std::string file = ReadFile(File);
    EXPECT_NE(file.find("\"Language\"=\"french.lng\"\r\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("LANGUAGE"), std::string::npos) << "one value, first spelling kept";
}

TEST_F(SettingsTest, NewFileIsARegistryExport) {
    ASSERT_TRUE(Reg.WriteInteger("fontsize", 10));
    ASSERT_TRUE(Reg.WriteString("lastfile", "protos.tab"));
    EXPECT_EQ(ReadFile(File), "REGEDIT4\r\n"
                              "\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Orlendt\\Ledgerwick]\r\n"
                              "\"fontsize\"=dword:0000000a\r\n"
                              "\"lastfile\"=\"protos.tab\"\r\n"
                              "\r\n");
}

TEST_F(SettingsTest, WriteCreatesMissingFoldersAndKeepsPermissions) {
    Reg.FilePath = (Folder / "a" / "b" / "Ledgerwick.reg").string();
    ASSERT_TRUE(Reg.WriteBool("addrow", true));
    EXPECT_EQ(Reg.ReadBool("addrow"), true);

    ASSERT_EQ(::chmod(Reg.FilePath.c_str(), 0640), 0);
    ASSERT_TRUE(Reg.WriteBool("addrow", false));
    struct stat info {};
    ASSERT_EQ(::stat(Reg.FilePath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(SettingsTest, OtherKeysAndUnknownLinesSurviveWrites) {
    // LF line ends, a comment, a key of another program, a binary value, a line that is
    // no value, a second section of our key, and no line end at the very end.
    const std::string original = "REGEDIT4\n"
                                 "\n"
                                 "; kept by hand\n"
                                 "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                                 "\"fontsize\"=dword:00000063\n"
                                 "\"blob\"=hex:01,02,\\\n"
                                 "  03\n"
                                 "\n"
                                 "[hkey_local_machine\\software\\orlendt\\ledgerwick]\n"
                                 "\"fontsize\"=dword:00000008\n"
                                 "this line means nothing\n"
                                 "\"tabpath\"=\"/old\"\n"
                                 "\n"
                                 "[HKEY_CURRENT_USER\\Software\\Orlendt\\Ledgerwick]\n"
                                 "\"fontsize\"=dword:00000009\n"
                                 "\n"
                                 "[HKEY_LOCAL_MACHINE\\Software\\Orlendt\\Ledgerwick]\n"
                                 "\"autoload\"=dword:00000001\n"
                                 "\n"
                                 "; trailing comment";
    WriteFile(File, original);

    EXPECT_EQ(Reg.ReadInteger("fontsize"), 8);
    EXPECT_EQ(Reg.ReadBool("autoload"), true);
    ASSERT_TRUE(Reg.WriteInteger("FontSize", 12));
    ASSERT_TRUE(Reg.WriteString("lastfile", "x.mes"));
    EXPECT_EQ(ReadFile(File), "REGEDIT4\n"
                              "\n"
                              "; kept by hand\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                              "\"fontsize\"=dword:00000063\n"
                              "\"blob\"=hex:01,02,\\\n"
                              "  03\n"
                              "\n"
                              "[hkey_local_machine\\software\\orlendt\\ledgerwick]\n"
                              "\"fontsize\"=dword:0000000c\n"
                              "this line means nothing\n"
                              "\"tabpath\"=\"/old\"\n"
                              "\n"
                              "[HKEY_CURRENT_USER\\Software\\Orlendt\\Ledgerwick]\n"
                              "\"fontsize\"=dword:00000009\n"
                              "\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Orlendt\\Ledgerwick]\n"
                              "\"autoload\"=dword:00000001\n"
                              "\"lastfile\"=\"x.mes\"\n"
                              "\n"
                              "; trailing comment");
}

TEST_F(SettingsTest, RootSelectsTheSection) {
    TRegpath user = Reg;
    user.Root = "HKEY_CURRENT_USER";
    user.Key = "Software\\Orlendt\\Ledgerwick"; // no leading backslash: the same path
    ASSERT_TRUE(user.WriteInteger("fontsize", 14));
    ASSERT_TRUE(Reg.WriteInteger("fontsize", 8));
    EXPECT_EQ(user.ReadInteger("fontsize"), 14);
    EXPECT_EQ(Reg.ReadInteger("fontsize"), 8);
    EXPECT_NE(ReadFile(File).find("[HKEY_CURRENT_USER\\Software\\Orlendt\\Ledgerwick]\r\n"),
              std::string::npos);
}

struct KeyPathCase {
    const char* Root;
    const char* Key;
    const char* Expected;
};

class KeyPathTest : public ::testing::TestWithParam<KeyPathCase> {};

TEST_P(KeyPathTest, RootIsMatchedExactly) {
    TRegpath reg;
    reg.Root = GetParam().Root;
    reg.Key = GetParam().Key;
    EXPECT_EQ(reg.KeyPath(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Roots, KeyPathTest,
    ::testing::Values(KeyPathCase{"HKEY_CLASSES_ROOT", "\\A", "HKEY_CLASSES_ROOT\\A"},
                      KeyPathCase{"HKEY_USERS", "A\\B", "HKEY_USERS\\A\\B"},
                      KeyPathCase{"HKEY_CURRENT_USER", "\\A", "HKEY_CURRENT_USER\\A"},
                      KeyPathCase{"hkey_current_user", "\\A", "HKEY_LOCAL_MACHINE\\A"},
                      KeyPathCase{"HKEY_CURRENT_CONFIG", "\\A", "HKEY_LOCAL_MACHINE\\A"},
                      KeyPathCase{"", "\\Software\\YourComp",
                                  "HKEY_LOCAL_MACHINE\\Software\\YourComp"},
                      KeyPathCase{"HKEY_USERS", "", "HKEY_USERS"}));

// Ways the key cannot be opened: nothing is stored, texts are left alone, booleans read
// false and integers 0, and a file that is there stays byte for byte.
enum class Unopenable {
    UnderRegularFile,
    NotASettingsFile,
    FolderInsteadOfFile,
    NoCreateMissingFile,
    NoCreateMissingKey
};

class UnopenableTest : public SettingsTest, public ::testing::WithParamInterface<Unopenable> {};

TEST_P(UnopenableTest, WritesDoNothingAndReadsGiveZero) {
    std::string before;
    switch (GetParam()) {
    case Unopenable::UnderRegularFile:
        WriteFile(Folder / "plain", "data");
        Reg.FilePath = (Folder / "plain" / "sub" / "Ledgerwick.reg").string();
        break;
    case Unopenable::NotASettingsFile:
        before = "1\tprotos line\r\n\"fontsize\"=dword:00000005\r\n";
        WriteFile(File, before);
        break;
    case Unopenable::FolderInsteadOfFile:
        fs::create_directory(File);
        break;
    case Unopenable::NoCreateMissingFile:
        Reg.Docreate = false;
        break;
    case Unopenable::NoCreateMissingKey:
        Reg.Docreate = false;
        before = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"fontsize\"=dword:"
                 "00000005\r\n";
        WriteFile(File, before);
        break;
    }
    EXPECT_FALSE(Reg.WriteString("tabpath", "/x"));
    EXPECT_FALSE(Reg.WriteInteger("fontsize", 3));
    EXPECT_FALSE(Reg.WriteBool("autoload", true));
    std::string text = "unchanged";
    EXPECT_TRUE(Reg.ReadString("tabpath", text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(Reg.ReadInteger("fontsize"), 0);
    EXPECT_EQ(Reg.ReadBool("autoload"), false);
    if (!before.empty()) {
        EXPECT_EQ(ReadFile(File), before);
    }
    if (GetParam() == Unopenable::NoCreateMissingFile) {
        EXPECT_FALSE(fs::exists(File));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UnopenableTest,
                         ::testing::Values(Unopenable::UnderRegularFile,
                                           Unopenable::NotASettingsFile,
                                           Unopenable::FolderInsteadOfFile,
                                           Unopenable::NoCreateMissingFile,
                                           Unopenable::NoCreateMissingKey));

TEST_F(SettingsTest, WithoutDocreateAnExistingKeyIsWritten) {
    ASSERT_TRUE(Reg.WriteInteger("fontsize", 9));
    Reg.Docreate = false;
    ASSERT_TRUE(Reg.WriteInteger("fontsize", 11));
    EXPECT_EQ(Reg.ReadInteger("fontsize"), 11);
    EXPECT_EQ(Reg.ReadBool("absent"), std::nullopt);
}

void WriteNames(const TRegpath& reg, char prefix) {
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(reg.WriteInteger(std::string(1, prefix) + std::to_string(i), i));
    }
}

void ExpectAllNames(const TRegpath& reg, const std::string& prefixes) {
    for (char prefix : prefixes)
        for (int i = 0; i < 200; ++i)
            EXPECT_EQ(reg.ReadInteger(std::string(1, prefix) + std::to_string(i)), i)
                << prefix << i;
}

TEST_F(SettingsTest, TwoProcessesLoseNothing) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TRegpath own = Reg;
        bool ok = true;
        for (int i = 0; i < 200 && ok; ++i)
            ok = own.WriteInteger("c" + std::to_string(i), i);
        ::_exit(ok ? 0 : 1);
    }
    TRegpath own = Reg;
    WriteNames(own, 'p');
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ExpectAllNames(Reg, "cp");
}

TEST_F(SettingsTest, TwoThreadsLoseNothing) {
    TRegpath first = Reg;
    TRegpath second = Reg;
    std::thread a([&] { WriteNames(first, 'a'); });
    std::thread b([&] { WriteNames(second, 'b'); });
    a.join();
    b.join();
    ExpectAllNames(Reg, "ab");
}

class TextRoundTripTest : public SettingsTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(TextRoundTripTest, TextReadsBackByteForByte) {
    const std::string& text = GetParam();
    ASSERT_TRUE(Reg.WriteString("first", "before"));
    ASSERT_TRUE(Reg.WriteString("tabpath", text));
    ASSERT_TRUE(Reg.WriteString("after", "after"));
    std::string read = "not read";
    EXPECT_TRUE(Reg.ReadString("tabpath", read));
    EXPECT_EQ(read, text);
    // The neighbours are intact, so the value did not spill over its line.
    EXPECT_TRUE(Reg.ReadString("first", read));
    EXPECT_EQ(read, "before");
    EXPECT_TRUE(Reg.ReadString("after", read));
    EXPECT_EQ(read, "after");
    // Rewriting replaces the value, however many lines it took.
    ASSERT_TRUE(Reg.WriteString("tabpath", "plain"));
    EXPECT_TRUE(Reg.ReadString("tabpath", read));
    EXPECT_EQ(read, "plain");
    EXPECT_TRUE(Reg.ReadString("after", read));
    EXPECT_EQ(read, "after");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextRoundTripTest,
    ::testing::Values(std::string(""), std::string("say \"hi\""), std::string("C:\\games\\"),
                      std::string("\\\\server\\\"share\""), std::string("\\"),
                      std::string("\"=dword:00000001"), std::string("line one\r\nline two"),
                      std::string("\n"), std::string("lone\rcr"), std::string("nul\0inside", 10),
                      std::string("ends in nul\0", 12), std::string("[HKEY_USERS]\n\"x\"=\"y\""),
                      std::string("caf\xE9 \x80\x81\x8D\x9D\xFF"),
                      std::string("tab\there ; not a comment")));

TEST_F(SettingsTest, QuotesAndBackslashesAreEscapedInPlace) {
    ASSERT_TRUE(Reg.WriteString("tabpath", "a\\b \"c\" \xE9"));
    EXPECT_NE(ReadFile(File).find("\"tabpath\"=\"a\\\\b \\\"c\\\" \xE9\"\r\n"), std::string::npos);
}

TEST_F(SettingsTest, ExpandableStringsReadAsText) {
    WriteFile(File, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Orlendt\\Ledgerwick]\r\n"
                    // "%HOME%\€é" in UTF-16LE, continued over two lines
                    "\"tabpath\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,\\\r\n"
                    "  ac,20,e9,00,00,00\r\n"
                    // the same kind of value as 8-bit bytes
                    "\"lastfile\"=hex(2):61,2e,74,61,62,00\r\n"
                    // a character the 8-bit texts cannot hold (U+0416)
                    "\"protopath\"=hex(2):16,04,00,00\r\n"
                    "\"language\"=hex(1):65,6e,67,00\r\n"
                    "\"fontsize\"=hex(4):0b,00,00,00\r\n"
                    "\"autoload\"=-\r\n");
    std::string text;
    EXPECT_TRUE(Reg.ReadString("tabpath", text));
    EXPECT_EQ(text, "%HOME%\\\x80\xE9");
    EXPECT_TRUE(Reg.ReadString("lastfile", text));
    EXPECT_EQ(text, "a.tab");
    text = "kept";
    EXPECT_FALSE(Reg.ReadString("protopath", text));
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(Reg.ReadString("language", text));
    EXPECT_EQ(text, "eng");
    EXPECT_EQ(Reg.ReadInteger("tabpath"), std::nullopt);
    EXPECT_EQ(Reg.ReadInteger("fontsize"), 11);
    EXPECT_EQ(Reg.ReadBool("autoload"), std::nullopt) << "a deleted value is absent";

    // An expandable value is replaced by a plain text where it stands.
    ASSERT_TRUE(Reg.WriteString("tabpath", "/data"));
    EXPECT_TRUE(Reg.ReadString("tabpath", text));
    EXPECT_EQ(text, "/data");
    EXPECT_TRUE(Reg.ReadString("lastfile", text));
    EXPECT_EQ(text, "a.tab");
    EXPECT_EQ(ReadFile(File).find("ac,20"), std::string::npos);
}

class DefaultPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : Names) {
            const char* value = std::getenv(name);
            Saved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (size_t i = 0; i < Names.size(); ++i) {
            if (Saved[i])
                ::setenv(Names[i], Saved[i]->c_str(), 1);
            else
                ::unsetenv(Names[i]);
        }
    }
    static constexpr std::array<const char*, 3> Names = {"TABWRIGHT_SETTINGS", "XDG_CONFIG_HOME",
                                                         "HOME"};
    std::vector<std::optional<std::string>> Saved;
};

TEST_F(DefaultPathTest, EnvironmentDecidesTheFile) {
    ::setenv("HOME", "/home/u", 1);
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ::setenv("TABWRIGHT_SETTINGS", "/tmp/s.reg", 1);
    EXPECT_EQ(TRegpath::DefaultFilePath(), "/tmp/s.reg");
    ::setenv("TABWRIGHT_SETTINGS", "", 1);
    EXPECT_EQ(TRegpath::DefaultFilePath(), "/cfg/Orlendt/Ledgerwick.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(TRegpath::DefaultFilePath(), "/home/u/.config/Orlendt/Ledgerwick.reg");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(TRegpath::DefaultFilePath(), "/home/u/.config/Orlendt/Ledgerwick.reg");

    ::setenv("TABWRIGHT_SETTINGS", "/tmp/s.reg", 1);
    TRegpath reg = TRegpath::ForProgram();
    EXPECT_EQ(reg.FilePath, "/tmp/s.reg");
    EXPECT_EQ(reg.KeyPath(), "HKEY_LOCAL_MACHINE\\Software\\Orlendt\\Ledgerwick");
    EXPECT_TRUE(reg.Docreate);
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// Hand-edited files: after every write that says it succeeded, the value reads back and
// every other value reads as before; lines not changed stay byte for byte.
struct HandEditedCase {
    const char* Name;
    std::string File;     // below the key line of the store's key
    std::string KeptLine; // a line that must survive the write unchanged
};

class HandEditedFiles : public SettingsTest,
                        public ::testing::WithParamInterface<HandEditedCase> {};

TEST_P(HandEditedFiles, WritesReadBackAndLeaveOtherValuesAlone) {
    const HandEditedCase& c = GetParam();
    WriteFile(File,
              "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Orlendt\\Ledgerwick]\r\n" + c.File);
    std::string lastFile;
    const bool hadLastFile = Reg.ReadString("lastfile", lastFile);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(Reg.WriteString("tabpath", "/games/mods" + std::to_string(round)));
        ASSERT_TRUE(Reg.WriteInteger("fontsize", 9 + round));
        std::string text;
        ASSERT_TRUE(Reg.ReadString("tabpath", text));
        EXPECT_EQ(text, "/games/mods" + std::to_string(round));
        EXPECT_EQ(Reg.ReadInteger("fontsize"), 9 + round);
        std::string again;
        EXPECT_EQ(Reg.ReadString("lastfile", again), hadLastFile);
        EXPECT_EQ(again, lastFile);
        EXPECT_NE(ReadFile(File).find(c.KeptLine), std::string::npos) << ReadFile(File);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandEditedFiles,
    ::testing::Values(
        HandEditedCase{"LoneCrAtTheEnd", "\"lastfile\"=\"a.tab\"\r", "\"lastfile\"=\"a.tab\""},
        HandEditedCase{"OpenHexContinuationBeforeAKey",
                       "\"lastfile\"=\"a.tab\"\r\n\"blob\"=hex:01,02,\\\r\n[HKEY_USERS\\x]\r\n",
                       "\"blob\"=hex:01,02,\\\r\n[HKEY_USERS\\x]\r\n"},
        HandEditedCase{"OpenHexContinuationAtTheEnd", "\"lastfile\"=\"a.tab\"\n\"blob\"=hex:01,\\",
                       "\"blob\"=hex:01,\\"}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(SettingsTest, LinksAreWrittenThroughAndLockedAtTheirTarget) {
    fs::create_directory(Folder / "real");
    fs::create_symlink(Folder / "real" / "store.reg", File); // dangling until the first write
    ASSERT_TRUE(Reg.WriteString("lastfile", "a.tab"));
    EXPECT_TRUE(fs::is_symlink(File));
    EXPECT_TRUE(fs::exists(Folder / "real" / "store.reg"));
    EXPECT_TRUE(fs::exists(Folder / "real" / "store.reg.lock"));
    EXPECT_FALSE(fs::exists(Folder / "Ledgerwick.reg.lock"));

    // A second way to the same file takes the same lock.
    fs::create_symlink(File, Folder / "other.reg");
    TRegpath other = Reg;
    other.FilePath = (Folder / "other.reg").string();
    ASSERT_TRUE(other.WriteInteger("fontsize", 11));
    EXPECT_FALSE(fs::exists(Folder / "other.reg.lock"));
    std::string text;
    ASSERT_TRUE(Reg.ReadString("lastfile", text));
    EXPECT_EQ(text, "a.tab");
    EXPECT_EQ(Reg.ReadInteger("fontsize"), 11);
}

} // namespace
} // namespace tw
