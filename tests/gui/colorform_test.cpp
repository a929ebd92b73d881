#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <utility>
#include <vector>

#include "gui/app/colorform.h"
#include "gui/app/colorpalette.h"

using namespace tw;

namespace {

struct Applied {
    int Target;
    std::string Text;
};

// A colour window whose OK records what it hands to the host and whose custom colour
// dialog answers from a script, counting how often it was asked.
struct ScriptedForm {
    TForm4 Form;
    std::vector<Applied> Calls;
    std::optional<QColor> CustomAnswer;
    std::vector<QColor> CustomInitials;

    ScriptedForm() {
        Form.ApplyColor = [this](int target, const std::string& text) {
            Calls.push_back({target, text});
        };
        Form.PickCustomColor = [this](const QColor& initial) {
            CustomInitials.push_back(initial);
            return CustomAnswer;
        };
    }

    int IndexOf(const QString& label) const { return Form.ColorBox1->findText(label); }

    // The last entry asks for a custom colour; End reaches it from the keyboard.
    void ChooseCustom() {
        Form.ColorBox1->setFocus();
        QTest::keyClick(Form.ColorBox1, Qt::Key_End);
    }
};

} // namespace

class ColorFormTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { QGuiApplication::setPalette(QPalette()); }

    void listsPickerNamesWithoutPrefix();
    void captions();

    void okAppliesChosenColor_data();
    void okAppliesChosenColor();
    void enterPressesOk();
    void cancelChangesNothing_data();
    void cancelChangesNothing();

    void customColor_data();
    void customColor();
    void repeatedCustomColorsKeepOneEntry();

    void preselect_data();
    void preselect();

    void resolvePlainAndSpecial_data();
    void resolvePlainAndSpecial();
    void resolveSystemThroughPalette_data();
    void resolveSystemThroughPalette();
    void fromQColorIsInverseOfResolve_data();
    void fromQColorIsInverseOfResolve();
};

void ColorFormTest::listsPickerNamesWithoutPrefix() {
    TForm4 form;
    const auto picker = PickerColors();
    QCOMPARE(form.ColorBox1->count(), static_cast<int>(picker.size()) + 1);
    for (size_t i = 0; i < picker.size(); ++i) {
        const int index = static_cast<int>(i);
        const std::string_view name = picker[i].Name;
        QCOMPARE(
            form.ColorBox1->itemText(index),
            QString::fromLatin1(name.substr(2).data(), static_cast<qsizetype>(name.size() - 2)));
        QCOMPARE(form.ColorBox1->itemData(index).toUInt(), picker[i].Value);
        QVERIFY(!form.ColorBox1->itemIcon(index).isNull());
    }
    QCOMPARE(form.ColorBox1->itemText(form.ColorBox1->count() - 1), QStringLiteral("Custom..."));
    for (const char* label : {"Black", "MoneyGreen", "SkyBlue", "WindowText", "3DDkShadow", "None"})
        QVERIFY2(form.ColorBox1->findText(QString::fromLatin1(label)) >= 0, label);
    QCOMPARE(form.ColorBox1->findText(QStringLiteral("Default")), -1);
}

