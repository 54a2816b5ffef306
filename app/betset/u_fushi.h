#pragma once

#include <QDialog>

#include <memory>

class BetCostLine;
class LotteryDocument;
class QCheckBox;
class QLineEdit;
class QPushButton;
class TaskRunner;

/// 自动复式搜索: proposes a compound bet of front numbers by drawing transformed mappings of the
/// history one after another (the main window's 变幻走势) and, in each, excluding the real number
/// behind the transformed number absent longest, until no more than the asked count remains.
/// The search runs on a worker thread over its own copy of the draws; the main window shows its
/// latest mapping a few times a second, and 停止 answers at once. While it runs only 停止 is
/// enabled; hiding or closing the window stops it.
class Tfrmfushi : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmfushi(LotteryDocument& document, QWidget* parent = nullptr);
    ~Tfrmfushi() override;

    /// Mappings a search may draw before it gives up.
    static constexpr std::int64_t kMaxSteps = 100000;

    bool searching() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void btnsouClick();
    void btncopyClick();
    /// Shows the search's latest mapping in the main window, if it has drawn a new one.
    void showLatestMapping();
    /// The caption, the other commands and the cursor of a search on or off.
    void setSearching(bool on);
    /// Stops, back to the standard mapping.
    void finish();

    LotteryDocument& document_;
    QLineEdit* edtfushicode_;
    BetCostLine* lblcost_;
    QCheckBox* chkyilou_;
    QLineEdit* edtyilouqishu_;
    QLineEdit* edtnum_;
    QPushButton* btnsou_;
    // Everything but 开始搜索/停止, blocked while searching.
    QList<QWidget*> blocked_;
    bool searching_ = false;
    // One per search: a stopped search's worker is waited for (a step at most) when the next starts.
    std::unique_ptr<TaskRunner> runner_;
    struct Latest;
    std::shared_ptr<Latest> latest_;
};
