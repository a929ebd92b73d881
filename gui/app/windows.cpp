#include "gui/app/windows.h"

#include <QFile>
#include <QPushButton>

#include "gui/app/mainwindow.h"
#include "gui/document/fileform.h"

namespace tw {

// The colour window is built with the colour work; until then the main window runs
// without it and every call for it here is a no-op.

TForm3* CreateFileChooser(TForm1& owner) {
    auto* chooser = new TForm3(owner, &owner);
    chooser->setObjectName(QStringLiteral("Form3"));
    return chooser;
}
TForm4* CreateColorWindow(TForm1& /*owner*/) {
    return nullptr;
}

QDialog* FileChooserDialog(TForm3* chooser) {
    return chooser;
}
QDialog* ColorWindowDialog(TForm4* /*colorWindow*/) {
    return nullptr;
}

void SetFileChooserCaption(TForm3* chooser, ChooserCaption which, const QString& caption) {
    if (!chooser)
        return;
    switch (which) {
    case ChooserCaption::Window:
        chooser->setWindowTitle(caption);
        break;
    case ChooserCaption::LoadButton:
        chooser->BitBtn1->setText(caption);
        break;
    case ChooserCaption::SelectButton1:
    case ChooserCaption::SelectButton2:
    case ChooserCaption::SelectButton3:
    case ChooserCaption::SelectButton4:
    case ChooserCaption::SelectButton5: {
        const auto k = static_cast<size_t>(static_cast<int>(which) -
                                           static_cast<int>(ChooserCaption::SelectButton1));
        chooser->SelectButtons[k]->setText(caption);
        break;
    }
    case ChooserCaption::GoButton:
        chooser->Button6->setText(caption);
        break;
    case ChooserCaption::CancelButton:
        chooser->BitBtn2->setText(caption);
        break;
    }
}
void SetColorWindowCaption(TForm4* /*colorWindow*/, ColorWindowCaption /*which*/,
                           const QString& /*caption*/) {}

void SetFileChooserFolder(TForm3* chooser, const std::string& folder) {
    // A folder that does not exist (a stale "tabpath") leaves the chooser where it is.
    if (chooser && !folder.empty())
        chooser->SetFolder(
            QFile::decodeName(QByteArray(folder.data(), static_cast<qsizetype>(folder.size()))));
}

} // namespace tw
