// The main window's grid commands driven through their handlers, menu items and the
// grid's events: marks, hiding and showing, the row commands, the pop-up choice, Find.

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "core/app/programtexts.h"
#include "gui/app/colorpalette.h"
#include "gui/app/guifeedback.h"
#include "gui/grid/findreplaceform.h"
#include "gui/grid/gridview.h"
#include "support/shellfixture.h"

using namespace tw;

namespace {

// A started main window whose grid holds a document of `cols` columns and `rows` data
// rows: cell (c, r) is "c:r", row 0 the header, one spare row at the end.
struct Window {
    ShellFixture Fixture;
    ScriptedPrompts Prompts;
    std::unique_ptr<TestForm> Form;

    explicit Window(int cols = 5, int rows = 9) {
        Fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
        Form = std::make_unique<TestForm>(Fixture, Prompts);
        Form->FormActivate();
        Form->SG1->BeginGridChange();
        TTextGrid& grid = Grid();
        grid.SetColCount(cols);
        grid.SetRowCount(rows + 2);
        for (int r = 0; r <= rows; ++r)
            for (int c = 0; c < cols; ++c)
                grid.SetCell(c, r, std::to_string(c) + ":" + std::to_string(r));
        Form->SG1->EndGridChange();
        Form->State().LastColIndex = cols - 1;
    }
    TTextGrid& Grid() { return Form->State().SG1(); }
    EditorState& State() { return Form->State(); }
    QString Cell(int dataCol, int row) {
        return QString::fromStdString(Grid().CellText(dataCol, row));
    }
    // A right click on a cell, as the grid reports it.
    void RightClick(int row, int col) { Form->SG1RightClickCell(row, col, QPoint(300, 200)); }
    // The rows of the grid by the data row each shows.
    QList<int> DataRows() {
        QList<int> rows;
        for (int r = 0; r < Grid().RowCount(); ++r) {
            const std::string text = Grid().CellText(0, r); // "0:" and the data row
            rows << (text.size() > 2 ? std::stoi(text.substr(2)) : -1);
        }
        return rows;
    }
    void Show() {
        Form->resize(900, 600);
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Form->activateWindow();
        QCoreApplication::processEvents();
    }
};

QList<int> Marks(const MarkList& marks) {
    return QList<int>(marks.Items().begin(), marks.Items().end());
}

} // namespace

class GridCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void rightClickOnAFixedCellTogglesTheRowMark();
    void hideSelectedRowsHidesTheMarkedRows();
    void unhideRowNumber_data();
    void unhideRowNumber();
    void headerRightClickMarksTheDataColumnBehindAHiddenOne();
    void headerReleaseMarksUnlessAColumnWasResized_data();
    void headerReleaseMarksUnlessAColumnWasResized();
    void headerClickWithTheMouseMarksTheColumn();
    void rightClickWithTheMouseOpensThePopup();
    void popupFollowsAllowAddDeleteRows_data();
    void popupFollowsAllowAddDeleteRows();
    void copyThisRowOnRow7();
    void insertAndDeleteAreOneModelChangeEach();
    void statusFollowsTheArrowKeysPastHiddenColumns();
    void handlersRestWhileThePaintIsSuspended();
    void hiddenColumnsCommands();
    void neverHideColumnsShowsAllAndIsStored();
    void find_data();
    void find();
    void findNextAndTheSameTextRule();
    void findInAFixedColumnEditsTheFixedCell();
    void findBringsAMatchOutOfSightToTheMiddle();
    void findAndReplace();
};

void GridCommandsTest::rightClickOnAFixedCellTogglesTheRowMark() {
    Window w;
    w.RightClick(5, 0);
    QCOMPARE(Marks(w.State().SelectedRows), QList<int>{5});
    w.RightClick(5, 0);
    QVERIFY(w.State().SelectedRows.Empty());
    QVERIFY(w.Form->Popups.isEmpty());
    // The header cell of the fixed column marks neither a row nor a column.
    w.RightClick(0, 0);
    QVERIFY(w.State().SelectedRows.Empty() && w.State().SelectedCols.Empty());
}

