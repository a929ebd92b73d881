#pragma once
// What window tests of the main window share: a temporary program folder with its
// language files, a temporary settings file, and a main window whose modal windows,
// loads and opened documents are recorded instead of run.

#include <QDialog>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/settings.h"
#include "gui/app/mainwindow.h"
#include "gui/app/prompts.h"

namespace tw {

// Lines "T0", "T1", ... so every caption shows which text it was built from.
std::string NumberedLanguageBytes(int lineCount, const std::string& prefix = "T");

class ShellFixture {
  public:
    // Points TABWRIGHT_SETTINGS at an empty file of a fresh temporary folder; the
    // window must be built after this.
    ShellFixture();
    ~ShellFixture();
    ShellFixture(const ShellFixture&) = delete;
    ShellFixture& operator=(const ShellFixture&) = delete;

    std::string ProgramFolder() const; // ends in "/"
    void WriteProgramFile(const std::string& name, const std::string& bytes) const;
    void RemoveProgramFile(const std::string& name) const;
    // A copy of one of the program's own language files from data/.
    void CopyShippedLanguage(const std::string& name) const;
    // The user's language folder the window under test reads (XDG_DATA_HOME points
    // into the temporary folder).
    std::string UserLanguageFolder() const; // ends in "/"
    void WriteUserFile(const std::string& name, const std::string& bytes) const;
    TRegpath Settings() const; // the store the window under test uses
    std::string SettingsText() const;

  private:
    QTemporaryDir Folder;
    QByteArray PreviousSettings;
    bool HadSettings = false;
    QByteArray PreviousDataHome;
    bool HadDataHome = false;
};

class TestForm : public TForm1 {
  public:
    TestForm(const ShellFixture& fixture, ScriptedPrompts& prompts)
        : TForm1(fixture.ProgramFolder(), &prompts) {}

    QStringList ModalWindows;                 // object names, in the order shown
    std::function<void(QDialog&)> WhileModal; // runs as if the user acted in the window
    std::vector<std::string> Loads;
    // Off: loads are only recorded (for tests of which file start-up picks).
    bool RealLoads = true;
    std::vector<std::string> OpenedDocuments;
    bool HelpViewerInstalled = true; // what the desktop answers for the help file's type
    QStringList Popups;              // object names of the pop-up menus opened
    bool RealPopups = false;         // open them on screen as well
    QPoint LastPopupPosition;

    using TForm1::BoundedPointSize;

  protected:
    int ExecModal(QDialog& window) override;
    bool LoadIntoMainGrid(const std::string& path) override;
    void OpenDocument(const std::string& path) override { OpenedDocuments.push_back(path); }
    bool HasApplicationFor(const std::string&) override { return HelpViewerInstalled; }
    void OpenPopupMenu(QMenu& menu, QPoint globalPosition) override;
};

QString CaptionOf(const std::string& bytes);

} // namespace tw
