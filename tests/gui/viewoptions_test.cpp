// The view options of the main window through their menu items: font size, fixed
// columns, top panel height, column sizing, and the two check-mark options.

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QtTest>

#include "gui/app/guifeedback.h"
#include "gui/grid/gridview.h"
#include "support/shellfixture.h"

using namespace tw;

namespace {

struct Window {
    ShellFixture Fixture;
    ScriptedPrompts Prompts;
    std::unique_ptr<TestForm> Form;

    // `cols` columns, `rows` data rows of growing text, a header row, a spare row.
    explicit Window(int cols = 5, int rows = 6) {
        Fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
        Start();
        Form->SG1->BeginGridChange();
        TTextGrid& grid = Grid();
        grid.SetColCount(cols);
        grid.SetRowCount(rows + 2);
        for (int r = 0; r <= rows; ++r)
            for (int c = 0; c < cols; ++c)
                grid.SetCell(c, r, std::string(static_cast<size_t>(r + c + 1), 'w'));
        Form->SG1->EndGridChange();
    }
    void Start() {
        Form = std::make_unique<TestForm>(Fixture, Prompts);
        Form->FormActivate();
    }
    TTextGrid& Grid() { return Form->State().SG1(); }
    std::vector<int> Widths() {
        std::vector<int> widths;
        for (int c = 0; c < Grid().ColCount(); ++c)
            widths.push_back(Grid().ColWidth(c));
        return widths;
    }
};

// What row `row` measured for `measure` must be: the line of each font the row shows
// (the fixed cells' and the others'), the grid lines above and below and the padding,
// never below the grid's default. Computed from the fonts this machine resolved, so no
// font's pixel sizes are built in.
int ExpectedRowHeight(const TTextGrid& grid, const TextMeasure& measure, int row) {
    const bool fixedRow = row < grid.FixedRows();
    int line = 0;
    if (fixedRow || grid.FixedCols() > 0)
        line = std::max(line, measure.LineHeight(true));
    if (!fixedRow && grid.FixedCols() < grid.ColCount())
        line = std::max(line, measure.LineHeight(false));
    return std::max(line + 2 * grid.GridLineWidth() + 6, grid.DefaultRowHeight());
}

} // namespace

class ViewOptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void fontSize_data();
    void fontSize();
    void fontSizeSizesColumnsWhileAutoSizeOnLoadIsOn();
    void storedFontSizeSizesTheRowsAtStartup();
    void fixedColumns_data();
    void fixedColumns();
    void topPanelHeight_data();
    void topPanelHeight();
    void autoSizeColumnsSizesTheVisibleColumnsOnly();
    void checkMarkOptionsAreStoredAndApplied();
};

void ViewOptionsTest::fontSize_data() {
    QTest::addColumn<QString>("answer"); // "<cancel>" cancels
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("setting"); // FontSizeSetting afterwards
    QTest::addColumn<bool>("stored");

    QTest::newRow("12") << "12"
                        << "T38 12" << 12 << true;
    QTest::newRow("012 keeps its caption") << "012"
                                           << "T38 012" << 12 << true;
    QTest::newRow("hexadecimal") << "$0E"
                                 << "T38 $0E" << 14 << true;
    QTest::newRow("absurd size stored as given") << "100000"
                                                 << "T38 100000" << 100000 << true;
    QTest::newRow("cancel re-applies the size") << "<cancel>"
                                                << "T38 8" << 8 << true;
    QTest::newRow("letters") << "big"
                             << "T38 8" << 8 << false;
    QTest::newRow("empty") << ""
                           << "T38 8" << 8 << false;
}

