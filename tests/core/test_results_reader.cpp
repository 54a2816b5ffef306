// Reading the answers of the results sources: the service's JSON and the fixed-offset results page.
#include "common/yuan_amount.h"
#include "data/json_reader.h"
#include "data/results_page.h"
#include "download_fixtures.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

using namespace quorlin;
using test::downloadFixture;

namespace {

std::string drawText(const ImportedDraw& draw)
{
    return draw.issueText() + " " + draw.text();
}

std::string pageDraws(const ResultsPage& page)
{
    std::string text;
    for (const ImportedDraw& draw : page.draws)
        text += drawText(draw) + "\n";
    return text;
}

// The rows of a shipped results file (data/…csv) of `issue`, split at commas, without the header.
std::vector<std::vector<std::string>> shippedRows(const char* file, const std::string& issue)
{
    std::ifstream in(std::string(test::dataDir()) + "/" + file);
    EXPECT_TRUE(in) << file;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(issue + ",", 0) != 0)
            continue;
        std::vector<std::string> fields;
        for (std::size_t from = 0, comma = 0; comma != std::string::npos; from = comma + 1) {
            comma = line.find(',', from);
            fields.push_back(line.substr(from, comma == std::string::npos ? comma : comma - from));
        }
        rows.push_back(std::move(fields));
    }
    return rows;
}

// One draw of the service with the given result fields, as the only entry of an answer.
std::string answerWithResults(const std::string& fields)
{
    return R"({"success": true, "value": {"list": [{"lotteryDrawNum": "26087", "lotteryDrawTime": "2026-08-03", )"
           R"("lotteryDrawResult": "01 02 03 04 05 01 02", )" +
           fields + "}]}}";
}

std::string prizeLine(const std::string& level, const std::string& count, const std::string& amount)
{
    return R"({"prizeLevel": ")" + level + R"(", "stakeCount": )" + count + R"(, "stakeAmount": )" + amount + "}";
}

} // namespace

TEST(JsonReader, ReadsValuesEscapesAndNesting)
{
    const JsonParseResult parsed =
        parseJson(" {\"a\": [1, -2.5e3, true, false, null], \"s\": \"\\u4e2d\\\"\\/\\n\\ud83c\\udfb1\", \"o\": {}} ");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const JsonValue* a = parsed.value.member("a");
    ASSERT_TRUE(a && a->isArray());
    ASSERT_EQ(a->items().size(), 5u);
    EXPECT_EQ(a->items()[0].wholeNumber(), 1);
    EXPECT_EQ(a->items()[1].text(), "-2.5e3");
    EXPECT_FALSE(a->items()[1].wholeNumber());
    EXPECT_TRUE(a->items()[2].isTrue());
    EXPECT_FALSE(a->items()[3].isTrue());
    EXPECT_EQ(a->items()[4].type(), JsonValue::Type::Null);
    EXPECT_EQ(parsed.value.member("s")->text(), "中\"/\n\xF0\x9F\x8E\xB1");
    EXPECT_TRUE(parsed.value.member("o")->isObject());
    EXPECT_EQ(parsed.value.member("missing"), nullptr);
    // A lone surrogate is shown as the replacement character rather than refusing the answer.
    EXPECT_EQ(parseJson("\"\\udc00x\"").value.text(), "\xEF\xBF\xBDx");
}

TEST(JsonReader, RefusesWhatIsNotJson)
{
    const std::string deep = std::string(65, '[') + std::string(65, ']');
    for (const std::string text : {"", "{", "{\"a\" 1}", "[1 2]", "{\"a\":1,}", "\"abc", "tru", "01x", "1.", "-",
                                   "\"\\q\"", "\"\\u12g4\"", "{} {}", "<html>", deep.c_str()}) {
        SCOPED_TRACE(text);
        const JsonParseResult parsed = parseJson(text);
        EXPECT_FALSE(parsed.ok);
        EXPECT_NE(parsed.error.find("JSON 第 "), std::string::npos) << parsed.error;
    }
    EXPECT_TRUE(parseJson(std::string(64, '[') + std::string(64, ']')).ok);
}

