#pragma once
// A registry export in the REGEDIT4 text format, held as its own lines so that every line
// this program does not change is written back byte for byte: other keys, comments,
// values of types we never write, lines we cannot make sense of.
//
// Values we write:
//   "name"="text"          backslash and double quote escaped by a backslash, every other
//                          byte as it is (the file is 8-bit, like the cells)
//   "name"=hex(1):61,0d,0a,62,00
//                          a text holding CR, LF or NUL, which cannot stand inside quotes
//                          on one line: the same string type written as its bytes with the
//                          terminating zero, so it reads back exactly
//   "name"=dword:0000000a  a 32-bit number
// Values we also read: hex(2) (expandable text, not expanded), hex(4) (a number as four
// little-endian bytes), hex data continued over several lines with a trailing backslash.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class RegFile {
  public:
    enum class ValueType { String, Dword, Other };
    struct Value {
        ValueType Type = ValueType::Other;
        std::string Text;    // String
        uint32_t Number = 0; // Dword
        bool operator==(const Value&) const = default;
    };

    // An empty text is a new file. Anything that does not begin with the REGEDIT4 line is
    // not ours to rewrite: nullopt.
    static std::optional<RegFile> Parse(std::string_view bytes);

    // keyPath is the key line's text without the brackets, e.g. "HKEY_USERS\Software\X";
    // keys and value names compare without regard to A-Z case, like the registry's.
    bool HasKey(std::string_view keyPath) const;
    // The value as the registry would hold it after importing the file: where a name
    // occurs twice, the later line wins. A "-" (delete) entry reads as absent.
    std::optional<Value> Find(std::string_view keyPath, std::string_view name) const;

    // False when the name cannot be written into the file (it holds CR, LF or NUL).
    // An existing value is replaced where it stands and keeps the spelling of its name
    // found in the file; a new one goes to the end of the last section of the key, or a
    // new section at the end of the file.
    bool SetString(std::string_view keyPath, std::string_view name, std::string_view text);
    bool SetDword(std::string_view keyPath, std::string_view name, uint32_t number);

    std::string Bytes() const;

  private:
    struct Entry {
        size_t FirstLine = 0;
        size_t LineCount = 0;
        std::string Name;
        size_t DataOffset = 0; // where the data starts in the first line
        bool Deleted = false;
        Value Data;
    };
    struct KeyScan {
        std::vector<Entry> Entries;           // values under the key, in file order
        std::optional<size_t> LastSectionEnd; // one past the last line of the key's last section
        size_t LastSectionHeader = 0;
    };

    KeyScan Scan(std::string_view keyPath) const;
    bool SetData(std::string_view keyPath, std::string_view name, const std::string& data);
    bool ChangeData(std::string_view keyPath, std::string_view name, const std::string& data);
    // Every value the file holds, by lower-cased key and name.
    std::map<std::pair<std::string, std::string>, Value> AllValues() const;
    std::string LineEnd() const;

    std::vector<std::string> Lines; // each with its own line terminator, if it had one
};

} // namespace tw
