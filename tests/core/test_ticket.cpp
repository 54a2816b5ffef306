// Ticket lines (单式, 复式, 胆拖): reading, counting, expanding, pricing without expanding, and the
// bet-list readers and the prize check taking them.
#include "check/prize_check.h"
#include "check/ticket.h"
#include "check/ticket_expansion.h"
#include "check/ticket_file.h"
#include "check/ticket_prize.h"
#include "common/progress.h"
#include "filter/bet_list_reader.h"
#include "filter/exclusion_list_reader.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace quorlin;

namespace {

Ticket ticketOf(const std::string& line)
{
    std::string problem;
    const auto t = parseTicket(line, TicketShape{}, problem);
    EXPECT_TRUE(t.has_value()) << line << ": " << problem;
    return t.value_or(Ticket{});
}

CheckDraw drawOf(const std::string& text)
{
    std::string problem;
    const auto d = parseDrawText(text, TicketShape{}, problem);
    EXPECT_TRUE(d.has_value()) << text << ": " << problem;
    return d.value_or(CheckDraw{});
}

using Bet = std::pair<std::array<std::uint8_t, 8>, std::array<std::uint8_t, 8>>;

std::vector<Bet> expand(const Ticket& t)
{
    std::vector<Bet> bets;
    TicketExpansion walk(t);
    Bet b{};
    while (walk.next(b.first, b.second))
        bets.push_back(b);
    return bets;
}

int hitsOf(const std::array<std::uint8_t, 8>& numbers, int width, const std::vector<int>& drawn)
{
    int n = 0;
    for (int i = 0; i < width; ++i)
        n += std::count(drawn.begin(), drawn.end(), numbers[static_cast<std::size_t>(i)]) ? 1 : 0;
    return n;
}

// The nine-level table of 2020 and the seven-level one of 2026, as shipped.
PrizeRules shippedRules()
{
    std::string error;
    auto rules = readPrizeRules(std::string(quorlin::test::distFilesDir()) + "/附属/大乐透奖级.txt", error);
    EXPECT_TRUE(rules.has_value()) << error;
    return rules.value_or(PrizeRules{});
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(Ticket, LinesAreReadInAnyWritingAndNormalised)
{
    const struct {
        const char* line;
        const char* text;
        std::uint64_t bets;
        const char* kind;
    } cases[] = {
        {"01 02 03 04 05+06 07", "01 02 03 04 05+06 07", 1, "单式"},
        {"03 07 11 19 24 28 33+02 05 09", "03 07 11 19 24 28 33+02 05 09", 63, "复式"},
        {"05 18#02 09 13 21 27 30+04#01 08 11", "05 18#02 09 13 21 27 30+04#01 08 11", 60, "胆拖"},
        {"5,4,3,2,1+7,6", "01 02 03 04 05+06 07", 1, "单式"},
        {" 33\t7 ,11，3 19 28 24 + 9 2 5 ", "03 07 11 19 24 28 33+02 05 09", 63, "复式"},
        {"18 5#30 2 9 13 21 27+4#11 8 1", "05 18#02 09 13 21 27 30+04#01 08 11", 60, "胆拖"},
        {"01 02 03 04 05+01 02 03 04 05 06 07 08 09 10 11 12", "01 02 03 04 05+01 02 03 04 05 06 07 08 09 10 11 12", 66,
         "复式"},
        {"01 02 03 04#05 06 07+01 02", "01 02 03 04#05 06 07+01 02", 3, "胆拖"},
        {"01#02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 "
         "35+01#02 03 04 05 06 07 08 09 10 11 12",
         "01#02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 "
         "35+01#02 03 04 05 06 07 08 09 10 11 12",
         46376 * 11, "胆拖"},
    };
    for (const auto& c : cases) {
        const Ticket t = ticketOf(c.line);
        EXPECT_EQ(t.text(), c.text) << c.line;
        EXPECT_EQ(t.bets(), c.bets) << c.line;
        EXPECT_STREQ(t.kind(), c.kind) << c.line;
        EXPECT_EQ(ticketOf(t.text()), t) << "the normalised line reads as the same ticket";
    }
    // The whole game in one 复式 ticket.
    std::string all;
    for (int n = 1; n <= 35; ++n)
        all += std::to_string(n) + (n < 35 ? " " : "+");
    for (int n = 1; n <= 12; ++n)
        all += std::to_string(n) + " ";
    EXPECT_EQ(ticketOf(all).bets(), 21'425'712u);
}

TEST(Ticket, BadLinesAreRefusedSayingWhy)
{
    const struct {
        const char* line;
        const char* problem;
    } cases[] = {
        {"01 02 03 04+05 06", "前区号码只有 4 个，至少要 5 个"},
        {"01 02 03 04 05+06", "后区号码只有 1 个，至少要 2 个"},
        {"01 02#03 04+05 06", "前区拖码只有 2 个，至少要 3 个"},
        {"01 02 03 04 05#06 07+01 02", "前区胆码有 5 个，最多 4 个"},
        {"01 02 03 04 05+01 02#03 04", "后区胆码有 2 个，最多 1 个"},
        {"#01 02 03 04 05 06+01 02", "前区“#”前没有胆码"},
        {"01#02#03 04 05 06+01 02", "前区中有多个“#”"},
        {"01 02 03 04 05 05+01 02", "前区号码 05 重复"},
        {"01 02#02 03 04 05+01 02", "前区号码 02 重复"},
        {"01 02 03 04 05+01 1", "后区号码 01 重复"},
        {"01 02 03 04 36+01 02", "前区号码“36”不在 01-35 之内"},
        {"00 02 03 04 05+01 02", "前区号码“00”不在 01-35 之内"},
        {"001 02 03 04 05+01 02", "前区号码“001”不在 01-35 之内"},
        {"01 02 03 04 05+01 13", "后区号码“13”不在 01-12 之内"},
        {"01 02 03 04 05", "缺少“+”和后区号码"},
        {"01 02 03 04 05+01 02+03", "有多个“+”"},
        {"01 02 03 04 05+01 02 x", "有不认识的字符“x”"},
        {"01 02 03 04 05＋01 02", "有不认识的字符“＋”"},
        {"", "缺少“+”和后区号码"},
    };
    for (const auto& c : cases) {
        std::string problem;
        EXPECT_FALSE(parseTicket(c.line, TicketShape{}, problem).has_value()) << c.line;
        EXPECT_EQ(problem, c.problem) << c.line;
    }
    std::string problem;
    EXPECT_FALSE(parseDrawText("01 02 03 04 05 06+01 02", TicketShape{}, problem).has_value());
    EXPECT_EQ(problem, "开奖号码应为 5 个前区号码和 2 个后区号码");
}

// The counts per hit pattern, the winning bets of each pattern and the expansion itself, against
// the bets walked one by one and scored by hand.
TEST(Ticket, CountsWithoutExpandingAgreeWithEveryBetScored)
{
    const char* tickets[] = {
        "01 02 03 04 05+06 07",                // 单式
        "01 02 03 04 05 06 07+01 02",          // 复式, front only
        "01 02 03 04 05+01 02 03 04",          // 复式, back only
        "01 02 03 09 10 11 12+01 02 03",       // 复式, both
        "01 02#03 04 05 09 10+03 04 05",       // 胆拖 without back bankers
        "01#02 03 04 09 10 11+01#02 03 04",    // 胆拖 with a back banker
        "09 10 11 12#01 02 13+05#06 07",       // bankers all missed
        "01 02 03 04#05 06 07 08 09 10+01#02", // bankers all hit, back 胆拖 of one bet
    };
    const char* draws[] = {"01 02 03 04 05+01 02", "01 02 09 20 30+02 07", "20 21 22 23 24+11 12",
                           "03 05 10 12 35+01 06"};
    for (const char* line : tickets) {
        const Ticket t = ticketOf(line);
        const std::vector<Bet> bets = expand(t);
        ASSERT_EQ(bets.size(), t.bets()) << line;
        EXPECT_EQ(std::set<Bet>(bets.begin(), bets.end()).size(), bets.size()) << line << ": a bet twice";
        for (const Bet& b : bets) {
            EXPECT_TRUE(std::is_sorted(b.first.begin(), b.first.begin() + 5)) << line;
            std::uint64_t front = 0;
            for (int i = 0; i < 5; ++i)
                front |= std::uint64_t{1} << b.first[static_cast<std::size_t>(i)];
            EXPECT_EQ(front & t.front.bankers, t.front.bankers) << line << ": every bet holds the bankers";
            EXPECT_EQ(front & ~(t.front.bankers | t.front.drags), 0u) << line;
        }
        for (const char* drawText : draws) {
            const CheckDraw draw = drawOf(drawText);
            HitCounts byHand{};
            std::map<std::pair<int, int>, std::set<Bet>> byPattern;
            for (const Bet& b : bets) {
                const int f = hitsOf(b.first, 5, draw.front);
                const int k = hitsOf(b.second, 2, draw.back);
                ++byHand[static_cast<std::size_t>(f)][static_cast<std::size_t>(k)];
                byPattern[{f, k}].insert(b);
            }
            EXPECT_EQ(ticketHits(t, draw), byHand) << line << " in " << drawText;
            for (int f = 0; f <= 5; ++f)
                for (int k = 0; k <= 2; ++k) {
                    std::set<Bet> walked;
                    forEachBetWithHits(t, draw, f, k, [&](const auto& front, const auto& back) {
                        walked.insert({front, back});
                        return true;
                    });
                    EXPECT_EQ(walked, (byPattern[{f, k}])) << line << " in " << drawText << " at " << f << "+" << k;
                }
        }
    }
}

TEST(Ticket, PrizesFollowTheRuleSetOfTheDrawDate)
{
    const PrizeRules rules = shippedRules();
    // 7+3 复式 holding the whole draw: 5+2 once, 5+1 twice, 4+2 ten times, 4+1 twenty, 3+2 ten, 3+1 twenty.
    const Ticket t = ticketOf("02 11 16 23 28 30 31+05 10 12");
    const CheckDraw draw = drawOf("02 11 16 23 28+05 10");
    const DrawCheck nine = checkTicket(t, draw, rules.forDate(20250602));
    EXPECT_EQ(nine.levelCounts, (std::vector<std::uint64_t>{1, 2, 0, 10, 20, 10, 0, 20, 0}));
    EXPECT_EQ(nine.money, 10 * 3000 + 20 * 300 + 10 * 200 + 20 * 15);
    EXPECT_TRUE(nine.unknownWon);
    EXPECT_EQ(nine.bestLevel, 0);
    const DrawCheck seven = checkTicket(t, draw, rules.forDate(20260202));
    EXPECT_EQ(seven.levelCounts, (std::vector<std::uint64_t>{1, 2, 10, 20, 10, 20, 0}));
    EXPECT_EQ(seven.money, 10 * 5000 + 20 * 300 + 10 * 150 + 20 * 15);
    // Tickets together: the sum of each.
    const Ticket other = ticketOf("02 11#01 03 04 05 06+05#01 03");
    const DrawCheck both = checkTickets({t, other}, draw, rules.forDate(20260202));
    const DrawCheck alone = checkTicket(other, draw, rules.forDate(20260202));
    for (std::size_t k = 0; k < both.levelCounts.size(); ++k)
        EXPECT_EQ(both.levelCounts[k], seven.levelCounts[k] + alone.levelCounts[k]);
    EXPECT_EQ(both.money, seven.money + alone.money);
}

struct TicketFileFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string path(const std::string& name) { return dir.apppath() + name; }
    std::string write(const std::string& name, const std::string& text)
    {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
};

TEST_F(TicketFileFixture, TicketFilesRoundTripAndBadOnesAreRefusedNamingTheLine)
{
    const std::vector<Ticket> tickets{ticketOf("01 02 03 04 05+06 07"), ticketOf("03 07 11 19 24 28 33+02 05 09"),
                                      ticketOf("05 18#02 09 13 21 27 30+04#01 08 11")};
    std::string error;
    ASSERT_TRUE(writeTicketFile(tickets, path("t.txt"), error)) << error;
    EXPECT_EQ(readAll(path("t.txt")),
              "01 02 03 04 05+06 07\r\n03 07 11 19 24 28 33+02 05 09\r\n05 18#02 09 13 21 27 30+04#01 08 11\r\n");
    const TicketFile back = readTicketFile(path("t.txt"), TicketShape{});
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.tickets, tickets);

    const TicketFile bad =
        readTicketFile(write("bad.txt", "01 02 03 04 05+06 07\r\n\r\n1 2 3 4 5 5+1 2\r\n"), TicketShape{});
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.error, "第 3 行：前区号码 05 重复。文件未载入。");
    EXPECT_FALSE(readTicketFile(path("missing.txt"), TicketShape{}).ok);
}

