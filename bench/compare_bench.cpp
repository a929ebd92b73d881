// Sort, compare and combine on the generated 20,000-row protos.tab and on copies of it
// that differ the way modders' copies do (about 1% of cells changed, 1% of rows added,
// 1% removed), with GNU sort on the same shuffled file beside the numeric sort.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <tuple>

#include "bench/generator.h"
#include "bench/registry.h"
#include "core/app/editorstate.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
#include "core/compare/reportformat.h"
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
    const LoadOptions options = BenchLoadOptions();

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
    Measurement withRecords = Timed(
        "compare two files (sorts included)", 0.3,
        [&] {
            auto state = std::make_unique<EditorState>(files);
            state->SelectedFiles = {"file1.tab", "file2.tab", "", "", ""};
            compareLines.Lines = 0;
            return state;
        },
        [&](EditorState& state) { CompareFiles(state, compareLines); });
    report.Add(withRecords);
    report.Note("compare: " + std::to_string(compareLines.Lines) + " report lines");

    // The same compare keeping no records and looking for no duplicate keys: what the
    // records cost.
    Measurement withoutRecords = Timed(
        "compare two files, no records kept", 0,
        [&] {
            auto state = std::make_unique<EditorState>(files);
            state->SelectedFiles = {"file1.tab", "file2.tab", "", "", ""};
            state->LastReport.Keep = false;
            return state;
        },
        [&](EditorState& state) { CompareFiles(state, compareLines); });
    report.Add(withoutRecords);
    // Processor time too: on a busy machine the wall time says more about the others.
    char share[160];
    auto overhead = [&](const char* what, const Measurement& with, const Measurement& without) {
        std::snprintf(share, sizeof share,
                      "%s: keeping the records adds %.1f%% wall, %.1f%% processor time "
                      "(target < 10%%)",
                      what, 100.0 * (with.Seconds / without.Seconds - 1.0),
                      100.0 * (with.CpuSeconds / without.CpuSeconds - 1.0));
        return std::string(share);
    };
    report.Note(overhead("compare, ~69,000 differences", withRecords, withoutRecords));

    // A copy with about 6,000 changed cells, the size of report a modder walks through.
    EditorState fewer = files;
    fewer.Grid(2) = loaded.SG1();
    {
        std::mt19937 random(6000);
        TTextGrid& other = fewer.Grid(2);
        const int rows = other.RowCount() - 2;
        for (int n = 0; n < 6000; ++n)
            other.SetCell(
                1 + static_cast<int>(random() % static_cast<unsigned>(other.ColCount() - 1)),
                1 + static_cast<int>(random() % static_cast<unsigned>(rows)), "changed");
        ShuffleRows(other, 6001);
    }
    Measurement fewerTimes[2];
    for (bool keep : {true, false}) {
        fewerTimes[keep ? 0 : 1] = Timed(
            keep ? "compare, ~6,000 differences" : "compare, ~6,000 differences, no records", 0,
            [&] {
                auto state = std::make_unique<EditorState>(fewer);
                state->SelectedFiles = {"file1.tab", "file2.tab", "", "", ""};
                state->LastReport.Keep = keep;
                return state;
            },
            [&](EditorState& state) { CompareFiles(state, compareLines); });
        report.Add(fewerTimes[keep ? 0 : 1]);
    }
    report.Note(overhead("compare, ~6,000 differences", fewerTimes[0], fewerTimes[1]));

    // The records of a compare with about 6,000 differences as json and tsv.
    auto compared = std::make_unique<EditorState>(files);
    compared->SelectedFiles = {"file1.tab", "file2.tab", "", "", ""};
    CompareFiles(*compared, quiet);
    ReportRun first;
    first.Start("compare", compared->SelectedFiles);
    for (size_t k = 0; k < compared->LastReport.Count() && k < 6000; ++k)
        first.Append(compared->LastReport.Record(k));
    compared->LastReport = first;
    const size_t records = first.Count();
    size_t jsonBytes = 0;
    for (const auto& [name, format, target] :
         {std::tuple{"json of 6,000 differences", ReportFormat::Json, 0.1},
          std::tuple{"tsv of 6,000 differences", ReportFormat::Tsv, 0.1}}) {
        Measurement m = Timed(
            name, target, [] { return std::make_unique<int>(0); },
            [&, format = format](int&) {
                jsonBytes = FormatReport(*compared, format, "bench").size();
            });
        m.Bytes = jsonBytes;
        report.Add(m);
    }
    report.Note("report formats: " + std::to_string(records) + " records");

    CountingFeedback combineLines;
    int logEntries = 0;
    Measurement combineTimes[2];
    for (bool keep : {true, false}) {
        combineTimes[keep ? 0 : 1] = Timed(
            keep ? "combine five files (sorts included)" : "combine five files, no records",
            keep ? 1.0 : 0,
            [&] {
                auto state = std::make_unique<EditorState>(files);
                state->SelectedFiles = {"file1.tab", "file2.tab", "file3.tab", "file4.tab",
                                        "file5.tab"};
                state->RemoveRows = true;
                state->LastReport.Keep = keep;
                combineLines.Lines = 0;
                return state;
            },
            [&](EditorState& state) {
                CombineFiles(state, combineLines);
                logEntries = state.Changes.ChangeCount();
            });
        report.Add(combineTimes[keep ? 0 : 1]);
    }
    report.Note(overhead("combine five files", combineTimes[0], combineTimes[1]));
    report.Note("combine: " + std::to_string(combineLines.Lines) + " report lines, " +
                std::to_string(logEntries) + " change-log entries");
}
