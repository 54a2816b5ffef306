// The download's merge: which draws are new, how they are dated, when more pages are wanted, and that
// one download writes all its new draws and their published results or none.
#include "data/download_address.h"
#include "data/draw_download.h"
#include "data/results_page.h"
#include "download_fixtures.h"
#include "store/database.h"
#include "store/prize_store.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quorlin;
using namespace quorlin::test;

namespace {

struct DownloadFixture : ::testing::Test {
    test::ShippedProgram program;

    std::vector<std::string> table() { return test::storedRows(program.databasePath()); }

    DrawDownload download() { return DrawDownload(program.databasePath(), kShippedLottery); }

    PrizeResults storedResults()
    {
        Database db;
        db.open(program.databasePath());
        return readPrizeResults(db, kShippedLottery);
    }

    /// Downloads one answer of the results service listing the draws 26089 … 26085 (dated up to
    /// 2026-08-08) as its only page.
    DownloadResult downloadResults(const std::string& answer)
    {
        DrawDownload run(program.databasePath(), kShippedLottery, 20261211);
        EXPECT_FALSE(run.addPage(answer, 1));
        return run.finish();
    }
};

// The answer of the prize fixture with what the service gave for `issue`.
PrizeResults publishedResults(const std::string& answer)
{
    const ResultsPage page = readResultsPage(answer, 20261211);
    EXPECT_TRUE(page.ok) << page.error;
    PrizeResults results;
    for (const DrawResults& draw : page.results)
        results.draws.emplace(std::stoi(draw.issue), draw);
    return results;
}

// The prize fixture with the prize lines of the draw `issue` not published yet.
std::string withoutPrizeLines(std::string answer, const std::string& issue)
{
    const std::size_t entry = answer.find("\"lotteryDrawNum\": \"" + issue + "\", \"lotteryDrawResult\"");
    const std::size_t list = answer.find('[', answer.find("\"prizeLevelList\"", entry));
    EXPECT_NE(entry, std::string::npos);
    return answer.erase(list + 1, answer.find(']', list) - list - 1);
}

} // namespace

TEST_F(DownloadFixture, AResultsPageAddsNewerRowsInPageOrderDatedFromTheNewestStored)
{
    // Stored newest: 2026115 on Saturday 2026-10-10. K+1 then K+2 on the page.
    test::storeLatestDraws(program.databasePath());
    DrawDownload run = download();
    EXPECT_FALSE(run.addPage(test::resultsTablePage({d26115, d26116, d26117}), 1)) << "a results page is one page";
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 2);
    const auto rows = table();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[5], "2026116 2026-10-12 1 8 15 22 29 4 12");
    EXPECT_EQ(rows[6], "2026117 2026-10-14 3 11 19 27 35 2 9");
}

TEST_F(DownloadFixture, ANewestFirstResultsPageIsDatedInIssueOrder)
{
    test::storeLatestDraws(program.databasePath());
    DrawDownload run = download();
    run.addPage(test::downloadFixture("results-page-newest-first.html"), 1);
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 2);
    const auto rows = table();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[5], "2026116 2026-10-12 1 8 15 22 29 4 12");
    EXPECT_EQ(rows[6], "2026117 2026-10-14 3 11 19 27 35 2 9");
}

