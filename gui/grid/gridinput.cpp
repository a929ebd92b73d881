// The grid view's mouse, keyboard and clipboard side.

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <climits>

#include "core/app/programtexts.h"
#include "core/app/text.h"
#include "core/document/cellrule.h"
#include "core/document/documentedits.h"
#include "core/grid/clipboardtext.h"
#include "gui/app/cp1252.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridparts.h"
#include "gui/grid/gridview.h"
#include "gui/grid/longcellform.h"

namespace tw {

GridView::CellHit GridView::CellAtGlobal(QPoint globalPosition) const {
    CellHit hit;
    const QPoint p = viewport()->mapFromGlobal(globalPosition);
    if (p.x() < 0 || p.x() >= viewport()->width() || p.y() >= viewport()->height())
        return hit;
    const int headerHeight = horizontalHeader()->height();
    if (p.y() < -headerHeight)
        return hit;
    const bool overFrozen = !Frozen->isHidden() && p.x() < Frozen->width();
    hit.Col = overFrozen ? Frozen->columnAt(p.x()) : columnAt(p.x());
    if (p.y() < 0) {
        hit.Row = 0;
    } else {
        const int row = rowAt(p.y());
        hit.Row = row < 0 ? -1 : GridModel::DisplayRowOf(row);
    }
    return hit;
}

void GridView::mousePressEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    const CellHit hit = CellAtGlobal(global);
    if (event->button() == Qt::RightButton) {
        // A right click names a cell for the pop-up commands; the current cell stays.
        emit RightClickCell(hit.Row, hit.Col, global);
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->accept(); // only the left button moves the current cell
        return;
    }
    const QModelIndex target = indexAt(event->position().toPoint());
    const QModelIndex current = currentIndex();
    if (target.isValid() && target != current) {
        emit CellChanging(current.isValid() ? GridModel::DisplayRowOf(current.row()) : -1,
                          current.isValid() ? current.column() : -1,
                          GridModel::DisplayRowOf(target.row()), target.column());
    }
    QTableView::mousePressEvent(event);
    if (hit.Row >= 0 && hit.Col >= 0)
        emit ClickCell(hit.Row, hit.Col);
    // A click on the current cell whose editor was closed opens it again.
    if (!EditorActive() && currentIndex().isValid() &&
        indexAt(event->position().toPoint()).isValid())
        OpenEditorAt(currentIndex());
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Other cells have their editor open by now and take the double click there.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && index == currentIndex() &&
        IsLongCell(index)) {
        event->accept();
        EditLongCell(index, {});
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    MouseReleased(event, viewport());
}

void GridView::MouseReleased(QMouseEvent* event, QWidget* source) {
    emit MouseUp(event->button(), event->modifiers(),
                 mapFromGlobal(source->mapToGlobal(event->position().toPoint())));
}

void GridView::FrozenMousePress(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    const CellHit hit = CellAtGlobal(global);
    if (event->button() == Qt::RightButton)
        emit RightClickCell(hit.Row, hit.Col, global);
    else if (event->button() == Qt::LeftButton && hit.Row >= 0 && hit.Col >= 0)
        emit ClickCell(hit.Row, hit.Col);
}

