#pragma once
// The colour window: a list of the named colours with swatches, an entry that asks for any
// other colour, OK and Cancel. The host says which of its colours the window is for
// (ColorTarget), preselects the colour that target holds now, shows the window modally,
// and receives the choice in the stored text form through ApplyColor.

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "core/app/colors.h"

class QComboBox;
class QPushButton;

namespace tw {

class TForm4 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* parent = nullptr);

    // Language texts 54, 5 and 3 once a language file is loaded.
    void SetCaptions(const QString& caption, const QString& ok, const QString& cancel);

    // Selects the entry holding value; a value without an entry of its own gets the one
    // entry kept for unnamed colours.
    void Preselect(TColor value);
    TColor SelectedColor() const;

    // OK: hands the selected colour in the stored text form to ApplyColor, then accepts.
    void BitBtn1Click();
    // Cancel: closes and changes nothing.
    void BitBtn2Click();

    // 1 active cell colour, 2 selection colour, 3 grid text colour, 4 fixed text colour.
    int ColorTarget = 1;
    std::function<void(int target, const std::string& colorText)> ApplyColor;
    // Asks for a colour outside the list, starting from initial; nullopt when the user
    // cancels. The default opens QColorDialog; tests replace it.
    std::function<std::optional<QColor>(const QColor& initial)> PickCustomColor;

    QComboBox* ColorBox1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ColorBox1Select(int index);
    void ColorBox1IndexChanged(int index);
    int CustomEntryIndex() const;
    int FindColor(TColor value) const;
    int SetUnnamedColor(TColor value);
    void RefreshSwatches();

    // The entry to go back to when the custom colour dialog is cancelled.
    int LastColorIndex = 0;
    bool HasUnnamedEntry = false;
};

} // namespace tw
