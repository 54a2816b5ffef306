#pragma once

#include "select/four_step.h"
#include "select/selection_window.h"

#include <array>

class QComboBox;
class QLineEdit;

/// 最优四步综合选号: builds a front-zone recommendation in four steps (the most frequent numbers
/// of a long window, less the latest ones, plus three-in-a-row numbers and cold-but-active ones),
/// shows each step, and back-tests the method over the history.
class Tfrmsibu : public SelectionWindow {
    Q_OBJECT
public:
    explicit Tfrmsibu(LotteryDocument& document, QWidget* parent = nullptr);

    quorlin::FourStepSettings settings() const;

private:
    void btngenClick();
    void btntongjiClick();

    std::array<QComboBox*, 4> steps_{};
    std::array<QLineEdit*, 4> edtcode_{};
    QComboBox* comcurqi_;
    QLineEdit* edtcurcode_;
};
