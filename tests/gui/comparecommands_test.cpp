// The Tools menu's sort, compare and combine commands on the main window, run through
// the File chooser's Select buttons and "Go With Selected".

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "gui/app/guifeedback.h"
#include "gui/document/fileform.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridview.h"
#include "support/documentfixture.h"

using namespace tw;

namespace {

QStringList ReportLines(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QStringList L(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

enum class Command { Compare, Combine, CombineKeepRows };

// Opens the chooser with `command` and picks `names` from the data folder with Select 1,
// Select 2, ..., then "Go With Selected". Returns the hint the chooser showed.
QString RunThroughChooser(DocumentFixture& f, Command command, const QStringList& names) {
    TestForm& form = f.Form();
    QString hint;
    form.WhileModal = [&](QDialog&) {
        TForm3* chooser = form.Form3;
        hint = chooser->Label1->isHidden() ? QString() : chooser->Label1->text();
        for (int k = 1; k <= names.size(); ++k) {
            f.Pick(f.Folder(), names[k - 1].toStdString());
            chooser->SelectButtonClick(k);
        }
        chooser->Button6Click();
    };
    switch (command) {
    case Command::Compare:
        form.CompareTabFiles1->trigger();
        break;
    case Command::Combine:
        form.CombineTabFiles1->trigger();
        break;
    case Command::CombineKeepRows:
        form.CombineFilesNoRemoveRows1->trigger();
        break;
    }
    form.WhileModal = nullptr;
    return hint;
}

// Counts the requests to open the reference panel, and passes them on.
int* CountPanelRequests(TestForm& form) {
    static int requests;
    requests = 0;
    std::function<void()> open = form.Feedback().ShowReportPanelCommand;
    form.Feedback().ShowReportPanelCommand = [open] {
        ++requests;
        if (open)
            open();
    };
    return &requests;
}

// Counts the Escape presses that reach an object.
class EscapeCounter : public QObject {
  public:
    int Count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            ++Count;
        return false;
    }
};

} // namespace

class CompareCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void sort_data();
    void sort();
    void compareWritesItsReport_data();
    void compareWritesItsReport();
    void combine_data();
    void combine();
    void showCombineMessagesIsStored_data();
    void showCombineMessagesIsStored();
    void aFailedBatchLoadAsksWithTheNormalCursor();
    void escapeStopsLongWorkAndKeepsTheDocument();
};

