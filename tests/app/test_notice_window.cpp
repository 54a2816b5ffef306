// 开奖公告: the published results of a draw, opened from the menu and the trend grid; the status
// line's 一等奖 and pool.
#include "gui_test_base.h"

#include "check/u_gonggao.h"
#include "common/text_grid.h"
#include "common/view_table.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/database.h"
#include "store/prize_store.h"
#include "store/schema.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

class TestNoticeWindow : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { tearDownProgram(); }

    void menuShowsTheNewestDrawWithItsLevelsAndTheBonusLinesMarked();
    void previousAndNextWalkTheHistory();
    void trendGridOpensTheDrawOfARow();
    void statusLineNamesTheNewestFirstPrizeAndThePool();

private:
    Tfrmgonggao* notice() const { return qobject_cast<Tfrmgonggao*>(mainWindow_->tools().window("Tfrmgonggao")); }
    QString label(const char* name) const { return requireChild<QLabel>(notice(), name)->text(); }
    QStringList levelRow(int row) const;
    /// Opens the trend grid's context menu on grid row `row` and triggers 开奖公告 when it is usable;
    /// whether it was.
    bool noticeFromContextMenu(int row);
};

void TestNoticeWindow::init()
{
    setUpProgram();
    // The newest fixture draw with 派奖 lines, one amount not published and no known sales;
    // 2020003 with a line only; the others without results.
    quorlin::Database db;
    db.open(program_->databasePath());
    quorlin::Transaction transaction(db);
    quorlin::createPrizeTables(db, quorlin::kShippedLottery);
    quorlin::mergeDrawResults(db, quorlin::kShippedLottery,
                              {"2020005",
                               "2020-01-01",
                               {{"一等奖", 3, 1000000000},
                                {"一等奖基本派奖", 3, 277777700},
                                {"二等奖", 52, 12345650},
                                {"三等奖派奖", 107, std::nullopt},
                                {"三等奖", 0, 0}},
                               std::nullopt,
                               76832809076});
    quorlin::mergeDrawResults(db, quorlin::kShippedLottery,
                              {"2020003", "2020-01-01", {{"一等奖", 0, 0}}, 30609847900, 76840655852});
    transaction.commit();
    db.close();
    openShippedLottery();
}

QStringList TestNoticeWindow::levelRow(int row) const
{
    const QAbstractItemModel* model = requireChild<TextGrid>(notice(), "tabjiangji")->model();
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column)
        cells << model->index(row, column).data().toString();
    return cells;
}

bool TestNoticeWindow::noticeFromContextMenu(int row)
{
    auto* grid = requireChild<QTableView>(mainWindow_.get(), "grdcode");
    bool usable = false;
    // The menu runs its own loop: act in it once it is up.
    QTimer::singleShot(0, [&usable] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction* item = nullptr;
        for (QAction* action : menu->actions())
            if (action->objectName() == "actgonggao")
                item = action;
        QVERIFY(item);
        usable = item->isEnabled();
        if (usable)
            item->trigger();
        menu->close();
    });
    const int y = row < grid->model()->rowCount() ? grid->rowViewportPosition(row) + 2 : grid->viewport()->height() - 2;
    const QPoint pos(grid->columnViewportPosition(1) + 5, y);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, grid->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(grid->viewport(), &event);
    return usable;
}

