// 方案回放: the total filter's scheme replayed over past draws, shown as the core computes it.
#include "gui_test_base.h"
#include "shipped_draws.h"

#include "check/balance_chart.h"
#include "check/check_report.h"
#include "check/scheme_replay.h"
#include "check/u_huifang.h"
#include "common/money_text.h"
#include "common/text_grid.h"
#include "common/view_table.h"
#include "filter/total_filter.h"
#include "filter/u_totalfilt.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/schema.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <clocale>
#include <filesystem>

class TestReplayWindow : public GuiTestBase {
    Q_OBJECT
private slots:
    void init()
    {
        setUpProgram(shippedDraws());
        copyPrizeRules();
        openShippedLottery();
    }
    void cleanup() { tearDownProgram(); }

    void replayShowsTheCoreResultDrawByDraw();
    void everyBackNumberWithExtraStakeWhenNoneChosen();
    void levelColumnsFollowEachDrawsRuleSet();
    void refusesWithoutRunning_data();
    void refusesWithoutRunning();
    void stopKeepsTheLastResult();
    void totalFilterReplaysItsConditions();
    void numbersReadAlikeUnderAGermanLocale();
    void balanceChartReadsInTheUnitOfItsRange();

private:
    void copyPrizeRules()
    {
        std::filesystem::create_directories(program_->path() / "附属");
        std::filesystem::copy_file(std::string(quorlin::test::distFilesDir()) + "/附属/大乐透奖级.txt",
                                   program_->path() / "附属" / "大乐透奖级.txt");
    }
    Tfrmhuifang* openReplay()
    {
        triggerAction("mnuhuifang");
        return qobject_cast<Tfrmhuifang*>(mainWindow_->tools().window("Tfrmhuifang"));
    }
    static void runOn(Tfrmhuifang* window, const QString& count, const quorlin::TotalFilterSettings& settings)
    {
        window->findChild<QLineEdit*>("edtqishu")->setText(count);
        window->runOn(settings);
        QTRY_VERIFY(!window->isBusy());
    }
    // The replay of the core itself, over the open lottery's draws.
    quorlin::ReplayResult direct(const quorlin::TotalFilterSettings& settings, std::size_t count, bool extra,
                                 quorlin::PrizeRules& rules) const
    {
        const quorlin::LotteryState& state = document_->state();
        std::string error;
        rules = *quorlin::readPrizeRules(state.apppath + quorlin::kPrizeRulesFile, error);
        const quorlin::ReplayHistory history{&state.hisfull, &state.hisdate, 35, 5, 12, 2};
        return *quorlin::runReplay(history, settings, count, rules, extra);
    }
    static QString cell(const TextGrid* grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }
    static QString header(const TextGrid* grid, int column)
    {
        return grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    static std::vector<std::string> toStd(const QStringList& texts)
    {
        std::vector<std::string> out;
        for (const QString& t : texts)
            out.push_back(t.toStdString());
        return out;
    }
    static quorlin::TotalFilterSettings sumAndOdd()
    {
        quorlin::TotalFilterSettings s;
        s.sum = quorlin::FilterRange{70, 110};
        s.odd = quorlin::FilterRange{2, 3};
        // Against the draw before each: the kept set changes from draw to draw.
        s.extraRange(quorlin::ExtraCondition::Repeat) = quorlin::FilterRange{0, 1};
        s.back = {1, 2, 3, 4};
        return s;
    }
};

void TestReplayWindow::replayShowsTheCoreResultDrawByDraw()
{
    Tfrmhuifang* window = openReplay();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QString("方案回放"));
    runOn(window, "100", sumAndOdd());
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));
    QVERIFY(window->result());

    quorlin::PrizeRules rules;
    const quorlin::ReplayResult want = direct(sumAndOdd(), 100, false, rules);
    QCOMPARE(want.rows.size(), std::size_t{100});
    auto* draws = window->findChild<TextGrid*>("tabdraws");
    // 期号 保留注数 注数 投入, the seven levels of the 2026 table (by issue), 奖金 累计盈亏.
    QCOMPARE(draws->model()->rowCount(), 100);
    QCOMPARE(draws->model()->columnCount(), 4 + 7 + 2);
    QCOMPARE(header(draws, 4), QString("一等奖"));
    QCOMPARE(header(draws, 11), QString("奖金"));
    const quorlin::ExportTable exported = ViewTable::read(*draws, false, QString());
    bool keptVaries = false;
    bool shortened = false;
    for (int row = 0; row < 100; ++row) {
        const quorlin::ReplayRow& d = want.rows[static_cast<std::size_t>(99 - row)]; // newest first
        keptVaries = keptVaries || d.keptFronts != want.rows.front().keptFronts;
        QStringList expected{QString::fromStdString(d.check.draw.issue), QString::number(d.keptFronts),
                             QString::number(d.keptFronts * 6), QString::number(d.bets * 2)};
        for (const std::uint64_t n : d.check.levelCounts)
            expected << QString::number(n);
        expected << QString::fromStdString(d.check.unknownWon ? std::to_string(d.check.money) + "+浮动"
                                                              : std::to_string(d.check.money))
                 << QString::number(d.balance);
        // Copied or exported, the money is the command line's plain number; on screen in short.
        QCOMPARE(exported.rows[static_cast<std::size_t>(row)], toStd(expected));
        QCOMPARE(cell(draws, row, 3), QString::fromStdString(quorlin::yuanShortText(d.stake)));
        QCOMPARE(cell(draws, row, 11), QString::fromStdString(quorlin::moneyShortText(d.check)));
        QCOMPARE(cell(draws, row, 12), QString::fromStdString(quorlin::yuanShortText(d.balance)));
        shortened = shortened || cell(draws, row, 12) != expected.last();
    }
    QVERIFY(keptVaries);
    QVERIFY(shortened);

    // The totals and the bets per level in the core's words; 100 draws back from 2026115 lie under
    // the seven-level table.
    QCOMPARE(window->findChild<QLabel*>("lblheji")->text(),
             QString::fromStdString(quorlin::replayTotalsSentence(want)));
    QCOMPARE(want.levelTotals.size(), std::size_t{1});
    QCOMPARE(window->findChild<QLabel*>("lbljiangji")->text(), QString::fromStdString(quorlin::replayLevelsText(want)));

    // The chart: the running balances of the scheme and of the random bets, oldest first.
    auto* chart = window->findChild<BalanceChart*>("chtyingkui");
    QCOMPARE(chart->seriesNames(), (QStringList{"方案与随机基准之差", "随机基准累计盈亏", "方案累计盈亏"}));
    const QList<QPointF> scheme = chart->schemePoints();
    const QList<QPointF> baseline = chart->baselinePoints();
    QCOMPARE(scheme.size(), 100);
    QCOMPARE(baseline.size(), 100);
    for (int i = 0; i < 100; ++i) {
        const quorlin::ReplayRow& d = want.rows[static_cast<std::size_t>(i)];
        QCOMPARE(scheme[i], QPointF(i, static_cast<double>(d.balance)));
        QCOMPARE(baseline[i], QPointF(i, d.expectedBalance));
    }
    QCOMPARE(scheme.last().y(), static_cast<double>(want.totals.balance));
    const QString caption = window->findChild<QLabel*>("lbltiaojian")->text();
    QVERIFY2(caption.startsWith("条件：") && caption.contains("和值 70-110") && caption.contains("重号 0-1"),
             qPrintable(caption));
}

