// What the program does by itself once its window is shown: it opens the lottery opened last and
// fetches the missing draws in the background, from a web server on 127.0.0.1; and the 选项 window
// that turns both off. The settings live in a folder of the test's own.
#include "gui_test_base.h"

#include "common/app_settings.h"
#include "common/message_box.h"
#include "download_fixtures.h"
#include "loopback_http_server.h"
#include "shell/lottery_document.h"
#include "shell/main_status_bar.h"
#include "shell/u_main.h"
#include "store/schema.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quorlin::test;
using Answer = LoopbackHttpServer::Answer;

namespace {

// Stored draws end with 2026115 of Saturday 2026-10-10; the draws of Monday 10-12 and Wednesday 10-14
// are missing on Thursday.
const QDateTime kUpToDate(QDate(2026, 10, 11), QTime(10, 0));
const QDateTime kTwoBehind(QDate(2026, 10, 15), QTime(10, 0));

} // namespace

class TestStartUp : public GuiTestBase {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> settingsFolder_;
    std::unique_ptr<LoopbackHttpServer> server_;

    MainStatusBar& bar() { return mainWindow_->mainStatusBar(); }
    QLabel* downloadState() { return requireChild<QLabel>(&bar(), "lblxinkaijiang"); }
    QPushButton* retry() { return requireChild<QPushButton>(&bar(), "btnchongshi"); }
    std::vector<std::string> rows() const { return storedRows(program_->databasePath()); }

    void setClock(const QDateTime& now)
    {
        bar().setClock([now] { return now; });
    }

    /// Starts the program as main() does, with the dialog 打开彩票 worked by `act` if it is shown.
    void startUp(std::function<void(QDialog*)> act = {})
    {
        bool shown = false;
        if (act)
            whenModalShown([&](QDialog* dialog) {
                QCOMPARE(dialog->objectName(), "frmindex");
                shown = true;
                act(dialog);
            });
        mainWindow_->startUp();
        QCOMPARE(shown, bool(act));
    }

private slots:
    void init()
    {
        settingsFolder_ = std::make_unique<QTemporaryDir>();
        AppSettings::open(settingsFolder_->filePath(AppSettings::fileName()));
        setUpProgram({});
        storeLatestDraws(program_->databasePath());
        server_ = std::make_unique<LoopbackHttpServer>();
        writeAddressFile(program_->apppath(), server_->url("/kj.qry?gameNo=85&pageNo=1").toStdString());
        setClock(kUpToDate);
    }

    void cleanup()
    {
        tearDownProgram();
        AppSettings::close();
        server_.reset();
        settingsFolder_.reset();
    }

    void theLastLotteryIsOpenedAtStart()
    {
        AppSettings::setValue(AppSettings::kLastLottery, quorlin::kShippedLottery);
        startUp();
        QVERIFY(document_->state().caiopen);
        QCOMPARE(document_->state().cainame, quorlin::kShippedLottery);
        QVERIFY(messageTexts().isEmpty());
    }

    void withoutALastLotteryTheDialogIsShownAndItsChoiceKept()
    {
        startUp(&GuiTestBase::openShippedIn);
        QVERIFY(document_->state().caiopen);
        QCOMPARE(AppSettings::value(AppSettings::kLastLottery).toString(), quorlin::kShippedLottery);
        QVERIFY(messageTexts().isEmpty());
    }

    void aLastLotteryThatIsGoneIsNamedAndTheDialogShown()
    {
        AppSettings::setValue(AppSettings::kLastLottery, "已删除的彩票");
        startUp([](QDialog*) {});
        QVERIFY(!document_->state().caiopen);
        QCOMPARE(messageTexts().size(), 1);
        QVERIFY2(messageTexts().first().startsWith("无法打开上次的彩票《已删除的彩票》："),
                 qPrintable(messageTexts().first()));
    }

