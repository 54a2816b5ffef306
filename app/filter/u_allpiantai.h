#pragma once

#include "filter/exclusion_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

/// 无穷偏态排除选号: when the last relabelled draws were all lopsided the same way (many or few big
/// or odd numbers), the combinations outside the range chosen for that case are excluded.
class Tfrmallpiantai : public ExclusionWindow {
    Q_OBJECT
public:
    explicit Tfrmallpiantai(LotteryDocument& document, QWidget* parent = nullptr);

protected:
    std::unique_ptr<quorlin::ExclusionMember> member(QString& message) override;
    quorlin::ExclusionSet::AfterRun afterRun() const override { return quorlin::ExclusionSet::AfterRun::Narrow; }

private:
    void optmodeClick();

    QRadioButton* optbig_;
    QRadioButton* optodd_;
    QCheckBox* chkda_;
    QLineEdit* edtdanum_;
    QLabel* lblda_;
    QLineEdit* edtdanum1_;
    QLineEdit* edtdanum2_;
    QCheckBox* chkxiao_;
    QLineEdit* edtxiaonum_;
    QLabel* lblxiao_;
    QLineEdit* edtxiaonum1_;
    QLineEdit* edtxiaonum2_;
    QLineEdit* edtyanxunum_;
};
