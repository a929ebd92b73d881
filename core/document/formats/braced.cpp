#include "core/document/formats/braced.h"

namespace tw {

void AppendBracedKey(std::string& out, std::string_view key) {
    if (key.empty())
        return;
    if (key.front() == '{' || key.front() == '/') {
        out.append(key);
        return;
    }
    out.push_back('{');
    out.append(key);
    out.push_back('}');
}

void SplitBracedFields(std::string_view line, LineCells& out) {
    out.Clear();
    if (line.empty())
        return;
    std::string& bytes = out.Bytes();
    for (char ch : line) {
        if (ch == '}')
            out.EndCell();
        else if (ch != '{')
            bytes.push_back(ch);
    }
    out.EndCell();
    out.Seal();
}

void JoinKeyThenCells(std::string& out, std::span<const std::string_view> cells) {
    if (cells.empty())
        return;
    AppendBracedKey(out, cells[0]);
    for (size_t c = 1; c < cells.size(); ++c)
        out.append(cells[c]);
}

std::optional<CellRefusal> RefusedBrace(std::string_view text) {
    for (char c : text)
        if (c == '{' || c == '}')
            return CellRefusal{c, "rulebrace"};
    return std::nullopt;
}

} // namespace tw
