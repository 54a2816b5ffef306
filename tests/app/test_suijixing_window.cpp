// 随机性检验: the report of a range as the core gives it, the range inputs, the chart of the picked
// row, the exports.
#include "gui_test_base.h"
#include "shipped_draws.h"
#include "view_probe.h"

#include "analysis/randomness_tests.h"
#include "analysis/u_suijixing.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace view_probe;

class TestSuijixingWindow : public GuiTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { setUpProgram(shippedDraws()); }
    void init()
    {
        openShippedLottery();
        MessageBox::clearRecorded();
    }
    void cleanup() { mainWindow_->findChild<QAction*>("mnuclose")->trigger(); }
    void cleanupTestCase() { tearDownProgram(); }

    void rowsAreTheCoresForTheRangeChosen_data();
    void rowsAreTheCoresForTheRangeChosen();
    void refusedRangeChangesNothing_data();
    void refusedRangeChangesNothing();
    void chartShowsThePickedRowsCountsAgainstChance();
    void tableAndChartExport();
    void windowGoesWithTheLottery();

private:
    Tfrmsuijixing* openWindow();
    /// Chooses a range the way the user does: a radio button, then the fields of that range.
    static void choose(Tfrmsuijixing& window, const char* option, const QString& from = {}, const QString& to = {},
                       const QString& last = {});
    static void press(Tfrmsuijixing& window)
    {
        QTest::mouseClick(window.findChild<QPushButton*>("btnjianyan"), Qt::LeftButton);
    }
    static QTableView& grid(const Tfrmsuijixing& window) { return *window.findChild<QTableView*>("tabjianyan"); }
    /// What the core reports for `range` of the open lottery.
    quorlin::RandomnessReport coreReport(const quorlin::DrawRange& range) const;

    QTemporaryDir files_;
};

Tfrmsuijixing* TestSuijixingWindow::openWindow()
{
    triggerAction("mnusuijixing");
    return qobject_cast<Tfrmsuijixing*>(mainWindow_->tools().window("Tfrmsuijixing"));
}

void TestSuijixingWindow::choose(Tfrmsuijixing& window, const char* option, const QString& from, const QString& to,
                                 const QString& last)
{
    window.findChild<QRadioButton*>(option)->setChecked(true);
    window.findChild<QLineEdit*>("edtfrom")->setText(from);
    window.findChild<QLineEdit*>("edtto")->setText(to);
    window.findChild<QLineEdit*>("edtzuijin")->setText(last);
}

quorlin::RandomnessReport TestSuijixingWindow::coreReport(const quorlin::DrawRange& range) const
{
    const quorlin::RangeDraws draws = quorlin::drawsInRange(document_->state(), range);
    return quorlin::testRandomness(draws.shape, draws.draws);
}

void TestSuijixingWindow::rowsAreTheCoresForTheRangeChosen_data()
{
    QTest::addColumn<QByteArray>("option");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("draws");
    QTest::addColumn<QString>("conclusion");
    const auto shipped = static_cast<int>(shippedDraws().size());
    // The early draws favour big front numbers; the later ones look like chance.
    QTest::newRow("到2012094") << QByteArray("optqujian") << ""
                               << "2012094"
                               << "" << 801 << "结论：偏离随机：前区号码频率";
    QTest::newRow("从2012095") << QByteArray("optqujian") << " 2012095 "
                               << ""
                               << "" << shipped - 801 << "";
    QTest::newRow("最近300") << QByteArray("optzuijin") << ""
                             << ""
                             << "300" << 300 << "";
    QTest::newRow("全部, the fields ignored") << QByteArray("optquanbu") << "x"
                                              << "y"
                                              << "z" << shipped << "";
}

