// Published results coming into a database: the shipped copies on the first writable open of an
// older database, and the import of results files.
#include "store/database.h"
#include "store/lottery_open.h"
#include "store/lottery_state.h"
#include "store/prize_import.h"
#include "store/prize_store.h"
#include "store/schema.h"
#include "store/shipped_prizes.h"
#include "store/u_datamod.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quorlin;
namespace fs = std::filesystem;

namespace {

// Every row of a table as text, in the order stored.
std::vector<std::string> rowsOf(Database& db, const std::string& table)
{
    std::vector<std::string> rows;
    Statement st(db, "select * from " + quoteIdentifier(table) + " order by rowid");
    const int columns = static_cast<int>(db.columnNames(table).size());
    while (st.step()) {
        std::string row;
        for (int c = 0; c < columns; ++c)
            row += (st.isNull(c) ? "NULL" : st.text(c)) + "|";
        rows.push_back(row);
    }
    return rows;
}

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(fs::u8path(path), std::ios::binary) << text;
}

/// A database made before the published results: the shipped lottery with a few draws and no
/// result tables; the shipped copies lie in the program's 附属/.
struct OlderDatabase : ::testing::Test {
    test::ShippedProgram program;
    LotteryState state;
    Tdatamod datamod;

    OlderDatabase()
    {
        state.apppath = program.apppath();
        fs::create_directories(program.path() / fs::u8path("附属"));
        for (const char* name : {"dlt_prizes.csv", "dlt_pool_sales.csv"})
            fs::copy_file(fs::path(test::dataDir()) / name, program.path() / fs::u8path("附属") / name);
        // 2007001 and 2007002 as drawn; 2007003 on another day than published; 2099001 unknown.
        test::insertDraws(program.databasePath(), kShippedLottery, {{2007001, 22, 24, 29, 31, 35, 4, 11}},
                          "2007-05-30");
        test::insertDraws(program.databasePath(), kShippedLottery, {{2007002, 15, 22, 31, 34, 35, 5, 12}}, "2007/6/2");
        test::insertDraws(program.databasePath(), kShippedLottery, {{2007003, 1, 2, 3, 4, 5, 1, 2}}, "2007-06-05");
        test::insertDraws(program.databasePath(), kShippedLottery, {{2099001, 1, 2, 3, 4, 5, 1, 2}}, "2099-01-01");
    }

    void open() { openlottery(state, datamod, shippedLotteryDefinition()); }
    std::string databaseBytes() const { return bytesOf(program.databasePath()); }
    std::string shippedPrizes() const { return program.apppath() + kShippedPrizesRelativePath; }
};

} // namespace

TEST_F(OlderDatabase, FirstWritableOpenFillsTheResultsOfTheStoredDrawsOnlyAndLeavesTheRestAsItWas)
{
    std::vector<std::string> draws;
    std::vector<std::string> definition;
    {
        Database db;
        db.open(program.databasePath());
        draws = rowsOf(db, drawTableName(kShippedLottery));
        definition = rowsOf(db, definitionTableName(kShippedLottery));
    }
    open();
    const PrizeResults& results = *state.prizeResults;
    ASSERT_EQ(results.draws.size(), 2u);
    const DrawResults* first = results.find(2007001);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->prizes.size(), 11u);
    EXPECT_EQ(first->prizes.front(), (PublishedPrize{"一等奖", 2, 500000000}));
    EXPECT_EQ(first->prizes.back(), (PublishedPrize{"八等奖", 443014, 500}));
    EXPECT_EQ(first->sales, 1708678100);
    EXPECT_EQ(results.find(2007002)->date, "2007-06-02");
    EXPECT_EQ(results.find(2007003), nullptr);

    closelottery(state, datamod);
    Database db;
    db.open(program.databasePath());
    EXPECT_EQ(rowsOf(db, drawTableName(kShippedLottery)), draws);
    EXPECT_EQ(rowsOf(db, definitionTableName(kShippedLottery)), definition);
    Statement pools(db, "select count(*) from " + quoteIdentifier(poolSalesTableName(kShippedLottery)));
    pools.step();
    EXPECT_EQ(pools.integer(0), 2);
    db.close();

    // Once the tables are there, opening reads them and writes nothing.
    const std::string before = databaseBytes();
    open();
    EXPECT_EQ(state.prizeResults->draws.size(), 2u);
    EXPECT_TRUE(databaseBytes() == before);
}

TEST_F(OlderDatabase, AReadOnlyDatabaseOpensWithoutResultsAndIsNotWritten)
{
    const std::string before = databaseBytes();
    {
        Database db;
        db.open(program.databasePath(), Database::Mode::ReadOnly);
        EXPECT_FALSE(addPrizeTables(db, kShippedLottery, state.apppath));
    }
    EXPECT_TRUE(databaseBytes() == before);

    // A folder that takes no journal file makes the database as read-only as a file without write
    // permission does (which root could still write).
    test::ReadOnlyFolder folder(program.path() / fs::u8path("数据库"));
    if (!folder.active())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    state.prizeResults = std::make_shared<const PrizeResults>(PrizeResults{{{2007001, DrawResults{}}}});
    open();
    EXPECT_EQ(state.recnum, 4);
    EXPECT_TRUE(state.prizeResults->draws.empty());
    closelottery(state, datamod);
    EXPECT_TRUE(databaseBytes() == before);
}

