#include "check/ticket_number_pad.h"

#include <QMouseEvent>
#include <QPushButton>

#include <bit>

TicketNumberPad::TicketNumberPad(const QString& title, int buttons, int usable, const QColor& colour,
                                 const QString& buttonPrefix, QWidget* parent)
    : NumberButtonGrid(buttons, usable, colour, buttonPrefix, parent), colour_(colour)
{
    setTitle(title);
    // Rows of ten buttons wide enough for two digits: 15 pixels of frame and title, 5 between.
    const int rows = (buttons + 9) / 10;
    setMinimumSize(10 * 36 + 15, rows * 30 + 15);
    for (int n = 1; n <= buttonCount(); ++n)
        button(n)->installEventFilter(this);
    connect(this, &NumberButtonGrid::numberClicked, this, &TicketNumberPad::choose);
}

bool TicketNumberPad::isBanker(int n) const
{
    return n >= 1 && n < 64 && (bankers_ >> n & 1U) != 0;
}

quorlin::TicketPart TicketNumberPad::part() const
{
    quorlin::TicketPart part;
    part.bankers = bankers_;
    for (const int n : selectedNumbers())
        if (!isBanker(n))
            part.drags |= std::uint64_t{1} << n;
    return part;
}

void TicketNumberPad::clear()
{
    bankers_ = 0;
    clearSelection();
    emit changed();
}

void TicketNumberPad::setPart(const quorlin::TicketPart& part)
{
    bankers_ = 0;
    clearSelection();
    for (int n = 1; n <= usable() && n < 64; ++n) {
        const std::uint64_t bit = std::uint64_t{1} << n;
        if (((part.bankers | part.drags) & bit) == 0)
            continue;
        setSelected(n, true);
        if (part.bankers & bit) {
            bankers_ |= bit;
            paintBanker(n);
        }
    }
    emit changed();
}

bool TicketNumberPad::eventFilter(QObject* watched, QEvent* event)
{
    // The button's clicked signal comes while it handles this release, after the filter has seen it.
    if (event->type() == QEvent::MouseButtonRelease)
        ctrlClick_ = (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ControlModifier) != 0;
    return NumberButtonGrid::eventFilter(watched, event);
}

void TicketNumberPad::choose(int n)
{
    if (n < 1 || n > usable() || n >= 64)
        return;
    const bool asBanker = bankerMode_ || ctrlClick_;
    ctrlClick_ = false;
    const bool sameMode = isSelected(n) && isBanker(n) == asBanker;
    if (asBanker && !sameMode && std::popcount(bankers_) >= maxBankers_) {
        emit bankersFull();
        return;
    }
    const std::uint64_t bit = std::uint64_t{1} << n;
    bankers_ = sameMode || !asBanker ? bankers_ & ~bit : bankers_ | bit;
    // Unselect first so that the grid paints the number afresh when it changes over.
    setSelected(n, false);
    if (!sameMode)
        setSelected(n, true);
    if (isBanker(n))
        paintBanker(n);
    emit changed();
}

void TicketNumberPad::paintBanker(int n)
{
    button(n)->setStyleSheet(QStringLiteral("QPushButton { background-color: white; color: %1; font-weight: bold; "
                                            "border: 3px solid %1; border-radius: 2px; }")
                                 .arg(colour_.name()));
}
