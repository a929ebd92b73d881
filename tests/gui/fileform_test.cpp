// The File chooser against a recording host: modes, picks, the list it shows and what
// it asks the main window to do.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <stdexcept>

#include "gui/document/filechooserhost.h"
#include "gui/document/fileform.h"

using namespace tw;

namespace {

class RecordingHost : public FileChooserHost {
  public:
    std::string Text(int index) const override { return "T" + std::to_string(index); }
    void ShowMessage(const std::string& text) override { Calls.push_back("message " + text); }
    void LoadSelected(const std::string& path) override { Calls.push_back("load " + path); }
    void SaveAs(const std::string& folder, const std::string& name) override {
        Calls.push_back("saveas " + folder + " " + name);
    }
    std::string SelectedFile(int k) const override { return Files.at(static_cast<size_t>(k - 1)); }
    void SetSelectedFile(int k, const std::string& path) override {
        Files.at(static_cast<size_t>(k - 1)) = path;
    }
    std::string CompareMode() const override { return Mode; }
    void SetBatchActive(bool active) override {
        Calls.push_back(active ? "batch on" : "batch off");
    }
    void ResetReportArea() override { Calls.push_back("reset report"); }
    void LoadIntoSlot(const std::string& path, int slot) override {
        Calls.push_back("slot " + std::to_string(slot) + " " + path);
        if (FailLoads)
            throw std::runtime_error("unreadable");
    }
    void RunCompareOrCombine(const std::string& mode) override { Calls.push_back("run " + mode); }
    std::vector<std::string> OpeningFolders() const override { return Opening; }

    std::vector<std::string> Calls;
    std::array<std::string, 5> Files;
    std::string Mode = "compare";
    bool FailLoads = false;
    std::vector<std::string> Opening;
};

QString Added(const char* name, const std::string& argument = {}) {
    return QString::fromStdString(FormatText(BuiltInProgramText(name), {argument}));
}

QStringList Names(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

} // namespace

class FileFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir* Folder = nullptr;
    RecordingHost* Host = nullptr;
    TForm3* Form = nullptr;

