// Loading into the main grid through the File chooser and at start-up, and saving with
// "&Save" and "Save &As": what the grid shows, which bytes land where, what is stored.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/app/programtexts.h"
#include "core/app/text.h"
#include "core/document/recentfiles.h"
#include "gui/app/guifeedback.h"
#include "gui/document/fileform.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridview.h"
#include "support/documentfixture.h"

using namespace tw;

namespace {

QString Q(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QByteArray B(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::optional<std::string> StoredText(const TRegpath& reg, const std::string& name) {
    std::string value;
    if (!reg.ReadString(name, value))
        return std::nullopt;
    return value;
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void loadSelectedShowsTheDocument_data();
    void loadSelectedShowsTheDocument();
    void editedCellIsSaved_data();
    void editedCellIsSaved();
    void saveWithoutDocumentWritesNothing();
    void saveAsMovesLaterSaves();
    void browsingAndCancellingKeepTheSaveTarget();
    void failedSaveKeepsThePreviousFile();
    void saveShowsAllColumnsOfAHeaderSetFirst();
    void loadSelectedStoresFolderAndName_data();
    void loadSelectedStoresFolderAndName();
    void startupAutoLoadLoads_data();
    void startupAutoLoadLoads();
    void autoSizeOnLoadMeasuresInTheGridFonts();
    void recentFilesInTheFileMenu();
    void aHugeCellShowsOneElidedLineInTheStatus();
};

void DocumentCommandsTest::loadSelectedShowsTheDocument_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("secondCell"); // column 1 of the first row

    QTest::newRow("tab, ragged rows")
        << "items.tab" << QByteArray("1\ta\tb\r\n2\tc\r\n")
        << QStringList{QString(), QString(), QStringLiteral("T65 2")}
        << QStringList{QStringLiteral("1"), QStringLiteral("2"), QString()} << "a";
    QTest::newRow("mes keeps the text's braces")
        << "game.mes" << QByteArray("{100}{Some text}\r\n// note\n{200}{x}")
        << QStringList{QString(), QString()}
        << QStringList{QStringLiteral("100"), QStringLiteral("// note"), QStringLiteral("200"),
                       QString()}
        << "{Some text}";
    QTest::newRow("dlg has its seven captions")
        << "talk.dlg" << QByteArray("{1}{Hello}{m}{f}{}{}{}\r\n")
        << QStringList{QStringLiteral("#"),   QStringLiteral("T68"), QStringLiteral("T69"),
                       QStringLiteral("T70"), QStringLiteral("T71"), QStringLiteral("T72"),
                       QStringLiteral("T73")}
        << QStringList{QStringLiteral("1"), QString()} << "Hello";
}

void DocumentCommandsTest::loadSelectedShowsTheDocument() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, header);
    QFETCH(QStringList, keys);
    QFETCH(QString, secondCell);

    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write(name.toStdString(), bytes.toStdString());
    f.LoadThroughChooser(f.Folder(), name.toStdString());

    QVERIFY(f.Prompts.Messages.isEmpty());
    QCOMPARE(form.State().DocumentFileName, name.toStdString());
    QCOMPARE(f.HeaderShown(), header);
    QCOMPARE(f.ColumnShown(0), keys);
    QCOMPARE(f.CellShown(1, 1), secondCell);
    // The key column stays in view as the fixed column.
    QCOMPARE(form.State().SG1().FixedCols(), 1);
    QVERIFY(!form.SG1->FrozenView()->isHidden());
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("T64 ") + name);
    QCOMPARE(form.ModalWindows, QStringList{QStringLiteral("Form3")});
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void DocumentCommandsTest::editedCellIsSaved_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("tab rows come back as wide as the widest")
        << "items.tab" << QByteArray("1\ta\tb\n2\tc\n") << 2 << 1 << "z"
        << QByteArray("1\ta\tb\r\n2\tz\t\r\n");
    QTest::newRow("mes comment lines stay")
        << "game.mes" << QByteArray("{100}{Some text}\r\n// note\r\n") << 1 << 1 << "{Other}"
        << QByteArray("{100}{Other}\r\n// note\r\n");
    QTest::newRow("dlg fields get their braces")
        << "talk.dlg" << QByteArray("{1}{Hello}{m}{f}{}{}{}\r\n") << 1 << 1 << "Bye"
        << QByteArray("{1}{Bye}{m}{f}{}{}{}\r\n");
    QTest::newRow("a name in capitals is written under that name")
        << "Items.TAB" << QByteArray("1\ta\r\n") << 1 << 1 << "b" << QByteArray("1\tb\r\n");
    QTest::newRow("code-page bytes pass unchanged")
        << "names.tab" << QByteArray("1\t\xe9\x81\r\n") << 1 << 0 << "7"
        << QByteArray("7\t\xe9\x81\r\n");
}

