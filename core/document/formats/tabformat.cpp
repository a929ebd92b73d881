// Tab tables (".tab", above all the game's protos.tab): one record a line, fields
// separated by TAB, braces ordinary characters.

#include "core/document/fileformat.h"

#include <algorithm>

#include "core/grid/tabscan.h"

namespace tw {

namespace {

constexpr std::string_view PrototypeTable = "protos.tab";
// Where the loader shows the descriptions that live in the game's description file.
constexpr int DescriptionColumn = 2;

class TabFormat final : public FileFormat {
  public:
    DocumentKind Kind() const override { return DocumentKind::Tab; }
    std::string_view Extension() const override { return ".tab"; }
    std::string_view FilterName() const override { return "Tab Files"; }
    int MaskOrder() const override { return 1; }
    char FieldSeparator() const override { return '\t'; }
    std::string_view OpenMark() const override { return {}; }
    bool FieldsStandAlone() const override { return true; }
    bool SplitsAtTabsOnly() const override { return true; }
    bool IsPrototypeTable(std::string_view documentName) const override {
        return documentName == PrototypeTable;
    }

    void Split(std::string_view line, LineCells& out) const override {
        out.Clear();
        if (line.empty())
            return;
        size_t start = 0;
        ForEachTab(line, [&](size_t at) {
            out.AddView(line.substr(start, at - start));
            start = at + 1;
            return true;
        });
        out.AddView(line.substr(start));
    }

    // Every row has all columns, so a short row gains trailing TABs. A cell is left out
    // only when empty, and for protos.tab also when it is a single blank or in the
    // description column. A cell that begins with a control character is data like any
    // other and is kept.
    void Join(std::string& out, std::span<const std::string_view> cells,
              std::string_view documentName) const override {
        if (cells.empty())
            return;
        out.append(cells[0]);
        const bool protos = documentName == PrototypeTable;
        for (size_t c = 1; c < cells.size(); ++c) {
            out.push_back('\t');
            std::string_view v = cells[c];
            if (v.empty())
                continue;
            if (protos && (c == DescriptionColumn || v == " "))
                continue;
            out.append(v);
        }
    }

    // The stored bytes are the line Join would write, but for the empty columns after the
    // last stored cell, unless protos.tab has a cell that Join leaves out.
    bool JoinStored(std::string& out, std::string_view tabJoined, int storedCount, int columnCount,
                    std::string_view documentName) const override {
        if (columnCount <= 0 || storedCount > columnCount)
            return false;
        if (documentName == PrototypeTable) {
            // A single blank in column 1 or later sits between two TABs or after the last.
            if (tabJoined.find("\t \t") != std::string_view::npos ||
                (tabJoined.size() >= 2 && tabJoined.substr(tabJoined.size() - 2) == "\t "))
                return false;
            // The description column starts after the second TAB.
            size_t first = tabJoined.find('\t');
            size_t second =
                first == std::string_view::npos ? first : tabJoined.find('\t', first + 1);
            if (second != std::string_view::npos && second + 1 < tabJoined.size() &&
                tabJoined[second + 1] != '\t')
                return false;
        }
        out.append(tabJoined);
        out.append(static_cast<size_t>(columnCount - std::max(storedCount, 1)), '\t');
        return true;
    }
};

} // namespace

const FileFormat& TabFileFormat() {
    static const TabFormat format;
    return format;
}

} // namespace tw
