#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/app/text.h"
#include "core/document/descriptions.h"
#include "core/document/linereader.h"
#include "support/document_fixture.h"

namespace tw {
namespace {

struct ParseCase {
    const char* Name;
    const char* Line;
    bool Parsed;
    const char* Key;
    const char* Text;
};

class DescriptionLines : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DescriptionLines, KeyAtDepthZeroTextAtDepthOne) {
    const auto& c = GetParam();
    auto parsed = ParseDescriptionLine(c.Line);
    ASSERT_EQ(parsed.has_value(), c.Parsed);
    if (!parsed)
        return;
    EXPECT_EQ(parsed->Key, c.Key);
    EXPECT_EQ(parsed->Text, c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DescriptionLines,
    ::testing::Values(ParseCase{"Plain", "{1234}{A sword}", true, "1234", "A sword"},
                      ParseCase{"BlankBetweenFieldsJoinsTheKey", "{12} {text}", true, "12 ",
                                "text"},
                      ParseCase{"ThirdFieldDropped", "{1}{a}{b}", true, "1", "a"},
                      ParseCase{"ClosingBraceDoesNotReturn", "{1}{a}b", true, "1", "ab"},
                      ParseCase{"Empty", "", false, "", ""},
                      ParseCase{"NotABrace", "x{1}{a}", false, "", ""}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

// A protos.tab row with the given type and description number (column 23).
std::string ProtoLine(int number, const std::string& descriptionNumber) {
    std::string line = std::to_string(number) + "\tobj_t_npc\told";
    for (int c = 3; c < 23; ++c)
        line += "\t";
    return line + "\t" + descriptionNumber + "\tend\n";
}

class Descriptions : public DocumentTest {
  protected:
    std::string WriteProtos() {
        return Folder.Write("game/data/rules/protos.tab",
                            ProtoLine(1, "100") + ProtoLine(2, "200") + ProtoLine(3, "100") +
                                ProtoLine(4, "12"));
    }
    std::vector<std::string> Column2() const {
        std::vector<std::string> texts;
        for (int r = 1; r <= 4; ++r)
            texts.emplace_back(State.SG1().Cell(2, r));
        return texts;
    }
};

TEST_F(Descriptions, FoundBesideTheParentOfTheProtosFolder) {
    Folder.Write("game/data/mes/description.mes", "{100}{Sword}\n{200}{Axe}\n{12} {skipped}\n");
    Folder.Write("program/description.mes", "{100}{Program folder}\n");
    ASSERT_TRUE(LoadTable(State, WriteProtos(), 1, Shown).Ok);
    EXPECT_EQ(Column2(), (std::vector<std::string>{"Sword", "Axe", "Sword", "old"}));
    EXPECT_NE(std::find(Shown.Statuses.begin(), Shown.Statuses.end(), "T121"),
              Shown.Statuses.end());
}

TEST_F(Descriptions, FoundInTheProgramFolderOtherwise) {
    Folder.Write("program/description.mes", "{200}{Program folder}\n");
    ASSERT_TRUE(LoadTable(State, WriteProtos(), 1, Shown).Ok);
    EXPECT_EQ(Column2(), (std::vector<std::string>{"old", "Program folder", "old", "old"}));
}

TEST_F(Descriptions, NotReadInABatchRunAnotherSlotOrAnotherFile) {
    Folder.Write("game/data/mes/description.mes", "{100}{Sword}\n");
    std::string protos = WriteProtos();
    State.BatchActive = true;
    ASSERT_TRUE(LoadTable(State, protos, 1, Shown).Ok);
    EXPECT_EQ(State.SG1().Cell(2, 1), "old");
    State.BatchActive = false;
    ASSERT_TRUE(LoadTable(State, protos, 2, Shown).Ok);
    EXPECT_EQ(State.Grid(2).Cell(2, 1), "old");
    std::string other = Folder.Write("game/data/rules/other.tab", ProtoLine(1, "100"));
    ASSERT_TRUE(LoadTable(State, other, 1, Shown).Ok);
    EXPECT_EQ(State.SG1().Cell(2, 1), "old");
}

// The description step as the editor always did it: every line against every row.
void LiteralDescriptions(TTextGrid& grid, const std::string& bytes) {
    LineReader reader(FileContent(bytes));
    while (!reader.AtEnd()) {
        auto parsed = ParseDescriptionLine(reader.Next());
        if (!parsed || !IsInteger(parsed->Key))
            continue;
        for (int r = 1; r < grid.RowCount(); ++r)
            if (grid.Cell(DescriptionKeyColumn, r) == parsed->Key)
                grid.SetCell(DescriptionTextColumn, r, parsed->Text);
    }
}

TEST_F(Descriptions, IndexedFillMatchesEveryLineAgainstEveryRow) {
    std::mt19937 random(20240611);
    const std::vector<std::string> keys = {"1", "2", "3", "07", "7", " 7", "+7", "x", "12 ", ""};
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    for (int round = 0; round < 40; ++round) {
        std::string protos;
        int rows = 1 + static_cast<int>(random() % 60);
        for (int r = 0; r < rows; ++r)
            protos += ProtoLine(r, pick(keys));
        std::string descriptions;
        int lines = static_cast<int>(random() % 40);
        for (int l = 0; l < lines; ++l) {
            switch (random() % 4) {
            case 0:
                descriptions += "{" + pick(keys) + "}{text " + std::to_string(l) + "}\n";
                break;
            case 1:
                descriptions += "{" + pick(keys) + "}{}\n";
                break;
            case 2:
                descriptions += "{" + pick(keys) + "}{a}{b}c\r\n";
                break;
            default:
                descriptions += "// " + pick(keys) + "\n";
                break;
            }
        }
        Folder.Write("game/data/mes/description.mes", descriptions);
        ASSERT_TRUE(
            LoadTable(State, Folder.Write("game/data/rules/protos.tab", protos), 1, Shown).Ok);

        EditorState reference;
        reference.Language = State.Language;
        LoadOptions without;
        without.ReadDescriptions = false;
        ASSERT_TRUE(
            LoadTable(reference, Folder.Path() + "game/data/rules/protos.tab", 1, Shown, without)
                .Ok);
        LiteralDescriptions(reference.SG1(), descriptions);

        ASSERT_EQ(State.SG1().RowCount(), reference.SG1().RowCount());
        for (int r = 0; r < State.SG1().RowCount(); ++r)
            ASSERT_EQ(State.SG1().Cell(2, r), reference.SG1().Cell(2, r))
                << "round " << round << " row " << r << "\n"
                << descriptions;
    }
}

} // namespace
} // namespace tw
