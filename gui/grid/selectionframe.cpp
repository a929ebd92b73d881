#include "gui/grid/selectionframe.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QTableView>
#include <climits>

namespace tw {

QRect SelectionFrameRect(const QTableView& view) {
    const QItemSelectionModel* selection = view.selectionModel();
    if (!selection || !view.model())
        return {};
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange& range : selection->selection()) {
        top = std::min(top, range.top());
        left = std::min(left, range.left());
        bottom = std::max(bottom, range.bottom());
        right = std::max(right, range.right());
    }
    if (bottom < top || (bottom == top && right == left))
        return {};
    const QAbstractItemModel* model = view.model();
    // Corners may lie outside the viewport; their rectangles still say where.
    const QRect first = view.visualRect(model->index(top, left));
    const QRect last = view.visualRect(model->index(bottom, right));
    if (first.isNull() || last.isNull())
        return {};
    return first.united(last);
}

void PaintSelectionFrame(const QTableView& view, QPainter& painter) {
    const QRect frame = SelectionFrameRect(view);
    if (frame.isEmpty())
        return;
    // The highlight of the desktop, not the marks' colour: a mark and a selection must
    // stay apart, also where they overlap.
    QColor edge = view.palette().color(QPalette::Active, QPalette::Highlight);
    QColor tint = edge;
    tint.setAlpha(48);
    painter.save();
    painter.fillRect(frame, tint);
    QPen pen(edge, 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
    painter.restore();
}

} // namespace tw
