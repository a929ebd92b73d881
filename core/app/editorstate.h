#pragma once
// The main window's shared state as plain data: the five grids, the open document, the
// flags long operations set, the marks, the language table and the lists behind the two
// drop-down lists of the top panel. The editor owns one; the command-line tool and the
// tests build their own.

#include <array>
#include <string>
#include <vector>

#include "core/app/language.h"
#include "core/app/settings.h"
#include "core/compare/changelog.h"
#include "core/compare/reportrecords.h"
#include "core/document/documenthistory.h"
#include "core/grid/marklist.h"
#include "core/grid/textgrid.h"

namespace tw {

class EditorState {
  public:
    EditorState();

    // Grid slots 1 to 5: SG1 is the open document, SG2 to SG5 hold files two to five of
    // a compare or combine run.
    TTextGrid& Grid(int slot) { return Grids.at(static_cast<size_t>(slot - 1)); }
    const TTextGrid& Grid(int slot) const { return Grids.at(static_cast<size_t>(slot - 1)); }
    TTextGrid& SG1() { return Grids[0]; }
    const TTextGrid& SG1() const { return Grids[0]; }
    TTextGrid& CurrentGrid() { return Grid(CurrentGridSlot); }
    static std::string GridName(int slot) { return "SG" + std::to_string(slot); }

    std::array<TTextGrid, 5> Grids;
    int CurrentGridSlot = 1;

    // Language and program folder.
    LanguageTable Language;
    const std::string& Text(int index) const { return Language.Text(index); }
    std::string LanguageFile = DefaultLanguageFile;
    std::string ExeFolder; // ends in "/"
    // The user's own language files (ends in "/"; empty: none). Its files win over the
    // program folder's of the same name.
    std::string UserLanguageFolder;
    std::string ErrorContext;
    TRegpath Reg1;

    // What was loaded last, and into SG1. DocumentFileName and DocumentFolder are
    // lower-cased (they decide the format rules); the real folder and name are kept
    // beside them because this file system is case-sensitive and Save writes there.
    std::string DocumentFileName;
    std::string DocumentFolder;
    std::string DocumentExt;
    std::string DocumentRealFolder; // as on disk, ends in "/" unless empty
    std::string DocumentRealName;   // as on disk
    std::string LoadExt;
    char FieldSeparator = '\t';
    std::string OpenMark;
    int LastColIndex = 0;
    int LoadedRowCount = 0;
    int LoadedColCount = 0;

    // Flags.
    bool PaintSuspended = false;
    bool BatchActive = false;
    bool TextOrderAllowed = false;
    bool NeverHide = false;
    bool ShowColNumbers = false;
    bool ShowCombineMessages = false;
    bool RemoveRows = true;
    bool AutoSizeOnLoad = false; // check mark of "Auto Size On Load"
    // Set by the editor so the core can size columns and rows; empty in the tool.
    TextMeasure Measure;

    // Marks and the cell last clicked or entered.
    MarkList SelectedRows; // display rows
    MarkList SelectedCols; // data columns
    int ClickedRow = 0;
    int ClickedCol = 0;
    int ClickedDataRow = 0;
    int ClickedDataCol = 0;

    // Header sets (items of the header-set list; item 0 is the prompt).
    std::vector<std::string> HeaderSetNames;
    std::vector<std::string> HeaderSetColumns;
    std::vector<std::string> HeaderSetTypes;
    int HeaderSetCount = 0;
    int HeaderSetIndex = 0;
    // Variable lists (items of the variable-list list; item 0 is the prompt).
    std::vector<std::string> VariableListNames;
    std::vector<std::string> VariableLists;
    int VariableListIndex = 0;

    // Compare and combine.
    std::string CompareMode;
    std::array<std::string, 5> SelectedFiles;
    ChangeLog Changes; // of the last combine run
    // What the last compare or combine reported, until the next load into SG1 or run.
    ReportRun LastReport;

    std::string LastFindText;

    // The steps that changed SG1's document since it was loaded (undo, redo, modified).
    DocumentHistory History;
};

} // namespace tw
