// Long work off the user-interface thread: progress, stop, delivery of the result, errors.
#include "common/message_box.h"
#include "common/task_runner.h"
#include "store/database.h"
#include "untimed_waits.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Work that reports 3 of 10 and then waits until it is released or told to stop.
struct HeldWork {
    std::shared_ptr<std::atomic<bool>> released = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<QThread*>> thread = std::make_shared<std::atomic<QThread*>>(nullptr);

    int operator()(quorlin::Progress& progress) const
    {
        thread->store(QThread::currentThread());
        progress.report(3, 10);
        while (!released->load() && !progress.cancelled())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return progress.cancelled() ? -1 : 42;
    }
};

} // namespace

class TestTaskRunner : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearRecorded();
    }

    void reportsProgressAndDeliversOnTheUserThread();
    void cancelStopsTheWorkAndStillDelivers();
    void nothingIsDeliveredToADestroyedContext();
    void workErrorsGoToTheErrorHandler();
    void destroyingTheRunnerStopsItsWork();
};

void TestTaskRunner::reportsProgressAndDeliversOnTheUserThread()
{
    TaskRunner runner;
    QObject context;
    QSignalSpy progress(&runner, &TaskRunner::progress);
    QSignalSpy finished(&runner, &TaskRunner::finished);
    HeldWork work;
    int result = 0;
    QThread* deliveredOn = nullptr;
    runner.run(&context, work, [&](int value) {
        result = value;
        deliveredOn = QThread::currentThread();
    });
    QVERIFY(runner.isRunning());
    QTRY_VERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toLongLong(), 3);
    QCOMPARE(progress.last().at(1).toLongLong(), 10);
    QCOMPARE(result, 0);

    work.released->store(true);
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(result, 42);
    QCOMPARE(deliveredOn, QThread::currentThread());
    QVERIFY(work.thread->load() != QThread::currentThread());
    QVERIFY(!runner.isRunning());
    QVERIFY(!runner.wasCancelled());
}

void TestTaskRunner::cancelStopsTheWorkAndStillDelivers()
{
    TaskRunner runner;
    QObject context;
    QSignalSpy finished(&runner, &TaskRunner::finished);
    int result = 0;
    runner.run(&context, HeldWork{}, [&](int value) { result = value; });
    runner.cancel();
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(result, -1);
    QVERIFY(runner.wasCancelled());
}

void TestTaskRunner::nothingIsDeliveredToADestroyedContext()
{
    TaskRunner runner;
    QSignalSpy finished(&runner, &TaskRunner::finished);
    auto* context = new QObject;
    HeldWork work;
    bool delivered = false;
    runner.run(context, work, [&](int) { delivered = true; });
    delete context;
    work.released->store(true);
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(!delivered);
}

void TestTaskRunner::workErrorsGoToTheErrorHandler()
{
    TaskRunner runner;
    QObject context;
    QSignalSpy finished(&runner, &TaskRunner::finished);
    bool delivered = false;
    runner.run(
        &context, [](quorlin::Progress&) { throw quorlin::DatabaseError("数据库文件已损坏"); },
        [&] { delivered = true; });
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(!delivered);
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().title, QString("错误"));
    QCOMPARE(MessageBox::recorded().first().text, QString("数据库文件已损坏"));
}

void TestTaskRunner::destroyingTheRunnerStopsItsWork()
{
    auto runner = std::make_unique<TaskRunner>();
    QObject context;
    auto ended = std::make_shared<std::atomic<bool>>(false);
    HeldWork held;
    runner->run(
        &context,
        [held, ended](quorlin::Progress& progress) {
            held(progress);
            ended->store(true);
        },
        [] {});
    runner.reset();
    QVERIFY(ended->load());
}

QTEST_MAIN(TestTaskRunner)
#include "test_task_runner.moc"
