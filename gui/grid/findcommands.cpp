// Find and Find Next in the main grid.

#include "gui/app/mainwindow.h"

namespace tw {

void TForm1::Find1Click() {
    PrepareCommand();
}
void TForm1::FindNext1Click() {
    PrepareCommand();
}

} // namespace tw
