#include "core/app/programtexts.h"

#include <algorithm>

namespace tw {

const std::vector<BuiltInText>& BuiltInProgramTexts() {
    // Grouped by feature; each group keeps its own block so features can grow apart.
    static const std::vector<BuiltInText> texts = {
        // Safe editing
        {"refusedchar",
         "The cell keeps its text: %1 cannot be stored in a cell of this file (%2)."},
        {"rulebreak", "it would split the cell or the line when the file is loaded again"},

        // Undo, redo and the modified state
        {"undo", "&Undo"},
        {"redo", "&Redo"},
        {"askdiscard", "Ask Before Discarding Changes"},
        {"discardquestion", "%1 has changes that are not saved. Save them first?"},
        {"discardsave", "&Save"},
        {"discarddiscard", "&Discard"},
        {"discardcancel", "Cancel"},
        {"modified", "%1 (modified)"},
        {"untitled", "(no file)"},
        // How a refused character is named in the status text.
        {"chartab", "TAB"},
        {"charcr", "CR"},
        {"charlf", "LF"},
        {"charbyte", "byte %1"},
        {"charshown", "\"%1\""},

        // Reports of compare and combine

        // File chooser, find and replace, layout

        // Help and installation

        // Long work
    };
    return texts;
}

const std::string& BuiltInProgramText(std::string_view name) {
    static const std::unordered_map<std::string, std::string> byName = [] {
        std::unordered_map<std::string, std::string> map;
        for (const BuiltInText& text : BuiltInProgramTexts())
            map.emplace(text.Name, text.English);
        return map;
    }();
    static const std::string empty;
    auto it = byName.find(std::string(name));
    return it == byName.end() ? empty : it->second;
}

void ProgramTexts::SetFromLines(const std::vector<std::string>& lines) {
    Texts.clear();
    auto header = std::find(lines.begin(), lines.end(), ProgramTextsHeader);
    if (header == lines.end())
        return;
    for (auto line = header + 1; line != lines.end(); ++line) {
        if (!line->empty() && (*line)[0] == '[')
            break;
        size_t equals = line->find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        Texts[line->substr(0, equals)] = line->substr(equals + 1);
    }
}

const std::string& ProgramTexts::Text(std::string_view name) const {
    auto it = Texts.find(std::string(name));
    return it == Texts.end() ? BuiltInProgramText(name) : it->second;
}

bool ProgramTexts::Has(std::string_view name) const {
    return Texts.count(std::string(name)) != 0;
}

std::string FormatText(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            size_t index = static_cast<size_t>(pattern[i + 1] - '1');
            if (index < arguments.size()) {
                out += arguments[index];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

} // namespace tw
