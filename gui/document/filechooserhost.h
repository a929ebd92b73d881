#pragma once
// What the File chooser needs from the main window. The chooser never reaches into the
// main window itself: it asks through this interface, which TForm1 implements and tests
// replace with a recorder.

#include <string>
#include <vector>

#include "core/app/programtexts.h"

namespace tw {

class FileChooserHost {
  public:
    virtual ~FileChooserHost() = default;

    // Language text N of the active language file.
    virtual std::string Text(int index) const = 0;
    // A message box with one text and one button, through the program's prompts.
    virtual void ShowMessage(const std::string& text) = 0;
    // An added text of the active language file (built-in English without one).
    virtual std::string AddedText(const std::string& name) const {
        return BuiltInProgramText(name);
    }
    // Folders to open in when the chooser has none that exists, best first ("tabpath",
    // the document's folder).
    virtual std::vector<std::string> OpeningFolders() const { return {}; }

    // "&Load Selected": load `path` into SG1, then store the chooser's folder (as the
    // load left it) as "tabpath" and the file name of `path` as "lastfile".
    virtual void LoadSelected(const std::string& path) = 0;
    // "&Save As": save the document as `typedName` (exactly as typed) in `folder`.
    virtual void SaveAs(const std::string& folder, const std::string& typedName) = 0;

    // The picks of "Select 1" to "Select 5" (k = 1..5); empty when not picked.
    virtual std::string SelectedFile(int k) const = 0;
    virtual void SetSelectedFile(int k, const std::string& path) = 0;
    // "compare" or "combine", as the menu command that opened the chooser set it.
    virtual std::string CompareMode() const = 0;

    // "Go With Selected": the steps it runs on the main window.
    virtual void SetBatchActive(bool active) = 0;
    // Clears Memo1 and sets the variable-list selector ComboBox2 to its first entry.
    virtual void ResetReportArea() = 0;
    virtual void LoadIntoSlot(const std::string& path, int slot) = 0;
    virtual void RunCompareOrCombine(const std::string& mode) = 0;
};

} // namespace tw
