// The captions a language file gives the windows, menus and buttons.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <cerrno>
#include <cstring>

#include "gui/app/aboutbox.h"
#include "gui/app/languageform.h"
#include "gui/app/prompts.h"
#include "gui/document/fileform.h"
#include "support/shellfixture.h"

using namespace tw;

namespace {

// The caption a control shows, by the name the program knows it by.
QString CaptionOfControl(TForm1& form, const QString& name) {
    if (name == QLatin1String("Form1"))
        return form.windowTitle();
    if (name == QLatin1String("lngform"))
        return form.lngform->windowTitle();
    if (name == QLatin1String("lngform.BitBtn2"))
        return form.lngform->BitBtn2->text();
    if (name == QLatin1String("AboutBox"))
        return form.AboutBox->windowTitle();
    if (name == QLatin1String("AboutBox.OKButton"))
        return form.AboutBox->OKButton->text();
    if (name == QLatin1String("AboutBox.ProductName"))
        return form.AboutBox->ProductName->text();
    if (name == QLatin1String("AboutBox.Comments"))
        return form.AboutBox->Comments->text();
    if (name == QLatin1String("AboutBox.Label1"))
        return form.AboutBox->Label1->text();
    if (name == QLatin1String("Button2"))
        return form.Button2->text();
    if (auto* menu = form.findChild<QMenu*>(name))
        return menu->title();
    for (QAction* item : form.findChildren<QAction*>(name))
        if (!item->menu())
            return item->text();
    return QStringLiteral("<no control %1>").arg(name);
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void everyCaptionComesFromItsLine_data();
    void everyCaptionComesFromItsLine();
    void shortFileGivesEmptyTexts();
    void shippedLanguagesReadAsWords_data();
    void shippedLanguagesReadAsWords();
    void inputBoxesAreWideEnoughForTheirCaptions();
    void unreadableFileKeepsTableAndCaptions();
    void languageChangeResetsTheNumbersInCaptions();
};

void CaptionsTest::everyCaptionComesFromItsLine_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    auto row = [](const char* control, const char* caption) {
        QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(caption);
    };
    row("Form1", "Orlendt's T1 2.4.3");
    row("lngform", "T2");
    row("lngform.BitBtn2", "T3");
    row("AboutBox", "T4");
    row("AboutBox.OKButton", "T5");
    row("AboutBox.ProductName", "Orlendt's T1 2.4.3");
    row("AboutBox.Comments", "T6");
    row("AboutBox.Label1", "T7");
    row("File1", "&  T8  ");
    row("Edit1", "&  T9  ");
    row("Options1", "&  T10  ");
    row("ools1", "&  T11  ");
    row("View1", "&  T12  ");
    row("ColorOptions1", "&  T13  ");
    row("Help1", "&  T14  ");
    row("LANGUAGE1", "&  T15  ");
    row("Help2", "T14");
    row("About1", "T4");
    row("Reload1", "&T16");
    row("Save1", "&T17");
    row("SaveAs1", "T18");
    row("Exit1", "&T19");
    row("Find1", "T20");
    row("FindNext1", "T21");
    row("AutoSelectAll1", "T22");
    row("AutoSizeOnLoad1", "T23");
    row("AllowAddDeleteRows1", "T24");
    row("AutoLoadProtosOnStartup1", "T25");
    row("AutoLoadLastFileOnStartup1", "T26");
    row("AutoSizeColumns2", "T27");
    row("CompareTabFiles1", "T28");
    row("CombineTabFiles1", "T29");
    row("CombineFilesNoRemoveRows1", "T29 T30");
    row("CombineShowCompareMessages1", "T31");
    row("SortByColumn01", "T32");
    row("SortByColumn1", "T33");
    row("NeverHideColumns1", "T34");
    row("Show1", "T35");
    row("ShowCOLANDDescriptions1", "T36");
    row("opPanelHeight1101", "T37 110");
    row("FontSize81", "T38 8");
    row("ofFixedColumns11", "T39 1");
    row("ChangeActiveCellColor1", "T40");
    row("ChangeSelectionColor1", "T41");
    row("ChangeTextColor1", "T42");
    row("ChangeFixedTextColor1", "T43");
    row("ResetSelectionColor1", "T44");
    row("ResetTextColors1", "T45");
    row("Button2", "T48 -->");
    // The pop-up menus keep their own captions whatever the language.
    row("ColSelectionToggle1", "Col   Selection Toggle");
    row("MenuItem1", "Row Selection Toggle");
    row("DeleteThisRow1", "Delete This Row");
}

void CaptionsTest::everyCaptionComesFromItsLine() {
    QFETCH(QString, control);
    QFETCH(QString, caption);
    ShellFixture fixture;
    fixture.WriteProgramFile("numbered.lng", NumberedLanguageBytes(200));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.State().LanguageFile = "numbered.lng";
    QVERIFY(form.LoadLanguageFile());
    QCOMPARE(CaptionOfControl(form, control), caption);
}

void CaptionsTest::shortFileGivesEmptyTexts() {
    ShellFixture fixture;
    fixture.WriteProgramFile("short.lng", NumberedLanguageBytes(10));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.State().LanguageFile = "short.lng";
    QVERIFY(form.LoadLanguageFile());

    QCOMPARE(form.State().Language.Count(), 161);
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's T1 2.4.3"));
    QCOMPARE(form.File1->title(), QStringLiteral("&  T8  "));
    QCOMPARE(form.Edit1->title(), QStringLiteral("&  T9  "));
    QCOMPARE(form.Options1->title(), QStringLiteral("&    "));
    QCOMPARE(form.Reload1->text(), QStringLiteral("&"));
    QCOMPARE(form.CombineFilesNoRemoveRows1->text(), QStringLiteral(" "));
    QCOMPARE(form.FontSize81->text(), QStringLiteral(" 8"));
    QCOMPARE(form.Button2->text(), QStringLiteral(" -->"));
    QVERIFY(prompts.Messages.isEmpty());
}

