// Sort, compare and combine on the generated 20,000-row protos.tab and on copies of it
// that differ the way modders' copies do (about 1% of cells changed, 1% of rows added,
// 1% removed), with GNU sort on the same shuffled file beside the numeric sort.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "bench/generator.h"
#include "bench/registry.h"
#include "core/app/editorstate.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
#include "core/compare/sortbycolumn.h"
#include "core/document/loader.h"
#include "core/document/save.h"

namespace {

using namespace tw;
using namespace tw::bench;

class CountingFeedback : public Feedback {
  public:
    long Lines = 0;
    void AppendReport(const std::string&) override { ++Lines; }
};

// Best of three runs, each on a fresh copy made by `prepare` outside the timing.
template <typename Prepare, typename Run>
Measurement Timed(const std::string& step, double target, Prepare prepare, Run run) {
    Measurement m;
    for (int attempt = 0; attempt < 3; ++attempt) {
        auto input = prepare();
        Measurement one = Measure("compare", step, [&] { run(*input); });
        if (attempt == 0 || one.Seconds < m.Seconds)
            m = one;
    }
    char text[32];
    std::snprintf(text, sizeof text, "<%.1f s", target);
    m.Target = target > 0 ? text : "";
    m.Met = target <= 0 || m.Seconds < target;
    return m;
}

} // namespace

TW_BENCH_CASE(compare) {
    const ProtosShape shape;
    const std::string input = ProtosTabFile(shape);
    ::setenv("TABWRIGHT_SETTINGS", (OutputFolder() + "settings.reg").c_str(), 1);
    Feedback quiet;
    LoadOptions options;
    options.MakeBackup = false;
    options.WriteSettings = false;
    options.ReadDescriptions = false;

    EditorState loaded;
    LoadTable(loaded, input, 1, quiet, options);
    EditorState shuffled = loaded;
    ShuffleRows(shuffled.SG1(), 7);
    const std::string shuffledFile = OutputFolder() + "protos-shuffled.tab";
    SaveDocumentTo(shuffled, shuffledFile, quiet);

    struct SortStep {
        const char* Name;
        int Column;
        bool TextOrder;
        void (*Prepare)(TTextGrid&);
        double Target;
    };
    const SortStep sorts[] = {
        {"sort shuffled by column 0 (numbers)", 0, false, nullptr, 0.1},
        {"sort by column 1 (texts)", 1, true, nullptr, 0.1},
        {"sort by column 3 (numbers, names, empty)", 3, true, nullptr, 0.1},
        {"sort by column 0, 1% text keys", 0, false,
         [](TTextGrid& g) {
             for (int r = 1; r < g.RowCount() - 1; r += 100)
                 g.SetCell(0, r, "// note " + std::to_string(r));
         },
         0.1},
        {"sort by column 3 with decimals (orders disagree)", 3, true,
         [](TTextGrid& g) {
             for (int r = 1; r < g.RowCount() - 1; r += 7)
                 g.SetCell(3, r, std::to_string(r % 13) + ".5");
         },
         0},
        // The loop moves rows many times over when they already stand in its own order.
        {"sort the decimals column again", 3, true,
         [](TTextGrid& g) {
             for (int r = 1; r < g.RowCount() - 1; r += 7)
                 g.SetCell(3, r, std::to_string(r % 13) + ".5");
             EditorState once;
             once.SG1() = g;
             once.LoadedColCount = g.ColCount();
             Feedback none;
             SortGridByColumn(once, 1, 3, none);
             g = once.SG1();
         },
         0},
    };
    for (const SortStep& sort : sorts) {
        report.Add(Timed(
            sort.Name, sort.Target,
            [&] {
                auto state = std::make_unique<EditorState>(shuffled);
                if (sort.Prepare)
                    sort.Prepare(state->SG1());
                state->TextOrderAllowed = sort.TextOrder;
                return state;
            },
            [&](EditorState& state) { SortGridByColumn(state, 1, sort.Column, quiet); }));
    }
    const std::string command =
        "LC_ALL=C sort -s -t \"$(printf '\\t')\" -k1,1n '" + shuffledFile + "' > /dev/null";
    Measurement gnu = Timed(
        "GNU sort -s -t TAB -k1,1n, same file", 0, [] { return std::make_unique<int>(0); },
        [&](int&) {
            if (std::system(command.c_str()) != 0)
                std::fprintf(stderr, "GNU sort failed\n");
        });
    gnu.Bytes = static_cast<uint64_t>(std::filesystem::file_size(shuffledFile));
    report.Add(gnu);

    // The modified copies, made once; every run starts from them.
    EditorState files = loaded;
    for (int slot = 2; slot <= 5; ++slot) {
        files.Grid(slot) = loaded.SG1();
        MakeModdedCopy(files.Grid(slot), static_cast<uint32_t>(slot));
    }
    CountingFeedback compareLines;
    report.Add(Timed(
        "compare two files (sorts included)", 0.3,
        [&] {
            auto state = std::make_unique<EditorState>(files);
            state->SelectedFiles = {"file1.tab", "file2.tab", "", "", ""};
            compareLines.Lines = 0;
            return state;
        },
        [&](EditorState& state) { CompareFiles(state, compareLines); }));
    report.Note("compare: " + std::to_string(compareLines.Lines) + " report lines");

    CountingFeedback combineLines;
    int logEntries = 0;
    report.Add(Timed(
        "combine five files (sorts included)", 1.0,
        [&] {
            auto state = std::make_unique<EditorState>(files);
            state->SelectedFiles = {"file1.tab", "file2.tab", "file3.tab", "file4.tab",
                                    "file5.tab"};
            state->RemoveRows = true;
            combineLines.Lines = 0;
            return state;
        },
        [&](EditorState& state) {
            CombineFiles(state, combineLines);
            logEntries = state.Changes.ChangeCount();
        }));
    report.Note("combine: " + std::to_string(combineLines.Lines) + " report lines, " +
                std::to_string(logEntries) + " change-log entries");
}