TEST_F(DownloadFixture, AResultsPageDrawThatCannotBeDatedFailsAndLeavesTheNextDownloadWhole)
{
    // Stored newest: 2026115 on 2026-10-10; today 2026-10-14, the day of 2026117.
    test::storeLatestDraws(program.databasePath());
    const struct {
        const char* name;
        std::vector<PublishedDraw> page;
        std::int32_t today;
        const char* error;
    } cases[] = {
        {"an issue of a year to come",
         {{"30001", "", {1, 8, 15, 22, 29, 4, 12}}},
         20261014,
         "结果页中期号 30001 有误：期号“2030001”的前四位不是大乐透开奖的年份"},
        {"an issue far ahead in the year",
         {d26116, {"26999", "", {1, 8, 15, 22, 29, 4, 12}}},
         20261014,
         "结果页中期号 2026999 有误（日期按开奖日推算为 2032-"},
        {"an issue of next year before this one ends",
         {{"27001", "", {1, 8, 15, 22, 29, 4, 12}}},
         20271014,
         "结果页中期号 2027001 有误（日期按开奖日推算为 2026-10-12）：期号“2027001”的前四位应是开奖日期“2026-10-"
         "12”的年份"},
        {"a draw after today",
         {d26116, d26117, d26118},
         20261014,
         "结果页中期号 2026118 有误（日期按开奖日推算为 2026-10-17）：开奖日期“2026-10-17”晚于今天（2026-10-14），"
         "这一期还没有开奖"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DrawDownload run(program.databasePath(), kShippedLottery, c.today);
        run.addPage(test::resultsTablePage(c.page), 1);
        const DownloadResult result = run.finish();
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.error.substr(0, std::string(c.error).size()), c.error) << result.error;
        EXPECT_EQ(table().size(), 5u);
    }
    // Nothing was stored: the real draws still come in.
    DrawDownload real(program.databasePath(), kShippedLottery, 20261014);
    real.addPage(test::resultsTablePage({d26117, d26116}), 1);
    const DownloadResult result = real.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(table().back(), "2026117 2026-10-14 3 11 19 27 35 2 9");
}

TEST_F(DownloadFixture, ServicePagesAreReadUntilOneReachesTheStoredDraws)
{
    test::storeLatestDraws(program.databasePath());
    DrawDownload run = download();
    // Page 2 repeats 26116: a draw published between the two fetches moved it down.
    EXPECT_TRUE(run.addPage(test::serviceAnswer({d26118, d26117}, 1, 50), 1));
    EXPECT_EQ(run.found(), 2);
    EXPECT_FALSE(run.addPage(test::serviceAnswer({d26117, d26116, d26115, d26114}, 2, 50), 2));
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(downloadMessage(result), "下载完成！新增 3 期开奖号码。");
    const auto rows = table();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[5], "2026116 2026-10-12 1 8 15 22 29 4 12");
    EXPECT_EQ(rows[6], "2026117 2026-10-14 3 11 19 27 35 2 9");
    EXPECT_EQ(rows[7], "2026118 2026-10-17 5 6 7 8 9 10 11");
}

TEST_F(DownloadFixture, AnEmptyTableIsFilledFromScratchToTheLastPage)
{
    DrawDownload run = download();
    EXPECT_TRUE(run.addPage(test::downloadFixture("results-service-latest.json"), 1)) << "page 1 of 587";
    EXPECT_FALSE(run.addPage(test::downloadFixture("results-service-2007.json"), 30)) << "page 30 of 30 is the last";
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 12);
    const auto rows = table();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows.front(), "2007001 2007-05-30 22 24 29 31 35 4 11");
    EXPECT_EQ(rows.back(), "2026115 2026-10-10 12 20 32 33 35 6 7");

    DrawDownload unpaged = download();
    EXPECT_FALSE(unpaged.addPage(test::serviceAnswer({}, 1, 0), 1)) << "an empty page ends the list";
    DrawDownload lastPageFirst = download();
    EXPECT_FALSE(lastPageFirst.addPage(test::downloadFixture("results-service-2007.json"), 1))
        << "the answer says it is page 30 of 30";
}

TEST_F(DownloadFixture, NothingNewIsNoFailure)
{
    test::storeLatestDraws(program.databasePath());
    DrawDownload run = download();
    EXPECT_FALSE(run.addPage(test::downloadFixture("results-service-latest.json"), 1));
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 0);
    EXPECT_EQ(downloadMessage(result), "下载完成！没有新的开奖号码。");
    EXPECT_EQ(table().size(), 5u);
}

