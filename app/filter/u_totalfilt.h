#pragma once

#include "common/unsaved_result.h"

#include <QDialog>
#include <QList>

#include <memory>
#include <optional>

class BetListModel;
class ExtraConditionsPage;
class FilterSchemeBar;
class LotteryDocument;
class NumberButtonGrid;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class TaskRunner;
class TotalFilterConditions;
class TotalFilterSteps;
class UniformListView;

namespace quorlin {
class BetList;
class RandomSource;
struct TotalFilterOutcome;
struct TotalFilterSettings;
} // namespace quorlin

/// 总体过滤: narrows all front combinations of the open lottery by indicator ranges, banker numbers
/// and chosen front numbers (first page) and the conditions of the second page with 容错, pairs
/// the survivors with every pair of the chosen back numbers and shows the numbered bet list, which
/// can be saved, printed, loaded back and narrowed further. Runs are cumulative until 清空; the
/// steps since 清空 or 载入 are listed beside it, and the conditions can be kept as named schemes.
/// A run, a load or a save works in the background, with a progress bar and a stop button;
/// meanwhile the window takes no other command. A run's list that is neither saved nor exported is
/// not thrown away without asking.
class Tfrmtotalfilt : public QDialog, public UnsavedResult {
    Q_OBJECT
public:
    explicit Tfrmtotalfilt(LotteryDocument& document, QWidget* parent = nullptr);
    ~Tfrmtotalfilt() override;

    /// The conditions 回测 and 保存方案 take: those ticked in the controls, or, when no condition a
    /// run unticks is ticked, those of the last step; checked as a run checks them. Nothing, with
    /// the message a run would show, when a run would refuse them.
    std::optional<quorlin::TotalFilterSettings> settings(QString& message) const;
    /// Shows `settings` in the controls of both pages: conditions, banker text, chosen numbers,
    /// 容错.
    void setSettings(const quorlin::TotalFilterSettings& settings);
    /// A run, load or save is in progress.
    bool isBusy() const;
    /// The generator of the random selections; tests hand in a scripted one.
    void setRandomSource(std::unique_ptr<quorlin::RandomSource> source);
    QString unsavedResult() const override;

signals:
    /// 回测: the player asks how the conditions in the controls would have done in past draws.
    void backtestRequested();
    /// 回放: the player asks whether the conditions in the controls would have paid in past draws.
    void replayRequested();

private:
    void buildNumberChoice(QWidget* page);
    void buildResultArea();
    void buildSideColumn();
    /// The conditions the controls hold, as a run reads them.
    std::optional<quorlin::TotalFilterSettings> controlSettings(QString& message) const;
    /// A scheme chosen in the bar: shown, unless it needs the real numbers the mapping hides.
    void schemeChosen(const quorlin::TotalFilterSettings& settings);

    void btnfiltClick();
    void btnclearClick();
    void btnsaveClick();
    void btnloadClick();
    void btnprintClick();
    void btnstopClick();
    /// A number button: toggles it while its box is checked and shows the count chosen.
    void numberClicked(NumberButtonGrid* grid, QCheckBox* box, QLineEdit* count, const QString& refusal, int n);
    void randomSelect(NumberButtonGrid* grid, QLineEdit* count, const QString& field);
    void followMapping();
    void updateCommandStates();

    void filtered(const quorlin::TotalFilterSettings& settings, quorlin::TotalFilterOutcome outcome);
    void loaded(quorlin::TotalFilterOutcome outcome);
    void showList(std::shared_ptr<const quorlin::BetList> bets, const QString& caption);
    template <class Work, class Done> void startTask(Work work, Done done);

    std::string tempPath() const;
    /// cainame + the coming issue + "期总体过滤投注号码" + `extension`.
    QString proposedName(const QString& extension) const;

    LotteryDocument& document_;
    std::unique_ptr<quorlin::RandomSource> random_;
    TaskRunner* runner_;
    QTabWidget* tabs_;
    TotalFilterConditions* conditions_;
    ExtraConditionsPage* extras_;
    TotalFilterSteps* steps_;
    FilterSchemeBar* schemes_;
    QCheckBox* chkhongqiu_;
    QLineEdit* edtzhong1_;
    QLineEdit* edtzhong2_;
    QLineEdit* edtsuiji1_;
    QPushButton* btnsuiji1_;
    NumberButtonGrid* front_;
    QCheckBox* chklanqiu_;
    QLineEdit* edtsuiji2_;
    QPushButton* btnsuiji2_;
    NumberButtonGrid* back_;
    BetListModel* model_;
    UniformListView* memcode_;
    QLabel* lblcode_;
    QProgressBar* pb_;
    QPushButton* btnstop_;
    QList<QPushButton*> commands_;
    /// The next run starts from every combination (after creation and 清空).
    bool rebuildall_ = true;
    /// The list shown came from a run and has not been saved or exported since.
    bool unsaved_ = false;
    /// The front numbers can be chosen: the real numbers are shown, not the transformed ones.
    bool frontChoice_ = true;
};
