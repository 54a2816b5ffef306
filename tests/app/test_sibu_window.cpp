// 最优四步综合选号: the step lists and their defaults, 生成号码 filling the five fields, the refused
// early target, the back-test table from draw L1 + 20 scrolled to its end, no frequency chart.
#include "selection_window_test.h"

#include "select/backtest_bar_chart.h"
#include "select/four_step.h"
#include "select/u_sibu.h"
#include "select_draws.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

// 80 draws whose front numbers come from a fixed scramble, issues 2020001 on.
std::vector<std::vector<int>> history()
{
    const quorlin::ZoneDraws fronts = quorlin::test::scrambledDraws(80, 35, 5, 21);
    std::vector<std::vector<int>> draws;
    for (std::size_t i = 0; i < fronts.size(); ++i) {
        std::vector<int> draw{fronts.issues[i]};
        for (const std::uint8_t n : fronts.draw(i))
            draw.push_back(n);
        draw.push_back(1);
        draw.push_back(2);
        draws.push_back(draw);
    }
    return draws;
}

} // namespace

class TestSibuWindow : public SelectionWindowTest {
    Q_OBJECT

private:
    const quorlin::ZoneDraws fronts_ = quorlin::test::scrambledDraws(80, 35, 5, 21);

private slots:
    void init()
    {
        setUpProgram(history());
        openWindow("mnusibu", "Tfrmsibu");
    }

    void opensOnTheBacktestFromDrawL1Plus20()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("最优四步综合选号"));
        QCOMPARE(child<QComboBox>("com1")->count(), 80);
        QCOMPARE(child<QComboBox>("com1")->currentText(), QStringLiteral("40"));
        QCOMPARE(child<QComboBox>("com2")->currentText(), QStringLiteral("1"));
        QCOMPARE(child<QComboBox>("com3")->currentText(), QStringLiteral("10"));
        QCOMPARE(child<QComboBox>("com4")->currentText(), QStringLiteral("10"));
        QVERIFY(!window_->findChild<BacktestBarChart*>("chtcishu"));

        auto* table = child<QTableView>("tabhistory");
        QCOMPARE(table->model()->rowCount(), 80 - 60);
        QCOMPARE(table->columnWidth(2), table->width() - 240);
        QCOMPARE(cell(0, 0), QStringLiteral("2020061"));
        const quorlin::BacktestReport expected = quorlin::fourStepBacktest(fronts_, {});
        for (int row = 0; row < 20; ++row) {
            QCOMPARE(cell(row, 1), QString::fromStdString(expected.rows[static_cast<std::size_t>(row)].draw));
            QCOMPARE(cell(row, 2), QString::fromStdString(expected.rows[static_cast<std::size_t>(row)].bet));
            QCOMPARE(cell(row, 3), QString::fromStdString(expected.rows[static_cast<std::size_t>(row)].hits));
        }
        QCOMPARE(child<QPlainTextEdit>("mem")->toPlainText(), QString::fromStdString(expected.summary));
        QVERIFY(expected.summary.starts_with("最大中奖个数："));
        QCOMPARE(child<BacktestBarChart>("chthistory")->bars().size(), 20u);
        // Scrolled to the last rows.
        QVERIFY(table->verticalScrollBar()->maximum() > 0);
        QCOMPARE(table->verticalScrollBar()->value(), table->verticalScrollBar()->maximum());
    }

    void generateFillsEveryStep()
    {
        click("btngen");
        const quorlin::FourStepSelection s = quorlin::selectFourStep(fronts_, 80, {});
        QCOMPARE(s.step1.size(), 17u);
        QCOMPARE(text("edtcode1"), QString::fromStdString(quorlin::twoDigitText(s.step1)));
        QCOMPARE(text("edtcode2"), QString::fromStdString(quorlin::twoDigitText(s.step2)));
        QCOMPARE(text("edtcode3"), QString::fromStdString(quorlin::twoDigitText(s.step3)));
        QCOMPARE(text("edtcode4"), QString::fromStdString(quorlin::twoDigitText(s.step4)));
        QVERIFY(text("edtcurcode").startsWith(QStringLiteral("2020081期推荐投注号码：")));
        QCOMPARE(text("edtcurcode"), QString::fromStdString(quorlin::fourStepRecommendation("2020081", s.numbers)));

        // With L1 = 40 the steps read back to the draw T - 42.
        child<QComboBox>("comcurqi")->setCurrentIndex(41);
        click("btngen");
        QCOMPARE(messageTexts(),
                 QStringList{QStringLiteral("按目前的设置，投注期之前至少要有42期开奖号码，请选择以后的投注期！")});
        child<QComboBox>("comcurqi")->setCurrentIndex(42);
        click("btngen");
        QVERIFY(text("edtcurcode").startsWith(QStringLiteral("2020043期推荐投注号码：")));
    }

    void backtestFollowsTheSteps()
    {
        child<QComboBox>("com1")->setCurrentText(QStringLiteral("20"));
        child<QComboBox>("com2")->setCurrentText(QStringLiteral("3"));
        backtest();
        QCOMPARE(child<QTableView>("tabhistory")->model()->rowCount(), 80 - 40);
        const quorlin::BacktestReport expected = quorlin::fourStepBacktest(fronts_, {20, 3, 10, 10});
        QCOMPARE(cell(5, 2), QString::fromStdString(expected.rows[5].bet));
        click("btnclose");
        QVERIFY(!window_->isVisible());
        // The toolbar's 四步选号 brings the same window back.
        triggerAction("tlbyilou");
        QCOMPARE(mainWindow_->tools().window("Tfrmsibu"), window_);
        QVERIFY(window_->isVisible());
    }
};

QTEST_MAIN(TestSibuWindow)
#include "test_sibu_window.moc"
