#pragma once
// The main grid's view: a QTableView over a model adapter that presents the display
// space of a TTextGrid. Row 0 of the grid is the horizontal header; fixed columns are a
// frozen overlay sharing the model. The grid's events reach TForm1 as signals.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

#include "core/grid/textgrid.h"

namespace tw {
class EditorState;
struct CellText;
} // namespace tw

class QDialog;
class QLineEdit;

namespace tw {

class CellDelegate;
class FrozenColumnsView;
class GridModel;

class GridView : public QTableView {
    Q_OBJECT
  public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    void SetGrid(TTextGrid* grid);
    // The document whose SG1 this view shows: the view's own edits (cell editor, cut,
    // paste, row keys) then go through the document's one write path and become steps
    // of its history. Without one they change the grid directly.
    void SetDocument(EditorState* document);
    TTextGrid* Grid() const { return TextGrid; }
    GridModel* CellModel() const { return Model; }
    // The overlay showing the fixed columns (shares model and selection).
    QTableView* FrozenView() const;

    // Core operations change the grid underneath the view; wrap them so the view sees
    // one model change per command. Begin stores a half-typed value first; End takes
    // over the grid's sizes, fixed columns and current cell. Calls may nest.
    void BeginGridChange();
    void EndGridChange();
    // Repaints every cell (colours or texts changed in place).
    void RefreshCells();

    // The in-place editor: ends storing its text into the current cell; begins on the
    // current cell.
    void EndCellEdit();
    void BeginCellEdit();
    bool EditorActive() const;
    // Whether the keyboard focus is in the grid: the view, its overlay or its editor
    // (the colour handler paints the cell being edited only then).
    bool GridHasFocus() const;
    // The open editor, or null.
    QLineEdit* CellEditor() const;
    // How a cell made current comes into view: at the nearest edge, or, when it is not
    // wholly in sight, with its row in the middle of the view.
    enum CellScroll { NearestEdge, CentreWhenHidden };
    // Makes (display row, display column) current and scrolls it into view. A cell of a
    // fixed column becomes current in the frozen overlay and is edited there.
    void SetCurrentCell(int row, int col, CellScroll scroll = NearestEdge);
    // Whether the whole cell (display row, display column) is in sight.
    bool CellWhollyVisible(int row, int col) const;
    // Cells longer than this are not edited in place: the line edit lays out its whole
    // text on every key and repaint, far too slow for megabytes. They open a window of
    // their own instead (F2, Enter, double click, typing).
    static constexpr size_t LongCellBytes = 64 * 1024;
    bool IsLongCell(const QModelIndex& index) const;
    // Runs a modal window of the view; the main window sets it, so its tests can drive it.
    std::function<void(QDialog&)> RunModal;

    // Refuses what TTextGrid::SetFixedCols refuses.
    bool SetFixedCols(int count);

    void SetAutoSelectAll(bool on);
    bool AutoSelectAll() const { return SelectAllOnEdit; }
    void SetAllowInsertDeleteRows(bool on);
    bool AllowInsertDeleteRows() const { return AllowRowKeys; }
    // Size of the grid, fixed and active-cell fonts; 0 or less means the application's
    // default size, and sizes beyond reason are clamped.
    void SetFontPointSize(int points);
    int FontPointSize() const { return GridFont.pointSize(); }
    void SetTextColor(const QColor& color);
    void SetFixedTextColor(const QColor& color);

    // Clipboard commands on the selected rectangle (or the current cell).
    void CopySelection();
    void CutSelection();
    // Pastes from the current cell right and down, never adding rows or columns.
    void PasteClipboard();
    // The text CopySelection puts on the clipboard, as bytes.
    std::string SelectionCopyText() const;

    // Background of a cell: display row, data column. Empty means the grid's own colour.
    std::function<QColor(int row, int dataCol)> CellColor;
    // Whether a cell (display row, data column) carries a report marker.
    std::function<bool(int row, int dataCol)> CellMarked;
    // Measures text in the fonts the grid draws with, always the current ones (the
    // functions stay valid while the view lives, across font size changes).
    TextMeasure Measure() const;

  signals:
    void ClickCell(int row, int col);
    void RightClickCell(int row, int col, QPoint globalPosition);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void CellChanging(int oldRow, int oldCol, int newRow, int newCol);
    void GridExit();
    // An edit or a paste did not take because its text has a character outside the
    // code page.
    void TextRefused();
    // The document refused a text; the message says which character and why.
    void CellTextRefused(const QString& message);
    // Undo (true) or redo (false) pressed in the editor when it has nothing of its own
    // to take back or do again: the document's history is meant.
    void HistoryKey(bool undo);

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void paintEvent(QPaintEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TTextGrid* TextGrid = nullptr;
    EditorState* Document = nullptr;
    GridModel* Model = nullptr;
    FrozenColumnsView* Frozen = nullptr;
    CellDelegate* MainDelegate = nullptr;
    CellDelegate* FrozenDelegate = nullptr;
    bool SelectAllOnEdit = true;
    bool AllowRowKeys = false;
    int ChangeDepth = 0;
    bool ApplyingSizes = false;
    bool SyncingScroll = false;
    QMetaObject::Connection FocusWatch;
    QFont GridFont;
    QFont FixedFont;
    QFontMetrics GridMetrics{QFont()};
    QFontMetrics FixedMetrics{QFont()};
    QColor TextColor = Qt::black;
    QColor FixedTextColor = Qt::black;

    int FixedColumnCount() const;
    int FrozenWidth() const;
    void UpdateFrozenGeometry();
    void ApplyFonts();
    void ApplyGridSizes();
    void RestoreCurrentCell();
    void UpdateEditorColors();
    bool OpenEditorAt(const QModelIndex& index);
    void ColumnResizedByUser(int col, int newSize, bool fromFrozen);
    void SyncGridCurrent(const QModelIndex& index);

    // Mouse and keys (gridinput.cpp).
    struct CellHit {
        int Row = -1;
        int Col = -1;
    };
    CellHit CellAtGlobal(QPoint globalPosition) const;
    void FrozenMousePress(QMouseEvent* event);
    void MouseReleased(QMouseEvent* event, QWidget* source);
    bool HandleGridKey(QKeyEvent* event, bool fromEditor);
    bool MultiCellSelection() const;
    struct Rect {
        int Top, Left, Bottom, Right;
    };
    Rect SelectedRect() const; // display indices; Bottom < Top when nothing is there
    // Through the document; false (and the refusal shown) when a text was refused.
    bool WriteDocumentCells(const std::vector<CellText>& cells);
    void InsertRowAtCurrent();
    void DeleteCurrentRow();
    void EditorCreated(QLineEdit* editor);
    // What a user does to begin editing the current cell (F2, Enter, typing `typed`):
    // the in-place editor, or the long cell's window.
    bool StartUserEdit(const QString& typed = {});
    void EditLongCell(const QModelIndex& index, const QString& typed);
    // Whether text may be pasted or dropped into the long cell of data column `dataCol`;
    // a refusal is said as the grid says it.
    bool MayInsertText(int dataCol, const QString& text);
};

} // namespace tw
