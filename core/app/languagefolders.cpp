#include "core/app/languagefolders.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/app/editorstate.h"
#include "core/app/text.h"

namespace tw {

namespace {

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool HasLanguageExtension(const std::string& name) {
    return name.size() > 4 &&
           EqualsIgnoringCaseAZ(std::string_view(name).substr(name.size() - 4), ".lng");
}

void AddLanguageFiles(const std::string& folder, std::vector<std::string>& names) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder.empty() ? std::string(".") : folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        std::string name = it->path().filename().string();
        if (HasLanguageExtension(name))
            names.push_back(std::move(name));
    }
}

} // namespace

std::string DefaultUserLanguageFolder() {
    // The XDG rule: a relative XDG_DATA_HOME is invalid and ignored.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome && dataHome[0] == '/') {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/')
            return {};
        base = std::string(home) + "/.local/share";
    }
    if (base.back() != '/')
        base += '/';
    return base + "tabwright/";
}

std::string LanguageFilePath(const EditorState& state, const std::string& fileName) {
    // A name with a folder in it is not looked up anywhere else.
    if (!state.UserLanguageFolder.empty() && fileName.find('/') == std::string::npos &&
        IsRegularFile(state.UserLanguageFolder + fileName))
        return state.UserLanguageFolder + fileName;
    return state.ExeFolder + fileName;
}

std::vector<std::string> LanguageFileNames(const std::string& programFolder,
                                           const std::string& userFolder) {
    std::vector<std::string> names;
    AddLanguageFiles(programFolder, names);
    if (!userFolder.empty())
        AddLanguageFiles(userFolder, names);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace tw
