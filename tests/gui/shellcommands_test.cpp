// Commands of the application shell: the auto-load options, Exit, Help, About, the
// language window and the Language menu, and what long operations show.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "core/headers/documentsections.h"
#include "gui/app/aboutbox.h"
#include "gui/app/guifeedback.h"
#include "gui/app/languageform.h"
#include "support/shellfixture.h"

using namespace tw;

namespace {

// Remembers whether the busy cursor was showing while a message was on screen.
class CursorWatchingPrompts : public ScriptedPrompts {
  public:
    using ScriptedPrompts::MessageBox;
    void MessageBox(const QString& text) override {
        BusyDuringMessage = QApplication::overrideCursor() != nullptr;
        ScriptedPrompts::MessageBox(text);
    }
    bool BusyDuringMessage = true;
};

QListWidgetItem* ItemNamed(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == name)
            return list->item(i);
    return nullptr;
}

} // namespace

class ShellCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void autoLoadOptionsAreStoredAtOnceAndExclusive();
    void optionsSurviveARestart();
    void exitWritesNothing();
    void helpFileName_data();
    void helpFileName();
    void helpOpensTheFileOfTheActiveLanguage();
    void userLanguageFilesAreListedAndWin();
    void helpFallsBackToThePagesWithoutAViewer_data();
    void helpFallsBackToThePagesWithoutAViewer();
    void aboutShowsTheTitle();
    void languageWindowListsLanguageFiles();
    void clickAppliesAtOnceAndWindowStaysOpen();
    void escapeAndCloseButtonCloseTheLanguageWindow();
    void languageMenuReadsTheDocumentSectionsAfterward();
    void feedbackShowsInTheStatusBar();
    void busyCursorIsBalanced();
    void scriptedPromptsAnswerInOrder();
    void designShortcutsAndCheckMarks();
};

void ShellCommandsTest::autoLoadOptionsAreStoredAtOnceAndExclusive() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.FormActivate();
    TRegpath reg = fixture.Settings();

    form.AutoLoadProtosOnStartup1->trigger();
    QVERIFY(form.AutoLoadProtosOnStartup1->isChecked());
    QVERIFY(!form.AutoLoadLastFileOnStartup1->isChecked());
    QCOMPARE(reg.ReadBool("autoload"), std::optional<bool>(true));
    QCOMPARE(reg.ReadBool("autoloadlast"), std::optional<bool>(false));

    form.AutoLoadLastFileOnStartup1->trigger();
    QVERIFY(!form.AutoLoadProtosOnStartup1->isChecked());
    QVERIFY(form.AutoLoadLastFileOnStartup1->isChecked());
    QCOMPARE(reg.ReadBool("autoload"), std::optional<bool>(false));
    QCOMPARE(reg.ReadBool("autoloadlast"), std::optional<bool>(true));

    form.AutoLoadLastFileOnStartup1->trigger();
    QVERIFY(!form.AutoLoadProtosOnStartup1->isChecked());
    QVERIFY(!form.AutoLoadLastFileOnStartup1->isChecked());
    QCOMPARE(reg.ReadBool("autoloadlast"), std::optional<bool>(false));
}

void ShellCommandsTest::optionsSurviveARestart() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    fixture.WriteProgramFile("deutsch.lng", NumberedLanguageBytes(160, "D"));
    ScriptedPrompts prompts;
    {
        TestForm first(fixture, prompts);
        first.WhileModal = [&](QDialog&) {
            first.lngform->FileListBox1Click(
                ItemNamed(first.lngform->FileListBox1, QStringLiteral("deutsch.lng")));
        };
        first.FormActivate();
        QCOMPARE(first.windowTitle(), QStringLiteral("Orlendt's D1 2.4.3"));
        first.AutoLoadProtosOnStartup1->trigger();
    }
    TestForm second(fixture, prompts);
    second.RealLoads = false; // "protos.tab" of the current folder is not the test's
    second.FormActivate();
    QVERIFY(second.ModalWindows.isEmpty()); // the chosen language is found again
    QCOMPARE(second.windowTitle(), QStringLiteral("Orlendt's D1 2.4.3"));
    QVERIFY(second.AutoLoadProtosOnStartup1->isChecked());
    QCOMPARE(second.Loads, std::vector<std::string>{"protos.tab"});
}

