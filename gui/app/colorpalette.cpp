#include "gui/app/colorpalette.h"

#include <QGuiApplication>
#include <array>
#include <optional>

namespace tw {

namespace {

struct PaletteRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

constexpr PaletteRole Active(QPalette::ColorRole role) {
    return {QPalette::Active, role};
}
constexpr PaletteRole Inactive(QPalette::ColorRole role) {
    return {QPalette::Inactive, role};
}

// Indexed by the system colour index. Captions and gradients take the selection colours,
// as title bars do in most Qt styles; borders and frames take the bevel shades.
constexpr std::array<std::optional<PaletteRole>, 31> SystemRoles = {{
    Active(QPalette::Button),                        // 0 clScrollBar
    Active(QPalette::Dark),                          // 1 clBackground
    Active(QPalette::Highlight),                     // 2 clActiveCaption
    Inactive(QPalette::Highlight),                   // 3 clInactiveCaption
    Active(QPalette::Window),                        // 4 clMenu
    Active(QPalette::Base),                          // 5 clWindow
    Active(QPalette::Dark),                          // 6 clWindowFrame
    Active(QPalette::WindowText),                    // 7 clMenuText
    Active(QPalette::Text),                          // 8 clWindowText
    Active(QPalette::HighlightedText),               // 9 clCaptionText
    Active(QPalette::Mid),                           // 10 clActiveBorder
    Inactive(QPalette::Mid),                         // 11 clInactiveBorder
    Active(QPalette::Dark),                          // 12 clAppWorkSpace
    Active(QPalette::Highlight),                     // 13 clHighlight
    Active(QPalette::HighlightedText),               // 14 clHighlightText
    Active(QPalette::Button),                        // 15 clBtnFace
    Active(QPalette::Dark),                          // 16 clBtnShadow
    PaletteRole{QPalette::Disabled, QPalette::Text}, // 17 clGrayText
    Active(QPalette::ButtonText),                    // 18 clBtnText
    Inactive(QPalette::HighlightedText),             // 19 clInactiveCaptionText
    Active(QPalette::Light),                         // 20 clBtnHighlight
    Active(QPalette::Shadow),                        // 21 cl3DDkShadow
    Active(QPalette::Midlight),                      // 22 cl3DLight
    Active(QPalette::ToolTipText),                   // 23 clInfoText
    Active(QPalette::ToolTipBase),                   // 24 clInfoBk
    std::nullopt,                                    // 25 has no name and no role
    Active(QPalette::Link),                          // 26 clHotLight
    Active(QPalette::Highlight),                     // 27 clGradientActiveCaption
    Inactive(QPalette::Highlight),                   // 28 clGradientInactiveCaption
    Active(QPalette::Highlight),                     // 29 clMenuHighlight
    Active(QPalette::Window),                        // 30 clMenuBar
}};

} // namespace

QColor ResolveColor(TColor value, const QPalette& palette) {
    if (auto rgb = ColorToRgb(value))
        return QColor(rgb->Red, rgb->Green, rgb->Blue);
    if (value == clNone)
        return QColor(Qt::transparent);
    if (IsSystemColor(value)) {
        const auto index = static_cast<size_t>(SystemColorIndex(value));
        if (index < SystemRoles.size() && SystemRoles[index])
            return palette.color(SystemRoles[index]->Group, SystemRoles[index]->Role);
    }
    return QColor();
}

QColor ResolveColor(TColor value) {
    return ResolveColor(value, QGuiApplication::palette());
}

TColor FromQColor(const QColor& color) {
    if (!color.isValid())
        return clDefault;
    if (color.alpha() == 0)
        return clNone;
    const QColor rgb = color.toRgb();
    return RgbToColor(static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
                      static_cast<uint8_t>(rgb.blue()));
}

} // namespace tw
