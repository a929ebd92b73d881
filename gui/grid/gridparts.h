#pragma once
// The pieces the grid view is built from: the cell editor's validator, the delegate that
// paints cells without the view's own selection highlight and tracks the open editor,
// and the frozen overlay that shows the fixed columns.

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QValidator>
#include <functional>

namespace tw {

// Refuses every text with a character outside Windows-1252, so the editor never holds
// what the cell could not store.
class Cp1252Validator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

class CellDelegate : public QStyledItemDelegate {
  public:
    explicit CellDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    QLineEdit* Editor() const { return OpenEditor.data(); }
    // True once for each editor made since the last call.
    bool TakeFreshEditor() {
        const bool fresh = Fresh;
        Fresh = false;
        return fresh;
    }
    // Stores the open editor's text (when it was changed) and closes it.
    void CommitAndClose();

    // Called for every editor made, so the view can watch its keys and clicks.
    std::function<void(QLineEdit*)> EditorCreated;
    const bool* SelectAllOnEdit = nullptr;

    // Cells that get a report marker: a small corner drawn over whatever background the
    // colour rules give the cell.
    std::function<bool(const QModelIndex&)> MarkerAt;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    mutable QPointer<QLineEdit> OpenEditor;
    mutable bool Fresh = false;
};

// The fixed columns drawn over the left edge of the main view. It shares the model and
// the selection model; the main view keeps scrolling and the keyboard, the overlay only
// shows, takes mouse presses for the main view, and edits a fixed cell made current.
class FrozenColumnsView : public QTableView {
  public:
    explicit FrozenColumnsView(QWidget* parent);
    bool OpenEditor(const QModelIndex& index) {
        return QTableView::edit(index, AllEditTriggers, nullptr);
    }
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // The overlay hands its mouse presses, releases, keys and cursor moves to the main
    // view, so both behave as one grid.
    std::function<void(QMouseEvent*)> MousePress;
    std::function<void(QMouseEvent*)> MouseRelease;
    std::function<void(QKeyEvent*)> KeyPress;
    std::function<QModelIndex(CursorAction, Qt::KeyboardModifiers)> MoveCursor;
    // Set while an editor that had the keyboard focus is being closed (Tab, Enter): the
    // overlay cannot take the focus itself, so the main view keeps it and edits on.
    bool ClosingFocusedEditor() const { return ClosingFocused; }

  protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    // Editors open here only through OpenEditor; what the view would start by itself
    // (the next cell after Tab, a double click) is the main view's business.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool ClosingFocused = false;
};

} // namespace tw
