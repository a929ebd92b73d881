// The main grid's commands on the generated protos.tab: hiding marked rows, showing all
// rows again, a search to the last row, sizing every column, and the row sizing of a
// font-size change.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/generator.h"
#include "bench/registry.h"
#include "core/app/editorstate.h"
#include "core/document/loader.h"
#include "core/grid/gridcommands.h"

namespace {

using Clock = std::chrono::steady_clock;

// Stands in for the editor's font measuring. On the machine these figures come from,
// QFontMetrics::horizontalAdvance took about 1.2 us for a short number and about 4 us for
// a name or a list of flags, and height() 26 ns; the fake waits as long.
tw::TextMeasure RealisticMeasure(long& calls) {
    tw::TextMeasure measure;
    measure.Width = [&calls](std::string_view text, bool fixedFont) {
        ++calls;
        const auto until = Clock::now() + std::chrono::nanoseconds(1000 + 100 * text.size());
        int width = 0;
        for (unsigned char c : text)
            width += 4 + (c & 3) + (fixedFont ? 1 : 0);
        while (Clock::now() < until) {
        }
        return width;
    };
    measure.LineHeight = [](bool fixedFont) {
        const auto until = Clock::now() + std::chrono::nanoseconds(26);
        while (Clock::now() < until) {
        }
        return fixedFont ? 15 : 14;
    };
    return measure;
}

constexpr double TargetSeconds = 0.5;

void Add(tw::bench::Report& report, tw::bench::Measurement m) {
    m.Target = "< 500 ms";
    m.Met = m.Seconds < TargetSeconds;
    report.Add(std::move(m));
}

} // namespace

TW_BENCH_CASE(gridcommands) {
    using namespace tw;
    using namespace tw::bench;
    const ProtosShape shape;
    const std::string input = ProtosTabFile(shape);
    ::setenv("TABWRIGHT_SETTINGS", (OutputFolder() + "settings.reg").c_str(), 1);

    EditorState state;
    Feedback quiet;
    const LoadOptions options = BenchLoadOptions();
    if (!LoadTable(state, input, 1, quiet, options).Ok) {
        report.Note("gridcommands: the generated table did not load");
        return;
    }
    TTextGrid& grid = state.SG1();
    const int rows = grid.RowCount();
    long measureCalls = 0;
    state.Measure = RealisticMeasure(measureCalls);

    // 5,000 marks, in no particular order, then Hide Selected Rows.
    for (int k = 0; k < 5000; ++k)
        state.SelectedRows.Toggle(1 + (k * 7919) % (rows - 2));
    Add(report,
        Measure("gridcommands", "hide 5000 marked rows", [&] { HideSelectedRows(state, quiet); }));
    grid.UnhideAllRows();

    std::vector<int> hide;
    for (int r = 1; r < rows - 1 && hide.size() < 15000; ++r)
        if (r % 4 != 0)
            hide.push_back(r);
    grid.HideRows(hide);
    Add(report, Measure("gridcommands", "unhide all 15000 rows",
                        [&] { UnhideAllRowsCommand(state, quiet); }));

    // The only match sits in the last data row; the search starts at the top.
    const int lastRow = rows - 2;
    grid.SetCell(grid.DataColumnCount() - 2, lastRow, "The Last Needle");
    grid.SetRow(1);
    grid.SetCol(0);
    bool foundLast = false;
    Add(report, Measure("gridcommands", "find to the last row", [&] {
            auto found = FindInGrid(state, "last needle");
            foundLast = found && found->first == lastRow;
        }));

    measureCalls = 0;
    Add(report,
        Measure("gridcommands", "auto size all columns", [&] { AutoSizeColumns(state, quiet); }));
    const long columnCalls = measureCalls;
    Add(report, Measure("gridcommands", "font size: all rows", [&] { AutoSizeAllRows(state); }));

    char line[256];
    std::snprintf(line, sizeof line,
                  "gridcommands: %d rows x %d columns; find %s; auto size measured %ld texts", rows,
                  grid.ColCount(), foundLast ? "reached the last row" : "MISSED the match",
                  columnCalls);
    report.Note(line);
}