void ViewOptionsTest::fontSize() {
    QFETCH(QString, answer);
    QFETCH(QString, caption);
    QFETCH(int, setting);
    QFETCH(bool, stored);
    Window w;
    if (answer == QStringLiteral("<cancel>"))
        w.Prompts.Cancel();
    else
        w.Prompts.Answer(answer);
    w.Form->FontSize81->trigger();

    QCOMPARE(w.Prompts.Questions[0].Caption, QStringLiteral("T118"));
    QCOMPARE(w.Prompts.Questions[0].Prompt, QStringLiteral("T119"));
    QCOMPARE(w.Prompts.Questions[0].DefaultAnswer, QStringLiteral("8"));
    QCOMPARE(w.Form->FontSize81->text(), caption);
    QCOMPARE(w.Form->FontSizeSetting(), setting);
    QCOMPARE(w.Fixture.Settings().ReadInteger("fontsize"),
             stored ? std::optional<int32_t>(setting) : std::nullopt);
    // What reaches Qt is bounded; the fonts of grid and memo agree.
    const int points = w.Form->SG1->FontPointSize();
    QVERIFY(points >= 4 && points <= 96);
    if (setting < 96)
        QCOMPARE(points, setting);
    QCOMPARE(w.Form->Memo1->font().pointSize(), TestForm::BoundedPointSize(setting));
    QVERIFY(!w.Form->Feedback().Busy());

    // Every row is measured for the new font when one was applied, and left as it was
    // when the answer was refused; the view shows the grid's heights.
    for (int r = 0; r < w.Grid().RowCount(); ++r)
        QCOMPARE(w.Grid().RowHeight(r), stored
                                            ? ExpectedRowHeight(w.Grid(), w.Form->SG1->Measure(), r)
                                            : w.Grid().DefaultRowHeight());
    QCOMPARE(w.Form->SG1->rowHeight(0), w.Grid().RowHeight(1));
}

void ViewOptionsTest::fontSizeSizesColumnsWhileAutoSizeOnLoadIsOn() {
    Window w;
    const std::vector<int> before = w.Widths();
    w.Prompts.Answer(QStringLiteral("14"));
    w.Form->FontSize81->trigger();
    QCOMPARE(w.Widths(), before);

    w.Form->AutoSizeOnLoad1->trigger();
    w.Prompts.Answer(QStringLiteral("14"));
    w.Form->FontSize81->trigger();
    const std::vector<int> sized = w.Widths();
    for (size_t c = 1; c < sized.size(); ++c)
        QVERIFY(sized[c] > sized[c - 1]); // the texts grow from column to column
    QCOMPARE(w.Form->SG1->columnWidth(3), sized[3]);
}

void ViewOptionsTest::storedFontSizeSizesTheRowsAtStartup() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    fixture.Settings().WriteInteger("fontsize", 20);
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.FormActivate();
    QCOMPARE(form.SG1->FontPointSize(), 20);
    const TTextGrid& grid = form.State().SG1();
    for (int r = 0; r < grid.RowCount(); ++r) {
        QCOMPARE(grid.RowHeight(r), ExpectedRowHeight(grid, form.SG1->Measure(), r));
        // Any font's 20-point line is taller than the default row.
        QVERIFY(grid.RowHeight(r) > grid.DefaultRowHeight());
    }
    // The core measures with the grid's fonts.
    QCOMPARE(form.State().Measure.LineHeight(false), form.SG1->Measure().LineHeight(false));
}

void ViewOptionsTest::fixedColumns_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<QString>("caption");

    QTest::newRow("as many as columns: refused") << "3" << 1 << "T39 1";
    QTest::newRow("none") << "0" << 0 << "T39 0";
    QTest::newRow("two") << "2" << 2 << "T39 2";
    QTest::newRow("negative: refused") << "-1" << 1 << "T39 1";
    QTest::newRow("letters") << "two" << 1 << "T39 1";
}

void ViewOptionsTest::fixedColumns() {
    QFETCH(QString, answer);
    QFETCH(int, fixed);
    QFETCH(QString, caption);
    Window w(3, 4);
    w.Prompts.Answer(answer);
    w.Form->ofFixedColumns11->trigger();
    QCOMPARE(w.Prompts.Questions[0].Caption, QStringLiteral("T122"));
    QCOMPARE(w.Prompts.Questions[0].Prompt, QStringLiteral("T123"));
    QCOMPARE(w.Prompts.Questions[0].DefaultAnswer, QStringLiteral("1"));
    QCOMPARE(w.Grid().FixedCols(), fixed);
    QCOMPARE(w.Form->ofFixedColumns11->text(), caption);
    // The view follows: fixed cells are drawn with the bold fixed font.
    const QModelIndex lastFixed = w.Form->SG1->model()->index(0, std::max(fixed - 1, 0));
    QCOMPARE(lastFixed.data(Qt::FontRole).isValid(), fixed > 0);
    QVERIFY(w.Prompts.Messages.isEmpty());
}