void GridView::EditorCreated(QLineEdit* editor) {
    editor->installEventFilter(this);
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool header = watched == horizontalHeader()->viewport() ||
                        watched == Frozen->horizontalHeader()->viewport();
    if (header && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* headerView = static_cast<QHeaderView*>(watched->parent());
        if (type == QEvent::MouseButtonRelease) {
            MouseReleased(mouse, headerView->viewport());
            return false;
        }
        const int col = headerView->logicalIndexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::RightButton) {
            emit RightClickCell(0, col, mouse->globalPosition().toPoint());
            return true;
        }
        // The header goes on to resize the column when the press was on a border.
        if (mouse->button() == Qt::LeftButton && col >= 0)
            emit ClickCell(0, col);
        return false;
    }
    if (auto* editor = qobject_cast<QLineEdit*>(watched); editor && editor == CellEditor()) {
        if (type == QEvent::KeyPress)
            return HandleGridKey(static_cast<QKeyEvent*>(event), true);
        if (type == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                const QPoint global = mouse->globalPosition().toPoint();
                const CellHit hit = CellAtGlobal(global);
                emit RightClickCell(hit.Row, hit.Col, global);
                return true;
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason) &&
        !EditorActive())
        OpenEditorAt(currentIndex());
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (HandleGridKey(event, false))
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() &&
        !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        currentIndex().isValid() && !EditorActive()) {
        // Typing on a cell whose editor was closed opens it and types there.
        if (IsLongCell(currentIndex())) {
            StartUserEdit(text);
            return;
        }
        if (OpenEditorAt(currentIndex())) {
            if (QLineEdit* editor = CellEditor())
                QApplication::sendEvent(editor, event);
            return;
        }
    }
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier)) &&
        !EditorActive() && IsLongCell(currentIndex())) {
        StartUserEdit();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool GridView::IsLongCell(const QModelIndex& index) const {
    return TextGrid && index.isValid() && index.model() == Model &&
           TextGrid->Cell(TextGrid->DataColumnOf(index.column()),
                          GridModel::DisplayRowOf(index.row()))
                   .size() > LongCellBytes;
}

bool GridView::StartUserEdit(const QString& typed) {
    const QModelIndex index = currentIndex();
    if (!IsLongCell(index))
        return OpenEditorAt(index);
    EditLongCell(index, typed);
    return true;
}

void GridView::EditLongCell(const QModelIndex& index, const QString& typed) {
    if (!RunModal || !IsLongCell(index))
        return;
    EndCellEdit();
    const int row = GridModel::DisplayRowOf(index.row());
    const int col = index.column();
    const int dataCol = TextGrid->DataColumnOf(col);
    const std::string_view bytes = TextGrid->Cell(dataCol, row);
    auto added = [this](const char* name) -> std::string {
        return Document ? Document->Language.Added(name) : BuiltInProgramText(name);
    };
    LongCellForm form(window(), FromCp1252(added("longcellcaption")),
                      FromCp1252(FormatText(added("longcellhint"),
                                            {IntToText(static_cast<int64_t>(bytes.size()))})));
    LongCellEdit* editor = form.Editor();
    const QString text = FromCp1252(bytes);
    editor->SetCellText(text);
    editor->moveCursor(QTextCursor::End);
    if (const auto breakAt = bytes.find_first_of("\r\n"); breakAt != std::string_view::npos) {
        // The window shows such a byte as one of its own line breaks and would drop it:
        // the cell can only be looked at here.
        editor->setReadOnly(true);
        if (Document)
            form.ShowRefusal(
                FromCp1252(RefusalMessage(*Document, CellRefusal{bytes[breakAt], "rulebreak"})));
    }
    editor->MayInsert = [this, dataCol](const QString& inserted) {
        return MayInsertText(dataCol, inserted);
    };
    form.Store = [this, row, col](const QString& edited) {
        return Model->setData(Model->index(GridModel::ModelRowOf(row), col), edited, Qt::EditRole);
    };
    // A refusal while the window is open shows in the window too.
    connect(this, &GridView::CellTextRefused, &form, &LongCellForm::ShowRefusal);
    if (!typed.isEmpty() && !editor->isReadOnly()) {
        std::string typedBytes;
        if (ToCp1252(typed, typedBytes))
            editor->insertPlainText(typed);
    }
    RunModal(form);
    setFocus();
}

bool GridView::MayInsertText(int dataCol, const QString& text) {
    std::string bytes;
    if (!ToCp1252(text, bytes)) {
        emit TextRefused();
        return false;
    }
    if (Document) {
        if (const auto refusal = RefusedCellText(*Document, dataCol, bytes)) {
            emit CellTextRefused(FromCp1252(RefusalMessage(*Document, *refusal)));
            return false;
        }
    } else if (bytes.find_first_of("\t\r\n\x1a") != std::string::npos) {
        // The window's own line breaks are dropped on storing; nothing else may be one.
        emit TextRefused();
        return false;
    }
    return true;
}

bool GridView::HandleGridKey(QKeyEvent* event, bool fromEditor) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = event->key();
    const bool ctrl = mods == Qt::ControlModifier;
    const bool shift = mods == Qt::ShiftModifier;
    const bool copy = ctrl && (key == Qt::Key_C || key == Qt::Key_Insert);
    const bool cut = (ctrl && key == Qt::Key_X) || (shift && key == Qt::Key_Delete);
    const bool paste = (ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert);
    if (copy || cut || paste) {
        if (fromEditor && !MultiCellSelection()) {
            // Within one cell the editor copies, cuts and pastes its own text; only
            // text that holds several cells goes into the grid.
            if (!paste)
                return false;
            const QString text = QGuiApplication::clipboard()->text();
            if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')))
                return false;
        }
        if (copy)
            CopySelection();
        else if (cut)
            CutSelection();
        else
            PasteClipboard();
        return true;
    }
    const bool undoKey = ctrl && key == Qt::Key_Z;
    const bool redoKey = (ctrl && key == Qt::Key_Y) ||
                         (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z);
    if (fromEditor && (undoKey || redoKey)) {
        // The editor takes back its own typing first, as any text field does; with none
        // left, the key means the document's last change.
        const QLineEdit* editor = CellEditor();
        if (editor && (undoKey ? editor->isUndoAvailable() : editor->isRedoAvailable()))
            return false;
        emit HistoryKey(undoKey);
        return true;
    }
    if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        if (!AllowRowKeys)
            return false;
        InsertRowAtCurrent();
        return true;
    }
    if (key == Qt::Key_Delete && !(mods & (Qt::ShiftModifier | Qt::AltModifier))) {
        // In the editor a plain Delete deletes text; Ctrl+Delete deletes the row.
        if (!AllowRowKeys || (fromEditor && !(mods & Qt::ControlModifier)))
            return false;
        DeleteCurrentRow();
        return true;
    }
    if (!fromEditor && key == Qt::Key_F2 && mods == Qt::NoModifier) {
        StartUserEdit();
        return true;
    }
    return false;
}

