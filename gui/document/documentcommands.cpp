// Loading into and saving from the main grid, and the File chooser's load and save
// requests.

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>

#include "core/app/programtexts.h"
#include "core/app/text.h"
#include "core/document/loader.h"
#include "core/document/save.h"
#include "core/grid/gridcommands.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/app/windows.h"
#include "gui/document/fileform.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

bool TForm1::LoadIntoMainGrid(const std::string& path) {
    // Column sizing on load measures in the grid's own fonts.
    Editor.Measure = SG1->Measure();
    Editor.AutoSizeOnLoad = AutoSizeOnLoad1->isChecked();
    // The loader replaces every cell, both counts and the sizes; the view takes that as
    // one reset instead of following each row it adds.
    SG1->BeginGridChange();
    const LoadResult loaded = LoadTable(Editor, path, 1, *FeedbackShown);
    // Without "Auto Size On Load" every column is still wide enough for its header and
    // for a number of ten digits, so a new document can be read before anything is
    // sized by hand.
    if (!Editor.AutoSizeOnLoad) {
        const int least =
            Editor.Measure.Width("0000000000", false) + 2 * Editor.SG1().GridLineWidth() + 8;
        WidenColumnsToHeaders(Editor.SG1(), Editor.Measure, least);
    }
    SG1->EndGridChange();
    SG1->SetCurrentCell(Editor.SG1().Row(), Editor.SG1().Col());
    RefreshHeaderLists();
    ShowDocumentState();
    return loaded.Ok;
}

void TForm1::Reload1Click() {
    SG1->EndCellEdit();
    if (!MayDiscardDocument())
        return;
    // The chooser opens in load mode: closing it always returns it there.
    if (QDialog* chooser = FileChooserDialog(Form3))
        ExecModal(*chooser);
}

void TForm1::LoadSelected(const std::string& path) {
    // The chooser has closed; the window behind it is painted before the load starts.
    repaint();
    if (LoadIntoMainGrid(path))
        RememberRecentFile(path);
    // Stored whether the load worked or not: the next start tries the same file again.
    const std::string folder = Form3 ? PathBytes(Form3->Folder()) : FolderPart(path);
    std::string tabPath = folder;
    while (tabPath.size() > 1 && tabPath.back() == '/')
        tabPath.pop_back();
    Editor.Reg1.WriteString("tabpath", tabPath);
    Editor.Reg1.WriteString("lastfile", FileNamePart(path));
}

void TForm1::Save1Click() {
    SG1->EndCellEdit();
    FeedbackShown->SetBusy(true);
    // A chosen header set hides rows and columns; the file gets all of them either way,
    // but the user sees the whole table that is written.
    if (ComboBox1->count() > 0 && ComboBox1->currentIndex() != 0) {
        ComboBox1->setCurrentIndex(0);
        ComboBox1Change();
    }
    const SaveResult saved = SaveDocument(Editor, *FeedbackShown);
    FeedbackShown->SetBusy(false);
    if (!saved.Ok)
        FeedbackShown->ShowMessage(saved.Message);
}

void TForm1::SaveAs1Click() {
    SG1->EndCellEdit();
    if (!Form3)
        return;
    Form3->PrepareSaveAs(PathText(Editor.DocumentFileName));
    ExecModal(*Form3);
}

void TForm1::SaveAs(const std::string& folder, const std::string& typedName) {
    // A name that is empty or reaches into another folder names no file of the folder
    // shown; the document keeps the target it has. (The chooser says so before it
    // asks; this is the last line of defence.)
    if (typedName.empty() || typedName.find('/') != std::string::npos || typedName == "." ||
        typedName == "..") {
        FeedbackShown->ShowMessage(
            typedName.empty() ? Editor.Language.Added("saveasnoname")
                              : FormatText(Editor.Language.Added("saveasbadname"), {typedName}));
        return;
    }
    SetSaveAsTarget(Editor, folder, typedName);
    Save1Click();
}

std::string TForm1::AddedText(const std::string& name) const {
    return Editor.Language.Added(name);
}

std::vector<std::string> TForm1::OpeningFolders() const {
    // Where the user last loaded from, else where the open document lives.
    std::vector<std::string> folders;
    if (!TabFolder.empty())
        folders.push_back(TabFolder);
    if (!Editor.DocumentRealFolder.empty())
        folders.push_back(Editor.DocumentRealFolder);
    return folders;
}

std::string TForm1::Text(int index) const {
    return Editor.Text(index);
}

void TForm1::ShowMessage(const std::string& text) {
    FeedbackShown->ShowMessage(text);
}

} // namespace tw
