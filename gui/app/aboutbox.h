#pragma once
// The About window: the program's icon, its title, and the author's invitation to send
// comments.

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace tw {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();
    // Widens the OK button for a longer caption, keeping it centred under the panel.
    void FitOkButton();

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Comments;
    QLabel* Label1;
    QPushButton* OKButton;

  protected:
    void showEvent(QShowEvent* event) override;
};

// The program icon: 32 by 32, drawn rather than shipped so no image file is needed.
QPixmap ProgramIconPixmap();

} // namespace tw
