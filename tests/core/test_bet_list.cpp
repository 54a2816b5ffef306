// Bet lists: the text of a line, the numbered and saved files, and reading a list back in.
#include "filter/base_intersection.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"
#include "filter/exclusion_list_reader.h"
#include "store/lottery_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct BetListFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string path(const std::string& name) { return dir.apppath() + name; }
    std::string write(const std::string& name, const std::string& text)
    {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
};

} // namespace

TEST_F(BetListFixture, PairedListFormsEveryLineAndWritesBothForms)
{
    const BetList list = BetList::paired(5, {1, 2, 3, 4, 5, 3, 9, 17, 25, 33}, 2, backPairs({6, 7, 1}, 12));
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list.bet(0), "01 02 03 04 05+01 06");
    EXPECT_EQ(list.bet(2), "01 02 03 04 05+06 07");
    EXPECT_EQ(list.bet(5), "03 09 17 25 33+06 07");
    EXPECT_EQ(list.numbered(2), "0000003    01 02 03 04 05+06 07");

    std::string error;
    ASSERT_TRUE(list.writeNumbered(path("temp.txt"), nullptr, error)) << error;
    const std::string numbered = readAll(path("temp.txt"));
    EXPECT_TRUE(numbered.starts_with("0000001    01 02 03 04 05+01 06\r\n0000002    01 02 03 04 05+01 07\r\n"));
    EXPECT_TRUE(numbered.ends_with("0000006    03 09 17 25 33+06 07\r\n"));
    ASSERT_TRUE(list.writeSaved(path("saved.txt"), nullptr, error)) << error;
    EXPECT_EQ(readAll(path("saved.txt")).substr(0, 22), "01 02 03 04 05+01 06\r\n");
    EXPECT_EQ(readAll(path("saved.txt")).size(), 6u * 22u);
}

TEST_F(BetListFixture, WrittenFilesHoldExactlyTheLinesShown)
{
    std::vector<std::uint8_t> fronts;
    for (std::uint8_t a = 1; a <= 40; ++a)
        fronts.insert(fronts.end(), {a, static_cast<std::uint8_t>(a + 1), 50, 60, 70});
    std::vector<int> back;
    for (int n = 1; n <= 12; ++n)
        back.push_back(n);
    const BetList list = BetList::paired(5, std::move(fronts), 2, backPairs(back, 12));
    std::string numbered, saved;
    for (std::size_t i = 0; i < list.size(); ++i) {
        numbered += list.numbered(i) + "\r\n";
        saved += list.bet(i) + "\r\n";
    }
    std::string error;
    ASSERT_TRUE(list.writeNumbered(path("n.txt"), nullptr, error)) << error;
    ASSERT_TRUE(list.writeSaved(path("s.txt"), nullptr, error)) << error;
    EXPECT_EQ(readAll(path("n.txt")), numbered);
    EXPECT_EQ(readAll(path("s.txt")), saved);
}

TEST_F(BetListFixture, FrontOnlyListsEndNumberedLinesWithABlank)
{
    const BetList list = BetList::frontsOnly(5, {1, 2, 3, 4, 5, 3, 9, 17, 25, 33});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.bet(1), "03 09 17 25 33");
    EXPECT_EQ(list.numbered(0), "0000001    01 02 03 04 05 ");
    std::string error;
    ASSERT_TRUE(list.writeNumbered(path("temp.txt"), nullptr, error)) << error;
    EXPECT_EQ(readAll(path("temp.txt")), "0000001    01 02 03 04 05 \r\n0000002    03 09 17 25 33 \r\n");
    ASSERT_TRUE(list.writeSaved(path("saved.txt"), nullptr, error)) << error;
    EXPECT_EQ(readAll(path("saved.txt")), "01 02 03 04 05\r\n03 09 17 25 33\r\n");
}

