// Money and large counts as the windows write them: grouped in full, in 万/亿 in short.
#include "check/bet_price.h"
#include "common/money_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace quorlin;

namespace {

constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kLeast = std::numeric_limits<std::int64_t>::min();

} // namespace

TEST(MoneyText, WholeYuanInFullAndInShort)
{
    const struct {
        std::int64_t yuan;
        const char* full;
        const char* brief;
    } cases[] = {
        {0, "0元", "0元"},
        {5, "5元", "5元"},
        {1'234, "1,234元", "1,234元"},
        {9'999, "9,999元", "9,999元"},
        {10'000, "10,000元", "1.00万元"},
        {123'456, "123,456元", "12.35万元"},
        {123'456'789, "123,456,789元", "1.23亿元"},
        {31'537'000'000, "31,537,000,000元", "315.37亿元"},
        {-5'000, "-5,000元", "-5,000元"},
        {-123'456, "-123,456元", "-12.35万元"},
        // Half a hundredth rounds away from zero, on both sides.
        {12'345, "12,345元", "1.23万元"},
        {12'350, "12,350元", "1.24万元"},
        {-12'350, "-12,350元", "-1.24万元"},
        // Just under 1亿 rounds to 10,000.00万: it reads as 1亿 instead.
        {99'994'999, "99,994,999元", "9,999.50万元"},
        {99'999'949, "99,999,949元", "9,999.99万元"},
        {99'999'950, "99,999,950元", "1.00亿元"},
        {-99'999'950, "-99,999,950元", "-1.00亿元"},
        {100'000'000, "100,000,000元", "1.00亿元"},
        {kMost, "9,223,372,036,854,775,807元", "92,233,720,368.55亿元"},
        {kLeast, "-9,223,372,036,854,775,808元", "-92,233,720,368.55亿元"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(yuanFullText(c.yuan), c.full) << c.yuan;
        EXPECT_EQ(yuanShortText(c.yuan), c.brief) << c.yuan;
    }
    EXPECT_EQ(groupedNumber(-1'234'567), "-1,234,567");
}

TEST(MoneyText, FenKeepTwoDecimalsOnlyWhenNotWhole)
{
    const struct {
        std::int64_t fen;
        const char* full;
        const char* brief;
    } cases[] = {
        {0, "0元", "0元"},
        {123'400, "1,234元", "1,234元"},
        {123'450, "1,234.50元", "1,234.50元"},
        {654'701'352, "6,547,013.52元", "654.70万元"},
        {999'999, "9,999.99元", "9,999.99元"},
        {1'000'000, "10,000元", "1.00万元"},
        // 9,999.995万元: the hundredths round up past 10,000.00万.
        {9'999'995'000, "99,999,950元", "1.00亿元"},
        {9'999'994'999, "99,999,949.99元", "9,999.99万元"},
        {-1, "-0.01元", "-0.01元"},
        {-250, "-2.50元", "-2.50元"},
        {3'153'700'000'000, "31,537,000,000元", "315.37亿元"},
        {kMost, "92,233,720,368,547,758.07元", "922,337,203.69亿元"},
        {kLeast, "-92,233,720,368,547,758.08元", "-922,337,203.69亿元"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fenFullText(c.fen), c.full) << c.fen;
        EXPECT_EQ(fenShortText(c.fen), c.brief) << c.fen;
    }
}

TEST(MoneyText, CountsTakeTheirUnit)
{
    EXPECT_EQ(countFullText(1'234'567, "注"), "1,234,567注");
    EXPECT_EQ(countShortText(1'234'567, "注"), "123.46万注");
    EXPECT_EQ(countShortText(9'999, "注"), "9,999注");
    EXPECT_EQ(countShortText(84'273'000, ""), "8,427.30万");
    EXPECT_EQ(countShortText(std::numeric_limits<std::uint64_t>::max(), "注"), "184,467,440,737.10亿注");
}

TEST(MoneyText, BetCostLineGroupsTheCountAndTheCost)
{
    EXPECT_EQ(betCostText(3), "共3注，金额6元");
    EXPECT_EQ(betCostText(21'425'712, true), "共21,425,712注，金额64,277,136元");
    EXPECT_EQ(betCostText(std::numeric_limits<std::uint64_t>::max()), "共18,446,744,073,709,551,615注，金额过大");
}

TEST(MoneyText, FrontOnlyListIsCountedButNotPriced)
{
    // Front combinations are no bets: the line names no total, only what a bet will cost.
    EXPECT_EQ(frontOnlyCostText(10'000), "共10,000个前区组合，配后区后每注2元");
    EXPECT_EQ(frontOnlyCostText(1), "共1个前区组合，配后区后每注2元");
    EXPECT_EQ(backOnlyCostText(66), "共66个后区组合，配前区后每注2元");
}

TEST(MoneyText, ChartScaleFollowsTheLargestValue)
{
    const struct {
        double largest;
        double divisor;
        const char* unit;
    } cases[] = {{0, 1, "元"},       {9'999, 1, "元"},   {-10'000, 1e4, "万元"},
                 {5e7, 1e4, "万元"}, {1e8, 1e8, "亿元"}, {-3.2e10, 1e8, "亿元"}};
    for (const auto& c : cases) {
        const MoneyScale scale = moneyScale(c.largest);
        EXPECT_EQ(scale.divisor, c.divisor) << c.largest;
        EXPECT_STREQ(scale.unit, c.unit) << c.largest;
    }
}
