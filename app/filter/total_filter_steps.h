#pragma once

#include "filter/total_filter.h"

#include <QListWidget>

#include <optional>
#include <vector>

/// The runs applied since the last 清空 or 载入, one line each: its conditions and the bets it
/// left. A click on a line hands its conditions back, so they can be ticked again.
class TotalFilterSteps : public QListWidget {
    Q_OBJECT
public:
    explicit TotalFilterSteps(QWidget* parent = nullptr);

    void append(const quorlin::TotalFilterSettings& settings, std::size_t bets);
    void clearSteps();
    /// The conditions of the latest step; nothing before the first.
    std::optional<quorlin::TotalFilterSettings> last() const;

signals:
    void stepChosen(const quorlin::TotalFilterSettings& settings);

private:
    std::vector<quorlin::TotalFilterSettings> steps_;
};
