// The zone tab 区间分析: zone counts per draw, one chart series per zone, Z taken at the count.
#include "gui_test_base.h"
#include "view_probe.h"

#include "analysis/u_qujian.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace view_probe;

class TestZoneView : public GuiTestBase {
    Q_OBJECT
private slots:
    void init() { setUpProgram(); }
    void cleanup() { tearDownProgram(); }

    void opensWithFiveZonesAndTheFirstSeriesShown();
    void zoneCountTakesEffectAtTheCount();
    void everyZoneSeriesHasItsColourAndCheckBox();
    void followsTheMappingButCountsTheRealNumbers();

private:
    Tfrmqujian* openZoneTab();
    static QStringList headers(const Tfrmqujian& view);
    static QStringList row(const Tfrmqujian& view, int row);
    static void check(Tfrmqujian& view, const char* name, bool on);
    static void count(Tfrmqujian& view);
};

Tfrmqujian* TestZoneView::openZoneTab()
{
    if (!document_->state().caiopen)
        openShippedLottery();
    triggerAction("mnuqujian");
    return qobject_cast<Tfrmqujian*>(mainWindow_->currentView());
}

QStringList TestZoneView::headers(const Tfrmqujian& view)
{
    return headerTexts(*view.findChild<QTableView*>("tabhistory"));
}

QStringList TestZoneView::row(const Tfrmqujian& view, int row)
{
    return rowTexts(*view.findChild<QTableView*>("tabhistory"), row);
}

void TestZoneView::check(Tfrmqujian& view, const char* name, bool on)
{
    view.findChild<QCheckBox*>(name)->setChecked(on);
}

void TestZoneView::count(Tfrmqujian& view)
{
    QTest::mouseClick(view.findChild<QPushButton*>("btntongji"), Qt::LeftButton);
}

void TestZoneView::opensWithFiveZonesAndTheFirstSeriesShown()
{
    Tfrmqujian* view = openZoneTab();
    QVERIFY(view);
    QCOMPARE(view->windowTitle(), QString("区间分析"));
    QCOMPARE(view->findChild<QPushButton*>("btntongji")->text(), QString("开始统计"));
    QCOMPARE(view->findChild<QComboBox*>("comqujian")->currentText(), QString("5"));
    QCOMPARE(view->findChild<QComboBox*>("comzuijingqishu")->currentText(), QString("3"));
    QCOMPARE(headers(*view), (QStringList{"记录期号", "开奖号码", "01-07号码总数", "08-14号码总数", "15-21号码总数",
                                          "22-28号码总数", "29-35号码总数"}));
    QCOMPARE(row(*view, 2), (QStringList{"2020003", "03 09 17 25 33 ", "1", "1", "1", "1", "1"}));
    QCOMPARE(row(*view, 4), (QStringList{"2020005", "20 21 22 23 24 ", "0", "0", "2", "3", "0"}));

    auto* chart = view->findChild<BarChart*>("chthistory");
    QCOMPARE(chart->title(), QString("最近各期区间图表"));
    QCOMPARE(shownTitles(*chart), QStringList{"1区号码数"});
    // Zone 1 (01-07) of the newest three draws: 03 of 2020003, none of 11-15 or 20-24.
    QCOMPARE(shownValues(*chart, 0), (QList<double>{1, 0, 0}));
    QCOMPARE(shownLabels(*chart), (QStringList{"2020003", "2020004", "2020005"}));

    check(*view, "chkqu4", true);
    check(*view, "chkhistorybiao", true);
    QCOMPARE(shownTitles(*chart), (QStringList{"1区号码数", "4区号码数"}));
    QCOMPARE(shownValues(*chart, 1), (QList<double>{1, 0, 3}));
    QVERIFY(valuesShown(*chart));
}

