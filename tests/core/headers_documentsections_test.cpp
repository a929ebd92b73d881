#include <gtest/gtest.h>

#include "core/headers/documentsections.h"
#include "core/headers/headersets.h"
#include "headers_test_support.h"

namespace tw {
namespace {

using testing::LanguageBytes;
using testing::PrepareState;

class DocumentSectionsTest : public ::testing::Test {
  protected:
    // A 30-column protos.tab in SG1 whose header row carries default captions.
    void Load(const std::string& sections, const std::string& name = "protos.tab",
              const std::string& eol = "\r\n") {
        PrepareState(State, Folder, name, LanguageBytes(sections, eol));
        State.SG1().SetColCount(30);
        State.SG1().SetRowCount(3);
        for (int c = 2; c < 30; ++c)
            State.SG1().SetCell(c, 0, "Column " + std::to_string(c));
        LoadDocumentSections(State, Shown);
    }

    TempFolder Folder;
    EditorState State;
    RecordingFeedback Shown;
};

struct HeaderNameCase {
    const char* Line;
    bool ShowColNumbers;
    int Column;
    const char* Caption;
};

class HeaderNameLineTest : public DocumentSectionsTest,
                           public ::testing::WithParamInterface<HeaderNameCase> {};

TEST_P(HeaderNameLineTest, NamesTheColumnOrIsSkipped) {
    const auto& c = GetParam();
    State.ShowColNumbers = c.ShowColNumbers;
    Load(std::string("[protos.tab]\r\n") + c.Line + "\r\n");
    EXPECT_EQ(State.SG1().CellText(c.Column, 0), c.Caption) << c.Line;
    EXPECT_TRUE(Shown.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HeaderNameLineTest,
    ::testing::Values(HeaderNameCase{"023Flags", false, 23, "Flags"},
                      HeaderNameCase{"023Flags", true, 23, "23/Flags"},
                      HeaderNameCase{"23", false, 23, "Column 23"},    // two characters
                      HeaderNameCase{"2xFlags", false, 2, "Column 2"}, // not a number
                      HeaderNameCase{"005", false, 5, ""},             // empty name
                      HeaderNameCase{"005", true, 5, "5/"},
                      HeaderNameCase{" 07 Weight", false, 7, " Weight"},
                      HeaderNameCase{"x10Hex", false, 16, "Hex"}, // the shared conversion
                      HeaderNameCase{"099Far", false, 29, "Column 29"},
                      HeaderNameCase{"000Number", true, 0, "0/Number"}));

TEST_F(DocumentSectionsTest, HeadersMatchExactlyButSetHeadersIgnoreCase) {
    Load("[Protos.tab]\r\n023Flags\r\n"
         "[protos.tabCombovar]\r\nSpells: a\r\n"
         "[protos.tabcombobox]\r\nArmor\r\nPC\r\n"
         "[protos.tabARMOR]\r\n2,3,\r\n"
         "[PROTOS.TABpc]\r\n4,\r\n");
    EXPECT_EQ(State.SG1().CellText(23, 0), "Column 23");
    EXPECT_EQ(State.VariableListNames, std::vector<std::string>{"T47"});
    ASSERT_EQ(State.HeaderSetNames, (std::vector<std::string>{"T46", "Armor", "PC"}));
    EXPECT_EQ(State.HeaderSetColumns, (std::vector<std::string>{"", "2,3,", "4,"}));
    EXPECT_EQ(State.HeaderSetCount, 3);
}

TEST_F(DocumentSectionsTest, ReadsEverySectionInAnyOrder) {
    Load("[protos.tabcombobox]\n"
         "Armor\n"
         "\n"
         "PC\n"
         "NPC\n"
         "[protos.tabNPC]\n"
         "\n" // taken unchanged, even when empty
         "5,\n"
         "[protos.tabcombovar]\n"
         "Spells: magic missile\tfireball\n"
         "\n"
         "No colon here\n"
         "a:b:c\n"
         "[protos.tabArmor]\n"
         "2,9,\n"
         "[protos.tab]\n"
         "009Weight\n"
         "\n"
         "012Worth\n"
         "[other.tab]\n"
         "013Ignored\n",
         "protos.tab", "\n");
    EXPECT_EQ(State.SG1().CellText(9, 0), "Weight");
    EXPECT_EQ(State.SG1().CellText(12, 0), "Worth");
    EXPECT_EQ(State.SG1().CellText(13, 0), "Column 13");
    EXPECT_EQ(State.VariableListNames,
              (std::vector<std::string>{"T47", "Spells", "No colon here", "a"}));
    EXPECT_EQ(State.VariableLists, (std::vector<std::string>{"", "Spells: magic missile\tfireball",
                                                             "No colon here", "a:b:c"}));
    EXPECT_EQ(State.HeaderSetNames, (std::vector<std::string>{"T46", "Armor", "PC", "NPC"}));
    EXPECT_EQ(State.HeaderSetColumns, (std::vector<std::string>{"", "2,9,", "", ""}));
    EXPECT_EQ(State.HeaderSetTypes, (std::vector<std::string>{"", "Armor", "PC", "NPC"}));
    EXPECT_EQ(State.HeaderSetCount, 4);
    EXPECT_EQ(Shown.Statuses, (std::vector<std::string>{"T110", "T111", "T112", "T113"}));
    EXPECT_EQ(Shown.EndCellEdits, 2);
    EXPECT_EQ(Shown.BusyDepth, 0);
}

TEST_F(DocumentSectionsTest, TypesFollowTheSetPositionAndStopAtSixteen) {
    std::string sections = "[protos.tabcombobox]\r\n";
    for (int i = 1; i <= 18; ++i)
        sections += "Set" + std::to_string(i) + "\r\n";
    Load(sections);
    ASSERT_EQ(State.HeaderSetTypes.size(), 19u);
    EXPECT_EQ(State.HeaderSetTypes[0], "");
    for (size_t i = 1; i <= 16; ++i) {
        EXPECT_EQ(State.HeaderSetTypes[i], ObjectTypeNames[i - 1]);
    }
    EXPECT_EQ(State.HeaderSetTypes[17], "");
    EXPECT_EQ(State.HeaderSetTypes[18], "");
}

TEST_F(DocumentSectionsTest, NoSectionsLeavesThePromptsOnly) {
    State.HeaderSetIndex = 3;
    State.VariableListIndex = 2;
    Load("[items.tab]\r\n002Name\r\n[items.tabcombovar]\r\nx: y\r\n");
    EXPECT_EQ(State.HeaderSetNames, std::vector<std::string>{"T46"});
    EXPECT_EQ(State.VariableListNames, std::vector<std::string>{"T47"});
    EXPECT_EQ(State.VariableLists, std::vector<std::string>{""});
    EXPECT_EQ(State.HeaderSetCount, 0);
    EXPECT_EQ(State.HeaderSetIndex, 0);
    EXPECT_EQ(State.VariableListIndex, 0);
    EXPECT_EQ(State.SG1().CellText(2, 0), "Column 2");
    EXPECT_EQ(Shown.Statuses, (std::vector<std::string>{"T111", "T113"}));
    EXPECT_EQ(Shown.EndCellEdits, 0);
}

TEST_F(DocumentSectionsTest, RereadingReplacesTheListsWhole) {
    Load("[protos.tabcombobox]\r\nArmor\r\n[protos.tabcombovar]\r\nA: 1\r\n");
    LoadDocumentSections(State, Shown);
    EXPECT_EQ(State.HeaderSetNames, (std::vector<std::string>{"T46", "Armor"}));
    EXPECT_EQ(State.VariableListNames, (std::vector<std::string>{"T47", "A"}));
    EXPECT_EQ(State.VariableLists.size(), 2u);
}

TEST_F(DocumentSectionsTest, UnreadableLanguageFileIsReportedAndListsEndOnThePrompt) {
    Load("[protos.tabcombobox]\r\nArmor\r\n");
    State.HeaderSetIndex = 1;
    State.LanguageFile = "gone.lng";
    LoadDocumentSections(State, Shown);
    EXPECT_EQ(Shown.Messages, std::vector<std::string>{"T105 T108 (gone.lng)"});
    EXPECT_EQ(State.HeaderSetNames, std::vector<std::string>{"T46"});
    EXPECT_EQ(State.HeaderSetIndex, 0);
    EXPECT_EQ(State.VariableListIndex, 0);
    EXPECT_EQ(Shown.BusyDepth, 0);
}

} // namespace
} // namespace tw
