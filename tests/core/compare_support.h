#pragma once
// Shared by the sort, compare and combine tests: a feedback recorder, a language table
// whose text N reads "T<N>", and grids laid out as the loader leaves them.

#include <string>
#include <vector>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"
#include "core/grid/textgrid.h"

namespace tw::testing {

class EventRecorder : public Feedback {
  public:
    std::vector<std::string> Events;
    std::vector<std::string> Report;
    bool Visible = true;
    int PanelShown = 0;

    void SetStatus(const std::string& text) override { Events.push_back("status " + text); }
    void SetProgressMax(int maximum) override {
        Events.push_back("max " + std::to_string(maximum));
    }
    void SetProgress(int position) override {
        Events.push_back("progress " + std::to_string(position));
    }
    void SetBusy(bool busy) override { Events.push_back(busy ? "busy" : "idle"); }
    void ShowMessage(const std::string& text) override { Events.push_back("message " + text); }
    void AppendReport(const std::string& line) override { Report.push_back(line); }
    void EndCellEdit() override { Events.push_back("endedit"); }
    bool ReportVisible() override { return Visible; }
    void ShowReportPanel() override {
        ++PanelShown;
        Visible = true;
    }

    std::vector<std::string> Statuses() const {
        std::vector<std::string> out;
        for (const auto& e : Events)
            if (e.rfind("status ", 0) == 0)
                out.push_back(e.substr(7));
        return out;
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& e : Events)
            if (e.rfind("message ", 0) == 0)
                out.push_back(e.substr(8));
        return out;
    }
};

inline void UseNumberedTexts(EditorState& state) {
    std::string bytes;
    for (int n = 0; n < 170; ++n)
        bytes += "T" + std::to_string(n) + "\n";
    state.Language.SetFromBytes(bytes);
}

using Rows = std::vector<std::vector<std::string>>;

// Header row 0 from `header`, data rows 1..n from `rows`, one spare empty row; as wide as
// the widest of them.
inline void FillGrid(TTextGrid& grid, const Rows& rows,
                     const std::vector<std::string>& header = {}) {
    size_t width = header.size();
    for (const auto& row : rows)
        width = std::max(width, row.size());
    grid.ClearCells();
    grid.SetColCount(static_cast<int>(std::max<size_t>(width, 1)));
    grid.SetRowCount(static_cast<int>(rows.size()) + 2);
    for (size_t c = 0; c < header.size(); ++c)
        grid.SetCell(static_cast<int>(c), 0, header[c]);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid.SetCell(static_cast<int>(c), static_cast<int>(r) + 1, rows[r][c]);
}

// Every row of the grid (header and spare row included), each cut to the grid's columns.
inline Rows GridRows(const TTextGrid& grid) {
    Rows out;
    for (int r = 0; r < grid.RowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < grid.DataColumnCount(); ++c)
            row.push_back(grid.CellText(c, r));
        out.push_back(row);
    }
    return out;
}

inline std::vector<int> RowHeights(const TTextGrid& grid) {
    std::vector<int> out;
    for (int r = 0; r < grid.RowCount(); ++r)
        out.push_back(grid.RowHeight(r));
    return out;
}

} // namespace tw::testing
