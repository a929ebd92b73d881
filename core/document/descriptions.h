#pragma once
// Fills column 2 of protos.tab in the main grid from the game's description file: a line
// {1234}{A sword} gives "A sword" to every row whose column 23 holds "1234".

#include <optional>
#include <string>
#include <string_view>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw {

inline constexpr int DescriptionKeyColumn = 23;
inline constexpr int DescriptionTextColumn = 2;

struct DescriptionLine {
    std::string Key;
    std::string Text;
};

// The key and text of one line; nothing for a line that is empty or does not begin with
// "{". Braces only ever deepen the nesting: characters at depth 0 form the key, at depth 1
// the text, deeper ones are dropped. The key is not checked for being a number here.
std::optional<DescriptionLine> ParseDescriptionLine(std::string_view line);

// Where the loader looks for the description file of a protos.tab in `realFolder` (ends
// in "/"): "mes/description.mes" beside the folder's parent, else "description.mes" in
// the program's folder. Empty when neither exists.
std::string DescriptionFilePath(const std::string& realFolder, const std::string& exeFolder);

// Reads the file into column 2 of SG1; any failure silently ends the work. Later lines
// win over earlier ones with the same key.
void LoadDescriptions(EditorState& state, const std::string& path, Feedback& feedback);

} // namespace tw
