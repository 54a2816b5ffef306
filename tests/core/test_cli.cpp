// The command-line front end over a program directory with the shipped database.
#include "cli_commands.h"
#include "cli_fixture.h"
#include "store/database.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

using CliFixture = test::CliFixture<>;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

} // namespace

TEST_F(CliFixture, ImportOpenAndIndicators)
{
    const std::string file = write("draws.txt", "期号 日期 号码\n"
                                                "20001 2020-01-01 01 02 03 04 05 01 02\n"
                                                "20002 2020-01-04 03 09 17 25 33 04 11\n");
    ASSERT_EQ(run({"import", kShippedLottery, file}), 0) << err.str();
    EXPECT_EQ(out.str(), "2\n");

    ASSERT_EQ(run({"lotteries"}), 0) << err.str();
    EXPECT_EQ(out.str(), std::string(kShippedLottery) + "\t2\n");

    ASSERT_EQ(run({"open", kShippedLottery}), 0) << err.str();
    EXPECT_EQ(out.str(), "2\n");

    ASSERT_EQ(run({"indicators", kShippedLottery}), 0) << err.str();
    const auto rows = lines(out.str());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].substr(0, 6), "期号");
    EXPECT_EQ(rows[1], "2020001\t01 02 03 04 05 + 01 02\t0\t3\t15\t4\t30\t15\t4\t0\t5\t0\t0\t0\t0");
    EXPECT_EQ(rows[2], "2020002\t03 09 17 25 33 + 04 11\t2\t5\t87\t30\t4\t28\t7\t1\t1\t1\t1\t1\t1");
}

TEST_F(CliFixture, ReimportPrintsTheAddedCountAndNotesTheSkippedOnStderr)
{
    const std::string draws = "2020001,2020-01-01,1,2,3,4,5,1,2\n2020002,2020-01-04,3,9,17,25,33,4,11\n";
    ASSERT_EQ(run({"import", kShippedLottery, write("old.txt", draws)}), 0) << err.str();
    EXPECT_EQ(out.str(), "2\n");
    EXPECT_TRUE(err.str().empty()) << err.str();

    const std::string longer = write("new.txt", draws + "2020003,2020-01-06,2,8,16,24,32,3,10\n");
    ASSERT_EQ(run({"import", kShippedLottery, longer}), 0) << err.str();
    EXPECT_EQ(out.str(), "1\n");
    EXPECT_EQ(err.str(), "已跳过 2 期已存在且相同的开奖号码\n");
}

TEST_F(CliFixture, ErrorsGoToStderrWithStatusOne)
{
    const std::string bad = write("bad.txt", "2020001,2020-01-01,1,2,3,4,5,1,2\n2020002,2020-01-04,1,1,3,4,5,1,2\n");
    EXPECT_EQ(run({"import", kShippedLottery, bad}), 1);
    EXPECT_NE(err.str().find("第 2 行"), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());

    EXPECT_EQ(run({"open", "不存在的彩票"}), 1);
    EXPECT_FALSE(err.str().empty());

    std::filesystem::remove(program.databasePath());
    EXPECT_EQ(run({"lotteries"}), 1);
    EXPECT_NE(err.str().find("数据库"), std::string::npos) << err.str();
}

TEST_F(CliFixture, HelpGoesToStdoutAndWrongCommandLinesToStderr)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {"--home", program.path().string(), "--help"}}) {
        SCOPED_TRACE(args.front());
        EXPECT_EQ(run(args), 0);
        EXPECT_NE(out.str().find("用法"), std::string::npos);
        EXPECT_NE(out.str().find("import"), std::string::npos);
        EXPECT_TRUE(err.str().empty());
    }

    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string first; // what stderr starts with
    };
    const std::vector<Case> cases = {
        {"unknown command", {"frobnicate", "x"}, "未知命令：frobnicate\n用法"},
        {"no command", {}, "用法"},
        {"open without a name", {"open"}, "参数个数不对\n用法: quorlin-cli open"},
        {"import without a file", {"import", kShippedLottery}, "参数个数不对\n用法: quorlin-cli import"},
        {"lotteries with an argument", {"lotteries", "x"}, "参数个数不对"},
        {"unknown option", {"open", kShippedLottery, "--frob"}, "未知选项：--frob"},
        {"home without its folder", {"--home"}, "--home"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.args), 2);
        EXPECT_TRUE(err.str().starts_with(c.first)) << err.str();
        EXPECT_NE(err.str().find("用法"), std::string::npos);
        EXPECT_TRUE(out.str().empty());
    }
}

TEST_F(CliFixture, SideTextEncodesAPlainFileAndDecodesItBack)
{
    const std::string plain = write("about-plain.txt", "作者：Quorlin 项目\n网站：帮助/index.html\n");
    const std::string side = program.apppath() + "about.txt";
    ASSERT_EQ(run({"sidetext", "encode", plain, side}), 0) << err.str();
    std::ifstream enciphered(side);
    std::string first;
    std::getline(enciphered, first);
    EXPECT_EQ(first.find("Quorlin"), std::string::npos) << "the line is stored enciphered";

    ASSERT_EQ(run({"sidetext", "decode", side}), 0) << err.str();
    EXPECT_EQ(lines(out.str()), (std::vector<std::string>{"作者：Quorlin 项目", "网站：帮助/index.html"}));

    EXPECT_EQ(run({"sidetext", "decode", plain}), 1);
    EXPECT_NE(err.str().find("第 1 行"), std::string::npos) << err.str();
    EXPECT_EQ(run({"sidetext", "recode", side}), 2);
}

