#pragma once
// The main window: the top panel with the header-set and variable-list lists and the
// reference text, the main grid, the status bar, the menus, and the start-up sequence.
// Its command handlers are defined beside the subsystem they belong to (gui/grid/,
// gui/document/, gui/headers/, gui/compare/); this file is the one place where the
// window is put together and every handler is connected.

#include <QColor>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "core/app/colors.h"
#include "core/app/editorstate.h"
#include "core/grid/findreplace.h"
#include "gui/document/filechooserhost.h"

class QAction;
class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tw {

class FindReplaceWindow;
class GridView;
class GuiFeedback;
class Prompts;
class TAboutBox;
class TForm3;
class TForm4;
class Tlngform;

class TForm1 : public QMainWindow, public FileChooserHost {
    Q_OBJECT
  public:
    // `exeFolder` is the folder the language and help files are looked up in (ends in
    // "/"; empty: the program's own folder). `prompts` answers every input and message
    // box (null: the real boxes). The settings store is chosen when the window is built:
    // set TABWRIGHT_SETTINGS before that to use another file.
    explicit TForm1(const std::string& exeFolder = {}, Prompts* prompts = nullptr,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    EditorState& State() { return Editor; }
    const EditorState& State() const { return Editor; }
    GuiFeedback& Feedback() { return *FeedbackShown; }
    Prompts& Boxes() { return *PromptsUsed; }

    // --- start-up and language ---
    void FormActivate();
    bool Activated() const { return ActivatedFlag; }
    // Reads LanguageFile from the program's folder into the language table and sets
    // every caption. A file that cannot be read leaves table and captions as they were
    // and is reported in a message box.
    bool LoadLanguageFile();
    // What a click on a file of the language window does.
    void LanguageFileChosen(const std::string& fileName);
    std::string MainWindowTitle() const;
    std::string HelpFileName() const;
    // The same help as HTML pages, for desktops without a viewer for compiled help.
    std::string HelpPagesFileName() const;

    // The one way a file reaches the main grid from this window (start-up auto-load,
    // "&Load Selected", file 1 of "Go With Selected"): the view sees the load as one
    // model change. Returns whether the file was loaded.
    virtual bool LoadIntoMainGrid(const std::string& path);
    // Call point of the stored grid colours ("colorsel2", "colorsel", "colorfont",
    // "colorfixed").
    void ApplyStoredColors();
    // Fills both drop-down lists of the top panel from the header-set and variable-list
    // names of the editor state.
    void RefreshHeaderLists();

    int FontSizeSetting() const { return FontSize; }
    int TopPanelHeight() const { return PanelHeight; }
    const std::string& TabPath() const { return TabFolder; }
    const std::string& ProtoPath() const { return ProtoFolder; }

    // --- widgets (component names as the rest of the program knows them) ---
    QWidget* Panel1;
    QWidget* Panel2;
    QComboBox* ComboBox1;
    QPushButton* Button2;
    QComboBox* ComboBox2;
    QPlainTextEdit* Memo1;
    GridView* SG1;
    QFrame* Panel3;
    QLabel* StatusPanel;
    QFrame* ProgressPanel;
    QProgressBar* ProgressBar1;

    // The other windows, created in this order after the main window.
    TAboutBox* AboutBox;
    TForm3* Form3;
    TForm4* Form4;
    Tlngform* lngform;

    // Main menu.
    QMenu* File1;
    QAction* Reload1;
    QAction* Save1;
    QAction* SaveAs1;
    QAction* Exit1;
    QMenu* Edit1;
    QAction* Find1;
    QAction* FindNext1;
    QMenu* Options1;
    QAction* AutoSelectAll1;
    QAction* AutoSizeOnLoad1;
    QAction* AllowAddDeleteRows1;
    QAction* AutoLoadProtosOnStartup1;
    QAction* AutoLoadLastFileOnStartup1;
    QMenu* ools1;
    QAction* AutoSizeColumns2;
    QAction* CompareTabFiles1;
    QAction* CombineTabFiles1;
    QAction* CombineFilesNoRemoveRows1;
    QAction* CombineShowCompareMessages1;
    QAction* SortByColumn01;
    QAction* SortByColumn1;
    QMenu* View1;
    QAction* NeverHideColumns1;
    QAction* Show1;
    QAction* ShowCOLANDDescriptions1;
    QAction* opPanelHeight1101;
    QAction* FontSize81;
    QAction* ofFixedColumns11;
    QMenu* ColorOptions1;
    QAction* ChangeActiveCellColor1;
    QAction* ChangeSelectionColor1;
    QAction* ChangeTextColor1;
    QAction* ChangeFixedTextColor1;
    QAction* ResetSelectionColor1;
    QAction* ResetTextColors1;
    QMenu* Help1;
    QAction* About1;
    QAction* Help2;
    QAction* LANGUAGE1;

    // Undo, redo and the question before discarding changes.
    QAction* Undo1;
    QAction* Redo1;
    QAction* AskBeforeDiscarding1;
    // Third panel of the status bar: the document's file name, marked while modified.
    QLabel* DocumentPanel;

    // Pop-up menus of the grid.
    QMenu* PopupMenu1;
    QAction* ColSelectionToggle1;
    QAction* SelectThisRow1;
    QAction* HideRow1;
    QAction* HideColumn1;
    QAction* HideSelectedRows1;
    QAction* HideSelectedColumns1;
    QAction* UnhideRows1;
    QAction* UnhideColumns1;
    QAction* UnhideRow1;
    QAction* UnhideColumn1;
    QAction* CopyThisRow1;
    QAction* InsertRow1;
    QAction* DeleteThisRow1;
    QAction* Cancel1;
    QMenu* PopupMenu2;
    QAction* ColSelectionToggle2;
    QAction* MenuItem1;
    QAction* HideRow2;
    QAction* HideColumn2;
    QAction* HideSelectedRows2;
    QAction* HideSelectedColumns2;
    QAction* UnhideRows2;
    QAction* UnhideColumns2;
    QAction* UnhideRow2;
    QAction* UnhideColumn2;
    QAction* MenuItem9;

    // The four grid colours of the colour options, as the settings store them.
    TColor ActiveCellColor = 0x00C0DCC0;         // clMoneyGreen
    TColor SelectionColor = 0x00F0CAA6;          // clSkyBlue
    TColor GridTextColor = SystemColorBase + 8;  // clWindowText
    TColor FixedTextColor = SystemColorBase + 8; // clWindowText
    // Target 1 active cell, 2 selection, 3 grid text, 4 fixed text (as the colour window
    // numbers them).
    TColor GridColor(int target) const;
    void SetGridColor(int target, TColor value);
    // What OK of the colour window does: gives the colour to the target and stores it.
    void ApplyColorText(int target, const std::string& colorText);

    // A header press, so the release can tell a click from a drag of a column border.
    int HeaderClickCol = -1;
    int HeaderClickWidth = 0;
    int HeaderClickLeftWidth = 0;
    void ToggleRowMark(int row);        // display row
    void ToggleColumnMark(int dataCol); // data column
    // One search from the cell right of the current one; a match becomes the current
    // cell with its editor open.
    void FindInGrid(const std::string& text);

    // --- handlers: application shell (gui/app/) ---
    void Exit1Click();
    void AutoLoadProtosOnStartup1Click();
    void AutoLoadLastFileOnStartup1Click();
    void LANGUAGE1Click();
    void About1Click();
    void Help2Click();
    void ChangeActiveCellColor1Click();
    void ChangeSelectionColor1Click();
    void ChangeTextColor1Click();
    void ChangeFixedTextColor1Click();
    void ResetSelectionColor1Click();
    void ResetTextColors1Click();
    QColor SG1GetCellColor(int row, int dataCol);

    // --- handlers: table grid (gui/grid/) ---
    void Find1Click();
    void FindNext1Click();
    void AutoSelectAll1Click();
    void AutoSizeOnLoad1Click();
    void AllowAddDeleteRows1Click();
    void AutoSizeColumns2Click();
    void NeverHideColumns1Click();
    void opPanelHeight1101Click();
    void FontSize81Click();
    void ofFixedColumns11Click();
    void ColSelectionToggle1Click();
    void SelectThisRow1Click();
    void HideRow1Click();
    void HideColumn1Click();
    void HideSelectedRows1Click();
    void HideSelectedColumns1Click();
    void UnhideRows1Click();
    void UnhideColumns1Click();
    void UnhideRow1Click();
    void UnhideColumn1Click();
    void CopyThisRow1Click();
    void InsertRow1Click();
    void DeleteThisRow1Click();
    void SG1ClickCell(int row, int col);
    void SG1RightClickCell(int row, int col, QPoint globalPosition);
    void SG1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void SG1CellChanging(int oldRow, int oldCol, int newRow, int newCol);
    void SG1Exit();

    // --- handlers: data files (gui/document/) ---
    void Reload1Click();
    void Save1Click();
    void SaveAs1Click();

    // --- what the File chooser asks of this window (gui/document/, gui/compare/) ---
    std::string Text(int index) const override;
    void ShowMessage(const std::string& text) override;
    void LoadSelected(const std::string& path) override;
    void SaveAs(const std::string& folder, const std::string& typedName) override;
    std::string SelectedFile(int k) const override;
    void SetSelectedFile(int k, const std::string& path) override;
    std::string CompareMode() const override;
    void SetBatchActive(bool active) override;
    void ResetReportArea() override;
    void LoadIntoSlot(const std::string& path, int slot) override;
    void RunCompareOrCombine(const std::string& mode) override;
    std::string AddedText(const std::string& name) const override;
    std::vector<std::string> OpeningFolders() const override;

    // --- recent files in the File menu (gui/document/recentfiles.cpp) ---
    QMenu* RecentFiles1 = nullptr;
    void RefreshRecentFiles();
    void RecentFileClick(const std::string& path);
    // Puts a file the user loaded at the top of the list.
    void RememberRecentFile(const std::string& path);

    // --- Find and Replace (gui/grid/replacecommands.cpp) ---
    QAction* FindReplace1 = nullptr;
    FindReplaceWindow* FindReplaceForm = nullptr;
    void FindReplace1Click();
    void ReplaceFindNext();
    void ReplaceCurrent();
    void ReplaceAllClick();
    // Writes the replacements of one Replace or Replace All as one step of the history;
    // false (and the refusal in the status bar) when nothing was written.
    bool ApplyReplacements(const std::vector<CellReplacement>& cells);

    // --- handlers: column headers and reference panel (gui/headers/) ---
    void ComboBox1Change();
    void ComboBox2Change();
    void Button2Click();
    void Show1Click();
    void ShowCOLANDDescriptions1Click();

    // --- handlers: undo, redo and unsaved changes (gui/document/historycommands.cpp) ---
    void Undo1Click();
    void Redo1Click();
    void AskBeforeDiscarding1Click();
    // Whether the document may be closed or replaced: asks Save, Discard or Cancel when
    // the option is on and the document is modified.
    bool MayDiscardDocument();
    // Menu items and the document panel follow the history.
    void ShowDocumentState();

    // --- handlers: compare and combine (gui/compare/) ---
    void CompareTabFiles1Click();
    void CombineTabFiles1Click();
    void CombineFilesNoRemoveRows1Click();
    void CombineShowCompareMessages1Click();
    void SortByColumn01Click();
    void SortByColumn1Click();

    // --- reports of compare and combine: the last run's records in the grid
    //     (gui/compare/reportcommands.cpp) ---
    QAction* NextDifference1 = nullptr;     // Edit menu, F8
    QAction* PreviousDifference1 = nullptr; // Edit menu, Shift+F8
    void NextDifference1Click();
    void PreviousDifference1Click();
    // Double-click or Enter on line `line` (from 0) of the report area: that line's cell of
    // SG1 becomes current. False when the line is no line of the last report.
    bool ReportLineChosen(int line);
    // The record walked to last (an index into the records), -1 before the first.
    int ReportPosition() const { return ReportIndex; }
    // Whether the last report names the cell (display row, data column).
    bool ReportCellMarked(int row, int dataCol) const;

  protected:
    // Every modal window of the program opens here; tests replace it so nothing blocks.
    virtual int ExecModal(QDialog& window);
    // Opens a document with the desktop's registered application (the help file).
    virtual void OpenDocument(const std::string& path);
    // Whether the desktop has an application registered for the file's type.
    virtual bool HasApplicationFor(const std::string& path);
    // Opens a pop-up menu of the grid; tests replace it so nothing blocks.
    virtual void OpenPopupMenu(QMenu& menu, QPoint globalPosition);
    // An input box with language texts as caption and prompt; the answer as bytes.
    std::string AskInput(int caption, int prompt, const std::string& defaultAnswer);

    // Most commands begin by taking the focus off the grid and storing a half-typed
    // cell value.
    void PrepareCommand();
    // Point size for the grid and text-area fonts: 0 or less is the platform's
    // default, and absurd sizes are bounded.
    static int BoundedPointSize(int size);
    static int BoundedPanelHeight(int height);
    void ApplyFontSize(int size);
    void SetPanelHeight(int height);
    // Opens the File chooser with its Select buttons for a compare or combine run.
    void OpenChooserToSelect(const std::string& mode, int hintText);
    // Sorts SG1 by `column` as one model change of the view.
    void SortMainGrid(int column);
    // Runs long work that Escape may stop (see RunCancellable); a stop is said in the
    // status panel. Returns whether the work ran to its end.
    bool RunLongWork(const std::function<void()>& work);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildLayout();
    void BuildMenus();
    void BuildPopupMenus();
    void BuildRecentFilesMenu();
    void BuildFindReplace();
    void SetFindReplaceCaptions();
    bool ReplaceOptionsNow(ReplaceOptions& options);
    void ShowReplaceMatch(int row, int col);
    // Sizes the toggle button to its caption and the left panel around it.
    void FitTopPanel();
    void ConnectHandlers();
    void ConnectMenuItem(QAction* item, void (TForm1::*handler)());
    void CreateWindows();
    void SetCaptions();
    // LoadLanguageFile without the message: start-up has a fallback of its own.
    bool ApplyLanguageFile(std::string& error);
    void ChooseLanguageAtStartup();
    void RunStartupSteps();
    void HideMarked(bool rows);
    void MoveInHistory(bool undo);
    void ChangeGridColor(int target);
    void ReportMissingDefaultLanguage(const std::string& error);

    EditorState Editor;
    std::unique_ptr<Prompts> OwnPrompts;
    Prompts* PromptsUsed;
    std::unique_ptr<GuiFeedback> FeedbackShown;

    // Reports of compare and combine.
    void BuildReportMenuItems();
    void ConnectReportCommands();
    void SetReportCaptions();
    // After a run: the markers, the walk's start and the duplicate-key warning.
    void ShowReportRun();
    void GoToReportRecord(int index);
    ReportMarkers Markers;
    int ReportIndex = -1;

    bool ActivatedFlag = false;
    int FontSize = 8;
    int PanelHeight = 110;
    std::string TabFolder;
    std::string ProtoFolder;
};

} // namespace tw
