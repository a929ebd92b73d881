#pragma once
// Shared by the header-set, document-section and reference-panel tests: a language file
// in a temporary folder whose text N reads "T<N>", and grids filled from rows.

#include <string>
#include <vector>

#include "core/app/editorstate.h"
#include "support/recording_feedback.h"
#include "support/temp_folder.h"

namespace tw::testing {

// 161 fixed lines ("T0" to "T160"), then `sections` as they stand.
inline std::string LanguageBytes(const std::string& sections, const std::string& eol = "\r\n") {
    std::string bytes;
    for (int i = 0; i <= 160; ++i)
        bytes += "T" + std::to_string(i) + eol;
    return bytes + sections;
}

// An editor state with the language file written into `folder` and loaded, and SG1
// holding `rows` (row 0 the header row) plus the spare last row.
inline void PrepareState(EditorState& state, const TempFolder& folder,
                         const std::string& documentName, const std::string& languageBytes) {
    folder.Write("test.lng", languageBytes);
    state.ExeFolder = folder.Path();
    state.LanguageFile = "test.lng";
    state.Language.SetFromBytes(languageBytes);
    state.DocumentFileName = documentName;
}

inline void FillGrid(TTextGrid& grid, const std::vector<std::vector<std::string>>& rows,
                     int columns) {
    grid.SetColCount(columns);
    grid.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
}

// Splits a built-in list on CR LF.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 2;
    }
}

} // namespace tw::testing