TEST(ServiceAnswer, ReadsTheServicePagesNewestFirst)
{
    const ResultsPage latest = readResultsPage(downloadFixture("results-service-latest.json"));
    ASSERT_TRUE(latest.ok) << latest.error;
    EXPECT_EQ(latest.format, ResultsPage::Format::Service);
    EXPECT_EQ(latest.pageNo, 1);
    EXPECT_EQ(latest.pages, 587);
    EXPECT_EQ(pageDraws(latest), "2026115 2026-10-10 12 20 32 33 35 + 06 07\n"
                                 "2026114 2026-10-07 08 12 15 29 30 + 09 12\n"
                                 "2026113 2026-10-05 02 04 06 10 11 + 01 10\n"
                                 "2026112 2026-09-30 01 03 05 10 22 + 03 09\n"
                                 "2026111 2026-09-28 10 11 17 26 29 + 01 03\n");

    const ResultsPage first = readResultsPage(downloadFixture("results-service-2007.json"));
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.pageNo, 30);
    EXPECT_EQ(first.pages, 30);
    ASSERT_EQ(first.draws.size(), 7u);
    EXPECT_EQ(drawText(first.draws.back()), "2007001 2007-05-30 22 24 29 31 35 + 04 11");
}

TEST(ServiceAnswer, AnErrorAnswerNamesTheServicesMessage)
{
    const ResultsPage page = readResultsPage(downloadFixture("results-service-error.json"));
    EXPECT_FALSE(page.ok);
    EXPECT_EQ(page.format, ResultsPage::Format::Service);
    EXPECT_EQ(page.error, "开奖服务返回错误：系统繁忙（错误代码 9999）");
}

TEST(ServiceAnswer, ToleratesWhatTheServiceMayVary)
{
    // The issue as a number, a time after the day, no success flag but a zero error code.
    const ResultsPage page = readServiceAnswer(
        R"({"errorCode": "0", "value": {"list": [{"lotteryDrawNum": 7001, "lotteryDrawTime": "2007-05-30 20:30:00",)"
        R"( "lotteryDrawResult": "22 24 29 31 35 04 11", "extra": [1, {"x": null}]}], "pageNo": "1"}})");
    ASSERT_TRUE(page.ok) << page.error;
    EXPECT_EQ(page.pageNo, 1);
    EXPECT_EQ(page.pages, 0);
    EXPECT_EQ(pageDraws(page), "2007001 2007-05-30 22 24 29 31 35 + 04 11\n");
}

