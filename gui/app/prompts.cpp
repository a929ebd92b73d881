#include "gui/app/prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "gui/app/cp1252.h"

namespace tw {

QString Prompts::InputBox(const std::string& caption, const std::string& prompt,
                          const std::string& defaultAnswer) {
    return InputBox(FromCp1252(caption), FromCp1252(prompt), FromCp1252(defaultAnswer));
}

void Prompts::MessageBox(const std::string& text) {
    MessageBox(FromCp1252(text));
}

QString DialogPrompts::InputBox(const QString& caption, const QString& prompt,
                                const QString& defaultAnswer) {
    bool accepted = false;
    QString answer =
        QInputDialog::getText(Parent, caption, prompt, QLineEdit::Normal, defaultAnswer, &accepted);
    return accepted ? answer : defaultAnswer;
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