void ShellCommandsTest::exitWritesNothing() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.FormActivate();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    std::string before = fixture.SettingsText();
    form.Exit1->trigger();
    QVERIFY(!form.isVisible());
    QCOMPARE(fixture.SettingsText(), before);
    QVERIFY(prompts.Messages.isEmpty() && prompts.Questions.isEmpty());
}

void ShellCommandsTest::helpFileName_data() {
    QTest::addColumn<QString>("languageFile");
    QTest::addColumn<QString>("helpFile");
    QTest::newRow("english") << "english.lng"
                             << "tabwrightenglish.chm";
    QTest::newRow("german") << "german.lng"
                            << "tabwrightgerman.chm";
    QTest::newRow("name with two dots") << "my.old.lng"
                                        << "tabwrightmy.chm";
    QTest::newRow("no extension") << "plain"
                                  << "tabwrightplain.chm";
}

void ShellCommandsTest::helpFileName() {
    QFETCH(QString, languageFile);
    QFETCH(QString, helpFile);
    ShellFixture fixture;
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.State().LanguageFile = languageFile.toStdString();
    QCOMPARE(QString::fromStdString(form.HelpFileName()),
             QString::fromStdString(fixture.ProgramFolder()) + helpFile);
}

void ShellCommandsTest::helpOpensTheFileOfTheActiveLanguage() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    fixture.WriteProgramFile("deutsch.lng", NumberedLanguageBytes(160, "D"));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.FormActivate();

    form.Help2->trigger();
    QCOMPARE(prompts.Messages, QStringList{QStringLiteral("T158")});
    QVERIFY(form.OpenedDocuments.empty());

    fixture.WriteProgramFile("tabwrightdeutsch.chm", "help");
    form.LanguageFileChosen("deutsch.lng");
    form.Help2->trigger();
    QCOMPARE(prompts.Messages.size(), 1);
    QCOMPARE(form.OpenedDocuments,
             std::vector<std::string>{fixture.ProgramFolder() + "tabwrightdeutsch.chm"});
}

void ShellCommandsTest::helpFallsBackToThePagesWithoutAViewer_data() {
    QTest::addColumn<bool>("viewer");
    QTest::addColumn<bool>("pages");
    QTest::addColumn<QString>("opened"); // relative to the program folder
    QTest::newRow("viewer") << true << true << "tabwrightdeutsch.chm";
    QTest::newRow("no viewer: the pages") << false << true << "help/deutsch/index.html";
    QTest::newRow("no viewer, no pages: the file all the same")
        << false << false << "tabwrightdeutsch.chm";
}

void ShellCommandsTest::helpFallsBackToThePagesWithoutAViewer() {
    QFETCH(bool, viewer);
    QFETCH(bool, pages);
    QFETCH(QString, opened);
    ShellFixture fixture;
    fixture.WriteProgramFile("deutsch.lng", NumberedLanguageBytes(160, "D"));
    fixture.WriteProgramFile("tabwrightdeutsch.chm", "help");
    if (pages)
        fixture.WriteProgramFile("help/deutsch/index.html", "<html></html>");
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.HelpViewerInstalled = viewer;
    form.State().LanguageFile = "deutsch.lng";
    form.Help2->trigger();
    QVERIFY(prompts.Messages.isEmpty());
    QCOMPARE(form.OpenedDocuments,
             std::vector<std::string>{fixture.ProgramFolder() + opened.toStdString()});
}

void ShellCommandsTest::aboutShowsTheTitle() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", "heading\r\nEditor\r\n");
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.FormActivate();
    form.ModalWindows.clear();

    form.About1->trigger();
    QCOMPARE(form.ModalWindows, QStringList{QStringLiteral("AboutBox")});
    QCOMPARE(form.AboutBox->ProductName->text(), QStringLiteral("Orlendt's Editor 2.4.3"));
    QCOMPARE(form.AboutBox->ProductName->text(), form.windowTitle());
    QCOMPARE(form.AboutBox->size(), QSize(298, 213));
}

