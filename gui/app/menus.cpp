// The main menu, the two pop-up menus of the grid, and the one place where every
// handler of the main window is connected.

#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "gui/app/colorform.h"
#include "gui/app/guifeedback.h"
#include "gui/app/languageform.h"
#include "gui/app/mainwindow.h"
#include "gui/app/windows.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QAction* AddCheckItem(QMenu* menu, const char* name, const char* caption, bool checked) {
    QAction* item = AddItem(menu, name, caption);
    item->setCheckable(true);
    item->setChecked(checked);
    return item;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    File1 = AddMenu(bar, "File1", "  &File  ");
    Reload1 = AddItem(File1, "Reload1", "&Load");
    Save1 = AddItem(File1, "Save1", "&Save");
    SaveAs1 = AddItem(File1, "SaveAs1", "Save &As");
    AddSeparator(File1, "N1");
    Exit1 = AddItem(File1, "Exit1", "&Exit");

    Edit1 = AddMenu(bar, "Edit1", "  &Edit  ");
    Find1 = AddItem(Edit1, "Find1", "Find");
    Find1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    FindNext1 = AddItem(Edit1, "FindNext1", "Find Next");
    FindNext1->setShortcut(QKeySequence(Qt::Key_F3));
    BuildReportMenuItems();

    Options1 = AddMenu(bar, "Options1", "  &Options  ");
    AutoSelectAll1 = AddCheckItem(Options1, "AutoSelectAll1", "Auto Select All", true);
    AutoSizeOnLoad1 = AddCheckItem(Options1, "AutoSizeOnLoad1", "Auto Size On Load", false);
    AllowAddDeleteRows1 =
        AddCheckItem(Options1, "AllowAddDeleteRows1", "Allow Add/Delete Rows", false);
    AutoLoadProtosOnStartup1 =
        AddCheckItem(Options1, "AutoLoadProtosOnStartup1", "Auto Load Protos On Startup", false);
    AutoLoadLastFileOnStartup1 = AddCheckItem(Options1, "AutoLoadLastFileOnStartup1",
                                              "Auto Load Last File On Startup", false);

    ools1 = AddMenu(bar, "ools1", "  &Tools  ");
    AutoSizeColumns2 = AddItem(ools1, "AutoSizeColumns2", "Auto Size Columns");
    AddSeparator(ools1, "N11");
    CompareTabFiles1 = AddItem(ools1, "CompareTabFiles1", "Compare Files");
    AddSeparator(ools1, "N7");
    CombineTabFiles1 = AddItem(ools1, "CombineTabFiles1", "Combine Files");
    CombineFilesNoRemoveRows1 =
        AddItem(ools1, "CombineFilesNoRemoveRows1", "Combine Files (No Remove Rows)");
    CombineShowCompareMessages1 =
        AddCheckItem(ools1, "CombineShowCompareMessages1", "Combine Show Compare Messages?", false);
    AddSeparator(ools1, "N8");
    SortByColumn01 = AddItem(ools1, "SortByColumn01", "Sort By Column 0");
    SortByColumn1 = AddItem(ools1, "SortByColumn1", "Sort By Column #");

    View1 = AddMenu(bar, "View1", "  &View  Options");
    NeverHideColumns1 = AddCheckItem(View1, "NeverHideColumns1", "Never Hide Columns?", false);
    Show1 = AddCheckItem(View1, "Show1", "Show Variable List?", true);
    ShowCOLANDDescriptions1 =
        AddCheckItem(View1, "ShowCOLANDDescriptions1", "Show COL # AND Descriptions", false);
    opPanelHeight1101 = AddItem(View1, "opPanelHeight1101", "Top Panel Height = 110");
    FontSize81 = AddItem(View1, "FontSize81", "Font Size = 8");
    ofFixedColumns11 = AddItem(View1, "ofFixedColumns11", "Fixed Columns = 1");

    ColorOptions1 = AddMenu(bar, "ColorOptions1", "  &Color Options  ");
    ChangeActiveCellColor1 =
        AddItem(ColorOptions1, "ChangeActiveCellColor1", "Change Active Cell Color");
    ChangeSelectionColor1 =
        AddItem(ColorOptions1, "ChangeSelectionColor1", "Change Selection Color");
    ChangeTextColor1 = AddItem(ColorOptions1, "ChangeTextColor1", "Change Grid Text Color");
    ChangeFixedTextColor1 =
        AddItem(ColorOptions1, "ChangeFixedTextColor1", "Change Fixed Text Color");
    AddSeparator(ColorOptions1, "N10");
    ResetSelectionColor1 = AddItem(ColorOptions1, "ResetSelectionColor1", "Reset Selection Colors");
    ResetTextColors1 = AddItem(ColorOptions1, "ResetTextColors1", "Reset Text Colors");

    Help1 = AddMenu(bar, "Help1", "  &Help  ");
    About1 = AddItem(Help1, "About1", "&About");
    Help2 = AddItem(Help1, "Help2", "Help");

    // Undo and redo close the Edit menu; the question before discarding changes closes
    // the Options menu. Captions come from the added texts (SetCaptions).
    AddSeparator(Edit1, "N12");
    Undo1 = AddItem(Edit1, "Undo1", "&Undo");
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1 = AddItem(Edit1, "Redo1", "&Redo");
    Redo1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Undo1->setEnabled(false);
    Redo1->setEnabled(false);
    AskBeforeDiscarding1 =
        AddCheckItem(Options1, "AskBeforeDiscarding1", "Ask Before Discarding Changes", false);

    // A top-level item without a menu of its own: choosing it opens the language window.
    LANGUAGE1 = bar->addAction(QStringLiteral("  Language "));
    LANGUAGE1->setObjectName(QStringLiteral("LANGUAGE1"));
}

