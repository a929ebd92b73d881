#pragma once
// One class per kind of data file. Everything that differs between the kinds lives behind
// this interface: the loader, the writer, the cell rule and the file chooser ask the
// format and never test an extension themselves. A new kind is one new file under
// formats/ and one line in the list of formats.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/documentkind.h"
#include "core/document/splitline.h"

namespace tw {

class EditorState;

// Why a text cannot go into a cell: the byte at fault (0 when the text as a whole is at
// fault) and the name of the added text that says why.
struct CellRefusal {
    char Byte = 0;
    std::string Reason;
};

class FileFormat {
  public:
    virtual ~FileFormat() = default;

    virtual DocumentKind Kind() const = 0;
    // The lower-case extension with its dot; empty for the format of every other extension.
    virtual std::string_view Extension() const = 0;
    // The caption of the chooser's filter entry; empty when the kind has none.
    virtual std::string_view FilterName() const { return {}; }
    // Place of the extension in the mask of the chooser's "All supported types" entry.
    virtual int MaskOrder() const { return 0; }

    // The separator and opening mark the editor shows as the kind's field markers.
    virtual char FieldSeparator() const = 0;
    virtual std::string_view OpenMark() const = 0;

    // Splits one line (without its line break) into the cells of one row.
    virtual void Split(std::string_view line, LineCells& out) const = 0;
    // Appends the line of one row, without its line break. `documentName` is the
    // lower-cased name the document is saved under (protos.tab has rules of its own).
    virtual void Join(std::string& out, std::span<const std::string_view> cells,
                      std::string_view documentName) const = 0;

    // Whether Split gives exactly the line's fields between TABs, so that a loader may
    // store the line as it stands (GridRow keeps rows that way).
    virtual bool SplitsAtTabsOnly() const { return false; }
    // Appends the line of one row given as its stored cells joined by TABs (the way the
    // grid keeps a row; `storedCount` cells, the rest of the `columnCount` columns empty),
    // when this kind writes such a row from those bytes as they stand. False, with nothing
    // appended, when the row must go through Join cell by cell.
    virtual bool JoinStored(std::string& /*out*/, std::string_view /*tabJoined*/,
                            int /*storedCount*/, int /*columnCount*/,
                            std::string_view /*documentName*/) const {
        return false;
    }

    // The column count every load ends with; 0 when the widest line decides.
    virtual int ColumnLimit() const { return 0; }
    // Whether a load into the main grid names the columns and adds the built-in lists
    // of dialog files.
    virtual bool HasDialogStep() const { return false; }
    // Whether a document of this (lower-cased) name is the game's prototype table: it
    // gets the descriptions in column 2, which Save leaves empty, and its folder is kept.
    virtual bool IsPrototypeTable(std::string_view) const { return false; }

    // Whether RefusedText alone decides: a field never runs into its neighbours, so
    // what the rest of a row holds does not matter.
    virtual bool FieldsStandAlone() const { return false; }

    // The first byte of `text` that this kind cannot store in data column `column` so
    // that it loads back into the same cell, whatever the rest of the row holds.
    virtual std::optional<CellRefusal> RefusedText(int column, std::string_view text) const;
};

// The format of a lower-cased extension (with its dot).
const FileFormat& FormatOfExtension(std::string_view lowerExt);
const FileFormat& FormatOfKind(DocumentKind kind);
// The format of a lower-cased file name's extension, and whether that name is the game's
// prototype table.
const FileFormat& FormatOfName(std::string_view lowerName);
bool IsPrototypeTableName(std::string_view lowerName);
// Every format, in the order the chooser lists the extensions of its first entry.
const std::vector<const FileFormat*>& AllFormats();

// The entries of the chooser's filter list: caption and mask.
struct ChooserFilter {
    std::string Caption;
    std::string Mask;
};
std::vector<ChooserFilter> ChooserFilters();

// The format a load of the open document's file reads it with (its extension).
const FileFormat& DocumentFormat(const EditorState& state);
// The format Save writes the open document with: the separators follow the name it is
// saved under, but braces around the fields follow the way the cells were split (a
// dialog file keeps its braced fields under any other brace extension, a file loaded as
// anything else never gains them).
const FileFormat& SaveFormat(const EditorState& state);

// The bytes every kind refuses: line breaks, TAB and the end-of-file byte.
bool BreaksEveryKind(char c);

} // namespace tw