void TestReplayWindow::everyBackNumberWithExtraStakeWhenNoneChosen()
{
    Tfrmhuifang* window = openReplay();
    window->findChild<QCheckBox*>("chkzhuijia")->setChecked(true);
    quorlin::TotalFilterSettings s = sumAndOdd();
    s.back.clear();
    runOn(window, "5", s);
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));
    const quorlin::ReplayResult& r = *window->result();
    QCOMPARE(r.rows.size(), std::size_t{5});
    auto* draws = window->findChild<TextGrid*>("tabdraws");
    for (int row = 0; row < 5; ++row) {
        // C(12,2) = 66 back pairs, 3 元 a bet.
        const std::uint64_t kept = cell(draws, row, 1).toULongLong();
        QVERIFY(kept > 0);
        QCOMPARE(cell(draws, row, 2).toULongLong(), kept * 66);
        QCOMPARE(cell(draws, row, 3),
                 QString::fromStdString(quorlin::yuanShortText(static_cast<std::int64_t>(kept * 66 * 3))));
    }
    quorlin::PrizeRules rules;
    QCOMPARE(r.totals.money, direct(s, 5, true, rules).totals.money);
}

void TestReplayWindow::levelColumnsFollowEachDrawsRuleSet()
{
    // A draw before every prize table, five under the 2020 table (nine levels), one under the 2026
    // table (seven levels); the oldest has nothing before it and is not replayed.
    tearDownProgram();
    setUpProgram();
    quorlin::test::insertDraws(program_->databasePath(), quorlin::kShippedLottery,
                               {{2006001, 1, 2, 3, 4, 5, 1, 2}, {2006002, 2, 3, 4, 5, 6, 1, 2}}, "2006-06-01");
    quorlin::test::insertDraws(program_->databasePath(), quorlin::kShippedLottery, {{2026020, 1, 2, 3, 4, 5, 1, 2}},
                               "2026-03-02");
    copyPrizeRules();
    openShippedLottery();
    Tfrmhuifang* window = openReplay();
    quorlin::TotalFilterSettings s;
    s.sum = quorlin::FilterRange{15, 15}; // 01 02 03 04 05 alone
    s.back = {1, 2};
    runOn(window, "100", s);
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));

    auto* draws = window->findChild<TextGrid*>("tabdraws");
    QCOMPARE(draws->model()->rowCount(), 7);
    QCOMPARE(draws->model()->columnCount(), 4 + 9 + 2);
    QCOMPARE(header(draws, 10), QString("七等奖"));
    QCOMPARE(header(draws, 12), QString("九等奖"));
    const auto rowOf = [draws](int row) {
        QStringList cells;
        for (int column = 0; column < draws->model()->columnCount(); ++column)
            cells << cell(draws, row, column);
        return cells;
    };
    // 2026020 hits 5+2 with the one bet: a pool level, its money unknown.
    QCOMPARE(rowOf(0),
             (QStringList{"2026020", "1", "1", "2元", "1", "0", "0", "0", "0", "0", "0", "", "", "0元+浮动", "-12元"}));
    // 2020001 hits 5+2 as well, under the older table; 2006002 is not priced.
    QCOMPARE(rowOf(5), (QStringList{"2020001", "1", "1", "2元", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0元+浮动",
                                    "-2元"}));
    QCOMPARE(rowOf(6),
             (QStringList{"2006002", "1", "1", "-", "-", "-", "-", "-", "-", "-", "-", "-", "-", "-", "0元"}));
    const QString totals = window->findChild<QLabel*>("lblheji")->text();
    QVERIFY2(totals.startsWith("共6期6注，投入12元，奖金0元（另有浮动奖金未计），盈亏-12元，回报率0.0%"),
             qPrintable(totals));
    QVERIFY2(totals.endsWith("另有1期早于所有奖级表，只按中奖号码个数列出，不计投入和奖金"), qPrintable(totals));
    // Each table's levels apart, in the order the draws first use them: the two 一等奖 are not added.
    QCOMPARE(
        window->findChild<QLabel*>("lbljiangji")->text(),
        QString("各奖级中奖注数（九个奖级：一等奖 1注，二等奖 0注，三等奖 0注，四等奖 0注，五等奖 0注，六等奖 0注，"
                "七等奖 0注，八等奖 0注，九等奖 0注；七个奖级：一等奖 1注，二等奖 0注，三等奖 0注，四等奖 0注，"
                "五等奖 0注，六等奖 0注，七等奖 0注）"));
}

