#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/app/language.h"

namespace tw {
namespace {

std::string NumberedLines(int count, const char* lineEnd) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "text " + std::to_string(i) + lineEnd;
    return bytes;
}

struct PaddingCase {
    const char* Name;
    std::string Bytes;
    int Entries;      // table size after reading
    int LastFileText; // index of the last text that comes from the file, -1 for none
};

class LanguagePaddingTest : public ::testing::TestWithParam<PaddingCase> {};

TEST_P(LanguagePaddingTest, TableReachesIndex160AndEndsWithOneEmptyEntry) {
    const PaddingCase& c = GetParam();
    LanguageTable table;
    table.SetFromBytes(c.Bytes);
    ASSERT_EQ(table.Count(), c.Entries);
    for (int i = 0; i <= c.LastFileText; ++i) {
        EXPECT_EQ(table.Text(i), "text " + std::to_string(i));
    }
    for (int i = c.LastFileText + 1; i < table.Count(); ++i) {
        EXPECT_EQ(table.Text(i), "") << i;
    }
    // Past the table every lookup is the empty text, never a fault.
    EXPECT_EQ(table.Text(table.Count()), "");
    EXPECT_EQ(table.Text(-1), "");
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LanguagePaddingTest,
    ::testing::Values(PaddingCase{"TenLines", NumberedLines(10, "\n"), 161, 9},
                      PaddingCase{"TenLinesCrLf", NumberedLines(10, "\r\n"), 161, 9},
                      PaddingCase{"EmptyFile", "", 161, -1},
                      PaddingCase{"NoFinalLineBreak", "text 0\r\ntext 1", 161, 1},
                      PaddingCase{"Lines159", NumberedLines(159, "\r\n"), 161, 158},
                      PaddingCase{"Lines160", NumberedLines(160, "\r\n"), 161, 159},
                      PaddingCase{"Lines161", NumberedLines(161, "\n"), 162, 160},
                      PaddingCase{"Lines300", NumberedLines(300, "\r\n"), 301, 299}),
    [](const ::testing::TestParamInfo<PaddingCase>& testCase) {
        return std::string(testCase.param.Name);
    });

TEST(LanguageTable, KeepsBytesAndBlanksOfALineAsTheyStand) {
    LanguageTable table;
    // A lone CR inside a line is not a line end; blanks at either end are part of the
    // text (captions such as " is sorted." rely on them); bytes above 127 stay bytes.
    table.SetFromBytes("heading\r\n  two  \r\na\rb\n\xE4\xF6\xFC\x80\r\n\r\nsix");
    EXPECT_EQ(table.Text(1), "  two  ");
    EXPECT_EQ(table.Text(2), "a\rb");
    EXPECT_EQ(table.Text(3), "\xE4\xF6\xFC\x80");
    EXPECT_EQ(table.Text(4), "");
    EXPECT_EQ(table.Text(5), "six");
}

TEST(LanguageTable, FileThatCannotBeReadLeavesTheTableAsItWas) {
    LanguageTable table;
    table.SetFromBytes("zero\none\n");
    std::string error;
    EXPECT_FALSE(table.Load("/nonexistent-folder-for-tabwright/english.lng", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(table.Text(1), "one");
    EXPECT_EQ(table.Count(), 161);
}

TEST(LanguageTable, LoadReplacesTheWholeTable) {
    auto path = std::filesystem::temp_directory_path() /
                ("tabwright-language-test-" + std::to_string(::getpid()) + ".lng");
    {
        std::ofstream out(path, std::ios::binary);
        out << NumberedLines(300, "\r\n");
    }
    LanguageTable table;
    std::string error;
    ASSERT_TRUE(table.Load(path.string(), error)) << error;
    EXPECT_EQ(table.Count(), 301);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "only\n";
    }
    ASSERT_TRUE(table.Load(path.string(), error)) << error;
    EXPECT_EQ(table.Count(), 161);
    EXPECT_EQ(table.Text(0), "only");
    EXPECT_EQ(table.Text(299), "");
    std::filesystem::remove(path);
}

} // namespace
} // namespace tw

namespace tw {
namespace {

TEST(ProgramTextsTest, FileSectionWinsAndBuiltInEnglishFillsTheRest) {
    LanguageTable table;
    table.SetFromBytes(NumberedLines(160, "\r\n") + "\r\n[protos.tab]\r\n000Id\r\n" +
                       "[/program texts]\r\nundo=&Zurück\r\nnot a text line\r\nredo=a=b\r\n" +
                       "[later section]\r\nrefusedchar=not in the section\r\n");
    EXPECT_EQ(table.Added("undo"), "&Zurück");
    EXPECT_EQ(table.Added("redo"), "a=b");
    EXPECT_EQ(table.Added("refusedchar"), BuiltInProgramText("refusedchar"));
    EXPECT_EQ(table.Text(160), ""); // the fixed layout is untouched

    LanguageTable fixedLayoutOnly;
    fixedLayoutOnly.SetFromBytes(NumberedLines(160, "\n"));
    EXPECT_EQ(fixedLayoutOnly.Added("undo"), "&Undo");
    EXPECT_EQ(fixedLayoutOnly.Added("no such text"), "");
}

TEST(ProgramTextsTest, ShippedLanguageFilesNameEveryAddedText) {
    for (const char* file : {"english.lng", "deutsch.lng"}) {
        LanguageTable table;
        std::string error;
        ASSERT_TRUE(table.Load(std::string(TABWRIGHT_SOURCE_DATA) + "/" + file, error)) << error;
        for (const BuiltInText& text : BuiltInProgramTexts()) {
            EXPECT_TRUE(table.AddedSection().Has(text.Name)) << file << ": " << text.Name;
        }
    }
}

TEST(ProgramTextsTest, FormatTextFillsNumberedPlaces) {
    EXPECT_EQ(FormatText("%1 of %2, 100%", {"3", "7"}), "3 of 7, 100%");
    EXPECT_EQ(FormatText("%3 stays", {"a"}), "%3 stays");
}

} // namespace
} // namespace tw
