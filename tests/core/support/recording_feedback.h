#pragma once
// A Feedback that remembers what an operation showed, for assertions.

#include <string>
#include <vector>

#include "core/app/feedback.h"

namespace tw {

class RecordingFeedback : public Feedback {
  public:
    std::vector<std::string> Statuses;
    std::vector<std::string> Messages;
    std::vector<std::string> Report;
    int ProgressMax = 0;
    int Progress = 0;
    std::vector<int> ProgressMaxima;    // every maximum set, in order
    std::vector<int> ProgressPositions; // every position set, in order
    int EndCellEdits = 0;
    int BusyDepth = 0;
    bool Visible = true;
    int PanelShown = 0;
    std::string ChooserFolder;

    void SetStatus(const std::string& text) override { Statuses.push_back(text); }
    void SetProgressMax(int maximum) override {
        ProgressMax = maximum;
        ProgressMaxima.push_back(maximum);
    }
    int ProgressMaximum() const override { return ProgressMax; }
    void SetProgress(int position) override {
        Progress = position;
        ProgressPositions.push_back(position);
    }
    void SetBusy(bool busy) override { BusyDepth += busy ? 1 : -1; }
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void AppendReport(const std::string& line) override { Report.push_back(line); }
    void ClearReport() override { Report.clear(); }
    void EndCellEdit() override { ++EndCellEdits; }
    bool ReportVisible() override { return Visible; }
    void ShowReportPanel() override {
        Visible = true;
        ++PanelShown;
    }
    void SetChooserFolder(const std::string& folder) override { ChooserFolder = folder; }
};

} // namespace tw
