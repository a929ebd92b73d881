// What compare and combine show while they run, and the walk's end when SG1's spare row
// holds a key.

#include <gtest/gtest.h>

#include "compare_support.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"

namespace tw {
namespace {

using testing::EventRecorder;
using testing::FillGrid;

EditorState TwoFiles() {
    EditorState state;
    testing::UseNumberedTexts(state);
    FillGrid(state.SG1(), {{"20", "b"}, {"10", "a"}}, {"#", "name"});
    FillGrid(state.Grid(2), {{"10", "A"}, {"30", "c"}}, {"#", "name"});
    state.LoadedColCount = 2;
    state.SelectedFiles = {"/d/one.tab", "/d/two.tab", "", "", ""};
    return state;
}

std::vector<std::string> Without(const std::vector<std::string>& statuses,
                                 const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& s : statuses)
        if (s.rfind(prefix, 0) != 0)
            out.push_back(s);
    return out;
}

TEST(CompareRun, StatusTextsAndFlags) {
    EditorState state = TwoFiles();
    EventRecorder feedback;
    feedback.Visible = false;
    CompareFiles(state, feedback);
    EXPECT_EQ(Without(feedback.Statuses(), "T126 "),
              (std::vector<std::string>{"T131 /d/two.tab", "T139"}));
    EXPECT_EQ(feedback.Report, (std::vector<std::string>{"SG2 - T136 20", "SG2 - T135 30"}));
    EXPECT_EQ(feedback.PanelShown, 0); // compare leaves the report area as it is
    EXPECT_EQ(state.CurrentGridSlot, 2);
    EXPECT_FALSE(state.TextOrderAllowed);
    EXPECT_FALSE(state.BatchActive);
    EXPECT_EQ(state.SG1().CellText(0, 1), "10"); // left sorted
}

TEST(CombineRun, StatusTextsPanelAndFlags) {
    EditorState state = TwoFiles();
    EventRecorder feedback;
    feedback.Visible = false;
    CombineFiles(state, feedback);
    EXPECT_EQ(Without(feedback.Statuses(), "T126 "),
              (std::vector<std::string>{"T140 /d/two.tab", "T146"}));
    EXPECT_EQ(feedback.PanelShown, 1);
    EXPECT_FALSE(state.TextOrderAllowed);
    EXPECT_FALSE(state.BatchActive);
    EXPECT_EQ(testing::GridRows(state.SG1()),
              (testing::Rows{{"#", "name"}, {"10", "A"}, {"30", "c"}, {"", ""}}));
}

TEST(CombineRun, KeyTypedIntoTheSpareRowEndsTheWalk) {
    EditorState state = TwoFiles();
    state.SG1().SetCell(0, state.SG1().RowCount() - 1, "99");
    state.RemoveRows = false;
    EventRecorder feedback;
    CombineFiles(state, feedback);
    EXPECT_EQ(testing::GridRows(state.SG1()),
              (testing::Rows{{"#", "name"}, {"10", "A"}, {"20", "b"}, {"30", "c"}, {"99", ""}}));
    EXPECT_EQ(feedback.Report, (std::vector<std::string>{"SG2 - T145 20"}));
}

} // namespace
} // namespace tw
