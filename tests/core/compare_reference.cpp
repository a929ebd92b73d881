#include "compare_reference.h"

#include "core/app/text.h"

namespace tw::reference {

namespace {

bool Chosen(const EditorState& state, int slot) {
    return CompareText(state.SelectedFiles[static_cast<size_t>(slot - 1)], " ") > 0;
}

// Steps 1 and 2 shared by compare and combine: sort each chosen grid; N is the last one.
int SortChosenGrids(EditorState& state) {
    int n = 0;
    for (int k = 1; k <= 5; ++k) {
        if (!Chosen(state, k))
            continue;
        SortRows(state.Grid(k), 0, true);
        n = k;
    }
    return n;
}

std::string CellDifferenceLine(const EditorState& state, int other, const std::string& k1, int c,
                               const std::string& mine, const std::string& theirs) {
    return EditorState::GridName(other) + " " + state.Text(132) + " " + k1 + " - " +
           state.SG1().CellText(c, 0) + " - " + state.Text(133) + " (" + mine + ") " +
           state.Text(134) + " (" + theirs + ")";
}

} // namespace

void SortRows(TTextGrid& grid, int column, bool textOrderAllowed) {
    int last = grid.RowCount() - 2;
    for (int i = 1; i <= last; ++i) {
        for (int j = 1; j <= last; ++j) {
            if (j == i)
                continue;
            std::string atJ = grid.CellText(column, j);
            std::string atI = grid.CellText(column, i);
            auto valueJ = ConvertInteger(atJ);
            auto valueI = ConvertInteger(atI);
            if (valueJ && valueI) {
                if (*valueJ > *valueI && j < i)
                    grid.MoveRow(i, j);
            } else if (column == 0 && !textOrderAllowed) {
                // pairs that are not both numbers stay
            } else if (CompareText(atI, atJ) < 0 && j < i) {
                grid.MoveRow(i, j);
            }
        }
    }
}

std::vector<std::string> CompareFiles(EditorState& state) {
    std::vector<std::string> lines;
    state.BatchActive = true;
    state.TextOrderAllowed = true;
    int n = SortChosenGrids(state);
    for (int i = 2; i <= n; ++i) {
        TTextGrid& sg1 = state.SG1();
        TTextGrid& other = state.Grid(i);
        std::string g = EditorState::GridName(i);
        int r1 = 0, r2 = 0;
        do {
            ++r1;
            ++r2;
            std::string k1 = sg1.CellText(0, r1);
            std::string k2 = other.CellText(0, r2);
            auto v1 = ConvertInteger(k1);
            auto v2 = ConvertInteger(k2);
            if (k1 == k2) {
                for (int c = 1; c <= sg1.ColCount() - 1; ++c) {
                    std::string mine = sg1.CellText(c, r1);
                    std::string theirs = other.CellText(c, r2);
                    if (LowerAZ(mine) != LowerAZ(theirs))
                        lines.push_back(CellDifferenceLine(state, i, k1, c, mine, theirs));
                }
            } else if (r1 >= sg1.RowCount() - 1) {
                lines.push_back(g + " - " + state.Text(135) + " " + k2);
            } else if (r2 >= other.RowCount() - 1) {
                lines.push_back(g + " - " + state.Text(136) + " " + k1);
                --r2;
            } else if (v1 && v2) {
                if (*v2 < *v1) {
                    lines.push_back(g + " - " + state.Text(135) + " " + k2);
                    --r1;
                } else {
                    lines.push_back(g + " - " + state.Text(136) + " " + k1);
                    --r2;
                }
            } else if (!v1 && v2) {
                --r2;
            } else if (v1 && !v2) {
                --r1;
            } else if (CompareText(k1, k2) > 0) {
                lines.push_back(g + " - " + state.Text(137) + " " + k2);
                --r1;
            } else {
                lines.push_back(g + " - " + state.Text(138) + " " + k1);
                --r2;
            }
        } while (r1 < sg1.RowCount() - 1 || r2 < other.RowCount() - 1);
    }
    state.TextOrderAllowed = false;
    state.BatchActive = false;
    return lines;
}

namespace {

struct CombineWalk {
    EditorState& State;
    ChangeLogLists& Log;
    std::vector<std::string>& Lines;
    int Other;
    int R1 = 0, R2 = 0;
    bool Done = false;

    TTextGrid& SG1() { return State.SG1(); }
    TTextGrid& Grid() { return State.Grid(Other); }
    std::string G() const { return EditorState::GridName(Other); }

    void Append(const std::string& identifier) {
        Log.Identifier.push_back(identifier);
        Log.OldValue.emplace_back();
        for (int h = 0; h < 4; ++h) {
            Log.Value[static_cast<size_t>(h)].emplace_back();
            Log.Mark[static_cast<size_t>(h)].emplace_back();
        }
    }

