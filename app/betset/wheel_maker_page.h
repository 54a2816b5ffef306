#pragma once

#include "wheel/wheel_guarantee.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class BetCostLine;
class NumberButtonGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TaskRunner;
class TextGrid;
class TicketNumberPad;
class WheelRepairBox;

/// 按需生成, the second page of 旋转矩阵组号缩水: searches a small wheel for exactly the pool chosen
/// on the number buttons (bankers by Ctrl+click) or typed, and the guarantee 中M保T, in the
/// background on every core, showing the best size so far and the time left; shows the wheel with
/// its cost (each bet with every pair of the chosen back numbers) and saves it as a bet list or as
/// a wheel file the first page reads. Its 检查/修补 box checks and repairs a loaded list.
class WheelMakerPage : public QWidget {
    Q_OBJECT
public:
    explicit WheelMakerPage(const std::string& apppath, QWidget* parent = nullptr);
    ~WheelMakerPage() override;

    bool isBusy() const;
    /// The guarantee the controls ask for; nothing after a message when they ask for none.
    std::optional<quorlin::WheelGuarantee> askedGuarantee();
    /// The time limit in seconds; nothing after a message when the field holds none.
    std::optional<int> askedSeconds();
    /// Shows `bets`, a verified wheel of `guarantee`, as the page's result.
    void showWheel(const quorlin::WheelGuarantee& guarantee, std::vector<quorlin::WheelBet> bets);
    /// The one runner of the page and its box; when a task ends the commands are enabled again.
    TaskRunner& runner() { return *runner_; }
    /// Enables or disables every command but 停止, which only a search or a repair enables.
    void setCommandsEnabled(bool enabled);
    /// A search or a repair begins: only 停止 answers until it ends.
    void setSearching();
    /// Ends a running search or repair, keeping the best wheel it has.
    void stop();

private:
    void buildPool();
    void buildGuarantee();
    void buildResult();

    /// The pool and bankers the buttons show.
    quorlin::WheelGuarantee chosenPool() const;
    /// Pool buttons changed: the typed text, the guarantee's bounds.
    void poolChanged();
    /// Takes the typed pool onto the buttons; false after a message when it is no pool.
    bool applyTypedPool();
    /// Offers M up to 5 − bankers and the other numbers, T up to M, keeping the wanted values.
    void boundGuarantee();

    void btnkaishiClick();
    void btnbaocunClick();
    void btnbaocunjzClick();
    /// The bets in the grid: 序号 and the five numbers.
    void showRows();
    void showCost();
    void showBest(std::size_t size);
    void showTimeLeft(qint64 elapsedMs, qint64 limitMs);

    std::string apppath_;
    TaskRunner* runner_;
    TicketNumberPad* pool_;
    QLineEdit* edtchi_;
    NumberButtonGrid* back_;
    QComboBox* comzhong_;
    QComboBox* combao_;
    int wantedOk_ = 5;
    int wantedHit_ = 4;
    bool bounding_ = false; // the guarantee's choices are being refilled
    bool typing_ = false;   // the buttons follow the typed text, which stays as typed
    QLineEdit* edtmiao_;
    QPushButton* btnkaishi_;
    QPushButton* btntingzhi_;
    QLabel* lblzuijia_;
    QLabel* lblshengyu_;
    QLabel* lbltouzhu_;
    BetCostLine* lblzhushu_;
    TextGrid* tabjieguo_;
    QLabel* lblbaozheng_;
    QList<QWidget*> commands_;
    WheelRepairBox* repair_;

    quorlin::WheelGuarantee made_; // the guarantee the bets shown hold
    std::vector<quorlin::WheelBet> bets_;
};