TEST_F(TicketFileFixture, ExpansionWritesEveryBetOrLeavesTheOldFile)
{
    const std::vector<Ticket> tickets{ticketOf("01 02 03 04#05 06+01 02 03"), ticketOf("01 02 03 04 05+06 07")};
    std::string error;
    ASSERT_TRUE(writeTicketBets(tickets, path("bets.txt"), nullptr, error)) << error;
    EXPECT_EQ(readAll(path("bets.txt")), "01 02 03 04 05+01 02\r\n01 02 03 04 05+01 03\r\n01 02 03 04 05+02 03\r\n"
                                         "01 02 03 04 06+01 02\r\n01 02 03 04 06+01 03\r\n01 02 03 04 06+02 03\r\n"
                                         "01 02 03 04 05+06 07\r\n");
    // What was written reads back as the same bets.
    const LoadedBetList loaded = readBetList(path("bets.txt"), 35, 5, 12, 2);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(loaded.lines.size(), 7u);

    Progress stopped;
    stopped.cancel();
    write("old.txt", "old");
    EXPECT_FALSE(writeTicketBets(tickets, path("old.txt"), &stopped, error));
    EXPECT_EQ(error, "已停止");
    EXPECT_EQ(readAll(path("old.txt")), "old");
}

TEST_F(TicketFileFixture, BetListReadersExpandTicketsUnderTheLimit)
{
    const std::string text = "01 02 03 04 05+06 07\r\n"
                             "1 2 3 4 6 7+6,7\r\n"                  // 6 bets
                             "0000003    01 02 03 04 05+01 02\r\n"; // the numbered form, where it is read
    const LoadedBetList expanded = readBetList(write("mixed.txt", text), 35, 5, 12, 2, 100, nullptr, true);
    ASSERT_TRUE(expanded.ok) << expanded.error;
    ASSERT_EQ(expanded.lines.size(), 8u);
    EXPECT_EQ(expanded.lines.bet(1), "01 02 03 04 06+06 07");
    EXPECT_EQ(expanded.lines.bet(6), "02 03 04 06 07+06 07");
    EXPECT_EQ(expanded.lines.bet(7), "01 02 03 04 05+01 02");
    EXPECT_EQ(expanded.bets(), 8u);

    // The limit counts the bets of the tickets, and the refusal names the line.
    const LoadedBetList over = readBetList(path("mixed.txt"), 35, 5, 12, 2, 5, nullptr, true);
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.error, "第 2 行：复式票面展开后超过 5 注。文件未载入。");

    // The exclusion lists take the front part of a ticket: its front choices.
    const LoadedExclusionList fronts =
        readExclusionList(write("x.txt", "05 18#02 09 13 21+04#01 08\r\n"), TicketShape{});
    ASSERT_TRUE(fronts.ok) << fronts.error;
    EXPECT_EQ(fronts.fronts.size(), 4u * 5u);
    EXPECT_FALSE(readExclusionList(path("x.txt"), TicketShape{}, 3).ok);

    // Seven numbers without "+" keep their old reading: a bet with its back part.
    const LoadedBetList plain = readBetList(write("plain.txt", "01 02 03 04 05 06 07\r\n"), 35, 5, 12, 2);
    ASSERT_TRUE(plain.ok) << plain.error;
    EXPECT_EQ(plain.lines.bet(0), "01 02 03 04 05+06 07");
}

