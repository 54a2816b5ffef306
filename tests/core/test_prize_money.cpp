// What a bet won in a draw: the draw's published amount per bet, else the era's fixed amount (the
// 2026 levels by the pool carried in), and "+浮动" for whatever is not known.
#include "check/check_report.h"
#include "check/prize_book.h"
#include "check/prize_check.h"
#include "check/ticket.h"
#include "check/ticket_prize.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quorlin;

namespace {

PrizeRules shippedRules()
{
    std::string error;
    const auto rules = readPrizeRules(std::string(test::distFilesDir()) + "/" + kPrizeRulesFile, error);
    EXPECT_TRUE(rules) << error;
    return rules.value_or(PrizeRules{});
}

// Published lines "issue,level,winners,amount" (an empty amount: not published) and pools after
// draws, in 元.
PrizeBook bookWith(const std::string& lines, const std::vector<std::pair<int, std::int64_t>>& pools = {})
{
    auto results = std::make_shared<PrizeResults>();
    std::istringstream in(lines);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string issue, level, winners, amount;
        std::getline(fields, issue, ',');
        std::getline(fields, level, ',');
        std::getline(fields, winners, ',');
        std::getline(fields, amount, ',');
        DrawResults& draw = results->draws[std::stoi(issue)];
        draw.issue = issue;
        draw.prizes.push_back({level, std::stoll(winners),
                               amount.empty() ? std::nullopt : std::optional<std::int64_t>(std::stoll(amount) * 100)});
    }
    for (const auto& [issue, pool] : pools)
        results->draws[issue].pool = pool * 100;
    PrizeBook book(shippedRules());
    book.results = results;
    return book;
}

// The published results of 2026087 (pool after 2026086: 813,207,389.58 元, so the higher amounts).
const char* const k2026087 = "2026087,一等奖,9,6547013\n2026087,一等奖(追加),2,5237610\n"
                             "2026087,二等奖,172,82652\n2026087,二等奖(追加),33,66122\n"
                             "2026087,三等奖,1692,6666\n2026087,四等奖,22409,380\n2026087,五等奖,85514,200\n"
                             "2026087,六等奖,837692,18\n2026087,七等奖,8145266,7\n";

CheckDraw drawOf(const std::string& issue, int date, int previous, std::vector<int> front, std::vector<int> back)
{
    CheckDraw d{issue, date, std::move(front), std::move(back)};
    d.previousIssue = previous;
    return d;
}

const CheckDraw kDraw2026087 = drawOf("2026087", 20260803, 2026086, {5, 10, 16, 24, 27}, {4, 10});

Ticket ticketOf(const std::string& text)
{
    std::string problem;
    const auto t = parseTicket(text, TicketShape{}, problem);
    EXPECT_TRUE(t) << problem;
    return t.value_or(Ticket{});
}

} // namespace