void GridCommandsTest::hideSelectedRowsHidesTheMarkedRows() {
    Window w;
    const int modelRows = w.Form->SG1->model()->rowCount();
    w.RightClick(3, 0);
    w.RightClick(5, 0);
    QSignalSpy resets(w.Form->SG1->model(), &QAbstractItemModel::modelReset);
    w.Form->HideSelectedRows2->trigger();
    QCOMPARE(resets.size(), 1); // one model change, not one per row
    QCOMPARE(w.DataRows(), (QList<int>{0, 1, 2, 4, 6, 7, 8, 9, -1}));
    QCOMPARE(w.Form->SG1->model()->rowCount(), modelRows - 2);
    QVERIFY(w.State().SelectedRows.Empty());
    QVERIFY(!w.State().PaintSuspended);
    QVERIFY(!w.Form->Feedback().Busy());
    QVERIFY(w.Prompts.Messages.isEmpty());

    // Everything back in its place, the status texts around it.
    w.Form->UnhideRows1->trigger();
    QCOMPARE(resets.size(), 2);
    QCOMPARE(w.DataRows(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1}));
    QCOMPARE(w.Form->StatusPanel->text(), QStringLiteral("T102"));
    QCOMPARE(w.Form->SG1->model()->rowCount(), modelRows);
}

void GridCommandsTest::unhideRowNumber_data() {
    QTest::addColumn<QList<int>>("hideAtDisplayRows"); // hidden one after another by pop-up
    QTest::addColumn<QString>("answer");               // "<cancel>" cancels
    QTest::addColumn<QList<int>>("expected");

    const QList<int> all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1};
    // Display row 3 is data row 4 once data row 2 is hidden: the file position counts.
    QTest::newRow("by file position")
        << QList<int>{2, 3} << "4" << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, -1};
    QTest::newRow("not hidden") << QList<int>{2} << "3"
                                << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, -1};
    QTest::newRow("letters") << QList<int>{2} << "two" << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, -1};
    QTest::newRow("empty") << QList<int>{2} << "" << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, -1};
    QTest::newRow("cancelled") << QList<int>{2} << "<cancel>"
                               << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, -1};
    QTest::newRow("hexadecimal") << QList<int>{2} << "$2" << all;
}

void GridCommandsTest::unhideRowNumber() {
    QFETCH(QList<int>, hideAtDisplayRows);
    QFETCH(QString, answer);
    QFETCH(QList<int>, expected);
    Window w;
    for (int row : hideAtDisplayRows) {
        w.RightClick(row, 2);
        w.Form->HideRow1->trigger();
    }
    if (answer == QStringLiteral("<cancel>"))
        w.Prompts.Cancel();
    else
        w.Prompts.Answer(answer);
    w.Form->UnhideRow2->trigger();
    QCOMPARE(w.DataRows(), expected);
    QCOMPARE(w.Prompts.Questions.size(), 1);
    QCOMPARE(w.Prompts.Questions[0].Caption, QStringLiteral("T152"));
    QCOMPARE(w.Prompts.Questions[0].Prompt, QStringLiteral("T153"));
    QVERIFY(w.Prompts.Questions[0].DefaultAnswer.isEmpty());
    QVERIFY(w.Prompts.Messages.isEmpty());
}

void GridCommandsTest::headerRightClickMarksTheDataColumnBehindAHiddenOne() {
    Window w;
    w.RightClick(4, 2);
    w.Form->HideColumn2->trigger();
    QVERIFY(w.Grid().IsColumnHidden(2));
    QCOMPARE(w.Form->SG1->model()->columnCount(), 4);

    w.RightClick(0, 2);
    QCOMPARE(Marks(w.State().SelectedCols), QList<int>{3});
    w.RightClick(0, 2);
    QVERIFY(w.State().SelectedCols.Empty());

    // The pop-up's toggle on a cell of display column 2 names the same data column.
    w.RightClick(3, 2);
    QCOMPARE(w.Form->Popups.size(), 2);
    w.Form->ColSelectionToggle2->trigger();
    QCOMPARE(Marks(w.State().SelectedCols), QList<int>{3});
    w.Form->MenuItem1->trigger();
    QCOMPARE(Marks(w.State().SelectedRows), QList<int>{3});

    // Marked cells take the selection colour through the model; the header row never.
    const QColor sky(166, 202, 240);
    QAbstractItemModel* model = w.Form->SG1->model();
    QCOMPARE(model->index(0, 2).data(Qt::BackgroundRole).value<QColor>(), sky); // row 1, data col 3
    QCOMPARE(model->index(2, 1).data(Qt::BackgroundRole).value<QColor>(), sky); // row 3
    QVERIFY(model->headerData(2, Qt::Horizontal, Qt::BackgroundRole).value<QColor>() != sky);

    w.Form->HideSelectedColumns1->trigger();
    QVERIFY(w.Grid().IsColumnHidden(3));
    QVERIFY(w.State().SelectedCols.Empty());
    QCOMPARE(Marks(w.State().SelectedRows), QList<int>{3}); // rows did not move
}

