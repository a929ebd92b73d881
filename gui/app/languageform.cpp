#include "gui/app/languageform.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/languagefolders.h"
#include "gui/app/windowplacement.h"

namespace tw {

namespace {
constexpr int FileNameRole = Qt::UserRole;
} // namespace

Tlngform::Tlngform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("lngform"));
    setWindowTitle(QStringLiteral("Language Selection"));
    resize(367, 480);

    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* bottomPanel = new QWidget(this);
    bottomPanel->setObjectName(QStringLiteral("Panel1"));
    BitBtn2 = new QPushButton(QStringLiteral("Close"), bottomPanel);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    auto* bottomLayout = new QHBoxLayout(bottomPanel);
    bottomLayout->addStretch();
    bottomLayout->addWidget(BitBtn2);
    bottomLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FileListBox1, 1);
    layout->addWidget(bottomPanel);

    // Escape closes the window through QDialog::reject, the same as the Close button.
    connect(FileListBox1, &QListWidget::itemClicked, this, &Tlngform::FileListBox1Click);
    connect(FileListBox1, &QListWidget::itemActivated, this, &Tlngform::FileListBox1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Tlngform::BitBtn2Click);
}

void Tlngform::SetFolder(const std::string& folder) {
    ListFolder = folder;
    RefreshList();
}

void Tlngform::RefreshList() {
    // A name in both folders is one entry; the user's file is the one that loads.
    const std::vector<std::string> names = LanguageFileNames(ListFolder, UserFolder);

    std::string active = ActiveFile ? ActiveFile() : std::string();
    FileListBox1->clear();
    int selected = names.empty() ? -1 : 0;
    for (size_t i = 0; i < names.size(); ++i) {
        QByteArray raw(names[i].data(), static_cast<qsizetype>(names[i].size()));
        auto* item = new QListWidgetItem(QFile::decodeName(raw), FileListBox1);
        item->setData(FileNameRole, raw);
        if (names[i] == active)
            selected = static_cast<int>(i);
    }
    // Selecting the entry only marks it; nothing is loaded until the user clicks.
    if (selected >= 0)
        FileListBox1->setCurrentRow(selected);
}

std::vector<std::string> Tlngform::FileNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < FileListBox1->count(); ++i) {
        QByteArray raw = FileListBox1->item(i)->data(FileNameRole).toByteArray();
        names.emplace_back(raw.constData(), static_cast<size_t>(raw.size()));
    }
    return names;
}

void Tlngform::FileListBox1Click(QListWidgetItem* item) {
    if (!item)
        return;
    QByteArray raw = item->data(FileNameRole).toByteArray();
    if (LanguageChosen)
        LanguageChosen(std::string(raw.constData(), static_cast<size_t>(raw.size())));
}

void Tlngform::BitBtn2Click() {
    reject();
}

void Tlngform::showEvent(QShowEvent* event) {
    RefreshList();
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

} // namespace tw
