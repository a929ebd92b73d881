// Where language files are looked for: the user's data folder beside the program's.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "core/app/editorstate.h"
#include "core/app/languagefolders.h"
#include "support/temp_folder.h"

namespace tw {
namespace {

// Sets or unsets an environment variable for one scope.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, std::optional<std::string> value) : Name(name) {
        if (const char* old = std::getenv(name))
            Previous = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (Previous)
            ::setenv(Name, Previous->c_str(), 1);
        else
            ::unsetenv(Name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* Name;
    std::optional<std::string> Previous;
};

struct FolderCase {
    std::optional<std::string> DataHome;
    std::optional<std::string> Home;
    std::string Expected;
};

class UserLanguageFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(UserLanguageFolderTest, FollowsTheXdgRule) {
    const FolderCase& c = GetParam();
    ScopedVariable dataHome("XDG_DATA_HOME", c.DataHome);
    ScopedVariable home("HOME", c.Home);
    EXPECT_EQ(DefaultUserLanguageFolder(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, UserLanguageFolderTest,
    ::testing::Values(FolderCase{"/data", "/home/m", "/data/tabwright/"},
                      FolderCase{"/data/", "/home/m", "/data/tabwright/"},
                      FolderCase{std::nullopt, "/home/m", "/home/m/.local/share/tabwright/"},
                      FolderCase{"", "/home/m", "/home/m/.local/share/tabwright/"},
                      FolderCase{"relative", "/home/m", "/home/m/.local/share/tabwright/"},
                      FolderCase{std::nullopt, std::nullopt, ""},
                      FolderCase{std::nullopt, "relative", ""}));

TEST(LanguageFolders, TheUsersFileWinsAndNamesAreListedOnce) {
    TempFolder folder;
    EditorState state;
    state.ExeFolder = folder.Path() + "program/";
    state.UserLanguageFolder = folder.Path() + "user/";
    folder.Write("program/english.lng", "e");
    folder.Write("program/deutsch.lng", "d");
    folder.Write("program/readme.txt", "r");
    folder.Write("user/deutsch.lng", "mine");
    folder.Write("user/Extra.LNG", "x");
    folder.Write("user/sub/inner.lng", "no");

    EXPECT_EQ(LanguageFilePath(state, "deutsch.lng"), state.UserLanguageFolder + "deutsch.lng");
    EXPECT_EQ(LanguageFilePath(state, "english.lng"), state.ExeFolder + "english.lng");
    // A name found nowhere is the program folder's, so messages name the usual place.
    EXPECT_EQ(LanguageFilePath(state, "gone.lng"), state.ExeFolder + "gone.lng");
    EXPECT_EQ(LanguageFileNames(state.ExeFolder, state.UserLanguageFolder),
              (std::vector<std::string>{"Extra.LNG", "deutsch.lng", "english.lng"}));
    // Without a user folder only the program's files count.
    state.UserLanguageFolder.clear();
    EXPECT_EQ(LanguageFilePath(state, "deutsch.lng"), state.ExeFolder + "deutsch.lng");
    EXPECT_EQ(LanguageFileNames(state.ExeFolder, ""),
              (std::vector<std::string>{"deutsch.lng", "english.lng"}));
}

} // namespace
} // namespace tw
