// Marks, row commands and the grid's mouse and focus events.

#include "gui/app/mainwindow.h"
#include "gui/grid/gridview.h"

namespace tw {

void TForm1::ColSelectionToggle1Click() {
    PrepareCommand();
}
void TForm1::SelectThisRow1Click() {
    PrepareCommand();
}
void TForm1::CopyThisRow1Click() {
    PrepareCommand();
}
void TForm1::InsertRow1Click() {
    PrepareCommand();
}
void TForm1::DeleteThisRow1Click() {
    PrepareCommand();
}
void TForm1::AllowAddDeleteRows1Click() {
    PrepareCommand();
}

// While a long operation rebuilds the grid its events mean nothing.
void TForm1::SG1ClickCell(int /*row*/, int /*col*/) {
    if (Editor.PaintSuspended)
        return;
}

void TForm1::SG1RightClickCell(int /*row*/, int /*col*/, QPoint /*globalPosition*/) {
    if (Editor.PaintSuspended)
        return;
}

void TForm1::SG1MouseUp(Qt::MouseButton /*button*/, Qt::KeyboardModifiers /*modifiers*/,
                        QPoint /*position*/) {
    if (Editor.PaintSuspended)
        return;
}

void TForm1::SG1CellChanging(int /*oldRow*/, int /*oldCol*/, int /*newRow*/, int /*newCol*/) {
    if (Editor.PaintSuspended)
        return;
}

// A typed value is stored as soon as the focus moves to a menu, a list or the memo.
void TForm1::SG1Exit() {
    SG1->EndCellEdit();
}

} // namespace tw
