// The colour options of the main grid: the four colours the user may choose, the two
// resets, the stored colours applied at start-up, and the cell colouring handler.

#include <QAction>
#include <exception>

#include "core/app/colors.h"
#include "core/grid/gridcommands.h"
#include "gui/app/colorform.h"
#include "gui/app/colorpalette.h"
#include "gui/app/mainwindow.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

constexpr TColor WindowColor = SystemColorBase + 5;     // clWindow
constexpr TColor WindowTextColor = SystemColorBase + 8; // clWindowText

// The settings of targets 1 to 4 (active cell, selection, grid text, fixed text).
const char* ColorSettingName(int target) {
    switch (target) {
    case 1:
        return "colorsel2";
    case 2:
        return "colorsel";
    case 3:
        return "colorfont";
    default:
        return "colorfixed";
    }
}

// Text drawn in "no colour" (or in a colour the palette cannot name) would vanish; it
// takes the window-text colour instead.
QColor TextColorOf(TColor value) {
    QColor color = ResolveColor(value);
    if (!color.isValid() || color.alpha() == 0)
        color = ResolveColor(WindowTextColor);
    return color;
}

} // namespace

TColor TForm1::GridColor(int target) const {
    switch (target) {
    case 1:
        return ActiveCellColor;
    case 2:
        return SelectionColor;
    case 3:
        return GridTextColor;
    default:
        return FixedTextColor;
    }
}

void TForm1::SetGridColor(int target, TColor value) {
    switch (target) {
    case 1:
        ActiveCellColor = value;
        break;
    case 2:
        SelectionColor = value;
        break;
    case 3:
        GridTextColor = value;
        SG1->SetTextColor(TextColorOf(value));
        break;
    default:
        FixedTextColor = value;
        SG1->SetFixedTextColor(TextColorOf(value));
        break;
    }
    SG1->RefreshCells();
}

void TForm1::ApplyStoredColors() {
    // The design text colours are the palette's window-text colour, not the view's own
    // black; they reach the grid first, so a stored colour that fails leaves them.
    SetGridColor(3, GridTextColor);
    SetGridColor(4, FixedTextColor);
    // Active cell, selection, grid text and fixed text, in this order. Each is its own
    // step: a value that is missing or does not convert leaves the design colour.
    for (int target = 1; target <= 4; ++target) {
        try {
            std::string text;
            if (!Editor.Reg1.ReadString(ColorSettingName(target), text))
                continue;
            if (auto value = TextToColor(text))
                SetGridColor(target, *value);
        } catch (const std::exception&) {
        }
    }
}

void TForm1::ApplyColorText(int target, const std::string& colorText) {
    auto value = TextToColor(colorText);
    if (!value || target < 1 || target > 4)
        return;
    SetGridColor(target, *value);
    Editor.Reg1.WriteString(ColorSettingName(target), colorText);
}

void TForm1::ChangeGridColor(int target) {
    PrepareCommand();
    if (!Form4)
        return;
    Form4->ColorTarget = target;
    Form4->Preselect(GridColor(target));
    ExecModal(*Form4);
    if (target == 1) {
        // The cell being edited shows the new colour at once.
        SG1->EndCellEdit();
        SG1->BeginCellEdit();
    } else if (target == 2) {
        SG1->RefreshCells();
    }
}

void TForm1::ChangeActiveCellColor1Click() {
    ChangeGridColor(1);
}
void TForm1::ChangeSelectionColor1Click() {
    ChangeGridColor(2);
}
void TForm1::ChangeTextColor1Click() {
    ChangeGridColor(3);
}
void TForm1::ChangeFixedTextColor1Click() {
    ChangeGridColor(4);
}

void TForm1::ResetSelectionColor1Click() {
    PrepareCommand();
    ApplyColorText(1, "clMoneyGreen");
    ApplyColorText(2, "clSkyBlue");
    SG1->EndCellEdit();
    SG1->BeginCellEdit();
    SG1->RefreshCells();
}

void TForm1::ResetTextColors1Click() {
    // Black, not the window-text colour the grid starts with.
    PrepareCommand();
    ApplyColorText(3, "clBlack");
    ApplyColorText(4, "clBlack");
    SG1->RefreshCells();
}

QColor TForm1::SG1GetCellColor(int row, int dataCol) {
    // An invalid colour leaves the cell to the grid's own colour.
    if (Editor.PaintSuspended)
        return QColor();
    // Focus and editor matter for the current cell only; other cells skip the lookups.
    const bool current = row == Editor.SG1().Row();
    const bool focus = current && SG1->GridHasFocus();
    // A cell too long for the in-place editor wears the editor's colour all the same, or
    // nothing would show which cell is current.
    const bool editing = current && (SG1->EditorActive() || SG1->IsLongCell(SG1->currentIndex()));
    switch (CellBackgroundOf(Editor, row, dataCol, focus, editing)) {
    case CellBackground::GridOwn:
        return QColor();
    case CellBackground::Window:
        return ResolveColor(WindowColor);
    case CellBackground::Selection:
        return ResolveColor(SelectionColor);
    case CellBackground::ActiveCell:
        return ResolveColor(ActiveCellColor);
    }
    return QColor();
}

} // namespace tw
