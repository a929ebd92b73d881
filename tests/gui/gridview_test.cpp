// The main grid's view over a TTextGrid: what it shows, what editing and the clipboard
// write back, the row keys, and the events it raises.

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "core/grid/textgrid.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridview.h"
#include "gui/grid/selectionframe.h"

using namespace tw;

namespace {

std::string CellName(int col, int row) {
    return "c" + std::to_string(col) + "r" + std::to_string(row);
}

QString Q(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A grid of `cols` by `rows` whose every cell names its data column and row.
void Fill(TTextGrid& grid, int cols, int rows) {
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.SetCell(c, r, CellName(c, r));
}

// Types any text, also characters QTest::keyClicks cannot spell.
void Type(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

QPoint CellCenter(QTableView* view, int row, int col) {
    return view->visualRect(view->model()->index(row - 1, col)).center();
}

} // namespace

class GridViewTest : public QObject {
    Q_OBJECT

    TTextGrid* Grid = nullptr;
    GridView* View = nullptr;

    void Show() {
        View->resize(600, 400);
        View->show();
        QVERIFY(QTest::qWaitForWindowExposed(View));
        View->activateWindow();
        View->setFocus();
        QCoreApplication::processEvents();
    }
    QWidget* KeyTarget() const {
        if (QLineEdit* editor = View->CellEditor())
            return editor;
        return View;
    }

  private slots:
    void init() {
        Grid = new TTextGrid(MainGridProperties());
        Fill(*Grid, 6, 8);
        View = new GridView;
        View->SetGrid(Grid);
    }
    void cleanup() {
        delete View;
        delete Grid;
    }

    void showsDisplaySpaceThroughMappings_data() {
        QTest::addColumn<QList<int>>("hiddenCols");
        QTest::addColumn<QList<int>>("hiddenRows");
        QTest::newRow("nothing hidden") << QList<int>{} << QList<int>{};
        QTest::newRow("column 2") << QList<int>{2} << QList<int>{};
        QTest::newRow("rows 2 and 3") << QList<int>{} << QList<int>{2, 3};
        QTest::newRow("columns 1 and 4, rows 1 and 5") << QList<int>{1, 4} << QList<int>{1, 5};
    }
    void showsDisplaySpaceThroughMappings() {
        QFETCH(QList<int>, hiddenCols);
        QFETCH(QList<int>, hiddenRows);
        View->BeginGridChange();
        for (int c : hiddenCols)
            Grid->HideColumn(c);
        for (int r : hiddenRows)
            Grid->HideRow(r);
        View->EndGridChange();
        QAbstractItemModel* model = View->model();
        QCOMPARE(model->rowCount(), 8 - 1 - hiddenRows.size());
        QCOMPARE(model->columnCount(), 6 - hiddenCols.size());
        for (int c = 0; c < model->columnCount(); ++c) {
            const int dataCol = Grid->DataColumnOf(c);
            QVERIFY(!hiddenCols.contains(dataCol));
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), Q(CellName(dataCol, 0)));
            for (int r = 0; r < model->rowCount(); ++r) {
                const int dataRow = Grid->DataRowOf(r + 1);
                QVERIFY(!hiddenRows.contains(dataRow));
                QCOMPARE(model->index(r, c).data().toString(), Q(CellName(dataCol, dataRow)));
            }
        }
    }

    void unusedRolesAreEmpty() {
        const QModelIndex index = View->model()->index(0, 1);
        QVERIFY(!index.data(Qt::ToolTipRole).isValid());
        QVERIFY(!index.data(Qt::DecorationRole).isValid());
        QVERIFY(!View->model()->headerData(0, Qt::Vertical).isValid());
    }

