// The two CSV forms of published results: what they refuse, and that the shipped files read and
// write back byte for byte.
#include "common/text_writer.h"
#include "store/prize_results_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string shipped(const char* name)
{
    return std::string(test::dataDir()) + "/" + name;
}

} // namespace

TEST(PrizeResultsCsv, ShippedFilesReadAndWriteBackByteForByte)
{
    std::string error;
    const auto prizes = readPrizesCsv(shipped("dlt_prizes.csv"), error);
    ASSERT_TRUE(prizes) << error;
    const auto poolSales = readPoolSalesCsv(shipped("dlt_pool_sales.csv"), error);
    ASSERT_TRUE(poolSales) << error;
    EXPECT_EQ(prizes->size(), 2933u);
    EXPECT_EQ(poolSales->size(), 2933u);
    const auto results = combineCsvResults(*prizes, *poolSales, "dlt_pool_sales.csv", error);
    ASSERT_TRUE(results) << error;

    // A 派奖 line without a published amount, a 7.5 yuan amount, sales in fen, an unknown pool.
    const DrawResults* promotion = results->find(2023039);
    ASSERT_NE(promotion, nullptr);
    ASSERT_NE(promotion->find("三等奖派奖"), nullptr);
    EXPECT_FALSE(promotion->find("三等奖派奖")->amount);
    EXPECT_FALSE(results->find(2026115)->pool);

    test::TempProgramDir folder;
    const std::string prizesOut = folder.apppath() + "prizes.csv";
    const std::string poolOut = folder.apppath() + "pool.csv";
    ASSERT_TRUE(writePrizesCsv(prizesOut, *results, error)) << error;
    ASSERT_TRUE(writePoolSalesCsv(poolOut, *results, error)) << error;
    EXPECT_TRUE(bytesOf(prizesOut) == bytesOf(shipped("dlt_prizes.csv")));
    EXPECT_TRUE(bytesOf(poolOut) == bytesOf(shipped("dlt_pool_sales.csv")));
}

TEST(PrizeResultsCsv, GbkWithCrLfReadsAsUtf8WithLf)
{
    const std::vector<std::string> lines{kPrizesCsvHeader, "2007001,2007/5/30,一等奖,2,5000000",
                                         "2007001,2007-05-30,三等奖派奖,99,", "2021050,,七等奖派奖,5,7.5"};
    test::TempProgramDir folder;
    const std::string path = folder.apppath() + "gbk.csv";
    TextWriter writer(path); // GBK, CR LF
    for (const std::string& line : lines)
        writer.writeLine(line);
    ASSERT_TRUE(writer.commit()) << writer.error();

    std::string error;
    const auto read = readPrizesCsv(path, error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->size(), 2u);
    const DrawResults& first = (*read)[0].results;
    EXPECT_EQ(first.date, "2007-05-30");
    EXPECT_EQ(first.prizes, (std::vector<PublishedPrize>{{"一等奖", 2, 500000000}, {"三等奖派奖", 99, std::nullopt}}));
    EXPECT_EQ((*read)[1].line, 4u);
    EXPECT_EQ((*read)[1].results.date, "");
    EXPECT_EQ((*read)[1].results.prizes[0].amount, 750);
}

TEST(PrizeResultsCsv, BadLinesAreRefusedNamingFileAndLine)
{
    const std::string prizesHeader = kPrizesCsvHeader;
    const std::string poolHeader = kPoolSalesCsvHeader;
    const std::string row = "2007001,2007-05-30,一等奖,2,5000000";
    const struct {
        bool prizes;
        std::vector<std::string> lines;
        std::string says;
    } cases[] = {
        {true, {}, "是空的"},
        {true, {"issue,date,level,winners"}, "第 1 行：标题行应为"},
        {true, {prizesHeader, "2007001,2007-05-30,一等奖,2"}, "第 2 行：应有 5 个以逗号分隔的字段，实有 4 个"},
        {true, {prizesHeader, "07001,2007-05-30,一等奖,2,5"}, "第 2 行：期号“07001”不是 7 位数字"},
        {true, {prizesHeader, "2007001,2007-02-30,一等奖,2,5"}, "开奖日期“2007-02-30”不是日期"},
        {true, {prizesHeader, "2007001,2007-05-30,,2,5"}, "奖级为空"},
        {true, {prizesHeader, "2007001,2007-05-30,一等奖,-2,5"}, "中奖注数“-2”不是非负整数"},
        {true, {prizesHeader, "2007001,2007-05-30,一等奖,2.5,5"}, "中奖注数“2.5”不是非负整数"},
        {true, {prizesHeader, "2007001,2007-05-30,一等奖,2,5.001"}, "单注奖金“5.001”不是以元为单位的金额"},
        {true, {prizesHeader, "2007001,2007-05-30,一等奖,2,-5"}, "单注奖金“-5”"},
        {true,
         {prizesHeader, row, "2007002,2007-06-02,一等奖,1,5", "2007001,2007-05-30,二等奖,1,5"},
         "第 4 行：期号 2007001 的各行不相连：第 2 行已有这一期"},
        {true,
         {prizesHeader, row, "2007001,2007-05-31,二等奖,1,5"},
         "第 3 行：期号 2007001 的开奖日期“2007-05-31”与第 2 行的“2007-05-30”不同"},
        {true,
         {prizesHeader, row, "2007001,2007-05-30,二等奖,1,5", row},
         "第 4 行：期号 2007001 的奖级“一等奖”在第 2 行已经出现"},
        {false, {poolHeader, "2007001,2007-05-30,17086781"}, "第 2 行：应有 4 个以逗号分隔的字段"},
        {false, {poolHeader, "2007001,2007-05-30,1708678x,5"}, "销售额“1708678x”不是以元为单位的金额"},
        {false,
         {
             poolHeader,
             "2007001,2007-05-30,1,5.",
         },
         "奖池“5.”"},
        {false,
         {poolHeader, "2007001,2007-05-30,,", "2007002,2007-06-02,1,2", "2007001,2007-05-30,1,2"},
         "第 4 行：期号 2007001 在第 2 行已经出现"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        std::string error;
        const auto read =
            c.prizes ? readPrizesCsvLines(c.lines, "x.csv", error) : readPoolSalesCsvLines(c.lines, "x.csv", error);
        EXPECT_FALSE(read);
        EXPECT_EQ(error.rfind("文件 x.csv ", 0), 0u) << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

TEST(PrizeResultsCsv, FilesDatingADrawDifferentlyAreRefusedAndLevelsTheFormCannotCarryAreNotWritten)
{
    std::string error;
    const auto prizes = readPrizesCsvLines({kPrizesCsvHeader, "2007001,2007-05-30,一等奖,2,5"}, "p.csv", error);
    const auto pool = readPoolSalesCsvLines({kPoolSalesCsvHeader, "2007001,2007-06-02,1,2"}, "s.csv", error);
    ASSERT_TRUE(prizes && pool) << error;
    EXPECT_FALSE(combineCsvResults(*prizes, *pool, "s.csv", error));
    EXPECT_NE(error.find("文件 s.csv 第 2 行：期号 2007001 的开奖日期“2007-06-02”与奖级结果中的“2007-05-30”不同"),
              std::string::npos)
        << error;

    PrizeResults results;
    results.draws[2007001] = DrawResults{"2007001", "", {{"一等奖,追加", 1, 100}}, {}, {}};
    EXPECT_FALSE(prizesCsvText(results, error));
    EXPECT_NE(error.find("含有逗号"), std::string::npos) << error;
}
