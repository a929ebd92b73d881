#pragma once
// The main grid's view: a QTableView over a model adapter that presents the display
// space of a TTextGrid. Row 0 of the grid is the horizontal header; fixed columns are a
// frozen overlay sharing the model. The grid's events reach TForm1 as signals.

#include <QColor>
#include <QFont>
#include <QTableView>
#include <functional>

#include "core/grid/textgrid.h"

namespace tw {

class GridModel;

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    void SetGrid(TTextGrid* grid);
    TTextGrid* Grid() const { return TextGrid; }

    // Core operations change the grid underneath the view; wrap them so the view sees
    // one model change per command.
    void BeginGridChange();
    void EndGridChange();
    // Repaints every cell (colours or texts changed in place).
    void RefreshCells();

    // The in-place editor: ends storing its text into the current cell; begins on the
    // current cell.
    void EndCellEdit();
    void BeginCellEdit();
    bool EditorActive() const;
    // Makes (display row, display column) current and scrolls it into view.
    void SetCurrentCell(int row, int col);

    void SetAutoSelectAll(bool on);
    bool AutoSelectAll() const { return SelectAllOnEdit; }
    void SetAllowInsertDeleteRows(bool on);
    void SetFontPointSize(int points); // grid, fixed and active-cell fonts
    void SetTextColor(const QColor& color);
    void SetFixedTextColor(const QColor& color);

    // Background of a cell: display row, data column. Empty means the grid's own colour.
    std::function<QColor(int row, int dataCol)> CellColor;
    // Measures text in the fonts the grid draws with.
    TextMeasure Measure() const;

signals:
    void ClickCell(int row, int col);
    void RightClickCell(int row, int col, QPoint globalPosition);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void CellChanging(int oldRow, int oldCol, int newRow, int newCol);
    void GridExit();

private:
    TTextGrid* TextGrid = nullptr;
    GridModel* Model = nullptr;
    bool SelectAllOnEdit = true;
    bool AllowRowKeys = false;
    QFont GridFont;
    QColor TextColor = Qt::black;
    QColor FixedTextColor = Qt::black;
};

} // namespace tw
