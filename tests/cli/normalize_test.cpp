#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/run_cli.h"

namespace tw {
namespace {

using namespace std::string_literals;

class Normalize : public ::testing::Test {
  protected:
    Normalize() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tabwright-cli-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        Folder = pattern + "/";
    }
    ~Normalize() override { std::filesystem::remove_all(Folder); }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = Folder + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    CliRun Run(const std::vector<std::string>& arguments) { return RunCli(arguments, Folder); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Folder + name); }

    std::string Folder;
};

struct KindCase {
    const char* Name;
    const char* File;
    std::string Bytes;
    std::string Saved;
};

class NormalizeKinds : public Normalize, public ::testing::WithParamInterface<KindCase> {};

TEST_P(NormalizeKinds, WritesWhatSaveWouldToStdoutAndToOut) {
    const auto& c = GetParam();
    std::string input = Write(c.File, c.Bytes);
    CliRun toStdout = Run({"normalize", input});
    ASSERT_EQ(toStdout.Code, 0) << toStdout.Err;
    EXPECT_EQ(toStdout.Out, c.Saved);
    EXPECT_EQ(toStdout.Err, "");

    CliRun toFile = Run({"normalize", "-o", Folder + "out/result", input});
    // The output folder does not exist: a file error naming OUT, and nothing written.
    EXPECT_EQ(toFile.Code, 1);
    EXPECT_NE(toFile.Err.find(Folder + "out/result"), std::string::npos);
    std::filesystem::create_directory(Folder + "out");
    toFile = Run({"normalize", input, "-o", Folder + "out/result"});
    ASSERT_EQ(toFile.Code, 0) << toFile.Err;
    EXPECT_EQ(toFile.Out, "");
    EXPECT_EQ(ReadAll(Folder + "out/result"), c.Saved);
    // The input is only read: no backup, no settings.
    EXPECT_EQ(ReadAll(input), c.Bytes);
    EXPECT_FALSE(Exists(std::string(c.File).substr(0, std::string(c.File).size() - 3) + "bak"));
    EXPECT_FALSE(Exists("cli-settings.reg"));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NormalizeKinds,
    ::testing::Values(
        KindCase{"Protos", "rules/protos.tab", "1\tobj_t_npc\tdesc\t \n\n2\n\n",
                 "1\tobj_t_npc\t\t\r\n\t\t\t\r\n2\t\t\t\r\n"},
        KindCase{"NamedAfterFileNotOut", "Rules/PROTOS.TAB", "1\tt\td\n", "1\tt\t\r\n"},
        KindCase{"OtherTab", "x.tab", "a\t \tb\nc\n", "a\t \tb\r\nc\t\t\r\n"},
        KindCase{"Mes", "m.mes", "{1}{a} // n\n// c\nx{2}{b}\n",
                 "{1}{a} // n\r\n// c\r\n{x2}{b}\r\n"},
        KindCase{"Dlg", "d.dlg", "{1}{a}\n{k}{b}{c}\n", "{1}{a}{}{}{}{}{}\r\n{k}bc\r\n"},
        KindCase{"Bytes", "b.tab", "1\t\0\x80\xFF\x1A junk"s, "1\t\0\x80\xFF\r\n"s},
        KindCase{"Empty", "e.tab", "", "\t\r\n"}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(Normalize, OverwritingTheInputMakesTheBackupFirst) {
    std::string input = Write("protos.tab", "1\tt\tdesc\n");
    Write("protos.bak", "older backup\n");
    CliRun run = Run({"normalize", input, "-o", input});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(ReadAll(input), "1\tt\t\r\n");
    EXPECT_EQ(ReadAll(Folder + "protos.bak"), "older backup\n"); // never overwritten

    std::string other = Write("a.mes", "{1}{x}\n");
    run = Run({"normalize", "-o", other, other});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(ReadAll(Folder + "a.bak"), "{1}{x}\n");
}

TEST_F(Normalize, OptionsMayStandAnywhereAfterTheCommand) {
    std::string input = Write("a.tab", "1\t2\n");
    std::string language = Write("lang/other.lng", "");
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"normalize", "--show-col-numbers", input},
             {"normalize", input, "--language", language},
             {"normalize", "--language=" + language, "--show-col-numbers", "--", input}}) {
        CliRun run = Run(arguments);
        EXPECT_EQ(run.Code, 0) << run.Err;
        EXPECT_EQ(run.Out, "1\t2\r\n");
    }
}

struct UsageCase {
    const char* Name;
    std::vector<std::string> Arguments;
};

class NormalizeUsage : public Normalize, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(NormalizeUsage, ExitsTwoWithTheUsageOnStderr) {
    Write("a.tab", "1\n");
    std::vector<std::string> arguments;
    for (const auto& a : GetParam().Arguments)
        arguments.push_back(a == "FILE" ? Folder + "a.tab" : a);
    CliRun run = Run(arguments);
    EXPECT_EQ(run.Code, 2);
    EXPECT_NE(run.Err.find("usage:"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("normalize FILE [-o OUT]"), std::string::npos);
    EXPECT_EQ(run.Out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, NormalizeUsage,
    ::testing::Values(UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"tidy", "FILE"}},
                      UsageCase{"NoFile", {"normalize"}},
                      UsageCase{"TwoFiles", {"normalize", "FILE", "FILE"}},
                      UsageCase{"UnknownOption", {"normalize", "--column", "3", "FILE"}},
                      UsageCase{"MissingValue", {"normalize", "FILE", "-o"}},
                      UsageCase{"OutTwice", {"normalize", "-o", "x", "-o", "y", "FILE"}},
                      UsageCase{"FlagWithValue", {"normalize", "--show-col-numbers=1", "FILE"}}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(Normalize, FileErrorsExitOneNamingTheFile) {
    std::string missing = Folder + "missing.tab";
    CliRun run = Run({"normalize", missing});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find(missing), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");

    std::string input = Write("a.tab", "1\n");
    run = Run({"normalize", input, "--language", Folder + "none.lng"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find(Folder + "none.lng"), std::string::npos) << run.Err;

    run = Run({"normalize", Folder});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find(Folder), std::string::npos) << run.Err;

    // An OUT that is a folder is refused and left as it was, with nothing beside it.
    std::filesystem::create_directory(Folder + "dir");
    run = Run({"normalize", input, "-o", Folder + "dir"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find(Folder + "dir"), std::string::npos) << run.Err;
    EXPECT_TRUE(std::filesystem::is_directory(Folder + "dir"));
    int entries = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(Folder))
        ++entries;
    EXPECT_EQ(entries, 2); // a.tab and dir
}

TEST_F(Normalize, HelpGoesToStdout) {
    CliRun run = Run({"--help"});
    EXPECT_EQ(run.Code, 0);
    EXPECT_NE(run.Out.find("normalize FILE [-o OUT]"), std::string::npos);
}

} // namespace
} // namespace tw
