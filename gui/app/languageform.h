#pragma once
// The language window: the *.lng files of the program's folder and of the user's own
// language folder. A click applies a file
// at once and the window stays open, so the user sees the new captions and may try
// another; Close or Escape ends it.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tw {

class Tlngform : public QDialog {
    Q_OBJECT
  public:
    explicit Tlngform(QWidget* parent = nullptr);

    // The folder listed (ends in "/"); re-read every time the window opens, so files
    // added meanwhile appear.
    void SetFolder(const std::string& folder);
    const std::string& Folder() const { return ListFolder; }
    // The user's language folder (ends in "/"; empty: none), listed with the other.
    void SetUserFolder(const std::string& folder) { UserFolder = folder; }
    void RefreshList();
    // File names (bytes, as on disk) in list order.
    std::vector<std::string> FileNames() const;

    void FileListBox1Click(QListWidgetItem* item);
    void BitBtn2Click();

    // Called with the clicked file's name; the main window applies it.
    std::function<void(const std::string& fileName)> LanguageChosen;
    // The entry to select when the list is read: the active language file.
    std::function<std::string()> ActiveFile;

    QListWidget* FileListBox1;
    QPushButton* BitBtn2;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::string ListFolder;
    std::string UserFolder;
};

} // namespace tw