void ShellCommandsTest::languageWindowListsLanguageFiles() {
    ShellFixture fixture;
    for (const char* name : {"english.lng", "Zulu.LNG", "b.lng", "notes.txt", "lng"})
        fixture.WriteProgramFile(name, "x\n");
    QDir(QString::fromStdString(fixture.ProgramFolder())).mkdir(QStringLiteral("folder.lng"));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);

    std::vector<std::string> expected{"Zulu.LNG", "b.lng", "english.lng"};
    QCOMPARE(form.lngform->FileNames(), expected);
    // Files that appear later are listed the next time the window opens.
    fixture.WriteProgramFile("c.lng", "x\n");
    form.lngform->RefreshList();
    QCOMPARE(form.lngform->FileNames().size(), size_t(4));
    // The active language is marked, without loading anything.
    QCOMPARE(form.lngform->FileListBox1->currentItem()->text(), QStringLiteral("english.lng"));
    QVERIFY(fixture.SettingsText().empty());
}

void ShellCommandsTest::userLanguageFilesAreListedAndWin() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    fixture.WriteProgramFile("deutsch.lng", NumberedLanguageBytes(160, "D"));
    fixture.WriteUserFile("deutsch.lng",
                          NumberedLanguageBytes(160, "U") + "[t.mes]\r\n000Mine\r\n");
    fixture.WriteUserFile("klingon.lng", NumberedLanguageBytes(160, "K"));
    fixture.WriteUserFile("notes.txt", "x\n");
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    QCOMPARE(form.State().UserLanguageFolder, fixture.UserLanguageFolder());

    // One entry per name, wherever it lies.
    QCOMPARE(form.lngform->FileNames(),
             (std::vector<std::string>{"deutsch.lng", "english.lng", "klingon.lng"}));
    // The user's file of an installed name is the one that loads, captions and document
    // sections alike; a name only the user has loads too.
    form.LanguageFileChosen("deutsch.lng");
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's U1 2.4.3"));
    form.State().DocumentFileName = "t.mes";
    form.State().SG1().SetColCount(2);
    form.State().SG1().SetRowCount(3);
    LoadDocumentSections(form.State(), form.Feedback());
    QCOMPARE(std::string(form.State().SG1().Cell(0, 0)), std::string("Mine"));
    form.LanguageFileChosen("klingon.lng");
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's K1 2.4.3"));
    form.LanguageFileChosen("english.lng");
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's T1 2.4.3"));
    QVERIFY(prompts.Messages.isEmpty());
}

