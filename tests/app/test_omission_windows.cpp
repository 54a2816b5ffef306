// 中奖回补分析选号 and 中奖偏态分析选号: the per-number tables, their sorts, the chart, the tool windows.
#include "gui_test_base.h"
#include "view_probe.h"

#include "analysis/omission_window.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <set>

using namespace view_probe;

namespace {

// 40 draws. Numbers 1..29 come round in turn, five a draw, so none is absent for long; 30 comes in
// draws 10, 34 and 39 (the newest), a return after 24 draws; 32 comes once, in draw 5; 31 and
// 33..35 never come.
std::vector<std::vector<int>> omissionHistory()
{
    std::vector<std::vector<int>> draws;
    for (int i = 0; i < 40; ++i) {
        std::vector<int> front;
        for (int k = 0; k < 5; ++k)
            front.push_back((i * 5 + k) % 29 + 1);
        if (i == 10 || i == 34 || i == 39)
            front[4] = 30;
        if (i == 5)
            front[4] = 32;
        std::sort(front.begin(), front.end());
        std::vector<int> draw{2019001 + i};
        draw.insert(draw.end(), front.begin(), front.end());
        draw.push_back(i % 12 + 1);
        draw.push_back((i + 5) % 12 + 1);
        draws.push_back(draw);
    }
    return draws;
}

} // namespace

class TestOmissionWindows : public GuiTestBase {
    Q_OBJECT
private slots:
    void init()
    {
        setUpProgram(omissionHistory());
        openShippedLottery();
    }
    void cleanup() { tearDownProgram(); }

    void returnWindowFindsTheReturningNumber();
    void sortsPutTheirLargestFirst_data();
    void sortsPutTheirLargestFirst();
    void backZoneTakesEffectAtTheNextAnalysis();
    void checkBoxesShowAndHideTheSeries();
    void toolWindowIsCreatedOnceAndGoesWithTheLottery();

private:
    OmissionWindow* openWindow(const char* menuItem);
    static QStringList row(const OmissionWindow& window, int row);
    static void press(OmissionWindow& window, const char* button);
};

OmissionWindow* TestOmissionWindows::openWindow(const char* menuItem)
{
    triggerAction(menuItem);
    const QString key = QString(menuItem) == "mnuyilou" ? "Tfrmyilou" : "Tfrmpiantai";
    return qobject_cast<OmissionWindow*>(mainWindow_->tools().window(key));
}

QStringList TestOmissionWindows::row(const OmissionWindow& window, int row)
{
    return rowTexts(*window.findChild<QTableView*>("tabhistory"), row);
}

void TestOmissionWindows::press(OmissionWindow& window, const char* button)
{
    QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
}

void TestOmissionWindows::returnWindowFindsTheReturningNumber()
{
    OmissionWindow* window = openWindow("mnuyilou");
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("中奖回补分析选号"));
    auto* grid = window->findChild<QTableView*>("tabhistory");
    QCOMPARE(grid->model()->rowCount(), 35);
    QCOMPARE(headerTexts(*grid), (QStringList{"待选号码", "理论周期", "理论中奖总次数", "实际总奖总次数",
                                              "历史最大遗漏", "前次遗漏", "目前冷态倍数", "追号价值"}));
    // Number order; 30 came back after 24 draws: 24 × 100 × 25 × 40 div (1225 × 3) = 653.
    QCOMPARE(row(*window, 29), (QStringList{"30", "7.0", "5.7", "3", "24", "24", "3.4", "653%"}));
    // 32 came once, 34 draws ago: that absence is its longest, but no return.
    QCOMPARE(row(*window, 31).mid(3), (QStringList{"1", "34", "0", "0", "0%"}));
    QCOMPARE(row(*window, 34).mid(3), (QStringList{"0", "0", "0", "0", "0%"}));

    // Every column shares the grid's width alike, and the user may widen one.
    for (int column = 0; column < 8; ++column)
        QCOMPARE(grid->columnWidth(column), (grid->width() - 30) / 8);
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(3), QHeaderView::Interactive);
}

void TestOmissionWindows::sortsPutTheirLargestFirst_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("first");
    // 回补: only 30 has an omission. 偏态: 32 has been absent 34 draws (34 × 100000 div 1225 = 2775).
    // The fewest occurrences: 31 is the first number that never came.
    QTest::newRow("回补 追号价值") << "mnuyilou"
                                   << "Button1" << QStringList{"30", "653%"};
    QTest::newRow("回补 前次遗漏") << "mnuyilou"
                                   << "Button2" << QStringList{"30", "653%"};
    QTest::newRow("回补 总次数") << "mnuyilou"
                                 << "Button3" << QStringList{"31", "0%"};
    QTest::newRow("偏态 追号价值") << "mnupiantai"
                                   << "Button1" << QStringList{"32", "2775%"};
    QTest::newRow("偏态 目前遗漏") << "mnupiantai"
                                   << "Button2" << QStringList{"32", "2775%"};
    QTest::newRow("偏态 总次数") << "mnupiantai"
                                 << "Button3" << QStringList{"31", "0%"};
}

