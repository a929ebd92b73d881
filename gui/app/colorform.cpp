#include "gui/app/colorform.h"

#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/app/colorpalette.h"

namespace tw {

namespace {

// Names are listed without their "cl"; unnamed values by their stored text.
QString PickerLabel(TColor value) {
    const std::string text = ColorToText(value);
    const bool named = text.size() > 2 && text.compare(0, 2, "cl") == 0;
    return QString::fromLatin1(named ? text.substr(2) : text);
}

QIcon Swatch(TColor value, QSize size, const QPalette& palette) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRect box = pixmap.rect().adjusted(0, 0, -1, -1);
    const QColor color = ResolveColor(value);
    if (color.isValid() && color.alpha() != 0) {
        painter.fillRect(box, color);
    } else {
        // No colour of its own: an empty box struck through.
        painter.fillRect(box, palette.color(QPalette::Base));
        painter.setPen(palette.color(QPalette::Text));
        painter.drawLine(box.bottomLeft(), box.topRight());
    }
    painter.setPen(palette.color(QPalette::Text));
    painter.drawRect(box);
    return QIcon(pixmap);
}

} // namespace

TForm4::TForm4(QWidget* parent)
    : QDialog(parent), ColorBox1(new QComboBox(this)), BitBtn1(new QPushButton(this)),
      BitBtn2(new QPushButton(this)) {
    setObjectName(QStringLiteral("Form4"));
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    setModal(true);

    for (const NamedColor& named : PickerColors())
        ColorBox1->addItem(PickerLabel(named.Value), QVariant::fromValue<uint>(named.Value));
    ColorBox1->addItem(QStringLiteral("Custom..."));
    ColorBox1->setMaxVisibleItems(20);
    RefreshSwatches();

    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    BitBtn2->setAutoDefault(false);
    SetCaptions(QStringLiteral("Color Selection Form"), QStringLiteral("OK"),
                QStringLiteral("Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ColorBox1);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(265, 109);

    PickCustomColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };

    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm4::BitBtn2Click);
    connect(ColorBox1, &QComboBox::currentIndexChanged, this, &TForm4::ColorBox1IndexChanged);
    connect(ColorBox1, &QComboBox::activated, this, &TForm4::ColorBox1Select);
}

void TForm4::SetCaptions(const QString& caption, const QString& ok, const QString& cancel) {
    setWindowTitle(caption);
    BitBtn1->setText(ok);
    BitBtn2->setText(cancel);
}

int TForm4::CustomEntryIndex() const {
    return ColorBox1->count() - 1;
}

int TForm4::FindColor(TColor value) const {
    for (int index = 0; index < CustomEntryIndex(); ++index)
        if (ColorBox1->itemData(index).toUInt() == value)
            return index;
    return -1;
}

int TForm4::SetUnnamedColor(TColor value) {
    // One entry serves every unnamed colour, so repeated custom picks do not grow the list.
    if (!HasUnnamedEntry) {
        ColorBox1->insertItem(CustomEntryIndex(), QString());
        HasUnnamedEntry = true;
    }
    const int index = CustomEntryIndex() - 1;
    ColorBox1->setItemText(index, PickerLabel(value));
    ColorBox1->setItemData(index, QVariant::fromValue<uint>(value));
    ColorBox1->setItemIcon(index, Swatch(value, ColorBox1->iconSize(), palette()));
    return index;
}

void TForm4::Preselect(TColor value) {
    int index = FindColor(value);
    if (index < 0)
        index = SetUnnamedColor(value);
    ColorBox1->setCurrentIndex(index);
}

TColor TForm4::SelectedColor() const {
    int index = ColorBox1->currentIndex();
    if (index < 0 || index == CustomEntryIndex())
        index = LastColorIndex;
    return static_cast<TColor>(ColorBox1->itemData(index).toUInt());
}

void TForm4::ColorBox1IndexChanged(int index) {
    if (index >= 0 && index != CustomEntryIndex())
        LastColorIndex = index;
}

void TForm4::ColorBox1Select(int index) {
    if (index != CustomEntryIndex())
        return;
    QColor initial =
        ResolveColor(static_cast<TColor>(ColorBox1->itemData(LastColorIndex).toUInt()));
    if (!initial.isValid() || initial.alpha() == 0)
        initial = QColor(Qt::white);
    std::optional<QColor> chosen;
    if (PickCustomColor)
        chosen = PickCustomColor(initial);
    if (!chosen || !chosen->isValid()) {
        ColorBox1->setCurrentIndex(LastColorIndex);
        return;
    }
    // The dialog's colour is always a plain one, whatever alpha it carries.
    QColor opaque = *chosen;
    opaque.setAlpha(255);
    Preselect(FromQColor(opaque));
}

void TForm4::BitBtn1Click() {
    const std::string text = ColorToText(SelectedColor());
    if (ApplyColor)
        ApplyColor(ColorTarget, text);
    accept();
}

void TForm4::BitBtn2Click() {
    reject();
}

void TForm4::RefreshSwatches() {
    for (int index = 0; index < CustomEntryIndex(); ++index)
        ColorBox1->setItemIcon(index,
                               Swatch(static_cast<TColor>(ColorBox1->itemData(index).toUInt()),
                                      ColorBox1->iconSize(), palette()));
}

void TForm4::changeEvent(QEvent* event) {
    // System colour swatches follow the palette.
    if (event->type() == QEvent::PaletteChange)
        RefreshSwatches();
    QDialog::changeEvent(event);
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace tw
