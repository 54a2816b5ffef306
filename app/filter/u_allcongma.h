#pragma once

#include "filter/exclusion_window.h"

class QComboBox;
class QLineEdit;

/// 无穷重码排除选号: every iteration excludes the combinations whose relabelled numbers repeat too
/// many numbers of one of the recent relabelled draws; shows the repeat counts of the history.
class Tfrmallcongma : public ExclusionWindow {
    Q_OBJECT
public:
    explicit Tfrmallcongma(LotteryDocument& document, QWidget* parent = nullptr);

protected:
    std::unique_ptr<quorlin::ExclusionMember> member(QString& message) override;
    quorlin::ExclusionSet::AfterRun afterRun() const override { return quorlin::ExclusionSet::AfterRun::Narrow; }

private:
    void btntongjiClick();
    void btntongji2Click();
    void showRepeats(const std::vector<std::uint8_t>& draws);
    int draws() const; ///< Q

    QComboBox* comqishu_;
    QComboBox* comAC_;
    QLineEdit* edtcurcode_;
};
