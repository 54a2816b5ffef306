// The trend grid 号码走势: one row per draw, newest first, marks in the columns of the drawn numbers.
#include "gui_test_base.h"
#include "shipped_draws.h"

#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

class TestCodeGrid : public GuiTestBase {
    Q_OBJECT
private slots:
    void init() { setUpProgram(); }
    void cleanup() { tearDownProgram(); }

    void rowsShowTheDrawsNewestFirst();
    void marksStandInTheColumnsOfTheDrawnNumbers();
    void columnsHaveTheirColoursAndWidths();
    void emptyLotteryShowsAnEmptyGrid();
    void modelPassesTheModelTester();
    void aBurstOfMappingSwitchesRepaintsOnce();
    void emptyCellsCountTheOmissionAndBallsAreColoured();
    void summaryRowsGiveTheFiguresOfEveryNumber();
    void summaryRowsCoverTheChosenNewestDraws();
    void theOptionHidesOmissionsAndSummaryForTheRun();
    void relabelledDrawsAreCaptioned();

private:
    QTableView* summaryGrid() const { return requireChild<QTableView>(mainWindow_.get(), "grdtongji"); }
    QStringList columnOf(int column) const;
};

QStringList TestCodeGrid::columnOf(int column) const
{
    const CodeTrendModel* model = trendModel();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->data(model->index(row, column)).toString());
    return texts;
}

void TestCodeGrid::rowsShowTheDrawsNewestFirst()
{
    openShippedLottery();
    CodeTrendModel* model = trendModel();
    QVERIFY(model);
    const auto& draws = fixtureDraws();
    QCOMPARE(model->rowCount(), int(draws.size()));
    QCOMPARE(model->columnCount(), 51);
    for (int row = 0; row < model->rowCount(); ++row) {
        const int issue = draws[draws.size() - 1 - static_cast<std::size_t>(row)][0];
        QCOMPARE(model->data(model->index(row, 0)).toString(), QString::number(issue));
    }
    QCOMPARE(model->data(model->index(2, 1)).toString(), QString("03 09 17 25 33 + 04 11"));
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("记录期号"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("开奖号码"));
}

void TestCodeGrid::marksStandInTheColumnsOfTheDrawnNumbers()
{
    openShippedLottery();
    const CodeTrendModel* model = trendModel();
    QVERIFY(model);
    const RowMarks middle = marksOf(*model, 2);
    QCOMPARE(middle.front, (QList<int>{3, 9, 17, 25, 33}));
    QCOMPARE(middle.back, (QList<int>{4, 11}));
    // The edges of both blocks: front 01 in the oldest draw, back 12 in the newest.
    QCOMPARE(marksOf(*model, 4).front, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(marksOf(*model, 0).back, (QList<int>{7, 12}));
    QCOMPARE(model->data(model->index(2, 2)), QVariant());
    QCOMPARE(model->data(model->index(2, 38)), QVariant());
}

void TestCodeGrid::columnsHaveTheirColoursAndWidths()
{
    openShippedLottery();
    const CodeTrendModel* model = trendModel();
    auto* grid = mainWindow_->findChild<QTableView*>("grdcode");
    auto fill = [model](int column) {
        return model->data(model->index(0, column), Qt::BackgroundRole).value<QBrush>();
    };
    QCOMPARE(fill(0).color(), grid->palette().color(QPalette::ToolTipBase));
    QCOMPARE(fill(1).color(), grid->palette().color(QPalette::ToolTipBase));
    QCOMPARE(fill(2).color(), QColor(100, 100, 100));
    QCOMPARE(fill(3).color(), QColor(150, 150, 100));
    QCOMPARE(fill(37).color(), QColor(150, 150, 100));
    QCOMPARE(fill(38).color(), QColor(100, 100, 100));
    QCOMPARE(fill(39).color(), QColor(100, 150, 150));
    QCOMPARE(fill(50).color(), QColor(100, 150, 150));

    // Each column holds its one-pixel grid line; the number columns share the rest of the width
    // to the last pixel, none more than one pixel wider than another.
    for (const int width : {1200, 1000, 1333}) {
        mainWindow_->resize(width, 700);
        QTRY_COMPARE(grid->horizontalHeader()->length(), grid->viewport()->width());
        QCOMPARE(grid->columnWidth(0), 71);
        QCOMPARE(grid->columnWidth(1), 131);
        QCOMPARE(grid->columnWidth(2), 9);
        QCOMPARE(grid->columnWidth(38), 9);
        int narrowest = INT_MAX;
        int widest = 0;
        for (int column = 3; column <= 50; ++column) {
            if (column == 38)
                continue;
            narrowest = std::min(narrowest, grid->columnWidth(column));
            widest = std::max(widest, grid->columnWidth(column));
        }
        QVERIFY2(widest - narrowest <= 1, qPrintable(QString("%1..%2").arg(narrowest).arg(widest)));
        QCOMPARE(narrowest, (grid->viewport()->width() - 220) / 47);
    }
    QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 24);
    QCOMPARE(grid->horizontalHeader()->height(), 24);
}

