// Dialog files (".dlg"): seven braced fields a line, "{1}{Hello}{m}{f}{}{}{}".

#include "core/app/text.h"
#include "core/document/fileformat.h"
#include "core/document/formats/braced.h"

namespace tw {

namespace {

class DlgFormat final : public FileFormat {
  public:
    DocumentKind Kind() const override { return DocumentKind::Dlg; }
    std::string_view Extension() const override { return ".dlg"; }
    std::string_view FilterName() const override { return "Dialog Files"; }
    int MaskOrder() const override { return 2; }
    char FieldSeparator() const override { return '}'; }
    std::string_view OpenMark() const override { return "{"; }
    // Also drops the empty eighth cell the end of every line produces.
    int ColumnLimit() const override { return DialogColumnCount; }
    bool HasDialogStep() const override { return true; }

    void Split(std::string_view line, LineCells& out) const override {
        SplitBracedFields(line, out);
    }

    // The fields are braced only behind a numbered key: a comment line keeps its
    // fields bare.
    void Join(std::string& out, std::span<const std::string_view> cells,
              std::string_view) const override {
        if (cells.empty())
            return;
        AppendBracedKey(out, cells[0]);
        const bool braced = IsInteger(cells[0]);
        for (size_t c = 1; c < cells.size(); ++c) {
            if (braced)
                out.push_back('{');
            out.append(cells[c]);
            if (braced)
                out.push_back('}');
        }
    }

    std::optional<CellRefusal> RefusedText(int column, std::string_view text) const override {
        if (auto refusal = FileFormat::RefusedText(column, text))
            return refusal;
        return RefusedBrace(text);
    }
};

} // namespace

const FileFormat& DlgFileFormat() {
    static const DlgFormat format;
    return format;
}

} // namespace tw
