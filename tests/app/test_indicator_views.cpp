// The eight indicator tabs (大小分析 … 重码分析): history grid, chart of the newest N draws, summary.
#include "gui_test_base.h"
#include "view_probe.h"

#include "analysis/indicator_summary.h"
#include "analysis/indicator_texts.h"
#include "analysis/indicator_view.h"
#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

using namespace view_probe;

class TestIndicatorViews : public GuiTestBase {
    Q_OBJECT
private slots:
    void init() { setUpProgram(); }
    void cleanup() { tearDownProgram(); }

    void everyTabShowsItsIndicator_data();
    void everyTabShowsItsIndicator();
    void bigCountSummaryOverTheNewestThreeDraws();
    void allDrawsChartsEveryDrawAfterTheRecount();
    void aTypedCountThatIsNoWholeNumberIsRefused();
    void mappingSwitchRecomputesTheCurrentTab();
    void gridShowsTheNewestDrawsAndPassesTheModelTester();
    void emptyHistoryShowsAnEmptySummaryAndChart();

private:
    IndicatorView* openTab(const char* menuItem);
    static QStringList memo(const IndicatorView& view);
    static QStringList expectedMemo(const quorlin::LotteryState& state, quorlin::Indicator indicator, int recent);
    static void recount(IndicatorView& view);
    static void typeRecent(IndicatorView& view, const QString& text);
};

IndicatorView* TestIndicatorViews::openTab(const char* menuItem)
{
    if (!document_->state().caiopen)
        openShippedLottery();
    triggerAction(menuItem);
    return qobject_cast<IndicatorView*>(mainWindow_->currentView());
}

QStringList TestIndicatorViews::memo(const IndicatorView& view)
{
    return view.findChild<QPlainTextEdit*>("mem")->toPlainText().split('\n');
}

QStringList TestIndicatorViews::expectedMemo(const quorlin::LotteryState& state, quorlin::Indicator indicator,
                                             int recent)
{
    QStringList lines{"总结："};
    for (const std::string& line : quorlin::summaryLines(quorlin::analyseIndicator(state, indicator, recent)))
        lines.append(QString::fromStdString(line));
    return lines;
}

void TestIndicatorViews::recount(IndicatorView& view)
{
    QTest::mouseClick(view.findChild<QPushButton*>("btntongji"), Qt::LeftButton);
}

void TestIndicatorViews::typeRecent(IndicatorView& view, const QString& text)
{
    QLineEdit* edit = view.findChild<QComboBox*>("comzuijingqishu")->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void TestIndicatorViews::everyTabShowsItsIndicator_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<int>("tab");
    // The value of the first draw 01 02 03 04 05 and of 03 09 17 25 33 after 06 07 08 09 10.
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("middle");
    QTest::newRow("大小") << "mnudaxiao" << 1 << "0"
                          << "2";
    QTest::newRow("奇偶") << "mnujiou" << 2 << "3"
                          << "5";
    QTest::newRow("和值") << "mnuhei" << 3 << "15"
                          << "87";
    QTest::newRow("跨度") << "mnukuadu" << 4 << "4"
                          << "30";
    QTest::newRow("散度") << "mnusandu" << 5 << "30"
                          << "4";
    QTest::newRow("偏度") << "mnupiandu" << 6 << "15"
                          << "23";
    QTest::newRow("AC值") << "mnuac" << 7 << "4"
                          << "7";
    QTest::newRow("重码") << "mnucongma" << 8 << "0"
                          << "1";
}

