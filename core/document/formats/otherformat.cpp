// Any other extension: brace-delimited fields as in a dialog file, as wide as the widest
// line, written back without braces around the fields.

#include "core/document/fileformat.h"
#include "core/document/formats/braced.h"

namespace tw {

namespace {

class OtherFormat final : public FileFormat {
  public:
    DocumentKind Kind() const override { return DocumentKind::Other; }
    std::string_view Extension() const override { return {}; }
    char FieldSeparator() const override { return '}'; }
    std::string_view OpenMark() const override { return "{"; }

    void Split(std::string_view line, LineCells& out) const override {
        SplitBracedFields(line, out);
    }

    void Join(std::string& out, std::span<const std::string_view> cells,
              std::string_view) const override {
        JoinKeyThenCells(out, cells);
    }

    std::optional<CellRefusal> RefusedText(int column, std::string_view text) const override {
        if (auto refusal = FileFormat::RefusedText(column, text))
            return refusal;
        return RefusedBrace(text);
    }
};

} // namespace

const FileFormat& OtherFileFormat() {
    static const OtherFormat format;
    return format;
}

} // namespace tw
