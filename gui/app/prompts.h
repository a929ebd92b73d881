#pragma once
// Every input box and message box of the program goes through Prompts, so that window
// tests script the answers instead of opening modal windows.

#include <QString>
#include <QStringList>
#include <QVector>
#include <deque>
#include <optional>
#include <string>

class QFont;
class QWidget;

namespace tw {

class Prompts {
  public:
    virtual ~Prompts() = default;
    // An input box with caption, prompt and default answer. Cancelling gives back the
    // default answer.
    virtual QString InputBox(const QString& caption, const QString& prompt,
                             const QString& defaultAnswer) = 0;
    // A message box with one text and one button.
    virtual void MessageBox(const QString& text) = 0;

    // Unsaved changes: a question with the buttons Save, Discard and Cancel (the
    // captions given); closing the box is Cancel.
    enum class DiscardAnswer { Save, Discard, Cancel };
    virtual DiscardAnswer AskSaveDiscardCancel(const QString& question, const QString& save,
                                               const QString& discard, const QString& cancel) = 0;

    // Language texts are Windows-1252 bytes; these convert them for the boxes.
    QString InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultAnswer);
    void MessageBox(const std::string& text);
};

// The least width of a box whose title bar shows `caption` whole.
int TitleFittingWidth(const QFont& font, const QString& caption);

// The real boxes: QInputDialog and QMessageBox over the given window.
class DialogPrompts : public Prompts {
  public:
    explicit DialogPrompts(QWidget* parent = nullptr) : Parent(parent) {}
    void SetParent(QWidget* parent) { Parent = parent; }
    using Prompts::InputBox;
    using Prompts::MessageBox;
    QString InputBox(const QString& caption, const QString& prompt,
                     const QString& defaultAnswer) override;
    void MessageBox(const QString& text) override;
    DiscardAnswer AskSaveDiscardCancel(const QString& question, const QString& save,
                                       const QString& discard, const QString& cancel) override;

  private:
    QWidget* Parent;
};

// Answers from a queue and a record of everything asked and shown; never opens a
// window. With the queue empty an input box behaves as if cancelled.
class ScriptedPrompts : public Prompts {
  public:
    struct Question {
        QString Caption;
        QString Prompt;
        QString DefaultAnswer;
    };

    // Queues the answer of the next input box; std::nullopt stands for Cancel.
    void Answer(std::optional<QString> answer) { Answers.push_back(std::move(answer)); }
    void Cancel() { Answers.push_back(std::nullopt); }

    using Prompts::InputBox;
    using Prompts::MessageBox;
    QString InputBox(const QString& caption, const QString& prompt,
                     const QString& defaultAnswer) override;
    void MessageBox(const QString& text) override;
    // Answers queued with AnswerDiscard; with none queued the question is cancelled, so
    // nothing is lost.
    DiscardAnswer AskSaveDiscardCancel(const QString& question, const QString& save,
                                       const QString& discard, const QString& cancel) override;
    void AnswerDiscard(DiscardAnswer answer) { DiscardAnswers.push_back(answer); }

    QVector<Question> Questions;
    QStringList Messages;
    std::deque<std::optional<QString>> Answers;
    QStringList DiscardQuestions;
    std::deque<DiscardAnswer> DiscardAnswers;
};

} // namespace tw
