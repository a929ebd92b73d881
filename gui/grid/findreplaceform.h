#pragma once
// The Find and Replace window: what to find, what to put instead, the match options and
// the scope. It stays open beside the grid (it is not modal) and asks the main window to
// act through its callbacks, so it knows nothing of the document.

#include <QDialog>
#include <functional>

#include "core/grid/findreplace.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tw {

class FindReplaceWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FindReplaceWindow(QWidget* parent = nullptr);

    // Captions from the active language's added texts (names as in BuiltInProgramTexts).
    void SetCaptions(const std::function<QString(const char* name)>& text);
    // The options as typed; false when a text has a character outside the code page.
    bool Options(ReplaceOptions& options) const;

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    QCheckBox* MatchCaseBox = nullptr;
    QCheckBox* WholeCellBox = nullptr;
    QRadioButton* CurrentColumnButton = nullptr;
    QRadioButton* WholeTableButton = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QPushButton* CloseButton = nullptr;

    // Set by the main window.
    std::function<void()> FindNext;
    std::function<void()> Replace;
    std::function<void()> ReplaceAll;

  private:
    QLabel* FindLabel = nullptr;
    QLabel* ReplaceLabel = nullptr;
};

} // namespace tw