TEST_F(DownloadFixture, AFailureOnAnyPageWritesNothingAndSaysWhatWasRead)
{
    PublishedDraw changedNumbers = d26115;
    changedNumbers.numbers[6] = 8;
    const std::string firstPage = test::serviceAnswer({d26117, d26116}, 1, 50);
    const struct {
        const char* name;
        std::string secondPage;
        const char* error;
    } cases[] = {
        {"error answer", test::downloadFixture("results-service-error.json"),
         "第 2 页：开奖服务返回错误：系统繁忙（错误代码 9999）"},
        {"stored with other numbers", test::serviceAnswer({changedNumbers}, 2, 50),
         "期号 2026115 已存为 2026-10-10 12 20 32 33 35 + 06 07，下载的却是 2026-10-10 12 20 32 33 35 + 06 08"},
        {"a repeated issue with other numbers",
         test::serviceAnswer({{"26116", "2026-10-12", {1, 2, 3, 4, 5, 6, 7}}}, 2, 50),
         "第 2 页：期号 2026116 在下载的页面中出现两次，号码不同"},
        {"the same page again", firstPage, "第 2 页：与前面的页相同：开奖服务没有按页码翻页"},
        {"a results page after the service", test::resultsTablePage({d26115}), "第 2 页：答复的格式与第 1 页不同"},
        {"not readable", "{\"success\": tru", "第 2 页：开奖服务的应答不是有效的 JSON"},
    };
    test::storeLatestDraws(program.databasePath());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DrawDownload run = download();
        ASSERT_TRUE(run.addPage(firstPage, 1));
        EXPECT_FALSE(run.addPage(c.secondPage, 2));
        EXPECT_TRUE(run.failed());
        const DownloadResult result = run.finish();
        EXPECT_EQ(result.outcome, DownloadResult::Outcome::Failed);
        EXPECT_EQ(result.added, 0);
        EXPECT_EQ(result.found, 2);
        EXPECT_EQ(result.error.substr(0, std::string(c.error).size()), c.error) << result.error;
        EXPECT_EQ(downloadMessage(result),
                  "下载失败：" + result.error +
                      "\n新增 0 期开奖号码：失败前读到的 2 期新开奖号码也没有写入，数据库没有改动。");
        EXPECT_EQ(table().size(), 5u);
    }
}

TEST_F(DownloadFixture, AStoredDrawOnAnotherDateStaysAsStoredAndTheMessageListsIt)
{
    // Dated by the draw weekdays across a holiday break: the service gives the real days.
    test::insertDraws(program.databasePath(), kShippedLottery, {{2026113, 2, 4, 6, 10, 11, 1, 10}}, "2026-10-03");
    test::insertDraws(program.databasePath(), kShippedLottery, {{2026114, 8, 12, 15, 29, 30, 9, 12}}, "2026-10-06");
    const PublishedDraw d26113{"26113", "2026-10-05", {2, 4, 6, 10, 11, 1, 10}};
    DrawDownload run = download();
    EXPECT_FALSE(run.addPage(test::serviceAnswer({d26116, d26115, d26114, d26113}, 1, 50), 1));
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(downloadMessage(result),
              "下载完成！新增 2 期开奖号码。\n下列 2 期已存的号码与下载的相同而开奖日期不同，保留了已存的日期"
              "（需要时请在数据添加中改正）：\n期号 2026114 已存为 2026-10-06，下载的是 2026-10-07\n"
              "期号 2026113 已存为 2026-10-03，下载的是 2026-10-05");
    const auto rows = table();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], "2026113 2026-10-03 2 4 6 10 11 1 10");
    EXPECT_EQ(rows[3], "2026116 2026-10-12 1 8 15 22 29 4 12");
}

