#pragma once

#include <QColor>
#include <QGroupBox>

#include <vector>

class QPushButton;

/// A group of number buttons in rows of ten, captioned "01", "02", …: how the filter and selection
/// windows let the user pick front or back numbers. Buttons above the game's count are blank and
/// disabled; a selected button is painted in the group's colour. What a click means is up to the
/// window, which hears it through numberClicked.
class NumberButtonGrid : public QGroupBox {
    Q_OBJECT
public:
    /// `buttons` buttons (a multiple of ten) of which 1..`usable` can be chosen; button n is named
    /// `buttonPrefix` + "%.2d".
    NumberButtonGrid(int buttons, int usable, const QColor& selectedColour, const QString& buttonPrefix,
                     QWidget* parent = nullptr);

    int buttonCount() const { return static_cast<int>(buttons_.size()); }
    int usable() const { return usable_; }
    QPushButton* button(int n) const;

    bool isSelected(int n) const;
    void setSelected(int n, bool selected);
    void toggle(int n);
    /// Unselects every button, the blank ones too.
    void clearSelection();
    /// The selected numbers among 1..usable, ascending.
    std::vector<int> selectedNumbers() const;
    int selectedCount() const;

signals:
    void numberClicked(int n);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutButtons();
    void paintButton(int n);

    std::vector<QPushButton*> buttons_;
    std::vector<bool> selected_;
    int usable_;
    QColor selectedColour_;
};
