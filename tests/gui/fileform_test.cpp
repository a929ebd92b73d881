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
        if (FailLoads) throw std::runtime_error("unreadable");
    }
    void RunCompareOrCombine(const std::string& mode) override { Calls.push_back("run " + mode); }

    std::vector<std::string> Calls;
    std::array<std::string, 5> Files;
    std::string Mode = "compare";
    bool FailLoads = false;
};

QStringList Names(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names.append(list->item(i)->text());
    return names;
}

} // namespace

class FileFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir* Folder = nullptr;
    RecordingHost* Host = nullptr;
    TForm3* Form = nullptr;

    std::string Path(const char* name) const { return (Folder->path() + QLatin1Char('/')).toStdString() + name; }
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
        QTest::newRow("all supported") << 0
            << QStringList{QStringLiteral("a.tab"), QStringLiteral("b.TAB"), QStringLiteral("c.tab"),
                           QStringLiteral("game.mes"), QStringLiteral("talk.dlg")};
        QTest::newRow("dialog") << 1 << QStringList{QStringLiteral("talk.dlg")};
        QTest::newRow("mes") << 2 << QStringList{QStringLiteral("game.mes")};
        QTest::newRow("tab") << 3
            << QStringList{QStringLiteral("a.tab"), QStringLiteral("b.TAB"), QStringLiteral("c.tab")};
    }
    void filterListsMatchingFiles() {
        QFETCH(int, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(Form->FilterComboBox1->count(), 4);
        QCOMPARE(Form->FilterComboBox1->itemText(0),
                 QStringLiteral("All supported types (*.tab, *.mes, *.dlg)"));
        QCOMPARE(Form->FilterComboBox1->itemData(0).toString(), QStringLiteral("*.mes;*.tab;*.dlg"));
        Form->FilterComboBox1->setCurrentIndex(filter);
        QCOMPARE(Names(Form->FL1), expected);
    }

    void loadModeShowsLoadAndCancelOnly() {
        QVERIFY(!Form->BitBtn1->isHidden());
        QVERIFY(!Form->BitBtn2->isHidden());
        QVERIFY(Form->BitBtn3->isHidden());
        QVERIFY(Form->Edit1->isHidden());
        QVERIFY(Form->Label1->isHidden());
        for (QPushButton* button : Form->SelectButtons) QVERIFY(button->isHidden());
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
        for (const std::string& file : Host->Files) QCOMPARE(file, "");
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
            if (!mode.isEmpty()) expected.push_back("run " + mode.toStdString());
        }
        expected.push_back("batch off");
        QCOMPARE(Host->Calls, expected);
        for (const std::string& file : Host->Files) QCOMPARE(file, "");
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
};

QTEST_MAIN(FileFormTest)
#include "fileform_test.moc"
