#pragma once
// Generated game tables for the benchmarks: the same seed always gives the same bytes, so
// figures from different runs and machines compare. Files go to bench/out/ (not kept in
// the repository) and are reused when already there.

#include <cstdint>
#include <string>

#include "core/document/loader.h"
#include "core/grid/textgrid.h"

namespace tw::bench {

struct ProtosShape {
    int Rows = 20000;
    int Columns = 350;
    uint32_t Seed = 20240611;
};

// A protos.tab as the editor saves it (CR LF, every row as wide as the table, column 2
// empty, no single-blank cells), so that a load followed by a save gives it back.
// Column 0 the prototype number, column 1 "obj_t_" and one of the sixteen object types,
// column 23 the description number; the other cells mostly empty, else short numbers,
// names and flags.
std::string GenerateProtosTab(const ProtosShape& shape);

// A benchmark's load leaves out what is not the load: the one-time backup, writing the
// settings, reading the descriptions.
LoadOptions BenchLoadOptions();

// bench/out/, created when missing; ends in "/".
std::string OutputFolder();

// The generated file in bench/out/ (written when missing or different), its path.
std::string ProtosTabFile(const ProtosShape& shape);

// Puts the data rows of a loaded table (rows 1 to RowCount - 2) into a random order.
void ShuffleRows(TTextGrid& grid, uint32_t seed);

// A modder's copy: about 1% of cells changed, 1% of rows removed and 1% added with new
// keys, the rows shuffled.
void MakeModdedCopy(TTextGrid& grid, uint32_t seed);

} // namespace tw::bench
