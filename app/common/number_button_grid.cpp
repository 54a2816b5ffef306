#include "common/number_button_grid.h"

#include <QPushButton>

namespace {

constexpr int kPerRow = 10;

} // namespace

NumberButtonGrid::NumberButtonGrid(int buttons, int usable, const QColor& selectedColour, const QString& buttonPrefix,
                                   QWidget* parent)
    : QGroupBox(parent), usable_(usable), selectedColour_(selectedColour)
{
    for (int n = 1; n <= buttons; ++n) {
        const QString caption = QString::asprintf("%.2d", n);
        auto* button = new QPushButton(n <= usable ? caption : QString(), this);
        button->setObjectName(buttonPrefix + caption);
        button->setEnabled(n <= usable);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, n] { emit numberClicked(n); });
        buttons_.push_back(button);
    }
    selected_.assign(buttons_.size(), false);
    layoutButtons();
}

QPushButton* NumberButtonGrid::button(int n) const
{
    return n >= 1 && n <= buttonCount() ? buttons_[static_cast<std::size_t>(n - 1)] : nullptr;
}

bool NumberButtonGrid::isSelected(int n) const
{
    return n >= 1 && n <= buttonCount() && selected_[static_cast<std::size_t>(n - 1)];
}

void NumberButtonGrid::setSelected(int n, bool selected)
{
    if (n < 1 || n > buttonCount() || selected_[static_cast<std::size_t>(n - 1)] == selected)
        return;
    selected_[static_cast<std::size_t>(n - 1)] = selected;
    paintButton(n);
}

void NumberButtonGrid::toggle(int n)
{
    setSelected(n, !isSelected(n));
}

void NumberButtonGrid::clearSelection()
{
    for (int n = 1; n <= buttonCount(); ++n)
        setSelected(n, false);
}

std::vector<int> NumberButtonGrid::selectedNumbers() const
{
    std::vector<int> numbers;
    for (int n = 1; n <= usable_ && n <= buttonCount(); ++n)
        if (isSelected(n))
            numbers.push_back(n);
    return numbers;
}

int NumberButtonGrid::selectedCount() const
{
    return static_cast<int>(selectedNumbers().size());
}

void NumberButtonGrid::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    layoutButtons();
}

void NumberButtonGrid::layoutButtons()
{
    // The layout of the program's number groups: 15 pixels of frame and title, 5 between buttons.
    const int rows = (buttonCount() + kPerRow - 1) / kPerRow;
    if (rows == 0)
        return;
    const int w = width();
    const int h = height();
    for (int i = 0; i < buttonCount(); ++i) {
        const int row = i / kPerRow;
        const int column = i % kPerRow;
        buttons_[static_cast<std::size_t>(i)]->setGeometry((w - 15) * column / kPerRow + 5, row * (h - 15) / rows + 15,
                                                           (w - 15) / kPerRow - 5, (h - 15) / rows - 5);
    }
}

void NumberButtonGrid::paintButton(int n)
{
    // A style sheet, since styles shade a palette colour; the selected colour must show as it is.
    button(n)->setStyleSheet(isSelected(n) ? QStringLiteral("QPushButton { background-color: %1; color: white; "
                                                            "border: 1px solid %2; border-radius: 2px; }")
                                                 .arg(selectedColour_.name(), selectedColour_.darker(140).name())
                                           : QString());
}
