// quorlin-cli check and backtest: the prize check and the condition back-test from the command line.
#include "cli_commands.h"
#include "cli_fixture.h"
#include "german_locale.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace quorlin;

namespace {

struct CliCheckFixture : ::testing::Test {
    test::ShippedProgram program;
    std::ostringstream out;
    std::ostringstream err;

    CliCheckFixture()
    {
        test::insertDraws(program.databasePath(), kShippedLottery, {{2026012, 1, 2, 3, 4, 5, 1, 2}}, "2026-01-31");
        test::insertDraws(program.databasePath(), kShippedLottery,
                          {{2026014, 1, 2, 3, 4, 6, 1, 2}, {2026015, 3, 9, 17, 25, 33, 4, 11}}, "2026-02-02");
        std::filesystem::create_directories(program.path() / "附属");
        std::filesystem::copy_file(std::string(quorlin::test::distFilesDir()) + "/附属/大乐透奖级.txt",
                                   program.path() / "附属" / "大乐透奖级.txt");
        std::ofstream(file("bets.txt"), std::ios::binary) << "0000001    01 02 03 04 05+01 02\r\n"
                                                             "0000002    03 09 17 25 35+04 12\r\n";
    }
    int run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        return cli::run(args, program.path().string(), out, err);
    }
    std::string file(const std::string& name) { return program.apppath() + name; }
};

} // namespace

TEST_F(CliCheckFixture, CheckPrintsOneRowPerDrawUnderItsTableAndATotal)
{
    ASSERT_EQ(run({"check", kShippedLottery, file("bets.txt"), "--last", "3"}), 0) << err.str();
    std::istringstream lines(out.str());
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);)
        got.push_back(line);
    ASSERT_EQ(got.size(), 6u) << out.str();
    EXPECT_EQ(got[0].rfind("奖级\t九个奖级\t一等奖(浮动)", 0), 0u);
    // 2026012: 5+2 and 0+0; 2026014 (seven levels): 4+2 三等奖 and 1+0; 2026015: 4+1 四等奖 for the second bet.
    EXPECT_EQ(got[1], "2026012\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0+浮动");
    EXPECT_EQ(got[2].rfind("奖级\t七个奖级", 0), 0u);
    // No pool is known before them: the lower amounts at least.
    EXPECT_EQ(got[3], "2026014\t0\t0\t1\t0\t0\t0\t0\t5000+浮动");
    EXPECT_EQ(got[4], "2026015\t0\t0\t0\t1\t0\t0\t0\t300+浮动");
    EXPECT_EQ(got[5], "合计\t3期\t6注\t投入12\t奖金5300+浮动\t盈亏5288");

    ASSERT_EQ(run({"check", kShippedLottery, file("bets.txt"), "--issue", "2026014", "--extra"}), 0) << err.str();
    EXPECT_NE(out.str().find("合计\t1期\t2注\t投入6\t奖金5000+浮动\t盈亏4994"), std::string::npos) << out.str();
}

