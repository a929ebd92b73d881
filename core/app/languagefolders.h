#pragma once
// Where language files come from: the program's folder (ExeFolder) and the user's own
// data folder. A modder adds or edits a language without root rights by putting a file
// in the user's folder; a file there wins over the installed one of the same name.

#include <string>
#include <vector>

namespace tw {

struct EditorState;

// $XDG_DATA_HOME/tabwright/ or, when that is unset or not absolute, ~/.local/share/tabwright/
// (ends in "/"); empty when neither variable names a folder.
std::string DefaultUserLanguageFolder();

// The path a language file name is read from: the user's folder when it holds a file of
// that name, else the program's folder.
std::string LanguageFilePath(const EditorState& state, const std::string& fileName);

// The names of the *.lng files of both folders (extension compared without case), each
// once, sorted as bytes.
std::vector<std::string> LanguageFileNames(const std::string& programFolder,
                                           const std::string& userFolder);

} // namespace tw
