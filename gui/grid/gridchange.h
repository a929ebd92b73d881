#pragma once
// Core commands change the main grid underneath its view. A GridChange around such a
// command gives the view one model change for the whole command, however many rows or
// columns it moves, and ends it on every way out.

#include "gui/grid/gridview.h"

namespace tw {

class GridChange {
  public:
    explicit GridChange(GridView* view) : View(view) { View->BeginGridChange(); }
    ~GridChange() { End(); }
    GridChange(const GridChange&) = delete;
    GridChange& operator=(const GridChange&) = delete;
    // Ends the change early (before a message box lets the view paint again).
    void End() {
        if (View)
            View->EndGridChange();
        View = nullptr;
    }

  private:
    GridView* View;
};

} // namespace tw
