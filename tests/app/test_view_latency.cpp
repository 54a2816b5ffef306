// How long the interface thread stalls when a player redraws the analysis views over the whole
// shipped history. The figures are printed for comparison, never asserted: the tests check only
// that each action finished and shows its result.
#include "event_loop_latency.h"
#include "gui_test_base.h"
#include "shipped_draws.h"
#include "view_probe.h"

#include "common/bar_chart.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

class TestViewLatency : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { tearDownProgram(); }

    void sumTabChartsEveryDraw();
    void mappingSwitchesRedrawTheTrendGrid();
    void mappingSwitchRecountsTheSumTab();

private:
    static void report(const char* action, const EventLoopLatency& latency);
};

void TestViewLatency::init()
{
    setUpProgram(shippedDraws());
    mainWindow_->resize(1600, 1000);
    openShippedLottery();
    QVERIFY(document_->state().recnum > 2000);
    QTest::qWait(300); // past the first paint of the trend grid
}

void TestViewLatency::report(const char* action, const EventLoopLatency& latency)
{
    qInfo("%s: longest stall %lld ms, settled after %lld ms", action, latency.longestStallMs, latency.totalMs);
    QVERIFY(latency.settled);
}

void TestViewLatency::sumTabChartsEveryDraw()
{
    triggerAction("mnuhei");
    QWidget* view = mainWindow_->currentView();
    QVERIFY(view);
    auto* chart = view->findChild<BarChart*>("chthistory");
    QCOMPARE(chart->labelFit(chart->width()), BarChart::LabelFit::Flat); // the newest three
    view->findChild<QComboBox*>("comzuijingqishu")->setCurrentIndex(0);
    const int draws = document_->state().recnum;

    report("和值 全部期 重新统计", measureEventLoopLatency([&] {
               QTest::mouseClick(view->findChild<QPushButton*>("btntongji"), Qt::LeftButton);
           }));
    QCOMPARE(chart->bars(0).size(), draws);
    // Thousands of labels would only smear into a band under the bars.
    QCOMPARE(chart->labelFit(chart->width()), BarChart::LabelFit::Hidden);
    report("和值 全部期 显示标注",
           measureEventLoopLatency([&] { view->findChild<QCheckBox*>("chkhistorybiao")->setChecked(true); }));
    QVERIFY(chart->valueLabelsVisible());
}

void TestViewLatency::mappingSwitchesRedrawTheTrendGrid()
{
    QVERIFY(trendModel());
    // The grid shows a switch once its model has taken the rebuilt rows.
    auto shows = [this](bool transformed) {
        return [this, transformed] { return trendModel()->transformed() == transformed; };
    };
    for (const bool transformed : {true, false, true}) {
        QTest::qWait(300); // past the refresh interval of the previous switch
        report(transformed ? "走势 变幻走势" : "走势 标准走势",
               measureEventLoopLatency([&] { triggerAction(transformed ? "tlbbianwan" : "tlbbiaozhun"); },
                                       shows(transformed)));
    }
}

void TestViewLatency::mappingSwitchRecountsTheSumTab()
{
    report("打开和值", measureEventLoopLatency([this] { triggerAction("mnuhei"); }));
    QWidget* view = mainWindow_->currentView();
    view->findChild<QComboBox*>("comzuijingqishu")->setCurrentIndex(0);
    QTest::mouseClick(view->findChild<QPushButton*>("btntongji"), Qt::LeftButton);
    QTest::qWait(300);
    report("和值 全部期 变幻走势", measureEventLoopLatency([this] { triggerAction("tlbbianwan"); }));
    QTest::qWait(300);
    report("和值 全部期 标准走势", measureEventLoopLatency([this] { triggerAction("tlbbiaozhun"); }));
    report("和值 全部期 缩小窗口", measureEventLoopLatency([this] { mainWindow_->resize(1280, 800); }));
    report("回到走势", measureEventLoopLatency([this] { triggerAction("mnucode"); }));
}

QTEST_MAIN(TestViewLatency)
#include "test_view_latency.moc"