void ShellCommandsTest::clickAppliesAtOnceAndWindowStaysOpen() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    fixture.WriteProgramFile("deutsch.lng", NumberedLanguageBytes(160, "D"));
    fixture.WriteProgramFile("gone.lng", NumberedLanguageBytes(160, "G"));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    Tlngform& window = *form.lngform;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QListWidgetItem* deutsch = ItemNamed(window.FileListBox1, QStringLiteral("deutsch.lng"));
    QVERIFY(deutsch);
    QRect box = window.FileListBox1->visualItemRect(deutsch);
    QTest::mouseClick(window.FileListBox1->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's D1 2.4.3"));
    QCOMPARE(window.windowTitle(), QStringLiteral("D2"));
    QVERIFY(window.isVisible());

    // A file the list still shows but that was deleted: the name is taken, nothing loads.
    fixture.RemoveProgramFile("gone.lng");
    window.FileListBox1Click(ItemNamed(window.FileListBox1, QStringLiteral("gone.lng")));
    QCOMPARE(QString::fromStdString(form.State().LanguageFile), QStringLiteral("gone.lng"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's D1 2.4.3"));
    QVERIFY(prompts.Messages.isEmpty());
    window.FileListBox1Click(nullptr); // a click beside the entries
    QCOMPARE(QString::fromStdString(form.State().LanguageFile), QStringLiteral("gone.lng"));
    window.close();
}

void ShellCommandsTest::escapeAndCloseButtonCloseTheLanguageWindow() {
    ShellFixture fixture;
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    Tlngform& window = *form.lngform;
    QCOMPARE(window.size(), QSize(367, 480));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

void ShellCommandsTest::languageMenuReadsTheDocumentSectionsAfterward() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    fixture.WriteProgramFile("deutsch.lng", NumberedLanguageBytes(160, "D"));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.FormActivate();
    form.ModalWindows.clear();

    // Lists left over from an earlier document; the sections of the new language
    // replace them once the window closes.
    form.ComboBox1->addItem(QStringLiteral("stale set"));
    form.ComboBox1->setCurrentIndex(1);
    bool sectionsReadBeforeClose = true;
    form.WhileModal = [&](QDialog&) {
        form.lngform->FileListBox1Click(
            ItemNamed(form.lngform->FileListBox1, QStringLiteral("deutsch.lng")));
        sectionsReadBeforeClose = form.ComboBox1->count() != 2;
    };
    form.LANGUAGE1->trigger();

    QCOMPARE(form.ModalWindows, QStringList{QStringLiteral("lngform")});
    QVERIFY(!sectionsReadBeforeClose);
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's D1 2.4.3"));
    const EditorState& state = form.State();
    QCOMPARE(form.ComboBox1->count(), int(state.HeaderSetNames.size()));
    QCOMPARE(form.ComboBox2->count(), int(state.VariableListNames.size()));
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QCOMPARE(form.ComboBox2->currentIndex(), 0);
}

void ShellCommandsTest::feedbackShowsInTheStatusBar() {
    ShellFixture fixture;
    CursorWatchingPrompts prompts;
    TestForm form(fixture, prompts);
    GuiFeedback& feedback = form.Feedback();

    feedback.SetStatus("Gr\xF6\xDF"
                       "e \x80");
    QCOMPARE(form.StatusPanel->text(), QString::fromUtf8("Größe €"));
    feedback.SetProgressMax(-1); // an empty table
    QCOMPARE(form.ProgressBar1->maximum(), 0);
    feedback.SetProgressMax(50);
    feedback.SetProgress(80);
    QCOMPARE(form.ProgressBar1->value(), 50);
    feedback.SetProgress(20);
    QCOMPARE(form.ProgressBar1->value(), 20);

    feedback.AppendReport("SG2 - one");
    feedback.AppendReport("SG2 - two");
    QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("SG2 - one\nSG2 - two"));
    feedback.ClearReport();
    QVERIFY(form.Memo1->toPlainText().isEmpty());

    feedback.SetBusy(true);
    feedback.ShowMessage("done");
    QCOMPARE(prompts.Messages, QStringList{QStringLiteral("done")});
    QVERIFY(!prompts.BusyDuringMessage);
    QVERIFY(QApplication::overrideCursor() != nullptr); // back once the box is closed
    feedback.SetBusy(false);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void ShellCommandsTest::busyCursorIsBalanced() {
    ShellFixture fixture;
    ScriptedPrompts prompts;
    {
        TestForm form(fixture, prompts);
        form.Feedback().SetBusy(true);
        form.Feedback().SetBusy(true);
        form.Feedback().SetBusy(false);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        form.Feedback().SetBusy(false);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        form.Feedback().SetBusy(true);
    }
    // A window that goes while busy takes its cursor with it.
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void ShellCommandsTest::scriptedPromptsAnswerInOrder() {
    ScriptedPrompts prompts;
    prompts.Answer(QStringLiteral("12"));
    prompts.Cancel();
    QCOMPARE(prompts.InputBox(QStringLiteral("Font"), QStringLiteral("Size"), QStringLiteral("8")),
             QStringLiteral("12"));
    QCOMPARE(prompts.InputBox(std::string("Find"), std::string("Text"), std::string("\xE4")),
             QString::fromUtf8("ä"));
    QCOMPARE(prompts.InputBox(QStringLiteral("Again"), QString(), QStringLiteral("d")),
             QStringLiteral("d"));
    QCOMPARE(prompts.Questions.size(), 3);
    QCOMPARE(prompts.Questions[1].Caption, QStringLiteral("Find"));
    QCOMPARE(prompts.Questions[1].DefaultAnswer, QString::fromUtf8("ä"));
}

void ShellCommandsTest::designShortcutsAndCheckMarks() {
    ShellFixture fixture;
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    QCOMPARE(form.Find1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(form.FindNext1->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's Ashmere Quillmark"));

    // A menu click flips a check mark once, through its handler, not twice.
    form.AutoLoadProtosOnStartup1->trigger();
    QVERIFY(form.AutoLoadProtosOnStartup1->isChecked());
    form.AutoLoadProtosOnStartup1->trigger();
    QVERIFY(!form.AutoLoadProtosOnStartup1->isChecked());
}

QTEST_MAIN(ShellCommandsTest)
#include "shellcommands_test.moc"