void TestZoneView::zoneCountTakesEffectAtTheCount()
{
    Tfrmqujian* view = openZoneTab();
    auto* chart = view->findChild<BarChart*>("chthistory");
    check(*view, "chkqu5", true);

    // A new Z waits for 开始统计; meanwhile the chart keeps drawing the zones the table has.
    view->findChild<QComboBox*>("comqujian")->setCurrentIndex(3);
    check(*view, "chkqu2", true);
    QCOMPARE(view->table().zones, 5);
    QCOMPARE(headers(*view).size(), 7);
    QCOMPARE(shownTitles(*chart), (QStringList{"1区号码数", "2区号码数", "5区号码数"}));

    count(*view);
    QCOMPARE(headers(*view),
             (QStringList{"记录期号", "开奖号码", "01-09号码总数", "10-18号码总数", "19-27号码总数", "28-35号码总数"}));
    QCOMPARE(row(*view, 2).mid(2), (QStringList{"2", "1", "1", "1"}));
    // Zone 5 is not in use: its box stays checked, its series hidden.
    QVERIFY(view->findChild<QCheckBox*>("chkqu5")->isChecked());
    QCOMPARE(shownTitles(*chart), (QStringList{"1区号码数", "2区号码数"}));
    QCOMPARE(shownValues(*chart, 1), (QList<double>{1, 5, 0}));

    view->findChild<QComboBox*>("comqujian")->setCurrentIndex(1);
    count(*view);
    QCOMPARE(row(*view, 2).mid(2), (QStringList{"3", "2"}));
}

void TestZoneView::everyZoneSeriesHasItsColourAndCheckBox()
{
    Tfrmqujian* view = openZoneTab();
    view->findChild<QComboBox*>("comqujian")->setCurrentIndex(6);
    count(*view);
    QCOMPARE(headers(*view).last(), QString("31-35号码总数"));
    for (int zone = 1; zone <= 7; ++zone) {
        auto* box = view->findChild<QCheckBox*>(QString("chkqu%1").arg(zone));
        QCOMPARE(box->text(), QString("%1区间").arg(zone));
        box->setChecked(true);
    }
    auto* chart = view->findChild<BarChart*>("chthistory");
    QCOMPARE(shownTitles(*chart).size(), 7);
    const QStringList colours{"red", "green", "yellow", "blue", "white", "gray", "fuchsia"};
    for (int zone = 0; zone < 7; ++zone)
        QCOMPARE(shownColour(*chart, zone), QColor(colours[zone]));
    check(*view, "chkqu3", false);
    QCOMPARE(shownTitles(*chart).size(), 6);
    QVERIFY(!shownTitles(*chart).contains("3区号码数"));
}

void TestZoneView::followsTheMappingButCountsTheRealNumbers()
{
    Tfrmqujian* view = openZoneTab();
    triggerAction("tlbbianwan");
    const quorlin::LotteryState& state = document_->state();
    QString transformed;
    for (int k = 1; k <= 5; ++k)
        transformed += QString::asprintf("%.2d ", state.hisbian.at(2, static_cast<std::size_t>(k)));
    QVERIFY(transformed != "03 09 17 25 33 ");
    QTRY_COMPARE(row(*view, 2).at(1), transformed);
    int counted = 0;
    for (const QString& zoneCount : row(*view, 2).mid(2))
        counted += zoneCount.toInt();
    QCOMPARE(counted, 5);

    // 开始统计 counts the real numbers, even while the main window shows transformed ones.
    count(*view);
    QCOMPARE(row(*view, 2).at(1), QString("03 09 17 25 33 "));
    QVERIFY(state.bianhuan);

    // So does a zone tab opened while the mapping is transformed.
    triggerAction("mnudaxiao");
    view = openZoneTab();
    QCOMPARE(row(*view, 2).at(1), QString("03 09 17 25 33 "));

    triggerAction("tlbbiaozhun");
    QTRY_VERIFY(!state.bianhuan);
    QCOMPARE(row(*view, 2).at(1), QString("03 09 17 25 33 "));
}

QTEST_MAIN(TestZoneView)
#include "test_zone_view.moc"