TEST_F(CliCheckFixture, CheckReadsPastBlankLines)
{
    // The winning bet comes after blank lines, one of them the first line of the file.
    std::ofstream(file("blank.txt"), std::ios::binary)
        << "\r\n03 09 17 25 35+04 12\r\n  \r\n\r\n01 02 03 04 05+01 02\r\n";
    ASSERT_EQ(run({"check", kShippedLottery, file("blank.txt"), "--issue", "2026012"}), 0) << err.str();
    EXPECT_NE(out.str().find("2026012\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0+浮动\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("合计\t1期\t2注"), std::string::npos) << out.str();
}

TEST_F(CliCheckFixture, CheckReadsEveryLineOfAListWithCrLineEndsAndRefusesStrayCharacters)
{
    // 2026012 is 01 02 03 04 05+01 02: the second line of a list written with CR alone.
    std::ofstream(file("cr.txt"), std::ios::binary) << "03 09 17 25 35+04 12\r01 02 03 04 05+01 02\r";
    ASSERT_EQ(run({"check", kShippedLottery, file("cr.txt"), "--issue", "2026012"}), 0) << err.str();
    EXPECT_NE(out.str().find("2026012\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0+浮动\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("合计\t1期\t2注"), std::string::npos) << out.str();

    std::ofstream(file("stray.txt"), std::ios::binary) << "03 09 17 25 35+04 12\r\n01 02 03 04 05+01 02x\r\n";
    EXPECT_EQ(run({"check", kShippedLottery, file("stray.txt"), "--issue", "2026012"}), 1);
    EXPECT_EQ(err.str(), "第 2 行：第 2 个后区号码“02x”有不认识的字符“x”。文件未载入。\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(CliCheckFixture, CheckCountsTheBetsOfTicketsAsItsExpansionWould)
{
    // 2026015 is 03 09 17 25 33+04 11: the 胆拖 ticket holds 03 09 17 25 33 with 04 11 once.
    const std::string tickets = "03 09#17 25 33 35+04#11 12\r\n01 02 03 04 05+01 02\r\n";
    std::ofstream(file("tickets.txt"), std::ios::binary) << tickets;
    std::ofstream(file("expanded.txt"), std::ios::binary)
        << "03 09 17 25 33+04 11\r\n03 09 17 25 33+04 12\r\n03 09 17 25 35+04 11\r\n03 09 17 25 35+04 12\r\n"
           "03 09 17 33 35+04 11\r\n03 09 17 33 35+04 12\r\n03 09 25 33 35+04 11\r\n03 09 25 33 35+04 12\r\n"
           "01 02 03 04 05+01 02\r\n";
    ASSERT_EQ(run({"check", kShippedLottery, file("expanded.txt"), "--last", "3"}), 0) << err.str();
    const std::string expected = out.str();
    ASSERT_EQ(run({"check", kShippedLottery, file("tickets.txt"), "--last", "3"}), 0) << err.str();
    EXPECT_EQ(out.str(), expected);
    EXPECT_NE(out.str().find("合计\t3期\t27注\t投入54"), std::string::npos) << out.str();
}

TEST_F(CliCheckFixture, TicketPrintsBetsAndCostOrThePrizesOfADraw)
{
    ASSERT_EQ(
        run({"ticket", "01 02 03 04 05+06 07", "3 7 11 19 24 28 33+2,5,9", "18 05#02 09 13 21 27 30+04#01 08 11"}), 0)
        << err.str();
    EXPECT_EQ(out.str(), "01 02 03 04 05+06 07\t1\t2\n"
                         "03 07 11 19 24 28 33+02 05 09\t63\t126\n"
                         "05 18#02 09 13 21 27 30+04#01 08 11\t60\t120\n"
                         "合计\t124\t248\n");
    ASSERT_EQ(run({"ticket", "--extra", "03 07 11 19 24 28 33+02 05 09"}), 0) << err.str();
    EXPECT_EQ(out.str(), "03 07 11 19 24 28 33+02 05 09\t63\t189\n合计\t63\t189\n");

    // 2025-06-02 falls under the nine levels, the default is the newest table (seven levels).
    const std::vector<std::string> compound{"ticket", "02 11 16 23 28 30 31+05 10 12", "01 02 03 04 05+06 07", "--draw",
                                            "02 11 16 23 28+05 10"};
    std::vector<std::string> args = compound;
    args.insert(args.end(), {"--date", "2025-06-02"});
    ASSERT_EQ(run(args), 0) << err.str();
    EXPECT_EQ(out.str(), "02 11 16 23 28 30 31+05 10 12\t1\t2\t0\t10\t20\t10\t0\t20\t0\t38300+浮动\n"
                         "01 02 03 04 05+06 07\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n"
                         "合计\t1\t2\t0\t10\t20\t10\t0\t20\t0\t38300+浮动\n");
    ASSERT_EQ(run(compound), 0) << err.str();
    EXPECT_EQ(out.str(), "02 11 16 23 28 30 31+05 10 12\t1\t2\t10\t20\t10\t20\t0\t57800+浮动\n"
                         "01 02 03 04 05+06 07\t0\t0\t0\t0\t0\t0\t0\t0\n"
                         "合计\t1\t2\t10\t20\t10\t20\t0\t57800+浮动\n");
}

TEST_F(CliCheckFixture, TicketRefusesNamingTheLine)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char* err;
    } cases[] = {
        {{"ticket", "01 02 03 04 05+06 07", "01 02 03 04+05 06"},
         1,
         "第 2 个票面“01 02 03 04+05 06”：前区号码只有 4 个，至少要 5 个\n"},
        {{"ticket", "01 02 03 04 05+06 07", "--draw", "01 02 03 04 05 06+01 02"},
         1,
         "--draw “01 02 03 04 05 06+01 02”：开奖号码应为 5 个前区号码和 2 个后区号码\n"},
        {{"ticket", "01 02 03 04 05+06 07", "--draw", "01 02 03 04 05+01 02", "--date", "2007-05-29"},
         1,
         "2007-05-29 早于所有奖级表\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args[1];
        EXPECT_EQ(err.str(), c.err);
        EXPECT_EQ(out.str(), "") << "nothing printed before the refusal";
    }
    EXPECT_EQ(run({"ticket", "01 02 03 04 05+06 07", "--date", "2026-01-01"}), 2);
    EXPECT_EQ(run({"ticket", "01 02 03 04 05+06 07", "--draw", "01 02 03 04 05+01 02", "--date", "2026-1-1"}), 2);
    EXPECT_EQ(run({"ticket"}), 2);
}

TEST_F(CliCheckFixture, ReplayPricesEachDrawsListAndSetsItBesideChance)
{
    // Sum 15 keeps 01 02 03 04 05; with 01 02 behind it, one bet a draw. The oldest draw has none
    // before it; 2026014 (01 02 03 04 06 + 01 02) is 4+2, 三等奖 of the seven levels.
    ASSERT_EQ(run({"replay", kShippedLottery, "--last", "5", "--sum", "15", "--back", "1 2"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "奖级\t七个奖级\t一等奖(浮动)\t二等奖(浮动)\t三等奖(5000/6666)\t四等奖(300/380)\t五等奖(150/200)"
              "\t六等奖(15/18)\t七等奖(5/7)\t奖金\n"
              "2026014\t1\t1\t2\t0\t0\t1\t0\t0\t0\t0\t5000+浮动\t4998\n"
              "2026015\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t4996\n"
              "合计\t2期\t2注\t投入4\t奖金5000+浮动\t盈亏4996\t回报率125000.0%\n"
              "随机基准\t期望奖金1.1+浮动\t回报率27.7%\n");
    EXPECT_EQ(run({"replay", kShippedLottery, "--last", "5"}), 1);
    EXPECT_EQ(err.str(), "请选择过滤条件！\n");
    EXPECT_EQ(run({"replay", kShippedLottery, "--sum", "15"}), 2);
}

TEST_F(CliCheckFixture, CheckAndReplayCountADrawBeforeEveryTableAlike)
{
    // Two draws of 2006, before every prize table; the replay judges the second by the first.
    test::insertDraws(program.databasePath(), kShippedLottery,
                      {{2006059, 7, 8, 9, 10, 11, 3, 4}, {2006060, 1, 2, 3, 4, 5, 1, 2}}, "2006-06-01");
    std::ofstream(file("one.txt"), std::ios::binary) << "01 02 03 04 05+01 02\n";
    const std::string beforeEveryTable = "另有1期早于所有奖级表，只按中奖号码个数列出，不计投入和奖金";
    // 2026012 5+2 (pool), 2026014 4+2 三等奖 5000 at least, 2026015 nothing; 2006060 neither staked nor
    // priced.
    ASSERT_EQ(run({"check", kShippedLottery, file("one.txt"), "--last", "4"}), 0) << err.str();
    EXPECT_NE(out.str().find("2006060\t早于所有奖级表\t5+2:1\t-\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("合计\t3期\t3注\t投入6\t奖金5000+浮动\t盈亏4994\t" + beforeEveryTable + "\n"),
              std::string::npos)
        << out.str();
    ASSERT_EQ(run({"replay", kShippedLottery, "--last", "4", "--sum", "15", "--back", "1 2"}), 0) << err.str();
    EXPECT_NE(out.str().find("2006060\t1\t1\t0\t早于所有奖级表\t-\t0\n"), std::string::npos) << out.str();
    EXPECT_NE(
        out.str().find("合计\t3期\t3注\t投入6\t奖金5000+浮动\t盈亏4994\t回报率83333.3%\t" + beforeEveryTable + "\n"),
        std::string::npos)
        << out.str();
}

TEST_F(CliCheckFixture, CheckRefusesAnAmountWhoseSumsCouldOverflow)
{
    // An edited prize table (GBK, as shipped): 三等奖 of the seven levels at the largest 64-bit number.
    const auto rules = program.path() / "附属" / "大乐透奖级.txt";
    std::string text;
    {
        std::ifstream in(rules, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::string thirdPrize = " 5000/6666 5+0 4+2";
    const std::size_t at = text.find(thirdPrize);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, thirdPrize.size(), " 9223372036854775807 5+0 4+2");
    std::ofstream(rules, std::ios::binary | std::ios::trunc) << text;
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n');

    EXPECT_EQ(run({"check", kShippedLottery, file("bets.txt"), "--last", "3"}), 1);
    EXPECT_NE(err.str().find("第" + std::to_string(line) + "行：金额“9223372036854775807”太大"), std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "");
}

TEST_F(CliCheckFixture, ReplayAndBacktestWriteTheirNumbersAlikeUnderAGermanLocale)
{
    const std::vector<std::vector<std::string>> commands{
        {"replay", kShippedLottery, "--last", "5", "--sum", "15", "--back", "1 2"},
        {"backtest", kShippedLottery, "--last", "2", "--sum", "15-100"}};
    std::vector<std::string> plain;
    for (const auto& args : commands) {
        ASSERT_EQ(run(args), 0) << err.str();
        plain.push_back(out.str());
    }
    EXPECT_NE(plain[0].find("回报率125000.0%"), std::string::npos) << plain[0];
    EXPECT_NE(plain[1].find("\t100.0%\t"), std::string::npos) << plain[1];

    test::GermanLocale german;
    if (!german.active())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/install-deps.sh)";
    for (std::size_t k = 0; k < commands.size(); ++k) {
        ASSERT_EQ(run(commands[k]), 0) << err.str();
        EXPECT_EQ(out.str(), plain[k]);
    }
}

TEST_F(CliCheckFixture, CheckRefusesWhatItCannotDo)
{
    EXPECT_EQ(run({"check", kShippedLottery, file("bets.txt"), "--issue", "2026013"}), 1);
    EXPECT_NE(err.str().find("没有第 2026013 期"), std::string::npos);
    EXPECT_EQ(run({"check", kShippedLottery, file("bets.txt"), "--issue", "2026014", "--last", "2"}), 2);
    std::filesystem::remove(program.path() / "附属" / "大乐透奖级.txt");
    EXPECT_EQ(run({"check", kShippedLottery, file("bets.txt")}), 1);
    EXPECT_NE(err.str().find("大乐透奖级.txt"), std::string::npos) << err.str();
}

TEST_F(CliCheckFixture, BacktestPrintsTheDrawsAndTheSummary)
{
    // Sums 15..20 are held by 19 combinations: 1, 1, 2, 3, 5 and 7 of them.
    ASSERT_EQ(run({"backtest", kShippedLottery, "--last", "2", "--sum", "15-20", "--odd", "0-5"}), 0) << err.str();
    EXPECT_EQ(out.str(), "期号\t前区\t奇数\t和值\t全部\t注数\n"
                         "2026014\t01 02 03 04 06\t1\t1\t1\t19\n"
                         "2026015\t03 09 17 25 33\t1\t0\t0\t19\n"
                         "汇总\t奇数\t2/2\t100.0%\t324632.0\n"
                         "汇总\t和值\t1/2\t50.0%\t19.0\n"
                         "汇总\t全部条件\t1/2\t50.0%\t19.0\n"
                         // 19 of 324,632 each draw: p = P(1 hit) + P(2) = 2q(1 - q) + q² = 0.000117.
                         "随机\t奇数\t100.0%\t1\n"
                         "随机\t和值\t0.0%\t0.000117\n"
                         "随机\t全部条件\t0.0%\t0.000117\n");
    EXPECT_EQ(run({"backtest", kShippedLottery, "--sum", "15-20"}), 2);
    EXPECT_EQ(run({"backtest", kShippedLottery, "--last", "2"}), 1);
    EXPECT_NE(err.str().find("请选择过滤条件"), std::string::npos);
}

TEST_F(CliCheckFixture, BacktestTakesTheSecondPageAgainstTheDrawBeforeAndPrintsTheTolerance)
{
    // 重号 4-5 against the draw before: 01 02 03 04 06 repeats four of 01–05, 03 09 17 25 33 one of
    // the draw before it. With 容错 1 a combination needs sum 15–20 or four repeats: 19 + 151 less
    // the 16 (after 01–05) or 13 (after 01 02 03 04 06) that have both.
    ASSERT_EQ(
        run({"backtest", kShippedLottery, "--last", "2", "--sum", "15-20", "--repeat", "4-5", "--tolerance", "1"}), 0)
        << err.str();
    EXPECT_EQ(out.str(), "期号\t前区\t和值\t重号\t全部\t注数\n"
                         "2026014\t01 02 03 04 06\t1\t1\t1\t154\n"
                         "2026015\t03 09 17 25 33\t0\t0\t0\t157\n"
                         "汇总\t和值\t1/2\t50.0%\t19.0\n"
                         "汇总\t重号\t1/2\t50.0%\t151.0\n"
                         "汇总\t全部条件\t1/2\t50.0%\t155.5\n"
                         // One hit in two draws kept with chances 154 and 157 of 324,632: p ≈ q₁ + q₂.
                         "随机\t和值\t0.0%\t0.000117\n"
                         "随机\t重号\t0.0%\t0.00093\n"
                         "随机\t全部条件\t0.0%\t0.000958\n"
                         "容错\t1\n");
}

using CliHistoryFixture = test::CliFixture<test::HistoryProgram>;

TEST_F(CliHistoryFixture, BacktestSaysWhatChanceGivesBesideEachHitRate)
{
    const std::vector<std::string> lines =
        runLines({"backtest", kShippedLottery, "--sum", "70-110", "--odd", "2-3", "--last", "500"});
    ASSERT_EQ(lines.size(), 1u + 500 + 3 + 3);
    // Neither condition looks at the history: each draw's chance is the share of the fronts kept,
    // counted here one by one, and the hit count is binomial.
    double kept[3] = {0, 0, 0}; // 奇数, 和值, both
    for (int a = 1; a <= 31; ++a)
        for (int b = a + 1; b <= 32; ++b)
            for (int c = b + 1; c <= 33; ++c)
                for (int d = c + 1; d <= 34; ++d)
                    for (int e = d + 1; e <= 35; ++e) {
                        const int odd = a % 2 + b % 2 + c % 2 + d % 2 + e % 2;
                        const int sum = a + b + c + d + e;
                        const bool oddKept = odd >= 2 && odd <= 3, sumKept = sum >= 70 && sum <= 110;
                        kept[0] += oddKept ? 1 : 0;
                        kept[1] += sumKept ? 1 : 0;
                        kept[2] += oddKept && sumKept ? 1 : 0;
                    }
    const std::string names[3] = {"奇数", "和值", "全部条件"};
    for (std::size_t k = 0; k < 3; ++k) {
        // The hits from the 汇总 line ("汇总\t和值\t331/500\t…"), the chance lines after all of them.
        const std::string& summary = lines[501 + k];
        ASSERT_EQ(summary.rfind("汇总\t" + names[k] + '\t', 0), 0u) << summary;
        const int hits = std::stoi(summary.substr(summary.find('\t', summary.find('\t') + 1) + 1));
        const double q = kept[k] / 324'632.0;
        const auto pmf = [q](int j) {
            return std::exp(std::lgamma(501.0) - std::lgamma(j + 1.0) - std::lgamma(501.0 - j) + j * std::log(q) +
                            (500 - j) * std::log1p(-q));
        };
        double p = 0;
        for (int j = 0; j <= 500; ++j)
            p += pmf(j) <= pmf(hits) * (1 + 1e-7) ? pmf(j) : 0.0;
        char chanceCell[16];
        std::snprintf(chanceCell, sizeof chanceCell, "%.1f%%", q * 100);
        char pCell[16];
        std::snprintf(pCell, sizeof pCell, "%.3g", std::min(p, 1.0));
        EXPECT_EQ(lines[504 + k], "随机\t" + names[k] + '\t' + chanceCell + '\t' + pCell) << "hits " << hits;
    }
}
