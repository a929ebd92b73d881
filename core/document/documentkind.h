#pragma once
// The three file formats, told apart by the lower-cased extension.

#include <string_view>

namespace tw {

enum class DocumentKind {
    Tab,   // ".tab": TAB-separated, braces are ordinary characters
    Mes,   // ".mes": {key}{text}, later cells keep their braces
    Dlg,   // ".dlg": seven braced fields
    Other, // any other extension: braced fields like dlg, without the column limit
};

inline DocumentKind KindOfExtension(std::string_view lowerExt) {
    if (lowerExt == ".tab") return DocumentKind::Tab;
    if (lowerExt == ".mes") return DocumentKind::Mes;
    if (lowerExt == ".dlg") return DocumentKind::Dlg;
    return DocumentKind::Other;
}

inline char FieldSeparatorOf(DocumentKind kind) { return kind == DocumentKind::Tab ? '\t' : '}'; }
inline const char* OpenMarkOf(DocumentKind kind) { return kind == DocumentKind::Tab ? "" : "{"; }

inline constexpr int DialogColumnCount = 7;

} // namespace tw
