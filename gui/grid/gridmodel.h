#pragma once
// The model adapter between a TTextGrid and the grid view. Model rows are the grid's
// display rows from 1 on (row 0 is the horizontal header); model columns are display
// columns, read through DataColumnOf. Cells stay bytes in the grid; the model converts
// them to text only for the display and edit roles.

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <functional>
#include <string>

namespace tw {

class TTextGrid;

class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit GridModel(QObject* parent = nullptr);

    void SetGrid(TTextGrid* grid);
    TTextGrid* Grid() const { return TextGrid; }

    static int DisplayRowOf(int modelRow) { return modelRow + 1; }
    static int ModelRowOf(int displayRow) { return displayRow - 1; }

    // The view's colour handler: display row and data column in, an invalid colour for
    // the grid's own background.
    void SetCellColor(const std::function<QColor(int row, int dataCol)>* handler) {
        CellColor = handler;
    }
    void SetFonts(const QFont& gridFont, const QFont& fixedFont);
    void SetTextColors(const QColor& text, const QColor& fixedText);

    // One reset for any change a core operation makes underneath.
    void BeginGridReset() { beginResetModel(); }
    void EndGridReset() { endResetModel(); }
    // Row operations of the grid's own keys, as one insert or remove range.
    void InsertGridRows(int displayRow, int count);
    void DeleteGridRows(int displayRow, int count);
    // Tells the views that cells of these display rows and columns changed.
    void CellsChanged(int top, int left, int bottom, int right);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Where an edited cell's bytes go (data column, display row); false when the text was
    // refused. Unset, the model writes the grid itself.
    std::function<bool(int dataCol, int row, const std::string& bytes)> CellWriter;

    // Refuses (false, cell unchanged) a text with a character outside the code page.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  signals:
    void TextRefused();

  private:
    TTextGrid* TextGrid = nullptr;
    const std::function<QColor(int, int)>* CellColor = nullptr;
    QVariant FixedFontValue;
    QVariant TextColorValue;
    QVariant FixedTextColorValue;

    QVariant Background(int row, int dataCol) const;
};

} // namespace tw