    void backgroundComesFromTheColourHandlerWithDataColumn() {
        Grid->HideColumn(1);
        View->BeginGridChange();
        View->EndGridChange();
        QList<QPair<int, int>> asked;
        View->CellColor = [&asked](int row, int dataCol) {
            asked.append({row, dataCol});
            return dataCol == 3 ? QColor(Qt::red) : QColor();
        };
        QCOMPARE(View->model()->index(2, 2).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(Qt::red));
        QVERIFY(!View->model()->index(2, 1).data(Qt::BackgroundRole).isValid());
        QCOMPARE(asked.first(), qMakePair(3, 3));
        QCOMPARE(asked.last(), qMakePair(3, 2));
    }

    void editingWritesBytesBack_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Long Sword") << QByteArray("Long Sword");
        QTest::newRow("e acute") << QStringLiteral("caf\u00e9") << QByteArray("caf\xe9");
        QTest::newRow("euro") << QStringLiteral("5 \u20ac") << QByteArray("5 \x80");
        QTest::newRow("undefined byte") << QStringLiteral("\u0081") << QByteArray("\x81");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void editingWritesBytesBack() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        Grid->HideColumn(1); // display column 1 is data column 2
        View->BeginGridChange();
        View->EndGridChange();
        QVERIFY(View->model()->setData(View->model()->index(2, 1), text));
        QCOMPARE(QByteArray::fromStdString(Grid->CellText(2, 3)), bytes);
        QCOMPARE(Grid->CellText(1, 3), CellName(1, 3));