void TestReplayWindow::refusesWithoutRunning_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("conditions");
    QTest::addColumn<bool>("transformed");
    QTest::addColumn<bool>("rulesFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("no condition") << "100" << false << false << true << "请选择过滤条件！";
    QTest::newRow("count not a number") << "abc" << true << false << true << "回放期数应为正整数！";
    QTest::newRow("count zero") << "0" << true << false << true << "回放期数应为正整数！";
    QTest::newRow("transformed mapping") << "100" << true << true << true << "回放按真实号码进行，请先切换到标准走势！";
    QTest::newRow("no prize table") << "100" << true << false << false << "大乐透奖级.txt";
}

void TestReplayWindow::refusesWithoutRunning()
{
    QFETCH(QString, count);
    QFETCH(bool, conditions);
    QFETCH(bool, transformed);
    QFETCH(bool, rulesFile);
    QFETCH(QString, message);
    Tfrmhuifang* window = openReplay();
    if (transformed)
        triggerAction("tlbbianwan");
    if (!rulesFile)
        std::filesystem::remove(program_->path() / "附属" / "大乐透奖级.txt");
    quorlin::TotalFilterSettings s;
    if (conditions)
        s = sumAndOdd();
    s.back = {1, 2};
    window->findChild<QLineEdit*>("edtqishu")->setText(count);
    window->runOn(s);
    QVERIFY(!window->isBusy());
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY2(messageTexts().first().contains(message), qPrintable(messageTexts().first()));
    QVERIFY(!window->result());
    QCOMPARE(window->findChild<TextGrid*>("tabdraws")->model()->rowCount(), 0);
}

