#pragma once

#include "invest/invest_window.h"

#include <QList>

#include <optional>
#include <string>
#include <vector>

class BetCostLine;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class WheelMakerPage;

namespace quorlin {
struct WheelSettings;
struct LoadedWheel;
} // namespace quorlin

/// 旋转矩阵组号缩水: on its page 矩阵文件 maps the numbers typed into its 21 boxes through a shipped
/// wheel file onto a reduced list of bets (balanced, or banker-and-drag where the bankers join every
/// bet of the drag part's wheel), shows them sorted and saves them; 验证 tries the wheel against
/// every draw. Its page 按需生成 makes a wheel for any pool (WheelMakerPage).
class Tfrmjuzheng : public InvestWindow {
    Q_OBJECT
public:
    explicit Tfrmjuzheng(const std::string& apppath, QWidget* parent = nullptr);

    /// The settings the choices hold.
    quorlin::WheelSettings settings() const;

protected:
    /// Closing the window (not minimizing it) ends a search or repair of 按需生成, keeping its best wheel.
    void hideEvent(QHideEvent* event) override;
    void setColumnWidths() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildChoices();
    void buildNumberBoxes();
    void optjutypeClick(bool bankerAndDrag);
    /// White basic boxes, red banker boxes, only the first B + D shown.
    void colourBoxes();

    void btngenClick();
    void btncheckClick();
    void btnsaveClick();

    /// The wheel file of the settings, read for the drag part; nothing after a message.
    std::optional<quorlin::LoadedWheel> loadWheel(const quorlin::WheelSettings& s);
    std::string wheelFolder() const;

    std::string apppath_;
    QWidget* files_;        // 矩阵文件: the shipped wheels
    WheelMakerPage* maker_; // 按需生成
    QComboBox* commainnum_;
    QComboBox* comdannum_;
    QRadioButton* optbalanced_;
    QRadioButton* optdrag_;
    QComboBox* comoknum_;
    QComboBox* combaonum_;
    QComboBox* comcainum_;
    QLineEdit* edtjushu_;
    QGroupBox* groupBox1_;
    QList<QLineEdit*> boxes_;
    BetCostLine* lblcost_ = nullptr;
    QLabel* label1_;
    QTableWidget* tabcode_;
    int columns_ = 0; // S of the bets shown
};
