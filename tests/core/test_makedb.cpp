// quorlin-makedb: a new database holds the shipped history, an existing one is never touched, a
// failed fill leaves nothing behind, and the command line refuses what it does not know.
#include "makedb_command.h"
#include "store/database.h"
#include "store/prize_store.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;
namespace fs = std::filesystem;

namespace {

struct MakedbFixture : ::testing::Test {
    test::TempProgramDir scratch;
    fs::path home = scratch.path() / "程序";
    std::ostringstream out;
    std::ostringstream err;

    int run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        return makedb::run(args, out, err);
    }

    fs::path database() const { return home / fs::u8path(kDatabaseRelativePath); }

    std::vector<std::string> storedIssues()
    {
        Database db;
        db.open(database().string());
        Statement st(db,
                     "select 记录期号 from " + quoteIdentifier(drawTableName(kShippedLottery)) + " order by 记录期号");
        std::vector<std::string> issues;
        while (st.step())
            issues.push_back(st.text(0));
        return issues;
    }
};

} // namespace

TEST_F(MakedbFixture, NewDatabaseHoldsTheShippedHistory)
{
    ASSERT_EQ(run({"--history", test::historyCsvPath(), home.string()}), 0) << err.str();
    EXPECT_NE(out.str().find("2933"), std::string::npos) << out.str();
    const auto issues = storedIssues();
    ASSERT_EQ(issues.size(), 2933u);
    EXPECT_EQ(issues.front(), "2007001");
    EXPECT_EQ(issues.back(), "2026115");
    for (const char* folder : {"附属", "旋转矩阵", "图片", "帮助"})
        EXPECT_TRUE(fs::is_directory(home / fs::u8path(folder))) << folder;
}

TEST_F(MakedbFixture, NewDatabaseHoldsThePublishedResultsOfTheCopiesInTheAttachedFolder)
{
    fs::create_directories(home / fs::u8path("附属"));
    for (const char* name : {"dlt_prizes.csv", "dlt_pool_sales.csv"})
        fs::copy_file(fs::path(test::dataDir()) / name, home / fs::u8path("附属") / name);
    ASSERT_EQ(run({"--history", test::historyCsvPath(), home.string()}), 0) << err.str();
    Database db;
    db.open(database().string());
    const PrizeResults results = readPrizeResults(db, kShippedLottery);
    ASSERT_EQ(results.draws.size(), 2933u);
    std::size_t lines = 0;
    for (const auto& [issue, draw] : results.draws)
        lines += draw.prizes.size();
    EXPECT_EQ(lines, 32710u);
    EXPECT_EQ(results.find(2026115)->date, "2026-10-10");
}

TEST_F(MakedbFixture, ExistingDatabaseIsNeverTouched)
{
    ASSERT_EQ(run({home.string()}), 0) << err.str();
    EXPECT_TRUE(storedIssues().empty()) << "without a history the draw table starts empty";
    const auto written = fs::last_write_time(database());

    ASSERT_EQ(run({"--history", test::historyCsvPath(), home.string()}), 0) << err.str();
    EXPECT_NE(out.str().find("保留"), std::string::npos) << out.str();
    EXPECT_TRUE(storedIssues().empty());
    EXPECT_EQ(fs::last_write_time(database()), written);
}

TEST_F(MakedbFixture, FailedFillLeavesNoDatabaseBehind)
{
    const fs::path bad = scratch.path() / "bad.csv";
    std::ofstream(bad) << "2007001,2007-05-30,22,24,29,31,35,4,11\n2007002,2007-06-02,15,22,31,34,36,5,12\n";
    for (const fs::path& history : {bad, scratch.path() / "missing.csv"}) {
        SCOPED_TRACE(history.string());
        EXPECT_EQ(run({"--history", history.string(), home.string()}), 1);
        EXPECT_NE(err.str().find(history.filename().string()), std::string::npos) << err.str();
        EXPECT_TRUE(fs::is_empty(home / fs::u8path("数据库"))) << "neither the database nor its scratch file may stay";
    }
    run({"--history", bad.string(), home.string()});
    EXPECT_NE(err.str().find("第 2 行"), std::string::npos) << err.str();
}

TEST_F(MakedbFixture, HelpAndWrongArguments)
{
    for (const char* help : {"--help", "-h"}) {
        SCOPED_TRACE(help);
        EXPECT_EQ(run({help}), 0);
        EXPECT_NE(out.str().find("用法"), std::string::npos);
        EXPECT_TRUE(err.str().empty());
        EXPECT_FALSE(fs::exists(help)) << "help must not create a folder of that name";
    }
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--force", home.string()},
        {home.string(), "--history"},
        {home.string(), home.string() + "2"},
    };
    for (const auto& args : wrong) {
        SCOPED_TRACE(args.empty() ? "no arguments" : args.front());
        EXPECT_EQ(run(args), 2);
        EXPECT_NE(err.str().find("用法"), std::string::npos);
        EXPECT_TRUE(out.str().empty());
        EXPECT_FALSE(fs::exists(home));
    }
    run({"--force", home.string()});
    EXPECT_NE(err.str().find("--force"), std::string::npos) << err.str();
}
