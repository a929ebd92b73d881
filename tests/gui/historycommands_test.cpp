// Undo and redo through the main window, the document panel of the status bar, and the
// question before a modified document is closed or replaced.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <random>

#include "../core/support/grid_content.h"
#include "core/document/cellrule.h"
#include "gui/app/cp1252.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridview.h"
#include "gui/grid/longcellform.h"
#include "support/documentfixture.h"

using namespace tw;

namespace {

// Keys in order and texts in every column, CR LF: what Save writes back unchanged.
std::string TableBytes(std::mt19937& random, int rows) {
    std::string bytes;
    for (int r = 0; r < rows; ++r) {
        bytes += std::to_string(100 + static_cast<int>(random() % 40));
        for (int c = 1; c < 5; ++c)
            bytes += "\t" + std::string(1, static_cast<char>('a' + random() % 26));
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

class HistoryCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void undoAllGivesTheLoadedBytesAndRedoAllTheEdits();
    void undoInTheEditorTakesBackTypingFirst();
    void longCellIsEditedInAWindowOfItsOwn();
    void documentPanelShowsTheModifiedState();
    void askBeforeDiscarding_data();
    void askBeforeDiscarding();
};

void HistoryCommandsTest::undoAllGivesTheLoadedBytesAndRedoAllTheEdits() {
    DocumentFixture files;
    TestForm& form = files.Start();
    form.AllowAddDeleteRows1Click();
    std::mt19937 random(17);
    const std::string loaded = TableBytes(random, 12);
    files.Write("items.tab", loaded);
    files.LoadThroughChooser(files.Folder(), "items.tab");
    EditorState& state = form.State();
    const auto original = Content(state);
    QVERIFY(!form.Undo1->isEnabled());

    // Every way the window changes cells and rows, with rows hidden and marked between.
    for (int k = 0; k < 40; ++k) {
        const int rows = state.SG1().RowCount();
        const int row = 1 + static_cast<int>(random() % static_cast<unsigned>(rows - 1));
        const int col = 1 + static_cast<int>(random() % 4);
        state.ClickedRow = row;
        state.ClickedDataRow = state.SG1().DataRowOf(row);
        switch (random() % 9) {
        case 0:
            files.Edit(row, col, QStringLiteral("edit%1").arg(k));
            break;
        case 1:
            form.SG1->SetCurrentCell(row, col);
            QApplication::clipboard()->setText(QStringLiteral("p\tq\r\nr\ts\r\n"));
            form.SG1->PasteClipboard();
            break;
        case 2:
            form.SG1->SetCurrentCell(row, col);
            form.SG1->CutSelection();
            break;
        case 3:
            form.InsertRow1Click();
            break;
        case 4:
            form.CopyThisRow1Click();
            break;
        case 5:
            if (rows > 4)
                form.DeleteThisRow1Click();
            break;
        case 6:
            form.SortByColumn01Click();
            break;
        case 7:
            form.HideRow1Click();
            break;
        default:
            form.ToggleRowMark(row);
        }
    }
    const auto edited = Content(state);
    QVERIFY(form.Undo1->isEnabled());

    int undone = 0;
    while (form.Undo1->isEnabled()) {
        form.Undo1->trigger();
        QVERIFY(++undone < 100);
    }
    QVERIFY(Content(state) == original);
    QVERIFY(form.Redo1->isEnabled());
    form.Save1Click();
    QCOMPARE(DocumentFixture::Read(files.Folder() + "/items.tab"), loaded);

    while (form.Redo1->isEnabled())
        form.Redo1->trigger();
    QVERIFY(Content(state) == edited);
}

void HistoryCommandsTest::undoInTheEditorTakesBackTypingFirst() {
    DocumentFixture files;
    TestForm& form = files.Start();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    files.Write("items.tab", "1\tone\r\n2\ttwo\r\n");
    files.LoadThroughChooser(files.Folder(), "items.tab");
    QVERIFY(files.Edit(2, 1, QStringLiteral("changed")));

    form.SG1->setFocus();
    form.SG1->SetCurrentCell(1, 1);
    form.SG1->BeginCellEdit();
    QLineEdit* editor = form.SG1->CellEditor();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("typed"));
    QCOMPARE(editor->text(), QStringLiteral("typed"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral("one"));
    QCOMPARE(files.CellShown(2, 1), QStringLiteral("changed"));

    // Nothing of its own left: the key takes back the document's last change.
    QTest::keyClick(form.SG1->CellEditor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(files.CellShown(2, 1), QStringLiteral("two"));
    QCOMPARE(form.State().SG1().CellText(1, 1), std::string("one"));
    QVERIFY(form.SG1->CellEditor());
    QTest::keyClick(form.SG1->CellEditor(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(files.CellShown(2, 1), QStringLiteral("changed"));
}

void HistoryCommandsTest::longCellIsEditedInAWindowOfItsOwn() {
    DocumentFixture files;
    TestForm& form = files.Start();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Just over the limit, without spaces, and with a no-break space (a byte a plain text
    // conversion would turn into a space).
    const std::string longText = std::string(GridView::LongCellBytes, 'a') + "\xa0z";
    files.Write("items.tab", "1\tone\r\n2\t" + longText + "\r\n");
    files.LoadThroughChooser(files.Folder(), "items.tab");
    EditorState& state = form.State();
    QVERIFY(!form.Undo1->isEnabled());
    form.ModalWindows.clear();

    form.SG1->setFocus();
    form.SG1->SetCurrentCell(2, 1);
    QVERIFY(!form.SG1->CellEditor());

    // F2, a refused paste, some typing, Cancel: the cell stays as it was.
    const QString refusal = FromCp1252(RefusalMessage(state, CellRefusal{'\r', "rulebreak"}));
    form.WhileModal = [&](QDialog& window) {
        window.show();
        auto* editor = window.findChild<LongCellEdit*>();
        QVERIFY(editor);
        QVERIFY(editor->document()->blockCount() > 1); // shown in short lines
        QCOMPARE(editor->CellText(), FromCp1252(longText));
        editor->selectAll();
        editor->copy();
        QCOMPARE(QApplication::clipboard()->text(), FromCp1252(longText));
        editor->moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText(QStringLiteral("x\r\ny"));
        editor->paste();
        QCOMPARE(editor->CellText(), FromCp1252(longText));
        QCOMPARE(form.StatusPanel->text(), refusal);
        QTest::keyClicks(editor, QStringLiteral("typed"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    };
    QTest::keyClick(form.SG1, Qt::Key_F2);
    QCOMPARE(form.ModalWindows, QStringList{QStringLiteral("LongCellForm")});
    QCOMPARE(state.SG1().CellText(1, 2), longText);
    QVERIFY(!form.Undo1->isEnabled());

    // Typing on the cell opens the window with the key typed at the end; Enter stores the
    // text as one step, without the window's own line ends.
    form.WhileModal = [&](QDialog& window) {
        auto* editor = window.findChild<LongCellEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("!"));
        QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    };
    QTest::keyClick(form.SG1, Qt::Key_Q);
    QCOMPARE(form.ModalWindows.size(), 2);
    QCOMPARE(state.SG1().CellText(1, 2), longText + "q!");
    QVERIFY(!form.SG1->CellEditor());
    form.Undo1->trigger();
    QCOMPARE(state.SG1().CellText(1, 2), longText);
    QVERIFY(!form.Undo1->isEnabled());
}

void HistoryCommandsTest::documentPanelShowsTheModifiedState() {
    DocumentFixture files;
    TestForm& form = files.Start();
    files.Write("items.tab", "1\tone\r\n");
    files.LoadThroughChooser(files.Folder(), "items.tab");
    const QString title = form.windowTitle();
    const QString clean = form.DocumentPanel->text();
    QVERIFY(clean.contains(QStringLiteral("items.tab")));

    files.Edit(1, 1, QStringLiteral("x"));
    const QString modified = form.DocumentPanel->text();
    QVERIFY(modified != clean);
    QVERIFY(modified.contains(QStringLiteral("items.tab")));
    form.Save1Click();
    QCOMPARE(form.DocumentPanel->text(), clean);
    form.Undo1Click();
    QCOMPARE(form.DocumentPanel->text(), modified);
    form.Redo1Click();
    QCOMPARE(form.DocumentPanel->text(), clean);
    QCOMPARE(form.windowTitle(), title);
}

void HistoryCommandsTest::askBeforeDiscarding_data() {
    QTest::addColumn<bool>("optionOn");
    QTest::addColumn<int>("answer"); // Prompts::DiscardAnswer
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("proceeds");
    QTest::addColumn<bool>("saved");
    using Answer = Prompts::DiscardAnswer;
    QTest::newRow("option off") << false << int(Answer::Cancel) << false << true << false;
    QTest::newRow("save") << true << int(Answer::Save) << true << true << true;
    QTest::newRow("discard") << true << int(Answer::Discard) << true << true << false;
    QTest::newRow("cancel") << true << int(Answer::Cancel) << true << false << false;
}

void HistoryCommandsTest::askBeforeDiscarding() {
    QFETCH(bool, optionOn);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, proceeds);
    QFETCH(bool, saved);
    DocumentFixture files;
    TestForm& form = files.Start();
    if (optionOn)
        form.AskBeforeDiscarding1Click();
    QCOMPARE(files.Shell.Settings().ReadBool("askdiscard").value_or(false), optionOn);
    const std::string path = files.Write("items.tab", "1\tone\r\n");
    files.LoadThroughChooser(files.Folder(), "items.tab");
    files.Edit(1, 1, QStringLiteral("x"));

    // Load, Compare, Combine and closing the window all ask the same question first.
    const auto answerNext = [&] { files.Prompts.AnswerDiscard(Prompts::DiscardAnswer(answer)); };
    struct Command {
        const char* Name;
        std::function<bool()> Run; // whether it went on past the question
    };
    const std::vector<Command> commands = {
        {"load",
         [&] {
             const int shown = form.ModalWindows.size();
             form.Reload1Click();
             return form.ModalWindows.size() > shown;
         }},
        {"compare",
         [&] {
             const int shown = form.ModalWindows.size();
             form.CompareTabFiles1Click();
             return form.ModalWindows.size() > shown;
         }},
        {"combine",
         [&] {
             const int shown = form.ModalWindows.size();
             form.CombineTabFiles1Click();
             return form.ModalWindows.size() > shown;
         }},
        {"exit", [&] { return form.close(); }},
    };
    for (const Command& command : commands) {
        if (!form.State().History.Modified())
            files.Edit(1, 1, QString::fromLatin1(command.Name));
        const int questions = files.Prompts.DiscardQuestions.size();
        answerNext();
        const bool went = command.Run();
        QVERIFY2(went == proceeds, command.Name);
        QVERIFY2((files.Prompts.DiscardQuestions.size() > questions) == asked, command.Name);
        QVERIFY2((DocumentFixture::Read(path) != "1\tone\r\n") == saved, command.Name);
        files.Prompts.DiscardAnswers.clear();
    }
}

QTEST_MAIN(HistoryCommandsTest)
#include "historycommands_test.moc"
