#pragma once
// Shared by the header-set, document-section and reference-panel tests: a language file
// in a temporary folder whose text N reads "T<N>", and a feedback that records what the
// core showed.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw::testing {

class RecordingFeedback : public Feedback {
  public:
    std::vector<std::string> Statuses;
    std::vector<std::string> Messages;
    std::vector<int> ProgressPositions;
    std::vector<int> ProgressMaximums;
    int CellEditsEnded = 0;
    int BusyDepth = 0;

    void SetStatus(const std::string& text) override { Statuses.push_back(text); }
    void SetProgressMax(int maximum) override { ProgressMaximums.push_back(maximum); }
    void SetProgress(int position) override { ProgressPositions.push_back(position); }
    void SetBusy(bool busy) override { BusyDepth += busy ? 1 : -1; }
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void EndCellEdit() override { ++CellEditsEnded; }
};

// 161 fixed lines ("T0" to "T160"), then `sections` as they stand.
inline std::string LanguageBytes(const std::string& sections, const std::string& eol = "\r\n") {
    std::string bytes;
    for (int i = 0; i <= 160; ++i)
        bytes += "T" + std::to_string(i) + eol;
    return bytes + sections;
}

class TemporaryFolder {
  public:
    TemporaryFolder() {
        static std::mt19937_64 names{std::random_device{}()};
        Path = std::filesystem::temp_directory_path() /
               ("tabwright-headers-" + std::to_string(names()));
        std::filesystem::create_directories(Path);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string Folder() const { return Path.string() + "/"; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(Path / name, std::ios::binary);
        out << bytes;
    }

  private:
    std::filesystem::path Path;
};

// An editor state with the language file written into `folder` and loaded, and SG1
// holding `rows` (row 0 the header row) plus the spare last row.
inline void PrepareState(EditorState& state, const TemporaryFolder& folder,
                         const std::string& documentName, const std::string& languageBytes) {
    folder.Write("test.lng", languageBytes);
    state.ExeFolder = folder.Folder();
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
