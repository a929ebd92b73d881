#include "gui/grid/longcellform.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/cp1252.h"

namespace tw {

namespace {

// The document keeps its blocks apart with this character; it is what a shown line
// break becomes inside the document and in a selection.
constexpr QChar BlockBreak = QChar::ParagraphSeparator;

bool InCodePage(const QString& text) {
    std::string bytes;
    return ToCp1252(text, bytes);
}

} // namespace

LongCellEdit::LongCellEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Tab would put a field break into the cell; it moves to the buttons instead.
    setTabChangesFocus(true);
    // The standard menu offers Unicode control characters, which no cell can hold.
    setContextMenuPolicy(Qt::NoContextMenu);
}

QString LongCellEdit::WithSoftBreaks(const QString& text) {
    QString shown;
    shown.reserve(text.size() + text.size() / SoftBreakEvery + 1);
    qsizetype from = 0;
    while (text.size() - from > SoftBreakEvery) {
        // After a space near the end of the piece, when there is one, so words stay whole.
        qsizetype end = from + SoftBreakEvery;
        const qsizetype space = text.lastIndexOf(QLatin1Char(' '), end - 1);
        if (space >= end - SoftBreakEvery / 5)
            end = space + 1;
        shown.append(QStringView(text).mid(from, end - from));
        shown.append(QLatin1Char('\n'));
        from = end;
    }
    shown.append(QStringView(text).mid(from));
    return shown;
}

QString LongCellEdit::WithoutSoftBreaks(QString text) {
    text.remove(BlockBreak);
    text.remove(QLatin1Char('\n'));
    return text;
}

void LongCellEdit::SetCellText(const QString& text) {
    setPlainText(WithSoftBreaks(text));
    document()->setModified(false);
}

QString LongCellEdit::CellText() const {
    // The raw text: toPlainText() would turn no-break spaces into spaces.
    return WithoutSoftBreaks(document()->toRawText());
}

void LongCellEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // With any modifier: Shift+Enter would put in a line break of its own.
        event->accept();
        if (Submit)
            Submit();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !InCodePage(text)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LongCellEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || !MayInsert || MayInsert(commit)) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&withoutCommit);
}

bool LongCellEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void LongCellEdit::insertFromMimeData(const QMimeData* source) {
    // Paste, drop and the middle button all come here.
    if (!source->hasText())
        return;
    const QString text = source->text();
    if (text.isEmpty() || (MayInsert && !MayInsert(text)))
        return;
    // A long pasted text gets shown line breaks of its own, as the cell's text did.
    textCursor().insertText(WithSoftBreaks(text));
    ensureCursorVisible();
}

QMimeData* LongCellEdit::createMimeDataFromSelection() const {
    auto* copied = new QMimeData;
    copied->setText(WithoutSoftBreaks(textCursor().selectedText()));
    return copied;
}

LongCellForm::LongCellForm(QWidget* parent, const QString& caption, const QString& hint)
    : QDialog(parent) {
    setObjectName(QStringLiteral("LongCellForm"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* hintLabel = new QLabel(hint, this);
    hintLabel->setWordWrap(true);
    layout->addWidget(hintLabel);
    Edit = new LongCellEdit(this);
    Edit->Submit = [this] { accept(); };
    layout->addWidget(Edit, 1);
    Refusal = new QLabel(this);
    Refusal->setWordWrap(true);
    Refusal->hide();
    layout->addWidget(Refusal);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LongCellForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LongCellForm::reject);
    layout->addWidget(buttons);
    resize(720, 480);
    Edit->setFocus();
}

void LongCellForm::ShowRefusal(const QString& message) {
    Refusal->setText(message);
    Refusal->setVisible(!message.isEmpty());
}

QString LongCellForm::RefusalShown() const {
    return Refusal->text();
}

void LongCellForm::accept() {
    if (!Edit->isReadOnly() && Edit->document()->isModified() && Store && !Store(Edit->CellText()))
        return;
    QDialog::accept();
}

} // namespace tw
