#pragma once
// What window tests of loading, saving, compare and combine share: a started main window
// over a numbered language file, a folder of data files, and the File chooser driven the
// way a user drives it.

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "shellfixture.h"

class QAction;

namespace tw {

class DocumentFixture {
  public:
    DocumentFixture();
    // The window, started (language applied, settings read).
    TestForm& Start();
    TestForm& Form() { return *Window; }

    // A folder of the data folder ("" is the data folder itself), created when missing,
    // without a trailing "/".
    std::string Folder(const std::string& sub = {}) const;
    // Writes bytes to Folder(sub) + "/" + name and returns that path.
    std::string Write(const std::string& name, const std::string& bytes,
                      const std::string& sub = {}) const;
    static std::string Read(const std::string& path);
    static bool Exists(const std::string& path);

    // In the chooser's file list of `folder`, selects `name`.
    void Pick(const std::string& folder, const std::string& name);
    // "&Load" in the File menu, then `name` in `folder` and "&Load Selected".
    void LoadThroughChooser(const std::string& folder, const std::string& name);
    // `command` (a compare or combine item of the Tools menu), then `names` from the data
    // folder with Select 1, Select 2, ..., and "Go With Selected".
    void RunWithSelected(QAction* command, const QStringList& names);

    // Display texts of SG1's view: column `col` of every model row, and the header row.
    QStringList ColumnShown(int col) const;
    QStringList HeaderShown() const;
    QString CellShown(int row, int col) const; // display row, display column
    // Types `text` into a cell through the view's model, as the cell editor does.
    bool Edit(int row, int col, const QString& text);

    ShellFixture Shell;
    ScriptedPrompts Prompts;

  private:
    QTemporaryDir Data;
    std::unique_ptr<TestForm> Window;
};

} // namespace tw
