#include "gui/app/windows.h"

namespace tw {

// The file chooser and the colour window are built with the document and colour work;
// until then the main window runs without them and every call here is a no-op.

TForm3* CreateFileChooser(TForm1& /*owner*/) {
    return nullptr;
}
TForm4* CreateColorWindow(TForm1& /*owner*/) {
    return nullptr;
}

QDialog* FileChooserDialog(TForm3* /*chooser*/) {
    return nullptr;
}
QDialog* ColorWindowDialog(TForm4* /*colorWindow*/) {
    return nullptr;
}

void SetFileChooserCaption(TForm3* /*chooser*/, ChooserCaption /*which*/,
                           const QString& /*caption*/) {}
void SetColorWindowCaption(TForm4* /*colorWindow*/, ColorWindowCaption /*which*/,
                           const QString& /*caption*/) {}

void SetFileChooserFolder(TForm3* /*chooser*/, const std::string& /*folder*/) {}

} // namespace tw
