#pragma once

#include "select/intimacy.h"
#include "select/selection_window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class RadioGroup;

/// 最优亲密数字选号: recommends the numbers that came out most often right after the earlier
/// draws holding a number of the draw before the target, in the front or the back zone, and
/// back-tests the method over the whole history when it opens and on 历史统计.
class Tfrmqingmi : public SelectionWindow {
    Q_OBJECT
public:
    explicit Tfrmqingmi(LotteryDocument& document, QWidget* parent = nullptr);

    /// The settings the controls hold now.
    quorlin::IntimacySettings settings() const;

private:
    void btngenClick();
    void btntongjiClick();
    void optselClick();
    void optqianhouClick();
    void showTallies(const quorlin::IntimacySelection& selection);

    RadioGroup* optsel_;
    QLabel* Label5_;
    QComboBox* comselnum_;
    QComboBox* comcurqi_;
    QComboBox* comjieduanqi_;
    QLineEdit* edtcurcode_;
    QTableWidget* tabcode_;
};