void ColorFormTest::captions() {
    TForm4 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Color Selection Form"));
    QCOMPARE(form.size(), QSize(265, 109));
    QVERIFY(form.BitBtn1->isDefault());
    form.SetCaptions(QStringLiteral("Farbauswahl"), QStringLiteral("Gut"), QStringLiteral("Nein"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Farbauswahl"));
    QCOMPARE(form.BitBtn1->text(), QStringLiteral("Gut"));
    QCOMPARE(form.BitBtn2->text(), QStringLiteral("Nein"));
}

void ColorFormTest::okAppliesChosenColor_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sky blue as grid text")
        << 3 << QStringLiteral("SkyBlue") << QStringLiteral("clSkyBlue");
    QTest::newRow("black as active cell")
        << 1 << QStringLiteral("Black") << QStringLiteral("clBlack");
    QTest::newRow("system colour")
        << 4 << QStringLiteral("WindowText") << QStringLiteral("clWindowText");
    QTest::newRow("no colour") << 2 << QStringLiteral("None") << QStringLiteral("clNone");
    QTest::newRow("money green") << 1 << QStringLiteral("MoneyGreen")
                                 << QStringLiteral("clMoneyGreen");
}

void ColorFormTest::okAppliesChosenColor() {
    QFETCH(int, target);
    QFETCH(QString, label);
    QFETCH(QString, expected);
    ScriptedForm scripted;
    scripted.Form.ColorTarget = target;
    scripted.Form.Preselect(0x00FFFFFF);
    const int index = scripted.IndexOf(label);
    QVERIFY(index >= 0);
    scripted.Form.ColorBox1->setCurrentIndex(index);
    QSignalSpy accepted(&scripted.Form, &QDialog::accepted);
    QTest::mouseClick(scripted.Form.BitBtn1, Qt::LeftButton);
    QCOMPARE(scripted.Calls.size(), size_t{1});
    QCOMPARE(scripted.Calls[0].Target, target);
    QCOMPARE(QString::fromStdString(scripted.Calls[0].Text), expected);
    QCOMPARE(accepted.count(), 1);
    QVERIFY(scripted.CustomInitials.empty());
}

void ColorFormTest::enterPressesOk() {
    ScriptedForm scripted;
    scripted.Form.ColorTarget = 2;
    scripted.Form.Preselect(0x00F0CAA6);
    scripted.Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&scripted.Form));
    scripted.Form.ColorBox1->setFocus();
    QTest::keyClick(scripted.Form.ColorBox1, Qt::Key_Return);
    QCOMPARE(scripted.Calls.size(), size_t{1});
    QCOMPARE(scripted.Calls[0].Target, 2);
    QCOMPARE(QString::fromStdString(scripted.Calls[0].Text), QStringLiteral("clSkyBlue"));
    QCOMPARE(scripted.Form.result(), int(QDialog::Accepted));
}

void ColorFormTest::cancelChangesNothing_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape key") << true;
}

void ColorFormTest::cancelChangesNothing() {
    QFETCH(bool, byEscape);
    ScriptedForm scripted;
    scripted.Form.ColorTarget = 2;
    scripted.Form.Preselect(0x00F0CAA6);
    scripted.Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&scripted.Form));
    scripted.Form.ColorBox1->setCurrentIndex(scripted.IndexOf(QStringLiteral("Red")));
    QSignalSpy rejected(&scripted.Form, &QDialog::rejected);
    if (byEscape)
        QTest::keyClick(&scripted.Form, Qt::Key_Escape);
    else
        QTest::mouseClick(scripted.Form.BitBtn2, Qt::LeftButton);
    QVERIFY(scripted.Calls.empty());
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!scripted.Form.isVisible());
}

void ColorFormTest::customColor_data() {
    QTest::addColumn<TColor>("before");
    QTest::addColumn<std::optional<QColor>>("answer");
    QTest::addColumn<QColor>("initial");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("shown");
    QTest::newRow("unnamed colour")
        << TColor{0x00F0CAA6} << std::optional(QColor(0x12, 0x34, 0x56)) << QColor(0xA6, 0xCA, 0xF0)
        << QStringLiteral("$00563412") << QStringLiteral("$00563412");
    QTest::newRow("named colour picks its entry")
        << TColor{0x00000000} << std::optional(QColor(255, 0, 0)) << QColor(0, 0, 0)
        << QStringLiteral("clRed") << QStringLiteral("Red");
    QTest::newRow("alpha from the dialog is ignored")
        << TColor{0x00000000} << std::optional(QColor(0x12, 0x34, 0x56, 0)) << QColor(0, 0, 0)
        << QStringLiteral("$00563412") << QStringLiteral("$00563412");
    QTest::newRow("dialog cancelled keeps the previous colour")
        << TColor{0x00F0CAA6} << std::optional<QColor>() << QColor(0xA6, 0xCA, 0xF0)
        << QStringLiteral("clSkyBlue") << QStringLiteral("SkyBlue");
    QTest::newRow("starting from none offers white")
        << clNone << std::optional<QColor>() << QColor(Qt::white) << QStringLiteral("clNone")
        << QStringLiteral("None");
}

