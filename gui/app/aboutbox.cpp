#include "gui/app/aboutbox.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "gui/app/windowplacement.h"

namespace tw {

QPixmap ProgramIconPixmap() {
    // A little sheet of table cells with a dark header row and a green current cell,
    // in the sixteen classic colours.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(2, 3, 28, 26, Qt::white);
    painter.fillRect(2, 3, 28, 7, Qt::darkBlue);
    painter.fillRect(2, 3, 8, 26, Qt::darkGray);
    painter.fillRect(17, 17, 7, 5, Qt::green);
    painter.setPen(Qt::black);
    for (int x = 2; x <= 30; x += 7)
        painter.drawLine(x, 3, x, 29);
    for (int y = 3; y <= 29; y += 7)
        painter.drawLine(2, y, 30, y);
    painter.drawRect(2, 3, 28, 26);
    return pixmap;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(298, 213);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(8, 8, 282, 161);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, 65, 57);
    ProgramIcon->setPixmap(ProgramIconPixmap());
    ProgramIcon->setScaledContents(true);

    ProductName = new QLabel(QStringLiteral("Orlendt's Ashmere Tabwright"), panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(88, 16, 185, 49);
    ProductName->setWordWrap(true);

    Comments = new QLabel(QStringLiteral("Comments:"), panel);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setGeometry(8, 80, 265, 17);

    Label1 = new QLabel(panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 98, 265, 57);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 178, 75, 25);
    FitOkButton();
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::FitOkButton() {
    const int width = std::max(75, OKButton->sizeHint().width());
    OKButton->setGeometry((298 - width) / 2, 178, width, 25);
}

void TAboutBox::OKButtonClick() {
    accept();
}

void TAboutBox::showEvent(QShowEvent* event) {
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

} // namespace tw
