#include <gtest/gtest.h>

#include "core/headers/dialoglists.h"
#include "core/headers/documentsections.h"
#include "core/headers/variablelists.h"
#include "headers_test_support.h"

namespace tw {
namespace {

using testing::LanguageBytes;
using testing::PrepareState;
using testing::SplitCrLf;

const std::string Footer = "T55 \x0B T56";

// A dialog file just loaded: sections read, then the dialog step.
class DialogStepTest : public ::testing::Test {
  protected:
    void Load(const std::string& sections) {
        PrepareState(State, Folder, "00001innkeeper.dlg", LanguageBytes(sections));
        State.SG1().SetColCount(7);
        State.SG1().SetRowCount(4);
        for (int c = 2; c < 7; ++c)
            State.SG1().SetCell(c, 0, "Column " + std::to_string(c));
        LoadDocumentSections(State, Shown);
        ApplyDialogStep(State);
    }
    std::vector<std::string> List(size_t item) const {
        return SplitCrLf(State.VariableLists[item]);
    }

    TempFolder Folder;
    EditorState State;
    RecordingFeedback Shown;
};

TEST_F(DialogStepTest, NamesTheSevenColumnsAndAddsFourLists) {
    Load("");
    std::vector<std::string> captions;
    for (int c = 0; c < 7; ++c)
        captions.push_back(State.SG1().CellText(c, 0));
    EXPECT_EQ(captions, (std::vector<std::string>{"#", "T68", "T69", "T70", "T71", "T72", "T73"}));
    EXPECT_EQ(State.VariableListNames,
              (std::vector<std::string>{"T47", "T74", "T70", "T71", "T73"}));
    ASSERT_EQ(State.VariableLists.size(), 5u);
    EXPECT_EQ(State.VariableLists[0], "");
    EXPECT_EQ(List(1).size(), 17u);
    EXPECT_EQ(List(2).size(), 2u);
    EXPECT_EQ(List(3).size(), 35u);
    EXPECT_EQ(List(4).size(), 131u);
}

TEST_F(DialogStepTest, ListLinesComeFromTheLanguageOrStandAsWritten) {
    Load("");
    auto notes = List(1);
    EXPECT_EQ(notes[0], "T75");
    EXPECT_EQ(notes[1], "");
    EXPECT_EQ(notes[4], " ");
    EXPECT_EQ(notes[16], "T89");
    EXPECT_EQ(List(2), (std::vector<std::string>{"T90", "T91"}));
    auto conditions = List(3);
    EXPECT_EQ(conditions[2], "T93");
    EXPECT_EQ(conditions[4], "anyone( pc.group_list(), \"has_follower\", # ) ");
    EXPECT_EQ(conditions[34], "pc.stat_level_get(stat_strength) >= #");

    auto effects = List(4);
    EXPECT_EQ(std::vector<std::string>(effects.begin(), effects.begin() + 14),
              std::vector<std::string>(conditions.begin(), conditions.begin() + 14));
    EXPECT_EQ(effects[14], "run_off(npc,pc)");
    EXPECT_EQ(effects[15], "");
    EXPECT_EQ(effects[61], "obj. damage(OBJ_HANDLE_NULL,D20DT_SUBDUAL,damage#,D20DA ");
    EXPECT_EQ(effects[62], "P_NORMAL)  ");
    EXPECT_EQ(effects[67], "obj.float_mesfile_line( 'mes\\\\spell.mes', 30002 )");
    EXPECT_EQ(effects[106], " obj.steal_from(obj) ");
    EXPECT_EQ(effects[130], "while (attachee.item_find(#) != OBJ_HANDLE_NULL):");
    // No line break after the last line.
    EXPECT_NE(State.VariableLists[4].substr(State.VariableLists[4].size() - 2), "\r\n");
}

TEST_F(DialogStepTest, BuiltInListsFollowTheDocumentsOwnLists) {
    Load("[00001innkeeper.dlgcombovar]\r\nGreetings: hello\tgood day\r\n");
    EXPECT_EQ(State.VariableListNames,
              (std::vector<std::string>{"T47", "Greetings", "T74", "T70", "T71", "T73"}));
    EXPECT_EQ(State.VariableLists[1], "Greetings: hello\tgood day");
    EXPECT_EQ(List(3), (std::vector<std::string>{"T90", "T91"}));
}

struct DisplayCase {
    const char* Name;
    std::string List;
    std::vector<std::string> Lines;
};

class VariableListDisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(VariableListDisplayTest, ShowsTheListThenTwoBlankLinesThenTheFooter) {
    EditorState state;
    state.Language.SetFromBytes(LanguageBytes(""));
    state.VariableListNames = {"T47", "item"};
    state.VariableLists = {"", GetParam().List};
    EXPECT_EQ(VariableListDisplayLines(state, 1), GetParam().Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, VariableListDisplayTest,
    ::testing::Values(
        DisplayCase{"tabs", "Spells: a\tb\tc", {"Spells: a", "b", "c", " ", " ", Footer}},
        DisplayCase{"verticalTab", "x\x0By\r\nz", {"x", "y", "z", " ", " ", Footer}},
        DisplayCase{"trailingTab", "name:\t", {"name:", "", " ", " ", Footer}},
        DisplayCase{"loneBreaks", "a\rb\nc", {"a\rb\nc", " ", " ", Footer}},
        DisplayCase{"empty", "", {Footer}}),
    [](const auto& testCase) { return testCase.param.Name; });

TEST(VariableListDisplay, ThePromptAndItemsOutsideTheListShowTheFooterOnly) {
    EditorState state;
    state.Language.SetFromBytes(LanguageBytes(""));
    EXPECT_EQ(VariableListDisplayLines(state, 0), std::vector<std::string>{Footer});
    EXPECT_EQ(VariableListDisplayLines(state, 7), std::vector<std::string>{Footer});
    EXPECT_EQ(VariableListDisplayLines(state, -1), std::vector<std::string>{Footer});
}

TEST_F(DialogStepTest, BuiltInListShowsLineByLine) {
    Load("");
    auto lines = VariableListDisplayLines(State, 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"T90", "T91", " ", " ", Footer}));
}

} // namespace
} // namespace tw
