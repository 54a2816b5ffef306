#pragma once

#include "filter/exclusion_set.h"
#include "filter/rand_transform.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class BarChart;
class BetListModel;
class LotteryDocument;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TaskRunner;
class TextGrid;
class UniformListView;

namespace quorlin {
class BetList;
class Progress;
class RandomSource;
} // namespace quorlin

/// What the four 无穷 exclusion windows share: the current issue and stage boxes, the run in count
/// mode (过滤到 … 注) or iteration mode (过滤到 … 次) on a worker thread with a progress bar and 停止,
/// the numbered result list (also written to temp.txt), save, load and clear, and the history
/// statistics (grid and bar chart) of members that have them. A member adds its own controls and
/// says how it tests a combination.
class ExclusionWindow : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString caption; ///< window title
        QString suffix;  ///< of the proposed save name, ending in 投注号码.txt
        QString startCaption = QStringLiteral("开始过滤");
        QString saveCaption = QStringLiteral("保存");
        QString clearCaption = QStringLiteral("清除");
        QString defaultTarget = QStringLiteral("10000");
        QString defaultIterations = QStringLiteral("10000");
        QString stageCaption = QStringLiteral("阶段期数：");
        bool stayOnTop = true;
        bool statistics = true;
        /// The stage box shows the stage of the last iteration of the last run (sum, repeat).
        bool showsRunStage = false;
    };
    ExclusionWindow(LotteryDocument& document, const Texts& texts, QWidget* parent);
    ~ExclusionWindow() override;

    /// A run or load is in progress.
    bool isBusy() const;
    /// The generator of the runs; tests hand in a seeded one.
    void setRandomSource(std::shared_ptr<quorlin::RandomSource> source);
    /// The current position: the item index of 目前投注期.
    int cur() const;

protected:
    void hideEvent(QHideEvent* event) override;

    /// A member's test for a run, or nothing with the refusal in `message`.
    virtual std::unique_ptr<quorlin::ExclusionMember> member(QString& message) = 0;
    virtual quorlin::ExclusionSet::AfterRun afterRun() const = 0;

    /// The open lottery's history, as the window was opened.
    const quorlin::DrawHistory& history() const { return history_; }
    /// The stage of the last iteration of the last run (0 before any).
    int stage() const { return set_->stage(); }
    /// The generator of the runs and of 变幻统计.
    quorlin::RandomSource& random() const { return *random_; }

    /// The statistics a member shows: one grid row per draw and one bar per draw from `firstBar`.
    struct Statistics {
        QStringList headers;
        QStringList headerTips; ///< the definitions of the value columns
        std::vector<QStringList> rows;
        QString series;
        std::vector<std::optional<double>> values; ///< per draw; nothing gives an empty bar
        int firstBar = 0;
    };
    void showStatistics(const Statistics& statistics);
    /// The history for 变幻统计: one fresh permutation, the window's stage (0: all earlier draws),
    /// codes ranked by count ascending.
    std::vector<std::uint8_t> transformedHistory();
    /// The draw text of the grid: every number "%.2d" followed by a blank.
    static QString drawText(const std::uint8_t* numbers, int width);

    /// The member's controls go into this box's grid.
    QGridLayout* memberArea() const { return memberArea_; }
    /// Shows or hides the line under the settings saying that they judge randomly relabelled
    /// numbers (shown at first: every member relabels, the follow window in its 变幻 mode only).
    void showRelabelNote(bool shown);
    /// The row of statistics buttons above the grid.
    QGridLayout* statisticsButtons() const { return statisticsButtons_; }
    QTabWidget* page() const { return page_; }
    QWidget* historyTab() const { return historyTab_; }
    QWidget* resultTab() const { return resultTab_; }
    QRadioButton* optjushu() const { return optjushu_; }
    QRadioButton* optcishu() const { return optcishu_; }
    QLineEdit* edtcishu() const { return edtcishu_; }
    QComboBox* comjieduannum() const { return comjieduannum_; }
    QComboBox* comcurqi() const { return comcurqi_; }

private:
    /// How changing the set on the worker thread ended: stopped, refused (why), or done.
    struct Change {
        bool stopped = false;
        std::string refusal;
    };
    using SetChange = std::function<Change(quorlin::ExclusionSet&, quorlin::Progress&)>;
    /// The one job of a run and a load: `change` works on the set; a changed set's list is written
    /// to temp.txt and shown, a refusal is shown in a box, a stopped job shows nothing.
    void startJob(SetChange change);
    void btngenClick();
    void btnsaveClick();
    void btnloadClick();
    void btnclearClick();
    void updateCommandStates();
    /// The progress bar from nought, 停止 on the run button and the busy cursor, until the task ends.
    void showRunning();
    void showList(std::shared_ptr<const quorlin::BetList> bets);
    std::string tempPath() const;

    LotteryDocument& document_;
    const quorlin::DrawHistory history_;
    std::shared_ptr<quorlin::ExclusionSet> set_;
    std::shared_ptr<quorlin::RandomSource> random_;
    Texts texts_;
    TaskRunner* runner_;
    QComboBox* comcurqi_;
    QComboBox* comjieduannum_;
    QGridLayout* memberArea_;
    QLabel* lblbianhuan_;
    QRadioButton* optjushu_;
    QLineEdit* edtjushu_;
    QRadioButton* optcishu_;
    QLineEdit* edtcishu_;
    QPushButton* btngen_;
    QProgressBar* pb_;
    QTabWidget* page_;
    QWidget* historyTab_;
    QWidget* resultTab_;
    QGridLayout* statisticsButtons_;
    TextGrid* tabhistory_ = nullptr;
    BarChart* chthistory_ = nullptr;
    QCheckBox* chkhistorybiao_ = nullptr;
    BetListModel* model_;
    UniformListView* memcode_;
    QLabel* lblcode_;
    QList<QPushButton*> commands_;
    /// The statistics last shown, kept to redraw the chart when 显示标注 changes.
    Statistics shown_;
};
