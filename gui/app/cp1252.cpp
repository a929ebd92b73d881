#include "gui/app/cp1252.h"

#include <array>

namespace tw {

namespace {
// 0x80..0x9F; undefined bytes map to themselves.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString FromCp1252(std::string_view bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* data = out.data();
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        data[i] = (b >= 0x80 && b <= 0x9F) ? QChar(High[b - 0x80]) : QChar(static_cast<char16_t>(b));
    }
    return out;
}

bool ToCp1252(const QString& text, std::string& bytes) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        bool found = false;
        for (size_t k = 0; k < High.size(); ++k) {
            if (High[k] == u) {
                out.push_back(static_cast<char>(0x80 + k));
                found = true;
                break;
            }
        }
        if (!found) return false;
    }
    bytes = std::move(out);
    return true;
}

std::string ToCp1252OrEmpty(const QString& text) {
    std::string bytes;
    return ToCp1252(text, bytes) ? bytes : std::string();
}

} // namespace tw
