#include "gui/app/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app/languagefolders.h"
#include "gui/app/aboutbox.h"
#include "gui/app/guifeedback.h"
#include "gui/app/languageform.h"
#include "gui/app/prompts.h"
#include "gui/app/windows.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {
constexpr int MaximumPointSize = 256;
constexpr int MaximumPanelHeight = 10000;
constexpr int ToggleDesignWidth = 75;
constexpr int Panel2DesignWidth = 269;

std::string ProgramFolder() {
    QByteArray folder = QFile::encodeName(QCoreApplication::applicationDirPath());
    std::string path(folder.constData(), static_cast<size_t>(folder.size()));
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}
} // namespace

TForm1::TForm1(const std::string& exeFolder, Prompts* prompts, QWidget* parent)
    : QMainWindow(parent), PromptsUsed(prompts) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Orlendt's Ashmere Quillmark"));
    resize(800, 480);
    QFont designFont(QStringLiteral("Arial"));
    designFont.setPointSize(8);
    setFont(designFont);

    if (!PromptsUsed) {
        OwnPrompts = std::make_unique<DialogPrompts>(this);
        PromptsUsed = OwnPrompts.get();
    }
    // The language window and the first start-up step already look in the program's
    // folder, so it is known from the start, not only from the step that names it.
    Editor.ExeFolder = exeFolder.empty() ? ProgramFolder() : exeFolder;
    if (Editor.ExeFolder.back() != '/')
        Editor.ExeFolder += '/';
    Editor.UserLanguageFolder = DefaultUserLanguageFolder();

    BuildLayout();
    BuildMenus();
    BuildPopupMenus();
    BuildRecentFilesMenu();
    BuildFindReplace();

    GuiFeedback::Widgets widgets;
    widgets.Window = this;
    widgets.StatusArea = Panel3;
    widgets.StatusPanel = StatusPanel;
    widgets.ProgressBar1 = ProgressBar1;
    widgets.Memo1 = Memo1;
    widgets.SG1 = SG1;
    FeedbackShown = std::make_unique<GuiFeedback>(widgets, *PromptsUsed);

    SG1->SetDocument(&Editor);
    SG1->RunModal = [this](QDialog& window) { ExecModal(window); };
    Editor.Measure = SG1->Measure();

    CreateWindows();
    ConnectHandlers();
    ShowDocumentState();
}

TForm1::~TForm1() {
    // The grid view refers to the editor state, which goes before the child widgets
    // do; the view goes first, and tells this half-destroyed window nothing on its way.
    QObject::disconnect(SG1, nullptr, this, nullptr);
    Editor.History.Changed = nullptr;
    delete SG1;
    SG1 = nullptr;
}

void TForm1::BuildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(110);
    auto* top = new QHBoxLayout(Panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);

    Panel2 = new QWidget(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(269);
    ComboBox1 = new QComboBox(Panel2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(0, 0, 193, 22);
    ComboBox1->setMaxVisibleItems(10);
    ComboBox1->addItem(QStringLiteral("Select Shown Headers"));
    Button2 = new QPushButton(QStringLiteral("Toggle -->"), Panel2);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(194, 0, 75, 21);
    ComboBox2 = new QComboBox(Panel2);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(2, 24, 267, 22);
    ComboBox2->setMaxVisibleItems(10);
    ComboBox2->addItem(QStringLiteral("Select Variable List"));
    // Held at the left: with the text area closed the lists and the toggle button stay
    // where the user has them, instead of drifting to the middle of the window.
    top->addWidget(Panel2, 0, Qt::AlignLeft);

    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont memoFont(QStringLiteral("Arial"));
    memoFont.setPointSize(8);
    Memo1->setFont(memoFont);
    top->addWidget(Memo1, 1);
    column->addWidget(Panel1);

    SG1 = new GridView(central);
    SG1->setObjectName(QStringLiteral("SG1"));
    column->addWidget(SG1, 1);

    Panel3 = new QFrame(central);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(20);
    auto* status = new QHBoxLayout(Panel3);
    status->setContentsMargins(0, 0, 0, 0);
    status->setSpacing(0);
    StatusPanel = new QLabel(Panel3);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    StatusPanel->setFixedWidth(300);
    StatusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status->addWidget(StatusPanel);
    ProgressPanel = new QFrame(Panel3);
    ProgressPanel->setObjectName(QStringLiteral("ProgressPanel"));
    ProgressPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* progress = new QHBoxLayout(ProgressPanel);
    progress->setContentsMargins(1, 1, 1, 1);
    ProgressBar1 = new QProgressBar(ProgressPanel);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    progress->addWidget(ProgressBar1);
    status->addWidget(ProgressPanel, 1);
    // The document's name, and whether it has changes not yet saved; the window title
    // stays the program's own.
    DocumentPanel = new QLabel(Panel3);
    DocumentPanel->setObjectName(QStringLiteral("DocumentPanel"));
    DocumentPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    DocumentPanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    DocumentPanel->setMinimumWidth(120);
    status->addWidget(DocumentPanel);
    column->addWidget(Panel3);

    setCentralWidget(central);
    FitTopPanel();
}

void TForm1::FitTopPanel() {
    // Design sizes are the least; a language with a longer "Toggle" caption widens the
    // button, and the panel and the list under it grow with it.
    const int buttonWidth = std::max(ToggleDesignWidth, Button2->sizeHint().width());
    Button2->resize(buttonWidth, Button2->height());
    const int panelWidth = std::max(Panel2DesignWidth, Button2->x() + buttonWidth);
    Panel2->setFixedWidth(panelWidth);
    ComboBox2->resize(panelWidth - ComboBox2->x(), ComboBox2->height());
}

void TForm1::CreateWindows() {
    // The order is the program's: About, file chooser, colour window, language window.
    AboutBox = new TAboutBox(this);
    Form3 = CreateFileChooser(*this);
    Form4 = CreateColorWindow(*this);
    lngform = new Tlngform(this);
    lngform->ActiveFile = [this] { return Editor.LanguageFile; };
    lngform->SetUserFolder(Editor.UserLanguageFolder);
    lngform->SetFolder(Editor.ExeFolder);
}

int TForm1::ExecModal(QDialog& window) {
    return window.exec();
}

void TForm1::OpenDocument(const std::string& path) {
    QByteArray raw(path.data(), static_cast<qsizetype>(path.size()));
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(raw)));
}

void TForm1::PrepareCommand() {
    ComboBox1->setFocus();
    SG1->EndCellEdit();
}

int TForm1::BoundedPointSize(int size) {
    if (size <= 0) {
        int platform = QApplication::font().pointSize();
        return platform > 0 ? platform : 9;
    }
    return std::min(size, MaximumPointSize);
}

int TForm1::BoundedPanelHeight(int height) {
    return std::clamp(height, 0, MaximumPanelHeight);
}

void TForm1::ApplyFontSize(int size) {
    int points = BoundedPointSize(size);
    QFont memoFont = Memo1->font();
    memoFont.setPointSize(points);
    Memo1->setFont(memoFont);
    SG1->SetFontPointSize(points);
    Editor.Measure = SG1->Measure();
}

void TForm1::SetPanelHeight(int height) {
    Panel1->setFixedHeight(BoundedPanelHeight(height));
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Some window systems never report the first activation (no window manager, or
    // one that does not give the focus): the start-up sequence then runs once the
    // window is on screen. It runs only once whichever comes first.
    if (!ActivatedFlag)
        QMetaObject::invokeMethod(this, &TForm1::FormActivate, Qt::QueuedConnection);
}

} // namespace tw
