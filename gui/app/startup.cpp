// The start-up sequence of the main window, and the options that decide what it loads.

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <cmath>
#include <exception>
#include <filesystem>
#include <system_error>

#include "core/app/languagefolders.h"
#include "core/app/text.h"
#include "gui/app/cp1252.h"
#include "gui/app/guifeedback.h"
#include "gui/app/languageform.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"
#include "gui/app/windows.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

constexpr int DesignFontSize = 8;
constexpr int DesignPanelHeight = 110;

// A step whose failure is ignored: the default it started from stays.
template <typename Step> void Guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// A failure of a step that has no guard of its own ends the rest of the sequence.
struct StartupStepFailed : std::exception {};

} // namespace

void TForm1::FormActivate() {
    // Marked at once, not only when step 3 comes: the language window that step 1 may
    // open is modal, and closing it activates this window again while step 1 runs.
    if (ActivatedFlag)
        return;
    ActivatedFlag = true;

    ChooseLanguageAtStartup(); // step 1

    // Step 2.
    if (width() > 480)
        StatusPanel->setFixedWidth(static_cast<int>(std::lrint(width() / 2.0)));

    // Step 3.
    Editor.CurrentGridSlot = 1;
    Editor.DocumentFileName.clear();
    FeedbackShown->SetBusy(true);
    repaint();

    // Step 4.
    Memo1->clear();
    PanelHeight = DesignPanelHeight;
    FontSize = DesignFontSize;

    try {
        RunStartupSteps();
    } catch (const std::exception&) {
        FeedbackShown->SetBusy(false);
        FeedbackShown->ShowMessage(Editor.Text(60) + " " + Editor.ErrorContext);
    }
    FeedbackShown->SetBusy(false); // step 25
}

void TForm1::ChooseLanguageAtStartup() {
    bool applied = false;
    Guarded([&] {
        std::string stored;
        if (!Editor.Reg1.ReadString("language", stored))
            return;
        Editor.LanguageFile = stored;
        std::string error;
        if (!stored.empty() && IsFile(LanguageFilePath(Editor, stored)))
            applied = ApplyLanguageFile(error);
    });
    if (applied)
        return;

    // First start, or the stored language file is gone: the default language, and the
    // language window so the user can choose another.
    Editor.LanguageFile = DefaultLanguageFile;
    std::string error;
    if (!ApplyLanguageFile(error))
        ReportMissingDefaultLanguage(error);
    lngform->SetFolder(Editor.ExeFolder);
    ExecModal(*lngform);
}

void TForm1::ReportMissingDefaultLanguage(const std::string& error) {
    // Without its default language file the program has no words of its own to say
    // this with, so this one message is built in.
    QString folder = FromCp1252(Editor.ExeFolder);
    Boxes().MessageBox(
        QStringLiteral("The language file %1 could not be read from the folder %2 (%3).\n"
                       "Menus, messages and status texts stay empty until a language "
                       "file is chosen in the language window.")
            .arg(QLatin1String(DefaultLanguageFile), folder, FromCp1252(error)));
}

