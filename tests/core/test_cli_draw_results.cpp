// quorlin-cli prizes: the published results of draws, from the shipped copies the first open stores.
#include "cli_fixture.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace quorlin;

namespace {

struct CliDrawResults : test::CliFixture<> {
    CliDrawResults()
    {
        // The first open fills the results of the stored draws from the copies beside the program.
        std::filesystem::create_directories(program.path() / "附属");
        for (const char* name : {"dlt_prizes.csv", "dlt_pool_sales.csv"})
            std::filesystem::copy_file(std::string(test::dataDir()) + "/" + name, program.path() / "附属" / name);
        test::insertDraws(program.databasePath(), kShippedLottery, {{2021039, 4, 12, 14, 21, 35, 2, 11}}, "2021-04-10");
        test::insertDraws(program.databasePath(), kShippedLottery, {{2026086, 10, 11, 18, 22, 35, 6, 12}},
                          "2026-08-01");
        test::insertDraws(program.databasePath(), kShippedLottery, {{2026087, 5, 10, 16, 24, 27, 4, 10}}, "2026-08-03");
        // A draw the copies do not know.
        test::insertDraws(program.databasePath(), kShippedLottery, {{2026116, 1, 2, 3, 4, 5, 6, 7}}, "2026-10-12");
        prefix = {"prizes", kShippedLottery};
    }

    /// The lines of the shipped copy of `file` for `issue`, with tabs for commas.
    static std::vector<std::string> shippedLines(const char* file, const std::string& issue)
    {
        std::ifstream in(std::string(test::dataDir()) + "/" + file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            if (line.rfind(issue + ",", 0) == 0) {
                std::replace(line.begin(), line.end(), ',', '\t');
                lines.push_back(line);
            }
        return lines;
    }
};

} // namespace

TEST_F(CliDrawResults, PrintsTheNewestDrawOrOneIssueAsPublished)
{
    // The newest draw has no stored results: its sales and pool only, unknown.
    EXPECT_EQ(runLines({}),
              (std::vector<std::string>{"2026116\t2026-10-12\t销售额\t-", "2026116\t2026-10-12\t奖池\t-"}));

    // No header line: the rows are what is printed.
    std::vector<std::string> expected;
    for (const std::string& line : shippedLines("dlt_prizes.csv", "2026087"))
        expected.push_back(line);
    ASSERT_EQ(expected.size(), 9u);
    expected.push_back("2026087\t2026-08-03\t销售额\t306098479");
    expected.push_back("2026087\t2026-08-03\t奖池\t768406558.52");
    EXPECT_EQ(runLines({"--issue", "2026087"}), expected);

    // 派奖 lines stay in the published order, with their halves of a 元.
    const std::vector<std::string> bonus = runLines({"--issue", "2021039"});
    ASSERT_EQ(bonus.size(), 22u + 2u);
    EXPECT_EQ(std::vector<std::string>(bonus.begin(), bonus.end() - 2), shippedLines("dlt_prizes.csv", "2021039"));
    EXPECT_EQ(bonus[19], "2021039\t2021-04-10\t八等奖派奖\t493149\t7.5");
    EXPECT_EQ(bonus.back(), "2021039\t2021-04-10\t奖池\t909367812.5");
}

TEST_F(CliDrawResults, LastNPrintsTheNewestDrawsOldestFirst)
{
    const std::vector<std::string> lines = runLines({"--last", "2"});
    ASSERT_EQ(lines.size(), 11u + 2u);
    EXPECT_EQ(lines[0], "2026087\t2026-08-03\t一等奖\t9\t6547013");
    EXPECT_EQ(lines[10], "2026087\t2026-08-03\t奖池\t768406558.52");
    EXPECT_EQ(lines[11], "2026116\t2026-10-12\t销售额\t-");
    // More than there are: all of them.
    EXPECT_EQ(runLines({"--last", "10"}).size(), 24u + 11u + 11u + 2u);
}

TEST_F(CliDrawResults, RefusesAnIssueNotStoredAndWrongWords)
{
    EXPECT_EQ(run({"--issue", "2026088"}), 1);
    EXPECT_EQ(err.str(), "没有第 2026088 期的开奖号码\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run({"--issue", "2026087", "--last", "2"}), 2);
    EXPECT_EQ(run({"--last", "x"}), 2);
    EXPECT_EQ(run({"extra"}), 2);
}

TEST_F(CliDrawResults, CsvHoldsThePrintedTable)
{
    ASSERT_EQ(run({"--issue", "2021039", "--csv", file("公告.csv")}), 0) << err.str();
    const std::string csv = read("公告.csv");
    EXPECT_EQ(
        csv.rfind("\xEF\xBB\xBF期号,开奖日期,奖级,中奖注数,单注奖金(元)\r\n2021039,2021-04-10,一等奖,7,10000000\r\n",
                  0),
        0u)
        << csv;
    EXPECT_NE(csv.find("\r\n2021039,2021-04-10,奖池,909367812.5\r\n"), std::string::npos) << csv;
}
