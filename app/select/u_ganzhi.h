#pragma once

#include "select/selection_window.h"

class QComboBox;
class QLineEdit;
class RadioGroup;

/// 最优开奖干支选号: gives the draw day of the target its heavenly stem and earthly branch,
/// recommends the numbers ending in the digits their five-phase groups choose, and back-tests the
/// method over the history with each draw's own date.
class Tfrmganzhi : public SelectionWindow {
    Q_OBJECT
public:
    explicit Tfrmganzhi(LotteryDocument& document, QWidget* parent = nullptr);

    /// 附加 is chosen.
    bool additional() const;

private:
    void comcurqiChange();
    void btngenClick();
    void btntongjiClick();
    void showStemBranch(std::int32_t date);

    quorlin::ZoneDraws draws_;
    RadioGroup* optadd_;
    QComboBox* comcurqi_;
    QLineEdit* edtdate_;
    QLineEdit* edttiangan_;
    QLineEdit* edtdizhi_;
    QLineEdit* edtcurcode_;
};
