// The walk through a compare report in the main window on the generated protos.tab
// (20,000 rows x 350 columns) against a copy with about 6,000 changed cells: choosing a
// report line far down the table, and Next Difference, each with the repaint that follows.

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "bench/generator.h"
#include "bench/registry.h"
#include "core/document/loader.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"
#include "gui/grid/gridview.h"

namespace {

class BenchWindow : public tw::TForm1 {
  public:
    using TForm1::TForm1;

  protected:
    int ExecModal(QDialog&) override { return 0; }
    void OpenPopupMenu(QMenu&, QPoint) override {}
};

// Worst and mean of `count` runs of `step`, each followed by the window's repaint.
template <typename Step>
tw::bench::Measurement Sampled(const char* name, int count, double target, QWidget* window,
                               Step&& step, double& mean) {
    tw::bench::Measurement m;
    m.Case = "report-gui";
    m.Step = name;
    double total = 0;
    QElapsedTimer timer;
    const double cpuStart = tw::bench::CpuNow();
    for (int k = 0; k < count; ++k) {
        timer.start();
        step(k);
        if (window)
            window->repaint();
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        total += seconds;
        m.Seconds = std::max(m.Seconds, seconds);
    }
    // Processor time per step: the machine's other work stretches the wall time.
    m.CpuSeconds = (tw::bench::CpuNow() - cpuStart) / count;
    mean = total / count;
    char text[32];
    std::snprintf(text, sizeof text, "< %.0f ms (worst)", target * 1000);
    m.Target = text;
    m.Met = m.Seconds < target;
    return m;
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
    const std::string protos = ProtosTabFile(ProtosShape{});
    window.SG1->BeginGridChange();
    const bool loaded = LoadTable(state, protos, 1, quiet, options).Ok &&
                        LoadTable(state, protos, 2, quiet, options).Ok;
    window.SG1->EndGridChange();
    if (!loaded) {
        std::fprintf(stderr, "the generated table did not load\n");
        return 1;
    }
    // About 6,000 changed cells, anywhere in the table.
    TTextGrid& other = state.Grid(2);
    std::mt19937 random(6000);
    const int rows = other.RowCount() - 2;
    const int columns = other.ColCount();
    for (int n = 0; n < 6000; ++n)
        other.SetCell(1 + static_cast<int>(random() % static_cast<unsigned>(columns - 1)),
                      1 + static_cast<int>(random() % static_cast<unsigned>(rows)), "changed");
    state.SelectedFiles = {protos, protos, "", "", ""};

    QElapsedTimer timer;
    timer.start();
    window.RunCompareOrCombine("compare");
    window.repaint();
    const double compareSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const int lines = state.LastReport.LineCount();
    if (lines < 100) {
        std::fprintf(stderr, "the compare found only %d differences\n", lines);
        return 1;
    }

    Report report;
    double jumpMean = 0, nextMean = 0;
    // Lines spread over the whole report, the last one first.
    report.Add(Sampled(
        "choose a report line (jump to its cell)", 40, 0.05, &window,
        [&](int k) { window.ReportLineChosen(lines - 1 - (k * 7919) % lines); }, jumpMean));
    window.ReportLineChosen(0);
    report.Add(Sampled(
        "Next Difference", 300, 0.02, &window, [&](int) { window.NextDifference1Click(); },
        nextMean));
    double handlerMean = 0;
    report.Add(Sampled(
        "Next Difference, handler alone (no repaint)", 300, 0.02, nullptr,
        [&](int) { window.NextDifference1Click(); }, handlerMean));
    char note[200];
    std::snprintf(note, sizeof note,
                  "report-gui: %d report lines; compare in the window %.0f ms; mean jump %.1f ms, "
                  "mean Next Difference %.1f ms (handler alone %.1f ms)",
                  lines, compareSeconds * 1000, jumpMean * 1000, nextMean * 1000,
                  handlerMean * 1000);
    report.Note(note);
    report.Print();
    return report.AllMet() ? 0 : 1;
}
