#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/document/linereader.h"
#include "core/document/splitline.h"
#include "support/temp_folder.h"

namespace tw {
namespace {

using namespace std::string_literals;

struct LinesCase {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Lines;
};

class LineReading : public ::testing::TestWithParam<LinesCase> {};

TEST_P(LineReading, GivesTheLinesTheRulesName) {
    const auto& c = GetParam();
    std::string_view content = FileContent(c.Bytes);
    std::vector<std::string> lines;
    LineReader reader(content);
    while (!reader.AtEnd())
        lines.emplace_back(reader.Next());
    EXPECT_EQ(lines, c.Lines);
    EXPECT_EQ(CountLines(content), c.Lines.size());
}

INSTANTIATE_TEST_SUITE_P(
    Edges, LineReading,
    ::testing::Values(LinesCase{"Empty", "", {}}, LinesCase{"NoFinalBreak", "a\nb", {"a", "b"}},
                      LinesCase{"FinalBreakAddsNoLine", "a\n", {"a"}},
                      LinesCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                      LinesCase{"LoneCrDropped", "a\rb\nc\r", {"ab", "c"}},
                      LinesCase{"CrOnlyLineIsEmpty", "a\n\r\r\nb\n", {"a", "", "b"}},
                      LinesCase{"CrOnlyLastLine", "a\n\r", {"a", ""}},
                      LinesCase{"BlankLinesKept", "a\n\n\nb", {"a", "", "", "b"}},
                      LinesCase{"Byte26EndsTheFile",
                                "a\nb\x1A"
                                "c\nd\n",
                                {"a", "b"}},
                      LinesCase{"Byte26First",
                                "\x1A"
                                "a\n",
                                {}},
                      LinesCase{"NulIsOrdinary", "a\0b\n\0\n"s, {"a\0b"s, "\0"s}},
                      LinesCase{
                          "HighBytesUntouched", "\x80\x81\xFF\xE9\r\n", {"\x80\x81\xFF\xE9"}}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST(LineReading, MegabyteLineWithOneLoneCr) {
    std::string line(1 << 20, 'x');
    line[500000] = '\r';
    std::string bytes = line + "\r\nshort";
    LineReader reader(bytes);
    std::string first(reader.Next());
    EXPECT_EQ(first.size(), line.size() - 1);
    EXPECT_EQ(first.find('\r'), std::string::npos);
    EXPECT_EQ(reader.Next(), "short");
    EXPECT_TRUE(reader.AtEnd());
}

// Reading a file piece by piece gives what the whole-content reader gives, whatever the
// piece size: lines that straddle pieces, a CR LF cut between two, byte 26 anywhere.
TEST(LineReading, PieceByPieceMatchesTheWholeContent) {
    TempFolder folder;
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'b', '\t', '\r', '\n', '\x1A'};
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            bytes.push_back(alphabet[random() % (round % 3 == 0 ? 6 : 5)]);
        std::string_view content = FileContent(bytes);
        std::vector<std::string> expected;
        std::vector<size_t> expectedLengths; // each line's bytes with its line break
        LineReader whole(content);
        size_t start = 0;
        while (!whole.AtEnd()) {
            expected.emplace_back(whole.Next());
            size_t lf = content.find('\n', start);
            size_t next = lf == std::string_view::npos ? content.size() : lf + 1;
            expectedLengths.push_back(next - start);
            start = next;
        }
        const std::string path = folder.Write("piece.tab", bytes);
        const size_t pieceSize = 1 + random() % 9;
        int fd = ::open(path.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        StreamLineReader reader(fd, pieceSize);
        std::vector<std::string> lines;
        std::vector<size_t> lengths;
        std::string_view line;
        size_t lengthInFile = 0;
        while (reader.Next(line, lengthInFile)) {
            lines.emplace_back(line);
            lengths.push_back(lengthInFile);
        }
        ::close(fd);
        EXPECT_TRUE(reader.Complete());
        ASSERT_EQ(lines, expected) << "piece size " << pieceSize;
        ASSERT_EQ(lengths, expectedLengths) << "piece size " << pieceSize;
    }
}

TEST(FileReading, TellsAMissingFileFromOneThatCannotBeRead) {
    TempFolder folder;
    std::string bytes, error;
    bool failedToOpen = false;
    EXPECT_FALSE(ReadFileBytes(folder.Path() + "missing.tab", bytes, failedToOpen, error));
    EXPECT_TRUE(failedToOpen);
    EXPECT_FALSE(error.empty());
    // Only regular files are opened.
    EXPECT_FALSE(ReadFileBytes(folder.Path(), bytes, failedToOpen, error));
    EXPECT_TRUE(failedToOpen);

    std::string content = "1\t\0\xFF\r\n"s;
    std::string path = folder.Write("a.tab", content);
    ASSERT_TRUE(ReadFileBytes(path, bytes, failedToOpen, error));
    EXPECT_EQ(bytes, content);
}

struct SplitCase {
    const char* Name;
    DocumentKind Kind;
    std::string Line;
    std::vector<std::string> Cells;
};

class SplittingLines : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplittingLines, FollowsTheBraceRulesOfTheKind) {
    const auto& c = GetParam();
    LineCells cells;
    SplitLine(c.Line, c.Kind, cells);
    std::vector<std::string> got(cells.Cells().begin(), cells.Cells().end());
    EXPECT_EQ(got, c.Cells);
}

using K = DocumentKind;
INSTANTIATE_TEST_SUITE_P(
    Kinds, SplittingLines,
    ::testing::Values(
        SplitCase{"TabEmptyLine", K::Tab, "", {}},
        SplitCase{"TabThree", K::Tab, "a\tb\tc", {"a", "b", "c"}},
        SplitCase{"TabTrailingTab", K::Tab, "a\t", {"a", ""}},
        SplitCase{"TabOnlyTab", K::Tab, "\t", {"", ""}},
        SplitCase{"TabBracesOrdinary", K::Tab, "{1}\t}{", {"{1}", "}{"}},
        SplitCase{"TabAtBlockEdges",
                  K::Tab,
                  std::string(15, 'a') + "\t\t" + std::string(14, 'b') + "\t\tc\t",
                  {std::string(15, 'a'), "", std::string(14, 'b'), "", "c", ""}},
        SplitCase{"MesKeyAndText", K::Mes, "{100}{Some text}", {"100", "{Some text}"}},
        SplitCase{"MesTextAfterLastBrace", K::Mes, "{100}{a} // note", {"100", "{a}", " // note"}},
        SplitCase{"MesCommentWhole", K::Mes, "// a comment", {"// a comment"}},
        SplitCase{"MesBraceInsideText", K::Mes, "{1}{a}b}", {"1", "{a}", "b}"}},
        SplitCase{"MesEmptyText", K::Mes, "{100}{}", {"100", "{}"}},
        SplitCase{"MesBlankInKey", K::Mes, "{ 100}{x}", {" 100", "{x}"}},
        SplitCase{"MesExtraOpenBracesInKeyLost", K::Mes, "{{1}{a{b}", {"1", "{a{b}"}},
        SplitCase{"MesLoneCloseBrace", K::Mes, "}", {""}},
        SplitCase{"DlgSevenAndTheEmptyEighth",
                  K::Dlg,
                  "{1}{Hello}{m}{f}{}{}{}",
                  {"1", "Hello", "m", "f", "", "", "", ""}},
        SplitCase{"DlgOpenBracesDropped", K::Dlg, "{1}{a{b}c", {"1", "ab", "c"}},
        SplitCase{"DlgNoBraces", K::Dlg, "// note", {"// note"}},
        SplitCase{"OtherLikeDlg", K::Other, "{k}{v}", {"k", "v", ""}}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST(SplittingLines, HundredThousandFields) {
    std::string line;
    for (int i = 0; i < 100000; ++i)
        line += std::to_string(i % 10) + "\t";
    LineCells cells;
    SplitLine(line, DocumentKind::Tab, cells);
    ASSERT_EQ(cells.Count(), 100001);
    EXPECT_EQ(cells.Cells()[99999], "9");
    EXPECT_EQ(cells.Cells()[100000], "");
}

} // namespace
} // namespace tw
