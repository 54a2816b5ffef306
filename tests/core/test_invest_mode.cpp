// The investment-mode analysis: drawing codes, hit marks, interval statistics, the replay of a
// betting rule, the search over its settings and the window's files.
#include "common/progress.h"
#include "common/random_source.h"
#include "invest/code_drawing.h"
#include "invest/hit_marks.h"
#include "invest/mode_files.h"
#include "invest/mode_replay.h"
#include "invest/mode_search.h"
#include "invest/money.h"
#include "scripted_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace quorlin;

namespace {

std::vector<std::vector<int>> rowsOf(const CodeList& codes)
{
    std::vector<std::vector<int>> rows;
    for (std::size_t r = 0; r < codes.rows(); ++r)
        rows.emplace_back(codes.row(r).begin(), codes.row(r).end());
    return rows;
}

CodeList codeList(const std::vector<std::vector<int>>& rows)
{
    CodeList codes(rows.size(), rows.empty() ? 5 : rows[0].size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t p = 0; p < rows[r].size(); ++p)
            codes.at(r, p) = static_cast<std::uint8_t>(rows[r][p]);
    return codes;
}

/// A history of draws {f1..f5}, issues 1, 2, ….
Grid<std::int32_t> history(const std::vector<std::vector<int>>& fronts)
{
    Grid<std::int32_t> his(fronts.size(), 8);
    for (std::size_t i = 0; i < fronts.size(); ++i) {
        his.at(i, 0) = static_cast<std::int32_t>(i + 1);
        for (std::size_t p = 0; p < 5; ++p)
            his.at(i, p + 1) = fronts[i][p];
    }
    return his;
}

/// Marks from a picture of the history: 'x' a hit, anything else a miss.
std::vector<std::int32_t> marksOf(const std::string& picture)
{
    std::vector<std::int32_t> marks;
    std::int32_t since = 0;
    bool seen = false;
    for (const char draw : picture) {
        since = draw == 'x' ? 0 : (seen ? since + 1 : static_cast<std::int32_t>(marks.size()) + 1);
        seen = seen || draw == 'x';
        marks.push_back(draw == 'x' ? kHitMark : since);
    }
    return marks;
}

int equalPairs(std::span<const std::uint8_t> code)
{
    int pairs = 0;
    for (std::size_t p = 0; p < code.size(); ++p)
        for (std::size_t q = p + 1; q < code.size(); ++q)
            pairs += code[p] == code[q] ? 1 : 0;
    return pairs;
}

int agreements(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b)
{
    int same = 0;
    for (std::size_t p = 0; p < a.size(); ++p)
        same += a[p] == b[p] ? 1 : 0;
    return same;
}

/// The rule of the worked block: one draw a block, 100 bets of prize 1000, 10 %, no observation.
ModeRule workedRule()
{
    ModeRule rule;
    rule.sepmode = false;
    return rule;
}

std::vector<ModePlanRow> rowsOf(const ModeResult& result)
{
    std::vector<ModePlanRow> rows;
    for (const ModeBlock& block : result.blocks)
        rows.push_back(block.row);
    return rows;
}

} // namespace

TEST(CodeDrawing, AStraightCandidateSharingExactlyThreePlacesWithTheEarlierCodesIsDrawnAgain)
{
    // 12345 is taken; 12399 agrees with it in three places and is drawn again as 55555.
    test::ScriptedRandom random({1, 2, 3, 4, 5, 1, 2, 3, 9, 9, 5, 5, 5, 5, 5});
    const CodeList codes = drawCodes(PlayType::Zhixuan, 2, 5, random);
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(rowsOf(codes), (std::vector<std::vector<int>>{{1, 2, 3, 4, 5}, {5, 5, 5, 5, 5}}));
}

