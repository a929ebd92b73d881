#pragma once
// The window a cell too long for the in-place editor is edited in. A line edit lays out
// its whole text on every keystroke and repaint, which takes seconds for a cell of
// megabytes; a plain text edit lays out only the lines in sight, provided the text comes
// in many short blocks. So the text is shown with a line break of its own every so many
// characters, and those breaks are taken out again before the text goes back to the cell.
// Since every break in the window is one of these, the user cannot put one in: Enter
// stores, and inserted text holding a line break is refused.

#include <QDialog>
#include <QPlainTextEdit>
#include <functional>

class QLabel;

namespace tw {

class LongCellEdit : public QPlainTextEdit {
  public:
    explicit LongCellEdit(QWidget* parent = nullptr);

    // About how many characters each shown line holds at most.
    static constexpr int SoftBreakEvery = 1000;
    // The text with the shown line breaks put in, and taken out again.
    static QString WithSoftBreaks(const QString& text);
    static QString WithoutSoftBreaks(QString text);

    void SetCellText(const QString& text);
    QString CellText() const;

    // Asked before text is pasted, dropped or committed by an input method; false refuses
    // it (the one asked says why). Typed characters outside the code page are dropped as
    // the in-place editor drops them.
    std::function<bool(const QString& text)> MayInsert;
    // Enter in any form: the user is done.
    std::function<void()> Submit;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
};

class LongCellForm : public QDialog {
  public:
    // `caption` and `hint` are shown as given.
    LongCellForm(QWidget* parent, const QString& caption, const QString& hint);

    LongCellEdit* Editor() const { return Edit; }
    // Stores the edited text; false when the cell refused it. OK and Enter close the
    // window only when the text was stored (or not changed), so a refused edit stays in
    // front of the user instead of being lost.
    std::function<bool(const QString& text)> Store;
    // Shows why an edit or an inserted text was refused, below the text.
    void ShowRefusal(const QString& message);
    QString RefusalShown() const;

    void accept() override;

  private:
    LongCellEdit* Edit;
    QLabel* Refusal;
};

} // namespace tw
