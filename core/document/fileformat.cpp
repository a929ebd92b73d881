#include "core/document/fileformat.h"

#include <algorithm>

#include "core/app/editorstate.h"
#include "core/app/text.h"

namespace tw {

// Each defined in its own file under formats/.
const FileFormat& TabFileFormat();
const FileFormat& MesFileFormat();
const FileFormat& DlgFileFormat();
const FileFormat& OtherFileFormat();

const std::vector<const FileFormat*>& AllFormats() {
    // The format of every other extension comes last: it has no extension of its own.
    static const std::vector<const FileFormat*> formats = {&TabFileFormat(), &MesFileFormat(),
                                                           &DlgFileFormat(), &OtherFileFormat()};
    return formats;
}

bool BreaksEveryKind(char c) {
    return c == '\t' || c == '\r' || c == '\n' || c == '\x1a';
}

std::optional<CellRefusal> FileFormat::RefusedText(int, std::string_view text) const {
    // Record and field breaks of every kind would move text into other cells or rows,
    // and byte 26 ends the file for the line reader.
    for (char c : text)
        if (BreaksEveryKind(c))
            return CellRefusal{c, "rulebreak"};
    return std::nullopt;
}

const FileFormat& FormatOfExtension(std::string_view lowerExt) {
    for (const FileFormat* format : AllFormats())
        if (!format->Extension().empty() && format->Extension() == lowerExt)
            return *format;
    return OtherFileFormat();
}

const FileFormat& FormatOfName(std::string_view lowerName) {
    return FormatOfExtension(ExtensionPart(lowerName));
}

bool IsPrototypeTableName(std::string_view lowerName) {
    return FormatOfName(lowerName).IsPrototypeTable(lowerName);
}

const FileFormat& FormatOfKind(DocumentKind kind) {
    for (const FileFormat* format : AllFormats())
        if (format->Kind() == kind)
            return *format;
    return OtherFileFormat();
}

std::vector<ChooserFilter> ChooserFilters() {
    std::vector<const FileFormat*> listed;
    for (const FileFormat* format : AllFormats())
        if (!format->FilterName().empty())
            listed.push_back(format);

    ChooserFilter all{"All supported types (", ""};
    for (size_t i = 0; i < listed.size(); ++i)
        all.Caption += (i ? ", *" : "*") + std::string(listed[i]->Extension());
    all.Caption += ")";
    std::vector<const FileFormat*> masked = listed;
    std::stable_sort(masked.begin(), masked.end(), [](const FileFormat* a, const FileFormat* b) {
        return a->MaskOrder() < b->MaskOrder();
    });
    for (size_t i = 0; i < masked.size(); ++i)
        all.Mask += (i ? ";*" : "*") + std::string(masked[i]->Extension());

    std::vector<ChooserFilter> filters{all};
    std::stable_sort(listed.begin(), listed.end(), [](const FileFormat* a, const FileFormat* b) {
        return a->FilterName() < b->FilterName();
    });
    for (const FileFormat* format : listed)
        filters.push_back(
            {std::string(format->FilterName()), "*" + std::string(format->Extension())});
    return filters;
}

const FileFormat& DocumentFormat(const EditorState& state) {
    return FormatOfExtension(LowerAZ(state.DocumentExt));
}

const FileFormat& SaveFormat(const EditorState& state) {
    // A name with rules of its own (protos.tab) keeps them even while the extension of
    // the document is not known yet.
    if (IsPrototypeTableName(state.DocumentFileName))
        return FormatOfName(state.DocumentFileName);
    const FileFormat& target = DocumentFormat(state);
    if (target.Kind() == DocumentKind::Tab)
        return target;
    const FileFormat& loaded = FormatOfExtension(state.LoadExt);
    if (loaded.Kind() == DocumentKind::Dlg)
        return loaded;
    if (target.Kind() == DocumentKind::Dlg)
        return OtherFileFormat();
    return target;
}

} // namespace tw