void GridCommandsTest::headerReleaseMarksUnlessAColumnWasResized_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("resized"); // display column whose width changes before release; -1 none
    QTest::addColumn<bool>("suspended");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("plain click") << 2 << -1 << false << QList<int>{2};
    QTest::newRow("own border dragged") << 2 << 2 << false << QList<int>{};
    QTest::newRow("left border dragged") << 2 << 1 << false << QList<int>{};
    QTest::newRow("other column resized") << 2 << 4 << false << QList<int>{2};
    QTest::newRow("column 0 never") << 0 << -1 << false << QList<int>{};
    QTest::newRow("while suspended") << 2 << -1 << true << QList<int>{};
}

void GridCommandsTest::headerReleaseMarksUnlessAColumnWasResized() {
    QFETCH(int, col);
    QFETCH(int, resized);
    QFETCH(bool, suspended);
    QFETCH(QList<int>, expected);
    Window w;
    w.Form->SG1ClickCell(0, col);
    QCOMPARE(w.Form->HeaderClickCol, col);
    if (resized >= 0)
        w.Grid().SetColWidth(resized, w.Grid().ColWidth(resized) + 15);
    w.State().PaintSuspended = suspended;
    w.Form->SG1MouseUp(Qt::LeftButton, {}, QPoint());
    w.State().PaintSuspended = false;
    QCOMPARE(Marks(w.State().SelectedCols), expected);
    // Reset in every case, so a later release marks nothing.
    QCOMPARE(w.Form->HeaderClickCol, -1);
    QCOMPARE(w.Form->HeaderClickWidth, 0);
    w.Form->SG1MouseUp(Qt::LeftButton, {}, QPoint());
    QCOMPARE(Marks(w.State().SelectedCols), expected);
}

void GridCommandsTest::headerClickWithTheMouseMarksTheColumn() {
    Window w;
    w.Show();
    QHeaderView* header = w.Form->SG1->horizontalHeader();
    const QPoint inHeader(header->sectionViewportPosition(3) + header->sectionSize(3) / 2,
                          header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, inHeader);
    QCOMPARE(Marks(w.State().SelectedCols), QList<int>{3});
}

void GridCommandsTest::rightClickWithTheMouseOpensThePopup() {
    Window w;
    w.Show();
    w.Form->RealPopups = true;
    GridView* view = w.Form->SG1;
    const QModelIndex cell = view->model()->index(3, 2); // display row 4
    const QPoint at = view->visualRect(cell).center();
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(w.Form->Popups, QStringList{QStringLiteral("PopupMenu2")});
    QTRY_VERIFY(w.Form->PopupMenu2->isVisible());
    QCOMPARE(w.Form->LastPopupPosition, view->viewport()->mapToGlobal(at));
    QCOMPARE(w.State().ClickedRow, 4);
    QCOMPARE(w.State().ClickedCol, 2);
    w.Form->PopupMenu2->close();
    // The fixed cell of the same row marks it instead.
    const QPoint fixed = view->FrozenView()->visualRect(view->model()->index(3, 0)).center();
    QTest::mouseClick(view->FrozenView()->viewport(), Qt::RightButton, {}, fixed);
    QCOMPARE(Marks(w.State().SelectedRows), QList<int>{4});
    QCOMPARE(w.Form->Popups.size(), 1);
}

void GridCommandsTest::popupFollowsAllowAddDeleteRows_data() {
    QTest::addColumn<bool>("allow");
    QTest::addColumn<QString>("popup");
    QTest::newRow("allowed") << true << "PopupMenu1";
    QTest::newRow("not allowed") << false << "PopupMenu2";
}

