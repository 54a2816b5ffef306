// Importing draws from text: accepted forms, refused files (nothing written), re-import of a
// longer history, the real history.
#include "data/history_export.h"
#include "store/database.h"
#include "store/draw_import.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quorlin;

namespace {

// The first real draw as the draw table holds it.
const std::vector<std::string> kFirstDraw = {"2007001", "22", "24", "29", "31", "35", "4", "11", "2007-05-30"};
const std::string kFirstLine = "2007001,2007-05-30,22,24,29,31,35,4,11";
const std::string kSecondLine = "2007002,2007-06-02,15,22,31,34,35,5,12";
// "期号,日期,号码" and the full-width comma "，" in GBK.
const std::string kGbkHeader = "\xC6\xDA\xBA\xC5,\xC8\xD5\xC6\xDA,\xBA\xC5\xC2\xEB";
const std::string kGbkComma = "\xA3\xAC";
// The day the tests take as today: dates are allowed up to a year after it.
constexpr std::int32_t kToday = 20261210;

std::string utf16le(const std::string& ascii)
{
    std::string out;
    for (char ch : ascii) {
        out += ch;
        out += '\0';
    }
    return out;
}

struct ImportFixture : ::testing::Test {
    test::ShippedProgram program;
    Database db;

    ImportFixture() { db.open(program.databasePath()); }

    std::vector<std::vector<std::string>> rows()
    {
        Statement st(db, "select 记录期号,[1],[2],[3],[4],[5],[6],[7],开奖日期 from " +
                             quoteIdentifier(drawTableName(kShippedLottery)) + " order by 记录期号");
        std::vector<std::vector<std::string>> out;
        while (st.step()) {
            std::vector<std::string> row;
            for (int i = 0; i < 9; ++i)
                row.push_back(st.text(i));
            out.push_back(row);
        }
        return out;
    }

    void clear() { db.exec("delete from " + quoteIdentifier(drawTableName(kShippedLottery))); }

    ImportResult importText(const std::string& bytes)
    {
        const std::string path = program.apppath() + "draws.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        return importDraws(db, kShippedLottery, path);
    }
};

} // namespace

TEST_F(ImportFixture, AcceptsHeaderSeparatorsAndShortIssues)
{
    const std::vector<std::string> lines = {
        "issue,date,f1,f2,f3,f4,f5,b1,b2",
        "07001,2007-05-30,22,24,29,31,35,4,11",
        "",
        "2007002\t2007-06-02\t15 22 31 34 35\t05\t12",
        "2007003 , 2007-6-4 , 3,4,18,23,32,1,6",
    };
    const ImportResult result = importDrawLines(db, kShippedLottery, lines);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(result.skipped, 0);
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0], kFirstDraw);
    EXPECT_EQ(stored[1][7], "12");
    EXPECT_EQ(stored[2][8], "2007-06-04");
}

TEST_F(ImportFixture, ReadsTheFileFormsPeopleHave)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"CR LF line ends", kFirstLine + "\r\n"},
        {"stray CR before the line end", kFirstLine + "\r\r\n"},
        {"no end on the last line", kFirstLine},
        {"leading zeros", "2007001,2007-05-30,0022,24,29,31,035,04,0011\n"},
        {"English header", "issue,date,f1,f2,f3,f4,f5,b1,b2\n" + kFirstLine + "\n"},
        {"UTF-8 mark and Chinese header", "\xEF\xBB\xBF期号,日期,前区,后区\r\n" + kFirstLine + "\r\n"},
        {"GBK header", kGbkHeader + "\r\n\r\n" + kFirstLine + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clear();
        const ImportResult result = importText(c.bytes);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.added, 1);
        EXPECT_EQ(rows(), std::vector<std::vector<std::string>>{kFirstDraw});
    }
}

