#pragma once

#include "select/backtest_frame.h"
#include "select/zone_draws.h"

#include <QDialog>
#include <QList>

#include <functional>

class BetCostLine;
class LotteryDocument;
class QComboBox;
class QLineEdit;
class QPushButton;
class RadioGroup;
class TaskRunner;

namespace quorlin {
class Progress;
struct LotteryState;
} // namespace quorlin

/// What the four selection windows share: a stay-on-top window over the open lottery, centred on
/// the screen, with the target list 目前投注期, the back-test frame, and back-tests that run in the
/// background while the window's own commands wait.
class SelectionWindow : public QDialog {
    Q_OBJECT
public:
    ~SelectionWindow() override;

    /// A back-test is running.
    bool isBusy() const;
    /// The zone chosen in 前区/后区; the front zone in a window without the choice.
    quorlin::Zone zone() const;
    BacktestFrame* frame() const { return frame_; }

protected:
    SelectionWindow(LotteryDocument& document, const char* name, const QString& caption, const QSize& size,
                    QWidget* parent);

    /// The window's draw list of one zone, read afresh from the open lottery's draw cursor.
    quorlin::ZoneDraws readDraws(quorlin::Zone zone);
    /// The zone choice optqianhou, 前区 chosen.
    RadioGroup* buildZoneChoice(const QRect& geometry);
    /// Places the back-test frame.
    void buildFrame(const BacktestFrame::Style& style, const QRect& geometry);
    /// 目前投注期 with its label: the issue of every draw, then the coming draw, which is chosen.
    QComboBox* buildTargetList(const QRect& geometry, const quorlin::ZoneDraws& draws);
    /// The recommendation line 目前投注号码 (or another caption) with its label.
    QLineEdit* buildResultLine(const char* name, const QString& caption, const QRect& geometry);
    /// Shows `text` in the recommendation line and beside it how many combinations of the zone
    /// the `numbers` recommended hold as a compound, where a draw holds `perDraw` numbers.
    void showRecommendation(const std::string& text, std::size_t numbers, int perDraw);
    /// A button that waits while a back-test runs.
    QPushButton* addCommand(const char* name, const QString& caption, const QRect& geometry);
    /// A list of texts with its caption to the left of `geometry`.
    QComboBox* buildList(const char* name, const QString& caption, const QStringList& items, int index,
                         const QRect& geometry);
    /// "first" … "last" as list items.
    static QStringList numberItems(int first, int last);

    /// Runs `work` on a worker thread with a lease on the lottery state and shows its report; the
    /// commands wait meanwhile.
    void startBacktest(std::function<quorlin::BacktestReport(const quorlin::LotteryState&, quorlin::Progress&)> work);
    /// Shows `refusal` when there is one; true then.
    bool refused(const std::string& refusal);

    LotteryDocument& document_;

private:
    TaskRunner* runner_;
    BacktestFrame* frame_ = nullptr;
    RadioGroup* optqianhou_ = nullptr;
    QList<QPushButton*> commands_;
    QLineEdit* resultLine_ = nullptr;
    BetCostLine* cost_ = nullptr;
};
