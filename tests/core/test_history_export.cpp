// The history export: the line format, the file (oldest first, CR LF, no date) and its failures.
#include "data/history_export.h"
#include "store/database.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct ExportFixture : ::testing::Test {
    test::ShippedProgram program;
    Database db;
    std::string target = program.apppath() + "历史号码.txt";

    ExportFixture() { db.open(program.databasePath()); }

    void storeRow(const std::string& values)
    {
        db.exec("insert into " + quoteIdentifier(drawTableName(kShippedLottery)) + " values (" + values + ")");
    }
};

} // namespace

TEST(HistoryLine, NumbersBelowTenGetALeadingZeroAndEveryValueABlank)
{
    struct Case {
        std::vector<std::int64_t> values;
        std::string line;
    };
    const std::vector<Case> cases = {
        {{2001001, 3, 8, 15, 22, 31, 4, 11}, "2001001 03 08 15 22 31 04 11 "},
        {{2020005, 7, 9, 10, 11, 35, 10, 12}, "2020005 07 09 10 11 35 10 12 "},
        {{1, 0}, "01 00 "},
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(historyLine(c.values), c.line);
}

TEST_F(ExportFixture, WritesEveryDrawOldestFirstWithoutTheDate)
{
    // Stored out of order; the issue is written as it is stored.
    storeRow("'2020002',6,7,8,9,10,3,12,'2020-01-04'");
    storeRow("'2001001',3,8,15,22,31,4,11,'2001-01-01'");
    storeRow("'2020003',1,20,33,34,35,10,1,'2020-01-06'");

    const HistoryExportResult result = exportHistory(db, kShippedLottery, target);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.lines, 3);
    EXPECT_EQ(fileBytes(target), "2001001 03 08 15 22 31 04 11 \r\n"
                                 "2020002 06 07 08 09 10 03 12 \r\n"
                                 "2020003 01 20 33 34 35 10 01 \r\n");
}

TEST_F(ExportFixture, EmptyTableWritesAnEmptyFileOverTheOldOne)
{
    std::ofstream(target) << "old contents\r\n";
    const HistoryExportResult result = exportHistory(db, kShippedLottery, target);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.lines, 0);
    ASSERT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(fileBytes(target), "");
}

TEST_F(ExportFixture, FailuresNameTheCauseAndLeaveTheTargetAlone)
{
    std::ofstream(target) << "old contents\r\n";
    struct Case {
        const char* name;
        std::string lottery;
        std::string path;
        std::string fragment;
    };
    storeRow("'2020001',1,2,3,4,5,1,2,'2020-01-01'");
    storeRow("'2020002',1,2,'x7',4,5,1,2,'2020-01-04'");
    const std::vector<Case> cases = {
        {"unknown lottery", "没有的彩票", target, "没有的彩票"},
        {"a number that is not one", kShippedLottery, target, "第 2020002 期第 3 列的号码“x7”不是数字"},
        {"missing folder", kShippedLottery, program.apppath() + "没有的文件夹/历史号码.txt", "没有的文件夹"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HistoryExportResult result = exportHistory(db, c.lottery, c.path);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(c.fragment), std::string::npos) << result.error;
        EXPECT_EQ(fileBytes(target), "old contents\r\n");
    }
}