TEST(PrizeMoney, TheDrawnNumbersOf2026087WinTheFirstPrizeAndItsExtraAsPublished)
{
    const PrizeBook book = bookWith(k2026087, {{2026086, 813207389}});
    const Ticket drawn = ticketOf("05 10 16 24 27+04 10");
    const DrawCheck plain = checkTicket(drawn, pricedCheck(kDraw2026087, book, false));
    const DrawCheck extra = checkTicket(drawn, pricedCheck(kDraw2026087, book, true));
    EXPECT_EQ(plain.levelCounts, (std::vector<std::uint64_t>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(moneyText(plain), "6547013");
    EXPECT_EQ(moneyText(extra), std::to_string(6547013 + 5237610));
    EXPECT_TRUE(extra.prices.published);

    // A 复式 of every level: 6 fronts × 3 backs around the draw, each level at its published amount.
    const DrawCheck wide = checkTicket(ticketOf("05 10 16 24 27 33+04 10 12"), pricedCheck(kDraw2026087, book, true));
    std::int64_t want = 0;
    const std::int64_t perLevel[7] = {6547013 + 5237610, 82652 + 66122, 6666, 380, 200, 18, 7};
    for (std::size_t k = 0; k < 7; ++k)
        want += static_cast<std::int64_t>(wide.levelCounts[k]) * perLevel[k];
    EXPECT_EQ(wide.money, want);
    EXPECT_FALSE(wide.unknownWon);
}

TEST(PrizeMoney, EachLevelIsPricedFromThePublishedLineTheEraOrNotAtAll)
{
    const PrizeBook book = bookWith(std::string(k2026087) +
                                        // 2026051: a promotion; nobody won 一等奖(追加) in 2026090 (made up).
                                        "2026051,三等奖,1232,6666\n2026051,三等奖派奖,944,3333\n"
                                        "2026090,一等奖,1,10000000\n2026090,一等奖(追加),0,0\n2026090,二等奖,0,0\n"
                                        "2026090,三等奖,0,0\n"
                                        // Era 1 and 2 draws with their floating levels only.
                                        "2008001,三等奖,9,24466\n2008001,三等奖(追加),1,14679\n"
                                        "2015001,三等奖,50,3553\n2015001,三等奖(追加),20,2131\n",
                                    {{2026089, 850000000}});
    struct Case {
        CheckDraw draw;
        std::size_t level;
        bool extra;
        std::string price;
    };
    const std::vector<Case> cases{
        {kDraw2026087, 2, false, "6666"},
        // Only the basic line counts in a promotion: the 派奖 line is shown, never added.
        {drawOf("2026051", 20260511, 2026050, {}, {}), 2, true, "6666"},
        // Nobody won: the fixed level takes the era's amount by the pool, the floating one is unknown.
        {drawOf("2026090", 20260806, 2026089, {}, {}), 2, false, "6666"},
        {drawOf("2026090", 20260806, 2026089, {}, {}), 1, false, "浮动"},
        {drawOf("2026090", 20260806, 2026089, {}, {}), 0, true, "10000000+浮动"},
        // No results at all: fixed amounts, and the lower 2026 amount with the rest unknown.
        {drawOf("2026091", 20260808, 2026090, {}, {}), 3, false, "300+浮动"},
        {drawOf("2019100", 20190801, 2019099, {}, {}), 2, false, "10000"},
        // Era 1: the floating 三等奖 and its 追加 as published; 四等奖 had 追加, never published.
        {drawOf("2008001", 20080102, 2007093, {}, {}), 2, true, std::to_string(24466 + 14679)},
        {drawOf("2008001", 20080102, 2007093, {}, {}), 3, false, "3000"},
        {drawOf("2008001", 20080102, 2007093, {}, {}), 3, true, "3000+浮动"},
        // Era 2: 四等奖 and 五等奖 have fixed 追加 amounts, 六等奖 none.
        {drawOf("2015001", 20150103, 2014153, {}, {}), 2, true, std::to_string(3553 + 2131)},
        {drawOf("2015001", 20150103, 2014153, {}, {}), 3, true, "300"},
        {drawOf("2015001", 20150103, 2014153, {}, {}), 4, true, "15"},
        {drawOf("2015001", 20150103, 2014153, {}, {}), 5, true, "5"},
        {drawOf("2015002", 20150105, 2015001, {}, {}), 0, true, "浮动"},
    };
    for (const Case& c : cases) {
        const DrawCheck priced = pricedCheck(c.draw, book, c.extra);
        ASSERT_TRUE(priced.rules) << c.draw.issue;
        ASSERT_LT(c.level, priced.prices.levels.size()) << c.draw.issue;
        EXPECT_EQ(priceText(priced.prices.levels[c.level], c.extra), c.price)
            << c.draw.issue << ' ' << priced.rules->levels[c.level].name << (c.extra ? " 追加" : "");
    }
}

TEST(PrizeMoney, The2026AmountsFollowThePoolCarriedIntoTheDraw)
{
    struct Case {
        std::optional<std::int64_t> pool; // after the draw before, 元
        const char* third;
        const char* seventh;
    };
    for (const Case& c :
         {Case{799'997'856, "5000", "5"}, Case{799'999'999, "5000", "5"}, Case{800'000'000, "6666", "7"},
          Case{801'117'818, "6666", "7"}, Case{std::nullopt, "5000+浮动", "5+浮动"}}) {
        std::vector<std::pair<int, std::int64_t>> pools;
        if (c.pool)
            pools.push_back({2026045, *c.pool});
        const PrizeBook book = bookWith("", pools);
        const DrawCheck priced = pricedCheck(drawOf("2026046", 20260429, 2026045, {}, {}), book, false);
        EXPECT_EQ(priceText(priced.prices.levels[2], false), c.third) << c.pool.value_or(-1);
        EXPECT_EQ(priceText(priced.prices.levels[6], false), c.seventh) << c.pool.value_or(-1);
    }
}