    void MergeCell(int c, const std::string& k1) {
        std::string current = SG1().CellText(c, R1);
        std::string incoming = Grid().CellText(c, R2);
        std::string line = State.Text(141) + " " + k1 + " - Column [" + std::to_string(c) + "] - ";
        std::string conflict = "n";
        std::string identifier = std::to_string(c) + "," + k1;
        int matched = -1;
        for (int e = 0; e < Log.ChangeCount(); ++e) {
            if (Log.Identifier[static_cast<size_t>(e)] != identifier)
                continue;
            matched = e;
            for (int h = 0; h < 4; ++h) {
                const std::string& recorded =
                    Log.Value[static_cast<size_t>(h)][static_cast<size_t>(e)];
                if (LowerAZ(incoming) != recorded &&
                    LowerAZ(Log.Mark[static_cast<size_t>(h)][static_cast<size_t>(e)]) == "y") {
                    conflict = "y";
                    line += "SG" + std::to_string(h + 2) + ": (" + LowerAZ(recorded) + ") ";
                }
            }
        }
        if (conflict != "y") {
            Append(identifier);
            matched = Log.ChangeCount() - 1;
        }
        auto m = static_cast<size_t>(matched);
        auto own = static_cast<size_t>(Other - 2);
        Log.Value[own][m] = LowerAZ(incoming);
        Log.Mark[own][m] = "y";
        if (Log.OldValue[m].empty())
            Log.OldValue[m] = current;
        line += G() + ": (" + incoming + ") " + State.Text(142) + " (" + Log.OldValue[m] + ") ";
        if (conflict == "y")
            Lines.push_back(line);
        if (State.ShowCombineMessages)
            Lines.push_back(G() + " " + State.Text(132) + " " + k1 + " - " + SG1().CellText(c, 0) +
                            " - " + State.Text(133) + " (" + current + ") " + State.Text(134) +
                            " (" + incoming + ")");
        SG1().SetCell(c, R1, incoming);
    }

    void AddRow(const std::string& k2) {
        if (State.ShowCombineMessages)
            Lines.push_back(G() + " - " + State.Text(135) + " " + k2);
        Append("add" + k2);
        SG1().InsertRows(R1, 1);
        SG1().SetCell(0, R1, k2);
        for (int c = 1; c <= Grid().ColCount() - 1; ++c) {
            SG1().SetCell(c, R1, Grid().CellText(c, R2));
            Append(std::to_string(c) + "," + k2);
            if (Other == 2) {
                Log.Value[0].back() = LowerAZ(Grid().CellText(c, R2));
                Log.Mark[0].back() = "y";
            }
        }
    }

    void DropOrKeep(const std::string& k1) {
        if (State.RemoveRows) {
            for (int e = 0; e < Log.ChangeCount(); ++e)
                if (Log.Identifier[static_cast<size_t>(e)] == "add" + k1)
                    Lines.push_back(State.Text(143) + " " + k1);
            if (State.ShowCombineMessages)
                Lines.push_back(G() + " - " + State.Text(144) + " " + k1);
            SG1().DeleteRows(R1, 1);
            --R1;
            --R2;
        } else {
            Lines.push_back(G() + " - " + State.Text(145) + " " + k1);
            --R2;
        }
    }

    void Step() {
        ++R1;
        ++R2;
        std::string k1 = SG1().CellText(0, R1);
        std::string k2 = Grid().CellText(0, R2);
        auto v1 = ConvertInteger(k1);
        auto v2 = ConvertInteger(k2);
        if (k1 == k2) {
            for (int c = 1; c <= SG1().ColCount() - 1; ++c)
                if (SG1().CellText(c, R1) != Grid().CellText(c, R2))
                    MergeCell(c, k1);
        } else if (R1 >= SG1().RowCount() - 1) {
            // A key typed into SG1's spare row would otherwise add empty rows for ever.
            if (R2 >= Grid().RowCount() - 1) {
                Done = true;
                return;
            }
            AddRow(k2);
        } else if (R2 >= Grid().RowCount() - 1) {
            DropOrKeep(k1);
        } else if (v1 && v2) {
            if (*v2 < *v1)
                AddRow(k2);
            else
                DropOrKeep(k1);
        } else if (!v1 && v2) {
            --R2;
        } else if (v1 && !v2) {
            --R1;
        }
    }
};

} // namespace

std::vector<std::string> CombineFiles(EditorState& state, ChangeLogLists& log) {
    std::vector<std::string> lines;
    state.BatchActive = true;
    state.TextOrderAllowed = true;
    int n = SortChosenGrids(state);
    log = ChangeLogLists{};
    for (int i = 2; i <= n; ++i) {
        CombineWalk walk{state, log, lines, i};
        do {
            walk.Step();
        } while (!walk.Done && walk.R1 != state.SG1().RowCount() - 1);
    }
    state.TextOrderAllowed = false;
    state.BatchActive = false;
    return lines;
}

} // namespace tw::reference
