// The header-set and variable-list drop-down lists and the reference panel.

#include <QComboBox>

#include "gui/app/cp1252.h"
#include "gui/app/mainwindow.h"

namespace tw {

namespace {
void FillList(QComboBox* list, const std::vector<std::string>& names, int index) {
    list->clear();
    for (const std::string& name : names)
        list->addItem(FromCp1252(name));
    if (list->count() > 0)
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : 0);
}
} // namespace

void TForm1::RefreshHeaderLists() {
    FillList(ComboBox1, Editor.HeaderSetNames, Editor.HeaderSetIndex);
    FillList(ComboBox2, Editor.VariableListNames, Editor.VariableListIndex);
}

void TForm1::ComboBox1Change() {
    PrepareCommand();
}
void TForm1::ComboBox2Change() {
    PrepareCommand();
}
void TForm1::Button2Click() {
    PrepareCommand();
}
void TForm1::Show1Click() {
    PrepareCommand();
}
void TForm1::ShowCOLANDDescriptions1Click() {
    PrepareCommand();
}

} // namespace tw