// Escape pressed while a sort or a combine started from the chooser runs: the document is
// as loaded, the stop is said, the chooser was not closed by the key, and editing goes on.
void CompareCommandsTest::escapeStopsLongWorkAndKeepsTheDocument() {
    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write("units.tab", "30\tc\r\n10\ta\r\n20\tb\r\n");
    f.Write("other.tab", "10\tA\r\n40\td\r\n");
    f.LoadThroughChooser(f.Folder(), "units.tab");
    const QStringList loaded = f.ColumnShown(0);
    const QString stopped = QStringLiteral("Stopped: the document is as it was before.");
    auto pressEscape = [&form] {
        QCoreApplication::postEvent(
            &form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    };

    pressEscape();
    form.SortByColumn01->trigger();
    QCOMPARE(f.ColumnShown(0), loaded);
    QCOMPARE(form.StatusPanel->text(), stopped);
    QVERIFY(!form.Undo1->isEnabled());

    EscapeCounter chooserKeys;
    form.WhileModal = [&](QDialog& dialog) {
        dialog.installEventFilter(&chooserKeys);
        f.Pick(f.Folder(), "units.tab");
        form.Form3->SelectButtonClick(1);
        f.Pick(f.Folder(), "other.tab");
        form.Form3->SelectButtonClick(2);
        pressEscape();
        QCoreApplication::postEvent(
            &dialog, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        form.Form3->Button6Click();
    };
    form.CombineTabFiles1->trigger();
    form.WhileModal = nullptr;
    QCOMPARE(chooserKeys.Count, 0);
    QCOMPARE(f.ColumnShown(0), loaded);
    QVERIFY(form.Memo1->toPlainText().endsWith(stopped));
    QVERIFY(!form.Undo1->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);

    QVERIFY(f.Edit(1, 1, QStringLiteral("edited")));
    QVERIFY(form.Undo1->isEnabled());
    form.SortByColumn01->trigger();
    QCOMPARE(f.ColumnShown(0), L({"10", "20", "30", ""}));
}

void CompareCommandsTest::aFailedBatchLoadAsksWithTheNormalCursor() {
    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write("new.tab", "20\tc\r\n");
    const std::string gone = f.Write("old.tab", "10\tA\r\n");
    form.WhileModal = [&](QDialog&) {
        TForm3* chooser = form.Form3;
        f.Pick(f.Folder(), "new.tab");
        chooser->SelectButtonClick(1);
        f.Pick(f.Folder(), "old.tab");
        chooser->SelectButtonClick(2);
        std::filesystem::remove(gone);
        chooser->Button6Click();
    };
    form.CompareTabFiles1->trigger();
    form.WhileModal = nullptr;

    QCOMPARE(f.Prompts.Messages.size(), 1);
    QVERIFY(f.Prompts.Messages[0].startsWith(QStringLiteral("T60 T62 ")));
    // The chooser's busy cursor was up, but the box asks with the normal one.
    QCOMPARE(f.Prompts.CursorsAtMessages, QVector<int>{Qt::ArrowCursor});
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(f.Edit(1, 1, QStringLiteral("edited")));
}

void CompareCommandsTest::sort_data() {
    QTest::addColumn<bool>("askColumn");  // "Sort By Column #" instead of "Sort By Column 0"
    QTest::addColumn<QVariant>("answer"); // null: Cancel
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("sorts");

    const QVariant cancel;
    QTest::newRow("column 0: numbers by value")
        << false << cancel << QByteArray("10\ta\r\n9\tb\r\n2\tc\r\n") << L({"2", "9", "10", ""})
        << true;
    QTest::newRow("column 0 leaves text keys where they are")
        << false << cancel << QByteArray("b\t1\r\na\t2\r\n") << L({"b", "a", ""}) << true;
    QTest::newRow("column # 0 orders text keys")
        << true << QVariant(QStringLiteral("0")) << QByteArray("b\t1\r\na\t2\r\n")
        << L({"a", "b", ""}) << true;
    QTest::newRow("column # 1") << true << QVariant(QStringLiteral("1"))
                                << QByteArray("1\tc\r\n2\ta\r\n3\tb\r\n") << L({"2", "3", "1", ""})
                                << true;
    QTest::newRow("column # past the last column sorts by column 0")
        << true << QVariant(QStringLiteral("9")) << QByteArray("10\ta\r\n9\tb\r\n2\tc\r\n")
        << L({"2", "9", "10", ""}) << true;
    QTest::newRow("column # negative sorts by column 0")
        << true << QVariant(QStringLiteral("-3")) << QByteArray("10\ta\r\n9\tb\r\n2\tc\r\n")
        << L({"2", "9", "10", ""}) << true;
    QTest::newRow("column # with letters sorts nothing")
        << true << QVariant(QStringLiteral("x")) << QByteArray("10\ta\r\n9\tb\r\n2\tc\r\n")
        << L({"10", "9", "2", ""}) << false;
    QTest::newRow("column # cancelled sorts nothing")
        << true << cancel << QByteArray("10\ta\r\n9\tb\r\n2\tc\r\n") << L({"10", "9", "2", ""})
        << false;
}

void CompareCommandsTest::sort() {
    QFETCH(bool, askColumn);
    QFETCH(QVariant, answer);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, keys);
    QFETCH(bool, sorts);

    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write("units.tab", bytes.toStdString());
    f.LoadThroughChooser(f.Folder(), "units.tab");
    const QStringList before = f.ColumnShown(0);
    if (answer.isNull())
        f.Prompts.Cancel();
    else
        f.Prompts.Answer(answer.toString());

    (askColumn ? form.SortByColumn1 : form.SortByColumn01)->trigger();

    QCOMPARE(f.ColumnShown(0), keys);
    QVERIFY(f.Prompts.Messages.isEmpty());
    QVERIFY(!form.State().TextOrderAllowed);
    QCOMPARE(form.StatusPanel->text(),
             sorts ? QStringLiteral("T126 1T130") : QStringLiteral("T64 units.tab"));
    if (askColumn) {
        QCOMPARE(f.Prompts.Questions.size(), 1);
        QCOMPARE(f.Prompts.Questions[0].Caption, QStringLiteral("T148"));
        QCOMPARE(f.Prompts.Questions[0].Prompt, QStringLiteral("T149"));
        QVERIFY(f.Prompts.Questions[0].DefaultAnswer.isEmpty());
    } else {
        QVERIFY(f.Prompts.Questions.isEmpty());
    }
    // Whatever moved, every row is still there once.
    QStringList sortedBefore = before, sortedAfter = f.ColumnShown(0);
    sortedBefore.sort();
    sortedAfter.sort();
    QCOMPARE(sortedAfter, sortedBefore);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void CompareCommandsTest::compareWritesItsReport_data() {
    QTest::addColumn<bool>("memoHidden");
    QTest::newRow("report area open") << false;
    QTest::newRow("report area closed stays closed") << true;
}

void CompareCommandsTest::compareWritesItsReport() {
    QFETCH(bool, memoHidden);
    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write("new.tab", "20\tc\r\n10\ta\r\n15\tb\r\n");
    f.Write("old.tab", "10\tA\r\n20\td\r\n");
    form.Memo1->setHidden(memoHidden);
    int* panelRequests = CountPanelRequests(form);

    const QString hint = RunThroughChooser(f, Command::Compare, L({"new.tab", "old.tab"}));

    QCOMPARE(hint, QStringLiteral("T124"));
    // The start-up line is gone; a case-only difference is no difference.
    QCOMPARE(ReportLines(form.Memo1),
             (QStringList{QStringLiteral("SG2 - T136 15"),
                          QStringLiteral("SG2 T132 20 -  - T133 (c) T134 (d)")}));
    QCOMPARE(form.Memo1->isHidden(), memoHidden);
    QCOMPARE(*panelRequests, 0);
    // File 1 is the open document, sorted by its key.
    QCOMPARE(form.State().DocumentFileName, std::string("new.tab"));
    QCOMPARE(f.ColumnShown(0), (L({"10", "15", "20", ""})));
    QCOMPARE(form.State().Grid(2).Cell(1, 2), std::string("d"));
    QVERIFY(!form.State().BatchActive);
    QVERIFY(!form.State().TextOrderAllowed);
    QVERIFY(f.Prompts.Messages.isEmpty());
    // The picks are gone with the chooser.
    QVERIFY(form.SelectedFile(1).empty() && form.SelectedFile(2).empty());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void CompareCommandsTest::combine_data() {
    QTest::addColumn<bool>("keepRows");
    QTest::addColumn<bool>("memoHidden");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("panelRequests");

    QTest::newRow("Combine Files removes the missing row")
        << false << false << L({"10", "15", ""}) << QStringList{} << 0;
    QTest::newRow("No Remove Rows keeps it and says so")
        << true << false << L({"10", "15", "20", ""})
        << QStringList{QStringLiteral("SG2 - T145 20")} << 0;
    QTest::newRow("a closed report area is opened")
        << true << true << L({"10", "15", "20", ""}) << QStringList{QStringLiteral("SG2 - T145 20")}
        << 1;
}

void CompareCommandsTest::combine() {
    QFETCH(bool, keepRows);
    QFETCH(bool, memoHidden);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, lines);
    QFETCH(int, panelRequests);

    DocumentFixture f;
    TestForm& form = f.Start();
    f.Write("base.tab", "20\tc\r\n10\ta\r\n");
    f.Write("mod.tab", "10\tA\r\n15\tb\r\n");
    form.Memo1->setHidden(memoHidden);
    int* requests = CountPanelRequests(form);

    const QString hint = RunThroughChooser(
        f, keepRows ? Command::CombineKeepRows : Command::Combine, L({"base.tab", "mod.tab"}));

    QCOMPARE(hint, QStringLiteral("T125"));
    QCOMPARE(form.State().RemoveRows, !keepRows);
    QCOMPARE(ReportLines(form.Memo1), lines);
    QCOMPARE(*requests, panelRequests);
    // The merge shows in the view: the later file's cell, its extra row.
    QCOMPARE(f.ColumnShown(0), keys);
    QCOMPARE(f.CellShown(1, 1), QStringLiteral("A"));
    QCOMPARE(f.CellShown(2, 1), QStringLiteral("b"));
    QCOMPARE(form.SG1->CellModel()->rowCount(), form.State().SG1().RowCount() - 1);
    QVERIFY(!form.State().BatchActive);
    QVERIFY(f.Prompts.Messages.isEmpty());
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // The merged table is saved as the first file.
    form.Save1->trigger();
    QCOMPARE(QByteArray::fromStdString(DocumentFixture::Read(f.Folder() + "/base.tab")),
             keepRows ? QByteArray("10\tA\r\n15\tb\r\n20\tc\r\n")
                      : QByteArray("10\tA\r\n15\tb\r\n"));
}

void CompareCommandsTest::showCombineMessagesIsStored_data() {
    QTest::addColumn<bool>("storedBefore");
    QTest::newRow("off to on") << false;
    QTest::newRow("on to off") << true;
}

void CompareCommandsTest::showCombineMessagesIsStored() {
    QFETCH(bool, storedBefore);
    DocumentFixture f;
    f.Shell.Settings().WriteBool("showcombcode", storedBefore);
    TestForm& form = f.Start();
    QCOMPARE(form.CombineShowCompareMessages1->isChecked(), storedBefore);

    form.CombineShowCompareMessages1->trigger();
    QCOMPARE(form.CombineShowCompareMessages1->isChecked(), !storedBefore);
    QCOMPARE(form.State().ShowCombineMessages, !storedBefore);
    QCOMPARE(f.Shell.Settings().ReadBool("showcombcode"), std::optional<bool>(!storedBefore));

    // With the messages on, a combine also reports every change it makes.
    if (!storedBefore) {
        f.Write("base.tab", "10\ta\r\n");
        f.Write("mod.tab", "10\tb\r\n");
        RunThroughChooser(f, Command::Combine, L({"base.tab", "mod.tab"}));
        QCOMPARE(ReportLines(form.Memo1),
                 QStringList{QStringLiteral("SG2 T132 10 -  - T133 (a) T134 (b)")});
    }
}

QTEST_MAIN(CompareCommandsTest)
#include "comparecommands_test.moc"
