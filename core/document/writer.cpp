#include "core/document/writer.h"

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
        if (record)
            AppendLine(buffer, rules, columns, [record](int c) { return record->Cell(c); });
        else
            AppendLine(buffer, rules, columns, [&grid, row](int c) { return grid.Cell(c, row); });
        buffer.append("\r\n");
        if (buffer.size() >= FlushAt) {
            if (!sink.Write(buffer)) return false;
            buffer.clear();
        }
    }
    return buffer.empty() || sink.Write(buffer);
}

} // namespace tw
