#include "gui/grid/gridparts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "gui/app/cp1252.h"
#include "gui/grid/selectionframe.h"

namespace tw {

QValidator::State Cp1252Validator::validate(QString& input, int& /*pos*/) const {
    std::string bytes;
    return ToCp1252(input, bytes) ? Acceptable : Invalid;
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& /*index*/) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    // The default limit of 32767 characters would cut long cells on commit.
    editor->setMaxLength(INT_MAX);
    editor->setValidator(new Cp1252Validator(editor));
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    OpenEditor = editor;
    Fresh = true;
    if (EditorCreated)
        EditorCreated(editor);
    return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    // Refills only an editor the user has not typed into, so a repaint never undoes input.
    if (line->isModified())
        return;
    line->setText(index.data(Qt::EditRole).toString());
    line->setModified(false);
    if (SelectAllOnEdit && *SelectAllOnEdit) {
        line->selectAll();
    } else {
        line->deselect();
        line->end(false);
    }
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    // Only what the user changed goes back: moving through cells never rewrites bytes.
    if (!line || !line->isModified())
        return;
    if (model->setData(index, line->text(), Qt::EditRole))
        line->setModified(false);
}

void CellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == OpenEditor.data())
        OpenEditor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void CellDelegate::CommitAndClose() {
    QLineEdit* editor = OpenEditor.data();
    if (!editor)
        return;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!MarkerAt || !MarkerAt(index))
        return;
    // A triangle in the top right corner, a third of the row high: it leaves the cell's
    // background and most of its text in view.
    const QRect cell = option.rect;
    const int size = std::max(4, std::min(cell.height(), cell.width()) / 3);
    const QPoint corner = cell.topRight();
    const QPoint points[3] = {corner, corner - QPoint(size, 0), corner + QPoint(0, size)};
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0xE0, 0x40, 0x00));
    painter->drawPolygon(points, 3);
    painter->restore();
}

void CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Backgrounds come only from the colour handler: no selection or focus highlight.
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
}

FrozenColumnsView::FrozenColumnsView(QWidget* parent) : QTableView(parent) {
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setAutoScroll(false);
}

void FrozenColumnsView::scrollTo(const QModelIndex& /*index*/, ScrollHint /*hint*/) {
    // The main view scrolls; the overlay follows its vertical position.
}

void FrozenColumnsView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    ClosingFocused = editor && editor->hasFocus();
    QTableView::closeEditor(editor, hint);
    if (ClosingFocused && parentWidget() && !QApplication::focusWidget())
        parentWidget()->setFocus();
    ClosingFocused = false;
}

bool FrozenColumnsView::edit(const QModelIndex& index, EditTrigger /*trigger*/, QEvent* /*event*/) {
    return index.isValid() && index == currentIndex();
}

QModelIndex FrozenColumnsView::moveCursor(CursorAction cursorAction,
                                          Qt::KeyboardModifiers modifiers) {
    return MoveCursor ? MoveCursor(cursorAction, modifiers)
                      : QTableView::moveCursor(cursorAction, modifiers);
}

void FrozenColumnsView::keyPressEvent(QKeyEvent* event) {
    if (KeyPress)
        KeyPress(event);
    else
        QTableView::keyPressEvent(event);
}

// A press on a fixed cell never moves the current cell; the main view reports it.
void FrozenColumnsView::mousePressEvent(QMouseEvent* event) {
    if (MousePress)
        MousePress(event);
    event->accept();
}

void FrozenColumnsView::mouseReleaseEvent(QMouseEvent* event) {
    if (MouseRelease)
        MouseRelease(event);
    event->accept();
}

void FrozenColumnsView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void FrozenColumnsView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void FrozenColumnsView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    PaintSelectionFrame(*this, painter);
}

} // namespace tw
