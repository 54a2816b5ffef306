// 数据备份 and 数据恢复: consistent copies of the lottery database, refused sources and failed
// writes that leave the database as it was.
#include "store/database.h"
#include "store/database_backup.h"
#include "store/lottery_catalog.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

using namespace quorlin;
namespace fs = std::filesystem;

namespace {

std::vector<std::vector<int>> draws(int count, int firstIssue = 2020001)
{
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({firstIssue + i, 1, 2, 3, 4, 5, 1, 2});
    return rows;
}

// The number of draws of the shipped lottery in a database file; -1 when it cannot be read.
std::int64_t drawCount(const fs::path& path)
{
    try {
        Database db;
        db.open(path.string(), Database::Mode::ReadOnly);
        return countDraws(db, kShippedLottery);
    } catch (const DatabaseError&) {
        return -1;
    }
}

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

struct BackupFixture : ::testing::Test {
    // The program's database holds 3 draws; another program directory is the source of restores.
    test::ShippedProgram program;
    test::ShippedProgram other;
    fs::path database = fs::u8path(program.databasePath());
    fs::path folder = database.parent_path();

    void SetUp() override
    {
        test::insertDraws(program.databasePath(), kShippedLottery, draws(3));
        test::insertDraws(other.databasePath(), kShippedLottery, draws(5));
    }

    fs::path writeFile(const std::string& name, const std::string& bytes) const
    {
        const fs::path path = other.path() / fs::u8path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

} // namespace

TEST_F(BackupFixture, BackupCopiesTheOpenDatabaseOverAnExistingFile)
{
    // The lottery stays open during a backup.
    Database open;
    open.open(program.databasePath());
    const fs::path target = writeFile("彩票数据.mdb", "an older backup");

    const DatabaseCopyResult result = backupDatabase(program.databasePath(), target.string());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(drawCount(target), 3);
    EXPECT_EQ(filesIn(target.parent_path()).count("彩票数据.mdb"), 1u);
    EXPECT_EQ(filesIn(target.parent_path()).size(), 2u) << "a scratch file was left behind";
}

TEST_F(BackupFixture, FailedBackupSaysWhyAndLeavesTheTargetAlone)
{
    const fs::path target = writeFile("彩票数据.mdb", "an older backup");
    DatabaseCopyResult result = backupDatabase(program.apppath() + "数据库/没有这个.mdb", target.string());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("没有这个.mdb"), std::string::npos) << result.error;
    EXPECT_EQ(drawCount(target), -1);
    EXPECT_EQ(filesIn(target.parent_path()).size(), 2u);

    result = backupDatabase(program.databasePath(), (other.path() / "没有的文件夹" / "备份.mdb").string());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());

    result = backupDatabase(program.databasePath(), program.apppath() + "数据库/../数据库/彩票数据.mdb");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("数据库文件本身"), std::string::npos) << result.error;
    EXPECT_EQ(filesIn(folder), std::set<std::string>{"彩票数据.mdb"});

    test::ReadOnlyFolder readOnly(target.parent_path());
    if (!readOnly.active())
        GTEST_SKIP() << "this file system lets the test write into a read-only folder";
    result = backupDatabase(program.databasePath(), target.string());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("无法在文件"), std::string::npos) << result.error;
}

TEST_F(BackupFixture, RestoreReplacesTheDatabaseAndKeepsTheOldOneAsBak)
{
    const DatabaseCopyResult result = restoreDatabase(other.databasePath(), program.databasePath());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(drawCount(database), 5);
    EXPECT_EQ(drawCount(database.string() + ".bak"), 3);
    EXPECT_EQ(filesIn(folder), (std::set<std::string>{"彩票数据.mdb", "彩票数据.mdb.bak"}));

    // Restoring from the kept copy takes the old database back.
    const DatabaseCopyResult back = restoreDatabase(database.string() + ".bak", program.databasePath());
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(drawCount(database), 3);
    EXPECT_EQ(drawCount(database.string() + ".bak"), 5);
}

TEST_F(BackupFixture, RestoreKeepsADamagedDatabaseByteForByte)
{
    {
        std::ofstream(database, std::ios::binary | std::ios::trunc) << "damaged";
    }
    const DatabaseCopyResult result = restoreDatabase(other.databasePath(), program.databasePath());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(drawCount(database), 5);
    std::ifstream bak(database.string() + ".bak", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(bak), {}), "damaged");
}

TEST_F(BackupFixture, RestoreRefusesFilesThatHoldNoDrawTable)
{
    const fs::path noDrawTable = other.path() / "其他数据.mdb";
    const fs::path fewColumns = other.path() / "缺列.mdb";
    {
        Database db;
        db.open(noDrawTable.string(), Database::Mode::Create);
        db.exec("create table 记录(名称 text)");
        Database short_;
        short_.open(fewColumns.string(), Database::Mode::Create);
        short_.exec("create table 测试彩票号码表(记录期号 varchar(7), [1] int, [2] int, 开奖日期 varchar(10))");
    }
    const struct {
        const char* what;
        fs::path source;
        const char* says;
    } cases[] = {
        {"text file", writeFile("说明.mdb", "this is not a database, only a few words of text"),
         "不是有效的彩票数据库"},
        {"missing file", other.path() / "没有这个.mdb", "无法打开"},
        {"database without a draw table", noDrawTable, "没有彩票号码表"},
        {"draw table without the number columns", fewColumns, "没有彩票号码表"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DatabaseCopyResult result = restoreDatabase(c.source.string(), program.databasePath());
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(c.says), std::string::npos) << result.error;
        EXPECT_EQ(drawCount(database), 3);
        EXPECT_EQ(filesIn(folder), std::set<std::string>{"彩票数据.mdb"});
    }
}

TEST_F(BackupFixture, RestoreIntoAReadOnlyFolderLeavesTheDatabaseInPlace)
{
    test::ReadOnlyFolder readOnly(folder);
    if (!readOnly.active())
        GTEST_SKIP() << "this file system lets the test write into a read-only folder";
    const DatabaseCopyResult result = restoreDatabase(other.databasePath(), program.databasePath());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("无法在文件"), std::string::npos) << result.error;
    EXPECT_EQ(drawCount(database), 3);
    EXPECT_EQ(filesIn(folder), std::set<std::string>{"彩票数据.mdb"});
}
