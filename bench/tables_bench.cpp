// Writes the tables the whole-process figures of scripts/bench run the tool on (kept in
// bench/out/tools/ and reused): the generated 20,000 and 100,000 row tables, each shuffled,
// and four modders' copies of the large one for a combine of five files.

#include <cstdlib>
#include <filesystem>

#include "bench/generator.h"
#include "bench/registry.h"
#include "core/app/editorstate.h"
#include "core/document/loader.h"
#include "core/document/save.h"

TW_BENCH_CASE(tables) {
    using namespace tw;
    using namespace tw::bench;
    const std::string folder = OutputFolder() + "tools/";
    std::filesystem::create_directories(folder);
    ::setenv("TABWRIGHT_SETTINGS", (OutputFolder() + "settings.reg").c_str(), 1);
    Feedback quiet;
    for (int rows : {20000, 100000}) {
        ProtosShape shape;
        shape.Rows = rows;
        const std::string size = std::to_string(rows);
        const std::string plain = folder + "table-" + size + ".tab";
        std::vector<std::string> wanted = {plain, folder + "shuffled-" + size + ".tab"};
        if (rows == 100000)
            for (int copy = 2; copy <= 5; ++copy)
                wanted.push_back(folder + "modded" + std::to_string(copy) + "-" + size + ".tab");
        bool missing = false;
        for (const auto& path : wanted)
            missing = missing || !std::filesystem::exists(path);
        if (!missing)
            continue;
        std::filesystem::copy_file(ProtosTabFile(shape), plain,
                                   std::filesystem::copy_options::overwrite_existing);
        const LoadOptions options = BenchLoadOptions();
        EditorState loaded;
        if (!LoadTable(loaded, plain, 1, quiet, options).Ok) {
            report.Note("tables: " + plain + " did not load");
            return;
        }
        EditorState copy = loaded;
        ShuffleRows(copy.SG1(), 7);
        SaveDocumentTo(copy, wanted[1], quiet);
        for (size_t k = 2; k < wanted.size(); ++k) {
            copy.SG1() = loaded.SG1();
            MakeModdedCopy(copy.SG1(), static_cast<uint32_t>(k));
            SaveDocumentTo(copy, wanted[k], quiet);
        }
    }
    report.Note("tables: written to " + folder);
}