TEST(CodeDrawing, GroupCodesRiseAndHaveTheirTypesEqualPairs)
{
    // 54321 falls, 11123 has three equal pairs, 11234 has one: only the last is a 组选3 code.
    test::ScriptedRandom random({5, 4, 3, 2, 1, 1, 1, 1, 2, 3, 1, 1, 2, 3, 4});
    EXPECT_EQ(rowsOf(drawCodes(PlayType::Zuxuan3, 1, 5, random)), (std::vector<std::vector<int>>{{1, 1, 2, 3, 4}}));
}

TEST(CodeDrawing, EveryPlayTypeMeetsItsTestsAtTheTopOfItsRange)
{
    for (const PlayType type : {PlayType::Zhixuan, PlayType::Quanzuxuan, PlayType::Zuxuan3, PlayType::Zuxuan6}) {
        SCOPED_TRACE(playTypeCaption(type));
        SeededRandomSource random(7);
        const CodeList codes = drawCodes(type, playTypeMaxCodes(type), 5, random);
        ASSERT_EQ(codes.rows(), static_cast<std::size_t>(playTypeMaxCodes(type)));
        int previousKey = -1;
        for (std::size_t n = 0; n < codes.rows(); ++n) {
            const auto code = codes.row(n);
            const int key = 100 * code[0] + 10 * code[1] + code[2];
            EXPECT_GE(key, previousKey) << "sorted by the first three digits";
            previousKey = key;
            for (const std::uint8_t digit : code)
                EXPECT_LE(digit, 9);
            if (type == PlayType::Zhixuan)
                continue;
            EXPECT_TRUE(std::is_sorted(code.begin(), code.end()));
            const int pairs = equalPairs(code);
            const bool pairsFit = type == PlayType::Quanzuxuan ? pairs != 3
                                  : type == PlayType::Zuxuan3  ? pairs == 1
                                                               : pairs == 0;
            EXPECT_TRUE(pairsFit) << "code " << n << " has " << pairs << " equal pairs";
            for (std::size_t e = 0; e < codes.rows(); ++e)
                EXPECT_NE(agreements(code, codes.row(e)), 3) << "codes " << n << " and " << e;
        }
    }
}

TEST(HitMarks, StraightCodesHitOnlyDrawsOfDigitsInTheirOrder)
{
    const Grid<std::int32_t> his = history({
        {1, 2, 3, 4, 12}, // read as digits it would be 1 2 3 5 2: numbers above 9 never hit
        {10, 11, 12, 13, 14},
        {1, 2, 3, 5, 8},
        {1, 2, 3, 8, 5},
        {4, 5, 6, 7, 9},
    });
    const std::vector<std::int32_t> marks =
        markHits(codeList({{1, 2, 3, 5, 2}, {1, 2, 3, 5, 8}}), PlayType::Zhixuan, his);
    EXPECT_EQ(marks, (std::vector<std::int32_t>{1, 2, kHitMark, 1, 2}));
}

TEST(HitMarks, GroupCodesHitTheFirstThreeNumbersInAnyOrder)
{
    const Grid<std::int32_t> his = history({
        {1, 5, 9, 20, 30},  // 1 5 9 of code 15 9 in another order: hit
        {3, 5, 7, 20, 30},  // same sum as 1 5 9 but other numbers
        {1, 5, 10, 20, 30}, // 10 is no digit
        {5, 9, 11, 12, 13},
        {1, 5, 9, 10, 11},
    });
    const std::vector<std::int32_t> marks =
        markHits(codeList({{0, 5, 9, 9, 9}, {1, 9, 5, 0, 0}}), PlayType::Quanzuxuan, his);
    EXPECT_EQ(marks, (std::vector<std::int32_t>{kHitMark, 1, 2, 3, kHitMark}));
}

TEST(IntervalStatistics, CountsRunsOfLongGapsButNotARunThatReachesTheEnd)
{
    // Hits at 1, 3, 4, 8, 9 of 12 draws: gaps 2 2 1 4 1 and the open gap 12 − 9 + 1 = 4.
    const auto rows = intervalStatistics(marksOf(".x.xx...xx.."));
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, (std::vector<IntervalRow>{{2, 1, 1}, {2, 2, 1}, {3, 1, 1}, {4, 1, 1}}));
    EXPECT_FALSE(intervalStatistics(marksOf("......")));
}

