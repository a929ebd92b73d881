// Find and Replace in the main grid (Ctrl+H). Finding walks the cells as Find does; a
// replacement is checked by the cell rule before anything is stored.

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include "core/app/programtexts.h"
#include "core/document/cellrule.h"
#include "gui/app/cp1252.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/grid/findreplaceform.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridview.h"

namespace tw {

void TForm1::BuildFindReplace() {
    FindReplace1 = Edit1->addAction(QString());
    FindReplace1->setObjectName(QStringLiteral("FindReplace1"));
    FindReplace1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(FindReplace1, &QAction::triggered, this, &TForm1::FindReplace1Click);
    FindReplaceForm = new FindReplaceWindow(this);
    FindReplaceForm->FindNext = [this] { ReplaceFindNext(); };
    FindReplaceForm->Replace = [this] { ReplaceCurrent(); };
    FindReplaceForm->ReplaceAll = [this] { ReplaceAllClick(); };
    SetFindReplaceCaptions();
}

void TForm1::SetFindReplaceCaptions() {
    auto text = [this](const char* name) { return FromCp1252(Editor.Language.Added(name)); };
    FindReplace1->setText(text("findreplace"));
    FindReplaceForm->SetCaptions(text);
}

void TForm1::FindReplace1Click() {
    SG1->EndCellEdit();
    SetFindReplaceCaptions(); // the language may have changed since it was built
    if (FindReplaceForm->FindEdit->text().isEmpty())
        FindReplaceForm->FindEdit->setText(FromCp1252(Editor.LastFindText));
    FindReplaceForm->show();
    FindReplaceForm->raise();
    FindReplaceForm->activateWindow();
    FindReplaceForm->FindEdit->setFocus();
    FindReplaceForm->FindEdit->selectAll();
}

bool TForm1::ReplaceOptionsNow(ReplaceOptions& options) {
    if (!FindReplaceForm->Options(options)) {
        FeedbackShown->SetStatus(Editor.Language.Added("replaceoutsidecodepage"));
        return false;
    }
    if (FindReplaceForm->CurrentColumnButton->isChecked()) {
        const TTextGrid& grid = Editor.SG1();
        options.OnlyDataColumn = grid.DataColumnOf(grid.Col());
    }
    return true;
}

void TForm1::ShowReplaceMatch(int row, int col) {
    const TTextGrid& grid = Editor.SG1();
    const int oldRow = grid.Row();
    const int oldCol = grid.Col();
    SG1->SetCurrentCell(row, col, GridView::CentreWhenHidden);
    Editor.SG1().SetRow(row);
    Editor.SG1().SetCol(col);
    SG1CellChanging(oldRow, oldCol, row, col);
    // The cell is shown as current, but the keyboard stays in the window the user works in.
    SG1->RefreshCells();
}

void TForm1::ReplaceFindNext() {
    SG1->EndCellEdit();
    ReplaceOptions options;
    if (!ReplaceOptionsNow(options) || options.FindWhat.empty())
        return;
    const TTextGrid& grid = Editor.SG1();
    if (auto found = FindNextMatch(grid, grid.Row(), grid.Col(), options))
        ShowReplaceMatch(found->first, found->second);
    else
        FeedbackShown->SetStatus(
            FormatText(Editor.Language.Added("findnomore"), {options.FindWhat}));
}

void TForm1::ReplaceCurrent() {
    SG1->EndCellEdit();
    ReplaceOptions options;
    if (!ReplaceOptionsNow(options) || options.FindWhat.empty())
        return;
    const TTextGrid& grid = Editor.SG1();
    const int dataCol = grid.DataColumnOf(grid.Col());
    const std::string_view cell = grid.Cell(dataCol, grid.Row());
    // The current cell is replaced when it matches; either way the next match is shown.
    if (grid.Row() > 0 && (options.OnlyDataColumn < 0 || options.OnlyDataColumn == dataCol) &&
        CellMatches(cell, options)) {
        const std::string text = ReplacedText(cell, options);
        if (auto refused = RefusedCellText(Editor, grid.Row(), dataCol, text)) {
            FeedbackShown->SetStatus(RefusalMessage(Editor, *refused));
            return;
        }
        ApplyReplacements({{grid.Row(), dataCol, text}});
    }
    ReplaceFindNext();
}

void TForm1::ReplaceAllClick() {
    SG1->EndCellEdit();
    ReplaceOptions options;
    if (!ReplaceOptionsNow(options) || options.FindWhat.empty())
        return;
    FeedbackShown->SetBusy(true);
    const ReplacePlan plan = PlanReplaceAll(Editor, options);
    ApplyReplacements(plan.Cells);
    FeedbackShown->SetBusy(false);
    const std::string count = std::to_string(plan.Cells.size());
    FeedbackShown->SetStatus(plan.Refused == 0
                                 ? FormatText(Editor.Language.Added("replacedcount"), {count})
                                 : FormatText(Editor.Language.Added("replacedrefused"),
                                              {count, std::to_string(plan.Refused)}));
}

// ---------------------------------------------------------------------------------------
// THE ONE PLACE a Replace writes cells. All cells of one call are one change of the
// document: route this through the document command layer's batch (one undo step) when
// that layer is on this branch. Every text here has passed RefusedCellText.
void TForm1::ApplyReplacements(const std::vector<CellReplacement>& cells) {
    if (cells.empty())
        return;
    TTextGrid& grid = Editor.SG1();
    int top = cells.front().Row;
    int bottom = top;
    for (const CellReplacement& cell : cells) {
        grid.SetCell(cell.DataCol, cell.Row, cell.Text);
        top = std::min(top, cell.Row);
        bottom = std::max(bottom, cell.Row);
    }
    SG1->CellModel()->CellsChanged(top, 0, bottom, grid.ColCount() - 1);
}
// ---------------------------------------------------------------------------------------

} // namespace tw
