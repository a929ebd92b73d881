// The colour options of the main window: the change commands through the colour window,
// the resets, the stored colours at start-up and the cell colouring handler.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "gui/app/colorform.h"
#include "gui/app/colorpalette.h"
#include "gui/grid/gridview.h"
#include "support/shellfixture.h"

using namespace tw;

namespace {

constexpr TColor SkyBlue = 0x00F0CAA6;
constexpr TColor MoneyGreen = 0x00C0DCC0;
constexpr TColor WindowText = SystemColorBase + 8;

struct Window {
    ShellFixture Fixture;
    ScriptedPrompts Prompts;
    std::unique_ptr<TestForm> Form;

    explicit Window(bool start = true) {
        Fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
        if (start)
            Start();
    }
    TestForm& Start() {
        Form = std::make_unique<TestForm>(Fixture, Prompts);
        Form->FormActivate();
        Form->SG1->BeginGridChange();
        TTextGrid& grid = Form->State().SG1();
        grid.SetColCount(5);
        grid.SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                grid.SetCell(c, r, "x");
        Form->SG1->EndGridChange();
        return *Form;
    }
    std::string Stored(const char* name) {
        std::string text;
        Fixture.Settings().ReadString(name, text);
        return text;
    }
    QColor Foreground(int col) {
        return Form->SG1->model()->index(0, col).data(Qt::ForegroundRole).value<QColor>();
    }
};

} // namespace

class ColorCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void changeCommandStoresTheChoice_data();
    void changeCommandStoresTheChoice();
    void cancelChangesNothing();
    void resetsStoreTheirNames();
    void storedColorsAtStartup_data();
    void storedColorsAtStartup();
    void cellColors_data();
    void cellColors();
    void activeCellColorWhileEditingWithFocus();
};

void ColorCommandsTest::changeCommandStoresTheChoice_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<uint>("chosen"); // a colour of the list; clDefault: the custom colour
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("text");

    QTest::newRow("active cell lime") << 1 << 0x0000FF00u << "colorsel2"
                                      << "clLime";
    QTest::newRow("selection red") << 2 << 0x000000FFu << "colorsel"
                                   << "clRed";
    QTest::newRow("grid text sky blue") << 3 << uint(SkyBlue) << "colorfont"
                                        << "clSkyBlue";
    QTest::newRow("fixed text unnamed") << 4 << uint(clDefault) << "colorfixed"
                                        << "$00563412";
    QTest::newRow("selection system colour") << 2 << uint(SystemColorBase + 13) << "colorsel"
                                             << "clHighlight";
}

void ColorCommandsTest::changeCommandStoresTheChoice() {
    QFETCH(int, target);
    QFETCH(uint, chosen);
    QFETCH(QString, setting);
    QFETCH(QString, text);
    Window w;
    TestForm& form = *w.Form;
    const TColor before = form.GridColor(target);
    TColor preselected = 0;
    int targetSeen = 0;
    form.WhileModal = [&](QDialog& dialog) {
        auto& colorWindow = static_cast<TForm4&>(dialog);
        targetSeen = colorWindow.ColorTarget;
        preselected = colorWindow.SelectedColor();
        QComboBox* box = colorWindow.ColorBox1;
        if (chosen == clDefault) {
            colorWindow.PickCustomColor = [](const QColor&) { return QColor(0x12, 0x34, 0x56); };
            box->setCurrentIndex(box->count() - 1);
            emit box->activated(box->count() - 1);
        } else {
            box->setCurrentIndex(box->findData(QVariant::fromValue<uint>(chosen)));
        }
        colorWindow.BitBtn1Click();
    };
    QAction* items[] = {form.ChangeActiveCellColor1, form.ChangeSelectionColor1,
                        form.ChangeTextColor1, form.ChangeFixedTextColor1};
    items[target - 1]->trigger();

    QCOMPARE(form.ModalWindows.last(), QStringLiteral("Form4"));
    QCOMPARE(targetSeen, target);
    QCOMPARE(preselected, before);
    QCOMPARE(QString::fromStdString(w.Stored(setting.toLatin1().constData())), text);
    const TColor value = *TextToColor(text.toStdString());
    QCOMPARE(form.GridColor(target), value);
    if (target == 3)
        QCOMPARE(w.Foreground(2), ResolveColor(value));
    if (target == 4)
        QCOMPARE(w.Foreground(0), ResolveColor(value));

    // Opened again, the window starts from the colour just chosen.
    form.WhileModal = [&](QDialog& dialog) {
        preselected = static_cast<TForm4&>(dialog).SelectedColor();
    };
    items[target - 1]->trigger();
    QCOMPARE(preselected, value);
}

void ColorCommandsTest::cancelChangesNothing() {
    Window w;
    TestForm& form = *w.Form;
    form.WhileModal = [](QDialog& dialog) {
        auto& colorWindow = static_cast<TForm4&>(dialog);
        colorWindow.ColorBox1->setCurrentIndex(0);
        colorWindow.BitBtn2Click();
    };
    form.ChangeSelectionColor1->trigger();
    QCOMPARE(form.SelectionColor, SkyBlue);
    QVERIFY(w.Stored("colorsel").empty());
}

