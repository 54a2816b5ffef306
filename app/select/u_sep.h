#pragma once

#include "select/interval_backfill.h"
#include "select/selection_window.h"

class QComboBox;
class QLineEdit;
class RadioGroup;

/// 最优间隔回补选号: recommends the numbers whose omission equals the intervals that were rarest
/// in the recent draws, expecting them to back-fill, and back-tests the method over the history
/// when it opens and on 历史统计.
class Tfrmsep : public SelectionWindow {
    Q_OBJECT
public:
    explicit Tfrmsep(LotteryDocument& document, QWidget* parent = nullptr);

    quorlin::IntervalSettings settings() const;

private:
    void btngenClick();
    void btntongjiClick();
    void optqianhouClick();

    QComboBox* comqishu_;
    QComboBox* comcodenum_;
    QComboBox* comcurqi_;
    QLineEdit* edtcurcode_;
};
