// The lottery database: schema, discovery, definitions, the load of the newest draws, and open/close.
#include "store/database.h"
#include "store/draw_cursor.h"
#include "store/lottery_catalog.h"
#include "store/lottery_open.h"
#include "store/lottery_state.h"
#include "store/schema.h"
#include "store/u_datamod.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

std::vector<int> draw(int issue, std::vector<int> numbers = {1, 2, 3, 4, 5, 1, 2})
{
    numbers.insert(numbers.begin(), issue);
    return numbers;
}

std::vector<std::string> storedIssues(const std::string& databasePath)
{
    Database db;
    db.open(databasePath);
    Statement st(db, "select 记录期号 from " + quoteIdentifier(drawTableName(kShippedLottery)) + " order by 记录期号");
    std::vector<std::string> issues;
    while (st.step())
        issues.push_back(st.text(0));
    return issues;
}

struct OpenFixture : ::testing::Test {
    test::ShippedProgram program;
    LotteryState state;
    Tdatamod datamod;

    OpenFixture() { state.apppath = program.apppath(); }
    void open() { openlottery(state, datamod, shippedLotteryDefinition()); }
};

/// The text of the `Error` that `action` throws; empty, failing the test, when it throws none.
template <class Error> std::string thrownText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}

bool holds(const std::string& text, const std::string& piece)
{
    return text.find(piece) != std::string::npos;
}

} // namespace

TEST(Schema, DrawTableHasTheNumberColumnsInOrder)
{
    test::ShippedProgram program;
    Database db;
    db.open(program.databasePath());
    EXPECT_EQ(db.columnNames(drawTableName(kShippedLottery)),
              (std::vector<std::string>{"记录期号", "1", "2", "3", "4", "5", "6", "7", "开奖日期"}));
    EXPECT_EQ(readDefinition(db, kShippedLottery), shippedLotteryDefinition());
}

TEST(Schema, NamesThatWouldLeaveAFolderAreRefusedAndFileNamesStayInTheirFolder)
{
    test::TempProgramDir program;
    Database db;
    db.open(program.databasePath(), Database::Mode::Create);
    for (const std::string name : {"乐透/七星", "..", "../附属", "大乐透..", ""}) {
        SCOPED_TRACE(name);
        LotteryDefinition definition = shippedLotteryDefinition();
        definition.name = name;
        const std::string text = thrownText<DatabaseError>([&] { createLottery(db, definition); });
        EXPECT_TRUE(holds(text, "彩票名称")) << text;
        EXPECT_TRUE(db.tableNames().empty());
    }

    // Names from a database made elsewhere still make one file name.
    const std::vector<std::pair<std::string, std::string>> names = {
        {kShippedLottery, std::string(kShippedLottery) + "历史号码.txt"},
        {"../../逃出", "______逃出历史号码.txt"},
        {"乐透/七星", "乐透_七星历史号码.txt"},
        {"...", "__.历史号码.txt"},
    };
    for (const auto& [name, file] : names)
        EXPECT_EQ(lotteryFileName(name, "历史号码.txt"), file) << name;
    EXPECT_EQ(lotteryFileName(".", ""), "_.");
    EXPECT_EQ(lotteryFileName("..", ""), "__");
}

TEST(Catalog, ListsDrawTablesByNameNotByCreation)
{
    test::TempProgramDir program;
    Database db;
    db.open(program.databasePath(), Database::Mode::Create);
    db.exec(drawTableStatement("乙", 7));
    db.exec(drawTableStatement("甲", 7));
    db.exec(drawTableStatement("", 7));      // a table named 彩票号码表 itself lists an empty name
    db.exec(definitionTableStatement("丙")); // a definition table alone makes no lottery
    db.exec("create table 其他表(a integer)");
    // Listed in table-name order: 乙… < 彩票号码表 < 甲… byte for byte.
    EXPECT_EQ(listlotteries(db), (std::vector<std::string>{"乙", "", "甲"}));
}