void GridCommandsTest::popupFollowsAllowAddDeleteRows() {
    QFETCH(bool, allow);
    QFETCH(QString, popup);
    Window w;
    if (allow)
        w.Form->AllowAddDeleteRows1->trigger();
    QCOMPARE(w.Form->AllowAddDeleteRows1->isChecked(), allow);
    QCOMPARE(w.Form->SG1->AllowInsertDeleteRows(), allow);
    QCOMPARE(w.Fixture.Settings().ReadBool("addrow"),
             allow ? std::optional<bool>(true) : std::nullopt);

    w.Form->SG1RightClickCell(4, 3, QPoint(123, 456));
    QCOMPARE(w.Form->Popups, QStringList{popup});
    QCOMPARE(w.Form->LastPopupPosition, QPoint(123, 456));
    QCOMPARE(w.State().ClickedRow, 4);
    QCOMPARE(w.State().ClickedDataCol, 3);
    // Outside the cells nothing happens at all.
    w.Form->SG1RightClickCell(-1, 2, QPoint());
    w.Form->SG1RightClickCell(3, -1, QPoint());
    QCOMPARE(w.Form->Popups.size(), 1);
    QCOMPARE(w.State().ClickedRow, 4);

    // The option survives a restart and reaches the grid's row keys.
    w.Form->AllowAddDeleteRows1->trigger();
    QCOMPARE(w.Fixture.Settings().ReadBool("addrow"), std::optional<bool>(!allow));
    TestForm again(w.Fixture, w.Prompts);
    again.FormActivate();
    QCOMPARE(again.AllowAddDeleteRows1->isChecked(), !allow);
    QCOMPARE(again.SG1->AllowInsertDeleteRows(), !allow);
}

void GridCommandsTest::copyThisRowOnRow7() {
    Window w(5, 9);
    w.Grid().HideColumn(3); // hidden columns are copied too
    const int modelRows = w.Form->SG1->model()->rowCount();
    w.Form->AllowAddDeleteRows1->trigger();
    w.RightClick(7, 1);
    QCOMPARE(w.Form->Popups, QStringList{QStringLiteral("PopupMenu1")});
    w.Form->CopyThisRow1->trigger();
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(w.Cell(c, 7), QStringLiteral("%1:7").arg(c));
        QCOMPARE(w.Cell(c, 8), QStringLiteral("%1:7").arg(c));
    }
    QCOMPARE(w.Cell(0, 9), QStringLiteral("0:8"));
    QCOMPARE(w.Form->SG1->model()->rowCount(), modelRows + 1);
    QCOMPARE(w.Form->SG1->model()->index(6, 1).data().toString(), QStringLiteral("1:7"));
}

void GridCommandsTest::insertAndDeleteAreOneModelChangeEach() {
    Window w;
    w.RightClick(1, 0); // a mark that must stay on its display row
    QSignalSpy resets(w.Form->SG1->model(), &QAbstractItemModel::modelReset);
    w.RightClick(4, 2);
    w.Form->InsertRow1->trigger();
    QCOMPARE(w.Cell(0, 4), QString());
    QCOMPARE(w.Cell(0, 5), QStringLiteral("0:4"));
    w.Form->DeleteThisRow1->trigger();
    QCOMPARE(w.Cell(0, 4), QStringLiteral("0:4"));
    QCOMPARE(resets.size(), 2);
    QCOMPARE(Marks(w.State().SelectedRows), QList<int>{1});
}

void GridCommandsTest::statusFollowsTheArrowKeysPastHiddenColumns() {
    Window w;
    w.RightClick(2, 2);
    w.Form->HideColumn1->trigger();
    w.Show();
    w.Form->SG1->SetCurrentCell(2, 1);
    w.Form->SG1->setFocus();
    QWidget* target =
        w.Form->SG1->CellEditor() ? static_cast<QWidget*>(w.Form->SG1->CellEditor()) : w.Form->SG1;
    QTest::keyClick(target, Qt::Key_Right);
    // Display column 2 shows data column 3 now.
    QCOMPARE(w.Form->StatusPanel->text(), QStringLiteral("3:2"));
    QCOMPARE(w.State().ClickedCol, 2);
    QCOMPARE(w.State().ClickedDataCol, 3);
    w.Form->SG1CellChanging(2, 2, 5, 3);
    QCOMPARE(w.Form->StatusPanel->text(), QStringLiteral("4:5"));
    QCOMPARE(w.State().ClickedDataRow, 5);
}

