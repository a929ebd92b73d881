#include "core/app/colors.h"

#include <array>

#include "core/app/text.h"

namespace tw {

namespace {

constexpr TColor System(TColor index) {
    return SystemColorBase + index;
}

// The picker's order; clDefault, which the picker does not offer, comes last so the
// picker's list is a prefix of the names.
constexpr std::array<NamedColor, 52> Names = {{
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clScrollBar", System(0)},
    {"clBackground", System(1)},
    {"clActiveCaption", System(2)},
    {"clInactiveCaption", System(3)},
    {"clMenu", System(4)},
    {"clWindow", System(5)},
    {"clWindowFrame", System(6)},
    {"clMenuText", System(7)},
    {"clWindowText", System(8)},
    {"clCaptionText", System(9)},
    {"clActiveBorder", System(10)},
    {"clInactiveBorder", System(11)},
    {"clAppWorkSpace", System(12)},
    {"clHighlight", System(13)},
    {"clHighlightText", System(14)},
    {"clBtnFace", System(15)},
    {"clBtnShadow", System(16)},
    {"clGrayText", System(17)},
    {"clBtnText", System(18)},
    {"clInactiveCaptionText", System(19)},
    {"clBtnHighlight", System(20)},
    {"cl3DDkShadow", System(21)},
    {"cl3DLight", System(22)},
    {"clInfoText", System(23)},
    {"clInfoBk", System(24)},
    {"clHotLight", System(26)},
    {"clGradientActiveCaption", System(27)},
    {"clGradientInactiveCaption", System(28)},
    {"clMenuHighlight", System(29)},
    {"clMenuBar", System(30)},
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

constexpr size_t PickerCount = Names.size() - 1;

} // namespace

std::span<const NamedColor> ColorNames() {
    return Names;
}

std::span<const NamedColor> PickerColors() {
    return std::span(Names).first(PickerCount);
}

std::string ColorToText(TColor value) {
    for (const auto& named : Names)
        if (named.Value == value)
            return std::string(named.Name);
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 28; shift >= 0; shift -= 4)
        text.push_back(Digits[(value >> shift) & 0xF]);
    return text;
}

std::optional<TColor> TextToColor(std::string_view text) {
    for (const auto& named : Names)
        if (EqualsIgnoringCaseAZ(named.Name, text))
            return named.Value;
    if (auto number = ConvertInteger(text))
        return static_cast<TColor>(*number);
    return std::nullopt;
}

std::optional<Rgb> ColorToRgb(TColor value) {
    if (!IsPlainColor(value))
        return std::nullopt;
    return Rgb{static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
               static_cast<uint8_t>((value >> 16) & 0xFF)};
}

} // namespace tw