void TestSuijixingWindow::rowsAreTheCoresForTheRangeChosen()
{
    QFETCH(QByteArray, option);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, last);
    QFETCH(int, draws);
    QFETCH(QString, conclusion);
    Tfrmsuijixing* window = openWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("随机性检验"));
    choose(*window, option.constData(), from, to, last);
    press(*window);
    QVERIFY2(MessageBox::recorded().isEmpty(), qPrintable(MessageBox::recorded().value(0).text));

    QString error;
    const auto range = window->chosenRange(error);
    QVERIFY(range);
    const quorlin::RandomnessReport expected = coreReport(*range);
    QCOMPARE(static_cast<int>(expected.drawCount), draws);
    const auto printed = quorlin::randomnessTable(expected);
    const QTableView& table = grid(*window);
    QCOMPARE(headerTexts(table), (QStringList{"检验", "统计量", "自由度", "p值", "结论"}));
    QCOMPARE(table.model()->rowCount(), quorlin::kRandomnessTests);
    for (int row = 0; row < quorlin::kRandomnessTests; ++row) {
        const auto& line = printed[static_cast<std::size_t>(row) + 1];
        const auto& core = expected.rows[static_cast<std::size_t>(row)];
        QStringList wanted;
        for (std::size_t c = 0; c < 4; ++c)
            wanted << QString::fromStdString(line[c]);
        wanted << QString::fromStdString(core.verdict);
        QCOMPARE(rowTexts(table, row), wanted);
        QVERIFY(!core.nullModel.empty());
        QCOMPARE(table.model()->index(row, 2).data(Qt::ToolTipRole).toString(), QString::fromStdString(core.nullModel));
    }
    const QString shownConclusion = window->findChild<QLabel*>("lbljielun")->text();
    QCOMPARE(shownConclusion, QStringLiteral("结论：") + QString::fromStdString(expected.conclusion));
    if (!conclusion.isEmpty())
        QVERIFY2(shownConclusion.startsWith(conclusion), qPrintable(shownConclusion));
    QCOMPARE(
        window->findChild<QLabel*>("lblfanwei")->text(),
        QStringLiteral("检验范围：第%1期至第%2期，共%3期").arg(expected.firstIssue).arg(expected.lastIssue).arg(draws));
}

void TestSuijixingWindow::refusedRangeChangesNothing_data()
{
    QTest::addColumn<QByteArray>("option");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("message"); // empty: the core's own refusal of the range
    QTest::newRow("最近 not a number") << QByteArray("optzuijin") << ""
                                       << ""
                                       << "3O"
                                       << "“最近期数”中的“3O”不是有效的整数！";
    QTest::newRow("最近 empty") << QByteArray("optzuijin") << ""
                                << ""
                                << "  "
                                << "“最近期数”中没有填写整数！";
    QTest::newRow("最近 zero") << QByteArray("optzuijin") << ""
                               << ""
                               << "0"
                               << "最近期数应为正整数！";
    QTest::newRow("最近 negative") << QByteArray("optzuijin") << ""
                                   << ""
                                   << "-5"
                                   << "最近期数应为正整数！";
    QTest::newRow("issue not stored") << QByteArray("optqujian") << "2012999"
                                      << ""
                                      << ""
                                      << "";
    QTest::newRow("from after to") << QByteArray("optqujian") << "2012095"
                                   << "2012094"
                                   << ""
                                   << "";
    QTest::newRow("no issue at all") << QByteArray("optqujian") << "第一期"
                                     << ""
                                     << ""
                                     << "";
}

void TestSuijixingWindow::refusedRangeChangesNothing()
{
    QFETCH(QByteArray, option);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, last);
    QFETCH(QString, message);
    Tfrmsuijixing* window = openWindow();
    choose(*window, "optzuijin", {}, {}, "100");
    press(*window);
    grid(*window).selectRow(4);
    const QStringList before = rowTexts(grid(*window), 0);
    const QList<double> chartBefore = shownValues(*window->findChild<BarChart*>("chtjianyan"), 0);

    choose(*window, option.constData(), from, to, last);
    press(*window);
    QCOMPARE(MessageBox::recorded().size(), 1);
    if (message.isEmpty()) {
        QString error;
        const auto range = window->chosenRange(error);
        QVERIFY(range);
        const std::string refusal = quorlin::drawsInRange(document_->state(), *range).refusal;
        QVERIFY(!refusal.empty());
        message = QString::fromStdString(refusal);
    }
    QCOMPARE(MessageBox::recorded().first().text, message);
    QCOMPARE(window->report()->drawCount, std::size_t{100});
    QCOMPARE(rowTexts(grid(*window), 0), before);
    QCOMPARE(grid(*window).currentIndex().row(), 4);
    QCOMPARE(shownValues(*window->findChild<BarChart*>("chtjianyan"), 0), chartBefore);
}

