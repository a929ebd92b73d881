#include "gui/app/prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "gui/app/cp1252.h"

namespace tw {

QString Prompts::InputBox(const std::string& caption, const std::string& prompt,
                          const std::string& defaultAnswer) {
    return InputBox(FromCp1252(caption), FromCp1252(prompt), FromCp1252(defaultAnswer));
}

void Prompts::MessageBox(const std::string& text) {
    MessageBox(FromCp1252(text));
}

int TitleFittingWidth(const QFont& font, const QString& caption) {
    // The window manager draws the title in a font of its own, usually bold and a little
    // larger than the program's, beside an icon and three buttons: measure generously.
    QFont title = font;
    title.setBold(true);
    const QFontMetrics metrics(title);
    return metrics.horizontalAdvance(caption) * 5 / 4 + 8 * metrics.height();
}

QString DialogPrompts::InputBox(const QString& caption, const QString& prompt,
                                const QString& defaultAnswer) {
    QInputDialog box(Parent);
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(defaultAnswer);
    // Qt sizes the box to its prompt only; a longer caption was cut in the title bar.
    int width = TitleFittingWidth(box.font(), caption);
    if (const QScreen* screen = box.screen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    // The box's layout fixes its own least size; widening the answer field widens it.
    if (auto* field = box.findChild<QLineEdit*>())
        field->setMinimumWidth(
            std::max(field->minimumWidth(),
                     width - 2 * box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin)));
    const bool accepted = box.exec() == QDialog::Accepted;
    return accepted ? box.textValue() : defaultAnswer;
}

void DialogPrompts::MessageBox(const QString& text) {
    // The box carries the program's name as its caption, as every message of the
    // program does; the text says everything else.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    Parent);
    box.exec();
}

Prompts::DiscardAnswer DialogPrompts::AskSaveDiscardCancel(const QString& question,
                                                           const QString& save,
                                                           const QString& discard,
                                                           const QString& cancel) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
                    QMessageBox::NoButton, Parent);
    QPushButton* saveButton = box.addButton(save, QMessageBox::AcceptRole);
    QPushButton* discardButton = box.addButton(discard, QMessageBox::DestructiveRole);
    QPushButton* cancelButton = box.addButton(cancel, QMessageBox::RejectRole);
    box.setDefaultButton(saveButton);
    box.setEscapeButton(cancelButton);
    box.exec();
    if (box.clickedButton() == saveButton)
        return DiscardAnswer::Save;
    if (box.clickedButton() == discardButton)
        return DiscardAnswer::Discard;
    return DiscardAnswer::Cancel;
}

QString ScriptedPrompts::InputBox(const QString& caption, const QString& prompt,
                                  const QString& defaultAnswer) {
    Questions.push_back({caption, prompt, defaultAnswer});
    if (Answers.empty())
        return defaultAnswer;
    std::optional<QString> answer = std::move(Answers.front());
    Answers.pop_front();
    return answer ? *answer : defaultAnswer;
}

void ScriptedPrompts::MessageBox(const QString& text) {
    Messages.push_back(text);
}

} // namespace tw

namespace tw {

Prompts::DiscardAnswer ScriptedPrompts::AskSaveDiscardCancel(const QString& question,
                                                             const QString& /*save*/,
                                                             const QString& /*discard*/,
                                                             const QString& /*cancel*/) {
    DiscardQuestions.push_back(question);
    if (DiscardAnswers.empty())
        return DiscardAnswer::Cancel;
    const DiscardAnswer answer = DiscardAnswers.front();
    DiscardAnswers.pop_front();
    return answer;
}

} // namespace tw
