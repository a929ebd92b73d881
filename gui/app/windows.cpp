#include "gui/app/windows.h"

#include <QPushButton>

#include "gui/app/colorform.h"
#include "gui/app/mainwindow.h"

namespace tw {

// The file chooser is built with the document work; until then the main window runs
// without it and every call for it here is a no-op.

TForm3* CreateFileChooser(TForm1& /*owner*/) {
    return nullptr;
}
TForm4* CreateColorWindow(TForm1& owner) {
    auto* window = new TForm4(&owner);
    window->hide();
    return window;
}

QDialog* FileChooserDialog(TForm3* /*chooser*/) {
    return nullptr;
}
QDialog* ColorWindowDialog(TForm4* colorWindow) {
    return colorWindow;
}

void SetFileChooserCaption(TForm3* /*chooser*/, ChooserCaption /*which*/,
                           const QString& /*caption*/) {}
void SetColorWindowCaption(TForm4* colorWindow, ColorWindowCaption which, const QString& caption) {
    if (!colorWindow)
        return;
    switch (which) {
    case ColorWindowCaption::Window:
        colorWindow->setWindowTitle(caption);
        break;
    case ColorWindowCaption::OkButton:
        colorWindow->BitBtn1->setText(caption);
        break;
    case ColorWindowCaption::CancelButton:
        colorWindow->BitBtn2->setText(caption);
        break;
    }
}

void SetFileChooserFolder(TForm3* /*chooser*/, const std::string& /*folder*/) {}

} // namespace tw
