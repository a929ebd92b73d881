#include "gui/app/windows.h"

#include <QFile>
#include <QPushButton>

#include "gui/app/colorform.h"
#include "gui/app/mainwindow.h"
#include "gui/document/fileform.h"

namespace tw {

TForm3* CreateFileChooser(TForm1& owner) {
    auto* chooser = new TForm3(owner, &owner);
    chooser->setObjectName(QStringLiteral("Form3"));
    return chooser;
}
TForm4* CreateColorWindow(TForm1& owner) {
    auto* window = new TForm4(&owner);
    window->hide();
    return window;
}

QDialog* FileChooserDialog(TForm3* chooser) {
    return chooser;
}
QDialog* ColorWindowDialog(TForm4* colorWindow) {
    return colorWindow;
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
    chooser->LayOutPanels();
}
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

void SetFileChooserFolder(TForm3* chooser, const std::string& folder) {
    // A folder that does not exist (a stale "tabpath") leaves the chooser where it is.
    if (chooser && !folder.empty())
        chooser->SetFolder(
            QFile::decodeName(QByteArray(folder.data(), static_cast<qsizetype>(folder.size()))));
}

} // namespace tw
