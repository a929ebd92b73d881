// View options of the main grid and the top panel: font size, fixed columns, panel
// height, column sizing, and what the cell editor selects.

#include "gui/app/mainwindow.h"

namespace tw {

void TForm1::AutoSelectAll1Click() {
    PrepareCommand();
}
void TForm1::AutoSizeOnLoad1Click() {
    PrepareCommand();
}
void TForm1::AutoSizeColumns2Click() {
    PrepareCommand();
}
void TForm1::opPanelHeight1101Click() {
    PrepareCommand();
}
void TForm1::FontSize81Click() {
    PrepareCommand();
}
void TForm1::ofFixedColumns11Click() {
    PrepareCommand();
}

} // namespace tw
