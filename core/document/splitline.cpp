#include "core/document/splitline.h"

#include "core/document/fileformat.h"

namespace tw {

void SplitLine(std::string_view line, DocumentKind kind, LineCells& out) {
    FormatOfKind(kind).Split(line, out);
}

} // namespace tw
