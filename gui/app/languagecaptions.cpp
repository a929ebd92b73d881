// Applying a language file: the language table and every caption built from it, and
// the Language menu command.

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <exception>
#include <filesystem>
#include <system_error>

#include "core/app/languagefolders.h"
#include "core/app/text.h"
#include "core/headers/documentsections.h"
#include "gui/app/aboutbox.h"
#include "gui/app/cp1252.h"
#include "gui/app/guifeedback.h"
#include "gui/app/languageform.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"
#include "gui/app/windows.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

// Each caption is its own step: one that fails does not keep the next from being set.
template <typename Step> void CaptionStep(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

std::string TForm1::MainWindowTitle() const {
    return "Orlendt's " + Editor.Text(1) + " 2.4.3";
}

bool TForm1::LoadLanguageFile() {
    std::string error;
    if (ApplyLanguageFile(error))
        return true;
    Boxes().MessageBox(
        FromCp1252(WithSystemReason(LanguageFilePath(Editor, Editor.LanguageFile), error)));
    return false;
}

bool TForm1::ApplyLanguageFile(std::string& error) {
    // The choice is kept even when the file then fails to open, so the next start
    // knows what the user picked.
    Editor.Reg1.WriteString("Language", Editor.LanguageFile);
    if (!Editor.Language.Load(LanguageFilePath(Editor, Editor.LanguageFile), error))
        return false;
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(0);
    SetCaptions();
    return true;
}

void TForm1::SetCaptions() {
    auto text = [this](int index) { return FromCp1252(Editor.Text(index)); };
    // Top-level menus put the accelerator mark before their two leading blanks.
    auto menuTitle = [&](int index) {
        return QStringLiteral("&  ") + text(index) + QStringLiteral("  ");
    };
    auto accelerated = [&](int index) { return QStringLiteral("&") + text(index); };

    CaptionStep([&] { setWindowTitle(FromCp1252(MainWindowTitle())); });
    CaptionStep([&] { lngform->setWindowTitle(text(2)); });
    CaptionStep([&] { lngform->BitBtn2->setText(text(3)); });
    CaptionStep([&] { AboutBox->setWindowTitle(text(4)); });
    CaptionStep([&] {
        AboutBox->OKButton->setText(text(5));
        AboutBox->FitOkButton();
    });
    CaptionStep([&] { AboutBox->ProductName->setText(windowTitle()); });
    CaptionStep([&] { AboutBox->Comments->setText(text(6)); });
    CaptionStep([&] { AboutBox->Label1->setText(text(7)); });

    CaptionStep([&] { File1->setTitle(menuTitle(8)); });
    CaptionStep([&] { Edit1->setTitle(menuTitle(9)); });
    CaptionStep([&] { Options1->setTitle(menuTitle(10)); });
    CaptionStep([&] { ools1->setTitle(menuTitle(11)); });
    CaptionStep([&] { View1->setTitle(menuTitle(12)); });
    CaptionStep([&] { ColorOptions1->setTitle(menuTitle(13)); });
    CaptionStep([&] { Help1->setTitle(menuTitle(14)); });
    CaptionStep([&] { LANGUAGE1->setText(menuTitle(15)); });
    CaptionStep([&] { Help2->setText(text(14)); });
    CaptionStep([&] { About1->setText(text(4)); });

    CaptionStep([&] { Reload1->setText(accelerated(16)); });
    CaptionStep([&] { Save1->setText(accelerated(17)); });
    CaptionStep([&] { SaveAs1->setText(text(18)); });
    CaptionStep([&] { Exit1->setText(accelerated(19)); });
    CaptionStep([&] { Find1->setText(text(20)); });
    CaptionStep([&] { FindNext1->setText(text(21)); });
    CaptionStep([&] { SetReportCaptions(); });

    CaptionStep([&] { AutoSelectAll1->setText(text(22)); });
    CaptionStep([&] { AutoSizeOnLoad1->setText(text(23)); });
    CaptionStep([&] { AllowAddDeleteRows1->setText(text(24)); });
    CaptionStep([&] { AutoLoadProtosOnStartup1->setText(text(25)); });
    CaptionStep([&] { AutoLoadLastFileOnStartup1->setText(text(26)); });
    CaptionStep([&] { AutoSizeColumns2->setText(text(27)); });
    CaptionStep([&] { CompareTabFiles1->setText(text(28)); });
    CaptionStep([&] { CombineTabFiles1->setText(text(29)); });
    CaptionStep(
        [&] { CombineFilesNoRemoveRows1->setText(text(29) + QStringLiteral(" ") + text(30)); });
    CaptionStep([&] { CombineShowCompareMessages1->setText(text(31)); });
    CaptionStep([&] { SortByColumn01->setText(text(32)); });
    CaptionStep([&] { SortByColumn1->setText(text(33)); });
    CaptionStep([&] { NeverHideColumns1->setText(text(34)); });
    CaptionStep([&] { Show1->setText(text(35)); });
    CaptionStep([&] { ShowCOLANDDescriptions1->setText(text(36)); });
    // The numbers are the design values whatever is in effect; start-up writes the
    // stored ones afterwards.
    CaptionStep([&] { opPanelHeight1101->setText(text(37) + QStringLiteral(" 110")); });
    CaptionStep([&] { FontSize81->setText(text(38) + QStringLiteral(" 8")); });
    CaptionStep([&] { ofFixedColumns11->setText(text(39) + QStringLiteral(" 1")); });

    CaptionStep([&] { ChangeActiveCellColor1->setText(text(40)); });
    CaptionStep([&] { ChangeSelectionColor1->setText(text(41)); });
    CaptionStep([&] { ChangeTextColor1->setText(text(42)); });
    CaptionStep([&] { ChangeFixedTextColor1->setText(text(43)); });
    CaptionStep([&] { ResetSelectionColor1->setText(text(44)); });
    CaptionStep([&] { ResetTextColors1->setText(text(45)); });

    CaptionStep([&] {
        Button2->setText(text(48) + QStringLiteral(" -->"));
        FitTopPanel();
    });

    // Items of added features name their texts.
    auto added = [this](const char* name) { return FromCp1252(Editor.Language.Added(name)); };
    CaptionStep([&] { Undo1->setText(added("undo")); });
    CaptionStep([&] { Redo1->setText(added("redo")); });
    CaptionStep([&] { AskBeforeDiscarding1->setText(added("askdiscard")); });
    CaptionStep([&] { ShowDocumentState(); });

    CaptionStep([&] { SetFileChooserCaption(Form3, ChooserCaption::Window, text(49)); });
    CaptionStep([&] { SetFileChooserCaption(Form3, ChooserCaption::LoadButton, text(50)); });
    const ChooserCaption selectButtons[] = {
        ChooserCaption::SelectButton1, ChooserCaption::SelectButton2, ChooserCaption::SelectButton3,
        ChooserCaption::SelectButton4, ChooserCaption::SelectButton5};
    for (int k = 1; k <= 5; ++k) {
        CaptionStep([&] {
            SetFileChooserCaption(Form3, selectButtons[k - 1],
                                  text(51) + QStringLiteral(" ") + QString::number(k));
        });
    }
    CaptionStep([&] { SetFileChooserCaption(Form3, ChooserCaption::GoButton, text(52)); });
    CaptionStep([&] { SetFileChooserCaption(Form3, ChooserCaption::CancelButton, text(53)); });

    CaptionStep([&] { SetColorWindowCaption(Form4, ColorWindowCaption::Window, text(54)); });
    CaptionStep([&] { SetColorWindowCaption(Form4, ColorWindowCaption::OkButton, text(5)); });
    CaptionStep([&] { SetColorWindowCaption(Form4, ColorWindowCaption::CancelButton, text(3)); });
    CaptionStep([&] { SetFindReplaceCaptions(); });
}

void TForm1::LanguageFileChosen(const std::string& fileName) {
    Editor.LanguageFile = fileName;
    // A name the list still shows but that is gone from the folder is taken without
    // loading anything; reading the document sections then names it.
    std::error_code error;
    if (std::filesystem::is_regular_file(LanguageFilePath(Editor, fileName), error))
        LoadLanguageFile();
}

void TForm1::LANGUAGE1Click() {
    PrepareCommand();
    lngform->SetFolder(Editor.ExeFolder);
    ExecModal(*lngform);
    // Column names, header sets and variable lists follow the language now active.
    LoadDocumentSections(Editor, *FeedbackShown);
    RefreshHeaderLists();
}

} // namespace tw
