#pragma once
// The lines of an expected-result file of a case folder. Such files may be edited with
// either line end, so every CR is dropped; an empty file holds no line at all.

#include <string>
#include <vector>

namespace tw {

inline std::vector<std::string> ExpectedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace tw
