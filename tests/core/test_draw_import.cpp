// Importing draws from text: accepted forms, refused lines (nothing written), the real history.
#include "store/database.h"
#include "store/draw_import.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quorlin;

namespace {

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
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0], (std::vector<std::string>{"2007001", "22", "24", "29", "31", "35", "4", "11", "2007-05-30"}));
    EXPECT_EQ(stored[1][7], "12");
    EXPECT_EQ(stored[2][8], "2007-06-04");
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
        {"issue repeated in the file", "2020001,2020-01-03,1,2,3,4,5,6,7", "已经存在"},
        {"issue already stored", "2019001,2019-01-01,1,2,3,4,5,6,7", "已经存在"},
    };
    ASSERT_TRUE(importDrawLines(db, kShippedLottery, {"2019001,2019-01-01,1,2,3,4,5,6,7"}).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result =
            importDrawLines(db, kShippedLottery, {"issue,date,numbers", "2020001,2020-01-01,1,2,3,4,5,6,7", c.line});
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.added, 0);
        EXPECT_NE(result.error.find("第 3 行"), std::string::npos) << result.error;
        EXPECT_NE(result.error.find(c.fragment), std::string::npos) << result.error;
        EXPECT_EQ(rows().size(), 1u) << "a refused file must write nothing";
    }
}

TEST_F(ImportFixture, UnknownLotteryAndMissingFileAreRefused)
{
    EXPECT_FALSE(importDrawLines(db, "没有这个彩票", {"2020001,2020-01-01,1,2,3,4,5,6,7"}).ok);
    const ImportResult missing = importDraws(db, kShippedLottery, program.apppath() + "nowhere.csv");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("nowhere.csv"), std::string::npos);
}

TEST_F(ImportFixture, RealHistoryImportsCleanly)
{
    const std::string csv = test::historyCsvPath();
    if (csv.empty())
        GTEST_SKIP() << "draw history not available";
    const ImportResult result = importDraws(db, kShippedLottery, csv);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.added, 2933);
    const auto stored = rows();
    EXPECT_EQ(stored.front()[0], "2007001");
    EXPECT_EQ(stored.back()[0], "2026115");
    EXPECT_EQ(stored.back()[8], "2026-10-10");
    // A second import of the same file adds nothing.
    EXPECT_FALSE(importDraws(db, kShippedLottery, csv).ok);
    EXPECT_EQ(rows().size(), 2933u);
}