TEST_F(BetListFixture, LineNumbersGrowPastSevenDigits)
{
    // 2,000,000 fronts × 6 back pairs: the numbering runs past 9,999,999 and keeps counting.
    std::vector<std::uint8_t> fronts;
    for (int i = 0; i < 2'000'000; ++i)
        fronts.insert(fronts.end(), {1, 2, 3, 4, 5});
    const BetList list = BetList::paired(5, std::move(fronts), 2, backPairs({1, 2, 3, 4}, 12));
    EXPECT_EQ(list.numbered(9'999'999), "10000000    01 02 03 04 05+02 03");
    std::string error;
    ASSERT_TRUE(list.writeNumbered(path("big.txt"), nullptr, error)) << error;
    const std::string text = readAll(path("big.txt"));
    EXPECT_NE(text.find("9999999    01 02 03 04 05+01 04\r\n10000000    01 02 03 04 05+02 03\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("12000000    01 02 03 04 05+03 04\r\n"));
}

TEST_F(BetListFixture, ReadingCollapsesEqualFrontsAndCollectsTheNumbers)
{
    const LoadedBetList two =
        readBetList(write("two.txt", "01 02 03 04 05+01 02\r\n01 02 03 04 05+01 03\r\n"), 35, 5, 12, 2);
    ASSERT_TRUE(two.ok) << two.error;
    EXPECT_EQ(two.fronts, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(two.backNumbers, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(two.frontNumbers, (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_EQ(two.lines.size(), 2u);
    EXPECT_EQ(two.lines.numbered(1), "0000002    01 02 03 04 05+01 03");

    // Front-only lines (the exclusion windows' form, trailing blank included) carry no back numbers;
    // blank lines anywhere are passed over; a front seen again later is a new entry.
    const LoadedBetList fronts = readBetList(
        write("f.txt", "\n01 02 03 04 05 \n02 03 04 05 06\n01 02 03 04 05\n\n \t\n07 08 09 10 11\n\n"), 35, 5, 12, 2);
    ASSERT_TRUE(fronts.ok) << fronts.error;
    EXPECT_TRUE(fronts.backNumbers.empty());
    EXPECT_EQ(fronts.fronts.size(), 20u);
    ASSERT_EQ(fronts.lines.size(), 4u);
    EXPECT_EQ(fronts.lines.bet(0), "01 02 03 04 05");
    EXPECT_EQ(fronts.lines.bet(3), "07 08 09 10 11");

    // The numbered form, its line numbers past seven digits too, when asked for.
    const LoadedBetList numbered =
        readBetList(write("n.txt", "9999999    01 02 03 04 05+01 02\r\n10000000    01 02 03 04 05+01 03\r\n"), 35, 5,
                    12, 2, kMaxBetListEntries, nullptr, true);
    ASSERT_TRUE(numbered.ok) << numbered.error;
    EXPECT_EQ(numbered.lines.bet(1), "01 02 03 04 05+01 03");
}

TEST_F(BetListFixture, LoadingThenSavingGivesTheSameBets)
{
    // After the first line without a back part the back numbers offered stop (only those before
    // count), but every line keeps the bet it holds.
    const std::string text = "01 02 03 04 05+11 12\r\n01 02 03 04 06\r\n01 02 03 04 06+01 02\r\n"
                             "01 02 03 04 07+01 02\r\n01 02 03 04 08\r\n";
    const LoadedBetList mixed = readBetList(write("m.txt", text), 35, 5, 12, 2);
    ASSERT_TRUE(mixed.ok) << mixed.error;
    EXPECT_EQ(mixed.backNumbers, (std::vector<int>{11, 12}));
    EXPECT_EQ(mixed.fronts.size(), 4u * 5u);
    std::string error;
    ASSERT_TRUE(mixed.lines.writeSaved(path("saved.txt"), nullptr, error)) << error;
    EXPECT_EQ(readAll(path("saved.txt")), text);
    ASSERT_TRUE(mixed.lines.writeNumbered(path("temp.txt"), nullptr, error)) << error;
    EXPECT_NE(readAll(path("temp.txt")).find("0000004    01 02 03 04 07+01 02\r\n"), std::string::npos);
}

TEST_F(BetListFixture, BadListsAreRefusedNamingTheLine)
{
    struct Case {
        const char* name;
        std::string text;
        const char* fragment;
    };
    const std::vector<Case> cases = {
        {"front number 36", "01 02 03 04 05\n01 02 03 04 36\n", "第 2 行"},
        {"back number 13", "01 02 03 04 05+01 13\n", "后区"},
        {"front number repeated", "01 02 03 05 03\n", "前区号码 03 重复"},
        {"letters", "01 02 O3 04 05\n", "前区"},
        {"half a back part", "01 02 03 04 05+01 02\n01 02 03 04 05+01\n", "第 2 行：后区号码只有 1 个"},
        {"back part after the fixed positions", "01 02 03 04 05 +01\n", "第 1 行：后区号码只有 1 个"},
        {"ticket expanding past the limit", "01 02 03 04 05 06+01 02\n", "复式票面展开后超过 2 注"},
        {"bad line after a blank one", "01 02 03 04 05\n\n01 02 03 04 36\n", "第 3 行"},
        {"too many entries", "01 02 03 04 05\n01 02 03 04 06\n01 02 03 04 07\n", "超过 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LoadedBetList loaded = readBetList(write("bad.txt", c.text), 35, 5, 12, 2, 2);
        EXPECT_FALSE(loaded.ok);
        EXPECT_NE(loaded.error.find(c.fragment), std::string::npos) << loaded.error;
    }
    EXPECT_FALSE(readBetList(path("missing.txt"), 35, 5, 12, 2).ok);
}

// Every reader of bet lists reads a line the same way: the total filter's 载入 and `filter --in`,
// the prize check and `check` (numbered form, tickets kept whole), the exclusion windows' 载入 and
// `exclude --in` (front parts), and 大底交集 and `intersect`.
TEST_F(BetListFixture, EveryReaderEndsLinesAtEveryLineEndAndRefusesStrayCharactersAndSecondBets)
{
    struct Case {
        const char* name;
        std::string text;
        std::string error;      ///< what the refusal says after "第 N 行：", or empty when read
        std::uint64_t bets = 0; ///< the single bets read
        std::size_t fronts = 0; ///< the distinct front combinations among them
    };
    const std::vector<Case> cases = {
        {"CR line ends", "01 02 03 04 05+01 02\r12 20 32 33 35+06 07\r", "", 2, 2},
        {"a 复式 line before a CR", "01 02 03 04 05 06+01 02\r12 20 32 33 35+06 07\r", "", 7, 7},
        {"all three line ends", "01 02 03 04 05+01 02\n01 02 03 04 06+01 02\r\n01 02 03 04 07+01 02\r", "", 3, 3},
        {"a letter after the back part", "01 02 03 04 05+06 07x\r\n", "第 1 行：第 2 个后区号码“07x”有不认识的字符“x”"},
        {"a point between back numbers", "01 02 03 04 05+06.07\r\n",
         "第 1 行：第 1 个后区号码“06.07”有不认识的字符“.”"},
        {"a dash between front numbers", "01-02 03 04 05 06+01 02\r\n",
         "第 1 行：第 1 个前区号码“01-02”有不认识的字符“-”"},
        {"a stray character alone", "01 02 03 04 05 06 07 ?\r\n", "第 1 行：前区有不认识的字符“?”"},
        {"a control character",
         "01 02 03 04 05+06\x0b"
         "07\r\n",
         "第 1 行：第 1 个后区号码“06\x0b"
         "07”有不认识的字符“U+000B”"},
        {"a stray character on a later line", "01 02 03 04 05+06 07\r\n12 20 32 33 35 06 07x\r\n",
         "第 2 行：第 2 个后区号码“07x”有不认识的字符“x”"},
        {"a bad line after CR line ends", "01 02 03 04 05+06 07\r01 02 03 04 36+06 07\r",
         "第 2 行：前区号码“36”不在 01-35 之内"},
        {"two bets with back parts on one line", "01 02 03 04 05+06 07 12 20 32 33 35+06 07\r\n", "第 1 行：有多个“+”"},
        {"two bets in the fixed form on one line", "01 02 03 04 05 06 07 12 20 32 33 35 06 07\r\n",
         "第 1 行：有 14 个号码，多于一注的 5 个前区号码和 2 "
         "个后区号码；一行只写一注，复式、胆拖要用“+”分开前区和后区"},
        {"a second bet without its +", "01 02 03 04 05+06 07 12 20 32 33 35\r\n",
         "第 1 行：后区号码“20”不在 01-12 之内"},
        {"a number run into the next", "01 02 03 04 05 06 0708\r\n", "第 1 行：号码应为两位数字，以一个空格隔开"},
    };
    const LotteryState state; // 35/5 front, 12/2 back
    BaseIntersection intersection(state);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = write("list.txt", c.text);
        const LoadedBetList filter = readBetList(file, 35, 5, 12, 2);
        const LoadedBetList check =
            readBetList(file, 35, 5, 12, 2, kMaxBetListEntries, nullptr, true, TicketLines::Keep);
        const LoadedExclusionList exclusion = readExclusionList(file, TicketShape{});
        const BaseIntersection::Result intersected =
            intersection.run({file}, {0, 0, BaseIntersection::BackChoice::None, {}});
        if (!c.error.empty()) {
            EXPECT_EQ(filter.error, c.error + "。文件未载入。");
            EXPECT_EQ(check.error, c.error + "。文件未载入。");
            EXPECT_EQ(exclusion.error, c.error + "。文件未载入。");
            EXPECT_EQ(intersected.error, "list.txt：" + c.error);
            continue;
        }
        ASSERT_TRUE(filter.ok) << filter.error;
        ASSERT_TRUE(check.ok) << check.error;
        ASSERT_TRUE(exclusion.ok) << exclusion.error;
        ASSERT_TRUE(intersected.ok) << intersected.error;
        EXPECT_EQ(filter.lines.size(), c.bets);
        EXPECT_EQ(check.bets(), c.bets);
        EXPECT_EQ(exclusion.fronts.size(), 5 * c.fronts);
        EXPECT_EQ(intersected.bets.size(), c.fronts);
    }
}
