// 数据备份 and 数据恢复 from the data menu: the dialogs they ask, the files they write, what the user
// is told when a copy fails or a file is refused, and the lottery reopened after a restore.
#include "gui_test_base.h"

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"
#include "store/database.h"
#include "store/lottery_catalog.h"
#include "store/schema.h"

#include <QDir>
#include <QSignalSpy>
#include <QTabBar>
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
    void restoreCancelledReopensTheLotteryOnItsTab();
    void restoreRefusesABadFileAndKeepsTheDatabase();
    void restoreAsksNamingTheDatabaseAndNoKeepsIt();
    void restoreReplacesTheDatabaseAndReopensOnIt();
    void aRestoredDatabaseWithoutTheLotteryLeavesItClosed();

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

void TestDatabaseCommands::restoreCancelledReopensTheLotteryOnItsTab()
{
    openShippedLottery();
    triggerAction("mnuhei");
    QSignalSpy closed(document_.get(), &LotteryDocument::closed);
    QSignalSpy opened(document_.get(), &LotteryDocument::opened);
    triggerAction("mnustoredata");
    // Closed for the dialog, open again on the 和值 tab after it.
    QCOMPARE(closed.size(), 1);
    QCOMPARE(opened.size(), 1);
    QVERIFY(document_->state().caiopen);
    QCOMPARE(mainWindow_->findChild<QTabBar*>("tabmain")->currentIndex(), 3);
    QVERIFY(mainWindow_->currentView());
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
    MessageBox::setNextAnswer(QMessageBox::Yes);
    triggerAction("mnustoredata");
    QCOMPARE(MessageBox::recorded().size(), 2);
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Critical);
    QVERIFY2(lastMessage().startsWith("数据恢复失败，原数据库未改动："), qPrintable(lastMessage()));
    QCOMPARE(drawCount(database()), 5);
    QVERIFY(!QFile::exists(database() + ".bak"));
}

void TestDatabaseCommands::restoreAsksNamingTheDatabaseAndNoKeepsIt()
{
    openShippedLottery();
    quorlin::test::ShippedProgram backup;
    const QString source = QString::fromStdString(backup.databasePath());
    FileDialog::setNextFileName(source);
    MessageBox::setNextAnswer(QMessageBox::No);
    triggerAction("mnustoredata");
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Question);
    QVERIFY2(lastMessage().contains("将用“" + QDir::toNativeSeparators(source) + "”替换数据库“" +
                                    QDir::toNativeSeparators(database()) + "”"),
             qPrintable(lastMessage()));
    QCOMPARE(drawCount(database()), 5);
    QVERIFY(!QFile::exists(database() + ".bak"));
    QVERIFY(document_->state().caiopen);
    QCOMPARE(document_->state().recnum, 5);
}

void TestDatabaseCommands::restoreReplacesTheDatabaseAndReopensOnIt()
{
    openShippedLottery();
    triggerAction("mnuhei");
    quorlin::test::ShippedProgram backup;
    quorlin::test::insertDraws(backup.databasePath(), quorlin::kShippedLottery, {{2019001, 1, 2, 3, 4, 5, 1, 2}});
    FileDialog::setNextFileName(QString::fromStdString(backup.databasePath()));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    triggerAction("mnustoredata");
    QCOMPARE(messageTexts().size(), 2);
    QCOMPARE(messageTexts().last(), QString("成功恢复！"));
    QCOMPARE(drawCount(database() + ".bak"), 5);

    // The lottery is open again on the restored draws, on the tab it was on.
    QVERIFY(document_->state().caiopen);
    QCOMPARE(document_->state().recnum, 1);
    QCOMPARE(mainWindow_->findChild<QTabBar*>("tabmain")->currentIndex(), 3);
}

void TestDatabaseCommands::aRestoredDatabaseWithoutTheLotteryLeavesItClosed()
{
    openShippedLottery();
    quorlin::test::ShippedProgram backup;
    {
        quorlin::Database db;
        db.open(backup.databasePath());
        db.exec("drop table " + quorlin::quoteIdentifier(quorlin::definitionTableName(quorlin::kShippedLottery)));
    }
    FileDialog::setNextFileName(QString::fromStdString(backup.databasePath()));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    triggerAction("mnustoredata");
    QCOMPARE(messageTexts().value(1), QString("成功恢复！"));
    QCOMPARE(MessageBox::recorded().size(), 3);
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Critical);
    QVERIFY2(lastMessage().startsWith(QStringLiteral("无法重新打开彩票《%1》：").arg(quorlin::kShippedLottery)),
             qPrintable(lastMessage()));
    QVERIFY(!document_->state().caiopen);
    QVERIFY(!mainWindow_->currentView());
    QVERIFY(!mainWindow_->findChild<QTabBar*>("tabmain")->isVisible());
}

QTEST_MAIN(TestDatabaseCommands)
#include "test_database_commands.moc"