TEST_F(OlderDatabase, ACopyThatDoesNotReadRefusesTheOpenWritingNothingAndMissingCopiesGiveEmptyTables)
{
    writeText(shippedPrizes(), "issue,date,level,winners,amount_per_bet\n2007001,2007-05-30,一等奖,2,5\n"
                               "2007001,2007-05-30,二等奖,x,5\n");
    const std::string before = databaseBytes();
    try {
        open();
        ADD_FAILURE() << "the open went through";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(shippedPrizes() + " 第 3 行：中奖注数“x”"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(state.caiopen);
    EXPECT_TRUE(databaseBytes() == before);

    fs::remove(shippedPrizes());
    fs::remove(program.apppath() + kShippedPoolSalesRelativePath);
    open();
    EXPECT_TRUE(state.prizeResults->draws.empty());
    EXPECT_TRUE(hasPrizeTables(datamod.t_con, kShippedLottery));
}

namespace {

/// Imports into the shipped lottery holding one draw, 2007001 of 2007-05-30.
struct PrizeImport : ::testing::Test {
    test::ShippedProgram program;
    Database db;

    PrizeImport()
    {
        test::insertDraws(program.databasePath(), kShippedLottery, {{2007001, 22, 24, 29, 31, 35, 4, 11}},
                          "2007-05-30");
        db.open(program.databasePath());
    }

    std::string file(const std::string& name, const std::string& text) const
    {
        const std::string path = program.apppath() + name;
        writeText(path, text);
        return path;
    }
    std::string prizes(const std::string& rows) const
    {
        return file("prizes.csv", "issue,date,level,winners,amount_per_bet\n" + rows);
    }
    std::string poolSales(const std::string& rows) const
    {
        return file("pool.csv", "issue,date,sales,pool_after\n" + rows);
    }
};

const std::string kDraw2007001 = "2007001,2007-05-30,一等奖,2,5000000\n2007001,2007-05-30,二等奖,8,136558\n";

} // namespace

TEST_F(PrizeImport, NewRowsAreAddedIdenticalOnesSkippedAndADrawAddedLaterFindsItsResults)
{
    const std::string later = "2099001,,一等奖,0,0\n";
    PrizeImportResult result = importPrizeResults(db, kShippedLottery, prizes(kDraw2007001 + later));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.prizeLines, 3);
    EXPECT_EQ(result.skipped, 0);

    result = importPrizeResults(db, kShippedLottery, prizes(kDraw2007001 + later),
                                poolSales("2007001,2007-05-30,17086781,89168335.5\n2099001,,,\n"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.prizeLines, 0);
    EXPECT_EQ(result.poolSales, 1);
    EXPECT_EQ(result.skipped, 4);

    test::insertDraws(program.databasePath(), kShippedLottery, {{2099001, 1, 2, 3, 4, 5, 1, 2}}, "2099-01-03");
    const PrizeResults stored = readPrizeResults(db, kShippedLottery);
    ASSERT_NE(stored.find(2099001), nullptr);
    EXPECT_EQ(stored.find(2099001)->date, "2099-01-03");
    EXPECT_EQ(stored.find(2007001)->pool, 8916833550);
    EXPECT_EQ(stored.find(2007001)->prizes.size(), 2u);
}

TEST_F(PrizeImport, ARowAgainstTheStoredDrawOrResultsRefusesBothFilesNamingTheLine)
{
    ASSERT_TRUE(importPrizeResults(db, kShippedLottery, prizes(kDraw2007001)).ok);
    const std::string before = db.image();
    const std::string newDraw = "2007002,2007-06-02,一等奖,1,5000000\n";
    const struct {
        std::string prizes;
        std::string poolSales;
        std::string says;
    } cases[] = {
        {newDraw + "2007001,2007-05-30,一等奖,2,5000001\n2007001,2007-05-30,二等奖,8,136558\n", "",
         "prizes.csv 第 3 行：期号 2007001 的奖级结果已存为第 1 项 一等奖 2 注 5000000 元，新的结果却是 一等奖 2 注 "
         "5000001 元"},
        {newDraw + "2007001,2007-05-31,一等奖,2,5000000\n", "",
         "prizes.csv 第 3 行：期号 2007001 已存为 2007-05-30 开奖"},
        {newDraw, "2007002,2007-06-02,1,2\n2007001,2007-05-29,1,2\n",
         "pool.csv 第 3 行：期号 2007001 已存为 2007-05-30"},
        {newDraw, "2007002,2007-06-03,1,2\n", "pool.csv 第 2 行：期号 2007002 的开奖日期“2007-06-03”与奖级结果中的"},
        {"", "", "中没有奖级结果"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const PrizeImportResult result = importPrizeResults(db, kShippedLottery, prizes(c.prizes),
                                                            c.poolSales.empty() ? "" : poolSales(c.poolSales));
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(c.says), std::string::npos) << result.error;
        EXPECT_NE(result.error.find("未导入任何结果"), std::string::npos) << result.error;
    }
    EXPECT_TRUE(db.image() == before);

    const PrizeImportResult stored = importPrizeResults(
        db, kShippedLottery, prizes("2007002,2007-06-02,一等奖,1,5000000\n"), poolSales("2007001,2007-05-30,1,2\n"));
    ASSERT_TRUE(stored.ok) << stored.error;
    const PrizeImportResult contradicting =
        importPrizeResults(db, kShippedLottery, prizes(newDraw), poolSales("2007001,2007-05-30,1,3\n"));
    EXPECT_NE(contradicting.error.find("pool.csv 第 2 行：期号 2007001 的奖池已存为 2 元，新的结果却是 3 元"),
              std::string::npos)
        << contradicting.error;
    EXPECT_FALSE(importPrizeResults(db, "没有的彩票", prizes(newDraw)).ok);
}