TEST_F(DownloadFixture, AResultsPageChecksStoredNumbersAndNeedsADateToStartFrom)
{
    PublishedDraw changed = d26115;
    changed.numbers[0] = 11;
    test::storeLatestDraws(program.databasePath());
    DrawDownload run = download();
    run.addPage(test::resultsTablePage({d26116, changed}), 1);
    const DownloadResult conflict = run.finish();
    EXPECT_FALSE(conflict.ok());
    EXPECT_EQ(conflict.error.substr(0, 100).find(
                  "期号 2026115 已存为 2026-10-10 12 20 32 33 35 + 06 07，下载的却是 11 20 32"),
              0u)
        << conflict.error;
    EXPECT_EQ(table().size(), 5u);

    test::ShippedProgram empty;
    DrawDownload fromNothing(empty.databasePath(), kShippedLottery);
    fromNothing.addPage(test::resultsTablePage({d26116}), 1);
    const DownloadResult undated = fromNothing.finish();
    EXPECT_FALSE(undated.ok());
    EXPECT_EQ(undated.error.find("开奖号码表是空的，而结果页不含开奖日期"), 0u) << undated.error;

    test::ShippedProgram badDate;
    test::insertDraws(badDate.databasePath(), kShippedLottery, {{2026115, 12, 20, 32, 33, 35, 6, 7}}, "十月十日");
    DrawDownload fromBadDate(badDate.databasePath(), kShippedLottery);
    fromBadDate.addPage(test::resultsTablePage({d26116}), 1);
    EXPECT_EQ(fromBadDate.finish().error, "最新一期的开奖日期“十月十日”不是有效日期，无法推算新开奖号码的日期");
}

TEST_F(DownloadFixture, AStopOrAFetchFailureWritesNothing)
{
    test::storeLatestDraws(program.databasePath());
    DrawDownload stopped = download();
    ASSERT_TRUE(stopped.addPage(test::serviceAnswer({d26117, d26116}, 1, 50), 1));
    stopped.stop();
    const DownloadResult result = stopped.finish();
    EXPECT_EQ(result.outcome, DownloadResult::Outcome::Stopped);
    EXPECT_EQ(downloadMessage(result), "下载已停止：已读到的 2 期新开奖号码没有写入，数据库没有改动。");

    DrawDownload unreachable = download();
    unreachable.fail("无法连接服务器");
    EXPECT_FALSE(unreachable.addPage(test::serviceAnswer({d26117}, 1, 50), 1));
    EXPECT_EQ(downloadMessage(unreachable.finish()), "下载失败：无法连接服务器\n新增 0 期开奖号码：数据库没有改动。");
    EXPECT_EQ(table().size(), 5u);
}

TEST_F(DownloadFixture, WrittenPerPageAFailureKeepsThePagesBeforeItAndTheNextDownloadFillsTheGap)
{
    test::storeLatestDraws(program.databasePath());
    const auto perPage = [this] {
        return DrawDownload(program.databasePath(), kShippedLottery, todayDate(), DownloadWrites::PerPage);
    };
    DrawDownload run = perPage();
    ASSERT_TRUE(run.addPage(test::serviceAnswer({d26118, d26117}, 1, 50), 1));
    EXPECT_EQ(table().size(), 7u) << "page 1 is stored as soon as it is read";
    EXPECT_EQ(run.written(), 2);
    // Page 2 breaks off after one new draw: nothing of it is written.
    EXPECT_FALSE(run.addPage(test::serviceAnswer({d26116, {"26115", "2026-10-10", {1, 2, 3, 4, 5, 6, 7}}}, 2, 50), 2));
    const DownloadResult failed = run.finish();
    EXPECT_EQ(failed.outcome, DownloadResult::Outcome::Failed);
    EXPECT_EQ(failed.added, 2);
    EXPECT_EQ(failed.found, 1);
    EXPECT_EQ(downloadMessage(failed),
              "下载失败：" + failed.error + "\n新增 2 期开奖号码：失败前的各页已写入，其后读到的 1 期没有写入。");
    EXPECT_EQ(table().size(), 7u);

    // 2026116 is missing below the draws written: the next download pages on to it, also when it
    // writes at the end.
    DrawDownload next = download();
    EXPECT_TRUE(next.addPage(test::serviceAnswer({d26118, d26117}, 1, 50), 1));
    EXPECT_FALSE(next.addPage(test::serviceAnswer({d26117, d26116, d26115}, 2, 50), 2));
    const DownloadResult filled = next.finish();
    ASSERT_TRUE(filled.ok()) << filled.error;
    EXPECT_EQ(filled.added, 1);
    const auto rows = table();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[5], "2026116 2026-10-12 1 8 15 22 29 4 12");

    // A stop keeps the pages written too.
    test::insertDraws(program.databasePath(), kShippedLottery, {{2026119, 1, 2, 3, 4, 5, 1, 2}}, "2026-10-19");
    DrawDownload stopped = perPage();
    PublishedDraw d26120{"26120", "2026-10-21", {2, 3, 4, 5, 6, 1, 2}};
    ASSERT_FALSE(stopped.addPage(test::serviceAnswer({d26120}, 1, 1), 1));
    stopped.stop();
    const DownloadResult stop = stopped.finish();
    EXPECT_EQ(stop.outcome, DownloadResult::Outcome::Stopped);
    EXPECT_EQ(downloadMessage(stop), "下载已停止：停止前的各页新增了 1 期开奖号码。");
    EXPECT_EQ(table().size(), 10u);
}

