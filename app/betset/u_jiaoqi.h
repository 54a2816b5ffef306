#pragma once

#include "common/unsaved_result.h"
#include "invest/invest_window.h"

#include <QStringList>

#include <memory>
#include <string>

class BetCostLine;
class BetListModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TaskRunner;
class TextTableModel;
class UniformListView;

namespace quorlin {
class BaseIntersection;
struct LotteryState;
} // namespace quorlin

/// 多重大底交集: imports several saved bet lists (大底), keeps the front combinations found in all
/// of them (or, with a tolerance, in all but a few), pairs them with back numbers as chosen and
/// shows and saves the numbered result. The count table is sized once for the open lottery; a run
/// works in the background with a progress bar. A result neither saved nor exported is not thrown
/// away without asking.
class Tfrmjiaoqi : public InvestWindow, public UnsavedResult {
    Q_OBJECT
public:
    explicit Tfrmjiaoqi(const quorlin::LotteryState& state, QWidget* parent = nullptr);
    ~Tfrmjiaoqi() override;

    bool isBusy() const;
    QString unsavedResult() const override;

protected:
    void setColumnWidths() override {}

private:
    void btndaoruClick();
    void btnjiaoqiClick();
    void btnsaveClick();
    void btnclsClick();
    void lstdadiDoubleClick(int row);
    void setCommandsEnabled(bool enabled);
    void showLines(int count);
    void showResultList();
    /// No list shown: the caption without a count, no cost.
    void clearLines();

    std::string apppath_;
    std::shared_ptr<quorlin::BaseIntersection> intersection_;
    QStringList files_;
    QListWidget* lstdadi_;
    QLabel* lbldadi_;
    BetCostLine* lblcost_;
    UniformListView* memdadi_;
    BetListModel* resultModel_;
    TextTableModel* fileModel_;
    struct Shown;
    std::shared_ptr<const Shown> shown_; // what the memo holds, for 保存号码
    QList<QRadioButton*> optteima_;
    QLineEdit* edtteima_;
    QLineEdit* edtnum1_;
    QLineEdit* edtnum2_;
    QProgressBar* progress_;
    QList<QPushButton*> commands_;
    /// The memo holds an intersection not saved or exported since.
    bool unsaved_ = false;
    TaskRunner* runner_;
};