void GridCommandsTest::handlersRestWhileThePaintIsSuspended() {
    Window w;
    w.State().PaintSuspended = true;
    w.Form->SG1ClickCell(3, 0);
    w.RightClick(4, 0);
    w.RightClick(0, 2);
    w.RightClick(3, 3);
    w.Form->SG1CellChanging(1, 1, 6, 2);
    QVERIFY(w.State().SelectedRows.Empty() && w.State().SelectedCols.Empty());
    QVERIFY(w.Form->Popups.isEmpty());
    QVERIFY(w.Form->StatusPanel->text().isEmpty());
    QCOMPARE(w.State().ClickedRow, 0);
    QVERIFY(!w.Form->SG1GetCellColor(1, 1).isValid());
}

void GridCommandsTest::hiddenColumnsCommands() {
    Window w(6, 3);
    w.State().DocumentFileName = "protos.tab";
    w.Grid().SetColWidth(2, 5);
    for (int col : {1, 2}) {
        w.RightClick(0, col);
        w.Form->HideSelectedColumns2->trigger();
    }
    QVERIFY(w.Grid().IsColumnHidden(1) && w.Grid().IsColumnHidden(3));

    w.Prompts.Answer(QStringLiteral("3"));
    w.Form->UnhideColumn1->trigger();
    QCOMPARE(w.Prompts.Questions.last().Caption, QStringLiteral("T154"));
    QCOMPARE(w.Prompts.Questions.last().Prompt, QStringLiteral("T155"));
    QVERIFY(!w.Grid().IsColumnHidden(3) && w.Grid().IsColumnHidden(1));

    // Every column back; for the prototype table column 2 fits its texts again.
    w.Form->UnhideColumns2->trigger();
    QCOMPARE(w.Grid().HiddenColumnCount(), 0);
    QCOMPARE(w.Form->SG1->model()->columnCount(), 6);
    QVERIFY(w.Grid().ColWidth(2) > 12);
}

void GridCommandsTest::neverHideColumnsShowsAllAndIsStored() {
    Window w;
    w.Grid().HideColumn(2);
    w.RightClick(0, 3);
    w.Form->NeverHideColumns1->trigger();
    QVERIFY(w.Form->NeverHideColumns1->isChecked() && w.State().NeverHide);
    QCOMPARE(w.Grid().HiddenColumnCount(), 0);
    QVERIFY(w.State().SelectedCols.Empty());
    QCOMPARE(w.Fixture.Settings().ReadBool("neverhide"), std::optional<bool>(true));

    // Off again shows and hides nothing; the manual commands work whatever the option.
    w.Form->NeverHideColumns1->trigger();
    QVERIFY(!w.State().NeverHide);
    QCOMPARE(w.Fixture.Settings().ReadBool("neverhide"), std::optional<bool>(false));
    QCOMPARE(w.Grid().HiddenColumnCount(), 0);
}

void GridCommandsTest::find_data() {
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("startCol");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("row"); // expected current cell; the start when nothing matches
    QTest::addColumn<int>("col");

    // "Long Sword" at (col 1, row 3), "SWORDFISH" at (3, 5), "swor" at (2, 2).
    QTest::newRow("substring, any case") << 1 << 1 << "sword" << 3 << 1;
    QTest::newRow("capitals in the answer") << 1 << 1 << "SWORD" << 3 << 1;
    QTest::newRow("start cell never examined") << 3 << 1 << "sword" << 5 << 3;
    QTest::newRow("no wrap to the top") << 5 << 3 << "sword" << 5 << 3;
    QTest::newRow("last column starts the next row") << 3 << 4 << "0:4" << 4 << 0;
    QTest::newRow("longer than the cell") << 1 << 1 << "swordx" << 1 << 1;
    QTest::newRow("empty answer") << 1 << 1 << "" << 1 << 1;
}

