#pragma once
// Writing the main grid back in the format of its kind: one line per row between the
// header row and the spare last row, every column, CR LF after each line.

#include <string>
#include <string_view>

#include "core/app/editorstate.h"
#include "core/app/text.h"
#include "core/app/feedback.h"
#include "core/document/filesink.h"

namespace tw {

struct WriteRules {
    bool TabKind = true;       // DocumentExt, lower-cased, is ".tab"
    bool ProtosRules = false;  // DocumentFileName is exactly "protos.tab"
    bool DialogBraces = false; // LoadExt is ".dlg"

    static WriteRules For(const EditorState& state);
};

// Appends one row's line (without its CR LF). `cell(c)` gives the text of data column c.
template <typename CellOf>
void AppendLine(std::string& out, const WriteRules& rules, int columnCount, CellOf cell);

// Writes every row of SG1 from row 1 to the second-to-last in document order, hidden rows
// included at their places, each with all data columns, hidden ones included. Moves the
// progress bar. False when the sink refused the bytes.
bool WriteDocument(const EditorState& state, ByteSink& sink, Feedback& feedback);

// ---------------------------------------------------------------- rules

// Column 1 and up of a tab file: a cell is left out only when empty, and for protos.tab
// also when it is a single blank or in column 2, where the loader shows the descriptions
// that live in another file. A cell that begins with a control character is kept as it
// is: it is data like any other.
inline bool WritesTabCell(const WriteRules& rules, int column, std::string_view v) {
    if (v.empty()) return false;
    if (rules.ProtosRules) return column != 2 && v != " ";
    return true;
}

template <typename CellOf>
void AppendLine(std::string& out, const WriteRules& rules, int columnCount, CellOf cell) {
    if (columnCount <= 0) return;
    std::string_view key = cell(0);
    if (rules.TabKind) {
        out.append(key);
    } else if (!key.empty()) {
        if (key.front() == '{' || key.front() == '/') {
            out.append(key);
        } else {
            out.push_back('{');
            out.append(key);
            out.push_back('}');
        }
    }
    if (rules.ProtosRules || rules.TabKind) {
        for (int c = 1; c < columnCount; ++c) {
            out.push_back('\t');
            std::string_view v = cell(c);
            if (WritesTabCell(rules, c, v)) out.append(v);
        }
        return;
    }
    const bool braced = rules.DialogBraces && IsInteger(key);
    for (int c = 1; c < columnCount; ++c) {
        std::string_view v = cell(c);
        if (braced) {
            out.push_back('{');
            out.append(v);
            out.push_back('}');
        } else {
            out.append(v);
        }
    }
}

} // namespace tw
