#pragma once

#include <QDialog>

#include <memory>

class BetCostLine;
class LotteryDocument;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace quorlin {
class CompoundSearch;
}

/// 自动复式搜索: proposes a compound bet of front numbers by drawing transformed mappings of the
/// history one after another (the main window's 变幻走势) and, in each, excluding the real number
/// behind the transformed number absent longest, until no more than the asked count remains.
/// The search runs in short slices between the window messages, so 停止 answers at once and the
/// views repaint only a few times a second. While it runs only 停止 is enabled; hiding or closing
/// the window stops it.
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
    /// Runs steps for a few milliseconds, then lets the window messages run.
    void runSlice();
    /// Starts or stops the slices, with the caption, the other commands and the cursor to match.
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
    QTimer* slice_;
    std::unique_ptr<quorlin::CompoundSearch> search_;
};
