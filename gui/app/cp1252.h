#pragma once
// Cell bytes are shown as Windows-1252. The five bytes that code page leaves undefined
// map to the C1 controls of the same value, so every byte round-trips.

#include <QString>
#include <string>
#include <string_view>

namespace tw {

QString FromCp1252(std::string_view bytes);
// False when a character lies outside the code page (nothing is substituted).
bool ToCp1252(const QString& text, std::string& bytes);
std::string ToCp1252OrEmpty(const QString& text);

} // namespace tw
