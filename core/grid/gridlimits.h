#pragma once
// What one grid can hold. Rows and columns are counted in int, and a row keeps its
// cells in one buffer addressed by 32-bit offsets; a file past these limits is refused
// as a whole rather than cut.

#include <climits>
#include <cstddef>

namespace tw {

// Lines of a file: one row each, beside the header row and the spare last row.
inline constexpr size_t MaxGridLines = INT_MAX - 2;
// Bytes of one line: within the row buffer's offsets, and few enough that its cells can
// be counted in int.
inline constexpr size_t MaxLineBytes = INT_MAX - 1;

} // namespace tw