void TestSuijixingWindow::chartShowsThePickedRowsCountsAgainstChance()
{
    Tfrmsuijixing* window = openWindow();
    choose(*window, "optqujian", {}, "2012094");
    press(*window);
    const auto* chart = window->findChild<BarChart*>("chtjianyan");
    const quorlin::RandomnessReport& report = *window->report();
    QCOMPARE(shownTitles(*chart), (QStringList{"实际", "随机期望"}));
    // The first row is picked after a test: 35 numbers, each expected 801 × 5 / 35 times.
    QCOMPARE(shownLabels(*chart).size(), 35);
    QCOMPARE(shownLabels(*chart).first(), QString("01"));
    QCOMPARE(shownValues(*chart, 1), QList<double>(35, 114.4));
    for (const quorlin::RandomnessTest test :
         {quorlin::RandomnessTest::BackFrequency, quorlin::RandomnessTest::BigCount, quorlin::RandomnessTest::Gap}) {
        const int row = static_cast<int>(test);
        grid(*window).selectRow(row);
        const quorlin::RandomnessRow& core = report.rows[static_cast<std::size_t>(row)];
        QVERIFY(!core.cells.empty());
        QCOMPARE(chart->title(), QString::fromStdString(core.name) + "：实际次数与随机期望次数");
        QStringList labels;
        QList<double> observed;
        for (const quorlin::CountCell& cell : core.cells) {
            labels << QString::fromStdString(cell.label);
            observed << cell.observed;
        }
        QCOMPARE(shownLabels(*chart), labels);
        QCOMPARE(shownValues(*chart, 0), observed);
        for (qsizetype i = 0; i < labels.size(); ++i)
            QVERIFY(std::abs(shownValues(*chart, 1)[i] - core.cells[static_cast<std::size_t>(i)].expected) <= 0.05);
    }
    // The big numbers of the early draws: more draws with 3 or more of them than chance expects.
    grid(*window).selectRow(static_cast<int>(quorlin::RandomnessTest::BigCount));
    QVERIFY(shownValues(*chart, 0)[3] + shownValues(*chart, 0)[4] + shownValues(*chart, 0)[5] >
            shownValues(*chart, 1)[3] + shownValues(*chart, 1)[4] + shownValues(*chart, 1)[5] + 100);
    // The runs test has no distribution.
    grid(*window).selectRow(static_cast<int>(quorlin::RandomnessTest::SumRuns));
    QCOMPARE(chart->title(), QString("和值游程：游程检验没有分布图"));
    QVERIFY(shownLabels(*chart).isEmpty());
}

void TestSuijixingWindow::tableAndChartExport()
{
    Tfrmsuijixing* window = openWindow();
    auto actionOf = [](const QWidget& widget, const char* name) -> QAction* {
        for (QAction* action : widget.actions())
            if (action->objectName() == QLatin1String(name))
                return action;
        return nullptr;
    };
    QAction* csv = actionOf(grid(*window), "actcsv");
    QAction* picture = actionOf(*window->findChild<BarChart*>("chtjianyan"), "actpicture");
    QVERIFY(csv && picture && actionOf(grid(*window), "actexcel"));

    const QString table = files_.filePath("随机性检验.csv");
    FileDialog::setNextFileName(table);
    csv->trigger();
    const QString written = QString::fromUtf8(fileBytes(table));
    QVERIFY(written.contains(QStringLiteral("检验,统计量,自由度,p值,结论")));
    for (const quorlin::RandomnessRow& row : window->report()->rows)
        QVERIFY2(written.contains(QString::fromStdString(row.name + ",")) &&
                     written.contains(QString::fromStdString(row.verdict)),
                 row.name.c_str());

    const QString png = files_.filePath("chart.png");
    FileDialog::setNextFileName(png);
    picture->trigger();
    QVERIFY(!QImage(png).isNull());
}

void TestSuijixingWindow::windowGoesWithTheLottery()
{
    QPointer<Tfrmsuijixing> window = openWindow();
    QCOMPARE(openWindow(), window.data());
    QCOMPARE(window->report()->drawCount, shippedDraws().size());
    mainWindow_->findChild<QAction*>("mnuclose")->trigger();
    QVERIFY(window.isNull());
    QVERIFY(!mainWindow_->findChild<QAction*>("mnusuijixing")->isEnabled());
}

QTEST_MAIN(TestSuijixingWindow)
#include "test_suijixing_window.moc"
