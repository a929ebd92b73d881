#pragma once
// What core operations show while they run, shown in the main window: the status panel,
// the progress bar, the busy cursor, message boxes (through Prompts) and report lines in
// the reference panel's text area.

#include <functional>

#include "core/app/feedback.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QWidget;

namespace tw {

class GridView;
class Prompts;

class GuiFeedback : public Feedback {
  public:
    struct Widgets {
        QWidget* Window = nullptr;
        QWidget* StatusArea = nullptr;
        QLabel* StatusPanel = nullptr;
        QProgressBar* ProgressBar1 = nullptr;
        QPlainTextEdit* Memo1 = nullptr;
        GridView* SG1 = nullptr;
    };

    GuiFeedback(const Widgets& widgets, Prompts& prompts);
    ~GuiFeedback() override;
    GuiFeedback(const GuiFeedback&) = delete;
    GuiFeedback& operator=(const GuiFeedback&) = delete;

    void SetStatus(const std::string& text) override;
    void SetProgressMax(int maximum) override;
    int ProgressMaximum() const override;
    void SetProgress(int position) override;
    void Refresh() override;
    // The busy cursor is on or off, not counted: switching it on twice and off once
    // leaves the normal cursor, so an early return can never leave it stuck.
    void SetBusy(bool busy) override;
    bool Busy() const { return BusyShown; }
    void ShowMessage(const std::string& text) override;
    void AppendReport(const std::string& line) override;
    void ClearReport() override;
    void EndCellEdit() override;
    bool ReportVisible() override;
    void ShowReportPanel() override;
    void SetChooserFolder(const std::string& folder) override;

    // Set by the main window: opening the reference panel is its Show Variable List
    // command; the chooser's folder is set through the chooser window.
    std::function<void()> ShowReportPanelCommand;
    std::function<void(const std::string&)> ChooserFolderCommand;

  private:
    Widgets W;
    Prompts& Boxes;
    bool BusyShown = false;
};

} // namespace tw