void TForm1::RunStartupSteps() {
    TRegpath& reg = Editor.Reg1;

    // Step 5: the reference panel's footer line.
    Memo1->appendPlainText(FromCp1252(Editor.Text(55) + " \x0B " + Editor.Text(56)));

    // Step 6. The program folder was fixed when the window was built.
    Editor.ErrorContext = Editor.Text(57);

    // Step 7.
    Guarded([&] {
        if (auto size = reg.ReadInteger("fontsize"))
            FontSize = *size;
    });
    ApplyFontSize(FontSize);
    FontSize81->setText(FromCp1252(Editor.Text(38) + " " + IntToText(FontSize)));

    // Steps 8 and 9.
    Guarded([&] {
        std::string folder;
        if (reg.ReadString("tabpath", folder)) {
            TabFolder = folder;
            SetFileChooserFolder(Form3, TabFolder);
        }
    });
    Guarded([&] {
        std::string folder;
        if (reg.ReadString("protopath", folder))
            ProtoFolder = folder;
    });

    // Steps 10 to 13.
    Guarded([&] {
        if (auto on = reg.ReadBool("neverhide"))
            Editor.NeverHide = *on;
    });
    NeverHideColumns1->setChecked(Editor.NeverHide);
    Guarded([&] {
        if (auto on = reg.ReadBool("addrow"))
            AllowAddDeleteRows1->setChecked(*on);
    });
    Guarded([&] {
        if (auto on = reg.ReadBool("showcolnum"))
            ShowCOLANDDescriptions1->setChecked(*on);
    });
    Editor.ShowColNumbers = ShowCOLANDDescriptions1->isChecked();
    Guarded([&] {
        if (auto on = reg.ReadBool("showcombcode")) {
            CombineShowCompareMessages1->setChecked(*on);
            if (auto again = reg.ReadBool("showcombcode"))
                Editor.ShowCombineMessages = *again;
        }
    });

    // Steps 14 and 15.
    auto autoload = reg.ReadBool("autoload");
    AutoLoadProtosOnStartup1->setChecked(autoload.value_or(false));
    Guarded([&] {
        if (auto on = reg.ReadBool("autoloadlast"))
            AutoLoadLastFileOnStartup1->setChecked(*on);
    });

    // Steps 16 to 18.
    SG1->SetAllowInsertDeleteRows(AllowAddDeleteRows1->isChecked());
    Guarded([&] {
        if (auto on = reg.ReadBool("autosize"))
            AutoSizeOnLoad1->setChecked(*on);
    });
    Editor.AutoSizeOnLoad = AutoSizeOnLoad1->isChecked();
    Guarded([&] {
        if (auto on = reg.ReadBool("autoselect"))
            AutoSelectAll1->setChecked(*on);
    });

    Guarded([&] {
        if (auto on = reg.ReadBool("askdiscard"))
            AskBeforeDiscarding1->setChecked(*on);
    });

    // Step 19: colours come before any file is loaded.
    ApplyStoredColors();

    // Steps 20 and 21.
    Guarded([&] {
        if (auto height = reg.ReadInteger("Top Panel Height"))
            PanelHeight = *height;
    });
    SG1->SetAutoSelectAll(AutoSelectAll1->isChecked());
    SetPanelHeight(PanelHeight);
    opPanelHeight1101->setText(FromCp1252(Editor.Text(37) + " " + IntToText(PanelHeight)));

    // Step 22: the prototype table, unless the last file is to be loaded instead.
    if (AutoLoadProtosOnStartup1->isChecked() && !AutoLoadLastFileOnStartup1->isChecked()) {
        if (!ProtoFolder.empty())
            LoadIntoMainGrid(ProtoFolder + "protos.tab");
        else if (!TabFolder.empty())
            LoadIntoMainGrid(TabFolder + "/protos.tab");
        else
            LoadIntoMainGrid("protos.tab");
    }

    // Step 23.
    if (AutoLoadLastFileOnStartup1->isChecked()) {
        Editor.DocumentFileName.clear();
        std::string lastFile;
        if (!reg.ReadString("lastfile", lastFile))
            throw StartupStepFailed();
        Editor.DocumentFileName = lastFile;
        if (!TabFolder.empty() && !Editor.DocumentFileName.empty())
            LoadIntoMainGrid(TabFolder + "/" + Editor.DocumentFileName);
    }

    // Step 24: rows measured for a font other than the design size, after the load so
    // that they fit the loaded rows.
    FeedbackShown->SetBusy(true);
    if (FontSize != DesignFontSize) {
        SG1->EndCellEdit();
        FeedbackShown->SetStatus(Editor.Text(58));
        FeedbackShown->Refresh();
        TTextGrid& grid = Editor.SG1();
        FeedbackShown->SetProgressMax(grid.RowCount() - 1);
        SG1->BeginGridChange();
        for (int row = 0; row < grid.RowCount(); ++row) {
            FeedbackShown->SetProgress(row);
            ProgressBar1->repaint();
            grid.AutoSizeRow(row, Editor.Measure);
        }
        SG1->EndGridChange();
        FeedbackShown->SetStatus(Editor.Text(59));
        FeedbackShown->SetProgress(0);
    }
}

void TForm1::Exit1Click() {
    // Every setting was written when it changed; closing asks about unsaved changes
    // only when the user chose to be asked.
    close();
}

void TForm1::AutoLoadProtosOnStartup1Click() {
    PrepareCommand();
    AutoLoadProtosOnStartup1->setChecked(!AutoLoadProtosOnStartup1->isChecked());
    Editor.Reg1.WriteBool("autoload", AutoLoadProtosOnStartup1->isChecked());
    AutoLoadLastFileOnStartup1->setChecked(false);
    Editor.Reg1.WriteBool("autoloadlast", false);
}

void TForm1::AutoLoadLastFileOnStartup1Click() {
    PrepareCommand();
    AutoLoadLastFileOnStartup1->setChecked(!AutoLoadLastFileOnStartup1->isChecked());
    Editor.Reg1.WriteBool("autoloadlast", AutoLoadLastFileOnStartup1->isChecked());
    AutoLoadProtosOnStartup1->setChecked(false);
    Editor.Reg1.WriteBool("autoload", false);
}

} // namespace tw
