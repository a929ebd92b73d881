#include "core/document/splitline.h"

namespace tw {

namespace {

void SplitTab(std::string_view line, std::vector<std::string_view>& views) {
    // Most cells of a large table are empty or a few bytes long: a plain scan beats a
    // library search call per cell.
    const char* data = line.data();
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (data[i] != '\t') continue;
        views.emplace_back(data + start, i - start);
        start = i + 1;
    }
    views.emplace_back(data + start, line.size() - start);
}

} // namespace

void SplitLine(std::string_view line, DocumentKind kind, LineCells& out) {
    out.Views.clear();
    if (line.empty()) return;
    if (kind == DocumentKind::Tab) {
        SplitTab(line, out.Views);
        return;
    }

    // Brace kinds drop opening braces (all of them, or those of the first mes field), so
    // the cells are built in a buffer of their own.
    const bool mes = kind == DocumentKind::Mes;
    std::string& buffer = out.Buffer;
    buffer.clear();
    out.Ends.clear();
    size_t cellStart = 0;
    bool firstField = true; // no separator seen yet: still in the key
    for (char ch : line) {
        if (ch == '}') {
            if (mes && !firstField) buffer.push_back(ch);
            out.Ends.push_back(buffer.size());
            cellStart = buffer.size();
            firstField = false;
        } else if (ch == '{' && (!mes || firstField)) {
            // dropped
        } else {
            buffer.push_back(ch);
        }
    }
    if (!mes || buffer.size() > cellStart) out.Ends.push_back(buffer.size());

    size_t start = 0;
    for (size_t end : out.Ends) {
        out.Views.emplace_back(buffer.data() + start, end - start);
        start = end;
    }
}

} // namespace tw
