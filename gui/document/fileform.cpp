#include "gui/document/fileform.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
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
    // The design width is the least; a longer caption (another language) widens it.
    button->setProperty("designWidth", w);
    return button;
}

// Gives `button` the width its caption needs, never less than its design width.
int FitButton(QPushButton* button) {
    const int width = std::max(button->property("designWidth").toInt(), button->sizeHint().width());
    button->resize(width, button->height());
    return width;
}

// Completes paths as the file system model does, with a relative path taken from the
// folder the chooser shows and "~" as the home folder, as the path field reads them.
class FolderCompleter : public QCompleter {
  public:
    FolderCompleter(QAbstractItemModel* model, const QString* folder, QObject* parent)
        : QCompleter(model, parent), Folder(folder) {}
    QStringList splitPath(const QString& path) const override {
        QString full = path;
        if (full == QStringLiteral("~") || full.startsWith(QStringLiteral("~/")))
            full = QDir::homePath() + full.mid(1);
        else if (!full.isEmpty() && QDir::isRelativePath(full) && !Folder->isEmpty())
            full = *Folder + QLatin1Char('/') + full;
        return QCompleter::splitPath(full);
    }

  private:
    const QString* Folder;
};

// Design sizes of the window's panels and of the controls placed against its right edge.
constexpr int TopPanelHeight = 49;
constexpr int HintTop = 28;
constexpr int FilterWidth = 217;
constexpr int RightMargin = 15;
constexpr int Gap = 5;

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
    Panel1->setFixedHeight(TopPanelHeight);
    // Where a drive selector would be, a path field: this file system has no drives, and
    // a typed or pasted path is the quickest way to a folder far down the tree.
    PathEdit = new QLineEdit(Panel1);
    PathEdit->setObjectName(QStringLiteral("PathEdit"));
    PathEdit->setGeometry(0, 2, 404, 22);
    PathEdit->setPlaceholderText(AddedText("chooserpathhint"));
    PathEdit->installEventFilter(this);
    auto* pathModel = new QFileSystemModel(this);
    pathModel->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    pathModel->setRootPath(QString());
    auto* completer = new FolderCompleter(pathModel, &CurrentFolder, this);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    PathEdit->setCompleter(completer);
    FilterComboBox1 = new QComboBox(Panel1);
    FilterComboBox1->setGeometry(408, 2, FilterWidth, 22);
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
    // A double click, not "activated": Enter in the list already presses the default
    // button, and must not do it twice.
    connect(FL1, &QListWidget::itemDoubleClicked, this, [this] { FL1DoubleClick(); });
    // As in the desktop's own file dialogs.
    auto* toPath = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
    connect(toPath, &QShortcut::activated, this, [this] {
        PathEdit->setFocus(Qt::ShortcutFocusReason);
        PathEdit->selectAll();
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    for (int k = 1; k <= 5; ++k)
        connect(SelectButtons[static_cast<size_t>(k - 1)], &QPushButton::clicked, this,
                [this, k] { SelectButtonClick(k); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    // The folder to open in is chosen when the window first opens ("tabpath" is read at
    // start-up, the document's folder with the first load).
    LayOutPanels();
}

TForm3::~TForm3() = default;

QString TForm3::LanguageText(int index) const {
    return FromCp1252(Host.Text(index));
}

QString TForm3::AddedText(const char* name) const {
    return FromCp1252(Host.AddedText(name));
}

QString TForm3::Mask() const {
    return FilterComboBox1->currentData().toString();
}

void TForm3::PrepareSaveAs(const QString& fileName) {
    setWindowTitle(AddedText("saveascaption"));
    Edit1->setText(fileName);
    Edit1->show();
    BitBtn3->show();
    BitBtn3->setDefault(true);
    BitBtn1->hide();
    Label1->hide();
    for (QPushButton* button : SelectButtons)
        button->hide();
    Button6->hide();
    LayOutPanels();
}

void TForm3::PrepareSelect(const QString& hint) {
    const std::string mode = Host.CompareMode();
    if (mode == "compare" || mode == "combine")
        setWindowTitle(AddedText(mode == "compare" ? "comparecaption" : "combinecaption"));
    Label1->setText(hint);
    Label1->show();
    BitBtn1->hide();
    BitBtn3->hide();
    Edit1->hide();
    SelectButtons[0]->show();
    LayOutPanels();
}

bool TForm3::SetFolder(const QString& path) {
    QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    CurrentFolder = QDir::cleanPath(info.absoluteFilePath());
    PathEdit->setText(CurrentFolder);
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
    PathEdit->setText(CurrentFolder);
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
    PathEdit->setPlaceholderText(AddedText("chooserpathhint"));
    // The folder may have changed (or gone) while the window was closed.
    OpenStartFolder();
    RefreshFileList();
    LayOutPanels();
    // The arrow keys then walk the files, not the filter list.
    FL1->setFocus(Qt::OtherFocusReason);
}

void TForm3::OpenStartFolder() {
    if (!CurrentFolder.isEmpty() && QFileInfo(CurrentFolder).isDir()) {
        SetFolder(CurrentFolder); // brings it into view in the tree again
        return;
    }
    for (const std::string& folder : Host.OpeningFolders())
        if (SetFolder(PathText(folder)))
            return;
    SetFolder(QStringLiteral("/"));
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOutPanels();
}

void TForm3::LayOutPanels() {
    const int width = this->width();
    // Top: the path field takes what the filter list leaves; the hint wraps under them.
    const int filterLeft = std::max(width - RightMargin - FilterWidth, 160);
    FilterComboBox1->move(filterLeft, 2);
    PathEdit->resize(filterLeft - 4, PathEdit->height());
    // Without a hint the panel holds the path field and the filter list only.
    int top = Label1->isHidden() ? PathEdit->height() + 6 : TopPanelHeight;
    if (!Label1->isHidden()) {
        Label1->setWordWrap(true);
        const int labelWidth = std::max(width - 8, 100);
        const int labelHeight = Label1->heightForWidth(labelWidth);
        Label1->setGeometry(4, HintTop, labelWidth, labelHeight);
        top = std::max(top, HintTop + labelHeight + 2);
    }
    Panel1->setFixedHeight(top);

    // Bottom: each button as wide as its caption needs, left to right in design order,
    // Cancel against the right edge.
    // Hidden ones too: a mode shows them later without laying out again.
    const int loadWidth = FitButton(BitBtn1);
    const int saveWidth = FitButton(BitBtn3);
    const int goWidth = FitButton(Button6);
    int x = 4;
    if (!BitBtn1->isHidden())
        x = 4 + loadWidth + 7;
    if (!BitBtn3->isHidden())
        x = 4 + saveWidth + 7;
    Edit1->move(x, Edit1->y());
    if (!Edit1->isHidden())
        x += Edit1->width() + 7;
    int selectX = 4;
    for (QPushButton* button : SelectButtons) {
        button->move(selectX, button->y());
        selectX += FitButton(button) + Gap;
    }
    if (!SelectButtons[0]->isHidden()) {
        Button6->move(selectX, Button6->y());
        x = std::max(x, selectX + goWidth + Gap);
    }
    const int cancelWidth = FitButton(BitBtn2);
    BitBtn2->move(std::max(x + 8, width - cancelWidth - 13), BitBtn2->y());
    setMinimumWidth(x + 8 + cancelWidth + 13);
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
    LayOutPanels();
}

void TForm3::BitBtn1Click() {
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    LoadPath(PathOf(name));
}

void TForm3::LoadPath(const QString& path) {
    const std::string bytes = PathBytes(path);
    reject();
    Host.LoadSelected(bytes);
}

void TForm3::BitBtn2Click() {
    reject();
}

void TForm3::BitBtn3Click() {
    SaveAsIn(CurrentFolder, Edit1->text());
}

QString TForm3::SaveNameProblem(const QString& name) const {
    if (name.isEmpty())
        return AddedText("saveasnoname");
    const std::string shown = PathBytes(name);
    if (name.contains(QLatin1Char('/')) || name == QStringLiteral(".") ||
        name == QStringLiteral(".."))
        return FromCp1252(FormatText(Host.AddedText("saveasbadname"), {shown}));
    if (QFileInfo(PathOf(name)).isDir())
        return FromCp1252(FormatText(Host.AddedText("saveasfolder"), {shown}));
    return {};
}

void TForm3::SaveAsIn(const QString& folder, const QString& name) {
    if (folder != CurrentFolder)
        SetFolder(folder);
    // The window stays open on a name that cannot be saved to, so it can be corrected.
    const QString problem = SaveNameProblem(name);
    if (!problem.isEmpty()) {
        std::string text;
        Host.ShowMessage(ToCp1252(problem, text) ? text : PathBytes(problem));
        return;
    }
    Host.SaveAs(PathBytes(CurrentFolder), PathBytes(name));
    reject();
}

void TForm3::FL1Click() {
    if (Edit1->isHidden() || FL1->count() == 0)
        return;
    const QString name = SelectedName();
    if (!name.isEmpty())
        Edit1->setText(name);
}

void TForm3::FL1DoubleClick() {
    const QString name = SelectedName();
    if (!name.isEmpty())
        MainAction(PathOf(name));
}

int TForm3::NextSelectButton() const {
    for (int k = 1; k <= 5; ++k) {
        const QPushButton* button = SelectButtons[static_cast<size_t>(k - 1)];
        if (!button->isHidden() && button->isEnabled())
            return k;
    }
    return 0;
}

void TForm3::MainAction(const QString& path) {
    const QFileInfo info(path);
    if (!Edit1->isHidden()) {
        SaveAsIn(QDir::cleanPath(info.absolutePath()), info.fileName());
    } else if (!SelectButtons[0]->isHidden()) {
        if (const int k = NextSelectButton())
            PickFile(k, path);
    } else {
        SetFolder(info.absolutePath()); // "tabpath" is the folder of the file loaded
        LoadPath(PathOf(info.fileName()));
    }
}

void TForm3::PathEntered(const QString& typed) {
    QString path = typed;
    if (path == QStringLiteral("~") || path.startsWith(QStringLiteral("~/")))
        path = QDir::homePath() + path.mid(1);
    if (path.isEmpty())
        return;
    if (QDir::isRelativePath(path))
        path = PathOf(path);
    path = QDir::cleanPath(path);
    const QFileInfo info(path);
    if (info.isDir()) {
        SetFolder(path);
        FL1->setFocus(Qt::OtherFocusReason);
        return;
    }
    const bool saving = !Edit1->isHidden();
    if (info.isFile() || (saving && QFileInfo(info.absolutePath()).isDir())) {
        MainAction(path);
        return;
    }
    Host.ShowMessage(FormatText(Host.AddedText("nosuchpath"), {PathBytes(path)}));
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PathEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Taken here, so the dialog's default button does not act on the list too.
            PathEntered(PathEdit->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm3::SelectButtonClick(int k) {
    if (k < 1 || k > 5)
        return;
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    PickFile(k, PathOf(name));
}

void TForm3::PickFile(int k, const QString& pathText) {
    const std::string path = PathBytes(pathText);
    // The extensions must match exactly, upper and lower case told apart.
    if (k > 1 && ExtensionPart(path) != ExtensionPart(Host.SelectedFile(1))) {
        Host.ShowMessage(Host.Text(157));
        return;
    }
    Host.SetSelectedFile(k, path);
    QPushButton* button = SelectButtons[static_cast<size_t>(k - 1)];
    button->setText(QFileInfo(pathText).fileName());
    button->setEnabled(false);
    if (k < 5)
        SelectButtons[static_cast<size_t>(k)]->show();
    if (k == 2)
        Button6->show();
    LayOutPanels();
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