TEST(ServiceAnswer, RefusesAnswersAndRowsItCannotRead)
{
    const auto answer = [](const std::string& row) { return R"({"success": true, "value": {"list": [)" + row + "]}}"; };
    const auto row = [](const char* issue, const char* result, const char* time) {
        return std::string(R"({"lotteryDrawNum": ")") + issue + R"(", "lotteryDrawResult": ")" + result +
               R"(", "lotteryDrawTime": ")" + time + "\"}";
    };
    const struct {
        const char* name;
        std::string answer;
        const char* error;
    } cases[] = {
        {"not JSON", "{\"success\": true, ", "开奖服务的应答不是有效的 JSON（JSON 第 "},
        {"not an object", "[1, 2]", "开奖服务的应答格式不对：不是 JSON 对象"},
        {"refused without message", R"({"success": false})", "开奖服务返回错误"},
        {"error code without flag", R"({"errorCode": "500", "errorMessage": "x"})",
         "开奖服务返回错误：x（错误代码 500）"},
        {"no list", R"({"success": true, "value": {}})", "开奖服务的应答中没有开奖号码列表（value.list）"},
        {"row not an object", answer("3"), "开奖服务应答的第 1 条开奖记录有误：不是一条开奖记录"},
        {"bad issue", answer(row("0700", "01 02 03 04 05 01 02", "2007-05-30")),
         "开奖服务应答的第 1 条开奖记录（期号 0700）有误：期号“0700”应为 5 位或 7 位数字"},
        {"bad date", answer(row("07001", "01 02 03 04 05 01 02", "2007-02-30")),
         "开奖服务应答的第 1 条开奖记录（期号 07001）有误：开奖日期“2007-02-30”不是有效日期"},
        {"six numbers", answer(row("07001", "01 02 03 04 05 01", "2007-05-30")),
         "开奖服务应答的第 1 条开奖记录（期号 07001）有误：开奖号码“01 02 03 04 05 01”应为 5 个前区号码和 2 "
         "个后区号码"},
        {"front out of range", answer(row("07001", "01 02 03 04 36 01 02", "2007-05-30")),
         "开奖服务应答的第 1 条开奖记录（期号 07001）有误：前区号码 36 不在 1-35 之内"},
        {"back repeated", answer(row("07001", "01 02 03 04 05 07 07", "2007-05-30")),
         "开奖服务应答的第 1 条开奖记录（期号 07001）有误：后区号码 7 重复"},
        // The checks of an import.
        {"front in draw order", answer(row("07001", "01 02 03 05 04 01 02", "2007-05-30")),
         "开奖服务应答的第 1 条开奖记录（期号 07001）有误：前区号码要从小到大排列"},
        {"back in draw order", answer(row("07001", "01 02 03 04 05 02 01", "2007-05-30")),
         "开奖服务应答的第 1 条开奖记录（期号 07001）有误：后区号码要从小到大排列"},
        {"issue of another year", answer(row("08001", "01 02 03 04 05 01 02", "2007-05-30")),
         "开奖服务应答的第 1 条开奖记录（期号 08001）有误：期号“2008001”的前四位应是开奖日期“2007-05-30”的年份"},
        {"more than a year ahead", answer(row("27001", "01 02 03 04 05 01 02", "2027-12-11")),
         "开奖服务应答的第 1 条开奖记录（期号 27001）有误：开奖日期“2027-12-11”比今天晚一年以上"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultsPage page = readResultsPage(c.answer, 20261210);
        EXPECT_FALSE(page.ok);
        EXPECT_EQ(page.format, ResultsPage::Format::Service);
        EXPECT_EQ(page.error.substr(0, std::string(c.error).size()), c.error) << page.error;
        EXPECT_TRUE(page.draws.empty());
    }
}

TEST(ResultsTable, ScansTheFirstLineAtFixedCharacterOffsets)
{
    // GBK bytes with Chinese text inside the rows; the second line is never read.
    const ResultsPage page = readResultsPage(downloadFixture("results-page-newest-first.html"));
    ASSERT_TRUE(page.ok) << page.error;
    EXPECT_EQ(page.format, ResultsPage::Format::Table);
    ASSERT_EQ(page.draws.size(), 3u);
    EXPECT_EQ(page.draws[0].issue, 2026117);
    EXPECT_EQ(page.draws[0].date, 0) << "a results page gives no dates";
    EXPECT_EQ(page.draws[0].numbers, (std::array<std::uint8_t, 7>{3, 11, 19, 27, 35, 2, 9}));
    EXPECT_EQ(page.draws[1].issue, 2026116);
    EXPECT_EQ(page.draws[2].issue, 2026115);
    EXPECT_EQ(page.draws[2].numbers, (std::array<std::uint8_t, 7>{12, 20, 32, 33, 35, 6, 7}));
}

TEST(ResultsTable, RefusesPagesWithoutRowsAndRowsItCannotRead)
{
    const std::string good = test::resultsTablePage({{"26116", "", {1, 8, 15, 22, 29, 4, 12}}});
    ASSERT_TRUE(scanResultsTable(good).ok);
    std::string badNumber = good;
    badNumber.replace(badNumber.find("29"), 2, "3x");
    std::string drawOrder = good;
    drawOrder.replace(drawOrder.find("22"), 2, "30");
    std::string shifted = good;
    shifted.insert(shifted.find("</td><td class"), " ");
    const struct {
        const char* name;
        std::string page;
        const char* error;
    } cases[] = {
        {"no row", "<html><body>暂无数据</body></html>",
         "下载的页面中找不到开奖号码（下载地址不对，或网页的格式变了）"},
        {"row on the second line only", "<html>\n" + good, "下载的页面中找不到开奖号码"},
        {"four-digit issue", "<td>6116</td><td>", "下载的页面中找不到开奖号码"},
        {"cut short", "<tr><td>26116</td><td>2026-10-12</td><td>01 08 15",
         "结果页中期号 26116 的开奖号码不完整（页面在号码之前结束）"},
        {"not a number", badNumber, "结果页中期号 26116 的开奖号码有误：前区第 5 个号码“3x”不是数字"},
        {"numbers in draw order", drawOrder, "结果页中期号 26116 的开奖号码有误：前区号码要从小到大排列"},
        {"layout moved by one", shifted, "结果页中期号 26116 的开奖号码有误："},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultsPage page = readResultsPage(c.page);
        EXPECT_FALSE(page.ok);
        EXPECT_EQ(page.format, ResultsPage::Format::Table);
        EXPECT_EQ(page.error.substr(0, std::string(c.error).size()), c.error) << page.error;
    }
}

TEST(ResultsTable, RefusesIssuesAnImportOfADrawWithoutDateWouldRefuse)
{
    // Today is 2026-12-11: a year of the game runs to 2027.
    const struct {
        const char* issue;
        const char* error;
    } cases[] = {
        {"30001", "结果页中期号 30001 有误：期号“2030001”的前四位不是大乐透开奖的年份"},
        {"06001", "结果页中期号 06001 有误：期号“2006001”的前四位不是大乐透开奖的年份"},
        {"26000", "结果页中期号 26000 有误：期号“2026000”的后三位是当年的第几期，应从 001 起"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.issue);
        const ResultsPage page =
            readResultsPage(test::resultsTablePage({{c.issue, "", {1, 8, 15, 22, 29, 4, 12}}}), 20261211);
        EXPECT_FALSE(page.ok);
        EXPECT_EQ(page.error, c.error);
    }
    EXPECT_TRUE(readResultsPage(test::resultsTablePage({{"27001", "", {1, 8, 15, 22, 29, 4, 12}}}), 20261211).ok)
        << "dated once the download dates it";
}

TEST(ServiceAnswer, RefusesADrawDatedAfterToday)
{
    const std::string answer = test::serviceAnswer({{"26116", "2026-10-12", {1, 8, 15, 22, 29, 4, 12}}}, 1, 1);
    EXPECT_TRUE(readResultsPage(answer, 20261012).ok) << "the draw of today";
    const ResultsPage early = readResultsPage(answer, 20261011);
    EXPECT_FALSE(early.ok);
    EXPECT_EQ(early.error,
              "开奖服务应答的第 1 条开奖记录（期号 26116）有误：开奖日期“2026-10-12”晚于今天（2026-10-11），"
              "这一期还没有开奖");
}

TEST(ResultsPage, TellsTheFormatByContentNotByAddress)
{
    // A byte-order mark and blanks before the JSON; a results page in UTF-8 that mentions braces later.
    const std::string json = "\xEF\xBB\xBF \r\n" + downloadFixture("results-service-latest.json");
    EXPECT_EQ(readResultsPage(json).format, ResultsPage::Format::Service);
    EXPECT_TRUE(readResultsPage(json).ok);
    const std::string table = test::resultsTablePage({{"26116", "{2026}", {1, 8, 15, 22, 29, 4, 12}}});
    EXPECT_EQ(readResultsPage(table).format, ResultsPage::Format::Table);
    EXPECT_TRUE(readResultsPage(table).ok);
}

TEST(ServiceAnswer, ReadsEachDrawsPublishedResultsAsTheShippedFilesHoldThem)
{
    const ResultsPage page = readResultsPage(downloadFixture("results-service-prizes.json"), 20261211);
    ASSERT_TRUE(page.ok) << page.error;
    ASSERT_EQ(page.draws.size(), 5u);
    ASSERT_EQ(page.results.size(), 5u);
    for (std::size_t i = 0; i < page.draws.size(); ++i) {
        const DrawResults& results = page.results[i];
        SCOPED_TRACE(results.issue);
        EXPECT_EQ(results.issue, page.draws[i].issueText());
        EXPECT_EQ(results.date, page.draws[i].dateText());
        const auto rows = shippedRows("dlt_prizes.csv", results.issue);
        ASSERT_EQ(results.prizes.size(), rows.size());
        for (std::size_t k = 0; k < rows.size(); ++k) {
            EXPECT_EQ(results.prizes[k].level, rows[k][2]);
            EXPECT_EQ(std::to_string(results.prizes[k].winners), rows[k][3]);
            EXPECT_EQ(results.prizes[k].amount, parseYuan(rows[k][4])) << rows[k][2];
        }
        const auto money = shippedRows("dlt_pool_sales.csv", results.issue);
        ASSERT_EQ(money.size(), 1u);
        EXPECT_EQ(results.sales, parseYuan(money[0][2]));
        EXPECT_EQ(results.pool, parseYuan(money[0][3]));
    }
    // Spelled out once: the grouped texts of 26087, and a level nobody won in 26085.
    const DrawResults& d26087 = page.results[2];
    EXPECT_EQ(d26087.issue, "2026087");
    EXPECT_EQ(d26087.prizes.front(), (PublishedPrize{"一等奖", 9, 654701300}));
    EXPECT_EQ(d26087.prizes.back(), (PublishedPrize{"七等奖", 8145266, 700}));
    EXPECT_EQ(d26087.sales, 30609847900);
    EXPECT_EQ(d26087.pool, 76840655852);
    EXPECT_EQ(*page.results[4].find("一等奖(追加)"), (PublishedPrize{"一等奖(追加)", 0, 0}));
}

TEST(ServiceAnswer, ResultsNotPublishedYetAreLeftOut)
{
    // The other fixtures carry the placeholder the service gives before it publishes: one level
    // nobody won and a pool of 0.
    const ResultsPage latest = readResultsPage(downloadFixture("results-service-latest.json"), 20261211);
    ASSERT_TRUE(latest.ok) << latest.error;
    ASSERT_EQ(latest.results.size(), 5u);
    for (const DrawResults& results : latest.results) {
        EXPECT_TRUE(results.prizes.empty()) << results.issue;
        EXPECT_FALSE(results.sales || results.pool) << results.issue;
    }

    const struct {
        const char* name;
        std::string fields;
        std::vector<PublishedPrize> prizes;
        std::optional<std::int64_t> sales;
        std::optional<std::int64_t> pool;
    } cases[] = {
        {"no result fields", R"("matchList": [])", {}, {}, {}},
        {"empty list, empty totals",
         R"("prizeLevelList": [], "totalSaleAmount": "", "poolBalanceAfterdraw": "")",
         {},
         {},
         {}},
        {"null list, numbers as numbers",
         R"("prizeLevelList": null, "totalSaleAmount": 306098479, "poolBalanceAfterdraw": 768406558.52)",
         {},
         30609847900,
         76840655852},
        {"nobody won anything",
         R"("prizeLevelList": [)" + prizeLine("一等奖", "\"0\"", "\"---\"") + ", " +
             prizeLine("二等奖", "\"---\"", "\"---\"") + "]",
         {},
         {},
         {}},
        {"派奖 with a total only",
         R"("prizeLevelList": [)" + prizeLine("一等奖", "9", "\"6,547,013\"") + ", " +
             prizeLine("三等奖派奖", "\"99\"", "\"-1\"") + ", " + prizeLine("四等奖派奖", "323", "0") + ", " +
             prizeLine("五等奖派奖", "0", "\"-1\"") + ", " + prizeLine("六等奖派奖", "\"1,224\"", "\"7.5\"") + ", " +
             prizeLine("七等奖", "\"12\"", "\"---\"") + "]",
         {{"一等奖", 9, 654701300},
          {"三等奖派奖", 99, std::nullopt},
          {"四等奖派奖", 323, std::nullopt},
          {"五等奖派奖", 0, 0},
          {"六等奖派奖", 1224, 750},
          {"七等奖", 12, std::nullopt}},
         {},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultsPage page = readResultsPage(answerWithResults(c.fields), 20261211);
        ASSERT_TRUE(page.ok) << page.error;
        ASSERT_EQ(page.results.size(), 1u);
        EXPECT_EQ(page.results[0].prizes, c.prizes);
        EXPECT_EQ(page.results[0].sales, c.sales);
        EXPECT_EQ(page.results[0].pool, c.pool);
    }
}

TEST(ServiceAnswer, RefusesResultsThatDoNotRead)
{
    const std::string first = prizeLine("一等奖", "\"9\"", "\"6,547,013\"") + ", ";
    const struct {
        const char* name;
        std::string fields;
        const char* error;
    } cases[] = {
        {"amount badly grouped", R"("prizeLevelList": [)" + first + prizeLine("二等奖", "172", "\"82,65\"") + "]",
         "奖级“二等奖”的单注奖金“82,65”不是金额"},
        {"negative amount of a basic level", R"("prizeLevelList": [)" + prizeLine("三等奖", "1", "\"-1\"") + "]",
         "奖级“三等奖”的单注奖金“-1”不是金额"},
        {"empty amount", R"("prizeLevelList": [)" + prizeLine("三等奖", "1", "\"\"") + "]",
         "奖级“三等奖”的单注奖金“”不是金额"},
        {"count with a fraction", R"("prizeLevelList": [)" + prizeLine("三等奖", "\"1.5\"", "\"5,000\"") + "]",
         "奖级“三等奖”的中奖注数“1.5”不是注数"},
        {"negative count", R"("prizeLevelList": [)" + prizeLine("三等奖", "-3", "\"5,000\"") + "]",
         "奖级“三等奖”的中奖注数“-3”不是注数"},
        {"no count", R"("prizeLevelList": [{"prizeLevel": "三等奖", "stakeAmount": "5,000"}])",
         "奖级“三等奖”的中奖注数“”不是注数"},
        {"no level", R"("prizeLevelList": [{"stakeCount": "1", "stakeAmount": "5,000"}])",
         "中奖结果中有一行没有奖级名称"},
        {"a line not an object", R"("prizeLevelList": [)" + first + "7]", "中奖结果中有一行不是奖级"},
        {"a level twice", R"("prizeLevelList": [)" + first + prizeLine("一等奖", "1", "1") + "]",
         "奖级“一等奖”出现两次"},
        {"list not a list", R"("prizeLevelList": {"一等奖": 1})", "中奖结果（prizeLevelList）不是列表"},
        {"sales not money", R"("totalSaleAmount": "三亿")", "销售额“三亿”不是金额"},
        {"negative pool", R"("poolBalanceAfterdraw": "-817,996,545.38")", "奖池“-817,996,545.38”不是金额"},
        {"pool not a value", R"("poolBalanceAfterdraw": {})", "奖池“”不是金额"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultsPage page = readResultsPage(answerWithResults(c.fields), 20261211);
        EXPECT_FALSE(page.ok);
        EXPECT_EQ(page.error, std::string("开奖服务应答的第 1 条开奖记录（期号 26087）有误：") + c.error);
        EXPECT_TRUE(page.draws.empty());
    }
}