void TestCodeGrid::emptyLotteryShowsAnEmptyGrid()
{
    tearDownProgram();
    setUpProgram({});
    openShippedLottery();
    CodeTrendModel* model = trendModel();
    QVERIFY(model);
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(model->columnCount(), 51);
    triggerAction("tlbbianwan");
    triggerAction("tlbbiaozhun");
    QCOMPARE(trendModel()->rowCount(), 0);
    QVERIFY(MessageBox::recorded().isEmpty());
}

void TestCodeGrid::modelPassesTheModelTester()
{
    openShippedLottery();
    QAbstractItemModelTester tester(trendModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    triggerAction("tlbbianwan");
    triggerAction("tlbbiaozhun");
}

void TestCodeGrid::aBurstOfMappingSwitchesRepaintsOnce()
{
    openShippedLottery();
    CodeTrendModel* model = trendModel();
    QTest::qWait(250); // past the refresh of the open itself
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    // A search drives the document directly, many times before the event loop runs.
    for (int step = 0; step < 20; ++step)
        document_->setTransformed();
    QCOMPARE(resets.count(), 0);
    QTRY_COMPARE(resets.count(), 1);
    QTest::qWait(300);
    QCOMPARE(resets.count(), 1);
    // What it shows is the last mapping.
    QCOMPARE(model->data(model->index(2, 1)).toString(),
             QString::fromStdString(document_->state().histext.drawText(2)));
}

void TestCodeGrid::emptyCellsCountTheOmissionAndBallsAreColoured()
{
    openShippedLottery();
    // Newest first. Front 03 came in the oldest and the middle draw; 35 never came, so it counts
    // from the oldest row; back 04 came in the second and third draw.
    QCOMPARE(columnOf(5), (QStringList{"2", "1", "●", "1", "●"}));
    QCOMPARE(columnOf(37), (QStringList{"5", "4", "3", "2", "1"}));
    QCOMPARE(columnOf(42), (QStringList{"2", "1", "●", "●", "1"}));
    const CodeTrendModel* model = trendModel();
    auto ink = [model](int row, int column) {
        return model->data(model->index(row, column), Qt::ForegroundRole).value<QBrush>().color();
    };
    QCOMPARE(ink(2, 5), QColor(Qt::red));
    QCOMPARE(ink(2, 42), QColor(Qt::blue));
    QVERIFY(ink(0, 5) != QColor(Qt::red) && ink(0, 5) != QColor(Qt::blue));
}

void TestCodeGrid::summaryRowsGiveTheFiguresOfEveryNumber()
{
    openShippedLottery();
    QTableView* summary = summaryGrid();
    QVERIFY(summary->isVisible());
    const QAbstractItemModel* figures = summary->model();
    QCOMPARE(figures->rowCount(), 4);
    QCOMPARE(figures->columnCount(), 51);
    auto column = [figures](int c) {
        QStringList texts;
        for (int row = 0; row < figures->rowCount(); ++row)
            texts.append(figures->index(row, c).data().toString());
        return texts;
    };
    QCOMPARE(column(0), (QStringList{"出现次数", "平均遗漏", "最大遗漏", "最大连出"}));
    QVERIFY(figures->index(1, 0).data(Qt::ToolTipRole).toString().contains("出现次数 + 1"));
    // Worked by hand over the five draws: 出现次数, (5 − 出现次数)/(出现次数 + 1), longest gap, run.
    QCOMPARE(column(5), (QStringList{"2", "1.0", "2", "1"}));
    QCOMPARE(column(37), (QStringList{"0", "5.0", "5", "0"}));
    QCOMPARE(column(42), (QStringList{"2", "1.0", "2", "2"}));
    QCOMPARE(column(50), (QStringList{"1", "2.0", "4", "1"}));
    QCOMPARE(column(2), (QStringList{"", "", "", ""}));
    // The figures stand under their numbers.
    for (const int c : {5, 37, 42})
        QCOMPARE(summary->columnWidth(c), requireChild<QTableView>(mainWindow_.get(), "grdcode")->columnWidth(c));
}

void TestCodeGrid::summaryRowsCoverTheChosenNewestDraws()
{
    tearDownProgram();
    const std::vector<std::vector<int>> draws = shippedDraws();
    QVERIFY(draws.size() > 100);
    setUpProgram(draws);
    openShippedLottery();
    const QAbstractItemModel* figures = summaryGrid()->model();
    auto* choice = requireChild<QComboBox>(mainWindow_.get(), "comtongjiqishu");
    QCOMPARE(choice->currentText(), QStringLiteral("全部"));
    // 出现次数 of front 07 (column 9) and back 12 (column 50) counted straight from the draws.
    const auto hits = [&draws](std::size_t newest, int number, bool back) {
        int count = 0;
        for (std::size_t r = draws.size() - newest; r < draws.size(); ++r)
            for (std::size_t k = back ? 6 : 1; k < (back ? 8u : 6u); ++k)
                count += draws[r][k] == number ? 1 : 0;
        return QString::number(count);
    };
    const auto occurrences = [figures](int first, int last) {
        int sum = 0;
        for (int c = first; c <= last; ++c)
            sum += figures->index(0, c).data().toInt();
        return sum;
    };
    QCOMPARE(figures->index(0, 9).data().toString(), hits(draws.size(), 7, false));
    for (const auto& [text, newest] : {std::pair{"最近30期", 30}, std::pair{"最近100期", 100}}) {
        choice->setCurrentIndex(choice->findText(QString::fromUtf8(text)));
        QCOMPARE(figures->index(0, 9).data().toString(), hits(static_cast<std::size_t>(newest), 7, false));
        QCOMPARE(figures->index(0, 50).data().toString(), hits(static_cast<std::size_t>(newest), 12, true));
        // Five front and two back numbers a draw.
        QCOMPARE(occurrences(3, 37), 5 * newest);
        QCOMPARE(occurrences(39, 50), 2 * newest);
    }
}

void TestCodeGrid::theOptionHidesOmissionsAndSummaryForTheRun()
{
    openShippedLottery();
    auto* option = requireChild<QCheckBox>(mainWindow_.get(), "chkyilou");
    QVERIFY(option->isChecked());
    option->setChecked(false);
    QCOMPARE(columnOf(5), (QStringList{"", "", "●", "", "●"}));
    QVERIFY(!summaryGrid()->isVisible());

    // A new grid (another tab and back) keeps the player's choice.
    triggerAction("mnudaxiao");
    triggerAction("mnucode");
    option = requireChild<QCheckBox>(mainWindow_.get(), "chkyilou");
    QVERIFY(!option->isChecked());
    QCOMPARE(columnOf(37), (QStringList{"", "", "", "", ""}));
    option->setChecked(true);
    QCOMPARE(columnOf(37), (QStringList{"5", "4", "3", "2", "1"}));
    QVERIFY(summaryGrid()->isVisible());
}

void TestCodeGrid::relabelledDrawsAreCaptioned()
{
    openShippedLottery();
    auto caption = [this] { return trendModel()->headerData(1, Qt::Horizontal).toString(); };
    QVERIFY(trendModel()->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isNull());
    triggerAction("tlbbianwan");
    QCOMPARE(caption(), QString("变幻后号码"));
    QVERIFY(trendModel()->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString().contains("不是实际开出的号码"));
    QVERIFY(!trendModel()->data(trendModel()->index(0, 1), Qt::ToolTipRole).isNull());
    // A grid created anew shows the real numbers even while 变幻走势 stays on.
    triggerAction("mnudaxiao");
    triggerAction("mnucode");
    QVERIFY(document_->state().bianhuan);
    QCOMPARE(caption(), QString("开奖号码"));
    triggerAction("tlbbianwan");
    triggerAction("tlbbiaozhun");
    QCOMPARE(caption(), QString("开奖号码"));
}

QTEST_MAIN(TestCodeGrid)
#include "test_code_grid.moc"
