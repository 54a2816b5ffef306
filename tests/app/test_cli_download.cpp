// quorlin-cli download against a web server on 127.0.0.1: the count of added draws on stdout and an
// exit status that tells a failure (an error answer included) from success.
#include "cli_commands.h"
#include "download.h"
#include "download_fixtures.h"
#include "loopback_http_server.h"
#include "store/schema.h"
#include "test_support.h"

#include <QTest>

#include <sstream>

using namespace quorlin::test;
using Answer = LoopbackHttpServer::Answer;

class TestCliDownload : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShippedProgram> program_;
    std::unique_ptr<LoopbackHttpServer> server_;
    std::string out_;
    std::string err_;

    int run(const std::vector<std::string>& args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = quorlin::cli::run(args, program_->path().string(), out, err);
        out_ = out.str();
        err_ = err.str();
        return status;
    }

private slots:
    void initTestCase() { quorlin::cli::setDownloadCommand(quorlin::cli::runDownload); }

    void init()
    {
        program_ = std::make_unique<ShippedProgram>();
        storeLatestDraws(program_->databasePath());
        server_ = std::make_unique<LoopbackHttpServer>();
        server_->answer("/new", Answer::page(serviceAnswer({d26117, d26116, d26115}, 1, 90)));
        server_->answer("/latest", Answer::page(downloadFixture("results-service-latest.json")));
        server_->answer("/busy", Answer::page(downloadFixture("results-service-error.json")));
    }

    void cleanup()
    {
        server_.reset();
        program_.reset();
    }

    void printsTheCountAndTellsFailures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("rows");
        QTest::newRow("new draws") << "/new" << 0 << "2\n"
                                   << "" << 7;
        QTest::newRow("nothing new") << "/latest" << 0 << "0\n"
                                     << "没有新的开奖号码\n"
                                     << 5;
        QTest::newRow("error answer") << "/busy" << 1 << "0\n"
                                      << "下载失败：开奖服务返回错误：系统繁忙（错误代码 9999）\n"
                                         "新增 0 期开奖号码：数据库没有改动。\n"
                                      << 5;
        QTest::newRow("404") << "/missing" << 1 << "0\n"
                             << "服务器答复 HTTP 404" << 5;
    }

    void printsTheCountAndTellsFailures()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(int, rows);
        QCOMPARE(run({"download", quorlin::kShippedLottery, server_->url(path).toStdString()}), status);
        QCOMPARE(QString::fromStdString(out_), out);
        QVERIFY2(status == 0 ? QString::fromStdString(err_) == err : QString::fromStdString(err_).contains(err),
                 err_.c_str());
        QCOMPARE(static_cast<int>(storedRows(program_->databasePath()).size()), rows);
    }

    void theDrawsResultsAreToldOnStderr()
    {
        program_ = std::make_unique<ShippedProgram>();
        server_->answer("/prizes", Answer::page(downloadFixture("results-service-prizes.json")));
        const std::vector<std::string> args{"download", quorlin::kShippedLottery,
                                            server_->url("/prizes").toStdString()};
        QCOMPARE(run(args), 0);
        QCOMPARE(out_, "5\n");
        QCOMPARE(QString::fromStdString(err_), "下载完成！新增 5 期开奖号码，5 期存入了中奖结果。\n");
        QCOMPARE(run(args), 0);
        QCOMPARE(out_, "0\n");
        QCOMPARE(QString::fromStdString(err_), "没有新的开奖号码\n");
    }

    void withoutAnAddressTheSideFileIsUsed()
    {
        writeAddressFile(program_->apppath(), server_->url("/new").toStdString());
        QCOMPARE(run({"download", quorlin::kShippedLottery}), 0);
        QCOMPARE(out_, "2\n");
        QCOMPARE(server_->requests(), QStringList{"/new"});
    }

    void wrongWordsAndUnknownLotteries()
    {
        QCOMPARE(run({"download"}), 2);
        QCOMPARE(run({"download", quorlin::kShippedLottery, server_->url("/new").toStdString(), "x"}), 2);
        QVERIFY(err_.find("download 彩票名称 [地址]") != std::string::npos);
        QCOMPARE(run({"download", "双色球", server_->url("/new").toStdString()}), 1);
        QCOMPARE(out_, "0\n");
        QVERIFY2(err_.find("双色球彩票号码表") != std::string::npos, err_.c_str());
        QVERIFY(server_->requests().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliDownload)
#include "test_cli_download.moc"