TEST(Catalog, BrokenDefinitionsRaiseDatabaseErrors)
{
    test::TempProgramDir program;
    Database db;
    db.open(program.databasePath(), Database::Mode::Create);
    db.exec(drawTableStatement("无选项", 7));
    EXPECT_THROW(readDefinition(db, "无选项"), DatabaseError);
    db.exec(drawTableStatement("空类型", 7));
    db.exec(definitionTableStatement("空类型"));
    db.exec("insert into " + quoteIdentifier(definitionTableName("空类型")) + "(彩票名称) values ('空类型')");
    EXPECT_THROW(readDefinition(db, "空类型"), DatabaseError);
}

TEST(Catalog, DefinitionNumbersThatDoNotReadAsNumbersAreConversionErrors)
{
    struct Case {
        const char* column;
        const char* value; ///< SQL value stored in the column
        const char* says;
    };
    const std::vector<Case> cases = {
        {"彩票类型", "'abc'", "彩票类型“abc”不是数字"},
        {"彩票类型", "'1x'", "彩票类型“1x”不是数字"},
        {"彩票类型", "0.5", "彩票类型 0.5 不是整数"},
        {"彩票类型", "4294967296", "彩票类型 4294967296 超出范围"},
        {"号码总数", "'三十五'", "号码总数“三十五”不是数字"},
        {"选择号码数", "'7个'", "选择号码数“7个”不是数字"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " = " + c.value);
        test::ShippedProgram program;
        Database db;
        db.open(program.databasePath());
        db.exec("update " + quoteIdentifier(definitionTableName(kShippedLottery)) + " set " + c.column + " = " +
                c.value);
        const std::string text = thrownText<ConversionError>([&] { readDefinition(db, kShippedLottery); });
        EXPECT_TRUE(holds(text, kShippedLottery)) << text;
        EXPECT_TRUE(holds(text, c.says)) << text;
    }
}

TEST(Database, MissingFileIsAnErrorAndIsNotCreated)
{
    test::TempProgramDir program;
    Database db;
    EXPECT_THROW(db.open(program.databasePath()), DatabaseError);
    EXPECT_FALSE(std::filesystem::exists(program.databasePath()));
}

TEST(Database, FileLockedByAnotherProgramIsReportedAsBusy)
{
    test::ShippedProgram program;
    Database reader;
    reader.open(program.databasePath());
    // Another program in the middle of a long write: it holds the file's exclusive lock.
    Database other;
    other.open(program.databasePath());
    other.exec("pragma locking_mode = exclusive");
    other.exec("begin exclusive");
    const std::string busy = "正被其他程序使用，请稍后再试";

    for (const Database::Mode mode : {Database::Mode::OpenExisting, Database::Mode::ReadOnly}) {
        const std::string text = thrownText<DatabaseError>([&] {
            Database db;
            db.open(program.databasePath(), mode);
        });
        EXPECT_TRUE(holds(text, busy)) << text;
        EXPECT_TRUE(holds(text, program.databasePath())) << text;
    }
    const std::string text = thrownText<DatabaseError>([&] { reader.tableNames(); });
    EXPECT_TRUE(holds(text, busy)) << text;
}

TEST_F(OpenFixture, EmptyDrawTableOpensWithNoDraws)
{
    open();
    EXPECT_TRUE(state.caiopen);
    EXPECT_EQ(state.recnum, 0);
    EXPECT_EQ(state.hisfull.rows(), 0u);
    EXPECT_EQ(state.histext.rows(), 0u);
}

TEST_F(OpenFixture, DrawsAreReadInIssueOrderWhateverTheInsertOrder)
{
    test::insertDraws(program.databasePath(), kShippedLottery,
                      {draw(2020003, {7, 8, 9, 10, 11, 3, 4}), draw(2020001), draw(2020002, {6, 7, 8, 9, 10, 1, 3})});
    open();
    ASSERT_EQ(state.recnum, 3);
    EXPECT_EQ(state.hisfull.at(0, 0), 2020001);
    EXPECT_EQ(state.hisfull.at(1, 0), 2020002);
    EXPECT_EQ(state.hisfull.at(2, 0), 2020003);
    EXPECT_EQ(state.hisfull.at(2, 1), 7);
    EXPECT_EQ(state.hisfull.at(2, 7), 4);
}

