#pragma once

#include "filter/exclusion_window.h"

class QComboBox;
class QLineEdit;

/// 无穷和值排除选号: every iteration excludes the combinations whose relabelled sum is extreme; shows
/// the sums of the history, plainly (常规统计) and relabelled (变幻统计).
class Tfrmallhei : public ExclusionWindow {
    Q_OBJECT
public:
    explicit Tfrmallhei(LotteryDocument& document, QWidget* parent = nullptr);

protected:
    std::unique_ptr<quorlin::ExclusionMember> member(QString& message) override;
    quorlin::ExclusionSet::AfterRun afterRun() const override { return quorlin::ExclusionSet::AfterRun::StartOver; }

private:
    void btntongjiClick();
    void btntongji2Click();
    /// Grid, chart and summary for draws given as `width` numbers each.
    void showSums(const std::vector<std::uint8_t>& draws);

    QComboBox* comhei1_;
    QComboBox* comhei2_;
    QLineEdit* mem_;
};