TEST_F(DownloadFixture, AGapBelowTheNewestThreeHundredDrawsIsTheTablesOwn)
{
    // 2024002 is missing, below 301 whole draws: the download stops at the newest stored draw.
    std::vector<std::vector<int>> draws{{2024001, 1, 2, 3, 4, 5, 1, 2}, {2024003, 1, 2, 3, 4, 5, 1, 2}};
    for (int n = 1; n <= 301; ++n)
        draws.push_back({2025000 + n, 1, 2, 3, 4, 5, 1, 2});
    test::insertDraws(program.databasePath(), kShippedLottery, draws, "2025-12-27");
    DrawDownload run = download();
    EXPECT_FALSE(run.addPage(
        test::serviceAnswer(
            {{"25302", "2025-12-29", {1, 2, 3, 4, 6, 1, 2}}, {"25301", "2025-12-27", {1, 2, 3, 4, 5, 1, 2}}}, 1, 50),
        1));
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 1);
}

TEST_F(DownloadFixture, DrawsStoredMeanwhileAreNotWrittenTwice)
{
    test::storeLatestDraws(program.databasePath());
    DrawDownload run = download();
    run.addPage(test::serviceAnswer({d26117, d26116, d26115}, 1, 50), 1);
    // Another program stores 26116, and 26117 on another day, while the pages are fetched.
    test::insertDraws(program.databasePath(), kShippedLottery, {{2026116, 1, 8, 15, 22, 29, 4, 12}}, "2026-10-12");
    test::insertDraws(program.databasePath(), kShippedLottery, {{2026117, 3, 11, 19, 27, 35, 2, 9}}, "2026-10-15");
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 0);
    EXPECT_EQ(result.otherDates, std::vector<std::string>{"期号 2026117 已存为 2026-10-15，下载的是 2026-10-14"});
    EXPECT_EQ(table().size(), 7u);

    // Other numbers stored meanwhile fail the download.
    DrawDownload late = download();
    PublishedDraw changed = d26118;
    changed.numbers[0] = 1;
    late.addPage(test::serviceAnswer({changed, d26117}, 1, 50), 1);
    test::insertDraws(program.databasePath(), kShippedLottery, {{2026118, 5, 6, 7, 8, 9, 10, 11}}, "2026-10-17");
    const DownloadResult conflict = late.finish();
    EXPECT_EQ(conflict.outcome, DownloadResult::Outcome::Failed);
    EXPECT_EQ(conflict.error.find("期号 2026118 已存为 2026-10-17 05 06 07 08 09 + 10 11，下载的却是"), 0u)
        << conflict.error;
    EXPECT_EQ(table().size(), 8u);
}

TEST_F(DownloadFixture, AMissingTableFailsTheDownload)
{
    DrawDownload run(program.databasePath(), "没有的彩票");
    EXPECT_TRUE(run.failed());
    EXPECT_FALSE(run.addPage(test::serviceAnswer({d26116}, 1, 1), 1));
    EXPECT_FALSE(run.finish().error.empty());
}

