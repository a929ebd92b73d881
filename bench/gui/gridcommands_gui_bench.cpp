// The grid commands end to end in the main window on the generated protos.tab: the
// handler, the view's one model change and the repaint that follows, with the real font
// measuring. The core-only figures are in tabwright-bench (case gridcommands).

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/generator.h"
#include "bench/registry.h"
#include "core/document/loader.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"
#include "gui/grid/gridview.h"

namespace {

// The main window without its modal windows, so nothing waits for a user.
class BenchWindow : public tw::TForm1 {
  public:
    using TForm1::TForm1;

  protected:
    int ExecModal(QDialog&) override { return 0; }
    void OpenPopupMenu(QMenu&, QPoint) override {}
};

// Runs `command` and gives the longest time, in seconds, that the window went without
// handling its events: without painting its progress and without hearing Escape.
template <typename Command> double LongestWait(Command&& command) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    tick.start();
    command();
    longest = std::max(longest, clock.nsecsElapsed() - last);
    return static_cast<double>(longest) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tw;
    using namespace tw::bench;
    QApplication app(argc, argv);
    QTemporaryDir folder;
    ::setenv("TABWRIGHT_SETTINGS",
             (folder.path() + QStringLiteral("/settings.reg")).toLocal8Bit().constData(), 1);

    ScriptedPrompts prompts;
    BenchWindow window(folder.path().toStdString() + "/", &prompts);
    window.resize(1200, 800);
    window.show();
    QCoreApplication::processEvents();

    EditorState& state = window.State();
    Feedback quiet;
    const LoadOptions options = BenchLoadOptions();
    window.SG1->BeginGridChange();
    // An argument gives the table's rows (20,000 without one).
    ProtosShape shape;
    if (argc > 1)
        shape.Rows = std::max(100, std::atoi(argv[1]));
    const bool loaded = LoadTable(state, ProtosTabFile(shape), 1, quiet, options).Ok;
    window.SG1->EndGridChange();
    if (!loaded) {
        std::fprintf(stderr, "the generated table did not load\n");
        return 1;
    }
    TTextGrid& grid = state.SG1();
    const int rows = grid.RowCount();

    Report report;
    auto run = [&](const char* step, auto&& command) {
        Measurement m = Measure("gridcommands-gui", step, [&] {
            command();
            window.SG1->repaint();
        });
        m.Target = "< 500 ms";
        m.Met = m.Seconds < 0.5;
        report.Add(m);
    };
    // Long work may take its time, but the window answers (paints, hears Escape) often.
    auto runLong = [&](const char* step, auto&& command) {
        double wait = 0;
        Measurement m = Measure("gridcommands-gui", step, [&] {
            wait = LongestWait(command);
            window.SG1->repaint();
        });
        m.Target = "window answers every 200 ms";
        m.Met = wait <= 0.2;
        report.Add(m);
        char line[160];
        std::snprintf(line, sizeof line, "%s: longest wait for the window %.0f ms", step,
                      wait * 1000);
        report.Note(line);
    };

    for (int k = 0; k < 5000; ++k)
        state.SelectedRows.Toggle(1 + (k * 7919) % (rows - 2));
    run("hide 5000 marked rows", [&] { window.HideSelectedRows1Click(); });
    run("unhide all rows", [&] { window.UnhideRows1Click(); });

    std::vector<int> hide;
    for (int r = 1; r < rows - 1 && hide.size() < 15000; ++r)
        if (r % 4 != 0)
            hide.push_back(r);
    window.SG1->BeginGridChange();
    grid.HideRows(hide);
    window.SG1->EndGridChange();
    run("unhide all 15000 rows", [&] { window.UnhideRows1Click(); });

    grid.SetCell(grid.DataColumnCount() - 2, rows - 2, "The Last Needle");
    window.SG1->SetCurrentCell(1, 1);
    prompts.Answer(QStringLiteral("last needle"));
    run("find to the last row", [&] { window.Find1Click(); });
    const bool foundLast = grid.Row() == rows - 2;

    runLong("auto size all columns", [&] { window.AutoSizeColumns2Click(); });
    // A column mixing whole numbers and decimals: the sort must follow the loop exactly.
    ShuffleRows(grid, 7);
    for (int r = 1; r < rows - 1; r += 7)
        grid.SetCell(3, r, std::to_string(r % 13) + ".5");
    prompts.Answer(QStringLiteral("3"));
    runLong("sort by a decimals column", [&] { window.SortByColumn1Click(); });
    prompts.Answer(QStringLiteral("3"));
    runLong("sort it again", [&] { window.SortByColumn1Click(); });
    // Combine with a modder's copy, as "Go With Selected" runs it after loading both.
    TTextGrid& other = state.Grid(2);
    other = grid;
    MakeModdedCopy(other, 11);
    state.SelectedFiles = {"first.tab", "second.tab", "", "", ""};
    runLong("combine with a modded copy", [&] { window.RunCompareOrCombine("combine"); });
    other = grid;
    MakeModdedCopy(other, 12);
    runLong("compare with a modded copy", [&] { window.RunCompareOrCombine("compare"); });
    prompts.Answer(QStringLiteral("12"));
    run("font size 12: all rows", [&] { window.FontSize81Click(); });

    report.Print();
    std::printf("gridcommands-gui: %d rows x %d columns, real font measuring; find %s\n", rows,
                grid.ColCount(), foundLast ? "reached the last row" : "MISSED the match");
    return 0;
}
