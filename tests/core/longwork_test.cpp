// Long work stopped by the user: whenever the stop comes, the document and everything the
// user sees of it are as they were before the command, and editing goes on as usual.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "compare_support.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
#include "core/compare/sortbycolumn.h"
#include "core/document/documentedits.h"
#include "core/grid/gridcommands.h"
#include "support/grid_content.h"

namespace tw {
namespace {

// Asks to stop at its `stopAt`-th look (never when 0) and counts the looks.
class StoppingFeedback : public testing::EventRecorder {
  public:
    int StopAt = 0;
    int Looks = 0;
    bool Cancelled() override { return ++Looks == StopAt; }
};

// Everything a stop must leave as it was.
struct Seen {
    std::vector<std::vector<std::string>> Cells;
    std::vector<int> Hidden, Heights, Widths, Marks;
    int Row, Col, Clicked, Slot;
    bool Batch, TextOrder, Modified;
    size_t Undo, Redo;
    bool operator==(const Seen&) const = default;
};

Seen Look(const EditorState& state) {
    const TTextGrid& grid = state.SG1();
    Seen seen{Content(state),
              {},
              {},
              {},
              state.SelectedRows.Items(),
              grid.Row(),
              grid.Col(),
              state.ClickedRow,
              state.CurrentGridSlot,
              state.BatchActive,
              state.TextOrderAllowed,
              state.History.Modified(),
              state.History.UndoCount(),
              state.History.RedoCount()};
    for (const HiddenRowRecord& record : grid.HiddenRows())
        seen.Hidden.push_back(record.DataRow);
    for (int r = 0; r < grid.RowCount(); ++r)
        seen.Heights.push_back(grid.RowHeight(r));
    for (int c = 0; c < grid.ColCount(); ++c)
        seen.Widths.push_back(grid.ColWidth(c));
    return seen;
}

// Three files of mixed keys (whole numbers, decimals, words) with a few differing cells;
// the document has hidden rows, marks, a changed row height, one step to undo and one
// to redo.
EditorState Prepared() {
    EditorState state;
    testing::UseNumberedTexts(state);
    state.Measure.Width = [](std::string_view text, bool) {
        return 7 * static_cast<int>(text.size());
    };
    state.Measure.LineHeight = [](bool) { return 18; };
    std::mt19937 random(7);
    auto key = [&random](int n) {
        switch (random() % 3) {
        case 0:
            return std::to_string(n);
        case 1:
            return std::to_string(n % 97) + ".5";
        default:
            return "k" + std::to_string(n % 53);
        }
    };
    std::vector<std::string> header;
    for (int c = 0; c < 70; ++c)
        header.push_back("h" + std::to_string(c));
    for (int slot = 1; slot <= 3; ++slot) {
        testing::Rows rows;
        for (int r = 0; r < 1500; ++r)
            rows.push_back({key(r), std::to_string(r % (slot + 6)), "x", "y"});
        testing::FillGrid(state.Grid(slot), rows, header);
    }
    state.LoadedColCount = 70;
    state.DocumentExt = state.LoadExt = ".tab";
    state.SelectedFiles = {"/d/one.tab", "/d/two.tab", "/d/three.tab", "", ""};
    TTextGrid& grid = state.SG1();
    WriteCell(state, 2, 5, "before");
    WriteCell(state, 2, 6, "undone");
    UndoDocument(state);
    grid.HideRows({3, 40, 900});
    grid.SetRowHeight(8, 40);
    state.SelectedRows.Toggle(12);
    state.SelectedRows.Toggle(4);
    grid.SetRow(20);
    return state;
}

TEST(LongWork, AStopAtAnyPointLeavesTheDocumentAsItWas) {
    const std::vector<std::pair<const char*, std::function<void(EditorState&, Feedback&)>>>
        commands = {
            {"sort",
             [](EditorState& s, Feedback& f) {
                 s.TextOrderAllowed = true;
                 SortGridByColumn(s, 1, 0, f);
             }},
            {"compare", [](EditorState& s, Feedback& f) { CompareFiles(s, f); }},
            {"combine",
             [](EditorState& s, Feedback& f) {
                 WholeDocumentStep step(s);
                 CombineFiles(s, f);
             }},
            {"column sizes", [](EditorState& s, Feedback& f) { AutoSizeColumns(s, f); }},
        };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        int stops = 0;
        for (int stopAt = 1;; stopAt += 1 + stopAt / 4) {
            EditorState state = Prepared();
            const Seen before = Look(state);
            StoppingFeedback feedback;
            feedback.StopAt = stopAt;
            const bool finished = RunCancellable(state, [&] { command(state, feedback); });
            if (finished) {
                // Ran to its end: it changed something, as one step (the redo step goes).
                EXPECT_NE(Look(state), before);
                EXPECT_EQ(state.History.RedoCount(), name == std::string("column sizes") ? 1u : 0u);
                break;
            }
            ++stops;
            SCOPED_TRACE(stopAt);
            ASSERT_EQ(Look(state), before);
            // Editing goes on, each edit its own step, and the redo step is still there.
            EXPECT_FALSE(WriteCell(state, 1, 2, "after"));
            EXPECT_EQ(state.SG1().CellText(1, 2), "after");
            EXPECT_EQ(state.History.UndoCount(), before.Undo + 1);
        }
        EXPECT_GE(stops, 2);
    }
}

} // namespace
} // namespace tw
