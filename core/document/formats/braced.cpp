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

} // namespace tw
