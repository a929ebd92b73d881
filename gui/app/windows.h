#pragma once
// The file chooser (TForm3) and the colour window (TForm4) belong to their own
// subsystems. The main window creates them, sets their captions and opens them only
// through these functions, so it never depends on their insides.

#include <QString>
#include <string>

class QDialog;

namespace tw {

class TForm1;
class TForm3;
class TForm4;

TForm3* CreateFileChooser(TForm1& owner);
TForm4* CreateColorWindow(TForm1& owner);

// The window to show modally; null while the window does not exist.
QDialog* FileChooserDialog(TForm3* chooser);
QDialog* ColorWindowDialog(TForm4* colorWindow);

enum class ChooserCaption {
    Window,
    LoadButton,
    SelectButton1,
    SelectButton2,
    SelectButton3,
    SelectButton4,
    SelectButton5,
    GoButton,
    CancelButton,
};
void SetFileChooserCaption(TForm3* chooser, ChooserCaption which, const QString& caption);

enum class ColorWindowCaption { Window, OkButton, CancelButton };
void SetColorWindowCaption(TForm4* colorWindow, ColorWindowCaption which, const QString& caption);

// Shows `folder` in the chooser's folder tree; that also makes it the process's
// current folder, which Save and the relative auto-load path rely on.
void SetFileChooserFolder(TForm3* chooser, const std::string& folder);

} // namespace tw