void TForm1::BuildPopupMenus() {
    // The grid's right-click handler decides which of the two opens; neither opens by
    // itself. Their captions are fixed: the language file translates the main menu only.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ColSelectionToggle1 = AddItem(PopupMenu1, "ColSelectionToggle1", "Col   Selection Toggle");
    SelectThisRow1 = AddItem(PopupMenu1, "SelectThisRow1", "Row Selection Toggle");
    AddSeparator(PopupMenu1, "N3");
    HideRow1 = AddItem(PopupMenu1, "HideRow1", "Hide Row");
    HideColumn1 = AddItem(PopupMenu1, "HideColumn1", "Hide Column");
    HideSelectedRows1 = AddItem(PopupMenu1, "HideSelectedRows1", "Hide Selected Rows");
    HideSelectedColumns1 = AddItem(PopupMenu1, "HideSelectedColumns1", "Hide Selected Columns");
    AddSeparator(PopupMenu1, "N6");
    UnhideRows1 = AddItem(PopupMenu1, "UnhideRows1", "Unhide ALL Rows");
    UnhideColumns1 = AddItem(PopupMenu1, "UnhideColumns1", "Unhide ALL Columns");
    UnhideRow1 = AddItem(PopupMenu1, "UnhideRow1", "Unhide Row #");
    UnhideColumn1 = AddItem(PopupMenu1, "UnhideColumn1", "Unhide Column #");
    AddSeparator(PopupMenu1, "N2");
    CopyThisRow1 = AddItem(PopupMenu1, "CopyThisRow1", "Copy This Row");
    InsertRow1 = AddItem(PopupMenu1, "InsertRow1", "Insert Row Above");
    DeleteThisRow1 = AddItem(PopupMenu1, "DeleteThisRow1", "Delete This Row");
    AddSeparator(PopupMenu1, "N4");
    Cancel1 = AddItem(PopupMenu1, "Cancel1", "Cancel");

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    ColSelectionToggle2 = AddItem(PopupMenu2, "ColSelectionToggle2", "Col   Selection Toggle");
    MenuItem1 = AddItem(PopupMenu2, "MenuItem1", "Row Selection Toggle");
    AddSeparator(PopupMenu2, "MenuItem2");
    HideRow2 = AddItem(PopupMenu2, "HideRow2", "Hide Row");
    HideColumn2 = AddItem(PopupMenu2, "HideColumn2", "Hide Column");
    HideSelectedRows2 = AddItem(PopupMenu2, "HideSelectedRows2", "Hide Selected Rows");
    HideSelectedColumns2 = AddItem(PopupMenu2, "HideSelectedColumns2", "Hide Selected Columns");
    AddSeparator(PopupMenu2, "N9");
    UnhideRows2 = AddItem(PopupMenu2, "UnhideRows2", "Unhide ALL Rows");
    UnhideColumns2 = AddItem(PopupMenu2, "UnhideColumns2", "Unhide ALL Columns");
    UnhideRow2 = AddItem(PopupMenu2, "UnhideRow2", "Unhide Row #");
    UnhideColumn2 = AddItem(PopupMenu2, "UnhideColumn2", "Unhide Column #");
    AddSeparator(PopupMenu2, "N5");
    MenuItem9 = AddItem(PopupMenu2, "MenuItem9", "Cancel");
}