void TestIndicatorViews::everyTabShowsItsIndicator()
{
    QFETCH(QString, menuItem);
    QFETCH(int, tab);
    QFETCH(QString, first);
    QFETCH(QString, middle);
    const quorlin::IndicatorTexts& texts = quorlin::indicatorWindows()[tab - 1];
    IndicatorView* view = openTab(qPrintable(menuItem));
    QVERIFY(view);
    QCOMPARE(view->objectName(), QString::fromUtf8(texts.className + 1));
    QCOMPARE(view->windowTitle(), QString::fromUtf8(texts.caption));

    auto* grid = view->findChild<QTableView*>("tabhistory");
    QCOMPARE(grid->model()->rowCount(), 5);
    QCOMPARE(headerTexts(*grid), (QStringList{"记录期号", "开奖号码", QString::fromUtf8(texts.columnTitle)}));
    QCOMPARE(columnTexts(*grid, 0).first(), QString("2020001"));
    QCOMPARE(columnTexts(*grid, 1).at(2), QString("03 09 17 25 33 "));
    QCOMPARE(columnTexts(*grid, 2).at(0), first);
    QCOMPARE(columnTexts(*grid, 2).at(2), middle);

    QCOMPARE(memo(*view), expectedMemo(document_->state(), texts.indicator, 3));
    // Its tooltip says what the theoretical average is (the sum's names the mean of every combination).
    const QString note = view->findChild<QPlainTextEdit*>("mem")->toolTip();
    QCOMPARE(note.contains(QStringLiteral("已载入各期")), tab >= 3 && tab <= 7);
    QCOMPARE(note.contains(QStringLiteral("90.0")), tab == 3);

    // The chart: the newest three values, oldest first, under their issues, in red.
    auto* chart = view->findChild<BarChart*>("chthistory");
    QCOMPARE(chart->title(), QString::fromUtf8(texts.chartTitle));
    QCOMPARE(shownTitles(*chart), QStringList{QString::fromUtf8(texts.columnTitle)});
    const QStringList values = columnTexts(*grid, 2);
    QCOMPARE(shownValues(*chart, 0), (QList<double>{values[2].toDouble(), values[3].toDouble(), values[4].toDouble()}));
    QCOMPARE(shownLabels(*chart), (QStringList{"2020003", "2020004", "2020005"}));
    QCOMPARE(shownColour(*chart, 0), QColor(Qt::red));
    QVERIFY(!valuesShown(*chart));
    QCOMPARE(mainWindow_->findChild<QTabBar*>("tabmain")->currentIndex(), tab);
}

void TestIndicatorViews::bigCountSummaryOverTheNewestThreeDraws()
{
    // Big numbers of the newest three draws: 2 (25 33), 0 (11-15), 5 (20-24).
    IndicatorView* view = openTab("mnudaxiao");
    QCOMPARE(memo(*view),
             (QStringList{"总结：", "理论最多大数个数：5.0", "理论最少大数个数：0.0", "理论平均大数个数：2.5",
                          "最近3期大数个数总和：7.0", "最近3期理论大数个数总和：7.5"}));
    QVERIFY(view->findChild<QPlainTextEdit*>("mem")->isReadOnly());
    auto* box = view->findChild<QComboBox*>("comzuijingqishu");
    QCOMPARE(box->count(), 6);
    QCOMPARE(box->itemText(0), QString("全部期"));
    QCOMPARE(box->itemText(5), QString("5"));
    QCOMPARE(box->currentText(), QString("3"));
    QVERIFY(view->findChild<QPushButton*>("btntongji")->isDefault());
}

void TestIndicatorViews::allDrawsChartsEveryDrawAfterTheRecount()
{
    IndicatorView* view = openTab("mnudaxiao");
    auto* chart = view->findChild<BarChart*>("chthistory");
    const QStringList memoOfThree = memo(*view);

    // The box alone redraws nothing; "显示标注" redraws the chart with the new N over the table
    // already computed, while the summary waits for 重新统计.
    view->findChild<QComboBox*>("comzuijingqishu")->setCurrentIndex(0);
    QCOMPARE(shownValues(*chart, 0).size(), 3);
    view->findChild<QCheckBox*>("chkhistorybiao")->setChecked(true);
    QCOMPARE(shownValues(*chart, 0), (QList<double>{0, 0, 2, 0, 5}));
    QCOMPARE(shownLabels(*chart).first(), QString("2020001"));
    QVERIFY(valuesShown(*chart));
    QCOMPARE(memo(*view), memoOfThree);

    recount(*view);
    QCOMPARE(view->analysis().recent, 5);
    QCOMPARE(memo(*view).mid(4),
             (QStringList{"最近5期大数个数总和：7.0", "最近5期理论大数个数总和：12.5",
                          "最近5期大数个数总和远远低于理论个数总和，建议选择大于理论平均大数个数的组合！"}));
    QCOMPARE(shownValues(*chart, 0).size(), 5);

    view->findChild<QCheckBox*>("chkhistorybiao")->setChecked(false);
    QVERIFY(!valuesShown(*chart));
}

void TestIndicatorViews::aTypedCountThatIsNoWholeNumberIsRefused()
{
    IndicatorView* view = openTab("mnuhei");
    typeRecent(*view, "abc");
    QCOMPARE(messageTexts(), QStringList{"“abc”不是有效的整数"});
    recount(*view);
    QCOMPARE(view->analysis().recent, 3);

    typeRecent(*view, "2");
    recount(*view);
    QCOMPARE(memo(*view), expectedMemo(document_->state(), quorlin::Indicator::Sum, 2));
    QVERIFY(memo(*view).at(4).startsWith("最近2期"));
    // More draws than loaded, or none: N stays within the history.
    typeRecent(*view, "99");
    recount(*view);
    QCOMPARE(view->analysis().recent, 5);
    QCOMPARE(shownValues(*view->findChild<BarChart*>("chthistory"), 0).size(), 5);
    typeRecent(*view, "0");
    recount(*view);
    QCOMPARE(view->analysis().recent, 1);
    QCOMPARE(messageTexts().size(), 1);
}