void TestReplayWindow::stopKeepsTheLastResult()
{
    Tfrmhuifang* window = openReplay();
    // 回放 in the window with no total filter open: it says where the conditions come from.
    QTest::mouseClick(window->findChild<QPushButton*>("btnhuifang"), Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{"请先打开总体过滤窗口并设置过滤条件！"});

    runOn(window, "10", sumAndOdd());
    const QString caption = window->findChild<QLabel*>("lbltiaojian")->text();
    const QString totals = window->findChild<QLabel*>("lblheji")->text();
    // Every draw of the history under other conditions, stopped at once.
    quorlin::TotalFilterSettings other;
    other.span = quorlin::FilterRange{20, 30};
    other.back = {5, 6};
    window->findChild<QLineEdit*>("edtqishu")->setText("100000");
    window->runOn(other);
    QVERIFY(window->isBusy());
    QVERIFY(!window->findChild<QPushButton*>("btnhuifang")->isEnabled());
    QTest::mouseClick(window->findChild<QPushButton*>("btnstop"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    QCOMPARE(window->result()->rows.size(), std::size_t{10});
    QCOMPARE(window->findChild<TextGrid*>("tabdraws")->model()->rowCount(), 10);
    QCOMPARE(window->findChild<BalanceChart*>("chtyingkui")->schemePoints().size(), 10);
    QCOMPARE(window->findChild<QLabel*>("lbltiaojian")->text(), caption);
    QCOMPARE(window->findChild<QLabel*>("lblheji")->text(), totals);
    QVERIFY(window->findChild<QPushButton*>("btnhuifang")->isEnabled());
    QCOMPARE(messageTexts().size(), 1);
}

void TestReplayWindow::totalFilterReplaysItsConditions()
{
    triggerAction("mnutotalfilt");
    auto* filter = qobject_cast<Tfrmtotalfilt*>(mainWindow_->tools().window("Tfrmtotalfilt"));
    filter->setSettings(sumAndOdd());
    QTest::mouseClick(filter->findChild<QPushButton*>("btnhuifang"), Qt::LeftButton);
    auto* window = qobject_cast<Tfrmhuifang*>(mainWindow_->tools().window("Tfrmhuifang"));
    QVERIFY(window && window->isVisible());
    QTRY_VERIFY(!window->isBusy());
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));
    QVERIFY(window->result());
    quorlin::PrizeRules rules;
    const quorlin::ReplayResult want = direct(sumAndOdd(), 100, false, rules);
    QCOMPARE(window->result()->totals.money, want.totals.money);
    QCOMPARE(window->result()->totals.bets, want.totals.bets);
    QVERIFY(window->findChild<QLabel*>("lbltiaojian")->text().contains("重号 0-1"));

    // Under the transformed mapping the total filter's 回放 is refused like its 回测.
    triggerAction("tlbbianwan");
    QTest::mouseClick(filter->findChild<QPushButton*>("btnhuifang"), Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{"回放按真实号码进行，请先切换到标准走势！"});
}