void DocumentCommandsTest::editedCellIsSaved() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);

    DocumentFixture f;
    TestForm& form = f.Start();
    const std::string path = f.Write(name.toStdString(), bytes.toStdString());
    f.LoadThroughChooser(f.Folder(), name.toStdString());
    QVERIFY(f.Edit(row, col, typed));
    form.Save1->trigger();

    QVERIFY(f.Prompts.Messages.isEmpty());
    QCOMPARE(B(DocumentFixture::Read(path)), saved);
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("T98 ") + name.toLower());
    // Nothing is written beside the document under its lower-cased name.
    if (name != name.toLower())
        QVERIFY(!DocumentFixture::Exists(f.Folder() + "/" + name.toLower().toStdString()));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void DocumentCommandsTest::saveWithoutDocumentWritesNothing() {
    DocumentFixture f;
    TestForm& form = f.Start();
    form.Save1->trigger();
    QCOMPARE(f.Prompts.Messages, QStringList{QStringLiteral("T99 T95 ")});
    QVERIFY(!form.StatusPanel->text().startsWith(QStringLiteral("T98")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void DocumentCommandsTest::saveAsMovesLaterSaves() {
    DocumentFixture f;
    TestForm& form = f.Start();
    const std::string original = f.Write("a.tab", "1\ta\r\n", "first");
    f.LoadThroughChooser(f.Folder("first"), "a.tab");
    const std::string second = f.Folder("second");

    QString offered;
    form.WhileModal = [&](QDialog&) {
        TForm3* chooser = form.Form3;
        QVERIFY(!chooser->Edit1->isHidden() && !chooser->BitBtn3->isHidden());
        QVERIFY(chooser->BitBtn1->isHidden());
        offered = chooser->Edit1->text();
        QVERIFY(chooser->SetFolder(Q(second)));
        chooser->Edit1->setText(QStringLiteral("b.tab"));
        chooser->BitBtn3Click();
    };
    form.SaveAs1->trigger();
    form.WhileModal = nullptr;
    QCOMPARE(offered, QStringLiteral("a.tab"));
    QCOMPARE(B(DocumentFixture::Read(second + "/b.tab")), QByteArray("1\ta\r\n"));
    QCOMPARE(form.State().DocumentFileName, std::string("b.tab"));
    // Closing the chooser put it back into load mode.
    QVERIFY(form.Form3->Edit1->isHidden() && !form.Form3->BitBtn1->isHidden());

    QVERIFY(f.Edit(1, 1, QStringLiteral("changed")));
    form.Save1->trigger();
    QCOMPARE(B(DocumentFixture::Read(second + "/b.tab")), QByteArray("1\tchanged\r\n"));
    QCOMPARE(B(DocumentFixture::Read(original)), QByteArray("1\ta\r\n"));
    QVERIFY(f.Prompts.Messages.isEmpty());

    // An empty name names no file: said so, the window stays for a name, the target stays.
    form.WhileModal = [&](QDialog&) {
        form.Form3->Edit1->clear();
        form.Form3->BitBtn3Click();
        QVERIFY(!form.Form3->Edit1->isHidden());
        form.Form3->BitBtn2Click();
    };
    form.SaveAs1->trigger();
    QCOMPARE(f.Prompts.Messages,
             QStringList{QString::fromStdString(BuiltInProgramText("saveasnoname"))});
    QCOMPARE(form.State().DocumentFileName, std::string("b.tab"));
}

void DocumentCommandsTest::browsingAndCancellingKeepTheSaveTarget() {
    DocumentFixture f;
    TestForm& form = f.Start();
    const std::string original = f.Write("a.tab", "1\ta\r\n", "first");
    f.LoadThroughChooser(f.Folder("first"), "a.tab");
    const std::string elsewhere = f.Folder("elsewhere");

    form.WhileModal = [&](QDialog&) {
        QVERIFY(form.Form3->SetFolder(Q(elsewhere)));
        form.Form3->BitBtn2Click();
    };
    form.Reload1->trigger();
    form.WhileModal = [&](QDialog&) {
        QVERIFY(form.Form3->SetFolder(Q(elsewhere)));
        form.Form3->BitBtn2Click();
    };
    form.SaveAs1->trigger();
    form.WhileModal = nullptr;

    QVERIFY(f.Edit(1, 1, QStringLiteral("b")));
    form.Save1->trigger();
    QCOMPARE(B(DocumentFixture::Read(original)), QByteArray("1\tb\r\n"));
    QVERIFY(!DocumentFixture::Exists(elsewhere + "/a.tab"));
    QVERIFY(f.Prompts.Messages.isEmpty());
}

void DocumentCommandsTest::failedSaveKeepsThePreviousFile() {
    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write("a.tab", "1\ta\r\n", "gone");
    f.LoadThroughChooser(f.Folder("gone"), "a.tab");
    // The document's folder moves away between load and save.
    const std::string moved = f.Folder() + "/moved";
    std::filesystem::rename(f.Folder() + "/gone", moved);

    QVERIFY(f.Edit(1, 1, QStringLiteral("b")));
    form.Save1->trigger();
    QCOMPARE(f.Prompts.Messages, QStringList{QStringLiteral("T99 T95 a.tab\n") +
                                             QString::fromLocal8Bit(std::strerror(ENOENT))});
    QCOMPARE(B(DocumentFixture::Read(moved + "/a.tab")), QByteArray("1\ta\r\n"));
    QVERIFY(!DocumentFixture::Exists(f.Folder() + "/gone"));
    QVERIFY(!form.StatusPanel->text().startsWith(QStringLiteral("T98")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void DocumentCommandsTest::saveShowsAllColumnsOfAHeaderSetFirst() {
    DocumentFixture f;
    TestForm& form = f.Start();
    const std::string path = f.Write("a.tab", "1\ta\r\n");
    f.LoadThroughChooser(f.Folder(), "a.tab");
    form.State().HeaderSetNames = {"Select Shown Headers", "Weapons"};
    form.State().HeaderSetIndex = 1;
    form.RefreshHeaderLists();
    QCOMPARE(form.ComboBox1->currentIndex(), 1);

    form.Save1->trigger();
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QCOMPARE(B(DocumentFixture::Read(path)), QByteArray("1\ta\r\n"));
}

void DocumentCommandsTest::loadSelectedStoresFolderAndName_data() {
    QTest::addColumn<bool>("fileGone");
    QTest::newRow("loaded") << false;
    QTest::newRow("gone before the click") << true;
}

void DocumentCommandsTest::loadSelectedStoresFolderAndName() {
    QFETCH(bool, fileGone);
    DocumentFixture f;
    TestForm& form = f.Start();
    const std::string path = f.Write("Last.tab", "5\tx\r\n", "mods");
    form.WhileModal = [&](QDialog&) {
        f.Pick(f.Folder("mods"), "Last.tab");
        if (fileGone)
            std::filesystem::remove(path);
        form.Form3->BitBtn1Click();
    };
    form.Reload1->trigger();

    TRegpath reg = f.Shell.Settings();
    QCOMPARE(StoredText(reg, "tabpath"), std::optional<std::string>(f.Folder("mods")));
    QCOMPARE(StoredText(reg, "lastfile"), std::optional<std::string>("Last.tab"));
    // Only a load that worked goes into the recent files.
    QCOMPARE(ReadRecentFiles(reg),
             fileGone ? std::vector<std::string>{} : std::vector<std::string>{path});
    if (fileGone) {
        QCOMPARE(f.Prompts.Messages,
                 QStringList{QStringLiteral("T60 T62 ") + Q(path) + QStringLiteral("\n") +
                             QString::fromLocal8Bit(std::strerror(ENOENT))});
        // Shown while the chooser's busy cursor is up, but with the normal cursor.
        QCOMPARE(f.Prompts.CursorsAtMessages, QVector<int>{Qt::ArrowCursor});
    } else {
        QVERIFY(f.Prompts.Messages.isEmpty());
        QCOMPARE(f.CellShown(1, 1), QStringLiteral("x"));
    }
}

void DocumentCommandsTest::startupAutoLoadLoads_data() {
    QTest::addColumn<bool>("lastFile");
    QTest::newRow("last file") << true;
    QTest::newRow("protos from protopath") << false;
}

void DocumentCommandsTest::startupAutoLoadLoads() {
    QFETCH(bool, lastFile);
    DocumentFixture f;
    const std::string name = lastFile ? "Units.tab" : "protos.tab";
    f.Write(name, "7\tknight\r\n3\tarcher\r\n", "rules");
    TRegpath reg = f.Shell.Settings();
    if (lastFile) {
        reg.WriteBool("autoloadlast", true);
        reg.WriteString("tabpath", f.Folder("rules"));
        reg.WriteString("lastfile", name);
    } else {
        reg.WriteBool("autoload", true);
        reg.WriteString("protopath", f.Folder("rules") + "/");
    }

    TestForm& form = f.Start();
    QVERIFY(f.Prompts.Messages.isEmpty());
    QCOMPARE(form.State().DocumentFileName, LowerAZ(name));
    QCOMPARE(f.ColumnShown(0), (QStringList{QStringLiteral("7"), QStringLiteral("3"), QString()}));
    QCOMPARE(f.CellShown(2, 1), QStringLiteral("archer"));
    // The chooser opens where the document is.
    QCOMPARE(QFile::encodeName(form.Form3->Folder()).toStdString(), f.Folder("rules"));
}

void DocumentCommandsTest::autoSizeOnLoadMeasuresInTheGridFonts() {
    DocumentFixture f;
    f.Shell.Settings().WriteBool("autosize", true);
    TestForm& form = f.Start();
    QVERIFY(form.AutoSizeOnLoad1->isChecked());
    f.Write("wide.tab", "1\tA rather long text that needs a wide column\tx\r\n");
    f.LoadThroughChooser(f.Folder(), "wide.tab");

    const TTextGrid& grid = form.State().SG1();
    // Measured in the font the view draws the cells with.
    const int measured =
        form.SG1->Measure().Width("A rather long text that needs a wide column", false);
    QVERIFY(measured > 0);
    QVERIFY(grid.ColWidth(1) > measured);
    QVERIFY(grid.ColWidth(1) > grid.ColWidth(2));
    QCOMPARE(form.SG1->columnWidth(1), grid.ColWidth(1));
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("T64 wide.tab"));
}

void DocumentCommandsTest::recentFilesInTheFileMenu() {
    DocumentFixture f;
    TestForm& form = f.Start();
    const std::string a = f.Write("a.tab", "1\tfirst\r\n", "mods");
    const std::string b = f.Write("b & c.tab", "2\tsecond\r\n", "mods");
    for (const char* name : {"a.tab", "b & c.tab", "a.tab"})
        f.LoadThroughChooser(f.Folder("mods"), name);
    auto entries = [&form] {
        emit form.File1->aboutToShow();
        QList<std::pair<QString, bool>> shown;
        for (QAction* item : form.RecentFiles1->actions())
            shown.append({item->text(), item->isEnabled()});
        return shown;
    };
    QCOMPARE(
        entries(),
        (QList<std::pair<QString, bool>>{
            {QStringLiteral("&1  ") + Q(a), true},
            {QStringLiteral("&2  ") + Q(f.Folder("mods")) + QStringLiteral("/b && c.tab"), true}}));
    // A file that is gone shows greyed; a choice loads like the chooser does.
    std::filesystem::remove(b);
    QCOMPARE(entries().at(1).second, false);
    f.Write("other.tab", "3\tthird\r\n");
    f.LoadThroughChooser(f.Folder(), "other.tab");
    entries();
    form.RecentFiles1->actions().at(1)->trigger();
    QCOMPARE(f.CellShown(1, 1), QStringLiteral("first"));
    QCOMPARE(StoredText(f.Shell.Settings(), "tabpath"),
             std::optional<std::string>(f.Folder("mods")));

    // Without "Auto Size On Load" each column is wide enough for its header.
    const TTextGrid& grid = form.State().SG1();
    for (int col = 0; col < grid.ColCount(); ++col) {
        const std::string_view header = grid.Cell(grid.DataColumnOf(col), 0);
        QVERIFY(grid.ColWidth(col) >=
                form.SG1->Measure().Width(header, true) + 2 * grid.GridLineWidth() + 8);
    }
}

void DocumentCommandsTest::aHugeCellShowsOneElidedLineInTheStatus() {
    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write("big.tab", "1\t" + std::string(5000000, 'a') + "\r\n2\tb\r\n");
    f.LoadThroughChooser(f.Folder(), "big.tab");
    form.SG1CellChanging(2, 1, 1, 1);
    const QString shown = form.StatusPanel->text();
    QVERIFY(shown.startsWith(QStringLiteral("aaa")));
    QVERIFY(shown.size() < 100000);
    if (form.StatusPanel->width() > 0) {
        QVERIFY(form.StatusPanel->fontMetrics().horizontalAdvance(shown) <=
                form.StatusPanel->width());
        // A program message keeps its words; one wider than the panel is read by pointing.
        const std::string message = "The cell keeps its text: " + std::string(400, 'w');
        form.Feedback().SetStatus(message);
        QCOMPARE(form.StatusPanel->text(), QString::fromStdString(message));
        QCOMPARE(form.StatusPanel->toolTip(), QString::fromStdString(message));
    }
}

QTEST_MAIN(DocumentCommandsTest)
#include "documentcommands_test.moc"
