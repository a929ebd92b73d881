#include "core/app/language.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tw {

LanguageTable::LanguageTable() : Entries(MinimumLanguageEntries) {}

const std::string& LanguageTable::Text(int index) const {
    static const std::string empty;
    if (index < 0 || index >= Count())
        return empty;
    return Entries[static_cast<size_t>(index)];
}

std::vector<std::string> SplitTextLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        size_t end = lf == std::string::npos ? bytes.size() : lf;
        size_t cut = (end > start && bytes[end - 1] == '\r') ? end - 1 : end;
        lines.emplace_back(bytes, start, cut - start);
        if (lf == std::string::npos)
            break;
        start = lf + 1;
    }
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

void LanguageTable::SetFromBytes(const std::string& bytes) {
    Entries = SplitTextLines(bytes);
    AddedTexts.SetFromLines(Entries);
    if (Entries.size() < MinimumLanguageEntries - 1)
        Entries.resize(MinimumLanguageEntries - 1);
    Entries.emplace_back();
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        error = "read error";
        return false;
    }
    bytes = std::move(buffer).str();
    return true;
}

bool LanguageTable::Load(const std::string& path, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error))
        return false;
    SetFromBytes(bytes);
    return true;
}

} // namespace tw
