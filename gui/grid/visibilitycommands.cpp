// Hiding and showing rows and columns of the main grid.

#include <QAction>
#include <exception>

#include "core/app/text.h"
#include "core/grid/gridcommands.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/grid/gridchange.h"
#include "gui/grid/gridview.h"

namespace tw {

void TForm1::HideRow1Click() {
    PrepareCommand();
    {
        GridChange change(SG1);
        Editor.SG1().HideRow(Editor.ClickedDataRow);
        tw::ClearRowSelection(Editor, *FeedbackShown);
    }
    SG1->RefreshCells();
}

void TForm1::HideColumn1Click() {
    PrepareCommand();
    {
        GridChange change(SG1);
        Editor.SG1().HideColumn(Editor.ClickedDataCol);
        tw::ClearColumnSelection(Editor, *FeedbackShown);
    }
    SG1->RefreshCells();
}

void TForm1::HideMarked(bool rows) {
    PrepareCommand();
    Editor.PaintSuspended = true;
    FeedbackShown->SetBusy(true);
    bool hidden = false;
    {
        GridChange change(SG1);
        try {
            hidden = rows ? HideSelectedRows(Editor, *FeedbackShown)
                          : HideSelectedColumns(Editor, *FeedbackShown);
        } catch (const std::exception&) {
            hidden = false;
        }
        // The view takes the new shape before a message box lets it paint again.
        change.End();
        if (!hidden)
            FeedbackShown->ShowMessage(Editor.Text(rows ? 150 : 151));
    }
    Editor.PaintSuspended = false;
    SG1->RefreshCells();
    FeedbackShown->SetBusy(false);
}

void TForm1::HideSelectedRows1Click() {
    HideMarked(true);
}

void TForm1::HideSelectedColumns1Click() {
    HideMarked(false);
}

void TForm1::UnhideRows1Click() {
    PrepareCommand();
    FeedbackShown->SetBusy(true);
    {
        GridChange change(SG1);
        UnhideAllRowsCommand(Editor, *FeedbackShown);
    }
    SG1->RefreshCells();
    FeedbackShown->SetBusy(false);
}

void TForm1::UnhideColumns1Click() {
    PrepareCommand();
    {
        GridChange change(SG1);
        UnhideAllColumnsCommand(Editor, *FeedbackShown);
    }
    SG1->RefreshCells();
}

void TForm1::UnhideRow1Click() {
    PrepareCommand();
    const std::string answer = AskInput(152, 153, std::string());
    // Anything but a number is ignored without a word.
    if (ConvertInteger(answer)) {
        GridChange change(SG1);
        UnhideRowNumber(Editor, answer, *FeedbackShown);
    }
    SG1->RefreshCells();
}

void TForm1::UnhideColumn1Click() {
    PrepareCommand();
    const std::string answer = AskInput(154, 155, std::string());
    if (ConvertInteger(answer)) {
        GridChange change(SG1);
        UnhideColumnNumber(Editor, answer, *FeedbackShown);
    }
    SG1->RefreshCells();
}

void TForm1::NeverHideColumns1Click() {
    PrepareCommand();
    FeedbackShown->SetBusy(true);
    const bool on = !NeverHideColumns1->isChecked();
    NeverHideColumns1->setChecked(on);
    Editor.NeverHide = on;
    if (on) {
        {
            GridChange change(SG1);
            Editor.SG1().UnhideAllColumns();
            tw::ClearColumnSelection(Editor, *FeedbackShown);
        }
        SG1->RefreshCells();
    }
    Editor.Reg1.WriteBool("neverhide", on);
    FeedbackShown->SetBusy(false);
}

} // namespace tw
