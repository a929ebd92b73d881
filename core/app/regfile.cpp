#include "core/app/regfile.h"

#include "core/app/codepage.h"

#include <array>
#include <map>

#include "core/app/text.h"

namespace tw {

namespace {

constexpr std::string_view Signature = "REGEDIT4";

// Without its CR LF or LF.
std::string_view Content(const std::string& line) {
    std::string_view s(line);
    if (!s.empty() && s.back() == '\n')
        s.remove_suffix(1);
    if (!s.empty() && s.back() == '\r')
        s.remove_suffix(1);
    return s;
}

std::string_view Terminator(const std::string& line) {
    std::string_view s(line);
    return s.substr(Content(line).size());
}

// Gives a line its line end so another can follow: a hand-edited last line that ends
// in a lone CR would otherwise run into the next line.
void EndLine(std::string& line, const std::string& eol) {
    if (!line.empty() && line.back() == '\n')
        return;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    line += eol;
}

// Whether hex data on this line goes on on the next one.
bool ContinuesHex(std::string_view line);

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}
std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualsIgnoringCaseAZ(s.substr(0, prefix.size()), prefix);
}

// A quoted name or text starting at s[pos] == '"'. The writer escapes only backslash and
// double quote; any other backslash pair (a hand-edited "C:\x") is kept as it stands.
// Returns the position after the closing quote, or npos when the quote is never closed.
size_t ReadQuoted(std::string_view s, size_t pos, std::string& out) {
    out.clear();
    for (size_t i = pos + 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"')
            return i + 1;
        if (c == '\\' && i + 1 < s.size()) {
            char next = s[i + 1];
            if (next != '\\' && next != '"')
                out.push_back('\\');
            out.push_back(next);
            ++i;
            continue;
        }
        out.push_back(c);
    }
    return std::string_view::npos;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

bool FitsOnOneLine(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// "61,62,00" with blanks allowed around the bytes; an empty list is no bytes.
std::optional<std::string> ParseHexBytes(std::string_view s) {
    std::string out;
    s = TrimRight(TrimLeft(s));
    if (s.empty())
        return out;
    size_t i = 0;
    while (true) {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        int value = 0;
        int digits = 0;
        while (i < s.size() && HexValue(s[i]) >= 0 && digits < 2) {
            value = value * 16 + HexValue(s[i]);
            ++digits;
            ++i;
        }
        if (digits == 0)
            return std::nullopt;
        out.push_back(static_cast<char>(value));
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        if (i == s.size())
            return out;
        if (s[i] != ',')
            return std::nullopt;
        ++i;
    }
}

std::optional<char> ToCp1252(char16_t unit) {
    return UnicodeToCp1252(unit);
}

// An expandable string as exported: UTF-16LE with a terminating zero unit. The program's
// texts are 8-bit, so a character outside Windows-1252 makes the value unreadable rather
// than silently replaced. Data that is not UTF-16 (odd length, no zero unit at the end)
// is taken as 8-bit bytes with one terminating zero.
std::optional<std::string> DecodeExpandable(const std::string& bytes) {
    size_t n = bytes.size();
    if (n >= 2 && n % 2 == 0 && bytes[n - 1] == '\0' && bytes[n - 2] == '\0') {
        std::string out;
        for (size_t i = 0; i + 2 < n; i += 2) {
            auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8));
            auto byte = ToCp1252(unit);
            if (!byte)
                return std::nullopt;
            out.push_back(*byte);
        }
        return out;
    }
    std::string out = bytes;
    if (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

RegFile::Value ParseData(std::string_view data) {
    RegFile::Value v;
    if (!data.empty() && data.front() == '"') {
        size_t end = ReadQuoted(data, 0, v.Text);
        if (end != std::string_view::npos && TrimRight(data.substr(end)).empty())
            v.Type = RegFile::ValueType::String;
        return v;
    }
    if (StartsWithIgnoringCase(data, "dword:")) {
        std::string_view digits = TrimRight(data.substr(6));
        if (digits.empty() || digits.size() > 8)
            return v;
        uint32_t number = 0;
        for (char c : digits) {
            int d = HexValue(c);
            if (d < 0)
                return v;
            number = number * 16 + static_cast<uint32_t>(d);
        }
        v.Type = RegFile::ValueType::Dword;
        v.Number = number;
        return v;
    }
    if (StartsWithIgnoringCase(data, "hex")) {
        size_t colon = data.find(':');
        if (colon == std::string_view::npos)
            return v;
        std::string_view type = data.substr(3, colon - 3);
        unsigned typeNumber = 3; // plain "hex:" is binary data
        if (!type.empty()) {
            if (type.size() < 3 || type.front() != '(' || type.back() != ')')
                return v;
            typeNumber = 0;
            for (char c : type.substr(1, type.size() - 2)) {
                int d = HexValue(c);
                if (d < 0 || typeNumber > 0xFFFFFFF)
                    return v;
                typeNumber = typeNumber * 16 + static_cast<unsigned>(d);
            }
        }
        auto bytes = ParseHexBytes(data.substr(colon + 1));
        if (!bytes)
            return v;
        if (typeNumber == 1) {
            v.Type = RegFile::ValueType::String;
            v.Text = *bytes;
            if (!v.Text.empty() && v.Text.back() == '\0')
                v.Text.pop_back();
        } else if (typeNumber == 2) {
            if (auto text = DecodeExpandable(*bytes)) {
                v.Type = RegFile::ValueType::String;
                v.Text = *text;
            }
        } else if (typeNumber == 4 && bytes->size() == 4) {
            v.Type = RegFile::ValueType::Dword;
            for (int i = 3; i >= 0; --i)
                v.Number =
                    (v.Number << 8) | static_cast<unsigned char>((*bytes)[static_cast<size_t>(i)]);
        }
        return v;
    }
    return v;
}

std::string DwordData(uint32_t number) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string out = "dword:";
    for (int shift = 28; shift >= 0; shift -= 4)
        out.push_back(Digits[(number >> shift) & 0xF]);
    return out;
}

std::string StringBytesData(std::string_view text) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string out = "hex(1):";
    out.reserve(7 + (text.size() + 1) * 3);
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        out.push_back(Digits[b >> 4]);
        out.push_back(Digits[b & 0xF]);
        out.push_back(',');
    }
    out += "00";
    return out;
}