GridView::Rect GridView::SelectedRect() const {
    Rect rect{1, 0, 0, -1};
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex current = currentIndex();
        if (!current.isValid())
            return rect;
        const int row = GridModel::DisplayRowOf(current.row());
        return {row, current.column(), row, current.column()};
    }
    rect = {INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange& range : selection) {
        rect.Top = std::min(rect.Top, GridModel::DisplayRowOf(range.top()));
        rect.Bottom = std::max(rect.Bottom, GridModel::DisplayRowOf(range.bottom()));
        rect.Left = std::min(rect.Left, range.left());
        rect.Right = std::max(rect.Right, range.right());
    }
    return rect;
}

bool GridView::MultiCellSelection() const {
    const Rect rect = SelectedRect();
    return rect.Bottom > rect.Top || rect.Right > rect.Left;
}

std::string GridView::SelectionCopyText() const {
    if (!TextGrid)
        return {};
    const Rect rect = SelectedRect();
    return BuildCopyText(*TextGrid, rect.Top, rect.Left, rect.Bottom, rect.Right);
}

void GridView::CopySelection() {
    if (!TextGrid)
        return;
    const bool wasEditing = EditorActive();
    EndCellEdit(); // a half-typed value is part of what the user sees
    QGuiApplication::clipboard()->setText(FromCp1252(SelectionCopyText()));
    if (wasEditing)
        BeginCellEdit();
}

void GridView::CutSelection() {
    if (!TextGrid)
        return;
    const bool wasEditing = EditorActive();
    EndCellEdit();
    const Rect rect = SelectedRect();
    QGuiApplication::clipboard()->setText(
        FromCp1252(BuildCopyText(*TextGrid, rect.Top, rect.Left, rect.Bottom, rect.Right)));
    if (Document) {
        // The whole cut is one step.
        std::vector<CellText> cleared;
        for (int r = std::max(rect.Top, 0); r <= rect.Bottom && r < TextGrid->RowCount(); ++r)
            for (int c = std::max(rect.Left, 0); c <= rect.Right && c < TextGrid->ColCount(); ++c)
                cleared.push_back({TextGrid->DataColumnOf(c), r, std::string()});
        WriteDocumentCells(cleared);
    } else {
        ClearCellRect(*TextGrid, CellRect{rect.Top, rect.Left, rect.Bottom, rect.Right});
    }
    Model->CellsChanged(rect.Top, rect.Left, rect.Bottom, rect.Right);
    if (wasEditing)
        BeginCellEdit();
}

