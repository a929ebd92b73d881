#include "gui/app/guifeedback.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <algorithm>

#include "gui/app/cp1252.h"
#include "gui/app/prompts.h"
#include "gui/grid/gridview.h"

namespace tw {

// Sits in front of every event of the program while long work runs. The work's own handler
// has not returned, so a click or key reaching the window would start a command in the
// middle of another one: they are dropped. Escape is noted instead. The grid is not painted
// while its rows are moving underneath it. A box the work itself opens gets its input as
// usual; the dialog the work was started from (the File chooser) does not, or Escape
// would close it in the middle of the run.
class GuiFeedback::InputGate : public QObject {
  public:
    explicit InputGate(QWidget* grid) : Grid(grid), ModalBefore(QApplication::activeModalWidget()) {
        qApp->installEventFilter(this);
    }
    ~InputGate() override { qApp->removeEventFilter(this); }
    InputGate(const InputGate&) = delete;
    InputGate& operator=(const InputGate&) = delete;

    bool Asked = false;

    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            return Grid && target->isWidgetType() &&
                   (target == Grid || Grid->isAncestorOf(static_cast<QWidget*>(target)));
        if (!HeldBack(event->type()))
            return false;
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != ModalBefore)
            return false;
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            Asked = true;
        return true;
    }

  private:
    static bool HeldBack(QEvent::Type type) {
        switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }

    QWidget* Grid;
    QWidget* ModalBefore;
};

GuiFeedback::GuiFeedback(const Widgets& widgets, Prompts& prompts) : W(widgets), Boxes(prompts) {}

GuiFeedback::~GuiFeedback() {
    SetBusy(false);
}

void GuiFeedback::BeginLongWork(const QString& progressFormat) {
    if (Gate)
        return;
    // The grid is not painted while the work runs (its rows are in motion); the picture,
    // taken before the gate holds its paints back, keeps the window looking as it did.
    if (W.SG1 && W.SG1->isVisible() && W.SG1->parentWidget()) {
        Cover = new QLabel(W.SG1->parentWidget());
        Cover->setPixmap(W.SG1->grab());
        Cover->setGeometry(W.SG1->geometry());
        Cover->show();
        Cover->raise();
    }
    Gate = std::make_unique<InputGate>(W.SG1);
    SinceLook.invalidate();
    if (W.ProgressBar1) {
        ProgressFormatBefore = W.ProgressBar1->format();
        ProgressTextBefore = W.ProgressBar1->isTextVisible();
        W.ProgressBar1->setFormat(progressFormat);
        W.ProgressBar1->setTextVisible(true);
    }
}

void GuiFeedback::EndLongWork() {
    if (!Gate)
        return;
    FlushReport();
    Gate.reset();
    delete Cover;
    Cover = nullptr;
    if (W.ProgressBar1) {
        W.ProgressBar1->setFormat(ProgressFormatBefore);
        W.ProgressBar1->setTextVisible(ProgressTextBefore);
    }
}

bool GuiFeedback::Cancelled() {
    if (!Gate)
        return false;
    // Looking costs a pass through the event queue; a tenth of a second keeps the progress
    // bar moving at least five times a second and costs the work almost nothing.
    if (!Gate->Asked && (!SinceLook.isValid() || SinceLook.elapsed() >= 100)) {
        SinceLook.start();
        FlushReport();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return Gate->Asked;
}

void GuiFeedback::SetStatus(const std::string& text) {
    if (!W.StatusPanel)
        return;
    // A cell may hold megabytes: the panel shows one line of what fits, and only that
    // much is converted and measured.
    std::string_view shown = text;
    shown = shown.substr(0, std::min(shown.find_first_of("\r\n"), shown.size()));
    const int width = W.StatusPanel->width();
    const size_t enough = static_cast<size_t>(std::max(width, 256)) * 2;
    const bool cut = shown.size() > enough;
    QString line = FromCp1252(std::string(shown.substr(0, enough)));
    if (cut)
        line += QChar(0x2026);
    // Only a cut cell is elided: a message of the program keeps all its words.
    if (width > 0 && cut)
        line = W.StatusPanel->fontMetrics().elidedText(line, Qt::ElideRight, width);
    W.StatusPanel->setText(line);
    // A message wider than the panel is read whole by pointing at it.
    const bool clipped = width > 0 && W.StatusPanel->fontMetrics().horizontalAdvance(line) > width;
    W.StatusPanel->setToolTip(clipped ? line : QString());
}

void GuiFeedback::SetProgressMax(int maximum) {
    // An empty table asks for a maximum of -1; the bar keeps 0 as its minimum.
    if (W.ProgressBar1)
        W.ProgressBar1->setRange(0, maximum < 0 ? 0 : maximum);
}

int GuiFeedback::ProgressMaximum() const {
    return W.ProgressBar1 ? W.ProgressBar1->maximum() : 0;
}

void GuiFeedback::SetProgress(int position) {
    if (!W.ProgressBar1)
        return;
    // QProgressBar ignores a value outside its range; a position past the end shows a
    // full bar instead, as a finished operation should.
    int clamped = std::clamp(position, W.ProgressBar1->minimum(), W.ProgressBar1->maximum());
    W.ProgressBar1->setValue(clamped);
}

void GuiFeedback::Refresh() {
    // Long operations run inside one handler without returning to the event loop, so
    // the status area is painted at once rather than scheduled.
    if (W.StatusArea)
        W.StatusArea->repaint();
    if (W.Window)
        W.Window->update();
}

void GuiFeedback::SetBusy(bool busy) {
    if (busy == BusyShown)
        return;
    BusyShown = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void GuiFeedback::ShowMessage(const std::string& text) {
    // A message must be readable and answerable: the busy cursor would hide that the
    // program is waiting for the user. It comes back after the box is closed.
    bool wasBusy = BusyShown;
    SetBusy(false);
    FlushReport(); // the lines before the box come before it
    Boxes.MessageBox(text);
    SetBusy(wasBusy);
}

void GuiFeedback::AppendReport(const std::string& line) {
    if (!W.Memo1)
        return;
    // A run may write hundreds of thousands of lines; adding them to the text area one by
    // one costs far more than the run itself. While long work runs they are collected and
    // added together each time the window is brought up to date.
    if (Gate) {
        if (!PendingReport.isEmpty())
            PendingReport += QLatin1Char('\n');
        PendingReport += FromCp1252(line);
        return;
    }
    W.Memo1->appendPlainText(FromCp1252(line));
}

void GuiFeedback::FlushReport() {
    if (PendingReport.isEmpty() || !W.Memo1)
        return;
    W.Memo1->appendPlainText(PendingReport);
    PendingReport.clear();
}

void GuiFeedback::ClearReport() {
    PendingReport.clear();
    if (W.Memo1)
        W.Memo1->clear();
}

void GuiFeedback::EndCellEdit() {
    if (W.SG1)
        W.SG1->EndCellEdit();
}

bool GuiFeedback::ReportVisible() {
    return W.Memo1 && !W.Memo1->isHidden();
}

void GuiFeedback::ShowReportPanel() {
    if (ShowReportPanelCommand)
        ShowReportPanelCommand();
}

void GuiFeedback::SetChooserFolder(const std::string& folder) {
    if (ChooserFolderCommand)
        ChooserFolderCommand(folder);
}

} // namespace tw
