#pragma once

#include "check/ticket.h"
#include "common/number_button_grid.h"

#include <cstdint>

/// The front or back part of the ticket being built in 投注计算器: number buttons whose chosen
/// numbers are drags, or bankers when chosen in banker mode or with Ctrl held. Bankers show as a
/// thick border around the number, drags filled in the part's colour. Clicking a number again in
/// the mode it was chosen in clears it; in the other mode it changes over.
class TicketNumberPad : public NumberButtonGrid {
    Q_OBJECT
public:
    /// `buttons` buttons (a multiple of ten) of which 1..`usable` can be chosen.
    TicketNumberPad(const QString& title, int buttons, int usable, const QColor& colour, const QString& buttonPrefix,
                    QWidget* parent = nullptr);

    /// Whether a plain click chooses a banker.
    void setBankerMode(bool on) { bankerMode_ = on; }
    bool isBanker(int n) const;
    /// The chosen numbers as a ticket part: bankers and drags.
    quorlin::TicketPart part() const;
    /// Clears every chosen number.
    void clear();

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int n);

    QColor colour_;
    std::uint64_t bankers_ = 0;
    bool bankerMode_ = false;
    // Ctrl was held on the mouse release that clicked a button.
    bool ctrlClick_ = false;
};
