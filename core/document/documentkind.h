#pragma once
// The kinds of data file. What each kind means lives in its format class (fileformat.h).

namespace tw {

enum class DocumentKind {
    Tab,   // ".tab": TAB-separated, braces are ordinary characters
    Mes,   // ".mes": {key}{text}, later cells keep their braces
    Dlg,   // ".dlg": seven braced fields
    Other, // any other extension: braced fields like dlg, without the column limit
};

inline constexpr int DialogColumnCount = 7;

} // namespace tw
