// The draw editor behind the entry grid: what reaches the table, what is refused, and where the
// current row goes.
#include "data/draw_editor.h"
#include "store/database.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

using Cells = DrawEditor::Cells;

const Cells kNewDraw = {"2020006", "05", "16", "23", "30", "34", "2", "09", "2020-1-13"};
// kNewDraw as the table stores it.
const Cells kNewDrawStored = {"2020006", "5", "16", "23", "30", "34", "2", "9", "2020-01-13"};

struct EditorFixture : ::testing::Test {
    test::ShippedProgram program;
    Database db;
    // Dates are allowed up to a year after this day.
    DrawEditor editor{db, [] { return 20261210; }};

    EditorFixture()
    {
        // Stored out of issue order on purpose.
        test::insertDraws(program.databasePath(), kShippedLottery,
                          {{2020002, 6, 7, 8, 9, 10, 3, 4},
                           {2020001, 1, 2, 3, 4, 5, 1, 2},
                           {2020004, 11, 12, 13, 14, 15, 5, 6},
                           {2020003, 3, 9, 17, 25, 33, 4, 11}});
        db.open(program.databasePath());
        editor.open(kShippedLottery);
    }

    // The table as another connection reads it, so only committed rows count.
    std::vector<Cells> stored() const
    {
        Database reader;
        reader.open(program.databasePath());
        Statement st(reader, "select 记录期号,[1],[2],[3],[4],[5],[6],[7],开奖日期 from " +
                                 quoteIdentifier(drawTableName(kShippedLottery)) + " order by 记录期号");
        std::vector<Cells> rows;
        while (st.step()) {
            Cells& row = rows.emplace_back();
            for (int c = 0; c < DrawEditor::kColumns; ++c)
                row[static_cast<std::size_t>(c)] = st.text(c);
        }
        return rows;
    }

    Cells row(int r) const
    {
        Cells cells;
        for (int c = 0; c < DrawEditor::kColumns; ++c)
            cells[static_cast<std::size_t>(c)] = editor.cell(r, c);
        return cells;
    }

    void type(const Cells& cells)
    {
        for (int c = 0; c < DrawEditor::kColumns; ++c)
            editor.setCell(c, cells[static_cast<std::size_t>(c)]);
    }

    std::string issueOf(int r) const { return editor.cell(r, 0); }
};

} // namespace

TEST_F(EditorFixture, OpensInIssueOrderWithTheNewestDrawCurrent)
{
    ASSERT_TRUE(editor.active());
    ASSERT_EQ(editor.rowCount(), 4);
    EXPECT_EQ(issueOf(0), "2020001");
    EXPECT_EQ(editor.current(), 3);
    EXPECT_EQ(row(3), (Cells{"2020004", "11", "12", "13", "14", "15", "5", "6", "2020-01-01"}));
    EXPECT_EQ(editor.state(), DrawEditor::State::Browse);
}

TEST_F(EditorFixture, ValidNewDrawIsPostedInTheFormTheTableKeeps)
{
    ASSERT_EQ(editor.append(), "");
    EXPECT_EQ(editor.state(), DrawEditor::State::Insert);
    EXPECT_EQ(editor.current(), 4);
    type(kNewDraw);
    EXPECT_EQ(stored().size(), 4u) << "nothing is written before the post";

    ASSERT_EQ(editor.post(), "");
    EXPECT_EQ(editor.state(), DrawEditor::State::Browse);
    EXPECT_EQ(row(4), kNewDrawStored);
    const auto rows = stored();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.back(), kNewDrawStored);
}

