// 最优亲密数字选号: opens on the back-test of the whole history, 生成号码 in both modes and zones,
// the list changes of the zone and mode choices, the refused first draw.
#include "selection_window_test.h"

#include "select/backtest_bar_chart.h"
#include "select/backtest_frame.h"
#include "select/u_qingmi.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

class TestQingmiWindow : public SelectionWindowTest {
    Q_OBJECT

private:
private slots:
    void init()
    {
        // 2020001 01-05, 2020002 06-10, 2020003 03 09 17 25 33, 2020004 11-15, 2020005 20-24.
        setUpProgram();
        openWindow("mnuqingmi", "Tfrmqingmi");
    }

    void opensOnTheBacktestOfTheWholeHistory()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("最优亲密数字选号"));
        QCOMPARE(child<QComboBox>("comselnum")->currentText(), QStringLiteral("17"));
        QCOMPARE(child<QComboBox>("comselnum")->count(), 35);
        QCOMPARE(child<QComboBox>("comcurqi")->currentText(), QStringLiteral("2020006"));
        // 阶段次数: 全部期数 and 1..5; it opens on the last, as 7 is beyond a 5-draw history.
        QCOMPARE(child<QComboBox>("comjieduanqi")->itemText(0), QStringLiteral("全部期数"));
        QCOMPARE(child<QComboBox>("comjieduanqi")->currentIndex(), 5);
        QCOMPARE(child<QLabel>("Label5")->text(), QStringLiteral("总体号码数："));

        auto* table = child<QTableView>("tabhistory");
        QAbstractItemModelTester tester(table->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(table->model()->rowCount(), 5);
        QCOMPARE(table->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("投注号码"));
        QCOMPARE(cell(0, 1), QStringLiteral("01 02 03 04 05 "));
        QCOMPARE(cell(0, 2), QString());
        QCOMPARE(cell(0, 3), QString());
        QCOMPARE(table->columnWidth(0), 55);
        QCOMPARE(table->columnWidth(3), 50);
        auto* frequency = child<BacktestBarChart>("chtcishu");
        QCOMPARE(frequency->title(), QStringLiteral("历史中奖次数图表"));
        QCOMPARE(frequency->bars().size(), 6u);
        int counted = 0;
        for (const quorlin::ChartBar& bar : frequency->bars())
            counted += bar.value;
        QCOMPARE(counted, 4);
        // Bars from draw L + 1 = 6: none in a 5-draw history.
        QCOMPARE(child<BacktestBarChart>("chthistory")->title(), QStringLiteral("最优亲密数字选号历史中奖图表"));
        QVERIFY(child<BacktestBarChart>("chthistory")->bars().empty());
        QVERIFY(child<QPlainTextEdit>("mem")->toPlainText().startsWith(QStringLiteral("最大中奖号码数为")));
    }

    void generateInBothModes()
    {
        // Target 2020004 (index 3), reference 03 09 17 25 33: 3 came out in draw 0, followed by
        // 06-10; 9 in draw 1, followed by the reference draw; the others never.
        child<QComboBox>("comcurqi")->setCurrentIndex(3);
        click("btngen");
        QVERIFY(child<QLineEdit>("edtcurcode")->text().startsWith(QStringLiteral("2020004期前区推荐投注号码：")));
        const QString overall = child<QTableWidget>("tabcode")->item(0, 0)->text();
        QVERIFY2(overall.startsWith(QStringLiteral("各亲密数字总次数9:2次 ")), qPrintable(overall));

        click("optsel0");
        QCOMPARE(child<QComboBox>("comselnum")->currentText(), QStringLiteral("1"));
        QCOMPARE(child<QLabel>("Label5")->text(), QStringLiteral("各位号码数："));
        click("btngen");
        QCOMPARE(child<QLineEdit>("edtcurcode")->text(), QStringLiteral("2020004期前区推荐投注号码：1 3 6 "));
        // Three front numbers make no bet: no cost is shown.
        QVERIFY(child<QLabel>("lblcost")->text().isEmpty());
        auto* tabcode = child<QTableWidget>("tabcode");
        QCOMPARE(tabcode->rowCount(), 36);
        QCOMPARE(tabcode->columnCount(), 6);
        QCOMPARE(tabcode->item(0, 0)->text(), QStringLiteral("参照号码"));
        QCOMPARE(tabcode->item(0, 2)->text(), QStringLiteral("9"));
        QCOMPARE(tabcode->item(1, 0)->text(), QStringLiteral("排名1"));
        QCOMPARE(tabcode->item(1, 1)->text(), QStringLiteral("6:1次"));
        QCOMPARE(tabcode->item(1, 2)->text(), QStringLiteral("3:1次"));
        QCOMPARE(tabcode->item(1, 3)->text(), QStringLiteral("1:0次"));

        // The back-test follows the new settings.
        click("btntongji");
        // The result comes back through the event loop, so the window is still busy here.
        QVERIFY(window_->isBusy());
        QVERIFY(!child<QPushButton>("btngen")->isEnabled());
        QTRY_VERIFY(!window_->isBusy());
        QVERIFY(child<QPushButton>("btngen")->isEnabled());
        QCOMPARE(cell(3, 2), QStringLiteral("1 3 6 "));
        QCOMPARE(cell(3, 3), QStringLiteral("0"));
    }

    void zoneSwitchesRefillTheLists()
    {
        click("optqianhou1");
        QVERIFY(!child<QWidget>("optsel")->isEnabled());
        QVERIFY(child<QRadioButton>("optsel0")->isChecked());
        QCOMPARE(child<QComboBox>("comselnum")->count(), 12);
        QCOMPARE(child<QComboBox>("comselnum")->currentText(), QStringLiteral("2"));
        click("btngen");
        // Back numbers 07 12 never came out before: nothing counted, the first two numbers.
        QCOMPARE(child<QLineEdit>("edtcurcode")->text(), QStringLiteral("2020006期后区推荐投注号码：1 2 "));
        backtest();
        QCOMPARE(cell(0, 1), QStringLiteral("01 02 "));
        QCOMPARE(child<BacktestBarChart>("chtcishu")->bars().size(), 3u);

        click("optqianhou0");
        QVERIFY(child<QWidget>("optsel")->isEnabled());
        QVERIFY(child<QRadioButton>("optsel1")->isChecked());
        QCOMPARE(child<QComboBox>("comselnum")->count(), 20);
        QCOMPARE(child<QComboBox>("comselnum")->currentText(), QStringLiteral("18"));
    }

    void theFirstDrawHasNoReference()
    {
        child<QComboBox>("comcurqi")->setCurrentIndex(0);
        click("btngen");
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("第一期之前没有开奖号码可以统计，请选择以后的投注期！")});
        QVERIFY(child<QLineEdit>("edtcurcode")->text().isEmpty());
    }
};

QTEST_MAIN(TestQingmiWindow)
#include "test_qingmi_window.moc"