void ColorCommandsTest::resetsStoreTheirNames() {
    Window w;
    TestForm& form = *w.Form;
    for (int target = 1; target <= 4; ++target)
        form.ApplyColorText(target, "clRed");

    form.ResetSelectionColor1->trigger();
    QCOMPARE(w.Stored("colorsel2"), std::string("clMoneyGreen"));
    QCOMPARE(w.Stored("colorsel"), std::string("clSkyBlue"));
    QCOMPARE(form.ActiveCellColor, MoneyGreen);
    QCOMPARE(form.SelectionColor, SkyBlue);
    QCOMPARE(w.Stored("colorfont"), std::string("clRed"));

    // Black, not the window-text colour of the design.
    form.ResetTextColors1->trigger();
    QCOMPARE(w.Stored("colorfont"), std::string("clBlack"));
    QCOMPARE(w.Stored("colorfixed"), std::string("clBlack"));
    QCOMPARE(form.GridTextColor, TColor(0));
    QCOMPARE(w.Foreground(2), QColor(Qt::black));
    QCOMPARE(w.Foreground(0), QColor(Qt::black));

    // What was stored is what the next start shows.
    TestForm& again = w.Start();
    QCOMPARE(again.GridTextColor, TColor(0));
    QCOMPARE(again.SelectionColor, SkyBlue);
}

void ColorCommandsTest::storedColorsAtStartup_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("text"); // "<number>" stores an integer value instead
    QTest::addColumn<int>("target");
    QTest::addColumn<uint>("expected");

    QTest::newRow("name in any case") << "colorsel"
                                      << "CLRED" << 2 << 0x000000FFu;
    QTest::newRow("hexadecimal") << "colorsel"
                                 << "$000000FF" << 2 << 0x000000FFu;
    QTest::newRow("no prefix: design colour") << "colorsel"
                                              << "red" << 2 << uint(SkyBlue);
    QTest::newRow("empty: design colour") << "colorsel2"
                                          << "" << 1 << uint(MoneyGreen);
    QTest::newRow("mistyped value") << "colorsel2"
                                    << "<number>" << 1 << uint(MoneyGreen);
    QTest::newRow("active cell") << "colorsel2"
                                 << "clAqua" << 1 << 0x00FFFF00u;
    QTest::newRow("grid text decimal") << "colorfont"
                                       << "255" << 3 << 0x000000FFu;
    QTest::newRow("fixed text default") << "colorfixed"
                                        << "x" << 4 << uint(WindowText);
    QTest::newRow("fixed text none") << "colorfixed"
                                     << "clNone" << 4 << uint(clNone);
}

void ColorCommandsTest::storedColorsAtStartup() {
    QFETCH(QString, setting);
    QFETCH(QString, text);
    QFETCH(int, target);
    QFETCH(uint, expected);
    Window w(false);
    const std::string name = setting.toStdString();
    if (text == QStringLiteral("<number>"))
        w.Fixture.Settings().WriteInteger(name, 255);
    else
        w.Fixture.Settings().WriteString(name, text.toStdString());
    TestForm& form = w.Start();
    QCOMPARE(form.GridColor(target), TColor(expected));
    const TColor designColors[] = {MoneyGreen, SkyBlue, WindowText, WindowText};
    for (int other = 1; other <= 4; ++other)
        if (other != target)
            QCOMPARE(form.GridColor(other), designColors[other - 1]);
    // Text in "no colour" would be invisible; it falls back to the window-text colour.
    const QColor fixedText = w.Foreground(0);
    QVERIFY(fixedText.isValid() && fixedText.alpha() == 255);
    QVERIFY(w.Prompts.Messages.isEmpty());
}

void ColorCommandsTest::cellColors_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("dataCol");
    QTest::addColumn<QString>("expected"); // window, selection or own

    // Marked: rows 0 and 2, data columns 0 and 3.
    QTest::newRow("marked row") << 2 << 1 << "selection";
    QTest::newRow("marked column") << 4 << 3 << "selection";
    QTest::newRow("header row of a marked column") << 0 << 3 << "window";
    QTest::newRow("fixed column of a marked row") << 2 << 0 << "window";
    QTest::newRow("marked fixed column") << 3 << 0 << "window";
    QTest::newRow("unmarked") << 3 << 2 << "window";
}

void ColorCommandsTest::cellColors() {
    QFETCH(int, row);
    QFETCH(int, dataCol);
    QFETCH(QString, expected);
    Window w;
    EditorState& state = w.Form->State();
    state.SelectedRows.Toggle(2);
    state.SelectedRows.Toggle(0);
    state.SelectedCols.Toggle(0);
    state.SelectedCols.Toggle(3);
    const QColor windowColor = ResolveColor(SystemColorBase + 5);
    const QColor color = w.Form->SG1GetCellColor(row, dataCol);
    QCOMPARE(color, expected == QStringLiteral("selection") ? QColor(166, 202, 240) : windowColor);
    state.PaintSuspended = true;
    QVERIFY(!w.Form->SG1GetCellColor(row, dataCol).isValid());
}

void ColorCommandsTest::activeCellColorWhileEditingWithFocus() {
    Window w;
    TestForm& form = *w.Form;
    form.ApplyColorText(1, "clYellow");
    form.resize(800, 500);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    form.State().SelectedRows.Toggle(3);
    form.SG1->SetCurrentCell(3, 2);
    form.SG1->setFocus();
    form.SG1->BeginCellEdit();
    QVERIFY(form.SG1->EditorActive());
    QCOMPARE(form.SG1GetCellColor(3, 2), QColor(Qt::yellow));
    QCOMPARE(form.SG1GetCellColor(3, 1), QColor(166, 202, 240));
    // Without the focus the marked cell shows its mark.
    form.ComboBox1->setFocus();
    QCOMPARE(form.SG1GetCellColor(3, 2), QColor(166, 202, 240));
}

QTEST_MAIN(ColorCommandsTest)
#include "colorcommands_test.moc"
