// Load, save, load, save, for every kind: no crash, no sanitizer finding, and a tab
// table's second save gives the bytes of its first. Brace kinds are not held to that:
// the file rules wrap a bare key or drop a brace on every round for lines they
// cannot reproduce (a mes comment holding "}", an empty key before a text).

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app/editorstate.h"
#include "core/document/loader.h"
#include "core/document/writer.h"
#include "fuzz_support.h"

namespace {

class StringSink : public tw::ByteSink {
  public:
    bool Write(std::string_view bytes) override {
        Bytes.append(bytes);
        return true;
    }
    std::string Bytes;
};

std::string LoadAndSave(tw::EditorState& state, const std::string& path) {
    tw::LoadOptions options;
    options.MakeBackup = false;
    options.WriteSettings = false;
    options.ReadDescriptions = false;
    tw::Feedback quiet;
    tw::fuzz::Check(tw::LoadTable(state, path, 1, quiet, options).Ok, "load");
    StringSink sink;
    tw::fuzz::Check(tw::WriteDocument(state, sink, quiet), "save");
    return sink.Bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const names[] = {"protos.tab", "items.tab", "quests.mes",
                                        "00001innkeeper.dlg", "notes.txt"};
    if (size == 0)
        return 0;
    const std::string name = names[data[0] % 5];
    const std::string path = tw::fuzz::Folder() + name;
    tw::fuzz::WriteFile(path, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

    tw::EditorState state;
    state.ExeFolder = tw::fuzz::Folder();
    const std::string first = LoadAndSave(state, path);
    tw::fuzz::WriteFile(path, first);
    const std::string second = LoadAndSave(state, path);
    if (name.find(".tab") != std::string::npos)
        tw::fuzz::Check(second == first, "a saved tab file saves again as the same bytes");
    return 0;
}
