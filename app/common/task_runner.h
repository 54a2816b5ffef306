#pragma once

#include "common/progress.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

/// Runs one long core operation at a time on a worker thread, reports its progress for a progress
/// bar, lets the user stop it, and hands its result back on the user-interface thread.
class TaskRunner : public QObject {
    Q_OBJECT
public:
    explicit TaskRunner(QObject* parent = nullptr);
    /// Asks a running task to stop and waits for it, so that it never outlives what it works on.
    ~TaskRunner() override;

    /// Starts `work(progress)` on a worker thread. When it ends, `done` is called on this thread with
    /// its result (no argument for a void work) — unless `context` was destroyed meanwhile, in which
    /// case nothing is delivered. An exception thrown by the work, or by `done`, goes to the error
    /// handler instead.
    /// The work should capture what it needs by value. Throws std::logic_error while a task runs.
    template <class Work, class Done> void run(QObject* context, Work work, Done done)
    {
        using Result = std::invoke_result_t<Work&, quorlin::Progress&>;
        if constexpr (std::is_void_v<Result>) {
            start(context, std::move(work), std::move(done));
        } else {
            auto result = std::make_shared<std::optional<Result>>();
            start(
                context, [work = std::move(work), result](quorlin::Progress& p) mutable { result->emplace(work(p)); },
                [done = std::move(done), result]() mutable { done(std::move(**result)); });
        }
    }

    bool isRunning() const;
    /// Tells the running work to stop; it ends at its next look at the progress object.
    void cancel();
    /// The last task was told to stop.
    bool wasCancelled() const;

signals:
    void progress(qint64 done, qint64 total);
    /// The task ended: its result was delivered, its error reported, or its context was gone.
    void finished();

private:
    void start(QObject* context, std::function<void(quorlin::Progress&)> work, std::function<void()> deliver);
    void pollProgress();
    void workEnded();

    std::shared_ptr<quorlin::Progress> progress_;
    QFutureWatcher<std::exception_ptr> watcher_;
    QTimer poll_;
    QPointer<QObject> context_;
    std::function<void()> deliver_;
    bool running_ = false;
    qint64 lastDone_ = -1;
    qint64 lastTotal_ = -1;
};
