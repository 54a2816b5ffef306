// Where the program keeps its data: beside a program run from its folder, or in the user's own
// folder for an installed one, prepared from the installed data without touching what the user has.
#include "common/text_writer.h"
#include "store/database.h"
#include "store/database_backup.h"
#include "store/lottery_catalog.h"
#include "store/prize_store.h"
#include "store/program_directory.h"
#include "store/schema.h"
#include "store/shipped_prizes.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

using namespace quorlin;
namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An installed layout: <root>/usr/bin and <root>/usr/share/quorlin with a manual and the history.
struct InstalledFixture : ::testing::Test {
    test::TempProgramDir root;
    fs::path bin = root.path() / "usr" / "bin";
    fs::path share = root.path() / "usr" / "share" / "quorlin";
    fs::path home = root.path() / "home";

    InstalledFixture()
    {
        fs::create_directories(bin);
        writeFile(share / "files" / "帮助" / "index.html", "manual 1");
        writeFile(share / "dlt_history.csv",
                  "2020001,2020-01-01,1,2,3,4,5,1,2\n2020002,2020-01-04,3,9,17,25,33,4,11\n");
    }
    EnvironmentLookup env(std::map<std::string, std::string> vars)
    {
        return [vars](const std::string& name) -> std::optional<std::string> {
            const auto it = vars.find(name);
            return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
        };
    }
    std::int64_t drawsIn(const fs::path& dir)
    {
        Database db;
        db.open((dir / fs::path(kDatabaseRelativePath)).string());
        return countDraws(db, kShippedLottery);
    }
};

} // namespace

TEST_F(InstalledFixture, ProgramFolderBesideItsDatabaseOrTheUsersDataFolder)
{
    const auto installed = locateProgramDirectory(bin.string(), env({{"HOME", home.string()}}));
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.path, (home / ".local" / "share" / "quorlin").string());
    EXPECT_EQ(fs::path(installed.shareDir), share);

    const auto xdg = locateProgramDirectory(bin.string(), env({{"HOME", home.string()}, {"XDG_DATA_HOME", "/data/x"}}));
    EXPECT_EQ(xdg.path, "/data/x/quorlin");
    // A relative XDG_DATA_HOME is to be ignored.
    EXPECT_EQ(locateProgramDirectory(bin.string(), env({{"HOME", "/h"}, {"XDG_DATA_HOME", "rel"}})).path,
              "/h/.local/share/quorlin");

    // A build folder (the database folder beside the program) stays the program directory.
    fs::create_directories(bin / fs::path("数据库"));
    const auto build = locateProgramDirectory(bin.string(), env({{"HOME", home.string()}}));
    EXPECT_FALSE(build.installed);
    EXPECT_EQ(build.path, bin.string());
}

TEST_F(InstalledFixture, FirstStartPreparesLaterStartsKeepTheUsersData)
{
    const fs::path user = home / "quorlin";
    ASSERT_EQ(prepareProgramDirectory(share.string(), user.string()), "");
    EXPECT_EQ(drawsIn(user), 2);
    EXPECT_EQ(readFile(user / fs::path("帮助") / "index.html"), "manual 1");
    for (const char* folder : kSideFolders)
        EXPECT_TRUE(fs::is_directory(user / fs::path(folder))) << folder;

    // The user adds a draw and edits the manual; a later start (also after an upgrade) keeps both.
    test::insertDraws((user / fs::path(kDatabaseRelativePath)).string(), kShippedLottery,
                      {{2020003, 1, 2, 3, 4, 6, 1, 3}});
    writeFile(user / fs::path("帮助") / "index.html", "my notes");
    writeFile(share / "files" / "帮助" / "index.html", "manual 2");
    ASSERT_EQ(prepareProgramDirectory(share.string(), user.string()), "");
    EXPECT_EQ(drawsIn(user), 3);
    EXPECT_EQ(readFile(user / fs::path("帮助") / "index.html"), "my notes");
}

