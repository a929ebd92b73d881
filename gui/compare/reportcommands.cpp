// The last compare or combine run in the grid: a report line chosen in the report area,
// Next Difference and Previous Difference, and the markers on the cells the report names.

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <functional>

#include "core/app/text.h"
#include "gui/app/cp1252.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

// Double-click or Enter on a line of the report area. Anything else, and a line that is
// no report line, goes on to the text area as usual (Enter then breaks the line).
class ReportLineWatcher : public QObject {
  public:
    ReportLineWatcher(QPlainTextEdit* memo, std::function<bool(int line)> chosen)
        : QObject(memo), Memo(memo), Chosen(std::move(chosen)) {
        Memo->installEventFilter(this);
        Memo->viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == Memo->viewport() && event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                return Chosen(Memo->cursorForPosition(mouse->position().toPoint()).blockNumber());
        } else if (watched == Memo && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                modifiers == Qt::NoModifier)
                return Chosen(Memo->textCursor().blockNumber());
        }
        return false;
    }

  private:
    QPlainTextEdit* Memo;
    std::function<bool(int)> Chosen;
};

bool OnlyInAnotherFile(ReportKind kind) {
    return kind == ReportKind::OnlyInOther || kind == ReportKind::OnlyInOtherByText;
}

} // namespace

void TForm1::BuildReportMenuItems() {
    Edit1->addSeparator()->setObjectName(QStringLiteral("NReport"));
    NextDifference1 = Edit1->addAction(FromCp1252(Editor.Language.Added("nextdifference")));
    NextDifference1->setObjectName(QStringLiteral("NextDifference1"));
    NextDifference1->setShortcut(QKeySequence(Qt::Key_F8));
    PreviousDifference1 = Edit1->addAction(FromCp1252(Editor.Language.Added("previousdifference")));
    PreviousDifference1->setObjectName(QStringLiteral("PreviousDifference1"));
    PreviousDifference1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8));
}

void TForm1::SetReportCaptions() {
    NextDifference1->setText(FromCp1252(Editor.Language.Added("nextdifference")));
    PreviousDifference1->setText(FromCp1252(Editor.Language.Added("previousdifference")));
}

void TForm1::ConnectReportCommands() {
    ConnectMenuItem(NextDifference1, &TForm1::NextDifference1Click);
    ConnectMenuItem(PreviousDifference1, &TForm1::PreviousDifference1Click);
    SG1->CellMarked = [this](int row, int dataCol) { return ReportCellMarked(row, dataCol); };
    new ReportLineWatcher(Memo1, [this](int line) { return ReportLineChosen(line); });
}

void TForm1::ShowReportRun() {
    ReportIndex = -1;
    Markers.Build(Editor.LastReport);
    // The report lines stay exactly as they are; the warning goes to the status bar.
    const std::string warning = DuplicateKeysStatus(Editor.Language, Editor.LastReport);
    if (!warning.empty())
        FeedbackShown->SetStatus(warning);
}

bool TForm1::ReportCellMarked(int row, int dataCol) const {
    // A load clears the records; the markers go with them.
    if (Editor.LastReport.Empty() || Markers.Empty())
        return false;
    return Markers.Marked(Editor.SG1().Cell(0, row), dataCol);
}

bool TForm1::ReportLineChosen(int line) {
    const ReportRun& run = Editor.LastReport;
    if (line < 0 || line >= run.LineCount())
        return false;
    const int index = run.DuplicateKeyCount() + line;
    // The area may show something else by now: a variable list, or the user's typing.
    const QTextBlock block = Memo1->document()->findBlockByNumber(line);
    if (!block.isValid() ||
        block.text() !=
            FromCp1252(ReportLine(Editor.Language, run.Record(static_cast<size_t>(index)))))
        return false;
    GoToReportRecord(index);
    return true;
}

void TForm1::NextDifference1Click() {
    // The walk ends in the grid anyway: no detour of the focus through the header-set list,
    // which would repaint the grid twice a step.
    SG1->EndCellEdit();
    const int count = static_cast<int>(Editor.LastReport.Count());
    if (count == 0)
        FeedbackShown->SetStatus(Editor.Language.Added("reportnone"));
    else if (ReportIndex + 1 >= count)
        FeedbackShown->SetStatus(Editor.Language.Added("reportend"));
    else
        GoToReportRecord(ReportIndex + 1);
}

void TForm1::PreviousDifference1Click() {
    SG1->EndCellEdit();
    const int count = static_cast<int>(Editor.LastReport.Count());
    if (count == 0)
        FeedbackShown->SetStatus(Editor.Language.Added("reportnone"));
    else if (ReportIndex == 0)
        FeedbackShown->SetStatus(Editor.Language.Added("reportstart"));
    else // before the first step, the walk back starts at the end
        GoToReportRecord(ReportIndex < 0 || ReportIndex > count ? count - 1 : ReportIndex - 1);
}

void TForm1::GoToReportRecord(int index) {
    const ReportRun& run = Editor.LastReport;
    const LanguageTable& language = Editor.Language;
    const ReportRecord record = run.Record(static_cast<size_t>(index));
    ReportIndex = index;
    const std::string file = FileNamePart(run.FileOf(record.Slot));
    const bool line = IsReportLine(record.Kind);
    std::string status = FormatText(
        language.Added("reportposition"),
        {std::to_string(index + 1), std::to_string(run.Count()),
         line ? ReportLine(language, record) : DuplicateKeyWarning(language, record, file)});

    const ReportPlace place = LocateRecord(Editor.SG1(), record);
    if (place.Where == ReportPlace::Cell || place.Where == ReportPlace::HiddenColumn) {
        // As Find shows a match: current, in view, its editor open.
        SG1->EndCellEdit();
        SG1->SetCurrentCell(place.Row, place.Column);
        TTextGrid& grid = Editor.SG1();
        grid.SetRow(place.Row);
        grid.SetCol(place.Column);
        SG1->setFocus();
        SG1->BeginCellEdit();
    }
    switch (place.Where) {
    case ReportPlace::Cell:
        break;
    case ReportPlace::HiddenColumn:
        status += " " + FormatText(language.Added("reporthiddencolumn"), {record.Header});
        break;
    case ReportPlace::HiddenRow:
        status += " " + FormatText(language.Added("reporthiddenrow"), {record.Key});
        break;
    case ReportPlace::OnlyElsewhere:
        status += " " + (OnlyInAnotherFile(record.Kind)
                             ? FormatText(language.Added("reportonlyelsewhere"), {record.Key, file})
                             : FormatText(language.Added("reportnorow"), {record.Key}));
        break;
    }
    FeedbackShown->SetStatus(status);

    // The line stands out in the report area while that still shows the report.
    if (!line)
        return;
    const int lineNumber = index - run.DuplicateKeyCount();
    QTextBlock block = Memo1->document()->findBlockByNumber(lineNumber);
    if (!block.isValid() || block.text() != FromCp1252(ReportLine(language, record)))
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Memo1->setTextCursor(cursor);
    Memo1->ensureCursorVisible();
}

} // namespace tw
