// The document's history on the generated protos.tab: what one cell edit costs to record,
// a thousand edits in a row, and taking back Delete This Row and a sort. The peer is cp of
// the same file, measured in the same run: the cost of touching the whole document once.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/generator.h"
#include "bench/registry.h"
#include "core/app/editorstate.h"
#include "core/compare/sortbycolumn.h"
#include "core/document/documentedits.h"
#include "core/document/loader.h"
#include "core/grid/gridcommands.h"

namespace {

using tw::bench::Measurement;

Measurement Target(Measurement m, const std::string& target, double limit) {
    m.Target = target;
    m.Met = m.Seconds < limit;
    return m;
}

} // namespace

TW_BENCH_CASE(history) {
    using namespace tw;
    using namespace tw::bench;
    const ProtosShape shape;
    const std::string input = ProtosTabFile(shape);
    ::setenv("TABWRIGHT_SETTINGS", (OutputFolder() + "settings.reg").c_str(), 1);

    EditorState state;
    Feedback quiet;
    const LoadOptions options = BenchLoadOptions();
    if (!LoadTable(state, input, 1, quiet, options).Ok) {
        report.Note("history: the generated table did not load");
        return;
    }
    state.LoadedColCount = state.SG1().ColCount();
    TTextGrid& grid = state.SG1();
    const int rows = grid.RowCount();

    // One edit in the middle of the table, with a header set's worth of rows hidden.
    std::vector<int> hidden;
    for (int r = 1; r < rows - 1; r += 2)
        hidden.push_back(r);
    grid.HideRows(hidden);
    Measurement edit = Measure("history", "record one cell edit (half the rows hidden)", [&] {
        WriteCell(state, 17, grid.RowCount() / 2, "Edited text of a cell");
    });
    edit.PeakBytes = static_cast<int64_t>(state.History.LastStep()->Bytes());
    report.Add(Target(edit, "< 1 ms, < 1 KB", 0.001));
    report.Note("history: one cell edit holds " + std::to_string(edit.PeakBytes) +
                " bytes in the history (the memory column)");
    grid.UnhideAllRows();

    Measurement thousand = Measure("history", "1,000 cell edits in a row", [&] {
        for (int k = 0; k < 1000; ++k)
            WriteCell(state, 3 + k % 300, 1 + (k * 7919) % (rows - 2), "v" + std::to_string(k));
    });
    report.Add(Target(thousand, "< 1 s (1 ms each)", 1.0));
    report.Add(Target(Measure("history", "undo 1,000 cell edits",
                              [&] {
                                  for (int k = 0; k < 1000; ++k)
                                      UndoDocument(state);
                              }),
                      "< 1 s", 1.0));

    state.ClickedRow = rows / 3;
    report.Add(Target(Measure("history", "Delete This Row", [&] { DeleteThisRow(state); }),
                      "< 100 ms", 0.1));
    report.Add(Target(Measure("history", "undo Delete This Row", [&] { UndoDocument(state); }),
                      "< 100 ms", 0.1));
    grid.HideRows(hidden);
    report.Add(Target(Measure("history", "undo Delete This Row, half the rows hidden",
                              [&] {
                                  RedoDocument(state);
                                  UndoDocument(state);
                              }),
                      "< 100 ms (redo and undo)", 0.1));
    grid.UnhideAllRows();

    // Column 1 (the object types, by text) puts most rows somewhere else.
    state.TextOrderAllowed = true;
    const size_t before = state.History.UndoCount();
    report.Add(Target(
        Measure("history", "Sort By Column # 1", [&] { SortGridByColumn(state, 1, 1, quiet); }),
        "(for scale)", 10.0));
    if (state.History.UndoCount() != before + 1)
        report.Note("history: the sort moved no row; its undo figures mean nothing");
    Measurement sortStep = Measure("history", "undo the sort", [&] { UndoDocument(state); });
    sortStep.PeakBytes = static_cast<int64_t>(state.History.NextRedo()->Bytes());
    report.Add(Target(sortStep, "< 100 ms", 0.1));
    report.Add(
        Target(Measure("history", "redo the sort", [&] { RedoDocument(state); }), "< 100 ms", 0.1));

    // A combine run keeps the whole document once.
    Measurement whole = Measure("history", "snapshot step (combine)", [&] {
        WholeDocumentStep step(state);
        grid.SetCell(5, 5, "changed by the run");
    });
    whole.PeakBytes = static_cast<int64_t>(state.History.LastStep()->Bytes());
    report.Add(Target(whole, "(for scale)", 10.0));
    report.Add(Target(Measure("history", "undo the snapshot step", [&] { UndoDocument(state); }),
                      "(for scale)", 10.0));

    const std::string copy = OutputFolder() + "history-copy.tab";
    const std::string command = "cp '" + input + "' '" + copy + "'";
    Measurement peer = Measure("history", "peer: cp of the same file", [&] {
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "cp failed\n");
    });
    peer.Bytes = static_cast<uint64_t>(std::filesystem::file_size(input));
    report.Add(peer);
    std::filesystem::remove(copy);
}
