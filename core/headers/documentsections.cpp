#include "core/headers/documentsections.h"

#include <string_view>
#include <unordered_map>

#include "core/app/languagefolders.h"
#include "core/app/text.h"
#include "core/headers/headersets.h"

namespace tw {

namespace {

bool BeginsSection(const std::string& line) {
    return !line.empty() && line[0] == '[';
}

// The bar runs on from section to section: the set lookups advance it from wherever the
// variable lists left it.
struct Progress {
    Feedback& Shown;
    int Position = 0;
    void Set(int position) {
        Position = position;
        Shown.SetProgress(position);
    }
    void Advance() { Set(Position + 1); }
};

// The language file held in memory once; every section search scans these lines instead
// of reading the file again.
class SectionReader {
  public:
    explicit SectionReader(std::vector<std::string> lines) : Lines(std::move(lines)) {
        // Per-set headers are looked up once for every set; the first line that matches,
        // ignoring case, is the one a scan from the top would stop at.
        for (size_t i = 0; i < Lines.size(); ++i)
            if (BeginsSection(Lines[i]))
                FirstBracketLine.emplace(LowerAZ(Lines[i]), i);
    }

    // Index of the first line equal to `header` (case included), or npos.
    size_t FindExact(const std::string& header) const {
        for (size_t i = 0; i < Lines.size(); ++i)
            if (Lines[i] == header)
                return i;
        return npos;
    }
    size_t FindIgnoringCase(const std::string& header) const {
        auto it = FirstBracketLine.find(LowerAZ(header));
        return it == FirstBracketLine.end() ? npos : it->second;
    }

    // Calls `visit` for every line after `header` up to the end of the file or the next
    // non-empty line that begins with "[" (that line is visited too, as the loop reads
    // it before it can tell; callers skip it).
    template <typename Visit> void VisitSection(size_t header, Visit visit) const {
        for (size_t i = header + 1; i < Lines.size(); ++i) {
            visit(Lines[i]);
            if (BeginsSection(Lines[i]))
                break;
        }
    }

    // The line after `header`, or the empty text at the end of the file.
    std::string LineAfter(size_t header) const {
        return header + 1 < Lines.size() ? Lines[header + 1] : std::string();
    }

    static constexpr size_t npos = static_cast<size_t>(-1);

  private:
    std::vector<std::string> Lines;
    std::unordered_map<std::string, size_t> FirstBracketLine;
};

void ReadHeaderNames(EditorState& state, Feedback& feedback, Progress& progress,
                     const SectionReader& reader, const std::string& name) {
    size_t header = reader.FindExact("[" + name + "]");
    if (header == SectionReader::npos)
        return;
    feedback.EndCellEdit();
    feedback.SetStatus(state.Text(110));
    TTextGrid& grid = state.SG1();
    feedback.SetProgressMax(grid.ColCount() - 1);
    progress.Set(0);
    reader.VisitSection(header, [&](const std::string& line) {
        progress.Advance();
        if (line.size() < 3)
            return;
        auto column = ConvertInteger(std::string_view(line).substr(0, 3));
        if (!column)
            return;
        std::string caption = line.substr(3);
        if (state.ShowColNumbers)
            caption = IntToText(*column) + "/" + caption;
        grid.SetCell(*column, 0, caption);
    });
}

void ReadVariableLists(EditorState& state, Feedback& feedback, Progress& progress,
                       const SectionReader& reader, const std::string& name) {
    size_t header = reader.FindExact("[" + name + "combovar]");
    if (header == SectionReader::npos)
        return;
    feedback.EndCellEdit();
    feedback.SetStatus(state.Text(112));
    feedback.SetProgressMax(100);
    progress.Set(0);
    reader.VisitSection(header, [&](const std::string& line) {
        progress.Advance();
        if (line.empty() || BeginsSection(line))
            return;
        state.VariableListNames.push_back(line.substr(0, line.find(':')));
        state.VariableLists.resize(state.VariableListNames.size());
        state.VariableLists.back() = line;
    });
}

void ReadHeaderSets(EditorState& state, Progress& progress, const SectionReader& reader,
                    const std::string& name) {
    size_t header = reader.FindExact("[" + name + "combobox]");
    if (header == SectionReader::npos)
        return;
    reader.VisitSection(header, [&](const std::string& line) {
        if (!line.empty() && !BeginsSection(line))
            state.HeaderSetNames.push_back(line);
    });
    state.HeaderSetCount = static_cast<int>(state.HeaderSetNames.size());
    state.HeaderSetColumns.resize(state.HeaderSetNames.size());
    state.HeaderSetTypes.resize(state.HeaderSetNames.size());
    for (size_t i = 1; i < state.HeaderSetNames.size(); ++i) {
        progress.Advance();
        size_t setHeader = reader.FindIgnoringCase("[" + name + state.HeaderSetNames[i] + "]");
        if (setHeader != SectionReader::npos)
            state.HeaderSetColumns[i] = reader.LineAfter(setHeader);
    }
    for (size_t i = 1; i < state.HeaderSetTypes.size(); ++i)
        state.HeaderSetTypes[i] = i <= ObjectTypeNames.size() ? ObjectTypeNames[i - 1] : "";
}

} // namespace

void LoadDocumentSections(EditorState& state, Feedback& feedback) {
    feedback.SetBusy(true);
    try {
        state.HeaderSetNames.assign(1, state.Text(46));
        state.VariableListNames.assign(1, state.Text(47));
        state.HeaderSetCount = 0;
        state.HeaderSetColumns.assign(1, std::string());
        state.HeaderSetTypes.assign(1, std::string());
        state.VariableLists.assign(1, std::string());

        state.ErrorContext = state.Text(108) + " (" + state.LanguageFile + ")";
        std::string bytes;
        std::string error;
        if (!ReadWholeFile(LanguageFilePath(state, state.LanguageFile), bytes, error)) {
            feedback.ShowMessage(state.Text(105) + " " + state.ErrorContext);
        } else {
            state.ErrorContext = state.Text(109);
            SectionReader reader(SplitTextLines(bytes));
            bytes.clear();
            const std::string& name = state.DocumentFileName;
            Progress progress{feedback};
            ReadHeaderNames(state, feedback, progress, reader, name);
            feedback.SetStatus(state.Text(111));
            progress.Set(0);
            ReadVariableLists(state, feedback, progress, reader, name);
            ReadHeaderSets(state, progress, reader, name);
            feedback.SetStatus(state.Text(113));
            progress.Set(0);
        }
    } catch (const std::exception&) {
        feedback.ShowMessage(state.Text(105) + " " + state.ErrorContext);
    }
    state.HeaderSetIndex = 0;
    state.VariableListIndex = 0;
    feedback.SetBusy(false);
}

} // namespace tw