TEST_F(EditorFixture, InvalidDrawIsRefusedNamingTheFieldAndNothingIsWritten)
{
    struct Case {
        const char* name;
        int column;
        std::string text;
        std::string fragment;
    };
    const std::vector<Case> cases = {
        {"issue left empty", 0, "", "期号未填写"},
        {"issue of five digits", 0, "20006", "期号“20006”应为 7 位数字"},
        {"issue of eight digits", 0, "20200006", "应为 7 位数字"},
        {"issue with a letter", 0, "2O20006", "期号“2O20006”"},
        {"front number 36", 3, "36", "前区号码 36 不在 1-35 之内"},
        {"front number 0", 1, "0", "前区号码 0 不在 1-35 之内"},
        {"front number repeated", 5, "5", "前区号码 5 重复"},
        {"front number not a number", 2, "1a", "前区第 2 个号码“1a”不是数字"},
        {"front number empty", 4, " ", "前区第 4 个号码未填写"},
        {"back number 13", 7, "13", "后区号码 13 不在 1-12 之内"},
        {"back number repeated", 7, "2", "后区号码 2 重复"},
        {"no such day", 8, "2021-02-29", "开奖日期“2021-02-29”"},
        {"date with slashes", 8, "2020/01/13", "YYYY-MM-DD"},
        {"date left empty", 8, "", "开奖日期未填写"},
        {"date of another year than the issue", 8, "2021-01-13", "期号“2020006”的前四位应是开奖日期“2021-01-13”的年份"},
        {"issue of another year than the date", 0, "2019006", "期号“2019006”的前四位"},
        {"front numbers in draw order", 1, "17", "前区号码要从小到大排列"},
        {"back numbers in draw order", 6, "10", "后区号码要从小到大排列"},
    };
    const auto before = stored();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(editor.append(), "");
        type(kNewDraw);
        editor.setCell(c.column, c.text);
        const std::string refused = editor.post();
        EXPECT_NE(refused.find(c.fragment), std::string::npos) << refused;
        EXPECT_EQ(editor.state(), DrawEditor::State::Insert) << "the row stays for the user to correct";
        EXPECT_EQ(stored(), before);
        editor.cancel();
        EXPECT_EQ(editor.rowCount(), 4);
    }

    // The editor's day bounds the dates.
    ASSERT_EQ(editor.append(), "");
    type(kNewDraw);
    editor.setCell(0, "2027006");
    editor.setCell(8, "2027-12-11");
    EXPECT_EQ(editor.post(), "开奖日期“2027-12-11”比今天晚一年以上");
    EXPECT_EQ(stored(), before);
    editor.cancel();

    // The same checks hold for a correction of a stored draw.
    ASSERT_EQ(editor.moveTo(1), "");
    editor.setCell(6, "13");
    EXPECT_NE(editor.post().find("后区号码 13"), std::string::npos);
    EXPECT_NE(editor.moveTo(0).find("后区号码 13"), std::string::npos) << "moving on posts, and is refused";
    EXPECT_EQ(editor.current(), 1);
    EXPECT_EQ(stored(), before);
}

TEST_F(EditorFixture, IssueOfAnotherRowIsRefusedButARowKeepsItsOwn)
{
    ASSERT_EQ(editor.append(), "");
    Cells duplicate = kNewDraw;
    duplicate[0] = "2020002";
    type(duplicate);
    EXPECT_EQ(editor.post(), "期号 2020002 已经存在，不能重复");
    editor.cancel();

    // Correcting 2020002 keeps its issue: no clash with itself.
    ASSERT_EQ(editor.moveTo(1), "");
    editor.setCell(5, "20");
    ASSERT_EQ(editor.post(), "");
    EXPECT_EQ(stored()[1][5], "20");

    // Giving it the issue of 2020003 is refused.
    editor.setCell(0, "2020003");
    EXPECT_NE(editor.post().find("期号“2020002”不能改为 2020003"), std::string::npos);
    editor.cancel();
    EXPECT_EQ(issueOf(1), "2020002");
    EXPECT_EQ(stored().size(), 4u);
}

TEST_F(EditorFixture, TypingMeantForANewDrawNeverReplacesAStoredOne)
{
    // The new row left untouched for a stored draw, which then gets the new draw typed into it.
    const std::vector<Cells> before = stored();
    ASSERT_EQ(editor.append(), "");
    ASSERT_EQ(editor.moveTo(0), "");
    EXPECT_EQ(editor.rowCount(), 4);
    type(kNewDraw);
    const std::string refused = editor.post();
    EXPECT_NE(refused.find("期号“2020001”不能改为 2020006：新的一期请按“+”添加"), std::string::npos) << refused;
    EXPECT_EQ(editor.state(), DrawEditor::State::Edit) << "the row stays for the user to correct";
    EXPECT_FALSE(editor.moveTo(2).empty()) << "moving on posts, and is refused";
    EXPECT_FALSE(editor.append().empty()) << "so does appending";
    EXPECT_EQ(stored(), before);
    editor.cancel();
    EXPECT_EQ(issueOf(0), "2020001");

    // The same draw typed into a new row is added beside it.
    ASSERT_EQ(editor.append(), "");
    type(kNewDraw);
    ASSERT_EQ(editor.post(), "");
    EXPECT_EQ(stored().size(), 5u);
    EXPECT_EQ(stored().front(), before.front());
}

TEST_F(EditorFixture, CorrectionReachesTheTableWhenPostedOrMovedAway)
{
    ASSERT_EQ(editor.moveTo(0), "");
    editor.setCell(8, "2020-01-02");
    EXPECT_EQ(editor.state(), DrawEditor::State::Edit);
    EXPECT_EQ(stored()[0][8], "2020-01-01");
    ASSERT_EQ(editor.moveTo(2), "");
    EXPECT_EQ(editor.current(), 2);
    EXPECT_EQ(stored()[0][8], "2020-01-02");
    EXPECT_EQ(editor.state(), DrawEditor::State::Browse);
}

TEST_F(EditorFixture, CancelDropsTheChange)
{
    editor.setCell(1, "35");
    editor.cancel();
    EXPECT_EQ(editor.cell(3, 1), "11");
    EXPECT_EQ(editor.state(), DrawEditor::State::Browse);

    ASSERT_EQ(editor.append(), "");
    type(kNewDraw);
    editor.cancel();
    EXPECT_EQ(editor.rowCount(), 4);
    EXPECT_EQ(editor.current(), 3);
    EXPECT_EQ(stored().size(), 4u);
}