void TestIndicatorViews::mappingSwitchRecomputesTheCurrentTab()
{
    IndicatorView* view = openTab("mnuhei");
    auto* grid = view->findChild<QTableView*>("tabhistory");
    const QStringList standard{"15", "40", "87", "65", "110"};
    QCOMPARE(columnTexts(*grid, 2), standard);

    triggerAction("tlbbianwan");
    const quorlin::LotteryState& state = document_->state();
    QStringList transformed;
    QStringList transformedNumbers;
    for (std::size_t row = 0; row < state.hisbian.rows(); ++row) {
        int sum = 0;
        QString numbers;
        for (int k = 1; k <= 5; ++k) {
            sum += state.hisbian.at(row, static_cast<std::size_t>(k));
            numbers += QString::asprintf("%.2d ", state.hisbian.at(row, static_cast<std::size_t>(k)));
        }
        transformed.append(QString::number(sum));
        transformedNumbers.append(numbers);
    }
    QVERIFY(transformed != standard);
    QTRY_COMPARE(columnTexts(*grid, 2), transformed);
    QCOMPARE(columnTexts(*grid, 1), transformedNumbers);
    QCOMPARE(memo(*view), expectedMemo(state, quorlin::Indicator::Sum, 3));
    QCOMPARE(shownValues(*view->findChild<BarChart*>("chthistory"), 0),
             (QList<double>{transformed[2].toDouble(), transformed[3].toDouble(), transformed[4].toDouble()}));
    // 重新统计 stays in the transformed numbers.
    recount(*view);
    QCOMPARE(columnTexts(*grid, 2), transformed);

    triggerAction("tlbbiaozhun");
    QTRY_COMPARE(columnTexts(*grid, 2), standard);
    QCOMPARE(memo(*view), expectedMemo(state, quorlin::Indicator::Sum, 3));
}

void TestIndicatorViews::gridShowsTheNewestDrawsAndPassesTheModelTester()
{
    tearDownProgram();
    std::vector<std::vector<int>> draws;
    for (int i = 0; i < 60; ++i) {
        const int a = i % 30 + 1;
        draws.push_back({2021001 + i, a, a + 1, a + 2, a + 3, a + 5, i % 12 + 1, (i + 1) % 12 + 1});
    }
    setUpProgram(draws);
    IndicatorView* view = openTab("mnukuadu");
    auto* grid = view->findChild<QTableView*>("tabhistory");
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(grid->model()->rowCount(), 60);
    QCOMPARE(columnTexts(*grid, 2).last(), QString("5"));
    QTRY_VERIFY(grid->verticalScrollBar()->maximum() > 0);
    QCOMPARE(grid->verticalScrollBar()->value(), grid->verticalScrollBar()->maximum());
    QCOMPARE(grid->columnWidth(0), 60);
    QCOMPARE(grid->columnWidth(1), 120);
    QCOMPARE(grid->columnWidth(2), grid->viewport()->width() - 180);
    QCOMPARE(view->findChild<QComboBox*>("comzuijingqishu")->count(), 61);
}

void TestIndicatorViews::emptyHistoryShowsAnEmptySummaryAndChart()
{
    tearDownProgram();
    setUpProgram({});
    IndicatorView* view = openTab("mnupiandu");
    QVERIFY(view);
    auto* chart = view->findChild<BarChart*>("chthistory");
    QCOMPARE(view->findChild<QTableView*>("tabhistory")->model()->rowCount(), 0);
    QCOMPARE(memo(*view), QStringList{"总结："});
    QCOMPARE(shownValues(*chart, 0).size(), 0);
    auto* box = view->findChild<QComboBox*>("comzuijingqishu");
    QCOMPARE(box->count(), 1);
    box->setCurrentIndex(0);
    recount(*view);
    triggerAction("tlbbianwan");
    QTest::qWait(10);
    QCOMPARE(memo(*view), QStringList{"总结："});
    QCOMPARE(shownValues(*chart, 0).size(), 0);
    QVERIFY(messageTexts().isEmpty());
}

QTEST_MAIN(TestIndicatorViews)
#include "test_indicator_views.moc"
