// Find and Find Next in the main grid.

#include "core/app/programtexts.h"
#include "core/grid/gridcommands.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/grid/gridview.h"

namespace tw {

void TForm1::Find1Click() {
    PrepareCommand();
    const std::string answer = AskInput(106, 107, Editor.LastFindText);
    // The same text again (cancelling gives it back) is what Find Next is for.
    if (answer == Editor.LastFindText)
        return;
    FindInGrid(answer);
}

void TForm1::FindNext1Click() {
    PrepareCommand();
    FindInGrid(Editor.LastFindText);
}

void TForm1::FindInGrid(const std::string& text) {
    PrepareCommand();
    FeedbackShown->SetBusy(true);
    const TTextGrid& before = Editor.SG1();
    const int oldRow = before.Row();
    const int oldCol = before.Col();
    if (auto found = tw::FindInGrid(Editor, text)) {
        const auto [row, col] = *found;
        SG1->EndCellEdit();
        // A match in a fixed column is made current and edited like any other cell: the
        // view edits fixed cells in its frozen columns. A match out of sight comes to the
        // middle of the view, so the rows around it are seen too.
        SG1->SetCurrentCell(row, col, GridView::CentreWhenHidden);
        // The next search starts here even where the view cannot show the cell as
        // current (a match in the header row).
        TTextGrid& grid = Editor.SG1();
        grid.SetRow(row);
        grid.SetCol(col);
        // The jump is a move of the current cell like any other: the status text shows
        // the cell found and the pop-up commands act on it.
        SG1CellChanging(oldRow, oldCol, row, col);
        SG1->setFocus();
        SG1->BeginCellEdit();
    } else if (!text.empty()) {
        // Nothing moves, so without a word the user could not tell a miss from a slow
        // search.
        FeedbackShown->SetStatus(FormatText(Editor.Language.Added("findnomore"), {text}));
    }
    FeedbackShown->SetBusy(false);
}

} // namespace tw