TEST(ModeMultiple, TheDirectAnswerIsTheSmallestMultipleThatTryingEveryOneFinds)
{
    std::mt19937 engine(11);
    auto pick = [&](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(engine);
    };
    for (int i = 0; i < 3000; ++i) {
        const std::int64_t invested = i % 4 == 0 ? 0 : pick(0, 5000000);
        const std::int64_t jushu = pick(1, 300);
        const std::int64_t outofsin = pick(0, 3000);
        const std::int64_t lirun = pick(-150, 200);
        std::int64_t expected = 0;
        for (std::int64_t m = 1; m <= kModeMultipleLimit && expected == 0; ++m) {
            const std::int64_t total = invested + m * 2 * jushu;
            if (profitRate(m * outofsin - total, total) >= lirun)
                expected = m;
        }
        ASSERT_EQ(smallestModeMultiple(invested, jushu, outofsin, lirun), expected)
            << invested << " " << jushu << " " << outofsin << " " << lirun;
    }
}

TEST(ModeReplay, TheWorkedBlockOfOneDraw)
{
    const ModeResult result = ModeReplay(marksOf(".xx.")).analyse(workedRule());
    EXPECT_EQ(result.stop, ModeStop::End);
    EXPECT_EQ(rowsOf(result), (std::vector<ModePlanRow>{{1, 1, 200, 200, 1000, 800, 400}}));
    EXPECT_EQ(result.surplus, 800);
}

TEST(ModeReplay, WithoutObservationOrWaitBlocksStartAfterTheHitsTheRuleNames)
{
    // Two-draw blocks. The first starts after the hit at 2 and wins at 4 (its second draw); the
    // next starts after the next hit, 8, and wins at once at 9; the last starts after 11 and the
    // history ends inside it.
    ModeRule rule = workedRule();
    rule.tozirep = 2;
    const ModeResult wins = ModeReplay(marksOf(".x.x...xx.x.")).analyse(rule);
    EXPECT_EQ(rowsOf(wins),
              (std::vector<ModePlanRow>{{2, 1, 200, 400, 1000, 600, 150}, {1, 1, 200, 200, 1000, 800, 400}}));

    // A block lost at the hit of 7 is followed by one that starts right after it.
    const std::string losing = ".x....xx...x..";
    const ModeResult carried = ModeReplay(marksOf(losing)).analyse(rule);
    EXPECT_EQ(rowsOf(carried), (std::vector<ModePlanRow>{{2, 1, 200, 400, 1000, -400, 150},
                                                         {1, 1, 200, 600, 1000, 400, 66},
                                                         {2, 1, 200, 400, 1000, -400, 150}}));
    EXPECT_EQ(carried.surplus, 400) << "the carried losses are paid back by the next block";

    rule.yuji = false;
    const ModeResult uncarried = ModeReplay(marksOf(losing)).analyse(rule);
    EXPECT_EQ(rowsOf(uncarried)[1], (ModePlanRow{1, 1, 200, 200, 1000, 800, 400}));
    EXPECT_EQ(uncarried.surplus, 0);
}

TEST(ModeReplay, ALossCutShortByALimitIsNeitherCarriedNorLeftOut)
{
    ModeRule rule = workedRule();
    rule.tozirep = 3;
    rule.allmax = 500; // the third draw would bring the block to 600
    const ModeResult result = ModeReplay(marksOf(".x....xx...x..")).analyse(rule);
    ASSERT_EQ(result.blocks.size(), 3u);
    EXPECT_TRUE(result.blocks[0].cutShort);
    EXPECT_EQ(result.blocks[1].row, (ModePlanRow{1, 1, 200, 200, 1000, 800, 400}));
    EXPECT_EQ(result.surplus, 0);
}