TEST_F(OpenFixture, LoadsTheNewestDrawsAndLeavesTheTableAsItIs)
{
    // One draw over the limit, stored newest first so that the insert order cannot pass for issue order.
    std::vector<std::vector<int>> draws;
    for (int i = kMaxDraws; i >= 0; --i)
        draws.push_back(draw(1000000 + i));
    test::insertDraws(program.databasePath(), kShippedLottery, draws);
    const auto before = storedIssues(program.databasePath());

    open();
    EXPECT_EQ(state.recnum, kMaxDraws);
    EXPECT_EQ(state.hisfull.at(0, 0), 1000001);
    EXPECT_EQ(state.hisfull.at(static_cast<std::size_t>(kMaxDraws - 1), 0), 1000000 + kMaxDraws);
    // The cursor the windows walk holds the same draws as recnum counts.
    DrawCursor& cursor = datamod.t_caipiao;
    EXPECT_EQ(cursor.recordCount(), kMaxDraws);
    cursor.first();
    EXPECT_EQ(cursor.issue(), "1000001");
    closelottery(state, datamod);
    EXPECT_EQ(storedIssues(program.databasePath()), before);
    EXPECT_EQ(before.size(), static_cast<std::size_t>(kMaxDraws + 1));
}

TEST_F(OpenFixture, DatabaseInAReadOnlyFolderOpens)
{
    std::vector<std::vector<int>> draws;
    for (int i = 0; i <= kMaxDraws; ++i)
        draws.push_back(draw(1000000 + i));
    test::insertDraws(program.databasePath(), kShippedLottery, draws);
    test::ReadOnlyFolder readOnly(std::filesystem::path(program.databasePath()).parent_path());
    if (!readOnly.active())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    EXPECT_NO_THROW(open());
    EXPECT_EQ(state.recnum, kMaxDraws);
}

namespace {

/// Another program's connection holding the write lock: an uncommitted insert into its own table.
struct OtherWriter {
    Database db;
    explicit OtherWriter(const std::string& path)
    {
        db.open(path);
        db.exec("create table 其他程序表(a integer)");
        db.exec("begin immediate");
        db.exec("insert into 其他程序表 values (1)");
    }
    void commit() { db.exec("commit"); }
};

} // namespace

TEST_F(OpenFixture, OpensOverTheLimitWhileAnotherProgramWrites)
{
    std::vector<std::vector<int>> draws;
    for (int i = 0; i <= kMaxDraws; ++i)
        draws.push_back(draw(1000000 + i));
    test::insertDraws(program.databasePath(), kShippedLottery, draws);
    OtherWriter writer(program.databasePath());
    open();
    EXPECT_TRUE(state.caiopen);
    EXPECT_EQ(state.recnum, kMaxDraws);
    writer.commit();
}

TEST_F(OpenFixture, OpenResetsTheTransformedFlag)
{
    state.bianhuan = true;
    open();
    EXPECT_FALSE(state.bianhuan);
}

TEST_F(OpenFixture, OnlyLottoTypeLotteriesOpenAndOthersAreRefusedBeforeAnythingChanges)
{
    struct Case {
        int type;
        const char* says;
        const char* neverSays;
    };
    const std::vector<Case> cases = {{1, "数字型", "未知"}, {2, "未知", "数字型"}, {-1, "未知", "数字型"}};
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type));
        LotteryDefinition definition = shippedLotteryDefinition();
        definition.type = c.type;
        const std::string text = thrownText<DatabaseError>([&] { openlottery(state, datamod, definition); });
        EXPECT_TRUE(holds(text, c.says)) << text;
        EXPECT_FALSE(holds(text, c.neverSays)) << text;
        EXPECT_FALSE(state.caiopen);
        EXPECT_FALSE(datamod.t_con.connected());
        EXPECT_TRUE(state.cainame.empty());
    }
}

