#include "core/document/loader.h"

#include <algorithm>
#include <stdexcept>
#include <unistd.h>

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

// Line k of the content fills row k. Rows and columns grow as the lines need them; the
// counts end as the line-by-line growth would leave them (rows up to the last line that
// gave a cell, columns as wide as the widest line), whatever happens on the way.
class GridFiller {
  public:
    GridFiller(TTextGrid& grid, const FileFormat& format)
        : Grid(grid), Format(format), RowsAtStart(grid.RowCount()), ColsAtStart(grid.ColCount()) {}

    void Fill(std::string_view content, int lineCount, Feedback& feedback) {
        // One row per line up front instead of growing by one row per line.
        Grid.SetRowCount(std::max(RowsAtStart, lineCount + 1));
        try {
            ProgressThrottle progress(feedback, lineCount);
            LineReader reader(content);
            LineCells cells;
            const bool tabFields = Format.SplitsAtTabsOnly();
            int rowCursor = 0;
            while (!reader.AtEnd()) {
                progress.Advance(rowCursor);
                ++rowCursor;
                std::string_view line = reader.Next();
                int count = 0;
                if (tabFields) {
                    // A line of TAB fields is stored as it stands: no cell-by-cell split.
                    count = Grid.StoreTabLine(rowCursor, line);
                } else {
                    Format.Split(line, cells);
                    count = cells.Count();
                }
                if (count == 0)
                    continue;
                if (count > Grid.DataColumnCount())
                    // Twice the width at least, so a table that widens line by line does
                    // not rebuild its column state on every line.
                    Grid.SetColCount(std::max(count, 2 * Grid.DataColumnCount()));
                if (!tabFields)
                    Grid.AssignRow(rowCursor, cells.Cells());
                LastRow = rowCursor;
                Widest = std::max(Widest, count);
            }
        } catch (...) {
            Settle();
            throw;
        }
        Settle();
    }

  private:
    void Settle() {
        Grid.SetRowCount(std::max(RowsAtStart, LastRow + 1));
        Grid.SetColCount(std::max(ColsAtStart, Widest));
    }

    TTextGrid& Grid;
    const FileFormat& Format;
    int RowsAtStart;
    int ColsAtStart;
    int LastRow = 0;
    int Widest = 0;
};

// Optional steps fail silently, one by one.
template <typename Step> void Guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

// The file's bytes, read before the open document is touched.
struct FileBytes {
    std::string Bytes;
    std::string_view Content; // what the line rules see
    size_t Lines = 0;
    bool Complete = true; // false: reading stopped part-way
    std::string ReadError;
};

void ReadIntoGrid(EditorState& state, const std::string& path, int slot, Feedback& feedback,
                  const LoadOptions& options, LoadResult& result, FileBytes& file) {
    TTextGrid& grid = state.CurrentGrid();
    state.ErrorContext = state.Text(62) + " " + path;

    const FileFormat& format = FormatOfExtension(state.LoadExt);
    state.FieldSeparator = format.FieldSeparator();
    state.OpenMark = std::string(format.OpenMark());

    state.ErrorContext = state.Text(63) + " " + path;
    const int lineCount = static_cast<int>(file.Lines);
    feedback.SetProgressMax(lineCount);
    GridFiller(grid, format).Fill(file.Content, lineCount, feedback);
    if (!file.Complete) {
        // What was read before the failure stays in the grid.
        result.SystemError = file.ReadError;
        throw FileFailure(file.ReadError);
    }
    file = FileBytes(); // the grid holds the cells now; free the file before going on

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

// Opens and reads the file, and checks that it fits a grid. False, with the error
// context and the reason set, when the load must not go on.
bool ReadWholeFile(EditorState& state, const std::string& path, const LoadOptions& options,
                   FileBytes& file, std::string& reason) {
    state.ErrorContext = state.Text(62) + " " + path;
    int fd = OpenRegularFile(path, reason);
    if (fd < 0)
        return false;
    file.Complete = ReadOpenFile(fd, file.Bytes, file.ReadError);
    ::close(fd);
    file.Content = FileContent(file.Bytes);
    const LineCount count = MeasureLines(file.Content);
    file.Lines = count.Lines;
    state.ErrorContext = state.Text(63) + " " + path;
    if (count.Lines > options.MaxLines) {
        reason = FormatText(state.Language.Added("toomanylines"),
                            {IntToText(static_cast<int64_t>(count.Lines)),
                             IntToText(static_cast<int64_t>(options.MaxLines))});
        return false;
    }
    if (count.Longest > options.MaxLineBytes) {
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
            FileBytes file;
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