    void optionsTurnBothOff()
    {
        AppSettings::setValue(AppSettings::kLastLottery, quorlin::kShippedLottery);
        whenModalShown([](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), "Tfrmoptions");
            QCOMPARE(dialog->windowTitle(), "选项");
            auto* chkshangci = requireChild<QCheckBox>(dialog, "chkshangci");
            auto* chkzidong = requireChild<QCheckBox>(dialog, "chkzidong");
            QCOMPARE(chkshangci->text(), "启动时打开上次的彩票");
            QCOMPARE(chkzidong->text(), "自动下载新开奖");
            QVERIFY(chkshangci->isChecked() && chkzidong->isChecked());
            chkshangci->setChecked(false);
            chkzidong->setChecked(false);
            QTest::mouseClick(requireChild<QPushButton>(dialog, "btnok"), Qt::LeftButton);
        });
        triggerAction("mnuoptions");
        QCOMPARE(AppSettings::flag(AppSettings::kOpenLastLottery, true), false);
        QCOMPARE(AppSettings::flag(AppSettings::kAutoDownload, true), false);

        setClock(kTwoBehind);
        startUp([](QDialog*) {});
        QVERIFY(!document_->state().caiopen);
        QVERIFY(!downloadState()->isVisible());
        // A draw time passing changes nothing either.
        setClock(kTwoBehind.addDays(3));
        QVERIFY(!downloadState()->isVisible());

        // 取消 keeps what was chosen.
        whenModalShown([](QDialog* dialog) {
            requireChild<QCheckBox>(dialog, "chkzidong")->setChecked(true);
            QTest::mouseClick(requireChild<QPushButton>(dialog, "btncancel"), Qt::LeftButton);
        });
        triggerAction("mnuoptions");
        QCOMPARE(AppSettings::flag(AppSettings::kAutoDownload, true), false);
        QVERIFY(server_->requests().isEmpty());
    }

    void missingDrawsAreFetchedInTheBackgroundAndTheLotteryShowsThem()
    {
        server_->answer("/kj.qry", Answer::slowPage(serviceAnswer({d26117, d26116, d26115}, 1, 1), 4, 50));
        AppSettings::setValue(AppSettings::kLastLottery, quorlin::kShippedLottery);
        setClock(kTwoBehind);
        QCOMPARE(bar().behind(), 2);
        startUp();
        QCOMPARE(downloadState()->text(), "正在下载新开奖…");
        QVERIFY(downloadState()->isVisible());
        QVERIFY(document_->state().caiopen);

        QTRY_COMPARE(downloadState()->text(), "已下载 2 期");
        QCOMPARE(QString::fromStdString(rows().back()), "2026117 2026-10-14 3 11 19 27 35 2 9");
        QVERIFY2(document_->state().caiopen, "the lottery is opened again on its new draws");
        QCOMPARE(document_->state().recnum, 7);
        QCOMPARE(bar().behind(), 0);
        QVERIFY(!retry()->isVisible());
        QVERIFY(messageTexts().isEmpty());
    }

    void nothingIsFetchedWhenUpToDateUntilADrawTimePasses()
    {
        server_->answer("/kj.qry", Answer::page(serviceAnswer({d26117, d26116, d26115}, 1, 1)));
        startUp([](QDialog*) {});
        QVERIFY(!downloadState()->isVisible());

        setClock(kTwoBehind);
        QCOMPARE(downloadState()->text(), "正在下载新开奖…");
        QTRY_COMPARE(downloadState()->text(), "已下载 2 期");
        QCOMPARE(server_->requests().size(), 1);
        QCOMPARE(rows().size(), 7u);
        QVERIFY(messageTexts().isEmpty());
    }

    void aFailureIsALineWithRetryNeverABox()
    {
        writeAddressFile(
            program_->apppath(),
            QStringLiteral("http://127.0.0.1:%1/kj.qry?pageNo=1").arg(LoopbackHttpServer::closedPort()).toStdString());
        setClock(kTwoBehind);
        startUp([](QDialog*) {});
        QTRY_VERIFY(retry()->isVisible());
        QVERIFY2(downloadState()->text().startsWith("下载新开奖失败："), qPrintable(downloadState()->text()));
        QCOMPARE(downloadState()->text(), "下载新开奖失败：服务器拒绝连接");
        QVERIFY(!downloadState()->toolTip().isEmpty());
        QCOMPARE(rows().size(), 5u);
        QVERIFY(messageTexts().isEmpty());

        // The server answers now: 重试 fetches the draws.
        server_->answer("/kj.qry", Answer::page(serviceAnswer({d26117, d26116, d26115}, 1, 1)));
        writeAddressFile(program_->apppath(), server_->url("/kj.qry?gameNo=85&pageNo=1").toStdString());
        QTest::mouseClick(retry(), Qt::LeftButton);
        QVERIFY(!retry()->isVisible());
        QTRY_COMPARE(downloadState()->text(), "已下载 2 期");
        QCOMPARE(rows().size(), 7u);
        QVERIFY(messageTexts().isEmpty());
    }

    void aFailedPageKeepsThePagesBeforeIt()
    {
        Answer refusal = Answer::page("busy");
        refusal.status = 503;
        server_->answerPage("/kj.qry", 1, Answer::page(serviceAnswer({d26117, d26116}, 1, 50)));
        server_->answerPage("/kj.qry", 2, refusal);
        AppSettings::setValue(AppSettings::kLastLottery, quorlin::kShippedLottery);
        setClock(kTwoBehind);
        startUp();
        QTRY_VERIFY(retry()->isVisible());
        QVERIFY2(downloadState()->text().startsWith("已下载 2 期，其余下载新开奖失败："),
                 qPrintable(downloadState()->text()));
        QCOMPARE(server_->requests().size(), 2);
        QCOMPARE(rows().size(), 7u);
        QVERIFY2(document_->state().caiopen, "the lottery is opened again on the draws stored");
        QCOMPARE(document_->state().recnum, 7);
        QVERIFY(messageTexts().isEmpty());
    }

    void aRefusingServerIsAFailureToo()
    {
        Answer refusal = Answer::page("busy");
        refusal.status = 503;
        server_->answer("/kj.qry", refusal);
        setClock(kTwoBehind);
        startUp([](QDialog*) {});
        QTRY_VERIFY(retry()->isVisible());
        QVERIFY2(downloadState()->text().startsWith("下载新开奖失败："), qPrintable(downloadState()->text()));
        QCOMPARE(rows().size(), 5u);
        QVERIFY(messageTexts().isEmpty());
    }
};

QTEST_MAIN(TestStartUp)
#include "test_start_up.moc"
