#include "core/app/text.h"

#include <algorithm>

namespace tw {

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

std::optional<int32_t> ConvertInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && text[i + 1] == 'x') {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;
    uint64_t value = 0;
    if (hex) {
        for (; i < text.size(); ++i) {
            int d = HexDigit(text[i]);
            if (d < 0)
                return std::nullopt;
            value = value * 16 + static_cast<uint64_t>(d);
            if (value > 0xFFFFFFFFull)
                return std::nullopt;
        }
        auto bits = static_cast<uint32_t>(value);
        auto result = static_cast<int32_t>(bits);
        if (negative)
            result = static_cast<int32_t>(0u - bits);
        return result;
    }
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > 2147483648ull)
            return std::nullopt;
    }
    if (negative)
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    if (value > 2147483647ull)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::string LowerAZ(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = LowerAZ(c);
    return out;
}

bool EqualsIgnoringCaseAZ(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAZ(a[i]) != LowerAZ(b[i]))
            return false;
    return true;
}

bool ContainsIgnoringCaseAZ(std::string_view haystack, std::string_view lowerNeedle) {
    if (lowerNeedle.empty())
        return true;
    if (haystack.size() < lowerNeedle.size())
        return false;
    auto it = std::search(haystack.begin(), haystack.end(), lowerNeedle.begin(), lowerNeedle.end(),
                          [](char h, char n) { return LowerAZ(h) == n; });
    return it != haystack.end();
}

std::string IntToText(int64_t value) {
    return std::to_string(value);
}

std::string FileNamePart(std::string_view path) {
    auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FolderPart(std::string_view path) {
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtensionPart(std::string_view path) {
    std::string name = FileNamePart(path);
    auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

} // namespace tw
