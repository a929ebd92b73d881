#pragma once
// Conversions and comparisons every part of the program shares, so that a number read
// from a cell, a language line or an input box means the same thing everywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The whole text must be one 32-bit integer: leading blanks, at most one sign, then
// decimal digits, or hexadecimal digits after "$", "x", "X" or "0x". Any other character,
// a trailing blank included, fails. Decimal values must lie in the signed 32-bit range;
// hexadecimal ones may use all 32 bits ("$FFFFFFFF" is -1), which colour values need.
std::optional<int32_t> ConvertInteger(std::string_view text);
inline bool IsInteger(std::string_view text) {
    return ConvertInteger(text).has_value();
}

// Byte order: unsigned bytes, case-sensitive, a prefix before the longer text.
inline int CompareText(std::string_view a, std::string_view b) {
    int c = a.compare(b); // std::char_traits<char>::compare is unsigned-byte memcmp
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
// "At or below a single space": empty, one blank, or starting with a control character.
inline bool SortsAtOrBelowBlank(std::string_view s) {
    return CompareText(s, " ") <= 0;
}
inline bool SortsBelowBlank(std::string_view s) {
    return CompareText(s, " ") < 0;
}

// Lower-casing changes the letters A to Z only.
inline char LowerAZ(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
std::string LowerAZ(std::string_view text);
bool EqualsIgnoringCaseAZ(std::string_view a, std::string_view b);
// Whether `haystack` contains `lowerNeedle` (already lower-cased) ignoring A-Z case.
bool ContainsIgnoringCaseAZ(std::string_view haystack, std::string_view lowerNeedle);

std::string IntToText(int64_t value);

// Every failure message about a file: the message, then the system's reason (when there
// is one) on a line of its own.
inline std::string WithSystemReason(std::string message, std::string_view reason) {
    if (!reason.empty()) {
        message += '\n';
        message += reason;
    }
    return message;
}

// Path pieces with "/" as the only separator.
std::string FileNamePart(std::string_view path);
std::string FolderPart(std::string_view path); // up to and including the last "/"
std::string
ExtensionPart(std::string_view path); // from the last "." of the file name, with the dot

} // namespace tw