void TForm1::ConnectMenuItem(QAction* item, void (TForm1::*handler)()) {
    connect(item, &QAction::triggered, this, [this, item, handler] {
        // A checkable QAction flips its own check mark before it reports the click. The
        // handlers set their marks themselves (a button may run the same handler), so
        // the automatic flip is undone first.
        if (item->isCheckable())
            item->setChecked(!item->isChecked());
        (this->*handler)();
    });
}

void TForm1::ConnectHandlers() {
    ConnectMenuItem(Reload1, &TForm1::Reload1Click);
    ConnectMenuItem(Save1, &TForm1::Save1Click);
    ConnectMenuItem(SaveAs1, &TForm1::SaveAs1Click);
    ConnectMenuItem(Exit1, &TForm1::Exit1Click);
    ConnectMenuItem(Find1, &TForm1::Find1Click);
    ConnectMenuItem(FindNext1, &TForm1::FindNext1Click);
    ConnectMenuItem(AutoSelectAll1, &TForm1::AutoSelectAll1Click);
    ConnectMenuItem(AutoSizeOnLoad1, &TForm1::AutoSizeOnLoad1Click);
    ConnectMenuItem(AllowAddDeleteRows1, &TForm1::AllowAddDeleteRows1Click);
    ConnectMenuItem(AutoLoadProtosOnStartup1, &TForm1::AutoLoadProtosOnStartup1Click);
    ConnectMenuItem(AutoLoadLastFileOnStartup1, &TForm1::AutoLoadLastFileOnStartup1Click);
    ConnectMenuItem(AutoSizeColumns2, &TForm1::AutoSizeColumns2Click);
    ConnectMenuItem(CompareTabFiles1, &TForm1::CompareTabFiles1Click);
    ConnectMenuItem(CombineTabFiles1, &TForm1::CombineTabFiles1Click);
    ConnectMenuItem(CombineFilesNoRemoveRows1, &TForm1::CombineFilesNoRemoveRows1Click);
    ConnectMenuItem(CombineShowCompareMessages1, &TForm1::CombineShowCompareMessages1Click);
    ConnectMenuItem(SortByColumn01, &TForm1::SortByColumn01Click);
    ConnectMenuItem(SortByColumn1, &TForm1::SortByColumn1Click);
    ConnectMenuItem(NeverHideColumns1, &TForm1::NeverHideColumns1Click);
    ConnectMenuItem(Show1, &TForm1::Show1Click);
    ConnectMenuItem(ShowCOLANDDescriptions1, &TForm1::ShowCOLANDDescriptions1Click);
    ConnectMenuItem(opPanelHeight1101, &TForm1::opPanelHeight1101Click);
    ConnectMenuItem(FontSize81, &TForm1::FontSize81Click);
    ConnectMenuItem(ofFixedColumns11, &TForm1::ofFixedColumns11Click);
    ConnectMenuItem(ChangeActiveCellColor1, &TForm1::ChangeActiveCellColor1Click);
    ConnectMenuItem(ChangeSelectionColor1, &TForm1::ChangeSelectionColor1Click);
    ConnectMenuItem(ChangeTextColor1, &TForm1::ChangeTextColor1Click);
    ConnectMenuItem(ChangeFixedTextColor1, &TForm1::ChangeFixedTextColor1Click);
    ConnectMenuItem(ResetSelectionColor1, &TForm1::ResetSelectionColor1Click);
    ConnectMenuItem(ResetTextColors1, &TForm1::ResetTextColors1Click);
    ConnectMenuItem(About1, &TForm1::About1Click);
    ConnectMenuItem(Help2, &TForm1::Help2Click);
    ConnectMenuItem(LANGUAGE1, &TForm1::LANGUAGE1Click);

    ConnectMenuItem(Undo1, &TForm1::Undo1Click);
    ConnectMenuItem(Redo1, &TForm1::Redo1Click);
    ConnectMenuItem(AskBeforeDiscarding1, &TForm1::AskBeforeDiscarding1Click);
    connect(SG1, &GridView::HistoryKey, this, [this](bool undo) {
        if (undo)
            Undo1Click();
        else
            Redo1Click();
    });
    connect(SG1, &GridView::CellTextRefused, this,
            [this](const QString& message) { StatusPanel->setText(message); });
    Editor.History.Changed = [this] { ShowDocumentState(); };

    // Both pop-up menus share their handlers; Cancel only closes the menu.
    for (QAction* item : {ColSelectionToggle1, ColSelectionToggle2})
        ConnectMenuItem(item, &TForm1::ColSelectionToggle1Click);
    for (QAction* item : {SelectThisRow1, MenuItem1})
        ConnectMenuItem(item, &TForm1::SelectThisRow1Click);
    for (QAction* item : {HideRow1, HideRow2})
        ConnectMenuItem(item, &TForm1::HideRow1Click);
    for (QAction* item : {HideColumn1, HideColumn2})
        ConnectMenuItem(item, &TForm1::HideColumn1Click);
    for (QAction* item : {HideSelectedRows1, HideSelectedRows2})
        ConnectMenuItem(item, &TForm1::HideSelectedRows1Click);
    for (QAction* item : {HideSelectedColumns1, HideSelectedColumns2})
        ConnectMenuItem(item, &TForm1::HideSelectedColumns1Click);
    for (QAction* item : {UnhideRows1, UnhideRows2})
        ConnectMenuItem(item, &TForm1::UnhideRows1Click);
    for (QAction* item : {UnhideColumns1, UnhideColumns2})
        ConnectMenuItem(item, &TForm1::UnhideColumns1Click);
    for (QAction* item : {UnhideRow1, UnhideRow2})
        ConnectMenuItem(item, &TForm1::UnhideRow1Click);
    for (QAction* item : {UnhideColumn1, UnhideColumn2})
        ConnectMenuItem(item, &TForm1::UnhideColumn1Click);
    ConnectMenuItem(CopyThisRow1, &TForm1::CopyThisRow1Click);
    ConnectMenuItem(InsertRow1, &TForm1::InsertRow1Click);
    ConnectMenuItem(DeleteThisRow1, &TForm1::DeleteThisRow1Click);

    // The drop-down lists react to the user's choice only; code that sets an item
    // calls the handler itself where it must.
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);

    connect(SG1, &GridView::ClickCell, this, &TForm1::SG1ClickCell);
    connect(SG1, &GridView::RightClickCell, this, &TForm1::SG1RightClickCell);
    connect(SG1, &GridView::MouseUp, this, &TForm1::SG1MouseUp);
    connect(SG1, &GridView::CellChanging, this, &TForm1::SG1CellChanging);
    connect(SG1, &GridView::GridExit, this, &TForm1::SG1Exit);
    SG1->CellColor = [this](int row, int dataCol) { return SG1GetCellColor(row, dataCol); };

    lngform->LanguageChosen = [this](const std::string& fileName) { LanguageFileChosen(fileName); };
    Form4->ApplyColor = [this](int target, const std::string& colorText) {
        ApplyColorText(target, colorText);
    };

    FeedbackShown->ShowReportPanelCommand = [this] { Show1Click(); };
    FeedbackShown->ChooserFolderCommand = [this](const std::string& folder) {
        SetFileChooserFolder(Form3, folder);
    };

    ConnectReportCommands();
}

} // namespace tw
