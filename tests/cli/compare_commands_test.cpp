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

// The report lines a tsv or json report carries in its "line" field (the report lines
// of these cases are plain ASCII, so json's escapes are only \" and \\).
std::vector<std::string> LineFields(const std::string& format, const std::string& out) {
    std::vector<std::string> lines;
    for (std::string row : ExpectedLines(out)) {
        std::string field;
        if (!row.empty() && row.back() == ',')
            row.pop_back(); // json: records end in a comma, all but the last
        if (format == "tsv") {
            if (row.rfind("kind\t", 0) == 0 || row.rfind("duplicate-key\t", 0) == 0)
                continue;
            field = row.substr(row.rfind('\t') + 1);
        } else {
            size_t at = row.find(",\"line\":\"");
            if (at == std::string::npos)
                continue;
            field = row.substr(at + 9, row.size() - at - 9 - 2); // up to the closing "}
        }
        std::string line;
        for (size_t k = 0; k < field.size(); ++k)
            line += field[k] == '\\' ? field[++k] : field[k];
        lines.push_back(line);
    }
    return lines;
}

class CompareFolderCli : public CompareCommands,
                         public ::testing::WithParamInterface<std::string> {};

TEST_P(CompareFolderCli, PrintsTheReport) {
    fs::path folder = fs::path(TABWRIGHT_TEST_DATA) / "compare" / GetParam();
    const std::vector<std::string> expected =
        ExpectedLines(ReadAll((folder / "expected.txt").string()));
    for (const std::string format : {"text", "tsv", "json"}) {
        std::vector<std::string> arguments = {"compare", "--format", format};
        for (const auto& file : CaseFiles(folder))
            arguments.push_back(file);
        CliRun run = Run(arguments);
        ASSERT_EQ(run.Code, 0) << run.Err;
        if (format == "text") {
            EXPECT_EQ(run.Out, Joined(expected, "\n"));
        } else {
            EXPECT_EQ(LineFields(format, run.Out), expected) << format;
        }
        EXPECT_EQ(run.Err, "");
    }
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
    const std::vector<std::string> expected =
        ExpectedLines(ReadAll((folder / "expected.txt").string()));
    EXPECT_EQ(run.Out, Joined(expected, "\n"));
    EXPECT_EQ(ReadAll(Folder + "merged.tab"),
              Joined(ExpectedLines(ReadAll((folder / "merged.tab").string())), "\r\n"));
    // The same lines in the records of a report file, which leaves stdout empty.
    arguments.insert(arguments.begin() + 1, {"--format", "json", "--report", Folder + "r.json"});
    run = Run(arguments);
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(LineFields("json", ReadAll(Folder + "r.json")), expected);
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

// File 1 has its key 20 twice; a cell holds a backslash, another a Windows-1252 letter.
TEST_F(CompareCommands, ReportFormatsGiveEveryFieldOfEveryRecord) {
    std::string one = Write("one.tab", "10\ta\tx\n20\tb\\1\ty\n20\tdup\ty\n");
    std::string two = Write("two.tab", "10\tA\tz\xE4\n15\tn\tq\n20\tc\ty\n");
    std::string texts;
    for (int n = 0; n < 170; ++n)
        texts += "T" + std::to_string(n) + "\n";
    Language = Write("sectioned.lng", texts + "[/program texts]\nduplicatekey=dup %1|%2|%3\n");

    CliRun tsv = Run({"compare", "--format", "tsv", one, two});
    ASSERT_EQ(tsv.Code, 0) << tsv.Err;
    EXPECT_EQ(tsv.Err, "tabwright-cli: dup " + one + "|20|2\n");
    // One record a line reads better than the formatter's layout.
    // clang-format off
    EXPECT_EQ(tsv.Out,
              "kind\tgrid\tfile\tkey\tcolumn\theader\tfirst\tother\told\tearlier\trow\tcount\tline\n"
              "duplicate-key\tSG1\t" + one + "\t20\t\t\t\t\t\t\t2\t2\t\n"
              "cell-difference\tSG2\t" + two + "\t10\t2\tT65 2\tx\tz\xE4\t\t\t1\t\t"
              "SG2 T132 10 - T65 2 - T133 (x) T134 (z\xE4)\n"
              "only-in-other\tSG2\t" + two + "\t15\t\t\t\t\t\t\t\t\tSG2 - T135 15\n"
              "cell-difference\tSG2\t" + two + "\t20\t1\t\tb\\\\1\tc\t\t\t2\t\t"
              "SG2 T132 20 -  - T133 (b\\\\1) T134 (c)\n"
              "only-in-first\tSG2\t" + two + "\t20\t\t\t\t\t\t\t3\t\tSG2 - T136 20\n");

    CliRun json = Run({"compare", "--format=json", one, two});
    ASSERT_EQ(json.Code, 0) << json.Err;
    const std::string none = R"j("old":null,"earlier":null,)j";
    EXPECT_EQ(json.Out,
              R"j({"program":"tabwright-cli","version":"2.4.3","command":"compare","files":[")j" +
                  one + R"j(",")j" + two + R"j("],"records":[)j" "\n" +
                  R"j({"kind":"duplicate-key","grid":"SG1","file":")j" + one +
                  R"j(","key":"20","column":null,"header":null,"first":null,"other":null,)j" +
                  none + R"j("row":2,"count":2,"line":null},)j" "\n" +
                  R"j({"kind":"cell-difference","grid":"SG2","file":")j" + two +
                  R"j(","key":"10","column":2,"header":"T65 2","first":"x","other":"z)j"
                  "\xC3\xA4\"," + none +
                  R"j("row":1,"count":null,"line":"SG2 T132 10 - T65 2 - T133 (x) T134 (z)j"
                  "\xC3\xA4)\"},\n" +
                  R"j({"kind":"only-in-other","grid":"SG2","file":")j" + two +
                  R"j(","key":"15","column":null,"header":null,"first":null,"other":null,)j" +
                  none + R"j("row":null,"count":null,"line":"SG2 - T135 15"},)j" "\n" +
                  R"j({"kind":"cell-difference","grid":"SG2","file":")j" + two +
                  R"j(","key":"20","column":1,"header":"","first":"b\\1","other":"c",)j" + none +
                  R"j("row":2,"count":null,"line":"SG2 T132 20 -  - T133 (b\\1) T134 (c)"},)j"
                  "\n" +
                  R"j({"kind":"only-in-first","grid":"SG2","file":")j" + two +
                  R"j(","key":"20","column":null,"header":null,"first":null,"other":null,)j" +
                  none + R"j("row":3,"count":null,"line":"SG2 - T136 20"})j" "\n]}\n");
    // clang-format on
}

