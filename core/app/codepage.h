#pragma once
// Windows-1252, the code page cell bytes are shown in. The five bytes it leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same value, so every
// byte has a character and every such character its byte.

#include <array>
#include <optional>

namespace tw {

inline constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline char16_t Cp1252ToUnicode(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? Cp1252High[byte - 0x80] : static_cast<char16_t>(byte);
}

inline std::optional<char> UnicodeToCp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (size_t k = 0; k < Cp1252High.size(); ++k)
        if (Cp1252High[k] == unit)
            return static_cast<char>(0x80 + k);
    return std::nullopt;
}

} // namespace tw
