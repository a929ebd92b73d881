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
        {"rulebrace", "braces mark the fields of this file"},
        {"ruleclosing", "a closing brace ends the text, so it may only stand last"},
        {"refusedtext", "The cell keeps its text: this file cannot store it there (%1)."},
        {"rulemoves", "text would move into another cell when the file is loaded again"},
        {"bytecode", "byte %1"},
        {"toomanylines", "the file has %1 lines; a table holds at most %2"},
        {"linetoolong", "a line of the file is longer than a table row can hold (%1 bytes)"},
        {"longcellcaption", "Long Cell"},
        {"longcellhint",
         "This cell holds %1 characters, too many for the grid's own editor. The line ends "
         "shown here are not part of the text. Enter or OK stores the text, Escape leaves "
         "the cell as it was."},

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

        // Reports of compare and combine
        {"nextdifference", "Next &Difference"},
        {"previousdifference", "Pre&vious Difference"},
        {"duplicatekey",
         "%1: the key %2 is on %3 rows; report lines about it pair those rows by position "
         "and may mislead"},
        {"duplicatekeys", "Keys on more than one row of a file: %1 (%2). Report lines about "
                          "them may mislead; Next Difference (F8) walks them."},
        {"reportposition", "Difference %1 of %2: %3"},
        {"reportonlyelsewhere", "The key %1 is only in %2: SG1 has no row with it."},
        {"reportnorow", "SG1 has no row with the key %1."},
        {"reporthiddenrow", "The row with the key %1 is hidden."},
        {"reporthiddencolumn", "The column %1 is hidden."},
        {"reportend", "No further difference in the last report."},
        {"reportstart", "No earlier difference in the last report."},
        {"reportnone", "The last compare or combine left nothing to walk."},

        // File chooser, find and replace, layout
        {"findnomore", "No further cell contains \"%1\"."},
        {"chooserpathhint", "Folder or file path (Ctrl+L)"},
        {"saveascaption", "Save The File As"},
        {"comparecaption", "Select The Files To Compare"},
        {"combinecaption", "Select The Files To Combine"},
        {"nosuchpath", "There is no file or folder \"%1\"."},
        {"saveasnoname", "Type a name for the file to save as."},
        {"saveasbadname",
         "\"%1\" cannot be a file name: a name may not contain \"/\" nor be \".\" or \"..\"."},
        {"saveasfolder", "\"%1\" is a folder: type the name of a file to save as."},
        {"recentfiles", "Recent &Files"},
        {"recentnone", "(none yet)"},
        {"findreplace", "Find and &Replace..."},
        {"replacecaption", "Find and Replace"},
        {"replacefindwhat", "&Find what:"},
        {"replacewith", "Replace &with:"},
        {"replacematchcase", "Match &case"},
        {"replacewholecell", "Whole c&ell only"},
        {"replacecurrentcolumn", "Current c&olumn"},
        {"replacewholetable", "Whole &table"},
        {"replacefindnext", "Find &Next"},
        {"replaceone", "&Replace"},
        {"replaceall", "Replace &All"},
        {"replaceclose", "Close"},
        {"replaceoutsidecodepage",
         "The search or replacement text has a character the files cannot hold."},
        {"replacedcount", "%1 cells replaced."},
        {"replacedrefused",
         "%1 cells replaced; %2 kept their text because the file could not hold the new one."},

        // Help and installation

        // Long work
        {"workstopped", "Stopped: the document is as it was before."},
        {"workprogress", "%p% - Esc stops"},
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
