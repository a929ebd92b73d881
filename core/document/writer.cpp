#include "core/document/writer.h"

#include <vector>

#include "core/document/fileformat.h"
#include "core/document/progressstep.h"

namespace tw {

bool WriteDocument(const EditorState& state, ByteSink& sink, Feedback& feedback) {
    const TTextGrid& grid = state.SG1();
    const FileFormat& format = SaveFormat(state);
    const auto& hidden = grid.HiddenRows();
    const int columns = grid.DataColumnCount();
    const int shown = grid.RowCount();
    const int total = shown + static_cast<int>(hidden.size());
    const int lastWritten = total - 2;
    feedback.SetProgressMax(lastWritten);
    ProgressThrottle progress(feedback, lastWritten);

    constexpr size_t FlushAt = 256 << 10;
    std::string buffer;
    buffer.reserve(FlushAt + 64 * 1024);
    std::vector<std::string_view> cells(static_cast<size_t>(columns));
    size_t nextHidden = 0;
    int nextShown = 0;
    // Data row d is the next hidden record when that record belongs at d (or nothing shown
    // is left), else the next shown row.
    // The spare last row is written too once something was typed into it (or a delete
    // left a line of the file there): leaving it out would drop that line silently.
    for (int d = 0; d < total; ++d) {
        bool fromHidden =
            nextHidden < hidden.size() && (hidden[nextHidden].DataRow <= d || nextShown >= shown);
        const GridRow* record = fromHidden ? &hidden[nextHidden++].Cells : nullptr;
        int row = fromHidden ? -1 : nextShown++;
        if (d == 0)
            continue; // the header row
        if (d == total - 1) {
            bool empty = true;
            for (int c = 0; c < columns && empty; ++c)
                empty = (record ? record->Cell(c) : grid.Cell(c, row)).empty();
            if (empty)
                break;
        }
        progress.Advance(d);
        const GridRow& stored = record ? *record : grid.StoredRow(row);
        std::string_view joined;
        // Most rows are written from their stored bytes as they stand; the rest, and
        // every row of a kind that does not allow it, cell by cell.
        if (!stored.TabJoined(joined) || !format.JoinStored(buffer, joined, stored.StoredCount(),
                                                            columns, state.DocumentFileName)) {
            for (int c = 0; c < columns; ++c)
                cells[static_cast<size_t>(c)] = stored.Cell(c);
            format.Join(buffer, cells, state.DocumentFileName);
        }
        buffer.append("\r\n");
        if (buffer.size() >= FlushAt) {
            if (!sink.Write(buffer))
                return false;
            buffer.clear();
        }
    }
    return buffer.empty() || sink.Write(buffer);
}

} // namespace tw