        // The same through the in-place editor (control characters cannot be typed).
        if (text.contains(QChar(0x81)))
            return;
        View->SetCurrentCell(4, 2);
        View->BeginCellEdit();
        QLineEdit* editor = View->CellEditor();
        QVERIFY(editor);
        editor->selectAll();
        Type(editor, text);
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        View->EndCellEdit();
        QVERIFY(!View->EditorActive());
        QCOMPARE(QByteArray::fromStdString(Grid->CellText(3, 4)), bytes);
    }

    void refusesTextOutsideTheCodePage() {
        QSignalSpy refused(View, &GridView::TextRefused);
        QVERIFY(!View->model()->setData(View->model()->index(0, 1), QStringLiteral("\u2713 ok")));
        QCOMPARE(Grid->CellText(1, 1), CellName(1, 1));
        QCOMPARE(refused.count(), 1);

        View->SetCurrentCell(1, 1);
        View->BeginCellEdit();
        QLineEdit* editor = View->CellEditor();
        QVERIFY(editor);
        editor->end(false);
        Type(editor, QStringLiteral("\u2713"));
        QCOMPARE(editor->text(), Q(CellName(1, 1)));
        View->EndCellEdit();
        QCOMPARE(Grid->CellText(1, 1), CellName(1, 1));
    }

    void moving_through_cells_never_rewrites_them() {
        Grid->SetCell(1, 1, std::string("a\0b", 3));
        View->BeginGridChange();
        View->EndGridChange();
        View->SetCurrentCell(1, 1);
        View->BeginCellEdit();
        View->SetCurrentCell(2, 1);
        View->EndCellEdit();
        QCOMPARE(Grid->CellText(1, 1), std::string("a\0b", 3));
    }

    void endCellEditWithoutEditorChangesNothing() {
        View->SetCurrentCell(2, 2);
        QVERIFY(!View->EditorActive());
        View->EndCellEdit();
        QVERIFY(!View->EditorActive());
        for (int r = 0; r < Grid->RowCount(); ++r)
            for (int c = 0; c < Grid->DataColumnCount(); ++c)
                QCOMPARE(Grid->CellText(c, r), CellName(c, r));
        QCOMPARE(Grid->Row(), 2);
        QCOMPARE(Grid->Col(), 2);
    }

    void editorSelectionFollowsAutoSelectAll_data() {
        QTest::addColumn<bool>("selectAll");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void editorSelectionFollowsAutoSelectAll() {
        QFETCH(bool, selectAll);
        View->SetAutoSelectAll(selectAll);
        Show();
        View->SetCurrentCell(3, 2); // the editor opens as the cell becomes current
        QLineEdit* editor = View->CellEditor();
        QVERIFY(editor);
        const QString text = Q(CellName(2, 3));
        QCOMPARE(editor->text(), text);
        QCOMPARE(editor->selectedText(), selectAll ? text : QString());
        QCOMPARE(editor->cursorPosition(), text.size());
        // Typing replaces the whole text or adds to it.
        QTest::keyClicks(editor, QStringLiteral("Z"));
        View->EndCellEdit();
        QCOMPARE(Q(Grid->CellText(2, 3)),
                 selectAll ? QStringLiteral("Z") : text + QStringLiteral("Z"));
    }

    void copiesTheSelectionInClipboardForm_data() {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("expected");
        // Data column 2 is hidden: display column 2 shows data column 3.
        QTest::newRow("single row") << 2 << 1 << 2 << 3 << QStringLiteral("c1r2\tc3r2\tc4r2");
        QTest::newRow("single cell") << 5 << 0 << 5 << 0 << QStringLiteral("c0r5");
        QTest::newRow("two rows") << 3 << 1 << 4 << 2
                                  << QStringLiteral("c1r3\tc3r3\r\nc1r4\tc3r4\r\n");
    }
    void copiesTheSelectionInClipboardForm() {
        QFETCH(int, top);
        QFETCH(int, left);
        QFETCH(int, bottom);
        QFETCH(int, right);
        QFETCH(QString, expected);
        View->BeginGridChange();
        Grid->HideColumn(2);
        View->EndGridChange();
        Show();
        QAbstractItemModel* model = View->model();
        const int currentCol = std::max(left, 1);
        auto select = [&] {
            View->SetCurrentCell(top, currentCol);
            View->selectionModel()->select(
                QItemSelection(model->index(top - 1, left), model->index(bottom - 1, right)),
                QItemSelectionModel::ClearAndSelect);
        };
        // Whether moving the current cell opens the editor depends on where the window
        // system put the focus, so both states are set here rather than found.
        select();
        View->EndCellEdit();
        QVERIFY(!View->EditorActive());
        // What is copied is what the frame shows (a single cell needs none).
        const QRect framed = SelectionFrameRect(*View);
        if (top == bottom && left == right) {
            QVERIFY(framed.isEmpty());
        } else {
            QCOMPARE(framed, View->visualRect(model->index(top - 1, left))
                                 .united(View->visualRect(model->index(bottom - 1, right))));
        }
        QApplication::clipboard()->clear();
        QTest::keyClick(View, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), expected);

        // With the editor open, a selection of several cells still goes out whole; within
        // one cell the editor copies its own selected text.
        select();
        View->BeginCellEdit();
        QLineEdit* editor = View->CellEditor();
        QVERIFY(editor);
        editor->selectAll();
        QApplication::clipboard()->clear();
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        const bool oneCell = top == bottom && left == right;
        QCOMPARE(QApplication::clipboard()->text(),
                 oneCell ? Q(CellName(currentCol == 2 ? 3 : currentCol, top)) : expected);
    }

    // The range shows as a tint over the colour handler's backgrounds, not instead of them.
    void selectionTintsTheRangeOverTheCellColours() {
        View->CellColor = [](int row, int) {
            return row == 3 ? QColor(Qt::yellow) : QColor(Qt::white);
        };
        View->BeginGridChange();
        for (int col = 0; col < Grid->ColCount(); ++col)
            Grid->SetColWidth(col, 90);
        View->EndGridChange();
        Show();
        View->SetCurrentCell(7, 4); // the editor stays clear of the range
        QAbstractItemModel* model = View->model();
        // A point of the cell right of its text and away from the range's frame.
        auto pixel = [this, model](int row, int col) {
            const QRect cell = View->visualRect(model->index(row - 1, col));
            const QString text = model->index(row - 1, col).data().toString();
            const int textRight = cell.left() + View->fontMetrics().horizontalAdvance(text) + 8;
            const QPoint at(std::max(textRight, cell.right() - 20), cell.center().y());
            return View->viewport()->grab().toImage().pixelColor(at);
        };
        const QColor yellow = pixel(3, 2);
        const QColor white = pixel(2, 2);
        View->selectionModel()->select(QItemSelection(model->index(1, 1), model->index(3, 3)),
                                       QItemSelectionModel::ClearAndSelect);
        QVERIFY(pixel(3, 2) != yellow);      // tinted
        QVERIFY(pixel(3, 2) != pixel(2, 2)); // the colours still differ
        QCOMPARE(pixel(3, 5), yellow);       // outside: untouched
        View->SetCurrentCell(6, 4);          // one cell again: no tint
        QCOMPARE(pixel(3, 2), yellow);
        QCOMPARE(pixel(2, 2), white);
    }

    void cutEmptiesTheSelection() {
        Show();
        QAbstractItemModel* model = View->model();
        View->SetCurrentCell(2, 1);
        View->selectionModel()->select(QItemSelection(model->index(1, 1), model->index(2, 2)),
                                       QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(KeyTarget(), Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("c1r2\tc2r2\r\nc1r3\tc2r3\r\n"));
        QCOMPARE(Grid->CellText(1, 2), "");
        QCOMPARE(Grid->CellText(2, 3), "");
        QCOMPARE(Grid->CellText(3, 2), CellName(3, 2));
    }

    void pasteNeverAddsRowsOrColumns() {
        Show();
        View->SetCurrentCell(6, 4); // second-last row, second-last column
        QApplication::clipboard()->setText(QStringLiteral("A\tB\tC\r\nD\tE\tF\r\nG\tH\tI\r\n"));
        QTest::keyClick(KeyTarget(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(Grid->RowCount(), 8);
        QCOMPARE(Grid->ColCount(), 6);
        QCOMPARE(View->model()->rowCount(), 7);
        QCOMPARE(View->model()->columnCount(), 6);
        QCOMPARE(Grid->CellText(4, 6), "A");
        QCOMPARE(Grid->CellText(5, 6), "B");
        QCOMPARE(Grid->CellText(4, 7), "D");
        QCOMPARE(Grid->CellText(5, 7), "E");
        QCOMPARE(Grid->CellText(3, 6), CellName(3, 6));
    }

    void pasteRefusesTextOutsideTheCodePage() {
        Show();
        View->SetCurrentCell(1, 1);
        QSignalSpy refused(View, &GridView::TextRefused);
        QApplication::clipboard()->setText(QStringLiteral("ok\t\u2713\r\n"));
        View->PasteClipboard();
        QCOMPARE(refused.count(), 1);
        QCOMPARE(Grid->CellText(1, 1), CellName(1, 1));
    }

    void rowKeysActOnlyWhileAllowed_data() {
        QTest::addColumn<bool>("allowed");
        QTest::newRow("allowed") << true;
        QTest::newRow("not allowed") << false;
    }
    void rowKeysActOnlyWhileAllowed() {
        QFETCH(bool, allowed);
        View->SetAllowInsertDeleteRows(allowed);
        Show();
        View->SetCurrentCell(3, 2);
        QTest::keyClick(KeyTarget(), Qt::Key_Insert);
        QCOMPARE(Grid->RowCount(), allowed ? 9 : 8);
        QCOMPARE(Grid->Row(), 3);
        QCOMPARE(View->currentIndex().row(), 2);
        QCOMPARE(Grid->CellText(2, 3), allowed ? std::string() : CellName(2, 3));
        QCOMPARE(Grid->CellText(2, 4), allowed ? CellName(2, 3) : CellName(2, 4));

        // Delete with the editor closed; in the editor it takes Ctrl+Delete.
        View->EndCellEdit();
        View->setFocus();
        QTest::keyClick(View, Qt::Key_Delete);
        QCOMPARE(Grid->RowCount(), 8);
        QCOMPARE(Grid->CellText(2, 3), CellName(2, 3));
        View->BeginCellEdit();
        QVERIFY(View->EditorActive());
        QTest::keyClick(View->CellEditor(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(Grid->RowCount(), allowed ? 7 : 8);
        QCOMPARE(Grid->CellText(2, 3), allowed ? CellName(2, 4) : CellName(2, 3));
        QCOMPARE(Grid->Row(), 3);
    }

    void deletingTheOnlyRowEmptiesIt() {
        Grid->SetRowCount(2);
        Grid->HideColumn(3);
        View->BeginGridChange();
        View->EndGridChange();
        View->SetAllowInsertDeleteRows(true);
        Show();
        View->SetCurrentCell(1, 1);
        View->EndCellEdit();
        View->setFocus();
        QTest::keyClick(View, Qt::Key_Delete);
        QCOMPARE(Grid->RowCount(), 2);
        for (int c = 0; c < Grid->DataColumnCount(); ++c)
            QCOMPARE(Grid->CellText(c, 1), "");
        QCOMPARE(Grid->CellText(1, 0), CellName(1, 0));
    }

    void deletingTheLastRowMakesTheNewLastRowCurrent() {
        View->SetAllowInsertDeleteRows(true);
        Show();
        View->SetCurrentCell(7, 2);
        View->EndCellEdit();
        View->setFocus();
        QTest::keyClick(View, Qt::Key_Delete);
        QCOMPARE(Grid->RowCount(), 7);
        QCOMPARE(Grid->Row(), 6);
    }

    void clickSignalsCarryDisplayIndices() {
        Grid->HideColumn(1);
        Grid->HideRow(2);
        View->BeginGridChange();
        View->EndGridChange();
        Show();
        View->SetCurrentCell(1, 1);
        QSignalSpy clicks(View, &GridView::ClickCell);
        QSignalSpy changing(View, &GridView::CellChanging);

        QTest::mouseClick(View->viewport(), Qt::LeftButton, {}, CellCenter(View, 4, 3));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.takeFirst(), (QList<QVariant>{4, 3}));
        QCOMPARE(changing.count(), 1);
        QCOMPARE(changing.takeFirst(), (QList<QVariant>{1, 1, 4, 3}));
        QCOMPARE(Grid->Row(), 4);
        QCOMPARE(Grid->Col(), 3);

        // A fixed cell reports its click and leaves the current cell alone.
        QTableView* frozen = View->FrozenView();
        QVERIFY(frozen->isVisible());
        QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, CellCenter(frozen, 5, 0));
        QCOMPARE(clicks.takeFirst(), (QList<QVariant>{5, 0}));
        QCOMPARE(changing.count(), 0);
        QCOMPARE(Grid->Row(), 4);

        // Header cells are row 0.
        QHeaderView* header = View->horizontalHeader();
        const QPoint inHeader(header->sectionViewportPosition(2) + header->sectionSize(2) / 2,
                              header->height() / 2);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, inHeader);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, inHeader);
        QCOMPARE(clicks.takeFirst(), (QList<QVariant>{0, 2}));

        // Keyboard moves announce themselves too.
        QTest::keyClick(KeyTarget(), Qt::Key_Down);
        QCOMPARE(changing.count(), 1);
        QCOMPARE(changing.takeFirst(), (QList<QVariant>{4, 3, 5, 3}));
        QTest::keyClick(KeyTarget(), Qt::Key_Tab);
        QCOMPARE(changing.takeFirst(), (QList<QVariant>{5, 3, 5, 4}));
        QCOMPARE(Grid->Col(), 4);
    }

    void rightClicksNameTheCellOrMinusOne() {
        Show();
        View->SetCurrentCell(1, 1);
        QSignalSpy right(View, &GridView::RightClickCell);
        QTest::mouseClick(View->viewport(), Qt::RightButton, {}, CellCenter(View, 3, 2));
        QCOMPARE(right.count(), 1);
        QCOMPARE(right.first().at(0).toInt(), 3);
        QCOMPARE(right.first().at(1).toInt(), 2);
        QCOMPARE(Grid->Row(), 1); // the current cell stays
        const QRect last = View->visualRect(View->model()->index(6, 5));
        QTest::mouseClick(View->viewport(), Qt::RightButton, {},
                          QPoint(last.center().x(), last.bottom() + 20));
        QCOMPARE(right.at(1).at(0).toInt(), -1);
        QCOMPARE(right.at(1).at(1).toInt(), 5);
        QTest::mouseClick(View->FrozenView()->viewport(), Qt::RightButton, {},
                          CellCenter(View->FrozenView(), 2, 0));
        QCOMPARE(right.at(2).at(0).toInt(), 2);
        QCOMPARE(right.at(2).at(1).toInt(), 0);
    }

    void fixedCellMadeCurrentIsEditedInTheOverlay() {
        Show();
        View->SetCurrentCell(3, 0);
        View->BeginCellEdit();
        QLineEdit* editor = View->CellEditor();
        QVERIFY(editor);
        QVERIFY(View->FrozenView()->viewport()->isAncestorOf(editor));
        QCOMPARE(editor->text(), Q(CellName(0, 3)));
        editor->setText(QStringLiteral("42"));
        editor->setModified(true);
        View->EndCellEdit();
        QCOMPARE(Grid->CellText(0, 3), "42");
        // Moving right leaves the fixed column for the first ordinary one.
        View->BeginCellEdit();
        QTest::keyClick(KeyTarget(), Qt::Key_Tab);
        QCOMPARE(Grid->Col(), 1);
        QVERIFY(View->viewport()->isAncestorOf(View->CellEditor()));
    }

    void columnWidthsComeFromTheGridAndGoBack() {
        Grid->SetColWidth(2, 77);
        View->BeginGridChange();
        View->EndGridChange();
        QCOMPARE(View->columnWidth(2), 77);
        QCOMPARE(View->columnWidth(0), Grid->ColWidth(0));
        QCOMPARE(View->FrozenView()->columnWidth(0), Grid->ColWidth(0));
        View->horizontalHeader()->resizeSection(3, 91); // what a drag on the border does
        QCOMPARE(Grid->ColWidth(3), 91);
        View->FrozenView()->horizontalHeader()->resizeSection(0, 55);
        QCOMPARE(Grid->ColWidth(0), 55);
        QCOMPARE(View->columnWidth(0), 55);
        QCOMPARE(View->FrozenView()->width(), 55);
    }

    void rowHeightsComeFromTheGrid() {
        Grid->SetRowHeight(3, 40);
        View->BeginGridChange();
        View->EndGridChange();
        QCOMPARE(View->rowHeight(2), 40);
        QCOMPARE(View->rowHeight(1), Grid->DefaultRowHeight());
        QCOMPARE(View->FrozenView()->rowHeight(2), 40);
        QCOMPARE(View->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    }

    void fixedColumnsFollowTheGrid() {
        QVERIFY(View->SetFixedCols(2));
        QCOMPARE(Grid->FixedCols(), 2);
        Show();
        QCOMPARE(View->FrozenView()->width(), Grid->ColWidth(0) + Grid->ColWidth(1));
        QVERIFY(!View->SetFixedCols(6));
        QVERIFY(View->SetFixedCols(0));
        QVERIFY(View->FrozenView()->isHidden());
    }

    void fontSizeAndMeasure() {
        View->SetFontPointSize(12);
        QCOMPARE(View->FontPointSize(), 12);
        View->SetFontPointSize(5000);
        QVERIFY(View->FontPointSize() <= 96);
        View->SetFontPointSize(0);
        QVERIFY(View->FontPointSize() > 0);
        View->SetFontPointSize(8);
        const TextMeasure measure = View->Measure();
        QVERIFY(measure.Width("WWWW", true) > measure.Width("WWWW", false) - 1);
        QVERIFY(measure.Width("WWWW", false) > measure.Width("W", false));
        QCOMPARE(measure.Width("", false), 0);
        const int small = measure.LineHeight(false);
        QVERIFY(small > 0);
        View->SetFontPointSize(24); // the same measure follows the new size
        QVERIFY(measure.LineHeight(false) > small);
    }

    void mouseUpReportsButtonAndPosition() {
        Show();
        QSignalSpy ups(View, &GridView::MouseUp);
        const QPoint at = CellCenter(View, 2, 2);
        QTest::mouseClick(View->viewport(), Qt::LeftButton, Qt::ShiftModifier, at);
        QCOMPARE(ups.count(), 1);
        QCOMPARE(ups.first().at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(ups.first().at(1).value<Qt::KeyboardModifiers>(),
                 Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(ups.first().at(2).toPoint(), View->viewport()->mapTo(View, at));
    }

    void backtabWrapsToThePreviousRowAndSkipsFixedColumns() {
        Show();
        View->SetCurrentCell(3, 1);
        QTest::keyClick(KeyTarget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Grid->Row(), 2);
        QCOMPARE(Grid->Col(), 5);
        QTest::keyClick(KeyTarget(), Qt::Key_Tab);
        QCOMPARE(Grid->Row(), 3);
        QCOMPARE(Grid->Col(), 1);
        QTest::keyClick(KeyTarget(), Qt::Key_Left);
        QCOMPARE(Grid->Col(), 1);
        QVERIFY(View->EditorActive());
    }

    void currentCellScrollsClearOfTheFixedColumns() {
        Fill(*Grid, 60, 2000);
        View->BeginGridChange();
        View->EndGridChange();
        Show();
        for (const auto& [row, col] :
             {std::pair{1500, 55}, std::pair{20, 2}, std::pair{1999, 30}}) {
            View->SetCurrentCell(row, col);
            const QRect cell = View->visualRect(View->currentIndex());
            QVERIFY2(cell.left() >= View->FrozenView()->width(), "hidden under the fixed columns");
            QVERIFY(View->viewport()->rect().contains(cell.center()));
            // The overlay shows the same rows.
            QCOMPARE(View->FrozenView()->visualRect(View->model()->index(row - 1, 0)).top(),
                     cell.top());
        }
    }

    void fixedCellsUseFixedFontAndColours() {
        View->SetTextColor(Qt::blue);
        View->SetFixedTextColor(Qt::darkGreen);
        QAbstractItemModel* model = View->model();
        QCOMPARE(model->index(0, 0).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::darkGreen));
        QCOMPARE(model->index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::darkGreen));
        QVERIFY(model->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(model->headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QVERIFY(!model->index(0, 1).data(Qt::FontRole).isValid());
    }

    void editorWearsTheCellColour() {
        View->CellColor = [this](int row, int dataCol) {
            const bool editing = View->EditorActive() && row == Grid->Row() &&
                                 Grid->DisplayColumnOf(dataCol) == Grid->Col();
            return editing ? QColor(Qt::green) : QColor(Qt::white);
        };
        Show();
        View->SetCurrentCell(2, 2);
        View->BeginCellEdit();
        QVERIFY(View->CellEditor());
        QCOMPARE(View->CellEditor()->palette().color(QPalette::Base), QColor(Qt::green));
    }

    void gridExitOnlyWhenFocusLeavesTheGrid() {
        QWidget window;
        QLineEdit other(&window);
        auto* view = new GridView(&window);
        view->SetGrid(Grid);
        view->setGeometry(0, 30, 500, 300);
        window.resize(500, 340);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy exits(view, &GridView::GridExit);
        view->setFocus();
        view->SetCurrentCell(2, 2);
        view->BeginCellEdit();
        QVERIFY(view->CellEditor() && view->CellEditor()->hasFocus());
        QCOMPARE(exits.count(), 0);
        other.setFocus();
        QCOMPARE(exits.count(), 1);
        QVERIFY(!view->EditorActive());
    }
};

QTEST_MAIN(GridViewTest)
#include "gridview_test.moc"