TEST(ModeReplay, ObservationWaitsForLongGapsInARowAndTheWaitRestartsAtAHit)
{
    ModeRule rule = workedRule();
    rule.sepmode = true;
    rule.sepindex = 3;
    rule.sepnum = 2;
    // Gaps 1, 4, 1, 4, 4: the two long gaps in a row end at the hit of 14; the block after it
    // runs into the end of the history and loses its one draw.
    const ModeResult observed = ModeReplay(marksOf("x...xx...x...x..")).analyse(rule);
    EXPECT_EQ(rowsOf(observed), (std::vector<ModePlanRow>{{1, 1, 200, 200, 1000, -200, 400}}));

    // Sitting out two draws after the hit at 2 meets the hit at 4 and starts again: the block
    // bets on 7 and loses at the hit of 9; the next sits out 10 and 11 and loses on 12.
    rule = workedRule();
    rule.tozisep = 2;
    rule.yuji = false;
    const ModeResult waited = ModeReplay(marksOf(".x.x....x...")).analyse(rule);
    EXPECT_EQ(waited.blocks.size(), 2u);
    EXPECT_EQ(waited.surplus, -400);
}

TEST(ModeReplay, APlanThatCannotStartStopsTheReplay)
{
    ModeRule rule = workedRule();
    rule.sinmax = 100;
    const ModeResult tooDear = ModeReplay(marksOf(".xx.x")).analyse(rule);
    EXPECT_EQ(tooDear.stop, ModeStop::FirstDayTooDear);
    EXPECT_TRUE(tooDear.blocks.empty());

    rule = workedRule();
    rule.outofsin = 200; // a prize no larger than the stake never reaches 10 %
    EXPECT_EQ(ModeReplay(marksOf(".xx.x")).analyse(rule).stop, ModeStop::MultipleTooLarge);
}

TEST(ModeSearch, FindsTheFirstBestSettingOnBothThreads)
{
    std::mt19937 engine(5);
    std::string picture;
    for (int i = 0; i < 400; ++i)
        picture += std::uniform_int_distribution<int>(0, 9)(engine) == 0 ? 'x' : '.';
    const ModeReplay replay(marksOf(picture));
    ModeRule rule = workedRule();
    rule.lirun = 5;

    ModeSearchPoint expected;
    std::int64_t best = kSearchStartSurplus;
    for (std::int32_t g = 0; g < kTozisepItems; ++g) {
        for (std::int32_t r = 0; r < kTozirepItems; ++r) {
            const ModeSearchPoint point{0, g, r};
            const std::int64_t surplus = replay.analyse(withSearchPoint(rule, point)).surplus;
            if (surplus > best) {
                best = surplus;
                expected = point;
            }
        }
    }
    for (const int threads : {1, 2}) {
        Progress progress;
        const ModeSearchResult found = searchModes(replay, rule, progress, threads);
        EXPECT_EQ(found.best, expected) << threads << " threads";
        EXPECT_EQ(found.surplus, best);
        EXPECT_EQ(found.evaluated, kTozisepItems * kTozirepItems);
        EXPECT_FALSE(found.stopped);
        EXPECT_EQ(progress.done(), progress.total());
    }
}

TEST(ModeSearch, EqualResultsKeepTheFirstSettingAndAStopKeepsWhatWasFound)
{
    // No hit at all: every setting ends with nothing won or lost.
    const ModeReplay replay(marksOf(std::string(50, '.')));
    Progress progress;
    ModeSearchResult found = searchModes(replay, ModeRule{}, progress);
    EXPECT_EQ(found.best, ModeSearchPoint{});
    EXPECT_EQ(found.surplus, 0);
    EXPECT_EQ(found.evaluated, kSepnumItems * kTozisepItems * kTozirepItems);

    Progress stopped;
    stopped.cancel();
    found = searchModes(replay, ModeRule{}, stopped);
    EXPECT_TRUE(found.stopped);
    EXPECT_EQ(found.evaluated, 0);
    EXPECT_EQ(found.best, ModeSearchPoint{});
    EXPECT_EQ(found.surplus, kSearchStartSurplus);
}

