// sort, compare and combine on the command line: the same folders of cases as the core's
// tests, run through the tool, plus its options and its refusals.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "tests/core/support/expected_lines.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string Joined(const std::vector<std::string>& lines, const char* end) {
    std::string text;
    for (const auto& line : lines)
        text += line + end;
    return text;
}

class CompareCommands : public ::testing::Test {
  protected:
    CompareCommands() {
        std::string pattern = (fs::temp_directory_path() / "tabwright-cli-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        Folder = pattern + "/";
        // Text N reads "T<N>", so report lines can be checked whatever english.lng says.
        std::string texts;
        for (int n = 0; n < 170; ++n)
            texts += "T" + std::to_string(n) + "\n";
        Language = Write("numbered.lng", texts);
    }
    ~CompareCommands() override { fs::remove_all(Folder); }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = Folder + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    CliRun Run(std::vector<std::string> arguments) {
        arguments.push_back("--language");
        arguments.push_back(Language);
        return RunCli(arguments, Folder);
    }

    std::string Folder;
    std::string Language;
};

std::vector<std::string> CaseFiles(const fs::path& folder) {
    std::vector<std::string> files;
    for (int k = 1; k <= 5 && fs::exists(folder / ("file" + std::to_string(k) + ".tab")); ++k)
        files.push_back((folder / ("file" + std::to_string(k) + ".tab")).string());
    return files;
}

// The cases with two files or more (the tool refuses a single one).
std::vector<std::string> CaseFolders(const std::string& kind) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(TABWRIGHT_TEST_DATA) / kind))
        if (entry.is_directory() && CaseFiles(entry.path()).size() >= 2)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CompareFolderCli : public CompareCommands,
                         public ::testing::WithParamInterface<std::string> {};

TEST_P(CompareFolderCli, PrintsTheReport) {
    fs::path folder = fs::path(TABWRIGHT_TEST_DATA) / "compare" / GetParam();
    std::vector<std::string> arguments = {"compare"};
    for (const auto& file : CaseFiles(folder))
        arguments.push_back(file);
    CliRun run = Run(arguments);
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, Joined(ExpectedLines(ReadAll((folder / "expected.txt").string())), "\n"));
    EXPECT_EQ(run.Err, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareFolderCli, ::testing::ValuesIn(CaseFolders("compare")),
                         [](const auto& testCase) { return testCase.param; });

class CombineFolderCli : public CompareCommands,
                         public ::testing::WithParamInterface<std::string> {};