void TestNoticeWindow::menuShowsTheNewestDrawWithItsLevelsAndTheBonusLinesMarked()
{
    triggerAction("mnugonggao");
    Tfrmgonggao* window = notice();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->issue(), 2020005);
    QCOMPARE(label("lblqihao"), QString("第 2020005 期"));
    QCOMPARE(label("lblriqi"), QString("开奖日期：2020-01-01"));
    QCOMPARE(label("lblhaoma"), QString("20 21 22 23 24 + 07 12"));

    auto* grid = requireChild<TextGrid>(window, "tabjiangji");
    const QAbstractItemModel* model = grid->model();
    QCOMPARE(model->rowCount(), 5);
    QStringList headers;
    for (int column = 0; column < model->columnCount(); ++column)
        headers << model->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"奖级", "中奖注数", "单注奖金(元)", "备注"}));
    const QString bonus = QStringLiteral("派奖，不计入中奖金额");
    const QList<QStringList> rows{{"一等奖", "3", "10,000,000", ""},
                                  {"一等奖基本派奖", "3", "2,777,777", bonus},
                                  {"二等奖", "52", "123,456.50", ""},
                                  {"三等奖派奖", "107", "未公布", bonus},
                                  {"三等奖", "0", "0", ""}};
    for (int row = 0; row < rows.size(); ++row) {
        QCOMPARE(levelRow(row), rows[row]);
        // The 派奖 lines are muted, the others in the grid's own colour.
        const QVariant colour = model->index(row, 0).data(Qt::ForegroundRole);
        QCOMPARE(colour.isValid(), !rows[row][3].isEmpty());
    }
    QCOMPARE(label("lblxiaoshou"), QString("销售额：未公布"));
    QCOMPARE(label("lbljiangchi"), QString("奖池：768,328,090.76元"));
    QVERIFY(!requireChild<QLabel>(window, "lbltishi")->isVisible());
    // Its table leaves the program as the other tables do, with the amounts as published.
    QVERIFY(grid->findChild<QObject*>("tableExportMenu"));
    const quorlin::ExportTable exported = ViewTable::read(*grid, false, QString());
    QCOMPARE(exported.rows.at(0), (std::vector<std::string>{"一等奖", "3", "10000000", ""}));
    QCOMPARE(exported.rows.at(2), (std::vector<std::string>{"二等奖", "52", "123456.5", ""}));

    // The menu brings the newest draw back, whatever the window shows.
    QVERIFY(window->showIssue(2020002));
    QVERIFY(!window->showIssue(2019001));
    QCOMPARE(window->issue(), 2020002);
    triggerAction("mnugonggao");
    QCOMPARE(window->issue(), 2020005);
}

void TestNoticeWindow::previousAndNextWalkTheHistory()
{
    triggerAction("mnugonggao");
    Tfrmgonggao* window = notice();
    auto* previous = requireChild<QPushButton>(window, "btnshangyiqi");
    auto* next = requireChild<QPushButton>(window, "btnxiayiqi");
    QVERIFY(previous->isEnabled());
    QVERIFY(!next->isEnabled());

    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(window->issue(), 2020004);
    QCOMPARE(label("lblhaoma"), QString("11 12 13 14 15 + 05 06"));
    QCOMPARE(requireChild<TextGrid>(window, "tabjiangji")->model()->rowCount(), 0);
    QVERIFY(requireChild<QLabel>(window, "lbltishi")->isVisible());
    QCOMPARE(label("lbltishi"), QString("本期开奖结果未存储：下载开奖号码时一并取得"));
    QCOMPARE(label("lblxiaoshou"), QString("销售额：未公布"));
    QCOMPARE(label("lbljiangchi"), QString("奖池：未公布"));

    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(window->issue(), 2020003);
    QCOMPARE(levelRow(0), (QStringList{"一等奖", "0", "0", ""}));
    QCOMPARE(label("lblxiaoshou"), QString("销售额：306,098,479元"));
    QVERIFY(!requireChild<QLabel>(window, "lbltishi")->isVisible());

    QTest::mouseClick(previous, Qt::LeftButton);
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(window->issue(), 2020001);
    QVERIFY(!previous->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(window->issue(), 2020002);
    QVERIFY(previous->isEnabled() && next->isEnabled());
}

void TestNoticeWindow::trendGridOpensTheDrawOfARow()
{
    auto* grid = requireChild<QTableView>(mainWindow_.get(), "grdcode");
    // Newest first: grid row 1 is 2020004.
    const QRect cell = grid->visualRect(grid->model()->index(1, 1));
    // A double-click as the window system delivers it: a click, then the double-click event.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QVERIFY(notice() && notice()->isVisible());
    QCOMPARE(notice()->issue(), 2020004);

    QVERIFY(noticeFromContextMenu(2));
    QCOMPARE(notice()->issue(), 2020003);
    QCOMPARE(label("lblhaoma"), QString("03 09 17 25 33 + 04 11"));
    // Below the draws there is no draw to show.
    QVERIFY(grid->rowViewportPosition(4) + 2 * grid->rowHeight(4) < grid->viewport()->height());
    QVERIFY(!noticeFromContextMenu(5));
    QCOMPARE(notice()->issue(), 2020003);
}

void TestNoticeWindow::statusLineNamesTheNewestFirstPrizeAndThePool()
{
    auto* field = requireChild<QLabel>(mainWindow_.get(), "lblgonggao");
    QVERIFY(field->isVisible());
    QCOMPARE(field->text(), QString("第2020005期：一等奖 3注，每注 1,000.00万元；奖池 7.68亿元"));
    // The line is cut short rather than widen the main window.
    QCOMPARE(mainWindow_->width(), 1200);
    triggerAction("mnuclose");
    QVERIFY(!field->isVisible());
    QVERIFY(field->text().isEmpty());
}

QTEST_MAIN(TestNoticeWindow)
#include "test_notice_window.moc"
