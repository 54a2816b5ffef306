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
    /// The most bankers a click may choose; one more is refused with bankersFull (none by default).
    void setMaxBankers(int count) { maxBankers_ = count; }
    bool isBanker(int n) const;
    /// The chosen numbers as a ticket part: bankers and drags.
    quorlin::TicketPart part() const;
    /// Clears every chosen number.
    void clear();
    /// Shows `part` as the chosen numbers (those beyond the usable numbers are dropped).
    void setPart(const quorlin::TicketPart& part);

signals:
    void changed();
    /// A click asked for one banker more than setMaxBankers allows; nothing changed.
    void bankersFull();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int n);
    void paintBanker(int n);

    QColor colour_;
    std::uint64_t bankers_ = 0;
    bool bankerMode_ = false;
    int maxBankers_ = 64;
    // Ctrl was held on the mouse release that clicked a button.
    bool ctrlClick_ = false;
};