TEST_P(CombineFolderCli, WritesTheMergedTableAndPrintsTheReport) {
    fs::path folder = fs::path(TABWRIGHT_TEST_DATA) / "combine" / GetParam();
    std::vector<std::string> files = CaseFiles(folder);
    std::vector<std::string> arguments = {"combine"};
    for (const auto& option : ExpectedLines(ReadAll((folder / "options").string())))
        arguments.push_back("--" + option);
    arguments.push_back("-o");
    arguments.push_back(Folder + "merged.tab");
    arguments.insert(arguments.end(), files.begin(), files.end());
    CliRun run = Run(arguments);
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, Joined(ExpectedLines(ReadAll((folder / "expected.txt").string())), "\n"));
    EXPECT_EQ(ReadAll(Folder + "merged.tab"),
              Joined(ExpectedLines(ReadAll((folder / "merged.tab").string())), "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CombineFolderCli, ::testing::ValuesIn(CaseFolders("combine")),
                         [](const auto& testCase) { return testCase.param; });

struct SortCase {
    const char* Name;
    std::vector<std::string> Options;
    std::string Sorted;
};

class SortCli : public CompareCommands, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortCli, WritesTheSortedTable) {
    std::string input = Write("t.tab", "10\tb\tx\n9\ta\tz\nb\tc\ty\n2\td\tw\na\te\tv\n");
    std::vector<std::string> arguments = {"sort"};
    arguments.insert(arguments.end(), GetParam().Options.begin(), GetParam().Options.end());
    arguments.push_back(input);
    CliRun run = Run(arguments);
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, GetParam().Sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, SortCli,
    ::testing::Values(
        // Texts keep their places against everything; the numbers pass them.
        SortCase{"ColumnZero", {}, "2\td\tw\r\n9\ta\tz\r\n10\tb\tx\r\nb\tc\ty\r\na\te\tv\r\n"},
        SortCase{"ColumnZeroByText",
                 {"--column", "0"},
                 "2\td\tw\r\n9\ta\tz\r\n10\tb\tx\r\na\te\tv\r\nb\tc\ty\r\n"},
        SortCase{"ColumnTwo",
                 {"--column=2"},
                 "a\te\tv\r\n2\td\tw\r\n10\tb\tx\r\nb\tc\ty\r\n9\ta\tz\r\n"},
        SortCase{"PastTheLastColumn",
                 {"--column", "7"},
                 "2\td\tw\r\n9\ta\tz\r\n10\tb\tx\r\na\te\tv\r\nb\tc\ty\r\n"}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST_F(CompareCommands, SortOntoItsInputMakesTheBackupFirst) {
    std::string input = Write("t.tab", "2\tb\n1\ta\n");
    CliRun run = Run({"sort", input, "-o", input});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(ReadAll(input), "1\ta\r\n2\tb\r\n");
    EXPECT_EQ(ReadAll(Folder + "t.bak"), "2\tb\n1\ta\n");
}

TEST_F(CompareCommands, CombineOntoAnInputBacksThatInputUp) {
    std::string one = Write("one.tab", "1\ta\n2\tb\n");
    std::string two = Write("two.tab", "1\tA2\n2\tb\n");
    CliRun run = Run({"combine", "-o", two, one, two});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(ReadAll(two), "1\tA2\r\n2\tb\r\n");
    EXPECT_EQ(ReadAll(Folder + "two.bak"), "1\tA2\n2\tb\n");
    EXPECT_FALSE(fs::exists(Folder + "one.bak"));
}

struct RefusalCase {
    const char* Name;
    std::vector<std::string> Arguments; // "A" and "B" stand for a.tab and b.tab, "C" for c.TAB
    int Code;
};

class Refusals : public CompareCommands, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, ExitWithAMessageAndWriteNothing) {
    std::map<std::string, std::string> files = {{"A", Write("a.tab", "1\n")},
                                                {"B", Write("b.tab", "1\n")},
                                                {"C", Write("c.TAB", "1\n")},
                                                {"M", Folder + "missing.tab"}};
    std::vector<std::string> arguments;
    for (const auto& a : GetParam().Arguments)
        arguments.push_back(files.count(a) ? files[a] : a);
    CliRun run = Run(arguments);
    EXPECT_EQ(run.Code, GetParam().Code);
    EXPECT_NE(run.Err, "");
    EXPECT_EQ(run.Out, "");
    EXPECT_FALSE(fs::exists(Folder + "out.tab"));
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, Refusals,
    ::testing::Values(RefusalCase{"CompareOneFile", {"compare", "A"}, 2},
                      RefusalCase{"CompareSixFiles", {"compare", "A", "B", "A", "B", "A", "B"}, 2},
                      RefusalCase{"ExtensionsDifferInCase", {"compare", "A", "C"}, 2},
                      RefusalCase{"CompareMissingFile", {"compare", "A", "M"}, 1},
                      RefusalCase{"CombineWithoutOut", {"combine", "A", "B"}, 2},
                      RefusalCase{"CombineMissingFile", {"combine", "-o", "out.tab", "M", "A"}, 1},
                      RefusalCase{"SortColumnNotANumber", {"sort", "--column", "x", "A"}, 2},
                      RefusalCase{"SortTwoFiles", {"sort", "A", "B"}, 2}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

} // namespace
} // namespace tw