void TestOmissionWindows::sortsPutTheirLargestFirst()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, button);
    QFETCH(QStringList, first);
    OmissionWindow* window = openWindow(qPrintable(menuItem));
    press(*window, qPrintable(button));
    const QStringList top = row(*window, 0);
    QCOMPARE((QStringList{top[0], top[7]}), first);

    // The chart follows the rows in their new order, one bar per number under its number.
    auto* chart = window->findChild<BarChart*>("chthistory");
    QCOMPARE(shownLabels(*chart).first(), first[0]);
    QCOMPARE(shownLabels(*chart).size(), 35);
    QCOMPARE(shownValues(*chart, 0).first(), first[1].chopped(1).toDouble());
    QCOMPARE(shownValues(*chart, 2).first(), top[3].toDouble());
    QCOMPARE(shownValues(*chart, 3).first(), top[4].toDouble());

    // 分析 goes back to number order.
    press(*window, "btnala");
    QCOMPARE(row(*window, 0).first(), QString("01"));
}

void TestOmissionWindows::backZoneTakesEffectAtTheNextAnalysis()
{
    OmissionWindow* window = openWindow("mnupiantai");
    QRadioButton* back = nullptr;
    for (QRadioButton* option : window->findChild<QGroupBox*>("optqianhou")->findChildren<QRadioButton*>())
        if (option->text() == "后区")
            back = option;
    QVERIFY(back);
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(back->isChecked());
    QCOMPARE(window->table().rows.size(), std::size_t(35));

    press(*window, "btnala");
    QCOMPARE(window->table().rows.size(), std::size_t(12));
    // Back numbers i mod 12 + 1 and (i + 5) mod 12 + 1: 12 came in draws 6, 11, 18, 23, 30 and 35,
    // four draws before the newest; 40 × 2 / 12 = 6.7 expected occurrences, 4 × 2 / 12 = 0.7
    // periods, chase value 4 × 100 × 4 × 40 div (144 × 6) = 74.
    QCOMPARE(row(*window, 11), (QStringList{"12", "6.0", "6.7", "6", "7", "4", "0.7", "74%"}));
    QCOMPARE(shownLabels(*window->findChild<BarChart*>("chthistory")).size(), 12);
}

void TestOmissionWindows::checkBoxesShowAndHideTheSeries()
{
    OmissionWindow* yilou = openWindow("mnuyilou");
    auto* chart = yilou->findChild<BarChart*>("chthistory");
    QCOMPARE(chart->title(), QString("总体中奖分析图表"));
    QCOMPARE(shownTitles(*chart), (QStringList{"追号价值", "前次遗漏", "中奖次数", "历史最大遗漏"}));
    QCOMPARE(shownColour(*chart, 1), QColor("green"));
    QCOMPARE(yilou->findChild<QCheckBox*>("chk1")->text(), QString("前次遗漏"));
    QCOMPARE(yilou->findChild<QPushButton*>("Button2")->text(), QString("前次遗漏排序"));

    yilou->findChild<QCheckBox*>("chk1")->setChecked(false);
    yilou->findChild<QCheckBox*>("chk3")->setChecked(false);
    QCOMPARE(shownTitles(*chart), (QStringList{"追号价值", "中奖次数"}));
    QCOMPARE(shownColour(*chart, 1), QColor("yellow"));
    QVERIFY(!valuesShown(*chart));
    yilou->findChild<QCheckBox*>("chkhistorybiao")->setChecked(true);
    QVERIFY(valuesShown(*chart));
    // A sort keeps what the boxes say.
    press(*yilou, "Button1");
    QCOMPARE(shownTitles(*chart), (QStringList{"追号价值", "中奖次数"}));

    OmissionWindow* piantai = openWindow("mnupiantai");
    QCOMPARE(shownTitles(*piantai->findChild<BarChart*>("chthistory")).at(1), QString("目前遗漏"));
    QCOMPARE(piantai->findChild<QCheckBox*>("chk1")->text(), QString("目前遗漏"));
    QCOMPARE(piantai->findChild<QPushButton*>("Button2")->text(), QString("目前遗漏排序"));
    QCOMPARE(piantai->windowTitle(), QString("中奖偏态分析选号"));
}

void TestOmissionWindows::toolWindowIsCreatedOnceAndGoesWithTheLottery()
{
    QPointer<OmissionWindow> window = openWindow("mnuyilou");
    QVERIFY(window->isVisible());
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    press(*window, "Button1");

    // 关闭 hides it with its content; the menu item brings the same window back.
    press(*window, "Button4");
    QVERIFY(!window->isVisible());
    QCOMPARE(openWindow("mnuyilou"), window.data());
    QVERIFY(window->isVisible());
    QCOMPARE(row(*window, 0).first(), QString("30"));

    triggerAction("mnuclose");
    QVERIFY(window.isNull());
    openShippedLottery();
    OmissionWindow* fresh = openWindow("mnuyilou");
    QVERIFY(fresh);
    QCOMPARE(row(*fresh, 0).first(), QString("01"));
}

QTEST_MAIN(TestOmissionWindows)
#include "test_omission_windows.moc"
