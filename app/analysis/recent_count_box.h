#pragma once

#include <QComboBox>

/// 最近统计期数: how many of the newest draws an analysis view sums and charts. Lists "全部期" and
/// 1 … the loaded draws; the user picks one or types a number.
class RecentCountBox : public QComboBox {
    Q_OBJECT
public:
    explicit RecentCountBox(QWidget* parent = nullptr);

    /// Lists the choices for `draws` loaded draws and starts at 3 draws, showing item 3.
    void fill(int draws);
    /// N as chosen; "全部期" is every loaded draw. A typed number is taken as it is (the view keeps
    /// it within the history).
    int recent() const { return recent_; }

signals:
    void recentChanged(int recent);

private:
    /// Takes N from the box's text; a text that is no whole number is refused with the
    /// conversion's message and N stays.
    void comzuijingqishuChange();

    int draws_ = 0;
    int recent_ = 3;
    // The text last taken, so that Return and the loss of focus after it ask only once.
    QString taken_;
};
