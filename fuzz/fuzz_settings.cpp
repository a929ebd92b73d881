// The settings file's read-modify-write: lines it does not change stay byte for byte,
// and every write that says it succeeded reads back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/regfile.h"
#include "fuzz_support.h"

namespace {

std::vector<std::string_view> LinesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input: a file, then after the last NUL byte the text of one value.
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t split = input.rfind('\0');
    std::string_view fileBytes = split == std::string_view::npos ? input : input.substr(0, split);
    std::string text(split == std::string_view::npos ? std::string_view()
                                                     : input.substr(split + 1));
    std::string bytes = "REGEDIT4\r\n" + std::string(fileBytes);
    auto file = tw::RegFile::Parse(bytes);
    if (!file)
        return 0;

    static const char* const key = "HKEY_LOCAL_MACHINE\\Software\\Orlendt\\Ledgerwick";
    const std::string name = text.size() % 2 ? "tabpath" : "fontsize";
    bool written = name == "tabpath"
                       ? file->SetString(key, name, text)
                       : file->SetDword(key, name, static_cast<uint32_t>(text.size()));
    const std::string after = file->Bytes();
    if (!written) {
        tw::fuzz::Check(after == bytes, "a refused write leaves the file as it was");
        return 0;
    }
    auto reread = tw::RegFile::Parse(after);
    tw::fuzz::Check(reread.has_value(), "the written file parses");
    auto value = reread->Find(key, name);
    tw::fuzz::Check(value.has_value(), "the written value is there");
    if (name == "tabpath")
        tw::fuzz::Check(value->Type == tw::RegFile::ValueType::String && value->Text == text,
                        "the text reads back");
    else
        tw::fuzz::Check(value->Type == tw::RegFile::ValueType::Dword &&
                            value->Number == static_cast<uint32_t>(text.size()),
                        "the number reads back");

    // Every line that does not hold the value is still there, in its order.
    std::vector<std::string_view> old = LinesOf(bytes), now = LinesOf(after);
    size_t at = 0;
    for (std::string_view line : old) {
        if (line.find('"') != std::string_view::npos || line.find('\\') != std::string_view::npos ||
            line.find('@') != std::string_view::npos)
            continue; // could be part of the value that was replaced
        while (at < now.size() && now[at] != line)
            ++at;
        tw::fuzz::Check(at < now.size(), "an untouched line is kept");
        ++at;
    }
    return 0;
}
