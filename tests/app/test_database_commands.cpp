// 数据备份 and 数据恢复 from the data menu: the dialogs they ask, the files they write, and what the
// user is told when a copy fails or a file is refused.
#include "gui_test_base.h"

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"
#include "store/database.h"
#include "store/lottery_catalog.h"
#include "store/schema.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// The draws of the shipped lottery in a database file; -1 when it cannot be read.
std::int64_t drawCount(const QString& path)
{
    try {
        quorlin::Database db;
        db.open(path.toStdString(), quorlin::Database::Mode::ReadOnly);
        return quorlin::countDraws(db, quorlin::kShippedLottery);
    } catch (const quorlin::DatabaseError&) {
        return -1;
    }
}

} // namespace

class TestDatabaseCommands : public GuiTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void init()
    {
        setUpProgram();
        desktop_ = home_.filePath("Desktop");
        QVERIFY(QDir().mkpath(desktop_));
    }
    void cleanup() { tearDownProgram(); }

    void backupProposesTheDesktopAndWritesACopyOfTheOpenLottery();
    void backupIntoAFolderThatCannotBeWrittenIsReported();
    void restoreClosesTheLotteryFirstEvenWhenCancelled();
    void restoreRefusesABadFileAndKeepsTheDatabase();
    void restoreReplacesTheDatabaseAndKeepsTheOldOne();

private:
    QString database() const { return QString::fromStdString(program_->databasePath()); }
    static QString lastMessage() { return messageTexts().value(messageTexts().size() - 1); }

    // The user's home folder for the dialogs' Desktop, apart from the real one.
    QTemporaryDir home_;
    QString desktop_;
};

void TestDatabaseCommands::initTestCase()
{
    QVERIFY(home_.isValid());
    qputenv("HOME", QFile::encodeName(home_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath("config")));
}

void TestDatabaseCommands::backupProposesTheDesktopAndWritesACopyOfTheOpenLottery()
{
    triggerAction("mnubackupdata");
    QVERIFY(MessageBox::recorded().isEmpty());
    QCOMPARE(FileDialog::recorded().size(), 1);
    const FileDialog::Record dialog = FileDialog::recorded().first();
    QCOMPARE(dialog.kind, FileDialog::Kind::Save);
    QCOMPARE(dialog.dir, desktop_ + "/彩票数据.mdb");
    QCOMPARE(dialog.filter, QString("数据库 (*.mdb)"));

    // The lottery stays open; a name typed without extension gets ".mdb".
    openShippedLottery();
    FileDialog::setNextFileName(desktop_ + "/三月备份");
    triggerAction("mnubackupdata");
    QCOMPARE(lastMessage(), QString("成功备份！"));
    QCOMPARE(drawCount(desktop_ + "/三月备份.mdb"), 5);
    QVERIFY(document_->state().caiopen);
}

void TestDatabaseCommands::backupIntoAFolderThatCannotBeWrittenIsReported()
{
    FileDialog::setNextFileName(desktop_ + "/没有的文件夹/彩票数据.mdb");
    triggerAction("mnubackupdata");
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Critical);
    QVERIFY2(lastMessage().startsWith("数据备份失败："), qPrintable(lastMessage()));

    const QString target = desktop_ + "/彩票数据.mdb";
    std::ofstream(target.toStdString()) << "an older backup";
    quorlin::test::ReadOnlyFolder readOnly(fs::path(desktop_.toStdString()));
    if (!readOnly.active())
        QSKIP("this file system lets the test write into a read-only folder");
    FileDialog::setNextFileName(target);
    triggerAction("mnubackupdata");
    QCOMPARE(MessageBox::recorded().size(), 2);
    QVERIFY2(lastMessage().startsWith("数据备份失败："), qPrintable(lastMessage()));
    QVERIFY(!messageTexts().contains("成功备份！"));
    QCOMPARE(drawCount(target), -1);
}

void TestDatabaseCommands::restoreClosesTheLotteryFirstEvenWhenCancelled()
{
    openShippedLottery();
    triggerAction("mnustoredata");
    QVERIFY(!document_->state().caiopen);
    QVERIFY(!mainWindow_->currentView());
    QCOMPARE(FileDialog::recorded().size(), 1);
    QCOMPARE(FileDialog::recorded().first().kind, FileDialog::Kind::Open);
    QCOMPARE(FileDialog::recorded().first().dir, desktop_);
    QCOMPARE(FileDialog::recorded().first().filter, QString("数据库 (*.mdb)"));
    QVERIFY(MessageBox::recorded().isEmpty());
    QCOMPARE(drawCount(database()), 5);
}

void TestDatabaseCommands::restoreRefusesABadFileAndKeepsTheDatabase()
{
    const QString bad = desktop_ + "/彩票数据.mdb";
    std::ofstream(bad.toStdString()) << "not a database at all";
    FileDialog::setNextFileName(bad);
    triggerAction("mnustoredata");
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Critical);
    QVERIFY2(lastMessage().startsWith("数据恢复失败，原数据库未改动："), qPrintable(lastMessage()));
    QCOMPARE(drawCount(database()), 5);
    QVERIFY(!QFile::exists(database() + ".bak"));
}

void TestDatabaseCommands::restoreReplacesTheDatabaseAndKeepsTheOldOne()
{
    quorlin::test::ShippedProgram backup;
    quorlin::test::insertDraws(backup.databasePath(), quorlin::kShippedLottery, {{2019001, 1, 2, 3, 4, 5, 1, 2}});
    FileDialog::setNextFileName(QString::fromStdString(backup.databasePath()));
    triggerAction("mnustoredata");
    QCOMPARE(messageTexts(), QStringList{"成功恢复！"});
    QCOMPARE(drawCount(database() + ".bak"), 5);

    // The next open reads the restored draws.
    openShippedLottery();
    QCOMPARE(document_->state().recnum, 1);
}

QTEST_MAIN(TestDatabaseCommands)
#include "test_database_commands.moc"
