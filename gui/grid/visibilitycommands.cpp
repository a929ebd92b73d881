// Hiding and showing rows and columns of the main grid.

#include "gui/app/mainwindow.h"

namespace tw {

void TForm1::HideRow1Click() {
    PrepareCommand();
}
void TForm1::HideColumn1Click() {
    PrepareCommand();
}
void TForm1::HideSelectedRows1Click() {
    PrepareCommand();
}
void TForm1::HideSelectedColumns1Click() {
    PrepareCommand();
}
void TForm1::UnhideRows1Click() {
    PrepareCommand();
}
void TForm1::UnhideColumns1Click() {
    PrepareCommand();
}
void TForm1::UnhideRow1Click() {
    PrepareCommand();
}
void TForm1::UnhideColumn1Click() {
    PrepareCommand();
}
void TForm1::NeverHideColumns1Click() {
    PrepareCommand();
}

} // namespace tw
