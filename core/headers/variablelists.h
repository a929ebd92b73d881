#pragma once
// What the reference panel's text area shows for an item of the variable-list list.

#include <string>
#include <vector>

#include "core/app/editorstate.h"

namespace tw {

// Language texts 55 and 56 around a vertical tab (code 11), which stays as it is.
std::string VariableListFooterLine(const EditorState& state);

// The lines of the text area for item `item`: the list with every TAB, code 11 and CR LF
// as a line break, two lines holding one blank each, then the footer line. An empty list
// (the prompt, or an item outside the lists) shows the footer line alone.
std::vector<std::string> VariableListDisplayLines(const EditorState& state, int item);

} // namespace tw
