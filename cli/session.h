#pragma once
// What every subcommand works with: an editor state of its own with the language loaded,
// feedback that goes to stderr, and the steps the commands share.

#include <optional>
#include <string>
#include <vector>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"
#include "core/document/loader.h"

namespace tw::cli {

struct ParsedArguments;

// Messages of the core go to stderr. Status texts and the progress bar are not shown;
// report lines neither: compare and combine print their report from the run's records,
// in the format asked for.
class CliFeedback : public Feedback {
  public:
    void ShowMessage(const std::string& text) override;

    // While held, messages are kept instead of printed, so a command can replace the
    // editor's message box about a failed load by its own line naming the file.
    bool Holding = false;
    std::vector<std::string> Held;
};

class Session {
  public:
    EditorState State;
    CliFeedback Shown;

    // Loads the language file (--language LNG, a path or a name beside the program, else
    // english.lng beside the program) and applies the common options. False after
    // printing a message naming the file.
    bool Prepare(const ParsedArguments& arguments);

    // Loads FILE into `slot` as the editor does, without the description file and without
    // touching the settings; a backup only when `backup` is set. False after printing a
    // message naming the file.
    bool LoadInput(const std::string& path, int slot, bool backup);

    // Writes the main grid as Save would: to `out`, replaced atomically, or to stdout.
    // False after printing a message naming the file.
    bool WriteOutput(const std::optional<std::string>& out);

    // Prints "tabwright-cli: " and the text on stderr.
    static void Error(const std::string& text);
    // Prints the problem and the usage on stderr.
    static void UsageError(const std::string& text);
};

// Whether the two paths name one existing file.
bool SameFile(const std::string& a, const std::string& b);

// The folder of the running program, ending in "/".
std::string ProgramFolder();

} // namespace tw::cli
