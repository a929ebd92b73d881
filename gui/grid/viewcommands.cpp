// View options of the main grid and the top panel: font size, fixed columns, panel
// height, column sizing, and what the cell editor selects.

#include <QAction>

#include "core/app/text.h"
#include "core/grid/gridcommands.h"
#include "gui/app/cp1252.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"
#include "gui/grid/gridchange.h"
#include "gui/grid/gridview.h"

namespace tw {

void TForm1::FontSize81Click() {
    PrepareCommand();
    const std::string answer = AskInput(118, 119, IntToText(FontSize));
    const auto size = ConvertInteger(answer);
    if (!size) {
        FeedbackShown->SetBusy(false);
        return;
    }
    // The size is kept and stored as given; only the fonts get a size Qt can draw.
    FontSize = *size;
    Editor.Reg1.WriteInteger("fontsize", FontSize);
    ApplyFontSize(FontSize);
    FontSize81->setText(FromCp1252(Editor.Text(38) + " " + answer));

    FeedbackShown->SetBusy(true);
    {
        GridChange change(SG1);
        AutoSizeAllRows(Editor);
        if (AutoSizeOnLoad1->isChecked()) {
            TTextGrid& grid = Editor.SG1();
            AutoSizeColumnRange(grid, 0, grid.ColCount() - 1, Editor.Measure);
        }
    }
    FeedbackShown->SetBusy(false);
}

void TForm1::ofFixedColumns11Click() {
    PrepareCommand();
    TTextGrid& grid = Editor.SG1();
    const std::string answer = AskInput(122, 123, IntToText(grid.FixedCols()));
    PrepareCommand();
    const auto count = ConvertInteger(answer);
    // The grid refuses a negative count and one that leaves no scrolling column; a
    // refused count changes nothing, the caption included.
    if (!count || !SG1->SetFixedCols(*count))
        return;
    ofFixedColumns11->setText(FromCp1252(Editor.Text(39) + " " + IntToText(*count)));
}

void TForm1::opPanelHeight1101Click() {
    PrepareCommand();
    const std::string answer = ToCp1252OrEmpty(Boxes().InputBox(
        Editor.Text(116) + " " + Editor.Text(117) + "?", Editor.Text(117), IntToText(PanelHeight)));
    const auto height = ConvertInteger(answer);
    if (!height)
        return;
    PanelHeight = *height;
    opPanelHeight1101->setText(FromCp1252(Editor.Text(37) + " " + IntToText(PanelHeight)));
    // With the variable list closed the panel keeps its height; the value takes effect
    // at the next start.
    if (Show1->isChecked())
        SetPanelHeight(PanelHeight);
    Editor.Reg1.WriteInteger("Top Panel Height", PanelHeight);
}

void TForm1::AutoSizeColumns2Click() {
    PrepareCommand();
    FeedbackShown->SetBusy(true);
    {
        GridChange change(SG1);
        RunLongWork([this] { AutoSizeColumns(Editor, *FeedbackShown); });
    }
    FeedbackShown->SetBusy(false);
}

void TForm1::AutoSizeOnLoad1Click() {
    PrepareCommand();
    const bool on = !AutoSizeOnLoad1->isChecked();
    AutoSizeOnLoad1->setChecked(on);
    // The loader reads the option from the editor state.
    Editor.AutoSizeOnLoad = on;
    Editor.Reg1.WriteBool("autosize", on);
}

void TForm1::AutoSelectAll1Click() {
    PrepareCommand();
    const bool on = !AutoSelectAll1->isChecked();
    AutoSelectAll1->setChecked(on);
    Editor.Reg1.WriteBool("autoselect", on);
    SG1->SetAutoSelectAll(on);
}

std::string TForm1::AskInput(int caption, int prompt, const std::string& defaultAnswer) {
    // An answer with a character outside the code page can be neither a number nor a
    // cell's text: it counts as empty.
    return ToCp1252OrEmpty(
        Boxes().InputBox(Editor.Text(caption), Editor.Text(prompt), defaultAnswer));
}

} // namespace tw