void TestReplayWindow::numbersReadAlikeUnderAGermanLocale()
{
    // The program runs with the user's locale for the C library and may be given a German QLocale;
    // the figures with a fraction are written with a point, "125000.0%", "1,234.50元".
    const std::string cLocale = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        QSKIP("de_DE.UTF-8 is not installed (scripts/install-deps.sh)");
    const QLocale qtLocale;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Tfrmhuifang* window = openReplay();
    runOn(window, "20", sumAndOdd());
    const QString totals = window->findChild<QLabel*>("lblheji")->text();
    QLocale::setDefault(qtLocale);
    std::setlocale(LC_ALL, cLocale.c_str());

    QVERIFY2(
        QRegularExpression("回报率\\d+\\.\\d%.*期望奖金[\\d,]+(\\.\\d\\d)?元(（另有浮动奖金未计）)?，回报率\\d+\\.\\d%")
            .match(totals)
            .hasMatch(),
        qPrintable(totals));
    // Commas only group the thousands: one never stands for the decimal point.
    QVERIFY2(!totals.contains(QRegularExpression(",(?!\\d{3}(\\D|$))")), qPrintable(totals));
}

void TestReplayWindow::balanceChartReadsInTheUnitOfItsRange()
{
    BalanceChart chart;
    // The two lines: told apart by colour and by dash.
    const QPen scheme = chart.schemeSeries()->pen();
    const QPen baseline = chart.baselineSeries()->pen();
    QVERIFY(scheme.color() != baseline.color());
    QVERIFY(scheme.style() != baseline.style());

    const struct {
        QList<double> scheme, baseline;
        QString title;
        QString tip; // of the second draw
    } cases[] = {
        {{-10, 250},
         {-8, -16.45},
         "累计盈亏（元）",
         "第2026002期\n方案累计盈亏：250元\n随机基准累计盈亏：-16.45元\n方案比随机基准：+266.45元"},
        {{-2e4, -8.4273e7},
         {-1.5e4, -6e7},
         "累计盈亏（万元）",
         "第2026002期\n方案累计盈亏：-84,273,000元\n随机基准累计盈亏：-60,000,000元\n方案比随机基准：-24,273,000元"},
        {{0, 3.1537e10},
         {0, -2e8},
         "累计盈亏（亿元）",
         "第2026002期\n方案累计盈亏：31,537,000,000元\n随机基准累计盈亏：-200,000,000元\n"
         "方案比随机基准：+31,737,000,000元"},
    };
    for (const auto& c : cases) {
        chart.setBalances({"2026001", "2026002"}, c.scheme, c.baseline);
        QCOMPARE(chart.moneyAxisTitle(), c.title);
        const QStringList labels = chart.moneyAxisLabels();
        QVERIFY(labels.size() >= 3);
        for (const QString& label : labels)
            QVERIFY2(!label.contains('e') && label.size() <= 8, qPrintable(labels.join(' ')));
        QCOMPARE(chart.pointTip(1), c.tip);
        QVERIFY(chart.pointTip(2).isEmpty());
    }
}

QTEST_MAIN(TestReplayWindow)
#include "test_replay_window.moc"
