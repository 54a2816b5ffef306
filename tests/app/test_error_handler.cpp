// Errors that stop a command: shown in an error box, and the program goes on.
#include "common/error_handler.h"
#include "common/message_box.h"
#include "common/quorlin_application.h"
#include "store/database.h"
#include "untimed_waits.h"

#include <QEvent>
#include <QTest>
#include <QTimer>

namespace {

// An object whose handling of a user event fails the way a database command does.
class FailingReceiver : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw quorlin::DatabaseError("找不到彩票“甲”的号码表 甲彩票号码表");
        return QObject::event(e);
    }
};

} // namespace

class TestErrorHandler : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearRecorded();
    }

    void errorInAnEventHandlerIsShownAndTheProgramGoesOn();
    void guardedCommandReportsItsError_data();
    void guardedCommandReportsItsError();
};

void TestErrorHandler::errorInAnEventHandlerIsShownAndTheProgramGoesOn()
{
    FailingReceiver receiver;
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    bool laterEventRan = false;
    QTimer::singleShot(0, [&laterEventRan] { laterEventRan = true; });
    QTRY_VERIFY(laterEventRan);
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().title, QString("错误"));
    QCOMPARE(MessageBox::recorded().first().text, QString("找不到彩票“甲”的号码表 甲彩票号码表"));
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Critical);
}

void TestErrorHandler::guardedCommandReportsItsError_data()
{
    QTest::addColumn<std::function<void()>>("command");
    QTest::addColumn<QString>("shown");
    QTest::newRow("database error") << std::function<void()>([] { throw quorlin::DatabaseError("数据库未连接"); })
                                    << QString("数据库未连接");
    QTest::newRow("other failure") << std::function<void()>([] { throw 7; }) << QString("未知错误");
}

void TestErrorHandler::guardedCommandReportsItsError()
{
    QFETCH(std::function<void()>, command);
    QFETCH(QString, shown);
    QVERIFY(!runGuarded(nullptr, command));
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().text, shown);
    QVERIFY(runGuarded(nullptr, [] {}));
    QCOMPARE(MessageBox::recorded().size(), 1);
}

int main(int argc, char* argv[])
{
    QuorlinApplication app(argc, argv);
    TestErrorHandler test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_error_handler.moc"