void CaptionsTest::shippedLanguagesReadAsWords_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QString>("combineNoRemove");
    QTest::addColumn<QString>("closeButton");
    QTest::newRow("english") << "english.lng"
                             << "Orlendt's Ashmere Tabwright 2.4.3"
                             << "&  File  "
                             << "Combine Files (No Remove Rows)"
                             << "Close";
    QTest::newRow("deutsch") << "deutsch.lng"
                             << "Orlendt's Ashmere Tabwright 2.4.3"
                             << "&  Datei  "
                             << "Dateien zusammenführen (keine Zeilen entfernen)"
                             << QString::fromUtf8("Schließen");
}

void CaptionsTest::shippedLanguagesReadAsWords() {
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, fileMenu);
    QFETCH(QString, combineNoRemove);
    QFETCH(QString, closeButton);
    ShellFixture fixture;
    fixture.CopyShippedLanguage(file.toStdString());
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.State().LanguageFile = file.toStdString();
    QVERIFY(form.LoadLanguageFile());

    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.AboutBox->ProductName->text(), title);
    QCOMPARE(form.File1->title(), fileMenu);
    QCOMPARE(form.CombineFilesNoRemoveRows1->text(), combineNoRemove);
    QCOMPARE(form.lngform->BitBtn2->text(), closeButton);
    // Every fixed text up to the help message is worded; line 160 may stay empty.
    for (int i = 0; i <= 158; ++i)
        QVERIFY2(!form.State().Text(i).empty(), qPrintable(QStringLiteral("text %1").arg(i)));
    // Texts that follow a number directly begin with their blank.
    QVERIFY(form.State().Text(127).front() == ' ' && form.State().Text(130).front() == ' ');
    // Every button is as wide as its caption needs, and the toggle button stays within
    // the panel whose list runs under it.
    // (The windows placed by hand; the others have layouts that size their buttons.)
    QList<QPushButton*> buttons = form.Form3->findChildren<QPushButton*>();
    buttons << form.Button2 << form.AboutBox->OKButton;
    for (QPushButton* button : buttons)
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    QVERIFY(form.Button2->geometry().right() < form.Panel2->width());
    QCOMPARE(form.ComboBox2->geometry().right() + 1, form.Panel2->width());
}

void CaptionsTest::inputBoxesAreWideEnoughForTheirCaptions() {
    // Measured in the fonts at hand: a longer caption never gets a narrower box, and
    // every box is wider than its caption's text.
    const QFont font = QApplication::font();
    QFont bold = font;
    bold.setBold(true);
    int previous = 0;
    for (int words = 1; words <= 12; ++words) {
        const QString caption =
            QStringLiteral("Change the Top Panel Height in pixels? ").repeated(words);
        const int width = TitleFittingWidth(font, caption);
        QVERIFY(width > QFontMetrics(bold).horizontalAdvance(caption));
        QVERIFY(width > previous);
        previous = width;
    }
}

void CaptionsTest::unreadableFileKeepsTableAndCaptions() {
    ShellFixture fixture;
    fixture.WriteProgramFile("numbered.lng", NumberedLanguageBytes(160));
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.State().LanguageFile = "numbered.lng";
    QVERIFY(form.LoadLanguageFile());

    form.State().LanguageFile = "gone.lng";
    QVERIFY(!form.LoadLanguageFile());
    QCOMPARE(prompts.Messages.size(), 1);
    QVERIFY2(prompts.Messages.front().contains(QStringLiteral("gone.lng")),
             qPrintable(prompts.Messages.front()));
    QVERIFY2(prompts.Messages.front().contains(QString::fromLocal8Bit(std::strerror(ENOENT))),
             qPrintable(prompts.Messages.front()));
    QCOMPARE(form.windowTitle(), QStringLiteral("Orlendt's T1 2.4.3"));
    QCOMPARE(QString::fromStdString(form.State().Text(8)), QStringLiteral("T8"));
    // The new name is stored all the same, before the file was tried.
    std::string language;
    fixture.Settings().ReadString("language", language);
    QCOMPARE(QString::fromStdString(language), QStringLiteral("gone.lng"));
}

void CaptionsTest::languageChangeResetsTheNumbersInCaptions() {
    ShellFixture fixture;
    fixture.WriteProgramFile("english.lng", NumberedLanguageBytes(160));
    fixture.WriteProgramFile("deutsch.lng", NumberedLanguageBytes(160, "D"));
    fixture.Settings().WriteString("language", "english.lng");
    fixture.Settings().WriteInteger("fontsize", 12);
    fixture.Settings().WriteInteger("Top Panel Height", 90);
    ScriptedPrompts prompts;
    TestForm form(fixture, prompts);
    form.FormActivate();
    QCOMPARE(form.FontSize81->text(), QStringLiteral("T38 12"));
    QCOMPARE(form.opPanelHeight1101->text(), QStringLiteral("T37 90"));

    form.LanguageFileChosen("deutsch.lng");
    QCOMPARE(form.FontSize81->text(), QStringLiteral("D38 8"));
    QCOMPARE(form.opPanelHeight1101->text(), QStringLiteral("D37 110"));
    QCOMPARE(form.FontSizeSetting(), 12);
}

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
