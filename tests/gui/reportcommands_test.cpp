// The last compare run in the grid: the duplicate-key warning, the markers on the cells
// the report names, Next and Previous Difference, and a report line chosen by double-click
// or Enter in the report area.

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

#include "gui/grid/gridmodel.h"
#include "gui/grid/gridview.h"
#include "support/documentfixture.h"

using namespace tw;

namespace {

// The report texts, short and each with its own mark, so a status shows which it is.
const char* ReportTexts = "[/program texts]\n"
                          "reportposition=%1/%2: %3\n"
                          "duplicatekey=%1 twice %2 (%3)\n"
                          "duplicatekeys=dupkeys %1 %2\n"
                          "reportonlyelsewhere=only %1 in %2\n"
                          "reportnorow=norow %1\n"
                          "reportend=end\n"
                          "reportstart=start\n"
                          "reportnone=none\n";

// Display row and display column of SG1's current cell.
QPoint Current(TestForm& form) {
    const QModelIndex index = form.SG1->currentIndex();
    return QPoint(GridModel::DisplayRowOf(index.row()), index.column());
}

QColor PixelOf(TestForm& form, int row, int col, bool topRight) {
    QTableView* view = col < form.State().SG1().FixedCols() ? form.SG1->FrozenView() : form.SG1;
    const QRect cell =
        view->visualRect(form.SG1->CellModel()->index(GridModel::ModelRowOf(row), col));
    const QImage image = view->viewport()->grab().toImage();
    const QPoint at = topRight ? cell.topRight() + QPoint(-1, 1) : cell.topLeft() + QPoint(1, 1);
    return image.pixelColor(at);
}

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void walksMarksAndJumps();
};

void ReportCommandsTest::walksMarksAndJumps() {
    DocumentFixture f;
    f.Shell.WriteProgramFile("english.lng", NumberedLanguageBytes(170) + ReportTexts);
    TestForm& form = f.Start();
    form.resize(900, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Key 20 stands twice in the first file.
    f.Write("new.tab", "10\ta\tx\r\n20\tc\ty\r\n20\tdup\ty\r\n30\te\tf\r\n");
    f.Write("old.tab", "10\tA\tz\r\n15\tb\tq\r\n20\td\ty\r\n30\te\tg\r\n");
    f.RunWithSelected(form.CompareTabFiles1,
                      {QStringLiteral("new.tab"), QStringLiteral("old.tab")});

    const QStringList lines = {
        QStringLiteral("SG2 T132 10 - T65 2 - T133 (x) T134 (z)"), QStringLiteral("SG2 - T135 15"),
        QStringLiteral("SG2 T132 20 -  - T133 (c) T134 (d)"), QStringLiteral("SG2 - T136 20"),
        QStringLiteral("SG2 T132 30 - T65 2 - T133 (f) T134 (g)")};
    QCOMPARE(form.Memo1->toPlainText(), lines.join(QLatin1Char('\n')));
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("dupkeys 1 20"));

    // Markers: the differing cells, and the key cells of key 20 (doubled, and a row the
    // other file lacks); nothing else. They go by key and column, so they follow their
    // rows through sorts: both rows of the doubled key carry them.
    const QList<QPoint> marked = {{1, 2}, {2, 1}, {2, 0}, {3, 1}, {3, 0}, {4, 2}};
    for (int row = 1; row <= 4; ++row)
        for (int col = 0; col <= 2; ++col)
            QCOMPARE(form.ReportCellMarked(row, col), marked.contains(QPoint(row, col)));
    // Drawn in a corner, over the cell's own background.
    QVERIFY(PixelOf(form, 4, 2, true) != PixelOf(form, 4, 1, true));
    QCOMPARE(PixelOf(form, 4, 2, false), PixelOf(form, 4, 1, false));

    QCOMPARE(form.NextDifference1->shortcut(), QKeySequence(Qt::Key_F8));
    QCOMPARE(form.PreviousDifference1->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F8));

    // The walk: the duplicate key first, then the lines in their order.
    form.NextDifference1->trigger();
    QCOMPARE(form.ReportPosition(), 0);
    QCOMPARE(Current(form), QPoint(2, 0));
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("1/6: new.tab twice 20 (2)"));
    form.NextDifference1->trigger();
    QCOMPARE(Current(form), QPoint(1, 2));
    QVERIFY(form.SG1->EditorActive());
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("2/6: ") + lines[0]);
    QCOMPARE(form.Memo1->textCursor().selectedText(), lines[0]);
    // A row only in the other file: the cell stays, the status bar says why.
    form.NextDifference1->trigger();
    QCOMPARE(Current(form), QPoint(1, 2));
    QCOMPARE(form.StatusPanel->text(),
             QStringLiteral("3/6: ") + lines[1] + QStringLiteral(" only 15 in old.tab"));
    for (int k = 0; k < 3; ++k)
        form.NextDifference1->trigger();
    QCOMPARE(Current(form), QPoint(4, 2));
    form.NextDifference1->trigger();
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("end"));
    QCOMPARE(form.ReportPosition(), 5);
    form.PreviousDifference1->trigger();
    QCOMPARE(Current(form), QPoint(3, 0));
    QCOMPARE(form.ReportPosition(), 4);

    // A double-click on a line of the report area.
    const int blocks = form.Memo1->blockCount();
    const QRect line2 =
        form.Memo1->cursorRect(QTextCursor(form.Memo1->document()->findBlockByNumber(2)));
    QTest::mouseDClick(form.Memo1->viewport(), Qt::LeftButton, {}, line2.center());
    QCOMPARE(Current(form), QPoint(2, 1));
    QCOMPARE(form.ReportPosition(), 3);
    QVERIFY(form.SG1->EditorActive());
    // Enter on a line jumps, and breaks no line.
    QTextCursor cursor(form.Memo1->document()->findBlockByNumber(0));
    form.Memo1->setFocus();
    form.Memo1->setTextCursor(cursor);
    QTest::keyClick(form.Memo1, Qt::Key_Return);
    QCOMPARE(Current(form), QPoint(1, 2));
    QCOMPARE(form.Memo1->blockCount(), blocks);
    QCOMPARE(form.ReportPosition(), 1);

    // Once the area shows something else, its lines lead nowhere; the walk goes on.
    form.Memo1->setPlainText(QStringLiteral("notes"));
    QVERIFY(!form.ReportLineChosen(0));
    form.NextDifference1->trigger();
    QCOMPARE(form.ReportPosition(), 2);

    // The next load ends the report: no markers, nothing to walk.
    f.LoadThroughChooser(f.Folder(), "old.tab");
    QVERIFY(!form.ReportCellMarked(1, 0));
    QCOMPARE(PixelOf(form, 3, 2, true), PixelOf(form, 3, 1, true));
    form.NextDifference1->trigger();
    QCOMPARE(form.StatusPanel->text(), QStringLiteral("none"));
}

QTEST_MAIN(ReportCommandsTest)
#include "reportcommands_test.moc"
