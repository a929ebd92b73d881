#pragma once
// Turns stored colour values into colours Qt can paint with. System colours follow the
// application palette at the moment of the call, so a palette change shows at the next
// repaint.

#include <QColor>
#include <QPalette>

#include "core/app/colors.h"

namespace tw {

// Plain colours as they are; system colours through the palette by role; clNone as a
// fully transparent colour; clDefault, system indices without a role and any other value
// as an invalid QColor, which tells the caller to use its own default.
QColor ResolveColor(TColor value);
QColor ResolveColor(TColor value, const QPalette& palette);

// The plain colour of a QColor (alpha ignored); an invalid QColor gives clDefault and a
// fully transparent one clNone, the inverses of ResolveColor.
TColor FromQColor(const QColor& color);

} // namespace tw