bool ContinuesHex(std::string_view line) {
    while (!line.empty() && (IsBlank(line.back()) || line.back() == '\r'))
        line.remove_suffix(1);
    return !line.empty() && line.back() == '\\';
}

std::string NameField(std::string_view name) {
    return name.empty() ? "@" : Quoted(name);
}

} // namespace

std::optional<RegFile> RegFile::Parse(std::string_view bytes) {
    RegFile file;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        file.Lines.emplace_back(bytes.substr(pos, end - pos));
        pos = end;
    }
    if (!file.Lines.empty() && TrimRight(Content(file.Lines.front())) != Signature)
        return std::nullopt;
    return file;
}

std::string RegFile::Bytes() const {
    std::string out;
    size_t total = 0;
    for (const auto& line : Lines)
        total += line.size();
    out.reserve(total);
    for (const auto& line : Lines)
        out += line;
    return out;
}

std::string RegFile::LineEnd() const {
    if (!Lines.empty() && Terminator(Lines.front()) == "\n")
        return "\n";
    return "\r\n"; // what the format's own tools write, and the choice for a new file
}

RegFile::KeyScan RegFile::Scan(std::string_view keyPath) const {
    KeyScan scan;
    bool inKey = false;
    for (size_t i = 0; i < Lines.size();) {
        std::string_view line = Content(Lines[i]);
        if (!line.empty() && line.front() == '[') {
            if (inKey)
                scan.LastSectionEnd = i;
            std::string_view header = TrimRight(line);
            inKey = header.size() >= 2 && header.back() == ']' &&
                    EqualsIgnoringCaseAZ(header.substr(1, header.size() - 2), keyPath);
            if (inKey)
                scan.LastSectionHeader = i;
            ++i;
            continue;
        }
        size_t lineCount = 1;
        if (inKey && !line.empty() && (line.front() == '"' || line.front() == '@')) {
            Entry e;
            size_t afterName;
            if (line.front() == '@') {
                afterName = 1;
            } else {
                afterName = ReadQuoted(line, 0, e.Name);
            }
            if (afterName != std::string_view::npos && afterName < line.size() &&
                line[afterName] == '=') {
                e.FirstLine = i;
                e.DataOffset = afterName + 1;
                std::string data(line.substr(e.DataOffset));
                // Long hex data continues on the next lines after a trailing backslash.
                if (StartsWithIgnoringCase(data, "hex")) {
                    while (!TrimRight(data).empty() && TrimRight(data).back() == '\\' &&
                           i + lineCount < Lines.size() &&
                           !Content(Lines[i + lineCount]).starts_with('[')) {
                        data.resize(TrimRight(data).size() - 1);
                        data += TrimLeft(Content(Lines[i + lineCount]));
                        ++lineCount;
                    }
                }
                e.LineCount = lineCount;
                e.Deleted = TrimRight(data) == "-";
                e.Data = ParseData(data);
                scan.Entries.push_back(std::move(e));
            }
        }
        i += lineCount;
    }
    if (inKey)
        scan.LastSectionEnd = Lines.size();
    return scan;
}

bool RegFile::HasKey(std::string_view keyPath) const {
    return Scan(keyPath).LastSectionEnd.has_value();
}