void ColorFormTest::customColor() {
    QFETCH(TColor, before);
    QFETCH(std::optional<QColor>, answer);
    QFETCH(QColor, initial);
    QFETCH(QString, expected);
    QFETCH(QString, shown);
    ScriptedForm scripted;
    scripted.Form.ColorTarget = 3;
    scripted.Form.Preselect(before);
    const int entries = scripted.Form.ColorBox1->count();
    scripted.CustomAnswer = answer;
    scripted.ChooseCustom();
    QCOMPARE(scripted.CustomInitials.size(), size_t{1});
    QCOMPARE(scripted.CustomInitials[0], initial);
    QCOMPARE(scripted.Form.ColorBox1->currentText(), shown);
    const bool unnamed = shown.startsWith(QLatin1Char('$'));
    QCOMPARE(scripted.Form.ColorBox1->count(), entries + (unnamed ? 1 : 0));
    scripted.Form.BitBtn1Click();
    QCOMPARE(scripted.Calls.size(), size_t{1});
    QCOMPARE(scripted.Calls[0].Target, 3);
    QCOMPARE(QString::fromStdString(scripted.Calls[0].Text), expected);
}

void ColorFormTest::repeatedCustomColorsKeepOneEntry() {
    ScriptedForm scripted;
    const int entries = scripted.Form.ColorBox1->count();
    scripted.Form.Preselect(0x00010203);
    for (const QColor& color : {QColor(0x12, 0x34, 0x56), QColor(0x65, 0x43, 0x21)}) {
        scripted.CustomAnswer = color;
        scripted.ChooseCustom();
    }
    QCOMPARE(scripted.Form.ColorBox1->count(), entries + 1);
    QCOMPARE(scripted.CustomInitials.back(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(scripted.Form.SelectedColor(), TColor{0x00214365});
    QCOMPARE(scripted.Form.ColorBox1->itemText(scripted.Form.ColorBox1->count() - 1),
             QStringLiteral("Custom..."));
}

void ColorFormTest::preselect_data() {
    QTest::addColumn<TColor>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("added");
    QTest::newRow("named colour") << TColor{0x00C0DCC0} << QStringLiteral("MoneyGreen") << 0;
    QTest::newRow("first entry") << TColor{0x00000000} << QStringLiteral("Black") << 0;
    QTest::newRow("system colour") << TColor{0x80000008} << QStringLiteral("WindowText") << 0;
    QTest::newRow("none") << clNone << QStringLiteral("None") << 0;
    QTest::newRow("unnamed colour") << TColor{0x00563412} << QStringLiteral("$00563412") << 1;
    QTest::newRow("system index without a name")
        << TColor{0x80000019} << QStringLiteral("$80000019") << 1;
    QTest::newRow("default, not offered") << clDefault << QStringLiteral("Default") << 1;
}

void ColorFormTest::preselect() {
    QFETCH(TColor, value);
    QFETCH(QString, shown);
    QFETCH(int, added);
    TForm4 form;
    const int entries = form.ColorBox1->count();
    form.Preselect(0x00FF0000);
    form.Preselect(value);
    QCOMPARE(form.ColorBox1->currentText(), shown);
    QCOMPARE(form.SelectedColor(), value);
    QCOMPARE(form.ColorBox1->count(), entries + added);
    // Preselecting the same value again finds the entry instead of adding another.
    form.Preselect(0x00FF0000);
    form.Preselect(value);
    QCOMPARE(form.ColorBox1->count(), entries + added);
    QCOMPARE(form.SelectedColor(), value);
}

void ColorFormTest::resolvePlainAndSpecial_data() {
    QTest::addColumn<TColor>("value");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("red in the low byte") << TColor{0x000000FF} << QColor(255, 0, 0);
    QTest::newRow("blue in the high byte") << TColor{0x00FF0000} << QColor(0, 0, 255);
    QTest::newRow("sky blue") << TColor{0x00F0CAA6} << QColor(0xA6, 0xCA, 0xF0);
    QTest::newRow("mixed") << TColor{0x00563412} << QColor(0x12, 0x34, 0x56);
    QTest::newRow("none is transparent") << clNone << QColor(Qt::transparent);
    QTest::newRow("default is invalid") << clDefault << QColor();
    QTest::newRow("system index without a role") << TColor{0x80000019} << QColor();
    QTest::newRow("system index past the table") << TColor{0x800000FF} << QColor();
    QTest::newRow("neither plain nor system") << TColor{0x01000000} << QColor();
}

void ColorFormTest::resolvePlainAndSpecial() {
    QFETCH(TColor, value);
    QFETCH(QColor, expected);
    const QColor resolved = ResolveColor(value);
    QCOMPARE(resolved.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(resolved.rgba(), expected.rgba());
}

void ColorFormTest::resolveSystemThroughPalette_data() {
    QTest::addColumn<TColor>("value");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");
    QTest::newRow("clWindow") << TColor{0x80000005} << int(QPalette::Active) << int(QPalette::Base);
    QTest::newRow("clWindowText") << TColor{0x80000008} << int(QPalette::Active)
                                  << int(QPalette::Text);
    QTest::newRow("clBtnFace") << TColor{0x8000000F} << int(QPalette::Active)
                               << int(QPalette::Button);
    QTest::newRow("clHighlight") << TColor{0x8000000D} << int(QPalette::Active)
                                 << int(QPalette::Highlight);
    QTest::newRow("clHighlightText")
        << TColor{0x8000000E} << int(QPalette::Active) << int(QPalette::HighlightedText);
    QTest::newRow("clGrayText") << TColor{0x80000011} << int(QPalette::Disabled)
                                << int(QPalette::Text);
    QTest::newRow("clInfoBk") << TColor{0x80000018} << int(QPalette::Active)
                              << int(QPalette::ToolTipBase);
    QTest::newRow("clHotLight") << TColor{0x8000001A} << int(QPalette::Active)
                                << int(QPalette::Link);
    QTest::newRow("clMenuBar") << TColor{0x8000001E} << int(QPalette::Active)
                               << int(QPalette::Window);
}

void ColorFormTest::resolveSystemThroughPalette() {
    QFETCH(TColor, value);
    QFETCH(int, group);
    QFETCH(int, role);
    const auto colorGroup = static_cast<QPalette::ColorGroup>(group);
    const auto colorRole = static_cast<QPalette::ColorRole>(role);
    // A palette with a colour no style uses by chance proves the role is looked up at the
    // time of the call.
    QPalette palette = QGuiApplication::palette();
    palette.setColor(colorGroup, colorRole, QColor(1, 2, 3));
    QGuiApplication::setPalette(palette);
    QCOMPARE(ResolveColor(value), QColor(1, 2, 3));
    palette.setColor(colorGroup, colorRole, QColor(4, 5, 6));
    QCOMPARE(ResolveColor(value, palette), QColor(4, 5, 6));
}

void ColorFormTest::fromQColorIsInverseOfResolve_data() {
    QTest::addColumn<TColor>("value");
    QTest::newRow("black") << TColor{0x00000000};
    QTest::newRow("white") << TColor{0x00FFFFFF};
    QTest::newRow("unnamed") << TColor{0x00563412};
    QTest::newRow("none") << clNone;
    QTest::newRow("default") << clDefault;
}

void ColorFormTest::fromQColorIsInverseOfResolve() {
    QFETCH(TColor, value);
    QCOMPARE(FromQColor(ResolveColor(value)), value);
}

QTEST_MAIN(ColorFormTest)
#include "colorform_test.moc"
