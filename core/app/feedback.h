#pragma once
// What a long core operation shows while it runs. The editor shows it in its status bar,
// progress bar and message boxes; the command-line tool on stderr; tests record it.

#include <string>

namespace tw {

class Feedback {
  public:
    virtual ~Feedback() = default;
    virtual void SetStatus(const std::string& /*text*/) {}
    virtual void SetProgressMax(int /*maximum*/) {}
    // The maximum last set (by whichever operation set it), so a finished load can show a
    // full bar.
    virtual int ProgressMaximum() const { return 0; }
    virtual void SetProgress(int /*position*/) {}
    // Repaints the status area and the window, so the user sees the text at once.
    virtual void Refresh() {}
    virtual void SetBusy(bool /*busy*/) {}
    // A message box with one text and one button.
    virtual void ShowMessage(const std::string& /*text*/) {}
    // A line of the report area (the reference panel's text area).
    virtual void AppendReport(const std::string& /*line*/) {}
    virtual void ClearReport() {}
    // Stores a half-typed value of the main grid's cell editor into its cell.
    virtual void EndCellEdit() {}
    // The report area is shown only while the variable list is open.
    virtual bool ReportVisible() { return true; }
    virtual void ShowReportPanel() {}
    // The file chooser follows the folder of the document just loaded.
    virtual void SetChooserFolder(const std::string& /*folder*/) {}
    // Asked often by long work (a sort, compare, combine, column sizing): true once the user
    // has asked to stop it. The editor also uses the call to keep its window painted.
    virtual bool Cancelled() { return false; }
};

// Thrown out of long work that the user stopped; RunCancellable (documentedits.h) catches it
// and puts the document back as it was. Not a std::exception on purpose: no handler meant
// for failures may take a stop for one.
struct WorkCancelled {};

inline void StopIfCancelled(Feedback& feedback) {
    if (feedback.Cancelled())
        throw WorkCancelled{};
}

} // namespace tw
