#pragma once

#include "bench/registry.h"

namespace tw::bench {

// Loads the generated protos.tab through the main window's load path and measures it
// until the grid is painted. Needs a QApplication.
void RunMainWindowLoad(Report& report);

// One cell of 5,000,000 bytes in a small table: its load, a click on it, editing it, and
// scrolling past it, each in the main window. Needs a QApplication.
void RunHugeCell(Report& report);

} // namespace tw::bench