TEST_F(InstalledFixture, TheFirstDatabaseHoldsThePublishedResultsTheProgramFilesBring)
{
    writeFile(share / "files" / fs::u8path("附属") / "dlt_prizes.csv",
              "issue,date,level,winners,amount_per_bet\n2020002,2020-01-04,一等奖,1,10000000\n"
              "2020009,2020-02-01,一等奖,0,0\n");
    writeFile(share / "files" / fs::u8path("附属") / "dlt_pool_sales.csv",
              "issue,date,sales,pool_after\n2020002,2020-01-04,1,2\n");
    const fs::path user = home / "quorlin";
    ASSERT_EQ(prepareProgramDirectory(share.string(), user.string()), "");
    EXPECT_TRUE(fs::exists(user / fs::u8path(kShippedPrizesRelativePath)));
    Database db;
    db.open((user / fs::path(kDatabaseRelativePath)).string());
    const PrizeResults results = readPrizeResults(db, kShippedLottery);
    ASSERT_EQ(results.draws.size(), 1u);
    EXPECT_EQ(results.find(2020002)->prizes, (std::vector<PublishedPrize>{{"一等奖", 1, 1000000000}}));
    EXPECT_EQ(results.find(2020002)->pool, 200);
}

TEST_F(InstalledFixture, AnUpgradeReplacesProgramFilesTheUserLeftAlone)
{
    const fs::path user = home / "quorlin";
    writeFile(share / "files" / "附属" / "about.txt", "about 1");
    ASSERT_EQ(prepareProgramDirectory(share.string(), user.string()), "");
    writeFile(share / "files" / "附属" / "about.txt", "about 2");
    writeFile(share / "files" / "旋转矩阵" / "new.txt", "wheel");
    ASSERT_EQ(prepareProgramDirectory(share.string(), user.string()), "");
    EXPECT_EQ(readFile(user / fs::path("附属") / "about.txt"), "about 2");
    EXPECT_EQ(readFile(user / fs::path("旋转矩阵") / "new.txt"), "wheel");
}

TEST_F(InstalledFixture, ABadHistoryLeavesNoDatabase)
{
    writeFile(share / "dlt_history.csv", "2020001,2020-01-01,1,2,3,4,36,1,2\n");
    const fs::path user = home / "quorlin";
    const std::string error = prepareProgramDirectory(share.string(), user.string());
    EXPECT_NE(error.find("第 1 行"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(user / fs::path(kDatabaseRelativePath)));
}

TEST(SaveTarget, SavesIntoTheDatabaseFolderAreRefusedAndLeaveItAsItWas)
{
    test::ShippedProgram program;
    const fs::path database = fs::path(program.databasePath());
    const fs::path folder = database.parent_path();
    const std::string before = readFile(database);
    fs::create_directory(folder / "子文件夹");
    fs::create_directory_symlink(folder, program.path() / "库链接");

    const std::vector<fs::path> refused = {
        database,
        folder / "说明.txt",
        folder / ".." / "数据库" / "彩票数据.mdb",
        folder / "子文件夹" / "投注.txt",
        program.path() / "库链接" / "彩票数据.mdb",
    };
    for (const fs::path& target : refused) {
        SCOPED_TRACE(target.string());
        TextWriter writer(target.string());
        writer.writeLine("01 02 03 04 05+06 07");
        EXPECT_FALSE(writer.commit());
        EXPECT_NE(writer.error().find(target.string()), std::string::npos) << writer.error();
        EXPECT_NE(writer.error().find("数据库文件夹"), std::string::npos) << writer.error();
        const DatabaseCopyResult backup = backupDatabase(database.string(), target.string());
        EXPECT_FALSE(backup.ok);
    }
    EXPECT_EQ(readFile(database), before);
    EXPECT_TRUE(fs::is_empty(folder / "子文件夹"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);

    // Elsewhere, even in a folder of that name that holds no database, saves go ahead.
    for (const fs::path& target :
         {program.path() / "附属" / "投注.txt", program.path() / "附属" / "数据库" / "投注.txt"}) {
        SCOPED_TRACE(target.string());
        fs::create_directories(target.parent_path());
        TextWriter writer(target.string());
        writer.writeLine("01 02 03 04 05+06 07");
        EXPECT_TRUE(writer.commit()) << writer.error();
    }
}