    std::string Path(const char* name) const {
        return (Folder->path() + QLatin1Char('/')).toStdString() + name;
    }
    void Touch(const QString& name) {
        QFile file(Folder->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    void Pick(const QString& name) {
        const QList<QListWidgetItem*> found = Form->FL1->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        Form->FL1->setCurrentItem(found.first());
    }

  private slots:
    void init() {
        Folder = new QTemporaryDir;
        QVERIFY(Folder->isValid());
        for (const char* name : {"a.tab", "b.TAB", "c.tab", "talk.dlg", "game.mes", "notes.txt"})
            Touch(QString::fromLatin1(name));
        QVERIFY(QDir(Folder->path()).mkdir(QStringLiteral("sub")));
        Host = new RecordingHost;
        Form = new TForm3(*Host);
        QVERIFY(Form->SetFolder(Folder->path()));
    }
    void cleanup() {
        delete Form;
        delete Host;
        delete Folder;
    }

    void filterListsMatchingFiles_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all supported")
            << 0
            << QStringList{QStringLiteral("a.tab"), QStringLiteral("b.TAB"),
                           QStringLiteral("c.tab"), QStringLiteral("game.mes"),
                           QStringLiteral("talk.dlg")};
        QTest::newRow("dialog") << 1 << QStringList{QStringLiteral("talk.dlg")};
        QTest::newRow("mes") << 2 << QStringList{QStringLiteral("game.mes")};
        QTest::newRow("tab") << 3
                             << QStringList{QStringLiteral("a.tab"), QStringLiteral("b.TAB"),
                                            QStringLiteral("c.tab")};
    }
    void filterListsMatchingFiles() {
        QFETCH(int, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(Form->FilterComboBox1->count(), 4);
        QCOMPARE(Form->FilterComboBox1->itemText(0),
                 QStringLiteral("All supported types (*.tab, *.mes, *.dlg)"));
        QCOMPARE(Form->FilterComboBox1->itemData(0).toString(),
                 QStringLiteral("*.mes;*.tab;*.dlg"));
        Form->FilterComboBox1->setCurrentIndex(filter);
        QCOMPARE(Names(Form->FL1), expected);
    }

    void loadModeShowsLoadAndCancelOnly() {
        QVERIFY(!Form->BitBtn1->isHidden());
        QVERIFY(!Form->BitBtn2->isHidden());
        QVERIFY(Form->BitBtn3->isHidden());
        QVERIFY(Form->Edit1->isHidden());
        QVERIFY(Form->Label1->isHidden());
        for (QPushButton* button : Form->SelectButtons)
            QVERIFY(button->isHidden());
        QVERIFY(Form->Button6->isHidden());
        QCOMPARE(Form->size(), QSize(640, 480));
    }

    void loadSelectedHandsTheFullPathToTheHost() {
        Form->BitBtn1Click(); // nothing selected: nothing happens
        QVERIFY(Host->Calls.empty());
        Pick(QStringLiteral("c.tab"));
        Form->BitBtn1Click();
        QCOMPARE(Host->Calls, (std::vector<std::string>{"load " + Path("c.tab")}));
        QCOMPARE(Form->windowTitle(), QStringLiteral("T156"));
    }

    void listIsReadAgainWhenTheWindowOpens() {
        Form->show();
        QVERIFY(Form->FL1->findItems(QStringLiteral("new.mes"), Qt::MatchExactly).isEmpty());
        Form->BitBtn2Click();
        Touch(QStringLiteral("new.mes"));
        Form->show();
        QCOMPARE(Form->FL1->findItems(QStringLiteral("new.mes"), Qt::MatchExactly).size(), 1);
        Form->BitBtn2Click();
    }

    void otherExtensionIsRefusedWithText157() {
        Form->PrepareSelect(QStringLiteral("hint"));
        QVERIFY(!Form->Label1->isHidden());
        QCOMPARE(Form->Label1->text(), QStringLiteral("hint"));
        QVERIFY(Form->BitBtn1->isHidden());
        QVERIFY(!Form->SelectButtons[0]->isHidden());
        Pick(QStringLiteral("a.tab"));
        Form->SelectButtonClick(1);
        QCOMPARE(Host->Files[0], Path("a.tab"));
        QVERIFY(!Form->SelectButtons[0]->isEnabled());
        QCOMPARE(Form->SelectButtons[0]->text(), QStringLiteral("a.tab"));
        QVERIFY(!Form->SelectButtons[1]->isHidden());

        Pick(QStringLiteral("b.TAB")); // differs in case only
        Form->SelectButtonClick(2);
        QCOMPARE(Host->Calls, (std::vector<std::string>{"message T157"}));
        QCOMPARE(Host->Files[1], "");
        QVERIFY(Form->SelectButtons[1]->isEnabled());
        QVERIFY(Form->SelectButtons[2]->isHidden());
        QVERIFY(Form->Button6->isHidden());

        Pick(QStringLiteral("c.tab"));
        Form->SelectButtonClick(2);
        QCOMPARE(Host->Files[1], Path("c.tab"));
        QVERIFY(!Form->SelectButtons[2]->isHidden());
        QVERIFY(!Form->Button6->isHidden());
        Pick(QStringLiteral("a.tab")); // the same file may be picked again
        Form->SelectButtonClick(3);
        QCOMPARE(Host->Files[2], Path("a.tab"));
        QVERIFY(!Form->SelectButtons[3]->isHidden());
        QVERIFY(Form->SelectButtons[4]->isHidden());
    }

    void cancelAfterTwoPicksClearsThem() {
        Form->PrepareSelect(QStringLiteral("hint"));
        Pick(QStringLiteral("a.tab"));
        Form->SelectButtonClick(1);
        Pick(QStringLiteral("c.tab"));
        Form->SelectButtonClick(2);
        Form->BitBtn2Click();
        for (const std::string& file : Host->Files)
            QCOMPARE(file, "");
        for (int k = 0; k < 5; ++k) {
            QPushButton* button = Form->SelectButtons[static_cast<size_t>(k)];
            QVERIFY(button->isHidden());
            QVERIFY(button->isEnabled());
            QCOMPARE(button->text(), QStringLiteral("T51 %1").arg(k + 1));
        }
        QVERIFY(Form->Button6->isHidden());
        QVERIFY(Form->Label1->isHidden());
        QVERIFY(!Form->BitBtn1->isHidden());
        QCOMPARE(Form->windowTitle(), QStringLiteral("T156"));
    }

    void goWithSelectedLoadsEachPickIntoItsSlot_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("failLoads");
        QTest::newRow("compare") << QStringLiteral("compare") << false;
        QTest::newRow("combine") << QStringLiteral("combine") << false;
        QTest::newRow("neither") << QStringLiteral("") << false;
        QTest::newRow("load fails") << QStringLiteral("compare") << true;
    }
    void goWithSelectedLoadsEachPickIntoItsSlot() {
        QFETCH(QString, mode);
        QFETCH(bool, failLoads);
        Host->Mode = mode.toStdString();
        Host->FailLoads = failLoads;
        Form->PrepareSelect(QStringLiteral("hint"));
        Pick(QStringLiteral("a.tab"));
        Form->SelectButtonClick(1);
        Pick(QStringLiteral("c.tab"));
        Form->SelectButtonClick(2);
        Form->Button6Click();
        std::vector<std::string> expected{"batch on", "reset report", "slot 1 " + Path("a.tab")};
        if (!failLoads) {
            expected.push_back("slot 2 " + Path("c.tab"));
            if (!mode.isEmpty())
                expected.push_back("run " + mode.toStdString());
        }
        expected.push_back("batch off");
        QCOMPARE(Host->Calls, expected);
        for (const std::string& file : Host->Files)
            QCOMPARE(file, "");
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void saveAsTakesTheClickedNameAndTheFolderShown() {
        Form->PrepareSaveAs(QStringLiteral("protos.tab"));
        QVERIFY(!Form->Edit1->isHidden());
        QVERIFY(!Form->BitBtn3->isHidden());
        QVERIFY(Form->BitBtn1->isHidden());
        QCOMPARE(Form->Edit1->text(), QStringLiteral("protos.tab"));
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form));
        const QList<QListWidgetItem*> found =
            Form->FL1->findItems(QStringLiteral("game.mes"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(Form->FL1->viewport(), Qt::LeftButton, {},
                          Form->FL1->visualItemRect(found.first()).center());
        QCOMPARE(Form->Edit1->text(), QStringLiteral("game.mes"));
        Form->Edit1->setText(QStringLiteral("Other Name.mes"));
        Form->BitBtn3Click();
        QCOMPARE(Host->Calls, (std::vector<std::string>{"saveas " + Folder->path().toStdString() +
                                                        " Other Name.mes"}));
        QVERIFY(Form->Edit1->isHidden());
        QVERIFY(!Form->BitBtn1->isHidden());
    }

    void clickInLoadModeLeavesEdit1Alone() {
        Form->Edit1->setText(QStringLiteral("kept"));
        Pick(QStringLiteral("a.tab"));
        Form->FL1Click();
        QCOMPARE(Form->Edit1->text(), QStringLiteral("kept"));
    }

    void setFolderRefusesWhatIsNoFolder() {
        QVERIFY(!Form->SetFolder(Folder->filePath(QStringLiteral("a.tab"))));
        QVERIFY(!Form->SetFolder(Folder->filePath(QStringLiteral("missing"))));
        QCOMPARE(Form->Folder(), Folder->path());
        QVERIFY(Form->SetFolder(Folder->filePath(QStringLiteral("sub"))));
        QCOMPARE(Form->Folder(), Folder->filePath(QStringLiteral("sub")));
        QCOMPARE(Form->FL1->count(), 0);
        Form->BitBtn1Click(); // an empty list: nothing happens
        QVERIFY(Host->Calls.empty());
    }

    // Enter in the path field, in each mode; "%1" stands for the test folder.
    void pathField_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("folder"); // shown afterwards
        QTest::addColumn<QString>("pick1");  // compare mode: what Select 1 holds
        auto S = [](const char* text) { return QString::fromUtf8(text); };
        auto Row = [&](const char* name, const char* mode, const char* typed, QStringList calls,
                       const char* folder, const char* pick1) {
            QTest::newRow(name) << S(mode) << S(typed) << calls << S(folder) << S(pick1);
        };
        auto Message = [&](const char* path) {
            return QStringList{S("message ") + Added("nosuchpath", path)};
        };
        Row("folder opens", "load", "sub", {}, "%1/sub", "");
        Row("file loads", "load", "c.tab", {S("load %1/c.tab")}, "%1", "");
        Row("absolute, cleaned", "load", "%1/sub/../a.tab", {S("load %1/a.tab")}, "%1", "");
        Row("file of another folder loads from there", "load", "sub/x.mes",
            {S("load %1/sub/x.mes")}, "%1/sub", "");
        Row("missing", "load", "missing.tab", Message("%1/missing.tab"), "%1", "");
        Row("save as a new name", "save", "new.mes", {S("saveas %1 new.mes")}, "%1", "");
        Row("save into another folder", "save", "sub/new.mes", {S("saveas %1/sub new.mes")},
            "%1/sub", "");
        Row("save where no folder is", "save", "gone/new.mes", Message("%1/gone/new.mes"), "%1",
            "");
        Row("compare picks", "compare", "a.tab", {}, "%1", "%1/a.tab");
    }
    void pathField() {
        QFETCH(QString, mode);
        QFETCH(QString, typed);
        QFETCH(QStringList, calls);
        QFETCH(QString, folder);
        QFETCH(QString, pick1);
        auto in = [this](QString text) {
            return text.replace(QStringLiteral("%1"), Folder->path());
        };
        Touch(QStringLiteral("sub/x.mes"));
        if (mode == QStringLiteral("save"))
            Form->PrepareSaveAs(QStringLiteral("old.tab"));
        if (mode == QStringLiteral("compare"))
            Form->PrepareSelect(QStringLiteral("hint"));
        Pick(QStringLiteral("talk.dlg")); // Enter in the field never acts on the list
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form));
        Form->PathEdit->setFocus();
        Form->PathEdit->setText(in(typed));
        QTest::keyClick(Form->PathEdit, Qt::Key_Return);
        QStringList seen;
        for (const std::string& call : Host->Calls)
            seen << QString::fromStdString(call);
        for (QString& call : calls)
            call = in(call);
        QCOMPARE(seen, calls);
        if (calls.isEmpty() || calls.first().startsWith(QStringLiteral("message")))
            QCOMPARE(Form->Folder(), in(folder));
        QCOMPARE(QString::fromStdString(Host->Files[0]), in(pick1));
        Form->BitBtn2Click();
    }

    void saveNameProblemsKeepTheWindowOpen_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << Added("saveasnoname");
        QTest::newRow("slash") << "a/b.tab" << Added("saveasbadname", "a/b.tab");
        QTest::newRow("dot dot") << ".." << Added("saveasbadname", "..");
        QTest::newRow("a folder") << "sub" << Added("saveasfolder", "sub");
        QTest::newRow("fine") << "fine.tab" << QString();
    }
    void saveNameProblemsKeepTheWindowOpen() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        Form->PrepareSaveAs(name);
        QCOMPARE(Form->SaveNameProblem(name), message);
        Form->BitBtn3Click();
        if (message.isEmpty()) {
            QCOMPARE(Host->Calls,
                     (std::vector<std::string>{"saveas " + Folder->path().toStdString() + " " +
                                               name.toStdString()}));
            QVERIFY(Form->Edit1->isHidden()); // closed, back in load mode
        } else {
            QCOMPARE(Host->Calls, (std::vector<std::string>{"message " + message.toStdString()}));
            QVERIFY(!Form->Edit1->isHidden());
        }
    }

    void doubleClickDoesTheMainButton() {
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form));
        auto doubleClick = [this](const char* name) {
            const QList<QListWidgetItem*> found =
                Form->FL1->findItems(QString::fromLatin1(name), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            const QPoint at = Form->FL1->visualItemRect(found.first()).center();
            QTest::mouseClick(Form->FL1->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(Form->FL1->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick("c.tab");
        QCOMPARE(Host->Calls, (std::vector<std::string>{"load " + Path("c.tab")}));
        Form->PrepareSelect(QStringLiteral("hint"));
        Form->show();
        doubleClick("a.tab");
        doubleClick("c.tab");
        QCOMPARE(Host->Files[0], Path("a.tab"));
        QCOMPARE(Host->Files[1], Path("c.tab"));
        Form->BitBtn2Click();
    }

    void captionFocusAndShortcutPerMode() {
        Form->show();
        QVERIFY(QTest::qWaitForWindowActive(Form));
        QVERIFY(Form->FL1->hasFocus()); // the arrow keys walk the files
        QTest::keyClick(Form, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(Form->PathEdit->hasFocus());
        QCOMPARE(Form->PathEdit->text(), Folder->path());
        Form->BitBtn2Click();
        QCOMPARE(Form->windowTitle(), QStringLiteral("T156"));
        Form->PrepareSaveAs(QStringLiteral("x.tab"));
        QCOMPARE(Form->windowTitle(), Added("saveascaption"));
        Form->BitBtn2Click();
        for (const char* mode : {"compare", "combine"}) {
            Host->Mode = mode;
            Form->PrepareSelect(QStringLiteral("hint"));
            QCOMPARE(Form->windowTitle(),
                     Added(Host->Mode == "compare" ? "comparecaption" : "combinecaption"));
            Form->BitBtn2Click();
        }
    }

    void opensInTheFirstFolderThatExists() {
        const QString sub = Folder->filePath(QStringLiteral("sub"));
        for (const auto& [opening, expected] :
             std::vector<std::pair<std::vector<std::string>, QString>>{
                 {{Path("gone"), sub.toStdString()}, sub},
                 {{Path("gone")}, QStringLiteral("/")},
                 {{}, QStringLiteral("/")}}) {
            RecordingHost host;
            host.Opening = opening;
            TForm3 fresh(host);
            fresh.show();
            QCOMPARE(fresh.Folder(), expected);
            // The folder it was left in wins the next time, while it exists.
            QVERIFY(fresh.SetFolder(Folder->path()));
            fresh.BitBtn2Click();
            fresh.show();
            QCOMPARE(fresh.Folder(), Folder->path());
            fresh.BitBtn2Click();
        }
    }

    void hintAndButtonsFitTheirTexts() {
        const QString longHint = QStringLiteral("A hint of many words ").repeated(8);
        const QString longCaption = QStringLiteral("A much longer caption than designed");
        Form->BitBtn3->setText(longCaption);
        Form->BitBtn2->setText(longCaption);
        Form->PrepareSaveAs(QStringLiteral("x.tab"));
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form));
        for (QPushButton* button : {Form->BitBtn3, Form->BitBtn2})
            QVERIFY(button->width() >= button->sizeHint().width());
        QVERIFY(Form->Edit1->x() >= Form->BitBtn3->geometry().right());
        QVERIFY(Form->BitBtn2->x() >= Form->Edit1->geometry().right());
        Form->BitBtn2Click();
        Form->PrepareSelect(longHint);
        Form->show();
        QVERIFY(Form->Label1->geometry().right() <= Form->Panel1->width());
        QVERIFY(Form->Label1->height() >= Form->Label1->heightForWidth(Form->Label1->width()));
        QVERIFY(Form->Label1->geometry().bottom() < Form->Panel1->height());
        Form->BitBtn2Click();
    }
};

QTEST_MAIN(FileFormTest)
#include "fileform_test.moc"
