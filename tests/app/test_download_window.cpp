// The download window 数据下载, driven by its controls against a web server on 127.0.0.1 whose
// address the program finds in its side file.
#include "gui_test_base.h"

#include "common/message_box.h"
#include "download_fixtures.h"
#include "loopback_http_server.h"
#include "shell/lottery_document.h"
#include "store/schema.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace quorlin::test;
using Answer = LoopbackHttpServer::Answer;

class TestDownloadWindow : public GuiTestBase {
    Q_OBJECT

private:
    std::unique_ptr<LoopbackHttpServer> server_;

    std::vector<std::string> rows() const { return storedRows(program_->databasePath()); }

    /// Runs 数据下载 from the menu; `act` works the window once it is shown, and the window must be
    /// closed when the command returns.
    void runDownloadCommand(std::function<void(QDialog*)> act)
    {
        bool acted = false;
        whenModalShown([&](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), "frmdownload2");
            act(dialog);
            acted = true;
        });
        triggerAction("mnudownload");
        QVERIFY(acted);
        QVERIFY(!QApplication::activeModalWidget());
    }

    static void startDownload(QDialog* dialog)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>("btndown"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        setUpProgram({});
        storeLatestDraws(program_->databasePath());
        server_ = std::make_unique<LoopbackHttpServer>();
        writeAddressFile(program_->apppath(), server_->url("/kj.qry?gameNo=85&pageNo=1").toStdString());
    }

    void cleanup()
    {
        tearDownProgram();
        server_.reset();
    }

    void theWindowAsDesigned()
    {
        openShippedLottery();
        runDownloadCommand([this](QDialog* dialog) {
            QVERIFY2(!document_->state().caiopen, "the download closes the open lottery first");
            QCOMPARE(dialog->windowTitle(), "数据下载");
            QVERIFY(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
            QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QCOMPARE(dialog->size(), QSize(354, 74));
            QCOMPARE(dialog->findChild<QLabel*>("lbltishi")->text(), "选择彩票：");
            auto* comdown = dialog->findChild<QComboBox*>("comdown");
            QVERIFY(comdown->isEditable());
            QCOMPARE(comdown->count(), 2);
            QCOMPARE(comdown->itemText(1), "中国体彩超级大乐透");
            QCOMPARE(comdown->currentText(), "所有彩票");
            QVERIFY(dialog->findChild<QPushButton*>("btndown")->isDefault());
            QVERIFY(!dialog->findChild<QLabel*>("lbltitle")->isVisible());
            QVERIFY(!dialog->findChild<QProgressBar*>("prgdown")->isVisible());
            QVERIFY(!dialog->findChild<QPushButton*>("btnstop")->isVisible());
            QTest::mouseClick(dialog->findChild<QPushButton*>("btnclose"), Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
        });
        QVERIFY2(document_->state().caiopen, "and opens it again after");
        QVERIFY(messageTexts().isEmpty());
        QVERIFY(server_->requests().isEmpty());
    }

    void downloadsTheNewDrawsShowingItsProgress_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::newRow("所有彩票") << "所有彩票";
        QTest::newRow("中国体彩超级大乐透") << "中国体彩超级大乐透";
    }

    void downloadsTheNewDrawsShowingItsProgress()
    {
        QFETCH(QString, choice);
        server_->answerPage("/kj.qry", 1, Answer::slowPage(serviceAnswer({d26117, d26116, d26115}, 1, 90), 4, 100));
        runDownloadCommand([&](QDialog* dialog) {
            dialog->findChild<QComboBox*>("comdown")->setCurrentText(choice);
            startDownload(dialog);
            auto* progress = dialog->findChild<QProgressBar*>("prgdown");
            QVERIFY(progress->isVisible());
            QVERIFY(dialog->findChild<QPushButton*>("btnstop")->isVisible());
            QVERIFY(!dialog->findChild<QPushButton*>("btndown")->isVisible());
            QVERIFY(!dialog->findChild<QComboBox*>("comdown")->isVisible());
            QCOMPARE(dialog->findChild<QLabel*>("lbltitle")->text(), "正在更新中国体彩超级大乐透。。。");
            QTRY_VERIFY(progress->maximum() > 0 && progress->value() > 0);
            QTRY_VERIFY(!dialog->isVisible());
        });
        QCOMPARE(messageTexts(), QStringList{"下载完成！新增 2 期开奖号码。"});
        QCOMPARE(QString::fromStdString(rows().back()), "2026117 2026-10-14 3 11 19 27 35 2 9");
    }

    void nothingNewIsSaid()
    {
        server_->answer("/kj.qry", Answer::page(downloadFixture("results-service-latest.json")));
        runDownloadCommand([](QDialog* dialog) {
            startDownload(dialog);
            QTRY_VERIFY(!dialog->isVisible());
        });
        QCOMPARE(messageTexts(), QStringList{"下载完成！没有新的开奖号码。"});
        QCOMPARE(rows().size(), 5u);
    }

    void aTypedInNameThatIsNoLotteryIsRefusedByName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("another lottery") << "双色球"
                                         << "“双色球”不是可以下载的彩票：只能下载中国体彩超级大乐透的开奖号码。";
        QTest::newRow("nothing") << "  "
                                 << "请选择要下载的彩票！";
    }

    void aTypedInNameThatIsNoLotteryIsRefusedByName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        server_->answer("/kj.qry", Answer::page(serviceAnswer({d26116}, 1, 1)));
        runDownloadCommand([&](QDialog* dialog) {
            // What typing does to the box's line (QTest types ASCII only).
            QLineEdit* line = dialog->findChild<QComboBox*>("comdown")->lineEdit();
            line->selectAll();
            line->insert(typed);
            startDownload(dialog);
            QCOMPARE(messageTexts(), QStringList{message});
            // The window stays for another choice, which then downloads.
            QVERIFY(dialog->isVisible());
            QVERIFY(dialog->findChild<QComboBox*>("comdown")->isVisible());
            QVERIFY(server_->requests().isEmpty());
            line->selectAll();
            line->insert("中国体彩超级大乐透");
            startDownload(dialog);
            QTRY_VERIFY(!dialog->isVisible());
        });
        QCOMPARE(messageTexts().size(), 2);
        QCOMPARE(messageTexts().last(), "下载完成！新增 1 期开奖号码。");
        QCOMPARE(rows().size(), 6u);
    }

    void aFailureIsReportedWithNothingAdded()
    {
        runDownloadCommand([](QDialog* dialog) {
            startDownload(dialog);
            QTRY_VERIFY(!dialog->isVisible());
        });
        QCOMPARE(MessageBox::recorded().size(), 1);
        const MessageBox::Record box = MessageBox::recorded().first();
        QCOMPARE(box.kind, MessageBox::Kind::Critical);
        QVERIFY2(box.text.startsWith("下载失败：服务器答复 HTTP 404 Not Found（网址 " +
                                     server_->url("/kj.qry?gameNo=85&pageNo=1") + "）"),
                 qPrintable(box.text));
        QVERIFY(box.text.endsWith("新增 0 期开奖号码：数据库没有改动。"));
        QCOMPARE(rows().size(), 5u);
    }

    void stopEndsTheRunAtOnce_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("停止") << false;
        QTest::newRow("Esc") << true;
    }

    void stopEndsTheRunAtOnce()
    {
        QFETCH(bool, escape);
        server_->answer("/kj.qry", Answer::slowPage(serviceAnswer({d26116}, 1, 1), 20, 1000));
        runDownloadCommand([&](QDialog* dialog) {
            startDownload(dialog);
            QTRY_COMPARE(server_->requests().size(), 1);
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>("btnstop"), Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(messageTexts(), QStringList{"下载已停止，数据库没有改动。"});
        QCOMPARE(rows().size(), 5u);
    }
};

QTEST_MAIN(TestDownloadWindow)
#include "test_download_window.moc"
