#pragma once

#include <QString>

class QPagedPaintDevice;
class QPainter;
class QRect;

namespace quorlin {
class BetList;
}

/// A bet list on paper: the numbered lines, 100 bets a page in two columns under a title, and the
/// footer "共" + pages + "页\第" + page + "页" of the program's printouts. It draws on any paint
/// device, so a printer, a PDF file or an image all get the same pages.
class BetListPrinter {
public:
    static constexpr int kBetsPerPage = 100;

    BetListPrinter(const quorlin::BetList& bets, QString title);

    int pageCount() const;
    /// The footer of page `page` (1-based).
    QString footer(int page) const;

    /// Draws page `page` (1-based) into `area` of the painter's device.
    void paintPage(QPainter& painter, const QRect& area, int page) const;
    /// Prints pages `from`..`to` (1-based; 0 for the first or last page) on `device`, one sheet each.
    /// False when the device could not be painted on (no printer, a file that cannot be written).
    bool print(QPagedPaintDevice& device, int from = 0, int to = 0) const;

private:
    const quorlin::BetList& bets_;
    QString title_;
};