TEST_F(EditorFixture, PostWithoutAChangeWritesNothing)
{
    auto changes = [this] {
        Statement st(db, "select total_changes()");
        st.step();
        return st.integer(0);
    };
    const auto before = changes();
    editor.edit();
    EXPECT_EQ(editor.state(), DrawEditor::State::Edit);
    EXPECT_EQ(editor.post(), "");
    EXPECT_EQ(editor.state(), DrawEditor::State::Browse);

    // A new row nobody typed into is not a draw: it goes away instead of being refused.
    ASSERT_EQ(editor.append(), "");
    EXPECT_EQ(editor.rowCount(), 5);
    EXPECT_EQ(editor.post(), "");
    EXPECT_EQ(editor.rowCount(), 4);
    EXPECT_EQ(editor.current(), 3);
    EXPECT_EQ(changes(), before);
}

TEST_F(EditorFixture, AppendWhileInsertingPostsThatRowFirst)
{
    ASSERT_EQ(editor.append(), "");
    type(kNewDraw);
    ASSERT_EQ(editor.append(), "");
    EXPECT_EQ(editor.rowCount(), 6);
    EXPECT_EQ(editor.current(), 5);
    EXPECT_EQ(editor.state(), DrawEditor::State::Insert);
    EXPECT_EQ(row(4), kNewDrawStored);
    EXPECT_EQ(stored().back(), kNewDrawStored);

    // A pending row that is not a draw stops the append: no second new row.
    Cells bad = kNewDraw;
    bad[0] = "2020007";
    bad[1] = "99";
    type(bad);
    EXPECT_NE(editor.append().find("99"), std::string::npos);
    EXPECT_EQ(editor.rowCount(), 6);
    EXPECT_EQ(stored().size(), 5u);
}

TEST_F(EditorFixture, DeleteRemovesTheCurrentDrawAtOnce)
{
    ASSERT_EQ(editor.moveTo(1), "");
    editor.remove();
    EXPECT_EQ(editor.rowCount(), 3);
    EXPECT_EQ(editor.current(), 1);
    EXPECT_EQ(issueOf(1), "2020003") << "the next draw takes its place";
    ASSERT_EQ(stored().size(), 3u);
    EXPECT_EQ(stored()[1][0], "2020003");

    ASSERT_EQ(editor.moveTo(2), "");
    editor.remove();
    EXPECT_EQ(editor.current(), 1) << "at the end the draw before becomes current";

    // Deleting a new row only drops it.
    ASSERT_EQ(editor.append(), "");
    type(kNewDraw);
    editor.remove();
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_EQ(stored().size(), 2u);
}

TEST_F(EditorFixture, RefreshShowsRowsAddedMeanwhileAndKeepsTheCurrentDraw)
{
    ASSERT_EQ(editor.moveTo(1), "");
    test::insertDraws(program.databasePath(), kShippedLottery, {{2019001, 1, 2, 3, 4, 5, 1, 2}});
    ASSERT_EQ(editor.refresh(), "");
    EXPECT_EQ(editor.rowCount(), 5);
    EXPECT_EQ(issueOf(editor.current()), "2020002");
}

TEST_F(EditorFixture, EditingAnEmptyTableStartsTheFirstDraw)
{
    db.exec("delete from " + quoteIdentifier(drawTableName(kShippedLottery)));
    editor.open(kShippedLottery);
    EXPECT_EQ(editor.current(), -1);
    editor.edit();
    EXPECT_EQ(editor.state(), DrawEditor::State::Insert);
    EXPECT_EQ(editor.rowCount(), 1);
    type(kNewDraw);
    ASSERT_EQ(editor.post(), "");
    EXPECT_EQ(stored(), std::vector<Cells>{kNewDrawStored});
}

TEST_F(EditorFixture, BadStoredDrawIsShownAndCanBeCorrected)
{
    db.exec("update " + quoteIdentifier(drawTableName(kShippedLottery)) + " set [5] = 36 where 记录期号 = '2020001'");
    editor.open(kShippedLottery);
    ASSERT_EQ(editor.moveTo(0), "");
    EXPECT_EQ(editor.cell(0, 5), "36");
    // Passing over it is fine; correcting it must make it valid.
    editor.edit();
    EXPECT_EQ(editor.moveTo(1), "");
    ASSERT_EQ(editor.moveTo(0), "");
    editor.setCell(5, "35");
    ASSERT_EQ(editor.post(), "");
    EXPECT_EQ(stored()[0][5], "35");
}

TEST_F(EditorFixture, TableOfAnotherShapeIsNotOpened)
{
    db.exec(drawTableStatement("三码彩票", 3));
    EXPECT_THROW(editor.open("三码彩票"), DatabaseError);
    EXPECT_FALSE(editor.active());
    EXPECT_EQ(editor.rowCount(), 0);
    EXPECT_THROW(editor.open("没有的彩票"), DatabaseError);
}
