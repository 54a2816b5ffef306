#pragma once

#include <QDialog>
#include <QList>

#include <memory>
#include <optional>

class BetListModel;
class LotteryDocument;
class NumberButtonGrid;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TaskRunner;
class TotalFilterConditions;
class UniformListView;

namespace quorlin {
class BetList;
class RandomSource;
struct TotalFilterOutcome;
struct TotalFilterSettings;
} // namespace quorlin

/// 总体过滤: narrows all front combinations of the open lottery by indicator ranges, banker numbers
/// and chosen front numbers, pairs the survivors with every pair of the chosen back numbers and
/// shows the numbered bet list, which can be saved, printed, loaded back and narrowed further.
/// Runs are cumulative until 清空. A run, a load or a save works in the background, with a
/// progress bar and a stop button; meanwhile the window takes no other command.
class Tfrmtotalfilt : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmtotalfilt(LotteryDocument& document, QWidget* parent = nullptr);
    ~Tfrmtotalfilt() override;

    /// The conditions the controls hold, checked as a run checks them; nothing, with the message a
    /// run would show, when a run would refuse them.
    std::optional<quorlin::TotalFilterSettings> settings(QString& message) const;
    /// Shows `settings` in the controls: conditions, banker text, chosen numbers.
    void setSettings(const quorlin::TotalFilterSettings& settings);
    /// A run, load or save is in progress.
    bool isBusy() const;
    /// The generator of the random selections; tests hand in a scripted one.
    void setRandomSource(std::unique_ptr<quorlin::RandomSource> source);

signals:
    /// 回测: the player asks how the conditions in the controls would have done in past draws.
    void backtestRequested();

private:
    void buildNumberChoice();
    void buildResultArea();

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

    void filtered(quorlin::TotalFilterOutcome outcome);
    void loaded(quorlin::TotalFilterOutcome outcome);
    void showList(std::shared_ptr<const quorlin::BetList> bets);
    template <class Work, class Done> void startTask(Work work, Done done);

    std::string tempPath() const;
    /// cainame + the coming issue + "期总体过滤投注号码" + `extension`.
    QString proposedName(const QString& extension) const;

    LotteryDocument& document_;
    std::unique_ptr<quorlin::RandomSource> random_;
    TaskRunner* runner_;
    TotalFilterConditions* conditions_;
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
    /// The front numbers can be chosen: the real numbers are shown, not the transformed ones.
    bool frontChoice_ = true;
};