void ViewOptionsTest::topPanelHeight_data() {
    QTest::addColumn<bool>("variableListShown");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("height"); // TopPanelHeight afterwards
    QTest::addColumn<int>("panel");

    QTest::newRow("list shown") << true << "200" << 200 << 200;
    QTest::newRow("list closed") << false << "200" << 200 << 110;
    QTest::newRow("letters") << true << "tall" << 110 << 110;
}

void ViewOptionsTest::topPanelHeight() {
    QFETCH(bool, variableListShown);
    QFETCH(QString, answer);
    QFETCH(int, height);
    QFETCH(int, panel);
    Window w;
    w.Form->Show1->setChecked(variableListShown);
    w.Prompts.Answer(answer);
    w.Form->opPanelHeight1101->trigger();
    QCOMPARE(w.Prompts.Questions[0].Caption, QStringLiteral("T116 T117?"));
    QCOMPARE(w.Prompts.Questions[0].Prompt, QStringLiteral("T117"));
    QCOMPARE(w.Prompts.Questions[0].DefaultAnswer, QStringLiteral("110"));
    QCOMPARE(w.Form->TopPanelHeight(), height);
    QCOMPARE(w.Form->opPanelHeight1101->text(), QStringLiteral("T37 %1").arg(height));
    QCOMPARE(w.Form->Panel1->height(), panel);
    const bool changed = height != 110;
    QCOMPARE(w.Fixture.Settings().ReadInteger("Top Panel Height"),
             changed ? std::optional<int32_t>(height) : std::nullopt);

    // The stored height is the next start's.
    w.Start();
    QCOMPARE(w.Form->Panel1->height(), height);
}

void ViewOptionsTest::autoSizeColumnsSizesTheVisibleColumnsOnly() {
    Window w(5, 6);
    w.Grid().SetColWidth(2, 99);
    w.Grid().HideColumn(2);
    w.Form->AutoSizeColumns2->trigger();
    QCOMPARE(w.Form->StatusPanel->text(), QStringLiteral("T115"));
    QCOMPARE(w.Form->ProgressBar1->value(), 0);
    QCOMPARE(w.Form->ProgressBar1->maximum(), 3);
    // Display column 2 shows data column 3 and fits its widest text.
    const int sized = w.Grid().ColWidth(2);
    QCOMPARE(w.Form->SG1->columnWidth(2), sized);
    QCOMPARE(sized, w.Form->SG1->Measure().Width(std::string(10, 'w'), false) + 12);
    w.Grid().UnhideColumn(2);
    QCOMPARE(w.Grid().ColWidth(2), 99);
}

void ViewOptionsTest::checkMarkOptionsAreStoredAndApplied() {
    Window w;
    QVERIFY(w.Form->AutoSelectAll1->isChecked() && w.Form->SG1->AutoSelectAll());
    w.Form->AutoSelectAll1->trigger();
    w.Form->AutoSizeOnLoad1->trigger();
    QVERIFY(!w.Form->AutoSelectAll1->isChecked() && !w.Form->SG1->AutoSelectAll());
    QVERIFY(w.Form->AutoSizeOnLoad1->isChecked() && w.Form->State().AutoSizeOnLoad);
    QCOMPARE(w.Fixture.Settings().ReadBool("autoselect"), std::optional<bool>(false));
    QCOMPARE(w.Fixture.Settings().ReadBool("autosize"), std::optional<bool>(true));

    w.Start();
    QVERIFY(!w.Form->AutoSelectAll1->isChecked() && !w.Form->SG1->AutoSelectAll());
    QVERIFY(w.Form->AutoSizeOnLoad1->isChecked() && w.Form->State().AutoSizeOnLoad);
    w.Form->AutoSizeOnLoad1->trigger();
    QVERIFY(!w.Form->State().AutoSizeOnLoad);
    QCOMPARE(w.Fixture.Settings().ReadBool("autosize"), std::optional<bool>(false));
}

QTEST_MAIN(ViewOptionsTest)
#include "viewoptions_test.moc"
