// How long the main grid's view takes to show a large table: handing the grid to the
// view, a model change around it (what every hide or header-set command costs), the
// first paint, and scrolling through it; then the main window's load of the generated
// protos.tab until it is shown.
//
// tabwright-gridview-bench [view] [load] [hugecell]: the named parts, all without arguments.

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "bench/gui/mainwindow_load.h"

#include "core/grid/textgrid.h"
#include "gui/grid/gridview.h"

namespace {

void FillTable(tw::TTextGrid& grid, int rows, int cols) {
    std::mt19937 random(20240501);
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    std::vector<std::string> cells(static_cast<size_t>(cols));
    std::vector<std::string_view> views(static_cast<size_t>(cols));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            std::string& cell = cells[static_cast<size_t>(c)];
            const unsigned kind = random() % 10;
            if (r == 0)
                cell = "Field " + std::to_string(c);
            else if (c == 0)
                cell = std::to_string(1000 + r);
            else if (kind < 6)
                cell.clear();
            else if (kind < 9)
                cell = std::to_string(random() % 100000);
            else
                cell = "Name_" + std::to_string(random() % 1000);
            views[static_cast<size_t>(c)] = cell;
        }
        grid.AssignRow(r, views);
    }
}

double Milliseconds(QElapsedTimer& timer) {
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

void RunGridView() {
    const int rows = 20000;
    const int cols = 350;
    tw::TTextGrid grid(tw::MainGridProperties());
    FillTable(grid, rows, cols);
    for (int c = 0; c < cols; ++c)
        grid.SetColWidth(c, 40 + c % 50);

    tw::GridView view;
    view.resize(1200, 800);
    view.CellColor = [](int, int) { return QColor(Qt::white); };
    view.show();
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    view.SetGrid(&grid);
    const double attach = Milliseconds(timer);
    QCoreApplication::processEvents(); // layout and first paint
    view.repaint();
    const double firstPaint = Milliseconds(timer);

    view.BeginGridChange();
    grid.HideColumns(10, 299);
    std::vector<int> odd;
    for (int r = 1; r < rows; r += 2)
        odd.push_back(r);
    grid.HideRows(odd);
    const double hideCore = Milliseconds(timer);
    view.EndGridChange();
    view.repaint();
    const double hideView = Milliseconds(timer);

    view.BeginGridChange();
    grid.UnhideAllColumns();
    grid.UnhideAllRows();
    view.EndGridChange();
    view.repaint();
    const double unhideCommand = Milliseconds(timer);

    // Rows sized to a larger font: one common height with some exceptions.
    view.BeginGridChange();
    for (int r = 0; r < rows; ++r)
        grid.SetRowHeight(r, r % 100 == 0 ? 45 : 30);
    view.EndGridChange();
    view.repaint();
    const double resized = Milliseconds(timer);

    const int pages = 50;
    for (int k = 0; k < pages; ++k) {
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() * k / pages);
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum() * k / pages);
        view.repaint();
    }
    const double perPage = Milliseconds(timer) / pages;

    std::printf("grid view, %d rows x %d columns\n", rows, cols);
    std::printf("  %-36s %8.1f ms\n", "SetGrid (model reset, sizes)", attach);
    std::printf("  %-36s %8.1f ms\n", "first layout and paint", firstPaint);
    std::printf("  %-36s %8.1f ms\n", "hide 290 columns, 10000 rows: core", hideCore);
    std::printf("  %-36s %8.1f ms\n", "  the view's reset and repaint", hideView);
    std::printf("  %-36s %8.1f ms\n", "unhide all", unhideCommand);
    std::printf("  %-36s %8.1f ms\n", "rows resized (200 exceptions)", resized);
    std::printf("  %-36s %8.1f ms\n", "scroll and repaint, per page", perPage);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto wanted = [&](const char* part) {
        if (argc < 2)
            return true;
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], part) == 0)
                return true;
        return false;
    };
    if (wanted("view"))
        RunGridView();
    if (wanted("load")) {
        tw::bench::Report report;
        tw::bench::RunMainWindowLoad(report);
        report.Print();
    }
    if (wanted("hugecell")) {
        tw::bench::Report report;
        tw::bench::RunHugeCell(report);
        report.Print();
    }
    return 0;
}
