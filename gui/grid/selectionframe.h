#pragma once
// The range the user selected with the mouse or Shift and the arrow keys, drawn over the
// cells as a light tint inside a frame. The grid's own selection highlight stays off (the
// cell backgrounds belong to the colour handler), yet Ctrl+C copies that range: the user
// must see it. The tint is translucent, so marked rows and columns and the cell being
// edited keep their colours underneath.

#include <QRect>

class QPainter;
class QTableView;

namespace tw {

// The selected range of `view` in its viewport's coordinates; empty while no more than
// one cell is selected (the current cell shows itself).
QRect SelectionFrameRect(const QTableView& view);

// Paints the tint and the frame of SelectionFrameRect into the view's viewport.
void PaintSelectionFrame(const QTableView& view, QPainter& painter);

} // namespace tw
