#pragma once

class QWidget;

namespace tw {

// The program's secondary windows open in the middle of the desktop, not over the
// main window's corner.
void CentreOnScreen(QWidget& window);

} // namespace tw
