// Message files (".mes"): "{key}{text}" a line. The key loses its braces on loading; the
// text cells keep theirs, so they are written back as they stand.

#include "core/document/fileformat.h"
#include "core/document/formats/braced.h"

namespace tw {

namespace {

class MesFormat final : public FileFormat {
  public:
    DocumentKind Kind() const override { return DocumentKind::Mes; }
    std::string_view Extension() const override { return ".mes"; }
    std::string_view FilterName() const override { return "Mes Files"; }
    int MaskOrder() const override { return 0; }
    char FieldSeparator() const override { return '}'; }
    std::string_view OpenMark() const override { return "{"; }

    // In the key every "{" is dropped; after it every byte is kept and each "}" ends a
    // cell (keeping the brace). A remainder after the last "}" is a cell only when it is
    // not empty.
    void Split(std::string_view line, LineCells& out) const override {
        out.Clear();
        if (line.empty())
            return;
        std::string& bytes = out.Bytes();
        bool inKey = true;
        for (char ch : line) {
            if (ch == '}') {
                if (!inKey)
                    bytes.push_back(ch);
                out.EndCell();
                inKey = false;
            } else if (!(ch == '{' && inKey)) {
                bytes.push_back(ch);
            }
        }
        if (bytes.size() > out.LastEnd())
            out.EndCell();
        out.Seal();
    }

    void Join(std::string& out, std::span<const std::string_view> cells,
              std::string_view) const override {
        JoinKeyThenCells(out, cells);
    }

    std::optional<CellRefusal> RefusedText(int column, std::string_view text) const override {
        if (auto refusal = FileFormat::RefusedText(column, text))
            return refusal;
        if (column == 0) {
            // A "}" would end the key early and a "{" is dropped on loading.
            return RefusedBrace(text);
        }
        // A "}" ends a text cell: anywhere but at the end it would split the cell.
        size_t close = text.find('}');
        if (close != std::string_view::npos && close + 1 != text.size())
            return CellRefusal{'}', "ruleclosing"};
        return std::nullopt;
    }
};

} // namespace

const FileFormat& MesFileFormat() {
    static const MesFormat format;
    return format;
}

} // namespace tw
