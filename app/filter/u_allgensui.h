#pragma once

#include "filter/exclusion_window.h"
#include "filter/follow_exclusion.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

/// 无穷历史跟随排除选号: excludes the combinations whose follow number is extreme, on the real
/// history (常规, one pass) or on histories relabelled afresh every iteration (变幻); shows the follow
/// numbers of the history on its 历史统计 tab.
class Tfrmallgensui : public ExclusionWindow {
    Q_OBJECT
public:
    explicit Tfrmallgensui(LotteryDocument& document, QWidget* parent = nullptr);

protected:
    std::unique_ptr<quorlin::ExclusionMember> member(QString& message) override;
    quorlin::ExclusionSet::AfterRun afterRun() const override { return quorlin::ExclusionSet::AfterRun::StartOver; }

private:
    void optmodeClick();
    void btntongjiClick();
    /// The settings the controls hold, or nothing with the refusal.
    std::optional<quorlin::FollowExclusion::Settings> settings(QString& message) const;

    QRadioButton* optplain_;
    QRadioButton* opttransformed_;
    QRadioButton* optrank_;
    QRadioButton* optrotation_;
    QRadioButton* optcount_;
    QRadioButton* optgap_;
    QRadioButton* optfixed_;
    QRadioButton* optrandom_;
    QRadioButton* optlimited_;
    QRadioButton* optmax_;
    QLineEdit* edthuishu_;
    QComboBox* comhei1_;
    QComboBox* comhei2_;
    QPushButton* btntongji_;
};
