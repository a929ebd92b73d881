// Sort, compare and combine commands of the Tools menu, and what "Go With Selected" in
// the File chooser runs on the main window.

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <algorithm>

#include "core/app/text.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
#include "core/compare/sortbycolumn.h"
#include "core/document/documentedits.h"
#include "core/document/loader.h"
#include "gui/app/cp1252.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"
#include "gui/document/fileform.h"
#include "gui/grid/gridchange.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

bool ValidSlot(int k) {
    return k >= 1 && k <= 5;
}

} // namespace

// --- the chooser's batch run ---

std::string TForm1::SelectedFile(int k) const {
    return ValidSlot(k) ? Editor.SelectedFiles[static_cast<size_t>(k - 1)] : std::string();
}

void TForm1::SetSelectedFile(int k, const std::string& path) {
    if (ValidSlot(k))
        Editor.SelectedFiles[static_cast<size_t>(k - 1)] = path;
}

std::string TForm1::CompareMode() const {
    return Editor.CompareMode;
}

void TForm1::SetBatchActive(bool active) {
    Editor.BatchActive = active;
}

void TForm1::ResetReportArea() {
    if (ComboBox2->count() > 0)
        ComboBox2->setCurrentIndex(0);
    Memo1->clear();
}

void TForm1::LoadIntoSlot(const std::string& path, int slot) {
    if (slot == 1) {
        LoadIntoMainGrid(path);
        return;
    }
    // SG2 to SG5 have no view.
    LoadTable(Editor, path, slot, *FeedbackShown);
}

void TForm1::RunCompareOrCombine(const std::string& mode) {
    // Both sort SG1, and combine inserts, removes and rewrites its rows: one model change.
    bool finished = true;
    {
        GridChange change(SG1);
        finished = RunLongWork([&] {
            if (mode == "compare") {
                CompareFiles(Editor, *FeedbackShown);
            } else if (mode == "combine") {
                // The whole merge is one step of the document's history.
                WholeDocumentStep step(Editor);
                CombineFiles(Editor, *FeedbackShown);
            }
        });
    }
    if (!finished) {
        // A report cut short would mislead: the lines shown so far stay readable, but
        // nothing of the run is kept to walk or save.
        Editor.LastReport.Clear();
        Editor.Changes.Clear();
        FeedbackShown->AppendReport(Editor.Language.Added("workstopped"));
    }
    ShowReportRun();
    SG1->RefreshCells();
    // Both leave the busy cursor to the one who started them.
    FeedbackShown->SetBusy(false);
}

// --- menu commands ---

void TForm1::OpenChooserToSelect(const std::string& mode, int hintText) {
    PrepareCommand();
    // Both runs load their first file over the document.
    if (!MayDiscardDocument())
        return;
    Editor.CompareMode = mode;
    if (!Form3)
        return;
    Form3->PrepareSelect(FromCp1252(Editor.Text(hintText)));
    ExecModal(*Form3);
}

void TForm1::CompareTabFiles1Click() {
    OpenChooserToSelect("compare", 124);
}

void TForm1::CombineTabFiles1Click() {
    Editor.RemoveRows = true;
    OpenChooserToSelect("combine", 125);
}

void TForm1::CombineFilesNoRemoveRows1Click() {
    Editor.RemoveRows = false;
    OpenChooserToSelect("combine", 125);
}

void TForm1::CombineShowCompareMessages1Click() {
    PrepareCommand();
    CombineShowCompareMessages1->setChecked(!CombineShowCompareMessages1->isChecked());
    Editor.ShowCombineMessages = CombineShowCompareMessages1->isChecked();
    Editor.Reg1.WriteBool("showcombcode", Editor.ShowCombineMessages);
}

void TForm1::SortMainGrid(int column) {
    {
        GridChange change(SG1);
        RunLongWork([&] { SortGridByColumn(Editor, 1, column, *FeedbackShown); });
    }
    SG1->RefreshCells();
}

bool TForm1::RunLongWork(const std::function<void()>& work) {
    bool finished = false;
    {
        LongWorkScope longWork(*FeedbackShown, FromCp1252(Editor.Language.Added("workprogress")));
        finished = RunCancellable(Editor, work);
    }
    if (!finished) {
        FeedbackShown->SetProgress(0);
        FeedbackShown->SetStatus(Editor.Language.Added("workstopped"));
        FeedbackShown->SetBusy(false);
    }
    return finished;
}

void TForm1::SortByColumn01Click() {
    PrepareCommand();
    Editor.TextOrderAllowed = false;
    SortMainGrid(0);
}

void TForm1::SortByColumn1Click() {
    PrepareCommand();
    Editor.TextOrderAllowed = true;
    const QString answer = Boxes().InputBox(Editor.Text(148), Editor.Text(149), std::string());
    // An answer that is no number (Cancel gives the empty default) sorts nothing, silently.
    std::string bytes;
    if (ToCp1252(answer, bytes)) {
        if (const auto column = ConvertInteger(bytes))
            SortMainGrid(std::max(*column, 0));
    }
    Editor.TextOrderAllowed = false;
}

} // namespace tw