struct ModeFileFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string path = dir.apppath() + "模式.txt";
};

TEST_F(ModeFileFixture, SettingsAndCodesComeBackAsWritten)
{
    ModeForm form;
    form.playType = PlayType::Zuxuan6;
    form.tozisep = 50;
    form.tozirep = 49;
    form.sepindex = 99;
    form.sepnum = 9;
    form.sinmax = "5000";
    form.lirun = "-3";
    form.yuji = false;
    const CodeList codes = codeList({{0, 3, 5, 7, 9}, {1, 2, 3, 4, 5}});
    std::string error;
    ASSERT_TRUE(writeModeFile(path, ModeFileKind::CodesAndSettings, form, codes, error)) << error;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "3\r\n50\r\n49\r\n99\r\n9\r\n5000\r\n1000000\r\n100\r\n1000\r\n-3\r\n0\r\n1\r\n3\r\n"
                     "2\r\n03579\r\n12345\r\n");

    ModeFileContent content;
    ASSERT_TRUE(readModeFile(path, ModeFileKind::CodesAndSettings, 5, content, error)) << error;
    EXPECT_EQ(content.form, form);
    EXPECT_EQ(rowsOf(content.codes), rowsOf(codes));
}

TEST_F(ModeFileFixture, ACodeFileGivesItsPlayTypeAndClearedIntervalModeResetsItsLists)
{
    std::ofstream(path, std::ios::binary) << "2\r\n1\r\n11234\r\n";
    ModeFileContent content;
    std::string error;
    ASSERT_TRUE(readModeFile(path, ModeFileKind::Codes, 5, content, error)) << error;
    EXPECT_EQ(content.form.playType, PlayType::Zuxuan3);
    EXPECT_EQ(rowsOf(content.codes), (std::vector<std::vector<int>>{{1, 1, 2, 3, 4}}));

    std::ofstream(path, std::ios::binary) << "0\r\n3\r\n4\r\n20\r\n5\r\n1\r\n2\r\n3\r\n4\r\n5\r\n1\r\n0\r\n0\r\n";
    ASSERT_TRUE(readModeFile(path, ModeFileKind::Settings, 5, content, error)) << error;
    EXPECT_FALSE(content.form.sepmode);
    EXPECT_EQ(content.form.sepindex, 0);
    EXPECT_EQ(content.form.sepnum, 0);
    EXPECT_EQ(content.form.tozisep, 3);
}

TEST_F(ModeFileFixture, ABadLineIsNamed)
{
    struct Case {
        const char* bytes;
        const char* error;
    };
    const Case cases[] = {
        {"4\r\n1\r\n12345\r\n", "第1行"},
        {"0\r\n2\r\n12345\r\n12a45\r\n", "第4行"},
        {"0\r\n2\r\n12345\r\n", "第4行之前"},
        {"0\r\n1\r\n1234\r\n", "第3行"},
    };
    for (const Case& c : cases) {
        std::ofstream(path, std::ios::binary) << c.bytes;
        ModeFileContent content;
        std::string error;
        EXPECT_FALSE(readModeFile(path, ModeFileKind::Codes, 5, content, error)) << c.bytes;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(ModeForm, TheRuleTakesTheListItemsAndFieldTexts)
{
    ModeForm form;
    form.tozisep = 4;
    form.tozirep = 2;
    form.sepindex = 6;
    form.sepnum = 1;
    form.jushu = "7";
    const ModeRule rule = modeRuleOf(form);
    EXPECT_EQ(rule.tozisep, 4);
    EXPECT_EQ(rule.tozirep, 3);
    EXPECT_EQ(rule.sepindex, 7);
    EXPECT_EQ(rule.sepnum, 2);
    EXPECT_EQ(rule.jushu, 7);
    form.sepmode = false;
    EXPECT_EQ(modeRuleOf(form).sepindex, 1) << "without 间隔模式 every hit is observed";
    form.outofsin = "十";
    EXPECT_THROW(modeRuleOf(form), WholeNumberError);
}