namespace {

/// Damage that stores a good draw and then the given row (its SQL values) in the draw table.
std::function<void(Database&)> storeRow(const std::string& values)
{
    return [values](Database& db) {
        const std::string table = quoteIdentifier(drawTableName(kShippedLottery));
        db.exec("insert into " + table + " values ('2020000',1,2,3,4,5,1,2,'2020-01-01')");
        db.exec("insert into " + table + " values (" + values + ")");
    };
}

} // namespace

TEST_F(OpenFixture, FailedLoadNamesTheProblemAndLeavesNoLotteryOpen)
{
    struct Case {
        const char* name;
        std::function<void(Database&)> damage;
        std::vector<std::string> says; ///< pieces the error text must hold
    };
    const std::vector<Case> cases = {
        {"missing draw table",
         [](Database& db) { db.exec("drop table " + quoteIdentifier(drawTableName(kShippedLottery))); },
         {"找不到"}},
        {"missing number column",
         [](Database& db) {
             db.exec("alter table " + quoteIdentifier(drawTableName(kShippedLottery)) + " drop column [7]");
         },
         {"缺少列“7”"}},
        {"front number out of range",
         storeRow("'2020001',1,2,3,4,36,1,2,'2020-01-01'"),
         {"第 2020001 期", "第 5 列", "36 超出范围 1-35"}},
        {"back number out of range",
         storeRow("'2020001',1,2,3,4,5,1,13,'2020-01-01'"),
         {"第 2020001 期", "第 7 列", "13 超出范围 1-12"}},
        {"number zero", storeRow("'2020001',0,2,3,4,5,1,2,'2020-01-01'"), {"第 2020001 期", "第 1 列", "0 超出范围"}},
        {"number beyond 32 bits",
         storeRow("'2020001',4294967297,2,3,4,5,1,2,'2020-01-01'"),
         {"第 2020001 期", "第 1 列", "4294967297 超出范围"}},
        {"text in a number column",
         storeRow("'2020001',1,2,'abc',4,5,1,2,'2020-01-01'"),
         {"第 2020001 期", "第 3 列", "“abc”不是数字"}},
        {"real number in a number column",
         storeRow("'2020001',1,2,3,4,5,3.5,2,'2020-01-01'"),
         {"第 2020001 期", "第 6 列", "3.5 不是整数"}},
        {"empty number", storeRow("'2020001',1,NULL,3,4,5,1,2,'2020-01-01'"), {"第 2020001 期", "第 2 列", "为空"}},
        {"empty text as number",
         storeRow("'2020001',1,2,3,'',5,1,2,'2020-01-01'"),
         {"第 2020001 期", "第 4 列", "为空"}},
        {"期号 not a number", storeRow("'第一期',1,2,3,4,5,1,2,'2020-01-01'"), {"期号“第一期”不是数字"}},
        {"期号 with a letter", storeRow("'20a0001',1,2,3,4,5,1,2,'2020-01-01'"), {"期号“20a0001”不是数字"}},
        {"期号 of ten digits", storeRow("'2020000001',1,2,3,4,5,1,2,'2020-01-01'"), {"期号“2020000001”太长"}},
        {"empty 期号", storeRow("NULL,1,2,3,4,5,1,2,'2020-01-01'"), {"期号为空"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ShippedProgram damaged;
        {
            Database db;
            db.open(damaged.databasePath());
            c.damage(db);
        }
        LotteryState s;
        s.apppath = damaged.apppath();
        Tdatamod dm;
        const std::string text = thrownText<DatabaseError>([&] { openlottery(s, dm, shippedLotteryDefinition()); });
        for (const std::string& piece : c.says)
            EXPECT_TRUE(holds(text, piece)) << "“" << text << "” does not say “" << piece << "”";
        EXPECT_FALSE(s.caiopen);
        EXPECT_FALSE(dm.t_con.connected());
        EXPECT_FALSE(dm.t_caipiao.active());
    }
}

TEST_F(OpenFixture, CloseClearsTheOpenFlagAndConnection)
{
    test::insertDraws(program.databasePath(), kShippedLottery, {draw(2020001)});
    open();
    ASSERT_TRUE(datamod.t_con.connected());
    closelottery(state, datamod);
    EXPECT_FALSE(state.caiopen);
    EXPECT_FALSE(datamod.t_con.connected());
}
