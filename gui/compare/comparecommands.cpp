// Sort, compare and combine commands of the Tools menu.

#include "gui/app/mainwindow.h"

namespace tw {

void TForm1::CompareTabFiles1Click() {
    PrepareCommand();
}
void TForm1::CombineTabFiles1Click() {
    PrepareCommand();
}
void TForm1::CombineFilesNoRemoveRows1Click() {
    PrepareCommand();
}
void TForm1::CombineShowCompareMessages1Click() {
    PrepareCommand();
}
void TForm1::SortByColumn01Click() {
    PrepareCommand();
}
void TForm1::SortByColumn1Click() {
    PrepareCommand();
}

} // namespace tw
