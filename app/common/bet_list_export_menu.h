#pragma once

#include <QObject>

#include <functional>

class QAbstractItemView;

namespace quorlin {
class Progress;
}

/// 导出为 CSV… and 导出为 Excel… on the context menu of a bet list's view (a BetListModel's): the
/// list written one bet a row, the numbers in columns, on the window's worker so that its progress
/// bar follows and its stop answers. A list longer than a worksheet is refused for Excel by the
/// writer, with a message that offers CSV.
class BetListExportMenu : public QObject {
    Q_OBJECT
public:
    /// The export's work: true when written, false when stopped; throws with the message on failure.
    using Work = std::function<bool(quorlin::Progress&)>;
    /// Runs `work` as the window runs its tasks (its progress strip and stop, its commands off
    /// meanwhile) and calls `done` with the result on the window's thread; does nothing while the
    /// window is busy.
    using Start = std::function<void(Work work, std::function<void(bool written)> done)>;

    /// Gives `view` the menu; it belongs to the view.
    static BetListExportMenu* install(QAbstractItemView* view, Start start);

    void exportCsv() const;
    void exportExcel() const;

private:
    BetListExportMenu(QAbstractItemView* view, Start start);

    /// Asks for a file and writes the list shown with `write`, a core writer of bet lists.
    template <class Writer> void exportTo(const QString& caption, const QString& filter, Writer write) const;

    QAbstractItemView* view_;
    Start start_;
};
