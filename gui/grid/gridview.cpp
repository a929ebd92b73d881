#include "gui/grid/gridview.h"

#include <QFontMetrics>

namespace tw {

class GridModel {};

GridView::GridView(QWidget* parent) : QTableView(parent) {}
GridView::~GridView() = default;

void GridView::SetGrid(TTextGrid* grid) { TextGrid = grid; }
void GridView::BeginGridChange() {}
void GridView::EndGridChange() {}
void GridView::RefreshCells() { viewport()->update(); }
void GridView::EndCellEdit() {}
void GridView::BeginCellEdit() {}
bool GridView::EditorActive() const { return false; }
void GridView::SetCurrentCell(int /*row*/, int /*col*/) {}
void GridView::SetAutoSelectAll(bool on) { SelectAllOnEdit = on; }
void GridView::SetAllowInsertDeleteRows(bool on) { AllowRowKeys = on; }
void GridView::SetFontPointSize(int points) {
    if (points > 0) GridFont.setPointSize(points);
}
void GridView::SetTextColor(const QColor& color) { TextColor = color; }
void GridView::SetFixedTextColor(const QColor& color) { FixedTextColor = color; }

TextMeasure GridView::Measure() const {
    TextMeasure m;
    QFont normal = GridFont;
    QFont bold = GridFont;
    bold.setBold(true);
    m.Width = [normal, bold](std::string_view text, bool fixedFont) {
        QFontMetrics metrics(fixedFont ? bold : normal);
        return metrics.horizontalAdvance(QString::fromLatin1(text.data(), static_cast<int>(text.size())));
    };
    m.LineHeight = [normal, bold](bool fixedFont) {
        return QFontMetrics(fixedFont ? bold : normal).height();
    };
    return m;
}

} // namespace tw
