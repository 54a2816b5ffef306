// The published prize results beside a lottery's draws: the two tables, reading them back, and
// storing a draw's results without ever overwriting what is stored.
#include "store/database.h"
#include "store/lottery_catalog.h"
#include "store/prize_store.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

DrawResults results(const std::string& issue, std::vector<PublishedPrize> prizes,
                    std::optional<std::int64_t> sales = std::nullopt, std::optional<std::int64_t> pool = std::nullopt)
{
    DrawResults r;
    r.issue = issue;
    r.prizes = std::move(prizes);
    r.sales = sales;
    r.pool = pool;
    return r;
}

const std::vector<PublishedPrize> kPrizes{
    {"一等奖", 2, 500000000}, {"一等奖(追加)", 0, 0}, {"三等奖派奖", 99, std::nullopt}, {"七等奖", 39943, 750}};

struct PrizeStore : ::testing::Test {
    test::ShippedProgram program;
    Database db;

    PrizeStore()
    {
        db.open(program.databasePath());
        Transaction tx(db);
        createPrizeTables(db, kShippedLottery);
        tx.commit();
    }

    ResultsMerge merge(const DrawResults& r)
    {
        Transaction tx(db);
        ResultsMerge m = mergeDrawResults(db, kShippedLottery, r);
        tx.commit();
        return m;
    }

    std::string image() { return db.image(); }
};

} // namespace

TEST_F(PrizeStore, TablesAreNotLotteriesAndReadBackInPublishedOrderWithDatesOfStoredDraws)
{
    EXPECT_TRUE(hasPrizeTables(db, kShippedLottery));
    EXPECT_EQ(listlotteries(db), std::vector<std::string>{kShippedLottery});
    test::insertDraws(program.databasePath(), kShippedLottery, {{2007001, 1, 2, 3, 4, 5, 1, 2}}, "2007/5/30");

    EXPECT_TRUE(merge(results("2007002", kPrizes)).added);
    EXPECT_TRUE(merge(results("2007001", {kPrizes[3], kPrizes[0]}, 1708678154, 89168335)).added);
    const PrizeResults read = readPrizeResults(db, kShippedLottery);
    ASSERT_EQ(read.draws.size(), 2u);
    const DrawResults& first = read.draws.begin()->second;
    EXPECT_EQ(first.issue, "2007001");
    EXPECT_EQ(first.date, "2007-05-30");
    EXPECT_EQ(first.prizes, (std::vector<PublishedPrize>{kPrizes[3], kPrizes[0]}));
    EXPECT_EQ(first.sales, 1708678154);
    EXPECT_EQ(first.pool, 89168335);
    const DrawResults* second = read.find(2007002);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->date, ""); // not in the draw table
    EXPECT_EQ(second->prizes, kPrizes);
    EXPECT_FALSE(second->sales);
    EXPECT_FALSE(second->pool);
}

TEST_F(PrizeStore, IdenticalResultsAreSkippedAndSalesAndPoolFilledLater)
{
    ASSERT_TRUE(merge(results("2026105", kPrizes)).added);
    const std::string before = image();
    const ResultsMerge again = merge(results("2026105", kPrizes));
    EXPECT_FALSE(again.added);
    EXPECT_EQ(again.conflict, "");
    EXPECT_EQ(image(), before);

    // The sales come first, the pool later; neither needs the prize lines again.
    EXPECT_TRUE(merge(results("2026105", {}, 30000000012)).added);
    EXPECT_TRUE(merge(results("2026105", kPrizes, 30000000012, 80214538054)).added);
    EXPECT_FALSE(merge(results("2026105", {}, 30000000012, 80214538054)).added);
    const PrizeResults read = readPrizeResults(db, kShippedLottery);
    const DrawResults* stored = read.find(2026105);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->prizes, kPrizes);
    EXPECT_EQ(stored->sales, 30000000012);
    EXPECT_EQ(stored->pool, 80214538054);
}

TEST_F(PrizeStore, ResultsThatContradictTheStoredOnesWriteNothingOfTheDraw)
{
    ASSERT_TRUE(merge(results("2026105", kPrizes, 100, std::nullopt)).added);
    const std::string before = image();
    std::vector<PublishedPrize> otherAmount = kPrizes;
    otherAmount[2].amount = 750; // "not published" is not filled in later
    std::vector<PublishedPrize> fewer(kPrizes.begin(), kPrizes.end() - 1);
    std::vector<PublishedPrize> more = kPrizes;
    more.push_back({"八等奖", 1, 500});
    const struct {
        DrawResults given;
        std::string says;
    } cases[] = {
        {results("2026105", otherAmount, std::nullopt, 5), "三等奖派奖 99 注 未公布"},
        {results("2026105", fewer, std::nullopt, 5), "七等奖 39943 注 7.5 元，新的结果没有"},
        {results("2026105", more, std::nullopt, 5), "新的结果多出 八等奖 1 注 5 元"},
        {results("2026105", kPrizes, 101, 5), "销售额已存为 1 元，新的结果却是 1.01 元"},
    };
    for (const auto& c : cases) {
        const ResultsMerge m = merge(c.given);
        EXPECT_FALSE(m.added);
        EXPECT_NE(m.conflict.find(c.says), std::string::npos) << m.conflict;
        EXPECT_NE(m.conflict.find("2026105"), std::string::npos) << m.conflict;
    }
    EXPECT_EQ(image(), before);
}

TEST_F(PrizeStore, LotteryNamesWithQuotesAndTablesMadeElsewhereReadSafely)
{
    LotteryDefinition odd = shippedLotteryDefinition();
    odd.name = "乐\"透'; drop table x";
    createLottery(db, odd);
    {
        Transaction tx(db);
        createPrizeTables(db, odd.name);
        EXPECT_TRUE(mergeDrawResults(db, odd.name, results("2026001", kPrizes, 1, 2)).added);
        tx.commit();
    }
    EXPECT_EQ(readPrizeResults(db, odd.name).draws.size(), 1u);
    EXPECT_TRUE(readPrizeResults(db, kShippedLottery).draws.empty());
    EXPECT_FALSE(hasPrizeTables(db, "没有的彩票"));
    EXPECT_TRUE(readPrizeResults(db, "没有的彩票").draws.empty());

    db.exec("insert into " + quoteIdentifier(prizeTableName(kShippedLottery)) + " values ('26x', 1, '一等奖', 1, 1)");
    EXPECT_THROW(readPrizeResults(db, kShippedLottery), DatabaseError);
}
