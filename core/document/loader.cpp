#include "core/document/loader.h"

#include <algorithm>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/app/programtexts.h"
#include "core/app/text.h"
#include "core/document/backup.h"
#include "core/document/descriptions.h"
#include "core/document/fileformat.h"
#include "core/document/linereader.h"
#include "core/document/progressstep.h"
#include "core/grid/gridcommands.h"
#include "core/headers/dialoglists.h"
#include "core/headers/documentsections.h"

namespace tw {

namespace {

// A file that could not be opened or read; shown with the error context of the step.
struct FileFailure : std::runtime_error {
    explicit FileFailure(const std::string& reason) : std::runtime_error(reason) {}
};

// The file's lines, each already stored as the row it becomes, read before the open
// document is touched. Building the rows while the file is read holds no more than a piece
// of the file beside them, where reading it whole first would hold it twice over.
struct StagedFile {
    TTextGrid::RowBatch Rows{1}; // line k of the file is row k + 1
    size_t Lines = 0;
    size_t Longest = 0; // line breaks included
    int LastRow = 0;    // the last row that got a cell
    int Widest = 0;
    bool Complete = true; // false: reading stopped part-way
    std::string ReadError;
};

// Reads and splits every line; once the file is past what a grid holds its lines are only
// counted, for the message.
void ReadRows(int fd, const FileFormat& format, const LoadOptions& options, StagedFile& file) {
    StreamLineReader reader(fd);
    const bool tabFields = format.SplitsAtTabsOnly();
    LineCells cells;
    bool keep = true;
    std::string_view line;
    size_t lengthInFile = 0;
    // Once a few lines show how long a line is, room for the whole file's rows is taken at
    // once rather than by doubling (which copies the rows and touches new memory each time).
    constexpr size_t SampleLines = 64;
    size_t sampleBytes = 0;
    struct stat info {};
    const size_t fileBytes =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    while (reader.Next(line, lengthInFile)) {
        ++file.Lines;
        file.Longest = std::max(file.Longest, lengthInFile);
        if (file.Lines <= SampleLines) {
            sampleBytes += lengthInFile;
            if (file.Lines == SampleLines && keep) {
                const size_t expected = fileBytes / std::max<size_t>(sampleBytes / SampleLines, 1);
                file.Rows.Reserve(
                    std::min(expected + expected / 8 + SampleLines, options.MaxLines));
            }
        }
        if (keep && (file.Lines > options.MaxLines || file.Longest > options.MaxLineBytes)) {
            keep = false;
            file.Rows.Clear();
        }
        if (!keep)
            continue;
        GridRow& row = file.Rows.Add();
        int count = 0;
        if (tabFields) {
            // A line of TAB fields is stored as it stands: no cell-by-cell split.
            if (!line.empty())
                count = row.AssignTabLine(line);
        } else {
            format.Split(line, cells);
            count = cells.Count();
            if (count > 0)
                row.Assign(cells.Cells());
        }
        if (count == 0)
            continue;
        file.LastRow = static_cast<int>(file.Lines);
        file.Widest = std::max(file.Widest, count);
    }
    file.Complete = reader.Complete();
    file.ReadError = reader.SystemError();
}

// Line k of the content fills row k. Rows and columns end as the line-by-line growth would
// leave them: rows up to the last line that gave a cell, columns as wide as the widest line.
void FillGrid(TTextGrid& grid, StagedFile& file, Feedback& feedback) {
    const int rowsAtStart = grid.RowCount();
    grid.SetColCount(std::max(grid.ColCount(), file.Widest));
    const int lineCount = static_cast<int>(file.Rows.Size());
    // The rows are ready: the bar runs through them as they go into the grid.
    ProgressThrottle progress(feedback, lineCount);
    for (int k = 0; k < lineCount; ++k)
        progress.Advance(k);
    grid.TakeRows(file.Rows);
    grid.SetRowCount(std::max(rowsAtStart, file.LastRow + 1));
}

// Optional steps fail silently, one by one.
template <typename Step> void Guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

void ReadIntoGrid(EditorState& state, const std::string& path, int slot, Feedback& feedback,
                  const LoadOptions& options, LoadResult& result, StagedFile& file) {
    TTextGrid& grid = state.CurrentGrid();
    state.ErrorContext = state.Text(62) + " " + path;

    const FileFormat& format = FormatOfExtension(state.LoadExt);
    state.FieldSeparator = format.FieldSeparator();
    state.OpenMark = std::string(format.OpenMark());

    state.ErrorContext = state.Text(63) + " " + path;
    const int lineCount = static_cast<int>(file.Lines);
    feedback.SetProgressMax(lineCount);
    FillGrid(grid, file, feedback);
    if (!file.Complete) {
        // What was read before the failure stays in the grid.
        result.SystemError = file.ReadError;
        throw FileFailure(file.ReadError);
    }

    if (format.ColumnLimit() > 0)
        grid.SetColCount(format.ColumnLimit());
    feedback.SetStatus(state.Text(64) + " " + FileNamePart(path));
    feedback.SetProgress(0);
    grid.SetRowCount(grid.RowCount() + 1);

    if (slot == 1 && IsPrototypeTableName(state.DocumentFileName) && !state.BatchActive &&
        options.ReadDescriptions) {
        std::string descriptions = DescriptionFilePath(state.DocumentRealFolder, state.ExeFolder);
        if (!descriptions.empty())
            LoadDescriptions(state, descriptions, feedback);
    }
}

// Opens and reads the file into rows, and checks that it fits a grid. False, with the
// error context and the reason set, when the load must not go on.
bool ReadWholeFile(EditorState& state, const std::string& path, const LoadOptions& options,
                   StagedFile& file, std::string& reason) {
    state.ErrorContext = state.Text(62) + " " + path;
    int fd = OpenRegularFile(path, reason);
    if (fd < 0)
        return false;
    ReadRows(fd, FormatOfExtension(ExtensionPart(LowerAZ(path))), options, file);
    ::close(fd);
    state.ErrorContext = state.Text(63) + " " + path;
    if (file.Lines > options.MaxLines) {
        reason = FormatText(state.Language.Added("toomanylines"),
                            {IntToText(static_cast<int64_t>(file.Lines)),
                             IntToText(static_cast<int64_t>(options.MaxLines))});
        return false;
    }
    if (file.Longest > options.MaxLineBytes) {
        reason = FormatText(state.Language.Added("linetoolong"),
                            {IntToText(static_cast<int64_t>(options.MaxLineBytes))});
        return false;
    }
    return true;
}

void SetDocumentMembers(EditorState& state, const std::string& path, Feedback& feedback,
                        const LoadOptions& options) {
    std::string lowerPath = LowerAZ(path);
    state.DocumentFolder = FolderPart(lowerPath);
    state.DocumentFileName = FileNamePart(lowerPath);
    state.DocumentExt = ExtensionPart(state.DocumentFileName);
    // Files are opened under their real names: this file system tells case apart.
    state.DocumentRealFolder = FolderPart(path);
    state.DocumentRealName = FileNamePart(path);
    if (IsPrototypeTableName(state.DocumentFileName) && options.WriteSettings)
        Guarded([&] { state.Reg1.WriteString("protopath", state.DocumentRealFolder); });
    if (!state.DocumentRealFolder.empty())
        feedback.SetChooserFolder(state.DocumentRealFolder);
    state.SG1().UnhideAllColumns();
    ClearColumnSelection(state, feedback);
}

void AutoSizeAfterLoad(EditorState& state, Feedback& feedback) {
    TTextGrid& grid = state.SG1();
    feedback.EndCellEdit();
    feedback.SetStatus(state.Text(66));
    feedback.Refresh();
    feedback.SetProgressMax(grid.ColCount() - 1);
    AutoSizeColumnRange(grid, 0, grid.ColCount() - 1, state.Measure,
                        [&feedback](int column) { feedback.SetProgress(column); });
    feedback.SetStatus(state.Text(67));
    feedback.SetProgress(0);
}

// Header cells of columns 2 on read "Column 2", "Column 3", ... The row is written at once:
// a cell at a time costs a copy of the row each, which a file of 100,000 fields squares.
void NameColumnsByNumber(const EditorState& state, TTextGrid& grid) {
    const int count = grid.ColCount();
    if (count <= 2)
        return;
    std::vector<std::string_view> current;
    grid.RowCells(0, current);
    std::vector<std::string> texts(current.begin(), current.end());
    if (static_cast<int>(texts.size()) < count)
        texts.resize(static_cast<size_t>(count));
    for (int col = 2; col < count; ++col)
        texts[static_cast<size_t>(col)] = state.Text(65) + " " + IntToText(col);
    std::vector<std::string_view> cells(texts.begin(), texts.end());
    grid.AssignRow(0, cells);
}

} // namespace

LoadResult LoadTable(EditorState& state, const std::string& path, int slot, Feedback& feedback,
                     const LoadOptions& options) {
    LoadResult result;
    state.PaintSuspended = true;
    bool busy = false;
    try {
        feedback.EndCellEdit();
        if (slot < 1 || slot > static_cast<int>(state.Grids.size()))
            throw std::out_of_range("grid slot");
        state.CurrentGridSlot = slot;
        feedback.SetBusy(true);
        busy = true;
        TTextGrid& grid = state.CurrentGrid();
        const std::string fileName = FileNamePart(path);

        if (!SortsAtOrBelowBlank(path)) {
            // A file that cannot be opened as a regular file, or that no grid can hold,
            // leaves the open document and every grid as they are.
            StagedFile file;
            std::string reason;
            if (!ReadWholeFile(state, path, options, file, reason)) {
                feedback.SetBusy(false);
                result.Ok = false;
                result.SystemError = reason;
                result.Message =
                    WithSystemReason(state.Text(60) + " " + state.ErrorContext, reason);
                feedback.ShowMessage(result.Message);
                state.PaintSuspended = false;
                feedback.Refresh();
                return result;
            }

            feedback.EndCellEdit();
            feedback.SetStatus(state.Text(61) + " " + fileName);
            feedback.Refresh();
            feedback.SetProgress(0);

            if (options.MakeBackup)
                Guarded([&] { CopyFileNoOverwrite(path, BackupPathFor(path)); });

            state.LoadExt = ExtensionPart(LowerAZ(path));
            grid.ClearCells();
            // The previous document's hidden rows would otherwise come back with the next
            // "show all rows".
            grid.DiscardHiddenRows();
            // A new document has no past to take back.
            if (slot == 1)
                state.History.Clear();
            grid.SetRowCount(grid.FixedRows() + 1);
            // The last report's records are about the document this load replaces.
            if (slot == 1)
                state.LastReport.Clear();
            if (slot == 1)
                SetDocumentMembers(state, path, feedback, options);
            grid.SetColCount(grid.FixedCols() + 1);

            try {
                ReadIntoGrid(state, path, slot, feedback, options, result, file);
            } catch (const std::exception&) {
                result.Ok = false;
                result.Message =
                    WithSystemReason(state.Text(60) + " " + state.ErrorContext, result.SystemError);
                feedback.ShowMessage(result.Message);
            }
        }

        state.LastColIndex = grid.ColCount() - 1;
        NameColumnsByNumber(state, grid);

        if (slot == 1) {
            state.LoadedRowCount = state.SG1().RowCount();
            state.LoadedColCount = state.SG1().ColCount();
            LoadDocumentSections(state, feedback);
        }

        if (state.AutoSizeOnLoad && slot == 1 && state.Measure.Width)
            AutoSizeAfterLoad(state, feedback);

        feedback.SetBusy(false);
        busy = false;
        feedback.SetStatus(state.Text(64) + " " + fileName);
        feedback.SetProgress(0);
        feedback.SetProgress(feedback.ProgressMaximum());

        if (slot == 1 && FormatOfExtension(state.LoadExt).HasDialogStep()) {
            // Names the seven columns and adds the built-in lists.
            ApplyDialogStep(state);
        }
    } catch (const std::exception&) {
        if (busy)
            feedback.SetBusy(false);
        result.Ok = false;
        result.Message = state.Text(94);
        feedback.ShowMessage(result.Message);
    }
    state.PaintSuspended = false;
    feedback.Refresh();
    return result;
}

} // namespace tw
