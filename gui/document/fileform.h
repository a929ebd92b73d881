#pragma once
// TForm3, the File chooser: a folder tree and a filtered file list, used to load a file,
// to save under a new name, and to pick two to five files of one kind for a compare or
// a combine run. Closing it, whichever way, always returns it to load mode. A path field
// above the tree takes a typed or pasted folder or file path in every mode.

#include <QDialog>
#include <QString>
#include <array>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

namespace tw {

class FileChooserHost;

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(FileChooserHost& host, QWidget* parent = nullptr);
    ~TForm3() override;

    // Save-as mode: Edit1 shown with `fileName`, "&Save As" instead of "&Load Selected".
    void PrepareSaveAs(const QString& fileName);
    // Compare or combine mode: the hint in Label1, "Select 1" instead of "&Load Selected".
    void PrepareSelect(const QString& hint);

    // The folder shown in DL1 and listed in FL1, without a trailing "/" (except the root).
    QString Folder() const { return CurrentFolder; }
    // Shows `path` in DL1 and lists it in FL1; false (nothing changes) when it is no folder.
    bool SetFolder(const QString& path);
    // The mask of the selected filter entry, e.g. "*.mes;*.tab;*.dlg".
    QString Mask() const;

    // What Enter in the path field does with `typed` (relative to the folder shown, "~"
    // for the home folder): a folder is opened; a file gets what the mode's main button
    // does with a selected file; in save-as mode a new name in an existing folder is
    // saved to. Anything else is reported and changes nothing.
    void PathEntered(const QString& typed);
    // The message for a Save As name that names no file of the folder shown (empty, a
    // folder, or a name with "/"); empty when the name will do.
    QString SaveNameProblem(const QString& name) const;
    // Places the controls of both panels for the captions they have now and the width
    // of the window (captions of another language may be longer than designed).
    void LayOutPanels();

    // Handlers.
    void FormShow();
    void FormClose();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void FL1Click();
    void FL1DoubleClick();
    void SelectButtonClick(int k); // Button1Click .. Button5Click
    void Button6Click();

    // Controls, under the names the rest of the program knows them by.
    QWidget* Panel1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* PathEdit = nullptr;
    QTreeView* DL1 = nullptr;
    QListWidget* FL1 = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    std::array<QPushButton*, 5> SelectButtons{}; // Button1 .. Button5
    QPushButton* Button6 = nullptr;
    QPushButton* BitBtn2 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FileChooserHost& Host;
    QFileSystemModel* FolderModel = nullptr;
    QString CurrentFolder;

    void RefreshFileList();
    void FolderChosen();
    // The file name selected in FL1, empty when the list is empty or nothing is selected.
    QString SelectedName() const;
    QString PathOf(const QString& name) const;
    QString LanguageText(int index) const;
    QString AddedText(const char* name) const;
    // The mode's main button applied to the file `path`: load it, save as it, or pick it
    // with the next Select button.
    void MainAction(const QString& path);
    void LoadPath(const QString& path);
    void SaveAsIn(const QString& folder, const QString& name);
    void PickFile(int k, const QString& path);
    // The Select button a file picked now goes to (1..5); 0 when none is waiting.
    int NextSelectButton() const;
    // Opens the first existing of: the folder shown, the host's opening folders, "/".
    void OpenStartFolder();
};

} // namespace tw
