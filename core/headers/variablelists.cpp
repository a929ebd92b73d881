#include "core/headers/variablelists.h"

namespace tw {

std::string VariableListFooterLine(const EditorState& state) {
    return state.Text(55) + " \x0B " + state.Text(56);
}

std::vector<std::string> VariableListDisplayLines(const EditorState& state, int item) {
    std::vector<std::string> lines;
    const std::string* text = nullptr;
    if (item >= 0 && static_cast<size_t>(item) < state.VariableLists.size())
        text = &state.VariableLists[static_cast<size_t>(item)];
    if (text && !text->empty()) {
        std::string line;
        for (size_t i = 0; i < text->size(); ++i) {
            char c = (*text)[i];
            if (c == '\t' || c == '\x0B') {
                lines.push_back(std::move(line));
                line.clear();
            } else if (c == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n') {
                lines.push_back(std::move(line));
                line.clear();
                ++i;
            } else {
                line += c;
            }
        }
        lines.push_back(std::move(line));
        lines.emplace_back(" ");
        lines.emplace_back(" ");
    }
    lines.push_back(VariableListFooterLine(state));
    return lines;
}

} // namespace tw
