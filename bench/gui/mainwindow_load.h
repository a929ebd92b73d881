#pragma once

#include "bench/registry.h"

namespace tw::bench {

// Loads the generated protos.tab through the main window's load path and measures it
// until the grid is painted. Needs a QApplication.
void RunMainWindowLoad(Report& report);

} // namespace tw::bench
