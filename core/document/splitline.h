#pragma once
// Splits one line of a data file into the cells of one grid row by the rules of its kind.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/documentkind.h"

namespace tw {

// The cells of one line. The views point into the line itself when no byte had to be
// dropped (every tab line), else into the buffer held here; they stay valid until the
// next split with the same object and as long as the line does.
class LineCells {
public:
    const std::vector<std::string_view>& Cells() const { return Views; }
    int Count() const { return static_cast<int>(Views.size()); }

private:
    friend void SplitLine(std::string_view line, DocumentKind kind, LineCells& out);
    std::string Buffer;
    std::vector<size_t> Ends;
    std::vector<std::string_view> Views;
};

// An empty line gives no cells. Otherwise every separator ends a cell; for mes the cells
// after the first keep their braces and an empty remainder after the last separator makes
// no further cell, for the other kinds the remainder is always a last cell.
void SplitLine(std::string_view line, DocumentKind kind, LineCells& out);

} // namespace tw
