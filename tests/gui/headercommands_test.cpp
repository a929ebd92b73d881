// The header-set list, the variable-list list and the reference panel of the main window,
// on the sample prototype table with the shipped English language file.

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "core/app/text.h"
#include "core/headers/headersets.h"
#include "gui/grid/gridview.h"
#include "support/documentfixture.h"

using namespace tw;

namespace {

const std::string Samples = TABWRIGHT_SAMPLES "/data";

int ItemNamed(QComboBox* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i) == name)
            return i;
    return -1;
}

// The first field of every line, in file order.
QStringList KeysOf(const std::string& bytes) {
    QStringList keys;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        keys << QString::fromStdString(line.substr(0, line.find_first_of("\t\r")));
        start = end + 1;
    }
    return keys;
}

} // namespace

class HeaderCommandsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DocumentFixture> Fixture;
    std::string ProtosBytes;

    TestForm& Window() { return Fixture->Form(); }
    void Choose(const QString& set) {
        int index = ItemNamed(Window().ComboBox1, set);
        QVERIFY2(index > 0, qPrintable(set));
        Window().ComboBox1->setCurrentIndex(index);
        Window().ComboBox1Change();
    }

  private slots:
    void init() {
        Fixture = std::make_unique<DocumentFixture>();
        Fixture->Shell.CopyShippedLanguage("english.lng");
        ProtosBytes = DocumentFixture::Read(Samples + "/rules/protos.tab");
        Fixture->Write("protos.tab", ProtosBytes, "rules");
        Fixture->Start();
        Fixture->LoadThroughChooser(Fixture->Folder("rules"), "protos.tab");
        QCOMPARE(Window().State().DocumentFileName, std::string("protos.tab"));
        QVERIFY(Window().ComboBox1->count() > 16);
    }
    void cleanup() { Fixture.reset(); }

    void choosingASetShowsItsColumnsAndRowsOfItsType_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("type");
        QTest::newRow("Weapon") << QStringLiteral("Weapon") << QStringLiteral("weapon");
        QTest::newRow("Armor") << QStringLiteral("Armor") << QStringLiteral("armor");
        QTest::newRow("NPC") << QStringLiteral("NPC") << QStringLiteral("npc");
    }
    void choosingASetShowsItsColumnsAndRowsOfItsType() {
        QFETCH(QString, set);
        QFETCH(QString, type);
        const TTextGrid& grid = Window().State().SG1();
        const int loadedRows = grid.RowCount();
        Choose(set);
        Choose(set); // twice gives the same view
        const int index = Window().ComboBox1->currentIndex();
        std::vector<int> listed =
            ParseColumnList(Window().State().HeaderSetColumns[static_cast<size_t>(index)]);
        for (int c = 2; c < grid.DataColumnCount(); ++c) {
            bool inList = std::find(listed.begin(), listed.end(), c) != listed.end();
            QCOMPARE(grid.IsColumnHidden(c), !inList);
        }
        QVERIFY(grid.RowCount() > 2);
        QVERIFY(grid.RowCount() < loadedRows);
        const std::string wanted = "obj_t_" + type.toStdString();
        for (int r = 1; r < grid.RowCount() - 1; ++r)
            QCOMPARE(LowerAZ(grid.Cell(1, r)), wanted);
        // What the view shows follows the grid in one change.
        QCOMPARE(Fixture->ColumnShown(0).size(), grid.RowCount() - 1);

        Window().ComboBox1->setCurrentIndex(0);
        Window().ComboBox1Change();
        QCOMPARE(grid.RowCount(), loadedRows);
        QCOMPARE(grid.HiddenColumnCount(), 0);
    }

    void saveWithASetChosenWritesEveryRow() {
        // What Save writes for the table with every row shown is the reference; with a set
        // chosen it must write the same bytes, hidden rows included, in their places.
        const std::string path = Fixture->Folder("rules") + "/protos.tab";
        Window().Save1Click();
        const std::string everyRowShown = DocumentFixture::Read(path);
        QCOMPARE(KeysOf(everyRowShown), KeysOf(ProtosBytes));

        Choose(QStringLiteral("Weapon"));
        QVERIFY(!Window().State().SG1().HiddenRows().empty());
        Window().Save1Click();
        QCOMPARE(Window().ComboBox1->currentIndex(), 0);
        const std::string saved = DocumentFixture::Read(path);
        QCOMPARE(saved.size(), everyRowShown.size());
        QVERIFY(saved == everyRowShown);
    }

    void variableListFillsTheMemoFromItsFirstLine() {
        QComboBox* lists = Window().ComboBox2;
        QVERIFY(lists->count() > 1);
        lists->setCurrentIndex(1);
        Window().ComboBox2Change();
        const QStringList lines = Window().Memo1->toPlainText().split(QLatin1Char('\n'));
        QVERIFY(lines.first().startsWith(lists->itemText(1)));
        QCOMPARE(lines.at(lines.size() - 2), QStringLiteral(" "));
        QCOMPARE(lines.at(lines.size() - 3), QStringLiteral(" "));
        QVERIFY(lines.last().contains(QChar(0x0B)));
        QCOMPARE(Window().Memo1->textCursor().position(), 0);

        lists->setCurrentIndex(0);
        Window().ComboBox2Change();
        QCOMPARE(Window().Memo1->toPlainText().count(QLatin1Char('\n')), 0);
        QVERIFY(Window().Memo1->toPlainText().contains(QChar(0x0B)));
    }

    void panelClosesToTheHeaderListAndOpensAt110() {
        QVERIFY(Window().Show1->isChecked());
        Window().resize(900, 500);
        Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Window()));
        // The controls that stay in view keep their places in the window.
        auto places = [this] {
            QWidget* window = &Window();
            return QList<QPoint>{Window().ComboBox1->mapTo(window, QPoint()),
                                 Window().Button2->mapTo(window, QPoint())};
        };
        const QList<QPoint> open = places();
        Window().Button2Click();
        QCoreApplication::processEvents();
        QCOMPARE(places(), open);
        QVERIFY(!Window().Show1->isChecked());
        QVERIFY(Window().Memo1->isHidden());
        QCOMPARE(Window().Panel1->height(),
                 Window().ComboBox1->geometry().top() + Window().ComboBox1->height() + 2);
        Window().Show1Click();
        QVERIFY(Window().Show1->isChecked());
        QVERIFY(!Window().Memo1->isHidden());
        QCOMPARE(Window().Panel1->height(), 110);
    }

    void columnNumbersOptionIsStoredAndAnnounced() {
        const std::string header = std::string(Window().State().SG1().Cell(2, 0));
        Window().ShowCOLANDDescriptions1Click();
        QVERIFY(Window().State().ShowColNumbers);
        QCOMPARE(Fixture->Prompts.Messages.size(), 1);
        QCOMPARE(Window().State().Reg1.ReadBool("showcolnum").value_or(false), true);
        QCOMPARE(std::string(Window().State().SG1().Cell(2, 0)), header);
        // The next load writes the numbers.
        Fixture->LoadThroughChooser(Fixture->Folder("rules"), "protos.tab");
        QVERIFY(std::string(Window().State().SG1().Cell(2, 0)).rfind("2/", 0) == 0);
    }
};

QTEST_MAIN(HeaderCommandsTest)
#include "headercommands_test.moc"
