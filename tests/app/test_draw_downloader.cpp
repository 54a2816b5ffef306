// The download over the network: pages fetched from a web server on 127.0.0.1 until the merge has
// what it needs, and every kind of fetch failure reported with nothing written.
#include "download_fixtures.h"
#include "draw_downloader.h"
#include "loopback_http_server.h"
#include "store/schema.h"
#include "test_support.h"
#include "untimed_waits.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace quorlin::test;
using Answer = LoopbackHttpServer::Answer;

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

class TestDrawDownloader : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShippedProgram> program_;
    std::unique_ptr<LoopbackHttpServer> server_;

    void writeAddressFile(const QString& address)
    {
        quorlin::test::writeAddressFile(program_->apppath(), address.toStdString());
    }

    quorlin::DownloadResult download(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        DrawDownloader downloader(program_->apppath(), quorlin::kShippedLottery);
        downloader.setTimeout(timeout);
        return downloader.run();
    }

    std::vector<std::string> rows() const { return storedRows(program_->databasePath()); }

private slots:
    void init()
    {
        program_ = std::make_unique<ShippedProgram>();
        server_ = std::make_unique<LoopbackHttpServer>();
    }

    void cleanup()
    {
        server_.reset();
        program_.reset();
    }

    void pagesAreFetchedUntilOneReachesTheStoredDraws()
    {
        storeLatestDraws(program_->databasePath());
        writeAddressFile(server_->url("/kj.qry?gameNo=85&pageNo=1"));
        server_->answerPage("/kj.qry", 1, Answer::page(serviceAnswer({d26118, d26117}, 1, 40)));
        server_->answerPage("/kj.qry", 2, Answer::page(serviceAnswer({d26116, d26115, d26114}, 2, 40)));
        server_->answerPage("/kj.qry", 3, Answer::page(serviceAnswer({}, 3, 40)));

        const quorlin::DownloadResult result = download();
        QVERIFY2(result.ok(), result.error.c_str());
        QCOMPARE(result.added, 3);
        QCOMPARE(server_->requests(), QStringList({"/kj.qry?gameNo=85&pageNo=1", "/kj.qry?gameNo=85&pageNo=2"}));
        QCOMPARE(qs(rows().back()), "2026118 2026-10-17 5 6 7 8 9 10 11");
        // The last page fetched stays on disk as received.
        QFile page(qs(program_->apppath() + "号码.txt"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(page.readAll(), QByteArray::fromStdString(serviceAnswer({d26116, d26115, d26114}, 2, 40)));
    }

    void anEmptyTableIsFilledFromScratchThroughARedirect()
    {
        // The side file names an old address without a page number, which now redirects.
        writeAddressFile(server_->url("/old"));
        server_->answer("/old", Answer::redirect(server_->url("/kj.qry?gameNo=85&pageNo=1")));
        server_->answerPage("/old", 2, Answer::redirect(server_->url("/kj.qry?gameNo=85&pageNo=2")));
        server_->answerPage("/kj.qry", 1, Answer::page(serviceAnswer({d26116, d26115}, 1, 2)));
        server_->answerPage("/kj.qry", 2, Answer::page(serviceAnswer({d26114}, 2, 2)));

        const quorlin::DownloadResult result = download();
        QVERIFY2(result.ok(), result.error.c_str());
        QCOMPARE(result.added, 3);
        QCOMPARE(server_->requests(),
                 QStringList({"/old", "/kj.qry?gameNo=85&pageNo=1", "/old?pageNo=2", "/kj.qry?gameNo=85&pageNo=2"}));
        QCOMPARE(qs(rows().front()), "2026114 2026-10-07 8 12 15 29 30 9 12");
        QCOMPARE(rows().size(), 3u);
    }

    void failuresWriteNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<QString>("error");
        QTest::newRow("404 on page 2") << "/kj.qry?pageNo=1" << 10000
                                       << "服务器答复 HTTP 404 Not Found（网址 %1/kj.qry?pageNo=2）";
        QTest::newRow("error answer") << "/busy" << 10000 << "开奖服务返回错误：系统繁忙（错误代码 9999）";
        QTest::newRow("no answer in time") << "/silent" << 300 << "等了 0.3 秒还没有收完答复，已超时（网址 %1/silent）";
        // A byte now and then must not hold the download beyond its time.
        QTest::newRow("answer trickles in")
            << "/trickle" << 600 << "等了 0.6 秒还没有收完答复，已超时（网址 %1/trickle）";
        QTest::newRow("unreachable") << "closed" << 10000 << "服务器拒绝连接（网址 http://127.0.0.1:";
        QTest::newRow("not a web address") << "file:///etc/passwd" << 10000 << "不是 http:// 或 https:// 开头的网址";
        QTest::newRow("a conflicting row") << "/conflict" << 10000 << "期号 2026115 已存为 2026-10-10";
    }

    void failuresWriteNothing()
    {
        QFETCH(QString, address);
        QFETCH(int, timeoutMs);
        QFETCH(QString, error);
        storeLatestDraws(program_->databasePath());
        server_->answerPage("/kj.qry", 1, Answer::page(serviceAnswer({d26117, d26116}, 1, 40)));
        server_->answer("/busy", Answer::page(downloadFixture("results-service-error.json")));
        server_->answer("/silent", Answer::none());
        server_->answer("/trickle", Answer::slowPage(serviceAnswer({d26117, d26116}, 1, 1), 20, 150));
        PublishedDraw changed = d26115;
        changed.numbers[0] = 1;
        server_->answer("/conflict", Answer::page(serviceAnswer({d26116, changed}, 1, 40)));
        if (address == "closed")
            address = QStringLiteral("http://127.0.0.1:%1/kj.qry").arg(LoopbackHttpServer::closedPort());
        else if (address.startsWith('/'))
            address = server_->url(address);
        writeAddressFile(address);

        QElapsedTimer clock;
        clock.start();
        const quorlin::DownloadResult result = download(std::chrono::milliseconds(timeoutMs));
        QCOMPARE(result.outcome, quorlin::DownloadResult::Outcome::Failed);
        const QString expected = error.contains("%1") ? error.arg(server_->url({})) : error;
        QVERIFY2(qs(result.error).contains(expected), qPrintable(qs(result.error) + " / " + expected));
        QVERIFY2(qs(quorlin::downloadMessage(result)).contains("新增 0 期开奖号码"), result.error.c_str());
        QCOMPARE(rows().size(), 5u);
        QVERIFY2(clock.elapsed() < 5000, "a failure is reported without waiting for the default timeout");
    }

    void stopEndsTheDownloadAtOnce()
    {
        storeLatestDraws(program_->databasePath());
        writeAddressFile(server_->url("/slow"));
        server_->answer("/slow", Answer::slowPage(serviceAnswer({d26116}, 1, 1), 10, 1000));
        DrawDownloader downloader(program_->apppath(), quorlin::kShippedLottery);
        QList<quorlin::DownloadResult> finished;
        connect(&downloader, &DrawDownloader::finished, this,
                [&](const quorlin::DownloadResult& result) { finished.append(result); });
        QSignalSpy progress(&downloader, &DrawDownloader::progress);
        downloader.start();
        QTRY_VERIFY(!progress.isEmpty());
        QVERIFY(downloader.isRunning());
        downloader.stop();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().outcome, quorlin::DownloadResult::Outcome::Stopped);
        QVERIFY(!downloader.isRunning());
        QTest::qWait(50);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(rows().size(), 5u);
    }
};

QTEST_GUILESS_MAIN(TestDrawDownloader)
#include "test_draw_downloader.moc"