TEST(DownloadAddress, ComesFromTheSideFileOrTheDefault)
{
    test::TempProgramDir dir;
    EXPECT_EQ(readDownloadAddress(dir.apppath()).address, kDefaultResultsAddress) << "no side file";
    std::filesystem::create_directories(dir.path() / std::filesystem::u8path("附属"));
    const auto write = [&](const std::string& bytes) {
        std::ofstream(dir.apppath() + kAddressFileRelativePath, std::ios::binary) << bytes;
    };

    write("# 开奖号码的下载地址\r\n\r\n  http://127.0.0.1:8080/kj.json?pageNo=1  \r\nhttp://second\r\n");
    DownloadAddress read = readDownloadAddress(dir.apppath());
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(read.fromFile);
    EXPECT_EQ(read.address, "http://127.0.0.1:8080/kj.json?pageNo=1");

    write("# \xD6\xD0\xCE\xC4\xD7\xA2\xCA\xCD\r\n"); // a GBK comment and nothing else
    read = readDownloadAddress(dir.apppath());
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.address, kDefaultResultsAddress);

    write("www.example.com/kj.html\n");
    read = readDownloadAddress(dir.apppath());
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.error.find("第 1 行：下载地址“www.example.com/kj.html”不是 http:// 或 https:// 开头的网址"),
              std::string::npos)
        << read.error;
}

TEST(DownloadAddress, ProblemsOfAnAddress)
{
    EXPECT_EQ(addressProblem("https://webapi.example.cn/x?a=1"), "");
    EXPECT_EQ(addressProblem("HTTP://127.0.0.1:1/"), "");
    EXPECT_NE(addressProblem("ftp://example.com/"), "");
    EXPECT_NE(addressProblem("http://"), "");
    EXPECT_NE(addressProblem("http://:80/"), "");
    EXPECT_NE(addressProblem("http://a b/"), "");
}

TEST(DownloadAddress, ThePageNumberIsSetOrAdded)
{
    const struct {
        const char* address;
        int page;
        const char* expected;
    } cases[] = {
        {"http://h/q?gameNo=85&pageNo=1&pageSize=30", 3, "http://h/q?gameNo=85&pageNo=3&pageSize=30"},
        {"http://h/q?gameNo=85&pageNo=7", 1, "http://h/q?gameNo=85&pageNo=1"},
        {"http://h/q?pageNo", 2, "http://h/q?pageNo=2"},
        {"http://h/q?gameNo=85", 2, "http://h/q?gameNo=85&pageNo=2"},
        {"http://h/q?gameNo=85", 1, "http://h/q?gameNo=85"},
        {"http://h/kj.html", 1, "http://h/kj.html"},
        {"http://h/kj.html", 2, "http://h/kj.html?pageNo=2"},
        {"http://h/q?", 2, "http://h/q?pageNo=2"},
        {"http://h/q?a=1&", 2, "http://h/q?a=1&pageNo=2"},
        {"http://h/q?xpageNo=1#top", 2, "http://h/q?xpageNo=1&pageNo=2#top"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageAddress(c.address, c.page), c.expected) << c.address << " page " << c.page;
}

TEST_F(DownloadFixture, NewDrawsAreStoredWithTheirPublishedResults)
{
    const std::string answer = test::downloadFixture("results-service-prizes.json");
    const DownloadResult result = downloadResults(answer);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.added, 5);
    EXPECT_EQ(result.withResults, 5);
    EXPECT_EQ(downloadMessage(result), "下载完成！新增 5 期开奖号码，5 期存入了中奖结果。");
    EXPECT_EQ(table().front(), "2026085 2026-07-29 3 4 14 28 31 5 7");
    const PrizeResults stored = storedResults();
    const PrizeResults published = publishedResults(answer);
    ASSERT_EQ(stored.draws.size(), 5u);
    for (const auto& [issue, draw] : published.draws) {
        SCOPED_TRACE(issue);
        ASSERT_TRUE(stored.find(issue));
        EXPECT_EQ(stored.find(issue)->prizes, draw.prizes);
        EXPECT_EQ(stored.find(issue)->sales, draw.sales);
        EXPECT_EQ(stored.find(issue)->pool, draw.pool);
    }
    EXPECT_EQ(stored.find(2026087)->pool, 76840655852);

    // Again: nothing new, nothing gained.
    const DownloadResult again = downloadResults(answer);
    ASSERT_TRUE(again.ok()) << again.error;
    EXPECT_EQ(again.withResults, 0);
    EXPECT_FALSE(hasDownloadNotes(again));
    EXPECT_EQ(downloadMessage(again), "下载完成！没有新的开奖号码。");
}

