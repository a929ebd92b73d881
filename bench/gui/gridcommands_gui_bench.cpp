// The grid commands end to end in the main window on the generated protos.tab: the
// handler, the view's one model change and the repaint that follows, with the real font
// measuring. The core-only figures are in tabwright-bench (case gridcommands).

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
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
    LoadOptions options;
    options.MakeBackup = false;
    options.WriteSettings = false;
    options.ReadDescriptions = false;
    window.SG1->BeginGridChange();
    const bool loaded = LoadTable(state, ProtosTabFile(ProtosShape{}), 1, quiet, options).Ok;
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

    run("auto size all columns", [&] { window.AutoSizeColumns2Click(); });
    prompts.Answer(QStringLiteral("12"));
    run("font size 12: all rows", [&] { window.FontSize81Click(); });

    report.Print();
    std::printf("gridcommands-gui: %d rows x %d columns, real font measuring; find %s\n", rows,
                grid.ColCount(), foundLast ? "reached the last row" : "MISSED the match");
    return 0;
}