TEST_F(ImportFixture, FileWithoutValidDrawsIsRefusedNamingWhy)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> fragments;
    };
    const std::vector<Case> cases = {
        {"typo in the first issue", "2007O01,2007-05-30,22,24,29,31,35,4,11\n" + kSecondLine, {"第 1 行", "2007O01"}},
        {"full-width commas in the first line",
         "2007001，2007-05-30，22，24，29，31，35，4，11\n" + kSecondLine,
         {"第 1 行", "全角逗号"}},
        {"full-width commas after a header",
         "期号,日期\n" + kSecondLine + "\n2007003，2007-06-04，3，4，18，23，32，1，6",
         {"第 3 行", "全角逗号"}},
        {"GBK full-width commas",
         kGbkHeader + "\r\n2007001" + kGbkComma + "2007-05-30" + kGbkComma + "22 24 29 31 35 4 11",
         {"第 2 行", "全角逗号"}},
        {"semicolons", "2007001;2007-05-30;22;24;29;31;35;4;11\n", {"第 1 行", "分号"}},
        {"header in the second line", kFirstLine + "\nissue,date,f1,f2,f3,f4,f5,b1,b2\n", {"第 2 行"}},
        {"over-long number",
         "2007001,2007-05-30,22,24,29,31,0000000000035,4,11\n",
         {"第 1 行", "0000000000035", "过长"}},
        {"number with a letter", "2007001,2007-05-30,22,24,29,31,3S,4,11\n", {"第 1 行", "3S", "不是数字"}},
        {"leading zeros out of range", "2007001,2007-05-30,22,24,29,31,0036,4,11\n", {"第 1 行", "36", "1-35"}},
        {"empty file", "", {"没有开奖号码"}},
        {"blank lines only", "\r\n \r\n", {"没有开奖号码"}},
        {"header only", "issue,date,f1,f2,f3,f4,f5,b1,b2\r\n", {"没有开奖号码"}},
        {"UTF-16 with mark", "\xFF\xFE" + utf16le(kFirstLine + "\r\n"), {"UTF-16"}},
        {"UTF-16 big-endian mark",
         std::string("\xFE\xFF\0"
                     "2",
                     4),
         {"UTF-16"}},
        {"UTF-16 without mark", utf16le(kFirstLine + "\r\n"), {"UTF-16"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clear();
        const ImportResult result = importText(c.bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.added, 0);
        for (const std::string& fragment : c.fragments)
            EXPECT_NE(result.error.find(fragment), std::string::npos) << result.error;
        EXPECT_TRUE(rows().empty()) << "a refused file must write nothing";
    }
}

TEST_F(ImportFixture, BadLineRefusesTheWholeFileNamingItsLine)
{
    struct Case {
        const char* name;
        std::string line;
        const char* fragment;
    };
    const std::vector<Case> cases = {
        {"too few numbers", "2020002,2020-01-03,1,2,3,4,5,6", "7 个号码"},
        {"issue of six digits", "202002,2020-01-03,1,2,3,4,5,6,7", "期号"},
        {"issue with letters", "20200a2,2020-01-03,1,2,3,4,5,6,7", "期号"},
        {"no such day", "2020002,2021-02-29,1,2,3,4,5,6,7", "开奖日期"},
        {"date in other form", "2020002,03/01/2020,1,2,3,4,5,6,7", "开奖日期"},
        {"front number too big", "2020002,2020-01-03,1,2,3,4,36,6,7", "前区"},
        {"front number zero", "2020002,2020-01-03,0,2,3,4,5,6,7", "前区"},
        {"front number repeated", "2020002,2020-01-03,1,2,3,4,4,6,7", "前区"},
        {"back number too big", "2020002,2020-01-03,1,2,3,4,5,6,13", "后区"},
        {"back number repeated", "2020002,2020-01-03,1,2,3,4,5,6,6", "后区"},
        {"negative number", "2020002,2020-01-03,1,2,3,4,-5,6,7", "号码"},
        {"issue repeated in the file", "2020001,2020-01-03,1,2,3,4,5,6,7", "第 2 行"},
        {"issue of another year", "2019002,2020-01-03,1,2,3,4,5,6,7",
         "期号“2019002”的前四位应是开奖日期“2020-01-03”的年份"},
        {"short issue of another year", "19002,2020-01-03,1,2,3,4,5,6,7", "期号“2019002”的前四位"},
        {"issue 0000000", "0000000,2020-01-03,1,2,3,4,5,6,7", "期号“0000000”的后三位是当年的第几期，应从 001 起"},
        {"draw 000 of a year", "2020000,2020-01-03,1,2,3,4,5,6,7", "应从 001 起"},
        {"the day before the game began", "2007001,2007-05-27,1,2,3,4,5,6,7",
         "开奖日期“2007-05-27”早于大乐透开始发行的 2007-05-28"},
        {"more than a year ahead", "2027001,2027-12-11,1,2,3,4,5,6,7", "开奖日期“2027-12-11”比今天晚一年以上"},
        {"front numbers in draw order", "2020002,2020-01-03,1,2,4,3,5,6,7", "前区号码要从小到大排列"},
        {"back numbers in draw order", "2020002,2020-01-03,1,2,3,4,5,7,6", "后区号码要从小到大排列"},
        {"a date of 10,000 characters", "2020002,2020-01-03" + std::string(10000, 'x') + ",1,2,3,4,5,6,7",
         "xxxx…”不是 YYYY-MM-DD"},
    };
    ASSERT_TRUE(importDrawLines(db, kShippedLottery, {"2019001,2019-01-01,1,2,3,4,5,6,7"}).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result = importDrawLines(
            db, kShippedLottery, {"issue,date,numbers", "2020001,2020-01-01,1,2,3,4,5,6,7", c.line}, kToday);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.added, 0);
        EXPECT_NE(result.error.find("第 3 行"), std::string::npos) << result.error;
        EXPECT_NE(result.error.find(c.fragment), std::string::npos) << result.error;
        EXPECT_LT(result.error.size(), 400u) << "a message quotes an excerpt of the line";
        EXPECT_EQ(rows().size(), 1u) << "a refused file must write nothing";
    }
}