TEST_F(CliFixture, ExportOfALotteryNamedWithAPathStaysInTheAttachedFolder)
{
    // Only a database made elsewhere can hold such a name.
    {
        Database db;
        db.open(program.databasePath());
        db.exec(drawTableStatement("../逃出", 7));
    }
    ASSERT_EQ(run({"export", "../逃出"}), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(program.path() / "附属" / "___逃出历史号码.txt"));
    EXPECT_FALSE(std::filesystem::exists(program.path() / "逃出历史号码.txt"));
}

TEST_F(CliFixture, OutputsNeverReplaceTheDatabase)
{
    const std::string database = program.databasePath();
    const std::vector<std::vector<std::string>> commands = {
        {"export", kShippedLottery, database},
        {"filter", kShippedLottery, "--sum", "15", "--back", "6 7", "--out", database},
        {"filter", kShippedLottery, "--sum", "15", "--back", "6 7", "--out", program.apppath() + "数据库/投注.txt"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.back());
        EXPECT_EQ(run(command), 1);
        EXPECT_NE(err.str().find(command.back()), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("数据库文件夹"), std::string::npos) << err.str();
        ASSERT_EQ(run({"open", kShippedLottery}), 0) << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(program.apppath() + "数据库/投注.txt"));
}

TEST_F(CliFixture, ExportWritesTheHistoryOldestFirstToTheAttachedFolderByDefault)
{
    const std::string draws = "2020002,2020-01-04,3,9,17,25,33,4,11\n2020001,2020-01-01,1,2,3,4,5,10,12\n";
    ASSERT_EQ(run({"import", kShippedLottery, write("draws.txt", draws)}), 0) << err.str();
    const std::string expected = "2020001 01 02 03 04 05 10 12 \r\n2020002 03 09 17 25 33 04 11 \r\n";
    auto bytes = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };

    // The program folder has no 附属 yet: the default place makes it.
    ASSERT_EQ(run({"export", kShippedLottery}), 0) << err.str();
    EXPECT_EQ(out.str(), "2\n");
    EXPECT_EQ(bytes(program.path() / "附属" / (std::string(kShippedLottery) + "历史号码.txt")), expected);

    const std::string chosen = program.apppath() + "chosen.txt";
    ASSERT_EQ(run({"export", kShippedLottery, chosen}), 0) << err.str();
    EXPECT_EQ(out.str(), "2\n");
    EXPECT_EQ(bytes(chosen), expected);

    EXPECT_EQ(run({"export", "没有的彩票", chosen}), 1);
    EXPECT_NE(err.str().find("没有的彩票"), std::string::npos) << err.str();
    EXPECT_EQ(bytes(chosen), expected);
    EXPECT_EQ(run({"export", kShippedLottery, chosen, "extra"}), 2);
    EXPECT_EQ(run({"export"}), 2);

    // The export imports back: every line is already stored.
    ASSERT_EQ(run({"import", kShippedLottery, chosen}), 0) << err.str();
    EXPECT_EQ(out.str(), "0\n");
    EXPECT_EQ(err.str(), "已跳过 2 期已存在且相同的开奖号码\n");
}

// An installed program's folder is made ready by the first command that uses it; the usage, wrong
// words and a folder named with --home never touch it.
TEST_F(CliFixture, TheDefaultFolderIsPreparedOnlyWhenACommandUsesIt)
{
    int prepared = 0;
    std::string failure;
    const auto runPreparing = [&](std::vector<std::string> args) {
        out.str({});
        err.str({});
        return cli::run(args, program.path().string(), out, err, [&] {
            ++prepared;
            return failure;
        });
    };
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                                 {},
                                                 {"frobnicate"},
                                                 {"open"},
                                                 {"lotteries", "x"},
                                                 {"import", kShippedLottery},
                                                 {"--home", program.path().string(), "lotteries"}}) {
        SCOPED_TRACE(args.empty() ? std::string("(none)") : args.front());
        runPreparing(args);
        EXPECT_EQ(prepared, 0);
    }
    EXPECT_EQ(runPreparing({"lotteries"}), 0) << err.str();
    EXPECT_EQ(prepared, 1);
    EXPECT_NE(out.str().find(kShippedLottery), std::string::npos);

    failure = "无法创建数据目录";
    EXPECT_EQ(runPreparing({"open", kShippedLottery}), 1);
    EXPECT_EQ(prepared, 2);
    EXPECT_EQ(err.str(), "无法创建数据目录\n");
}

// The commands library is Qt-free: the download, which fetches with Qt Network, is handed to it by
// the program; without it the command says so instead of doing nothing.
TEST_F(CliFixture, DownloadWithoutTheFetchIsRefused)
{
    EXPECT_EQ(run({"download", kShippedLottery}), 1);
    EXPECT_EQ(err.str(), "这个程序没有下载功能\n");
    EXPECT_TRUE(out.str().empty());
}
