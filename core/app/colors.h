#pragma once
// Colour values and the text form they are stored in. A colour is 32 bits: 0x00BBGGRR for
// a plain colour, 0x80000000 plus an index for a system colour that the windowing side
// resolves, and two special values for "no colour" and "the default colour".

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tw {

using TColor = uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor SystemColorBase = 0x80000000;

struct NamedColor {
    std::string_view Name; // "clSkyBlue"
    TColor Value;
};

// The name when the colour has one, else "$" and eight upper-case hexadecimal digits.
std::string ColorToText(TColor value);
// A name (without regard to A-Z case) or an integer text; anything else fails.
std::optional<TColor> TextToColor(std::string_view text);

// Every name the notation knows.
std::span<const NamedColor> ColorNames();
// The colour window's list, in its order: the sixteen standard colours, the four extra
// ones (money green, sky blue, cream, medium grey), the system colours, none.
std::span<const NamedColor> PickerColors();

inline constexpr bool IsSystemColor(TColor value) {
    return (value & 0xFFFFFF00u) == SystemColorBase;
}
// Meaningful only for a system colour.
inline constexpr int SystemColorIndex(TColor value) {
    return static_cast<int>(value & 0xFFu);
}

struct Rgb {
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr bool IsPlainColor(TColor value) {
    return value <= 0x00FFFFFFu;
}
// Red in the low byte; nullopt for system and special colours.
std::optional<Rgb> ColorToRgb(TColor value);
inline constexpr TColor RgbToColor(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) |
           (static_cast<TColor>(blue) << 16);
}

} // namespace tw