TEST_F(CompareCommands, ConflictRecordsNameTheEarlierFilesAndTheOldValue) {
    fs::path folder = fs::path(TABWRIGHT_TEST_DATA) / "combine" / "two_files_conflict";
    std::vector<std::string> arguments = {"combine", "--format", "json", "-o", Folder + "m.tab"};
    for (const auto& file : CaseFiles(folder))
        arguments.push_back(file);
    CliRun run = Run(arguments);
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_NE(run.Out.find(R"j({"kind":"conflict","grid":"SG3",)j"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find(R"j("key":"10","column":1,"header":"","first":"Two","other":"Three",)j"
                           R"j("old":"a","earlier":[{"grid":"SG2","value":"two"}],"row":1,)j"),
              std::string::npos)
        << run.Out;
}

struct ExitCase {
    const char* Name;
    std::vector<std::string> Arguments; // "A" and "B" stand for two files that differ
    int Code;
    std::string Out; // "*": anything
};

class ExitCodes : public CompareCommands, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitCodes, TellWhatHappened) {
    std::map<std::string, std::string> files = {{"A", Write("a.tab", "1\tx\n")},
                                                {"B", Write("b.tab", "1\ty\n")},
                                                {"M", Folder + "missing.tab"},
                                                {"R", Folder + "report.txt"}};
    std::vector<std::string> arguments;
    for (const auto& a : GetParam().Arguments)
        arguments.push_back(files.count(a) ? files[a] : a);
    CliRun run = Run(arguments);
    EXPECT_EQ(run.Code, GetParam().Code) << run.Err;
    if (GetParam().Out != "*") {
        EXPECT_EQ(run.Out, GetParam().Out);
    }
    EXPECT_EQ(ReadAll(files["A"]), "1\tx\n");
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ExitCodes,
    ::testing::Values(
        ExitCase{"DifferencesWithExitCode", {"compare", "--exit-code", "A", "B"}, 1, "*"},
        ExitCase{"NoDifferencesWithExitCode", {"compare", "A", "A", "--exit-code"}, 0, ""},
        ExitCase{"DifferencesWithoutExitCode", {"compare", "A", "B"}, 0, "*"},
        ExitCase{"MissingFileWithExitCodeIsTrouble", {"compare", "--exit-code", "A", "M"}, 2, ""},
        ExitCase{"UnknownFormat", {"compare", "--format", "xml", "A", "B"}, 2, ""},
        ExitCase{
            "ExitCodeIsForCompareOnly", {"combine", "--exit-code", "-o", "R", "A", "B"}, 2, ""},
        ExitCase{
            "ReportWouldReplaceAnInput", {"combine", "-o", "R", "--report", "A", "A", "B"}, 2, ""},
        ExitCase{"ReportWouldReplaceTheOutput",
                 {"combine", "-o", "R", "--report", "R", "A", "B"},
                 2,
                 ""},
        ExitCase{"CompareReportToAFile", {"compare", "--report", "R", "A", "B"}, 0, ""},
        ExitCase{"VersionOfCompare", {"compare", "--version"}, 0, "tabwright-cli 2.4.3\n"},
        ExitCase{"VersionOfCombine", {"combine", "--version", "A"}, 0, "tabwright-cli 2.4.3\n"},
        ExitCase{"VersionOfSort", {"sort", "--version"}, 0, "tabwright-cli 2.4.3\n"},
        ExitCase{"VersionOfNormalize", {"normalize", "--version"}, 0, "tabwright-cli 2.4.3\n"},
        ExitCase{"Version", {"--version"}, 0, "tabwright-cli 2.4.3\n"},
        ExitCase{"HelpOfCompare", {"compare", "--help"}, 0, "*"}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

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
