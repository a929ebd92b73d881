#include "gui/document/fileform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/app/text.h"
#include "core/document/fileformat.h"
#include "gui/app/cp1252.h"
#include "gui/document/filechooserhost.h"

namespace tw {

namespace {

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, int x, int y, int w, int h) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(x, y, w, h);
    return button;
}

// Restores the normal cursor however the batch run ends.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

TForm3::TForm3(FileChooserHost& host, QWidget* parent) : QDialog(parent), Host(host) {
    setWindowTitle(QStringLiteral("Select The File You Wish To Load"));
    resize(640, 480);
    setModal(true);

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(49);
    FilterComboBox1 = new QComboBox(Panel1);
    FilterComboBox1->setGeometry(408, 2, 217, 22);
    for (const tw::ChooserFilter& filter : tw::ChooserFilters())
        FilterComboBox1->addItem(FromCp1252(filter.Caption), FromCp1252(filter.Mask));
    FilterComboBox1->setCurrentIndex(0);
    Label1 = new QLabel(Panel1);
    Label1->move(4, 28);
    QFont hintFont = Label1->font();
    hintFont.setBold(true);
    hintFont.setPointSize(10);
    Label1->setFont(hintFont);
    QPalette hintPalette = Label1->palette();
    hintPalette.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(hintPalette);
    Label1->hide();

    FolderModel = new QFileSystemModel(this);
    FolderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    FolderModel->setRootPath(QStringLiteral("/"));
    DL1 = new QTreeView(this);
    DL1->setModel(FolderModel);
    for (int column = 1; column < FolderModel->columnCount(); ++column)
        DL1->hideColumn(column);
    DL1->header()->hide();
    FL1 = new QListWidget(this);
    FL1->setFixedWidth(228);
    FL1->setSelectionMode(QAbstractItemView::SingleSelection);

    Panel2 = new QWidget(this);
    Panel2->setFixedHeight(41);
    BitBtn1 = MakeButton(Panel2, QStringLiteral("&Load Selected"), 4, 8, 129, 25);
    BitBtn3 = MakeButton(Panel2, QStringLiteral("&Save As"), 4, 8, 129, 25);
    BitBtn3->hide();
    Edit1 = new QLineEdit(Panel2);
    Edit1->setGeometry(140, 10, 265, 21);
    Edit1->hide();
    for (int k = 0; k < 5; ++k) {
        SelectButtons[static_cast<size_t>(k)] =
            MakeButton(Panel2, QStringLiteral("Select %1").arg(k + 1), 4 + 80 * k, 8, 75, 25);
        SelectButtons[static_cast<size_t>(k)]->hide();
    }
    Button6 = MakeButton(Panel2, QStringLiteral("Go With Selected"), 404, 8, 121, 25);
    Button6->hide();
    BitBtn2 = MakeButton(Panel2, QStringLiteral("&Cancel"), 540, 12, 87, 25);
    BitBtn1->setDefault(true);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->addWidget(DL1, 1);
    middle->addWidget(FL1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addLayout(middle, 1);
    layout->addWidget(Panel2);

    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, [this] { RefreshFileList(); });
    connect(DL1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { FolderChosen(); });
    // The folder model fills in the background; bring the current folder into view once
    // its branch has arrived.
    connect(FolderModel, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (!CurrentFolder.startsWith(loaded))
            return;
        const QModelIndex index = FolderModel->index(CurrentFolder);
        if (!index.isValid())
            return;
        if (DL1->currentIndex() != index)
            DL1->setCurrentIndex(index);
        DL1->scrollTo(index);
    });
    connect(FL1, &QListWidget::itemClicked, this, [this] { FL1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    for (int k = 1; k <= 5; ++k)
        connect(SelectButtons[static_cast<size_t>(k - 1)], &QPushButton::clicked, this,
                [this, k] { SelectButtonClick(k); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });

    SetFolder(QDir::currentPath());
}

TForm3::~TForm3() = default;

QString TForm3::LanguageText(int index) const {
    return FromCp1252(Host.Text(index));
}

QString TForm3::Mask() const {
    return FilterComboBox1->currentData().toString();
}

void TForm3::PrepareSaveAs(const QString& fileName) {
    Edit1->setText(fileName);
    Edit1->show();
    BitBtn3->show();
    BitBtn3->setDefault(true);
    BitBtn1->hide();
    Label1->hide();
    for (QPushButton* button : SelectButtons)
        button->hide();
    Button6->hide();
}

void TForm3::PrepareSelect(const QString& hint) {
    Label1->setText(hint);
    Label1->adjustSize();
    Label1->show();
    BitBtn1->hide();
    BitBtn3->hide();
    Edit1->hide();
    SelectButtons[0]->show();
}

bool TForm3::SetFolder(const QString& path) {
    QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    CurrentFolder = QDir::cleanPath(info.absoluteFilePath());
    const QModelIndex index = FolderModel->index(CurrentFolder);
    if (index.isValid()) {
        DL1->setCurrentIndex(index); // FolderChosen sees the folder it already has
        DL1->scrollTo(index);
    }
    RefreshFileList();
    return true;
}

void TForm3::FolderChosen() {
    const QString path = FolderModel->filePath(DL1->currentIndex());
    if (path.isEmpty() || path == CurrentFolder)
        return;
    CurrentFolder = path;
    RefreshFileList();
}

void TForm3::RefreshFileList() {
    FL1->clear();
    QList<QRegularExpression> patterns;
    for (const QString& mask : Mask().split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(mask),
                                           QRegularExpression::CaseInsensitiveOption));
    const QStringList names =
        QDir(CurrentFolder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    QStringList shown;
    for (const QString& name : names)
        for (const QRegularExpression& pattern : patterns)
            if (pattern.match(name).hasMatch()) {
                shown.append(name);
                break;
            }
    FL1->addItems(shown);
}

QString TForm3::SelectedName() const {
    if (FL1->count() == 0)
        return {};
    const QList<QListWidgetItem*> selected = FL1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QString TForm3::PathOf(const QString& name) const {
    return CurrentFolder.endsWith(QLatin1Char('/')) ? CurrentFolder + name
                                                    : CurrentFolder + QLatin1Char('/') + name;
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TForm3::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TForm3::FormShow() {
    // The folder may have changed while the window was closed.
    RefreshFileList();
}

void TForm3::FormClose() {
    setWindowTitle(LanguageText(156));
    BitBtn1->show();
    BitBtn1->setDefault(true);
    BitBtn3->hide();
    BitBtn3->setDefault(false);
    Edit1->hide();
    const QString word = LanguageText(51);
    for (int k = 1; k <= 5; ++k) {
        QPushButton* button = SelectButtons[static_cast<size_t>(k - 1)];
        button->setText(word + QStringLiteral(" %1").arg(k));
        button->setEnabled(true);
        button->hide();
    }
    Button6->hide();
    Label1->hide();
    for (int k = 1; k <= 5; ++k)
        Host.SetSelectedFile(k, std::string());
}

void TForm3::BitBtn1Click() {
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    const std::string path = PathBytes(PathOf(name));
    reject();
    Host.LoadSelected(path);
}

void TForm3::BitBtn2Click() {
    reject();
}

void TForm3::BitBtn3Click() {
    Host.SaveAs(PathBytes(CurrentFolder), PathBytes(Edit1->text()));
    reject();
}

void TForm3::FL1Click() {
    if (Edit1->isHidden() || FL1->count() == 0)
        return;
    const QString name = SelectedName();
    if (!name.isEmpty())
        Edit1->setText(name);
}

void TForm3::SelectButtonClick(int k) {
    if (k < 1 || k > 5)
        return;
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    const std::string path = PathBytes(PathOf(name));
    // The extensions must match exactly, upper and lower case told apart.
    if (k > 1 && ExtensionPart(path) != ExtensionPart(Host.SelectedFile(1))) {
        Host.ShowMessage(Host.Text(157));
        return;
    }
    Host.SetSelectedFile(k, path);
    QPushButton* button = SelectButtons[static_cast<size_t>(k - 1)];
    button->setText(name);
    button->setEnabled(false);
    if (k < 5)
        SelectButtons[static_cast<size_t>(k)]->show();
    if (k == 2)
        Button6->show();
}

void TForm3::Button6Click() {
    Host.SetBatchActive(true);
    {
        BusyCursor busy;
        Host.ResetReportArea();
        try {
            const QString loading = LanguageText(61);
            for (int k = 1; k <= 5; ++k) {
                const std::string path = Host.SelectedFile(k);
                setWindowTitle(loading + QStringLiteral(" %1-").arg(k) + PathText(path));
                repaint();
                if (!SortsAtOrBelowBlank(path))
                    Host.LoadIntoSlot(path, k);
            }
            const std::string mode = Host.CompareMode();
            if (mode == "compare" || mode == "combine")
                Host.RunCompareOrCombine(mode);
        } catch (...) {
            // A failed load or run ends the batch quietly; the loader has said what it had to.
        }
    }
    Host.SetBatchActive(false);
    reject();
}

} // namespace tw
