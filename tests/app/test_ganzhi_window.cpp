// 最优开奖干支选号: the date, stem and branch of the chosen target, 生成号码 in both modes, the
// back-test over every draw, and the draw whose date is not a date.
#include "selection_window_test.h"

#include "select/backtest_bar_chart.h"
#include "select/u_ganzhi.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/schema.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestGanzhiWindow : public SelectionWindowTest {
    Q_OBJECT

private:
    // Draws on the given dates, then the lottery opened and the window shown.
    void openWith(const std::vector<std::pair<std::vector<int>, std::string>>& draws)
    {
        setUpProgram({});
        for (const auto& [draw, date] : draws)
            quorlin::test::insertDraws(program_->databasePath(), quorlin::kShippedLottery, {draw}, date);
        openWindow("mnuganzhi", "Tfrmganzhi");
    }

private slots:
    void targetsDatesAndRecommendations()
    {
        openWith({{{2001001, 3, 8, 13, 1, 2, 1, 2}, "2001-05-01"},
                  {{2001002, 4, 9, 14, 24, 34, 3, 4}, "2001-05-11"},
                  {{2026118, 2, 3, 5, 7, 11, 5, 6}, "2026-10-07"}});
        QCOMPARE(window_->windowTitle(), QStringLiteral("最优开奖干支选号"));
        QVERIFY(!child<QLineEdit>("edtdate")->isEnabled());
        // The coming draw after Wednesday 2026-10-07 is on Saturday 2026-10-10, a 丁巳 day.
        QCOMPARE(child<QComboBox>("comcurqi")->currentText(), QStringLiteral("2026119"));
        QCOMPARE(text("edtdate"), QStringLiteral("2026-10-10"));
        QCOMPARE(text("edttiangan"), QStringLiteral("丁"));
        QCOMPARE(text("edtdizhi"), QStringLiteral("巳"));

        child<QComboBox>("comcurqi")->setCurrentIndex(2);
        QCOMPARE(text("edtdate"), QStringLiteral("2026-10-7"));
        QCOMPARE(text("edttiangan") + text("edtdizhi"), QStringLiteral("甲寅"));
        click("btngen");
        QCOMPARE(text("edtcurcode"),
                 QStringLiteral("2026118期推荐投注号码：2 3 5 7 8 10 12 13 15 17 18 20 22 23 25 27 28 "
                                "30 32 33 35 "));
        click("optadd1");
        click("btngen");
        QCOMPARE(text("edtcurcode"), QStringLiteral("2026118期推荐投注号码：3 5 8 10 13 15 18 20 23 25 28 30 33 35 "));
        // Played as a compound: C(14, 5) front combinations, no bets before the back numbers are added.
        QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共2,002个前区组合，配后区后每注2元"));
        click("optqianhou1");
        click("btngen");
        QCOMPARE(text("edtcurcode"), QStringLiteral("2026118期推荐投注号码：3 5 8 10 "));
        QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共6个后区组合，配前区后每注2元")); // C(4, 2)

        child<QComboBox>("comcurqi")->setCurrentIndex(0);
        QCOMPARE(text("edttiangan") + text("edtdizhi"), QStringLiteral("甲子"));

        // Every draw is bet on, the first too, with plain numbers.
        QCOMPARE(child<QTableView>("tabhistory")->model()->rowCount(), 3);
        QCOMPARE(cell(0, 1), QStringLiteral("3 8 13 1 2 "));
        QCOMPARE(cell(0, 2), QStringLiteral("2 4 5 7 9 10 12 14 15 17 19 20 22 24 25 27 29 30 32 34 35 "));
        QCOMPARE(cell(0, 3), QStringLiteral("1"));
        QCOMPARE(cell(2, 3), QStringLiteral("4"));
        QCOMPARE(child<QPlainTextEdit>("mem")->toPlainText(),
                 QStringLiteral("最大中奖号码数为5个，最小中奖号码数为1个"));
        QCOMPARE(child<BacktestBarChart>("chthistory")->bars().size(), 3u);

        // The back-test follows the zone and mode: 附加 back zone on 甲子: digits 0 2 5 7.
        backtest();
        QCOMPARE(cell(0, 1), QStringLiteral("1 2 "));
        QCOMPARE(cell(0, 2), QStringLiteral("2 5 7 10 12 "));
        QCOMPARE(child<BacktestBarChart>("chtcishu")->bars().size(), 3u);
        QVERIFY(messageTexts().isEmpty());

        click("btnclose");
        QVERIFY(!window_->isVisible());
        // The toolbar's 干支选号 brings the same window back.
        triggerAction("tlbpiantai");
        QCOMPARE(mainWindow_->tools().window("Tfrmganzhi"), window_);
        QVERIFY(window_->isVisible());
    }

    void aDrawWithoutADate()
    {
        openWith({{{2020001, 1, 2, 3, 4, 5, 1, 2}, "2020-01-01"}, {{2020002, 6, 7, 8, 9, 10, 3, 4}, "元旦"}});
        // The back-test on opening stops at the date that cannot be read.
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("“元旦”不是有效的日期")});
        QCOMPARE(text("edtdate"), QString());
        click("btngen");
        QCOMPARE(messageTexts().last(), QStringLiteral("请输入正确的开奖日期！"));
        QVERIFY(text("edtcurcode").isEmpty());
        child<QComboBox>("comcurqi")->setCurrentIndex(0);
        QCOMPARE(text("edtdate"), QStringLiteral("2020-1-1"));
        click("btngen");
        QCOMPARE(text("edtcurcode"), QStringLiteral("2020001期推荐投注号码：1 3 6 8 11 13 16 18 21 23 26 28 31 33 "));
    }

    void everySelectionWindowOpensOnAnEmptyHistory()
    {
        // No draw: every back-test is empty and every recommendation is refused with a message.
        setUpProgram({});
        const std::pair<const char*, const char*> windows[] = {
            {"mnuganzhi", "Tfrmganzhi"}, {"mnuqingmi", "Tfrmqingmi"}, {"mnusep", "Tfrmsep"}, {"mnusibu", "Tfrmsibu"}};
        for (const auto& [command, key] : windows) {
            if (window_)
                triggerAction(command);
            else
                openWindow(command, key);
            window_ = qobject_cast<SelectionWindow*>(mainWindow_->tools().window(key));
            QTRY_VERIFY(!window_->isBusy());
            QCOMPARE(rows(), 0);
            QVERIFY(child<QPlainTextEdit>("mem")->toPlainText().contains(QStringLiteral("1000")));
            const qsizetype messages = messageTexts().size();
            click("btngen");
            QCOMPARE(messageTexts().size(), messages + 1);
        }
    }
};

QTEST_MAIN(TestGanzhiWindow)
#include "test_ganzhi_window.moc"