TEST_F(ImportFixture, ReimportAddsNewDrawsAndSkipsEqualStoredOnes)
{
    ASSERT_TRUE(importDrawLines(db, kShippedLottery, {kFirstLine, kSecondLine}).ok);
    const ImportResult result =
        importDrawLines(db, kShippedLottery,
                        {"issue,date,f1,f2,f3,f4,f5,b1,b2", "07001,2007-5-30,22,24,29,31,35,04,11", kSecondLine,
                         "2007003,2007-06-04,3,4,18,23,32,1,6"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(result.skipped, 2);
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0], kFirstDraw);
    EXPECT_EQ(stored[2][0], "2007003");
}

TEST_F(ImportFixture, StoredIssueWithOtherDrawRefusesNamingBothVersions)
{
    struct Case {
        const char* name;
        std::string line;
        std::string fileVersion;
    };
    const std::vector<Case> cases = {
        {"other back number", "2007001,2007-05-30,22,24,29,31,35,4,12", "22 24 29 31 35 + 04 12"},
        {"other front number", "2007001,2007-05-30,21,24,29,31,35,4,11", "21 24 29 31 35 + 04 11"},
        {"other date", "2007001,2007-05-31,22,24,29,31,35,4,11", "2007-05-31"},
    };
    ASSERT_TRUE(importDrawLines(db, kShippedLottery, {kFirstLine}).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result = importDrawLines(db, kShippedLottery, {kSecondLine, c.line});
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("第 2 行"), std::string::npos) << result.error;
        EXPECT_NE(result.error.find("2007-05-30 22 24 29 31 35 + 04 11"), std::string::npos) << result.error;
        EXPECT_NE(result.error.find(c.fileVersion), std::string::npos) << result.error;
        EXPECT_EQ(rows().size(), 1u) << "a refused file must write nothing";
    }
}

