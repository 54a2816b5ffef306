#pragma once

#include "check/filter_condition_source.h"
#include "common/task_runner.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <optional>
#include <utility>

class LotteryDocument;
class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TaskProgressStrip;

/// What the windows that try the total filter's conditions on past draws (过滤条件回测, 方案回放)
/// share: the row with the number of recent draws, the run button, 关闭 and the progress strip
/// with its stop button; the caption of the conditions tried; taking the conditions from their
/// source; and the refusals before a run (a count that is not a positive whole number, the
/// transformed mapping, which hides the real numbers every past draw is judged by).
class ConditionRunWindow : public QWidget {
    Q_OBJECT
public:
    /// Takes the conditions from the source and runs them over the recent draws.
    void runWithSourceConditions();
    /// Runs `settings` over the number of draws in the window's field.
    virtual void runOn(const quorlin::TotalFilterSettings& settings) = 0;
    bool isBusy() const;

protected:
    /// `verb` names the run ("回测", "回放") in the window's texts; the run button is `buttonName`;
    /// `hint` explains the run after the count.
    ConditionRunWindow(LotteryDocument& document, FilterConditionSource source, const QString& verb,
                       const QString& buttonName, const QString& hint, QWidget* parent);

    /// Adds a widget to the top row, after the hint.
    void addToTopRow(QWidget* widget);
    /// The window's layout, the top row and the caption of the conditions in it already.
    QVBoxLayout* body() const { return body_; }
    /// The number of draws to run over; nothing, after saying why, when the window is busy, the
    /// count is not a positive whole number or the mapping is transformed.
    std::optional<std::size_t> drawCount();
    /// Starts `work` in the background as TaskRunner::run does, with the progress strip shown.
    template <class Work, class Done> void start(Work work, Done done)
    {
        runner_->run(this, std::move(work), std::move(done));
        startedRun();
    }
    /// Enables the commands while no run works; a window with more inputs adds them.
    virtual void updateCommandStates();

    LotteryDocument& document_;
    QLabel* lbltiaojian_;

private:
    bool refusedUnderMapping();
    void startedRun();

    FilterConditionSource source_;
    QString verb_;
    TaskRunner* runner_;
    QLineEdit* edtqishu_;
    QPushButton* btnrun_;
    TaskProgressStrip* strip_;
    QBoxLayout* top_;
    QVBoxLayout* body_;
};
