#include "gui/app/prompts.h"

#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QMessageBox>

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
    NormalCursorWhileAsking normal;
    bool accepted = false;
    QString answer =
        QInputDialog::getText(Parent, caption, prompt, QLineEdit::Normal, defaultAnswer, &accepted);
    return accepted ? answer : defaultAnswer;
}

NormalCursorWhileAsking::NormalCursorWhileAsking() {
    if (QApplication::overrideCursor()) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        Pushed = true;
    }
}

NormalCursorWhileAsking::~NormalCursorWhileAsking() {
    if (Pushed)
        QApplication::restoreOverrideCursor();
}

void DialogPrompts::MessageBox(const QString& text) {
    NormalCursorWhileAsking normal;
    // The box carries the program's name as its caption, as every message of the
    // program does; the text says everything else.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    Parent);
    box.exec();
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
    NormalCursorWhileAsking normal;
    const QCursor* cursor = QApplication::overrideCursor();
    CursorsAtMessages.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    Messages.push_back(text);
}

} // namespace tw
