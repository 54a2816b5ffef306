// 最优间隔回补选号: the back-test frame with its own column widths and summary, 生成号码 with the
// taken order, the zone switch, 显示标注 waiting for the next back-test.
#include "selection_window_test.h"

#include "select/backtest_bar_chart.h"
#include "select/u_sep.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestSepWindow : public SelectionWindowTest {
    Q_OBJECT

private:
private slots:
    void init()
    {
        // 2020001 01-05, 2020002 06-10, 2020003 03 09 17 25 33, 2020004 11-15, 2020005 20-24.
        setUpProgram();
        openWindow("mnusep", "Tfrmsep");
    }

    void opensOnTheBacktest()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("最优间隔回补选号"));
        QCOMPARE(child<QComboBox>("comqishu")->currentText(), QStringLiteral("5"));
        QCOMPARE(child<QComboBox>("comcodenum")->currentText(), QStringLiteral("10"));
        auto* table = child<QTableView>("tabhistory");
        QCOMPARE(table->model()->rowCount(), 5);
        QCOMPARE(table->columnWidth(0), 60);
        QCOMPARE(table->columnWidth(3), table->width() - 320);
        QCOMPARE(cell(0, 2), QString());
        QCOMPARE(cell(0, 3), QStringLiteral("0"));
        // Target 1: draw 0's numbers end interval 1, so interval 2 (omission 2) is taken first.
        QCOMPARE(cell(1, 2), QStringLiteral("06 07 08 09 10 11 12 13 14 15 "));
        QCOMPARE(cell(1, 3), QStringLiteral("5"));
        QVERIFY(child<QPlainTextEdit>("mem")->toPlainText().endsWith(QStringLiteral("最小中奖号码数为0个")));
        QCOMPARE(child<BacktestBarChart>("chthistory")->bars().size(), 5u);
        QCOMPARE(child<BacktestBarChart>("chthistory")->title(), QStringLiteral("最优间隔回补选号历史中奖图表"));
    }

    void generateKeepsTheTakenOrder()
    {
        child<QComboBox>("comqishu")->setCurrentText(QStringLiteral("1"));
        child<QComboBox>("comcodenum")->setCurrentText(QStringLiteral("3"));
        click("btngen");
        QCOMPARE(child<QLineEdit>("edtcurcode")->text(), QStringLiteral("2020006期前区推荐投注号码：20 21 22 "));

        click("optqianhou1");
        QCOMPARE(child<QComboBox>("comcodenum")->count(), 12);
        QCOMPARE(child<QComboBox>("comcodenum")->currentText(), QStringLiteral("2"));
        click("btngen");
        QCOMPARE(child<QLineEdit>("edtcurcode")->text(), QStringLiteral("2020006期后区推荐投注号码：07 12 "));
        click("optqianhou0");
        QCOMPARE(child<QComboBox>("comcodenum")->count(), 35);
        QCOMPARE(child<QComboBox>("comcodenum")->currentText(), QStringLiteral("10"));

        child<QComboBox>("comcurqi")->setCurrentIndex(0);
        click("btngen");
        QCOMPARE(messageTexts().size(), 1);
    }

    void marksWaitForTheNextBacktest()
    {
        auto* chart = child<BacktestBarChart>("chthistory");
        QVERIFY(!chart->marksShown());
        child<QCheckBox>("chkhistorybiao")->setChecked(true);
        QVERIFY(!chart->marksShown());
        backtest();
        QVERIFY(chart->marksShown());
    }
};

QTEST_MAIN(TestSepWindow)
#include "test_sep_window.moc"
