// Undo and redo of the document's changes, the document panel of the status bar, and the
// question before a modified document is closed or replaced.

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include "core/app/programtexts.h"
#include "core/document/documentedits.h"
#include "gui/app/cp1252.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"
#include "gui/grid/gridchange.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

QString DocumentName(const EditorState& state) {
    const std::string& name =
        state.DocumentRealName.empty() ? state.DocumentFileName : state.DocumentRealName;
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

bool StepMovesRows(const EditStep* step) {
    if (!step)
        return false;
    for (const EditAction& action : step->Actions)
        if (!std::holds_alternative<CellWrite>(action))
            return true;
    return false;
}

} // namespace

void TForm1::ShowDocumentState() {
    const DocumentHistory& history = Editor.History;
    Undo1->setEnabled(history.CanUndo());
    Redo1->setEnabled(history.CanRedo());
    QString name = DocumentName(Editor);
    if (name.isEmpty())
        name = FromCp1252(Editor.Language.Added("untitled"));
    if (history.Modified()) {
        QString marked = FromCp1252(Editor.Language.Added("modified"));
        marked.replace(QStringLiteral("%1"), name);
        name = marked;
    }
    DocumentPanel->setText(name);
}

void TForm1::MoveInHistory(bool undo) {
    // Typing in the open editor is taken back first, as in any text field.
    if (QLineEdit* editor = SG1->CellEditor()) {
        if (undo ? editor->isUndoAvailable() : editor->isRedoAvailable()) {
            if (undo)
                editor->undo();
            else
                editor->redo();
            return;
        }
    }
    const bool wasEditing = SG1->EditorActive();
    // An editor whose text differs without typing of its own to take back stores it as a
    // step first, which the undo then takes back.
    SG1->EndCellEdit();
    DocumentHistory& history = Editor.History;
    if (undo ? !history.CanUndo() : !history.CanRedo())
        return;
    HistoryMove move;
    if (StepMovesRows(undo ? history.LastStep() : history.NextRedo())) {
        GridChange change(SG1);
        move = undo ? UndoDocument(Editor) : RedoDocument(Editor);
    } else {
        move = undo ? UndoDocument(Editor) : RedoDocument(Editor);
        // Show the cell that changed back, when its row and column are on screen.
        const TTextGrid& grid = Editor.SG1();
        if (!move.Cells.empty()) {
            const auto [row, dataCol] = move.Cells.front();
            if (!grid.IsColumnHidden(dataCol))
                SG1->SetCurrentCell(row, grid.DisplayColumnOf(dataCol));
        }
    }
    SG1->RefreshCells();
    if (wasEditing && !SG1->EditorActive())
        SG1->BeginCellEdit();
}

void TForm1::Undo1Click() {
    MoveInHistory(true);
}

void TForm1::Redo1Click() {
    MoveInHistory(false);
}

void TForm1::AskBeforeDiscarding1Click() {
    PrepareCommand();
    AskBeforeDiscarding1->setChecked(!AskBeforeDiscarding1->isChecked());
    Editor.Reg1.WriteBool("askdiscard", AskBeforeDiscarding1->isChecked());
}

bool TForm1::MayDiscardDocument() {
    SG1->EndCellEdit();
    if (!AskBeforeDiscarding1->isChecked() || !Editor.History.Modified())
        return true;
    QString question = FromCp1252(Editor.Language.Added("discardquestion"));
    question.replace(QStringLiteral("%1"), DocumentName(Editor));
    auto added = [this](const char* name) { return FromCp1252(Editor.Language.Added(name)); };
    switch (Boxes().AskSaveDiscardCancel(question, added("discardsave"), added("discarddiscard"),
                                         added("discardcancel"))) {
    case Prompts::DiscardAnswer::Save:
        Save1Click();
        // A save that failed has said so; the changes stay and nothing is replaced.
        return !Editor.History.Modified();
    case Prompts::DiscardAnswer::Discard:
        return true;
    case Prompts::DiscardAnswer::Cancel:
        break;
    }
    return false;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (MayDiscardDocument())
        event->accept();
    else
        event->ignore();
}

} // namespace tw
