// The colour options of the main grid. The colour window and the colour notation are
// their own piece of work; the start-up reads are here already.

#include "gui/app/mainwindow.h"

namespace tw {

void TForm1::ApplyStoredColors() {
    // Active cell, selection, grid text and fixed text, in this order. Each is its own
    // step: a value that is missing or does not convert leaves the design colour. The
    // texts are read here; giving them to the grid waits for the colour notation, and
    // until then the design colours stay.
    std::string stored[4];
    const char* names[4] = {"colorsel2", "colorsel", "colorfont", "colorfixed"};
    for (int i = 0; i < 4; ++i)
        Editor.Reg1.ReadString(names[i], stored[i]);
}

QColor TForm1::SG1GetCellColor(int /*row*/, int /*dataCol*/) {
    // An invalid colour leaves the cell to the grid's own colour.
    return QColor();
}

void TForm1::ChangeActiveCellColor1Click() {
    PrepareCommand();
}
void TForm1::ChangeSelectionColor1Click() {
    PrepareCommand();
}
void TForm1::ChangeTextColor1Click() {
    PrepareCommand();
}
void TForm1::ChangeFixedTextColor1Click() {
    PrepareCommand();
}
void TForm1::ResetSelectionColor1Click() {
    PrepareCommand();
}
void TForm1::ResetTextColors1Click() {
    PrepareCommand();
}

} // namespace tw