void GridCommandsTest::find() {
    QFETCH(int, startRow);
    QFETCH(int, startCol);
    QFETCH(QString, answer);
    QFETCH(int, row);
    QFETCH(int, col);
    Window w;
    w.Grid().SetCell(1, 3, "Long Sword");
    w.Grid().SetCell(3, 5, "SWORDFISH");
    w.Grid().SetCell(2, 2, "swor");
    w.Form->SG1->SetCurrentCell(startRow, startCol);
    w.Prompts.Answer(answer);
    w.Form->Find1->trigger();
    QCOMPARE(w.Prompts.Questions[0].Caption, QStringLiteral("T106"));
    QCOMPARE(w.Prompts.Questions[0].Prompt, QStringLiteral("T107"));
    QCOMPARE(w.Grid().Row(), row);
    QCOMPARE(w.Grid().Col(), col);
    const QModelIndex current = w.Form->SG1->currentIndex();
    QCOMPARE(current.row() + 1, row);
    QCOMPARE(current.column(), col);
    const bool moved = row != startRow || col != startCol;
    QCOMPARE(w.Form->SG1->EditorActive(), moved);
    QVERIFY(!w.Form->Feedback().Busy());
    QVERIFY(w.Prompts.Messages.isEmpty());
    if (!answer.isEmpty())
        QCOMPARE(QString::fromStdString(w.State().LastFindText), answer.toLower());
    // A match is reported like any move of the current cell; a miss says so.
    if (moved)
        QCOMPARE(w.Form->StatusPanel->text(), w.Cell(col, row));
    else if (!answer.isEmpty())
        QCOMPARE(w.Form->StatusPanel->text(),
                 QString::fromStdString(
                     FormatText(BuiltInProgramText("findnomore"), {answer.toStdString()})));
    if (moved)
        QCOMPARE(std::make_pair(w.State().ClickedRow, w.State().ClickedCol),
                 std::make_pair(row, col));
}

void GridCommandsTest::findNextAndTheSameTextRule() {
    Window w;
    w.Grid().SetCell(1, 2, "needle");
    w.Grid().SetCell(3, 4, "Needle");
    w.Grid().SetCell(2, 6, "NEEDLES");
    w.Grid().HideColumn(3);
    w.Form->SG1->SetCurrentCell(1, 1);

    w.Prompts.Answer(QStringLiteral("needle"));
    w.Form->Find1->trigger();
    QCOMPARE(w.Grid().Row(), 2);
    // The hidden column is skipped.
    w.Form->FindNext1->trigger();
    QCOMPARE(w.Grid().Row(), 6);

    // The same text as stored does nothing, cancelling too; other capitals search again.
    w.Form->SG1->SetCurrentCell(1, 1);
    w.Prompts.Answer(QStringLiteral("needle"));
    w.Form->Find1->trigger();
    QCOMPARE(w.Prompts.Questions.last().DefaultAnswer, QStringLiteral("needle"));
    w.Prompts.Cancel();
    w.Form->Find1->trigger();
    QCOMPARE(w.Grid().Row(), 1);
    w.Prompts.Answer(QStringLiteral("NEEDLE"));
    w.Form->Find1->trigger();
    QCOMPARE(w.Grid().Row(), 2);

    // Shown again, the hidden column's match is found; at the last match Find Next stays.
    w.RightClick(1, 2);
    w.Form->UnhideColumns1->trigger();
    w.Form->SG1->SetCurrentCell(2, 1);
    w.Form->FindNext1->trigger();
    QCOMPARE(w.Grid().Row(), 4);
    QCOMPARE(w.Grid().Col(), 3);
    w.Form->FindNext1->trigger();
    w.Form->FindNext1->trigger();
    QCOMPARE(w.Grid().Row(), 6);
    QVERIFY(w.Prompts.Messages.isEmpty());
}

void GridCommandsTest::findInAFixedColumnEditsTheFixedCell() {
    Window w;
    w.Show();
    w.Form->SG1->SetCurrentCell(3, 2);
    w.Prompts.Answer(QStringLiteral("0:5"));
    w.Form->Find1->trigger();
    QCOMPARE(w.Grid().Row(), 5);
    QCOMPARE(w.Grid().Col(), 0);
    QVERIFY(w.Form->SG1->EditorActive());
    QCOMPARE(w.Form->SG1->CellEditor()->text(), QStringLiteral("0:5"));
}

