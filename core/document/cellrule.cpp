#include "core/document/cellrule.h"

#include <algorithm>
#include <vector>

#include "core/app/programtexts.h"
#include "core/app/text.h"

namespace tw {

namespace {

// The cells a row gives back after a save and a load.
std::vector<std::string> Reloaded(const FileFormat& save, const FileFormat& load,
                                  const std::vector<std::string_view>& cells,
                                  std::string_view documentName) {
    std::string line;
    save.Join(line, cells, documentName);
    LineCells split;
    load.Split(line, split);
    std::vector<std::string> back(split.Cells().begin(), split.Cells().end());
    if (load.ColumnLimit() > 0 && static_cast<int>(back.size()) > load.ColumnLimit())
        back.resize(static_cast<size_t>(load.ColumnLimit()));
    return back;
}

std::string_view CellOf(const std::vector<std::string>& cells, size_t c) {
    return c < cells.size() ? std::string_view(cells[c]) : std::string_view();
}

} // namespace

std::optional<CellRefusal> RefusedCellText(const EditorState& state, int dataCol,
                                           std::string_view text) {
    return DocumentFormat(state).RefusedText(dataCol, text);
}

std::optional<CellRefusal> RefusedCellText(const EditorState& state, int row, int dataCol,
                                           std::string_view text) {
    const FileFormat& load = DocumentFormat(state);
    if (auto refusal = load.RefusedText(dataCol, text))
        return refusal;
    const FileFormat& save = SaveFormat(state);
    if (load.FieldsStandAlone() && save.FieldsStandAlone())
        return std::nullopt;

    const TTextGrid& grid = state.SG1();
    const size_t columns = static_cast<size_t>(std::max(grid.DataColumnCount(), dataCol + 1));
    std::vector<std::string_view> before(columns);
    for (size_t c = 0; c < columns; ++c)
        before[c] = grid.Cell(static_cast<int>(c), row);
    std::vector<std::string_view> after = before;
    const auto edited = static_cast<size_t>(dataCol);
    after[edited] = text;

    const std::string& name = state.DocumentFileName;
    const std::vector<std::string> was = Reloaded(save, load, before, name);
    const std::vector<std::string> will = Reloaded(save, load, after, name);
    const CellRefusal moves{0, "rulemoves"};
    for (size_t c = 0; c < std::max(columns, will.size()); ++c) {
        std::string_view now = c < columns ? after[c] : std::string_view();
        if (CellOf(will, c) == now)
            continue;
        if (c == edited) {
            // A cell the format leaves out on purpose (protos.tab's description column)
            // is no text lost to another cell.
            std::vector<std::string_view> without = after;
            without[edited] = {};
            std::string withText, withoutText;
            save.Join(withText, after, name);
            save.Join(withoutText, without, name);
            if (withText == withoutText)
                continue;
            return moves;
        }
        std::string_view old = c < columns ? before[c] : std::string_view();
        if (CellOf(was, c) == old)
            return moves;
    }
    return std::nullopt;
}

std::string RefusalMessage(const EditorState& state, const CellRefusal& refusal) {
    const LanguageTable& language = state.Language;
    const std::string& reason = language.Added(refusal.Reason);
    if (refusal.Byte == 0)
        return FormatText(language.Added("refusedtext"), {reason});
    auto byte = static_cast<unsigned char>(refusal.Byte);
    std::string name;
    switch (byte) {
    case '\t':
        name = "TAB";
        break;
    case '\r':
        name = "CR";
        break;
    case '\n':
        name = "LF";
        break;
    default:
        if (byte < 32 || byte == 127)
            name = FormatText(language.Added("bytecode"), {IntToText(byte)});
        else
            name = std::string("\"") + refusal.Byte + "\"";
    }
    return FormatText(language.Added("refusedchar"), {name, reason});
}

} // namespace tw
