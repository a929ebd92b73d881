#include "core/document/descriptions.h"

#include <sys/stat.h>
#include <unordered_map>
#include <vector>

#include "core/app/text.h"
#include "core/document/linereader.h"
#include "core/document/progressstep.h"

namespace tw {

std::optional<DescriptionLine> ParseDescriptionLine(std::string_view line) {
    if (line.empty() || line[0] != '{')
        return std::nullopt;
    DescriptionLine parsed;
    int depth = 0;
    for (size_t i = 1; i < line.size(); ++i) {
        char ch = line[i];
        if (ch == '{') {
            ++depth;
        } else if (ch != '}') {
            if (depth == 0)
                parsed.Key.push_back(ch);
            else if (depth == 1)
                parsed.Text.push_back(ch);
        }
    }
    return parsed;
}

namespace {
bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
} // namespace

std::string DescriptionFilePath(const std::string& realFolder, const std::string& exeFolder) {
    // The protos folder is ".../data/rules/"; the game keeps its messages in
    // ".../data/mes/".
    std::string parent;
    if (!realFolder.empty())
        parent = FolderPart(std::string_view(realFolder).substr(0, realFolder.size() - 1));
    std::string besideParent = parent + "mes/description.mes";
    if (IsFile(besideParent))
        return besideParent;
    std::string inProgramFolder = exeFolder + "description.mes";
    if (IsFile(inProgramFolder))
        return inProgramFolder;
    return {};
}

void LoadDescriptions(EditorState& state, const std::string& path, Feedback& feedback) {
    if (SortsAtOrBelowBlank(path))
        return;
    try {
        feedback.EndCellEdit();
        feedback.SetStatus(state.Text(120));
        feedback.Refresh();
        std::string bytes;
        bool failedToOpen = false;
        std::string error;
        if (!ReadFileBytes(path, bytes, failedToOpen, error))
            return;
        std::string_view content = FileContent(bytes);
        const int lineCount = static_cast<int>(CountLines(content));
        feedback.SetProgressMax(lineCount);

        // Rows by the text of their description-number column, so each line finds its
        // rows at once instead of comparing against every row.
        TTextGrid& grid = state.SG1();
        // The keys are copies: writing column 2 may move the row's bytes.
        std::unordered_map<std::string, std::vector<int>> rowsByKey;
        for (int r = 1; r < grid.RowCount(); ++r) {
            std::string_view key = grid.Cell(DescriptionKeyColumn, r);
            if (!key.empty())
                rowsByKey[std::string(key)].push_back(r);
        }

        ProgressThrottle progress(feedback, lineCount);
        LineReader reader(content);
        for (int number = 1; !reader.AtEnd(); ++number) {
            progress.Advance(number);
            auto parsed = ParseDescriptionLine(reader.Next());
            if (!parsed || !IsInteger(parsed->Key))
                continue;
            auto found = rowsByKey.find(parsed->Key);
            if (found == rowsByKey.end())
                continue;
            for (int r : found->second)
                grid.SetCell(DescriptionTextColumn, r, parsed->Text);
        }
        feedback.SetStatus(state.Text(121));
        feedback.SetProgress(0);
    } catch (const std::exception&) {
        // The descriptions are a convenience; the table itself is loaded.
    }
}

} // namespace tw