TEST_F(DownloadFixture, ResultsNotPublishedYetCreateNothing)
{
    test::storeLatestDraws(program.databasePath());
    DrawDownload run = download();
    run.addPage(test::downloadFixture("results-service-latest.json"), 1);
    const DownloadResult result = run.finish();
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.withResults, 0);
    Database db;
    db.open(program.databasePath());
    EXPECT_FALSE(hasPrizeTables(db, kShippedLottery)) << "the placeholders of the service are no results";
}

TEST_F(DownloadFixture, AFailureStoringResultsWritesNeitherDrawsNorResults)
{
    {
        Database db;
        db.open(program.databasePath());
        Transaction tx(db);
        createPrizeTables(db, kShippedLottery);
        db.exec("create trigger refuse before insert on " + quoteIdentifier(prizeTableName(kShippedLottery)) +
                " when new.记录期号 = '2026088' begin select raise(abort, '磁盘已满'); end");
        tx.commit();
    }
    const DownloadResult result = downloadResults(test::downloadFixture("results-service-prizes.json"));
    EXPECT_EQ(result.outcome, DownloadResult::Outcome::Failed);
    EXPECT_NE(result.error.find("磁盘已满"), std::string::npos) << result.error;
    EXPECT_EQ(result.added, 0);
    EXPECT_EQ(result.found, 5);
    EXPECT_TRUE(table().empty());
    EXPECT_TRUE(storedResults().draws.empty()) << "the results of 2026085 … 2026087 went too";
}

TEST_F(DownloadFixture, AStoredDrawGainsItsResultsOnALaterDownloadAndKeepsThemAgainstOthers)
{
    const std::string answer = test::downloadFixture("results-service-prizes.json");
    const DownloadResult first = downloadResults(withoutPrizeLines(answer, "26089"));
    ASSERT_TRUE(first.ok()) << first.error;
    EXPECT_EQ(first.added, 5);
    EXPECT_EQ(first.withResults, 5) << "26089 with its sales and pool";
    ASSERT_TRUE(storedResults().find(2026089));
    EXPECT_TRUE(storedResults().find(2026089)->prizes.empty());

    const DownloadResult later = downloadResults(answer);
    ASSERT_TRUE(later.ok()) << later.error;
    EXPECT_EQ(later.added, 0);
    EXPECT_EQ(later.withResults, 1);
    EXPECT_EQ(downloadMessage(later), "下载完成！没有新的开奖号码，1 期存入了中奖结果。");
    EXPECT_EQ(storedResults().find(2026089)->prizes, publishedResults(answer).find(2026089)->prizes);

    // A published amount that differs from the stored one: the stored results stay, the download
    // goes through and says so.
    std::string changed = answer;
    changed.replace(changed.find("\"6,547,013\""), 11, "\"6,547,014\"");
    const DownloadResult conflict = downloadResults(changed);
    ASSERT_TRUE(conflict.ok()) << conflict.error;
    EXPECT_EQ(conflict.withResults, 0);
    ASSERT_EQ(conflict.resultConflicts.size(), 1u);
    EXPECT_TRUE(hasDownloadNotes(conflict));
    EXPECT_EQ(downloadMessage(conflict),
              "下载完成！没有新的开奖号码。\n下列 1 期已存的中奖结果与下载的不同，保留了已存的结果：\n" +
                  conflict.resultConflicts[0]);
    EXPECT_NE(conflict.resultConflicts[0].find("期号 2026087"), std::string::npos) << conflict.resultConflicts[0];
    EXPECT_EQ(storedResults().find(2026087)->prizes.front(), (PublishedPrize{"一等奖", 9, 654701300}));
}
