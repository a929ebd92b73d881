// The header-set and variable-list drop-down lists and the reference panel.

#include <QComboBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>
#include <algorithm>

#include "core/headers/headersets.h"
#include "core/headers/variablelists.h"
#include "gui/app/cp1252.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/grid/gridchange.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {
// The panel opens at this height whatever the top-panel option holds.
constexpr int OpenPanelHeight = 110;

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
    const int index = ComboBox1->currentIndex();
    if (index < 0)
        return;
    PrepareCommand();
    FeedbackShown->SetBusy(true);
    {
        GridChange change(SG1);
        ApplyHeaderSet(Editor, index, *FeedbackShown);
    }
    FeedbackShown->SetBusy(false);
    SG1->SetCurrentCell(Editor.SG1().Row(), Editor.SG1().Col());
    SG1->RefreshCells();
}

void TForm1::ComboBox2Change() {
    PrepareCommand();
    const int index = ComboBox2->currentIndex();
    Editor.VariableListIndex = std::max(index, 0);
    Memo1->clear();
    // One block of text: the memo shows it from its first line.
    QStringList lines;
    for (const std::string& line : VariableListDisplayLines(Editor, index))
        lines.append(FromCp1252(line));
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor start = Memo1->textCursor();
    start.movePosition(QTextCursor::Start);
    Memo1->setTextCursor(start);
}

void TForm1::Button2Click() {
    PrepareCommand();
    Show1Click();
}

void TForm1::Show1Click() {
    PrepareCommand();
    Show1->setChecked(!Show1->isChecked());
    if (Show1->isChecked()) {
        Memo1->show();
        SetPanelHeight(OpenPanelHeight);
    } else {
        Memo1->hide();
        // Only the header-set list and the toggle button stay in view.
        SetPanelHeight(ComboBox1->geometry().top() + ComboBox1->height() + 2);
    }
}

void TForm1::ShowCOLANDDescriptions1Click() {
    PrepareCommand();
    ShowCOLANDDescriptions1->setChecked(!ShowCOLANDDescriptions1->isChecked());
    Editor.ShowColNumbers = ShowCOLANDDescriptions1->isChecked();
    Editor.Reg1.WriteBool("showcolnum", Editor.ShowColNumbers);
    // The headers already shown keep their form until the sections are read again.
    FeedbackShown->ShowMessage(Editor.Text(147));
}

} // namespace tw
