#include "gui/grid/findreplaceform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/cp1252.h"

namespace tw {

FindReplaceWindow::FindReplaceWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindReplaceWindow"));
    setModal(false);
    FindLabel = new QLabel(this);
    FindEdit = new QLineEdit(this);
    ReplaceLabel = new QLabel(this);
    ReplaceEdit = new QLineEdit(this);
    FindLabel->setBuddy(FindEdit);
    ReplaceLabel->setBuddy(ReplaceEdit);
    MatchCaseBox = new QCheckBox(this);
    WholeCellBox = new QCheckBox(this);
    CurrentColumnButton = new QRadioButton(this);
    WholeTableButton = new QRadioButton(this);
    WholeTableButton->setChecked(true);
    FindNextButton = new QPushButton(this);
    ReplaceButton = new QPushButton(this);
    ReplaceAllButton = new QPushButton(this);
    CloseButton = new QPushButton(this);
    FindNextButton->setDefault(true);

    // Layouts size every control to its caption, in every language.
    auto* fields = new QGridLayout;
    fields->addWidget(FindLabel, 0, 0);
    fields->addWidget(FindEdit, 0, 1);
    fields->addWidget(ReplaceLabel, 1, 0);
    fields->addWidget(ReplaceEdit, 1, 1);
    fields->addWidget(MatchCaseBox, 2, 1);
    fields->addWidget(WholeCellBox, 3, 1);
    fields->addWidget(CurrentColumnButton, 4, 1);
    fields->addWidget(WholeTableButton, 5, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {FindNextButton, ReplaceButton, ReplaceAllButton, CloseButton})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    FindEdit->setMinimumWidth(220);

    connect(FindNextButton, &QPushButton::clicked, this, [this] {
        if (FindNext)
            FindNext();
    });
    connect(ReplaceButton, &QPushButton::clicked, this, [this] {
        if (Replace)
            Replace();
    });
    connect(ReplaceAllButton, &QPushButton::clicked, this, [this] {
        if (ReplaceAll)
            ReplaceAll();
    });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

void FindReplaceWindow::SetCaptions(const std::function<QString(const char*)>& text) {
    setWindowTitle(text("replacecaption"));
    FindLabel->setText(text("replacefindwhat"));
    ReplaceLabel->setText(text("replacewith"));
    MatchCaseBox->setText(text("replacematchcase"));
    WholeCellBox->setText(text("replacewholecell"));
    CurrentColumnButton->setText(text("replacecurrentcolumn"));
    WholeTableButton->setText(text("replacewholetable"));
    FindNextButton->setText(text("replacefindnext"));
    ReplaceButton->setText(text("replaceone"));
    ReplaceAllButton->setText(text("replaceall"));
    CloseButton->setText(text("replaceclose"));
}

bool FindReplaceWindow::Options(ReplaceOptions& options) const {
    options = ReplaceOptions{};
    if (!ToCp1252(FindEdit->text(), options.FindWhat) ||
        !ToCp1252(ReplaceEdit->text(), options.ReplaceWith))
        return false;
    options.MatchCase = MatchCaseBox->isChecked();
    options.WholeCell = WholeCellBox->isChecked();
    return true;
}

} // namespace tw
