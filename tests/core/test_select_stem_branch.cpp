// 最优开奖干支选号: the stem and branch of a day, the digit rules, the coming draw's date, the back-test.
#include "common/day_number.h"
#include "select/stem_branch.h"
#include "select/zone_draws.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorlin;

namespace {

std::string names(StemBranch day)
{
    return kStems[static_cast<std::size_t>(day.stem)] + kBranches[static_cast<std::size_t>(day.branch)];
}

std::string digitsOf(const std::array<bool, 10>& digits)
{
    std::string out;
    for (int d = 0; d < 10; ++d)
        if (digits[static_cast<std::size_t>(d)])
            out += static_cast<char>('0' + d);
    return out;
}

StemBranch day(const char* stem, const char* branch)
{
    return {*stemIndex(stem), *branchIndex(branch)};
}

} // namespace

TEST(StemBranch, DaysCountFromTheReferenceDate)
{
    struct Case {
        std::int32_t date;
        const char* expected;
    };
    for (const Case& c : {Case{20010501, "甲子"}, Case{20010502, "乙丑"}, Case{20010511, "甲戍"},
                          Case{20010430, "癸亥"}, Case{20010310, "壬申"}, Case{20020101, "己巳"},
                          // 600 days before the reference: the back-test's offset gives 甲子 again.
                          Case{19990909, "甲子"}, Case{19990908, "癸亥"}})
        EXPECT_EQ(names(stemBranchOf(c.date)), c.expected) << c.date;
    // The table's branch index 7 is 末: 2001-5-8 is 辛末.
    EXPECT_EQ(names(stemBranchOf(20010508)), "辛末");
}

TEST(StemBranch, DigitRules)
{
    struct Case {
        const char* stem;
        const char* branch;
        bool additional;
        const char* digits;
    };
    for (const Case& c : {
             Case{"甲", "寅", false, "023578"}, // s = b = wood: own, produces fire, restrains earth
             Case{"甲", "寅", true, "0358"},    // less produces(wood) fire and produced-by water
             Case{"丙", "子", false, "034589"}, // fire and water differ: all but 1 6 2 7
             Case{"癸", "午", false, "162738"}, // 癸 alone takes the special rule: water, fire, 3 8
             Case{"戊", "亥", false, "051638"}, // 亥 alone too: earth, water, 3 8
             Case{"癸", "亥", true, "16"},      // water twice and 3 8, less produces(water) wood 3 8
         }) {
        std::string expected = c.digits;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(digitsOf(chosenDigits(day(c.stem, c.branch), c.additional)), expected)
            << c.stem << c.branch << (c.additional ? " 附加" : "");
    }
}

TEST(StemBranch, NumbersOfTheChosenDigits)
{
    const auto standard = chosenDigits(day("甲", "寅"), false);
    EXPECT_EQ(plainText(chosenNumbers(standard, 35)), "2 3 5 7 8 10 12 13 15 17 18 20 22 23 25 27 28 30 32 33 35 ");
    EXPECT_EQ(plainText(chosenNumbers(chosenDigits(day("甲", "寅"), true), 35)),
              "3 5 8 10 13 15 18 20 23 25 28 30 33 35 ");
    EXPECT_EQ(plainText(chosenNumbers(standard, 12)), "2 3 5 7 8 10 12 ");
    EXPECT_EQ(stemBranchRecommendation("2026117", {3, 8}), "2026117期推荐投注号码：3 8 ");
}

TEST(StemBranch, TheComingDrawOfTheSuperLottoFallsOnItsNextDrawDay)
{
    // 2026-10-5 is a Monday.
    struct Case {
        std::int32_t last;
        std::int32_t coming;
    };
    for (const Case& c :
         {Case{20261004, 20261005}, Case{20261005, 20261007}, Case{20261006, 20261007}, Case{20261007, 20261010},
          Case{20261008, 20261010}, Case{20261009, 20261010}, Case{20261010, 20261012}, Case{20261231, 20270102}})
        EXPECT_EQ(comingDrawDate(c.last, "中国体彩超级大乐透"), c.coming) << c.last;
    EXPECT_EQ(comingDrawDate(20261007, "其他彩票"), 20261008);
    EXPECT_EQ(days::shortText(20260307), "2026-3-7");
}

TEST(StemBranch, BacktestBetsOnEveryDrawWithItsOwnDate)
{
    ZoneDraws draws(35, 5);
    draws.append(2001001, std::vector<int>{3, 8, 13, 1, 2}, "2001-05-01");   // 甲子: all but 3 8 and 1 6
    draws.append(2001002, std::vector<int>{4, 9, 14, 24, 34}, "2001-05-11"); // 甲戍: all but 3 8 and 5 0
    const BacktestReport report = stemBranchBacktest(draws, false);
    ASSERT_EQ(report.rows.size(), 2u);
    EXPECT_EQ(report.rows[0].draw, "3 8 13 1 2 ");
    EXPECT_EQ(report.rows[0].hits, "1");
    EXPECT_EQ(report.rows[1].hits, "5");
    EXPECT_EQ(report.rows[1].bet, plainText(chosenNumbers(chosenDigits({0, 10}, false), 35)));
    EXPECT_EQ(report.frequency, (std::vector<int>{0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(report.history.size(), 2u);
    EXPECT_EQ(report.summary, "最大中奖号码数为5个，最小中奖号码数为1个");

    draws.append(2001003, std::vector<int>{1, 2, 3, 4, 5}, "五月");
    EXPECT_THROW(stemBranchBacktest(draws, false), std::runtime_error);
}
