#include "core/document/writer.h"

#include <algorithm>

#include "core/document/documentkind.h"
#include "core/document/progressstep.h"

namespace tw {

WriteRules WriteRules::For(const EditorState& state) {
    WriteRules rules;
    rules.TabKind = KindOfExtension(LowerAZ(state.DocumentExt)) == DocumentKind::Tab;
    rules.ProtosRules = state.DocumentFileName == "protos.tab";
    rules.DialogBraces = state.LoadExt == ".dlg";
    return rules;
}

namespace {

// A tab line is the row's stored bytes as they stand (the grid keeps them joined by tabs)
// plus a tab for every empty column after the stored ones, unless a cell is one the rules
// leave out: then the caller writes the line cell by cell. False when it did not write.
bool AppendStoredTabLine(std::string& out, const WriteRules& rules, int columnCount,
                         const GridRow& row) {
    std::string_view joined;
    if (!rules.TabKind || columnCount <= 0 || row.StoredCount() > columnCount ||
        !row.TabJoined(joined))
        return false;
    if (rules.ProtosRules) {
        if (!row.Cell(2).empty()) return false;
        // A single blank in column 1 or later sits between two tabs or after the last one.
        if (joined.find("\t \t") != std::string_view::npos ||
            (joined.size() >= 2 && joined.substr(joined.size() - 2) == "\t "))
            return false;
    }
    out.append(joined);
    out.append(static_cast<size_t>(columnCount - std::max(row.StoredCount(), 1)), '\t');
    return true;
}

} // namespace

bool WriteDocument(const EditorState& state, ByteSink& sink, Feedback& feedback) {
    const TTextGrid& grid = state.SG1();
    const WriteRules rules = WriteRules::For(state);
    const auto& hidden = grid.HiddenRows();
    const int columns = grid.DataColumnCount();
    const int shown = grid.RowCount();
    const int total = shown + static_cast<int>(hidden.size());
    const int lastWritten = total - 2;
    feedback.SetProgressMax(lastWritten);
    ProgressThrottle progress(feedback, lastWritten);

    constexpr size_t FlushAt = 1 << 20;
    std::string buffer;
    buffer.reserve(FlushAt + 64 * 1024);
    size_t nextHidden = 0;
    int nextShown = 0;
    // Data row d is the next hidden record when that record belongs at d (or nothing shown
    // is left), else the next shown row.
    // The spare last row is written too once something was typed into it (or a delete
    // left a line of the file there): leaving it out would drop that line silently.
    for (int d = 0; d < total; ++d) {
        bool fromHidden = nextHidden < hidden.size() &&
                          (hidden[nextHidden].DataRow <= d || nextShown >= shown);
        const GridRow* record = fromHidden ? &hidden[nextHidden++].Cells : nullptr;
        int row = fromHidden ? -1 : nextShown++;
        if (d == 0) continue; // the header row
        if (d == total - 1) {
            bool empty = true;
            for (int c = 0; c < columns && empty; ++c)
                empty = (record ? record->Cell(c) : grid.Cell(c, row)).empty();
            if (empty) break;
        }
        progress.Advance(d);
        const GridRow& stored = record ? *record : grid.StoredRow(row);
        if (!AppendStoredTabLine(buffer, rules, columns, stored))
            AppendLine(buffer, rules, columns, [&stored](int c) { return stored.Cell(c); });
        buffer.append("\r\n");
        if (buffer.size() >= FlushAt) {
            if (!sink.Write(buffer)) return false;
            buffer.clear();
        }
    }
    return buffer.empty() || sink.Write(buffer);
}

} // namespace tw