void GridView::PasteClipboard() {
    const QModelIndex current = currentIndex();
    if (!TextGrid || !current.isValid())
        return;
    std::string bytes;
    if (!ToCp1252(QGuiApplication::clipboard()->text(), bytes)) {
        emit TextRefused();
        return;
    }
    const bool wasEditing = EditorActive();
    EndCellEdit();
    const int top = GridModel::DisplayRowOf(current.row());
    const int left = current.column();
    const auto pasted = SplitPastedText(bytes);
    CellRect written;
    if (Document) {
        // The whole paste is one step, and a text the document cannot hold refuses it all.
        std::vector<CellText> cells;
        written = CellRect{top, left, top - 1, left - 1};
        for (size_t i = 0; i < pasted.size(); ++i) {
            const int r = top + static_cast<int>(i);
            if (r >= TextGrid->RowCount())
                break;
            for (size_t j = 0; j < pasted[i].size(); ++j) {
                const int c = left + static_cast<int>(j);
                if (c >= TextGrid->ColCount())
                    break;
                cells.push_back({TextGrid->DataColumnOf(c), r, pasted[i][j]});
                written.Bottom = std::max(written.Bottom, r);
                written.Right = std::max(written.Right, c);
            }
        }
        if (!WriteDocumentCells(cells))
            written = CellRect{};
    } else {
        written = PasteCells(*TextGrid, top, left, pasted);
    }
    if (!written.Empty())
        Model->CellsChanged(written.Top, written.Left, written.Bottom, written.Right);
    if (wasEditing)
        BeginCellEdit();
}

void GridView::InsertRowAtCurrent() {
    const QModelIndex current = currentIndex();
    if (!TextGrid || !current.isValid())
        return;
    const int row = GridModel::DisplayRowOf(current.row());
    const int col = current.column();
    const bool wasEditing = EditorActive();
    EndCellEdit();
    if (Document) {
        BeginGridChange();
        InsertDocumentRow(*Document, row);
        EndGridChange();
    } else {
        Model->InsertGridRows(row, 1);
    }
    for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(Frozen)})
        view->setRowHeight(current.row(), TextGrid->RowHeight(row));
    SetCurrentCell(row, col); // the new empty row takes the row number
    if (wasEditing)
        BeginCellEdit();
}

void GridView::DeleteCurrentRow() {
    const QModelIndex current = currentIndex();
    if (!TextGrid || !current.isValid())
        return;
    if (TextGrid->RowCount() - TextGrid->FixedRows() < 1)
        return;
    const int row = GridModel::DisplayRowOf(current.row());
    const int col = current.column();
    const bool wasEditing = EditorActive();
    EndCellEdit();
    if (TextGrid->RowCount() - TextGrid->FixedRows() == 1) {
        // The only row stays, emptied, hidden columns included.
        std::vector<CellText> cleared;
        for (int dataCol = 0; dataCol < TextGrid->DataColumnCount(); ++dataCol)
            cleared.push_back({dataCol, row, std::string()});
        if (Document)
            WriteDocumentCells(cleared);
        else
            for (const CellText& cell : cleared)
                TextGrid->SetCell(cell.DataCol, cell.Row, {});
        Model->CellsChanged(row, 0, row, Model->columnCount() - 1);
    } else if (Document) {
        BeginGridChange();
        DeleteDocumentRow(*Document, row);
        EndGridChange();
        SetCurrentCell(std::min(row, TextGrid->RowCount() - 1), col);
    } else {
        Model->DeleteGridRows(row, 1);
        SetCurrentCell(std::min(row, TextGrid->RowCount() - 1), col);
    }
    if (wasEditing)
        BeginCellEdit();
}

} // namespace tw
