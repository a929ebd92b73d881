// Marks, row commands and the grid's mouse and focus events.

#include <QAction>
#include <QMenu>

#include "core/grid/gridcommands.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/grid/gridchange.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

// The status panel shows one line of a cell, as much as fits; a cell of megabytes is not
// copied whole to get there.
std::string CellStatusText(std::string_view cell) {
    constexpr size_t Enough = 64 * 1024;
    return std::string(cell.substr(0, Enough));
}

} // namespace

void TForm1::ToggleRowMark(int row) {
    Editor.SelectedRows.Toggle(row);
    SG1->RefreshCells();
}

void TForm1::ToggleColumnMark(int dataCol) {
    Editor.SelectedCols.Toggle(dataCol);
    SG1->RefreshCells();
}

void TForm1::OpenPopupMenu(QMenu& menu, QPoint globalPosition) {
    menu.popup(globalPosition);
}

void TForm1::SelectThisRow1Click() {
    PrepareCommand();
    if (Editor.ClickedRow != 0)
        ToggleRowMark(Editor.ClickedRow);
}

void TForm1::ColSelectionToggle1Click() {
    PrepareCommand();
    if (Editor.ClickedCol >= Editor.SG1().FixedCols())
        ToggleColumnMark(Editor.ClickedDataCol);
}

void TForm1::InsertRow1Click() {
    PrepareCommand();
    GridChange change(SG1);
    InsertRowAbove(Editor);
}

void TForm1::DeleteThisRow1Click() {
    PrepareCommand();
    GridChange change(SG1);
    DeleteThisRow(Editor);
}

void TForm1::CopyThisRow1Click() {
    PrepareCommand();
    GridChange change(SG1);
    CopyThisRow(Editor);
}

void TForm1::AllowAddDeleteRows1Click() {
    SG1->EndCellEdit();
    const bool on = !AllowAddDeleteRows1->isChecked();
    AllowAddDeleteRows1->setChecked(on);
    SG1->SetAllowInsertDeleteRows(on);
    Editor.Reg1.WriteBool("addrow", on);
}

// While a long operation rebuilds the grid its events mean nothing.
void TForm1::SG1ClickCell(int row, int col) {
    if (Editor.PaintSuspended)
        return;
    TTextGrid& grid = Editor.SG1();
    SetClickedCell(Editor, row, col);

    // Remember the widths around a header cell, so the release can tell a click from
    // a drag of a column border.
    HeaderClickWidth = 0;
    HeaderClickLeftWidth = 0;
    HeaderClickCol = -1;
    if (row == 0) {
        HeaderClickWidth = grid.ColWidth(col);
        HeaderClickCol = col;
        if (col > 0)
            HeaderClickLeftWidth = grid.ColWidth(col - 1);
    }

    if (col < grid.FixedCols()) {
        if (row != 0 && grid.FixedCols() > 0)
            ToggleRowMark(row);
        SG1->RefreshCells();
    }
    FeedbackShown->SetStatus(CellStatusText(grid.Cell(grid.DataColumnOf(grid.Col()), grid.Row())));
}

void TForm1::SG1MouseUp(Qt::MouseButton /*button*/, Qt::KeyboardModifiers /*modifiers*/,
                        QPoint /*position*/) {
    if (!Editor.PaintSuspended && HeaderClickCol != -1) {
        const TTextGrid& grid = Editor.SG1();
        const int col = HeaderClickCol;
        if (col > 0 && col >= grid.FixedCols() && grid.ColWidth(col) == HeaderClickWidth &&
            grid.ColWidth(col - 1) == HeaderClickLeftWidth) {
            ToggleColumnMark(grid.DataColumnOf(col));
            SG1->RefreshCells();
        }
    }
    // Also while a long operation runs: a press it swallowed must not mark later.
    HeaderClickCol = -1;
    HeaderClickWidth = 0;
}

void TForm1::SG1RightClickCell(int row, int col, QPoint globalPosition) {
    if (Editor.PaintSuspended || row < 0 || col < 0)
        return;
    const TTextGrid& grid = Editor.SG1();
    if (row >= grid.RowCount() || col >= grid.ColCount())
        return;
    SetClickedCell(Editor, row, col);
    const int fixedCols = grid.FixedCols();

    if (row > 0 && col >= fixedCols) {
        OpenPopupMenu(AllowAddDeleteRows1->isChecked() ? *PopupMenu1 : *PopupMenu2, globalPosition);
        return;
    }
    if (col < fixedCols) {
        if (row != 0 && fixedCols > 0)
            ToggleRowMark(row);
        SG1->RefreshCells();
    }
    if (row == 0) {
        if (col >= fixedCols)
            ToggleColumnMark(grid.DataColumnOf(col));
        SG1->RefreshCells();
    }
}

void TForm1::SG1CellChanging(int /*oldRow*/, int /*oldCol*/, int newRow, int newCol) {
    if (Editor.PaintSuspended)
        return;
    const TTextGrid& grid = Editor.SG1();
    FeedbackShown->SetStatus(CellStatusText(grid.Cell(grid.DataColumnOf(newCol), newRow)));
    SetClickedCell(Editor, newRow, newCol);
}

// A typed value is stored as soon as the focus moves to a menu, a list or the memo.
void TForm1::SG1Exit() {
    SG1->EndCellEdit();
}

} // namespace tw