void GridCommandsTest::findBringsAMatchOutOfSightToTheMiddle() {
    Window w(5, 300);
    w.Show();
    GridView* view = w.Form->SG1;
    view->SetCurrentCell(1, 1);
    const int scrolled = view->verticalScrollBar()->value();
    auto rowMiddle = [view](int row) {
        return view->visualRect(view->model()->index(row - 1, 1)).center().y();
    };
    const int rowHeight = view->rowHeight(0);
    const int middle = view->viewport()->height() / 2;

    // A match in sight: nothing scrolls.
    const int nearRow = view->rowAt(middle) + 1;
    w.Prompts.Answer(w.Cell(2, nearRow));
    w.Form->Find1->trigger();
    QCOMPARE(w.Grid().Row(), nearRow);
    QCOMPARE(view->verticalScrollBar()->value(), scrolled);

    // Far down: the match comes to the middle, painted as the cell being edited.
    w.Prompts.Answer(QStringLiteral("2:250"));
    w.Form->Find1->trigger();
    QCOMPARE(w.Grid().Row(), 250);
    QVERIFY(std::abs(rowMiddle(250) - middle) <= rowHeight);
    QVERIFY(view->EditorActive());
    QCOMPARE(w.Form->SG1GetCellColor(250, 2), ResolveColor(w.Form->ActiveCellColor));
}

void GridCommandsTest::findAndReplace() {
    Window w(4, 6);                           // cell (c, r) holds "c:r"
    w.State().DocumentFileName = "items.tab"; // a tab table: TAB is what its cells refuse
    w.State().DocumentExt = w.State().LoadExt = ".tab";
    w.Form->FindReplace1->trigger();
    FindReplaceWindow* box = w.Form->FindReplaceForm;
    QVERIFY(box->isVisible());
    auto status = [&w] { return w.Form->StatusPanel->text(); };
    auto added = [](const char* name, std::vector<std::string> arguments) {
        return QString::fromStdString(FormatText(BuiltInProgramText(name), arguments));
    };

    // Replace: the current cell when it matches, then on to the next match.
    w.Form->SG1->SetCurrentCell(2, 1);
    box->FindEdit->setText(QStringLiteral(":2"));
    box->ReplaceEdit->setText(QStringLiteral("=two"));
    box->ReplaceButton->click();
    QCOMPARE(w.Cell(1, 2), QStringLiteral("1=two"));
    QCOMPARE(std::make_pair(w.Grid().Row(), w.Grid().Col()), std::make_pair(2, 2));
    QCOMPARE(status(), QStringLiteral("2:2"));

    // Replace All in the current column only; case and whole-cell options.
    box->CurrentColumnButton->setChecked(true);
    box->FindEdit->setText(QStringLiteral("2:"));
    box->ReplaceEdit->setText(QStringLiteral("B-"));
    box->ReplaceAllButton->click();
    QCOMPARE(status(), added("replacedcount", {"6"}));
    QCOMPARE(w.Cell(2, 3), QStringLiteral("B-3"));
    QCOMPARE(w.Cell(3, 3), QStringLiteral("3:3"));
    QCOMPARE(w.Cell(2, 0), QStringLiteral("2:0")); // the header row is no data
    // One Undo takes the whole Replace All back, and only it; Redo puts it back.
    w.Form->Undo1->trigger();
    for (int row = 1; row <= 6; ++row)
        QCOMPARE(w.Cell(2, row), QStringLiteral("2:%1").arg(row));
    QCOMPARE(w.Cell(1, 2), QStringLiteral("1=two"));
    w.Form->Redo1->trigger();
    QCOMPARE(w.Cell(2, 6), QStringLiteral("B-6"));
    box->WholeTableButton->setChecked(true);
    box->WholeCellBox->setChecked(true);
    box->MatchCaseBox->setChecked(true);
    box->FindEdit->setText(QStringLiteral("b-4"));
    box->ReplaceAllButton->click();
    QCOMPARE(status(), added("replacedcount", {"0"}));
    box->MatchCaseBox->setChecked(false);
    box->ReplaceAllButton->click();
    QCOMPARE(w.Cell(2, 4), QStringLiteral("B-"));

    // What the cell rule refuses is counted and left as it was.
    box->WholeCellBox->setChecked(false);
    box->FindEdit->setText(QStringLiteral("3:"));
    box->ReplaceEdit->setText(QStringLiteral("3\t"));
    box->ReplaceAllButton->click();
    QCOMPARE(status(), added("replacedrefused", {"0", "6"}));
    QCOMPARE(w.Cell(3, 5), QStringLiteral("3:5"));

    // Find Next walks without wrapping and says when nothing follows.
    w.Form->SG1->SetCurrentCell(6, 3);
    box->FindNextButton->click();
    QCOMPARE(status(), added("findnomore", {"3:"}));
    QVERIFY(w.Prompts.Messages.isEmpty());
}

QTEST_MAIN(GridCommandsTest)
#include "gridcommands_test.moc"
