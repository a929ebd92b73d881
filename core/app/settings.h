#pragma once
// The settings store: named text, integer and boolean values under one key, kept in a
// REGEDIT4 text file. Every operation reads the file, does its one read or write and,
// for a write, replaces the file atomically under an advisory lock, so two running
// copies never lose each other's values. Names are compared without case.

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

class TRegpath {
  public:
    std::string Root = "HKEY_LOCAL_MACHINE";
    std::string Key = "\\Software\\YourComp";
    bool Docreate = true;

    // Where the values live: the file named by TABWRIGHT_SETTINGS, else
    // $XDG_CONFIG_HOME/Orlendt/Ledgerwick.reg (~/.config when unset).
    std::string FilePath;

    static TRegpath ForProgram(); // Reg1 of the main window
    static std::string DefaultFilePath();

    // The key line of the file without its brackets: the root Root selects (an exact
    // match of HKEY_CLASSES_ROOT, HKEY_USERS or HKEY_CURRENT_USER, else the local machine)
    // and Key below it, a leading backslash dropped.
    std::string KeyPath() const;

    // The key "cannot be opened" when the file cannot be read, is not a REGEDIT4 file
    // (we never overwrite a file that is not ours), or would have to be created and cannot
    // be; with Docreate false also when the file or its key section is missing. A write
    // creates missing folders and the file when Docreate is true. Writing an existing
    // value replaces it where it stands and keeps the spelling of its name in the file.
    // A lock file beside the real settings file (links followed, + ".lock") orders the
    // writers. After a write that succeeds the value reads back from the file.

    // A write does nothing when the key cannot be opened; it returns false when the
    // store refused the value (the caller decides whether that matters).
    bool WriteString(const std::string& name, const std::string& text) const;
    bool WriteBool(const std::string& name, bool value) const;
    bool WriteInteger(const std::string& name, int32_t value) const;

    // Absent text gives the empty text; a value of another type is an error (false,
    // variable unchanged). When the key cannot be opened the variable is left unchanged
    // and the call succeeds.
    bool ReadString(const std::string& name, std::string& variable) const;
    // Absent or mistyped values are an error (nullopt) the caller turns into its
    // default. When the key cannot be opened: false and 0.
    std::optional<bool> ReadBool(const std::string& name) const;
    std::optional<int32_t> ReadInteger(const std::string& name) const;
};

} // namespace tw
