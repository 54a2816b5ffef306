#pragma once

#include "wheel/wheel_guarantee.h"

#include <QGroupBox>

#include <vector>

class QLabel;
class QListWidget;
class WheelMakerPage;

/// 检查/修补 on the 按需生成 page: loads a bet list (back parts ignored), shows how much of the
/// page's guarantee it covers and its first holes, and repairs it into a verified wheel that the
/// page shows and saves as its result.
class WheelRepairBox : public QGroupBox {
    Q_OBJECT
public:
    explicit WheelRepairBox(WheelMakerPage& page, QWidget* parent = nullptr);

    /// The most holes listed.
    static constexpr int kListedHoles = 2000;

private:
    void btnzairuClick();
    void btnjianchaClick();
    void btnxiubuClick();
    /// The loaded list, or a message when none is.
    bool haveList();

    WheelMakerPage& page_;
    std::vector<quorlin::WheelBet> bets_;
    QLabel* lblfile_;
    QLabel* lblfugai_;
    QListWidget* lstkong_;
};
