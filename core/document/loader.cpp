#include "core/document/loader.h"

#include <algorithm>
#include <stdexcept>

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
            int rowCursor = 0;
            while (!reader.AtEnd()) {
                progress.Advance(rowCursor);
                ++rowCursor;
                Format.Split(reader.Next(), cells);
                if (cells.Count() == 0)
                    continue;
                if (cells.Count() > Grid.DataColumnCount())
                    // Twice the width at least, so a table that widens line by line does
                    // not rebuild its column state on every line.
                    Grid.SetColCount(std::max(cells.Count(), 2 * Grid.DataColumnCount()));
                Grid.AssignRow(rowCursor, cells.Cells());
                LastRow = rowCursor;
                Widest = std::max(Widest, cells.Count());
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

void ReadIntoGrid(EditorState& state, const std::string& path, int slot, Feedback& feedback,
                  const LoadOptions& options, LoadResult& result) {
    TTextGrid& grid = state.CurrentGrid();
    state.ErrorContext = state.Text(62) + " " + path;
    std::string bytes;
    bool failedToOpen = false;
    std::string error;
    bool complete = ReadFileBytes(path, bytes, failedToOpen, error);
    if (failedToOpen) {
        result.SystemError = error;
        throw FileFailure(error);
    }

    const FileFormat& format = FormatOfExtension(state.LoadExt);
    state.FieldSeparator = format.FieldSeparator();
    state.OpenMark = std::string(format.OpenMark());

    state.ErrorContext = state.Text(63) + " " + path;
    std::string_view content = FileContent(bytes);
    const int lineCount = static_cast<int>(CountLines(content));
    feedback.SetProgressMax(lineCount);
    GridFiller(grid, format).Fill(content, lineCount, feedback);
    if (!complete) {
        // What was read before the failure stays in the grid.
        result.SystemError = error;
        throw FileFailure(error);
    }
    bytes = std::string(); // the grid holds the cells now; free the file before going on

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
            grid.SetRowCount(grid.FixedRows() + 1);
            // The last report's records are about the document this load replaces.
            if (slot == 1)
                state.LastReport.Clear();
            if (slot == 1)
                SetDocumentMembers(state, path, feedback, options);
            grid.SetColCount(grid.FixedCols() + 1);

            try {
                ReadIntoGrid(state, path, slot, feedback, options, result);
            } catch (const std::exception&) {
                result.Ok = false;
                result.Message = state.Text(60) + " " + state.ErrorContext;
                feedback.ShowMessage(result.Message);
            }
        }

        state.LastColIndex = grid.ColCount() - 1;
        for (int col = 2; col < grid.ColCount(); ++col)
            grid.SetCell(col, 0, state.Text(65) + " " + IntToText(col));

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
