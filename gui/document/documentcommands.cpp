// Loading into and saving from the main grid.

#include <QDialog>

#include "gui/app/mainwindow.h"
#include "gui/app/windows.h"
#include "gui/grid/gridview.h"

namespace tw {

bool TForm1::LoadIntoMainGrid(const std::string& /*path*/) {
    // Every load this window starts goes through here; the table loader fills SG1,
    // reports its own failures and reads the document sections.
    return false;
}

void TForm1::Reload1Click() {
    SG1->EndCellEdit();
    // The chooser opens in load mode: closing it always returns it there.
    if (QDialog* chooser = FileChooserDialog(Form3))
        ExecModal(*chooser);
}

void TForm1::Save1Click() {
    PrepareCommand();
}
void TForm1::SaveAs1Click() {
    PrepareCommand();
}

} // namespace tw