TEST_F(ImportFixture, TheFirstDayOfTheGameAndAYearAheadAreAccepted)
{
    const ImportResult result = importDrawLines(
        db, kShippedLottery, {"2007001,2007-05-28,1,2,3,4,5,6,7", "2027001,2027-12-10,1,2,3,4,5,6,7"}, kToday);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.added, 2);
}

TEST_F(ImportFixture, UnknownLotteryAndMissingFileAreRefused)
{
    EXPECT_FALSE(importDrawLines(db, "没有这个彩票", {"2020001,2020-01-01,1,2,3,4,5,6,7"}).ok);
    const ImportResult missing = importDraws(db, kShippedLottery, program.apppath() + "nowhere.csv");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("nowhere.csv"), std::string::npos);
}

TEST_F(ImportFixture, RealHistoryImportsCleanlyAndReimportsAsSkipped)
{
    const std::string csv = test::historyCsvPath();
    const ImportResult result = importDraws(db, kShippedLottery, csv);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.added, 2933);
    const auto stored = rows();
    EXPECT_EQ(stored.front(), kFirstDraw);
    EXPECT_EQ(stored.back()[0], "2026115");
    EXPECT_EQ(stored.back()[8], "2026-10-10");

    const ImportResult again = importDraws(db, kShippedLottery, csv);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.skipped, 2933);
    EXPECT_EQ(rows().size(), 2933u);
}

TEST_F(ImportFixture, ExportFormWithoutDatesIsMatchedByIssueAndNumbers)
{
    ASSERT_TRUE(importDrawLines(db, kShippedLottery, {kFirstLine, kSecondLine}).ok);
    // The export's lines end in a blank; a dated new draw may follow them in the same file.
    const ImportResult result = importDrawLines(
        db, kShippedLottery,
        {"2007001 22 24 29 31 35 04 11 ", "07002 15 22 31 34 35 05 12", "2007003,2007-06-04,3,4,18,23,32,1,6"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(result.skipped, 2);
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0], kFirstDraw) << "a line without a date leaves the stored date alone";
}

TEST_F(ImportFixture, ExportFormLineThatCannotBeMatchedRefusesTheFile)
{
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> fragments;
    };
    const std::vector<Case> cases = {
        {"a new issue without a date", "2007003 03 04 18 23 32 01 06 ", {"2007003", "尚未存储", "开奖日期"}},
        {"stored with other numbers",
         "2007001 22 24 29 31 35 04 12 ",
         {"2007-05-30 22 24 29 31 35 + 04 11", "文件中却是 22 24 29 31 35 + 04 12"}},
        {"draw 000 of a year", "2007000 22 24 29 31 35 04 11", {"应从 001 起"}},
        {"a year before the game", "2006001 22 24 29 31 35 04 11", {"2006001", "年份"}},
        {"a year too far ahead", "2028001 22 24 29 31 35 04 11", {"2028001", "年份"}},
        {"a number missing", "2007001 22 24 29 31 35 04", {"实有 7 项"}},
        {"numbers out of order", "2007001 22 24 31 29 35 04 11", {"前区号码要从小到大排列"}},
    };
    ASSERT_TRUE(importDrawLines(db, kShippedLottery, {kFirstLine}).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result = importDrawLines(db, kShippedLottery, {kSecondLine, c.line}, kToday);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("第 2 行"), std::string::npos) << result.error;
        for (const std::string& fragment : c.fragments)
            EXPECT_NE(result.error.find(fragment), std::string::npos) << result.error;
        EXPECT_EQ(rows().size(), 1u) << "a refused file must write nothing";
    }
}

TEST_F(ImportFixture, ExportedHistoryImportsBackAsAlreadyStored)
{
    ASSERT_TRUE(importDraws(db, kShippedLottery, test::historyCsvPath()).ok);
    const std::string exported = program.apppath() + "历史号码.txt";
    ASSERT_TRUE(exportHistory(db, kShippedLottery, exported).ok);
    const ImportResult result = importDraws(db, kShippedLottery, exported);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.added, 0);
    EXPECT_EQ(result.skipped, 2933);
}
