#pragma once
// What core operations show while they run, shown in the main window: the status panel,
// the progress bar, the busy cursor, message boxes (through Prompts) and report lines in
// the reference panel's text area.

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

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
    // While long work runs (between BeginLongWork and EndLongWork): at most every tenth of
    // a second, lets the window paint and reads the keyboard; the keys and clicks meant for
    // the main window are held back, except Escape, which asks the work to stop.
    bool Cancelled() override;
    // `progressFormat` is the progress bar's text meanwhile (it says how to stop).
    void BeginLongWork(const QString& progressFormat);
    void EndLongWork();
    bool LongWorkRunning() const { return Gate != nullptr; }

    // Set by the main window: opening the reference panel is its Show Variable List
    // command; the chooser's folder is set through the chooser window.
    std::function<void()> ShowReportPanelCommand;
    std::function<void(const std::string&)> ChooserFolderCommand;

  private:
    class InputGate;
    Widgets W;
    Prompts& Boxes;
    bool BusyShown = false;
    std::unique_ptr<InputGate> Gate;
    QElapsedTimer SinceLook;
    // A picture of the grid as it was, shown over it while its rows move underneath.
    QLabel* Cover = nullptr;
    QString ProgressFormatBefore;
    QString PendingReport; // report lines of running long work, not yet in the text area
    void FlushReport();
    bool ProgressTextBefore = false;
};

// Long work inside: Escape can stop it while it lives.
class LongWorkScope {
  public:
    LongWorkScope(GuiFeedback& feedback, const QString& progressFormat) : Feedback(feedback) {
        Feedback.BeginLongWork(progressFormat);
    }
    ~LongWorkScope() { Feedback.EndLongWork(); }
    LongWorkScope(const LongWorkScope&) = delete;
    LongWorkScope& operator=(const LongWorkScope&) = delete;

  private:
    GuiFeedback& Feedback;
};

} // namespace tw