// The prize check of a file with tickets kept whole gives what the check of its expansion gives.
TEST_F(TicketFileFixture, CheckingTicketsWholeEqualsCheckingTheirBets)
{
    const std::string text = "09 10 11 12 13+01 02\r\n"
                             "03 07 11 19 24 28 33+02 05 09\r\n"
                             "01 02 03 04 05+06 07\r\n"
                             "05 18#02 09 13 21 27 30+04#01 08 11\r\n"
                             "01 02 03 04#06 07\r\n";
    const LoadedBetList whole = readBetList(write("t.txt", text), 35, 5, 12, 2, 1000, nullptr, true, TicketLines::Keep);
    ASSERT_TRUE(whole.ok) << whole.error;
    ASSERT_EQ(whole.tickets.size(), 3u);
    EXPECT_EQ(whole.tickets[0].singlesBefore, 1u);
    EXPECT_EQ(whole.tickets[2].singlesBefore, 2u);
    const LoadedBetList bets = readBetList(path("t.txt"), 35, 5, 12, 2, 1000, nullptr, true);
    ASSERT_TRUE(bets.ok) << bets.error;
    EXPECT_EQ(whole.bets(), bets.lines.size());
    EXPECT_EQ(whole.bets(), 1u + 63u + 1u + 60u + 2u);

    const PrizeRules rules = shippedRules();
    const PrizeChecker byTicket(whole);
    const PrizeChecker byBet(bets.lines);
    EXPECT_EQ(byTicket.frontOnlyLines(), 2u);
    EXPECT_EQ(byTicket.frontOnlyLines(), byBet.frontOnlyLines());
    for (const char* drawText :
         {"03 07 11 19 24+02 05", "05 18 02 09 13+04 01", "01 02 03 04 05+06 07", "20 21 22 23 24+10 12"}) {
        CheckDraw draw = drawOf(drawText);
        draw.date = 20260301;
        const auto a = byTicket.check(draw, rules);
        const auto b = byBet.check(draw, rules);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->hits, b->hits) << drawText;
        EXPECT_EQ(a->levelCounts, b->levelCounts) << drawText;
        EXPECT_EQ(a->money, b->money) << drawText;
        EXPECT_EQ(a->bestBet, b->bestBet) << drawText;
        // The same winning bets, best level first; a ticket's bets name their ticket.
        const auto winnersA = byTicket.winningLines(*a, 10000);
        const auto winnersB = byBet.winningLines(*b, 10000);
        ASSERT_EQ(winnersA.size(), winnersB.size()) << drawText;
        std::multiset<std::pair<int, std::string>> setA, setB;
        for (std::size_t i = 0; i < winnersA.size(); ++i) {
            setA.insert({winnersA[i].level, winnersA[i].bet});
            setB.insert({winnersB[i].level, winnersB[i].bet});
            EXPECT_EQ(winnersA[i].level, winnersB[i].level) << drawText;
        }
        EXPECT_EQ(setA, setB) << drawText;
    }
    const auto first = byTicket.check(drawOf("03 07 11 19 24+02 05"), rules);
    const auto winners = byTicket.winningLines(*first, 1);
    ASSERT_EQ(winners.size(), 1u);
    EXPECT_EQ(winners[0].ticket, "03 07 11 19 24 28 33+02 05 09");
}
