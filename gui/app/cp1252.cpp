#include "gui/app/cp1252.h"

#include "core/app/codepage.h"

namespace tw {

QString FromCp1252(std::string_view bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* data = out.data();
    for (size_t i = 0; i < bytes.size(); ++i) {
        data[i] = QChar(Cp1252ToUnicode(static_cast<unsigned char>(bytes[i])));
    }
    return out;
}

bool ToCp1252(const QString& text, std::string& bytes) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        auto byte = UnicodeToCp1252(ch.unicode());
        if (!byte)
            return false;
        out.push_back(*byte);
    }
    bytes = std::move(out);
    return true;
}

std::string ToCp1252OrEmpty(const QString& text) {
    std::string bytes;
    return ToCp1252(text, bytes) ? bytes : std::string();
}

} // namespace tw
