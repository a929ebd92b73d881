#pragma once
// Texts of the features added beyond the fixed line layout of a language file. They live
// in the section headed "[/program texts]" (no document file name can contain "/"), one
// "name=text" line each. A language file without the section, or without a name, shows
// the built-in English wording, so files made for the fixed layout keep working.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

inline constexpr const char* ProgramTextsHeader = "[/program texts]";

struct BuiltInText {
    const char* Name;
    const char* English;
};

// Every added text the program shows, with its English wording.
const std::vector<BuiltInText>& BuiltInProgramTexts();
// The English wording of `name`; the empty text for a name the program does not know.
const std::string& BuiltInProgramText(std::string_view name);

// The section's lines of one language file.
class ProgramTexts {
  public:
    // Reads the "[/program texts]" section from the file's lines (the section ends at the
    // next line that begins with "["); later lines of the same name win.
    void SetFromLines(const std::vector<std::string>& lines);
    // The file's text of `name`, else the built-in English.
    const std::string& Text(std::string_view name) const;
    bool Has(std::string_view name) const;

  private:
    std::unordered_map<std::string, std::string> Texts;
};

// Replaces each "%1", "%2", ... in `pattern` by the argument of that number.
std::string FormatText(std::string_view pattern, const std::vector<std::string>& arguments);

} // namespace tw
