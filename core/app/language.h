#pragma once
// The language table: one entry per line of the active language file, never fewer than
// 161, so that every text lookup is safe whatever the file holds.

#include <string>
#include <string_view>
#include <vector>

#include "core/app/programtexts.h"

namespace tw {

inline constexpr const char* DefaultLanguageFile = "english.lng";
inline constexpr int MinimumLanguageEntries = 161;

class LanguageTable {
  public:
    LanguageTable();
    // Text N is line N + 1 of the file; past the end it is empty.
    const std::string& Text(int index) const;
    int Count() const { return static_cast<int>(Entries.size()); }
    const std::vector<std::string>& Lines() const { return Entries; }
    // A text of an added feature by name (see programtexts.h).
    const std::string& Added(std::string_view name) const { return AddedTexts.Text(name); }
    const ProgramTexts& AddedSection() const { return AddedTexts; }

    // Reads the file line by line (LF or CR LF). On failure the table is unchanged and
    // `error` says why.
    bool Load(const std::string& path, std::string& error);
    // Builds the table from file bytes, with the padding rule.
    void SetFromBytes(const std::string& bytes);

  private:
    std::vector<std::string> Entries;
    ProgramTexts AddedTexts;
};

// Splits file bytes into lines ending at LF or CR LF; the last line needs no line break,
// and a file ending in a line break has no further empty line. An empty input is one
// empty line.
std::vector<std::string> SplitTextLines(const std::string& bytes);

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

} // namespace tw
