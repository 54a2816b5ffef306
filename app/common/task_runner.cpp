#include "common/task_runner.h"

#include "common/error_handler.h"

#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

#include <stdexcept>

namespace {

// Often enough for a smooth progress bar, rarely enough to cost nothing.
constexpr int kPollMilliseconds = 50;

} // namespace

TaskRunner::TaskRunner(QObject* parent) : QObject(parent)
{
    poll_.setInterval(kPollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, &TaskRunner::pollProgress);
    connect(&watcher_, &QFutureWatcher<std::exception_ptr>::finished, this, &TaskRunner::workEnded);
}

TaskRunner::~TaskRunner()
{
    if (isRunning()) {
        cancel();
        watcher_.waitForFinished();
    }
}

bool TaskRunner::isRunning() const
{
    return running_;
}

void TaskRunner::cancel()
{
    if (progress_)
        progress_->cancel();
}

bool TaskRunner::wasCancelled() const
{
    return progress_ && progress_->cancelled();
}

void TaskRunner::start(QObject* context, std::function<void(quorlin::Progress&)> work, std::function<void()> deliver)
{
    if (isRunning())
        throw std::logic_error("TaskRunner: a task is already running");
    running_ = true;
    progress_ = std::make_shared<quorlin::Progress>();
    context_ = context;
    deliver_ = std::move(deliver);
    lastDone_ = lastTotal_ = -1;
    auto progress = progress_;
    // The work and what it captured (a lease on the lottery state, say) are released on the worker
    // before the task counts as ended, so whoever waits for the end finds them gone.
    auto job = std::make_shared<std::function<void(quorlin::Progress&)>>(std::move(work));
    watcher_.setFuture(QtConcurrent::run([job, progress]() -> std::exception_ptr {
        std::exception_ptr error;
        try {
            (*job)(*progress);
        } catch (...) {
            error = std::current_exception();
        }
        *job = nullptr;
        return error;
    }));
    poll_.start();
}

void TaskRunner::pollProgress()
{
    const qint64 done = progress_->done();
    const qint64 total = progress_->total();
    if (done != lastDone_ || total != lastTotal_) {
        lastDone_ = done;
        lastTotal_ = total;
        emit progress(done, total);
    }
}

void TaskRunner::workEnded()
{
    running_ = false;
    poll_.stop();
    pollProgress();
    const std::exception_ptr error = watcher_.result();
    const std::function<void()> deliver = std::exchange(deliver_, {});
    auto* window = qobject_cast<QWidget*>(context_.data());
    if (error)
        ErrorHandler::report(window, error);
    else if (context_)
        runGuarded(window, deliver); // showing the result may fail as well, with its message
    emit finished();
}