std::optional<RegFile::Value> RegFile::Find(std::string_view keyPath, std::string_view name) const {
    KeyScan scan = Scan(keyPath);
    for (auto it = scan.Entries.rbegin(); it != scan.Entries.rend(); ++it) {
        if (!EqualsIgnoringCaseAZ(it->Name, name))
            continue;
        if (it->Deleted)
            return std::nullopt;
        return it->Data;
    }
    return std::nullopt;
}

bool RegFile::SetString(std::string_view keyPath, std::string_view name, std::string_view text) {
    return SetData(keyPath, name, FitsOnOneLine(text) ? Quoted(text) : StringBytesData(text));
}

bool RegFile::SetDword(std::string_view keyPath, std::string_view name, uint32_t number) {
    return SetData(keyPath, name, DwordData(number));
}

std::map<std::pair<std::string, std::string>, RegFile::Value> RegFile::AllValues() const {
    std::map<std::pair<std::string, std::string>, Value> values;
    std::vector<std::string> keys;
    for (const auto& line : Lines) {
        std::string_view header = TrimRight(Content(line));
        if (header.size() >= 2 && header.front() == '[' && header.back() == ']')
            keys.push_back(LowerAZ(header.substr(1, header.size() - 2)));
    }
    for (const std::string& key : keys) {
        for (const Entry& e : Scan(key).Entries) {
            auto at = std::make_pair(key, LowerAZ(e.Name));
            if (e.Deleted)
                values.erase(at);
            else
                values[at] = e.Data;
        }
    }
    return values;
}

bool RegFile::SetData(std::string_view keyPath, std::string_view name, const std::string& data) {
    // Whatever the file looked like, a write that succeeds reads back, and every other
    // value reads as before; otherwise the file stays as it was and the write fails.
    const std::vector<std::string> before = Lines;
    auto valuesBefore = AllValues();
    if (!ChangeData(keyPath, name, data))
        return false;
    auto valuesAfter = AllValues();
    const auto written = std::make_pair(LowerAZ(keyPath), LowerAZ(name));
    auto it = valuesAfter.find(written);
    const Value expected = ParseData(data);
    bool readsBack = it != valuesAfter.end() && it->second.Type == expected.Type &&
                     it->second.Text == expected.Text && it->second.Number == expected.Number;
    valuesBefore.erase(written);
    valuesAfter.erase(written);
    if (readsBack && valuesBefore == valuesAfter)
        return true;
    Lines = before;
    return false;
}

bool RegFile::ChangeData(std::string_view keyPath, std::string_view name, const std::string& data) {
    if (!FitsOnOneLine(name) || !FitsOnOneLine(keyPath))
        return false;
    const std::string eol = LineEnd();
    KeyScan scan = Scan(keyPath);

    for (auto it = scan.Entries.rbegin(); it != scan.Entries.rend(); ++it) {
        if (!EqualsIgnoringCaseAZ(it->Name, name))
            continue;
        const std::string& first = Lines[it->FirstLine];
        std::string line = first.substr(0, it->DataOffset) + data;
        line += Terminator(Lines[it->FirstLine + it->LineCount - 1]);
        auto begin = Lines.begin() + static_cast<std::ptrdiff_t>(it->FirstLine);
        Lines.erase(begin + 1, begin + static_cast<std::ptrdiff_t>(it->LineCount));
        *begin = std::move(line);
        return true;
    }

    std::string valueLine = NameField(name) + "=" + data + eol;
    if (scan.LastSectionEnd) {
        // After the section's last value, so blank lines and comments that close the
        // section stay where they were.
        size_t at = scan.LastSectionHeader + 1;
        for (const Entry& e : scan.Entries)
            if (e.FirstLine > scan.LastSectionHeader)
                at = e.FirstLine + e.LineCount;
        // Right behind hex data left open by a trailing backslash the new line would be
        // read as more of that data: it goes before that value instead.
        for (const Entry& e : scan.Entries)
            if (e.FirstLine + e.LineCount == at &&
                StartsWithIgnoringCase(Content(Lines[e.FirstLine]).substr(e.DataOffset), "hex") &&
                ContinuesHex(Content(Lines[at - 1])))
                at = e.FirstLine;
        EndLine(Lines[at - 1], eol);
        Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(valueLine));
        return true;
    }

    if (Lines.empty()) {
        Lines.push_back(std::string(Signature) + eol);
    } else {
        EndLine(Lines.back(), eol);
    }
    if (!TrimRight(Content(Lines.back())).empty())
        Lines.push_back(eol);
    Lines.push_back("[" + std::string(keyPath) + "]" + eol);
    Lines.push_back(std::move(valueLine));
    Lines.push_back(eol);
    return true;
}

} // namespace tw
