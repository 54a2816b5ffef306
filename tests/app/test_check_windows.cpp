// 投注中奖核对 and 过滤条件回测: the two tool windows over a small history.
#include "gui_test_base.h"

#include "check/condition_value_chart.h"
#include "check/u_duijiang.h"
#include "check/u_huice.h"
#include "common/bar_chart.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/text_grid.h"
#include "filter/total_filter.h"
#include "filter/u_totalfilt.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QChart>
#include <QCheckBox>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <fstream>

class TestCheckWindows : public GuiTestBase {
    Q_OBJECT
private slots:
    void init()
    {
        setUpProgram();
        openShippedLottery();
        std::filesystem::create_directories(program_->path() / "附属");
        std::filesystem::copy_file(std::string(quorlin::test::distFilesDir()) + "/附属/大乐透奖级.txt",
                                   program_->path() / "附属" / "大乐透奖级.txt");
    }
    void cleanup() { tearDownProgram(); }

    void checkListsDrawsTotalsChartAndWinners();
    void checkCountsTicketsAsTheirBets();
    void levelChartWritesLargeCountsInWan();
    void checkRefusesWithoutAList();
    void checkSaysWhenItsTotalsLeave64Bits();
    void levelsAndTheirNamesComeFromTheRuleSet();
    void quittingWithAResultShownFreesItAfterTheWindow();
    void backtestRunsOnTheTotalFilterConditions();
    void backtestAsksForTheTotalFilterFirst();
    void backtestChartsThePickedConditionAgainstItsRange();
    void backtestValueLabelsAreReadWhole();
    void backtestSaysWhatChanceGivesBesideEachHitRate();
    void windowsGoWithTheLottery();

private:
    Tfrmduijiang* openCheck()
    {
        triggerAction("mnuduijiang");
        return qobject_cast<Tfrmduijiang*>(mainWindow_->tools().window("Tfrmduijiang"));
    }
    static QString cell(const TextGrid* grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }
};

void TestCheckWindows::checkListsDrawsTotalsChartAndWinners()
{
    Tfrmduijiang* window = openCheck();
    QVERIFY(window && window->isVisible());
    // The last three fixture draws: 03 09 17 25 33 + 04 11, 11 12 13 14 15 + 05 06, 20 21 22 23 24 + 07 12.
    const std::string path = program_->apppath() + "bets.txt";
    std::ofstream(path, std::ios::binary) << "0000001    03 09 17 25 35+04 12\r\n"
                                             "0000002    11 12 13 20 21+05 06\r\n"
                                             "0000003    01 02 03 04 05+01 02\r\n";
    window->load(QString::fromStdString(path));
    QTRY_VERIFY(!window->isBusy());
    QCOMPARE(window->findChild<QLabel*>("lblfile")->text(), QString("bets.txt：3注"));
    QCOMPARE(window->findChild<QLabel*>("lblcost")->text(), QString("共3注，金额6元"));

    window->findChild<QRadioButton*>("optzuijin")->setChecked(true);
    window->findChild<QLineEdit*>("edtqishu")->setText("3");
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    QCOMPARE(window->checks().size(), std::size_t{3});

    auto* draws = window->findChild<TextGrid*>("tabdraws");
    QCOMPARE(draws->model()->rowCount(), 3);
    // Newest first: 2020005 wins nothing; 2020004: 3+2 六等奖 200; 2020003: 4+1 五等奖 300.
    QCOMPARE(cell(draws, 0, 0), QString("2020005"));
    QCOMPARE(cell(draws, 0, 12), QString("0元"));
    QCOMPARE(cell(draws, 0, 13), QString("未中奖"));
    QCOMPARE(cell(draws, 1, 2), QString("九个奖级"));
    QCOMPARE(cell(draws, 1, 3 + 5), QString("1"));
    QCOMPARE(cell(draws, 1, 12), QString("200元"));
    QCOMPARE(cell(draws, 2, 1), QString("03 09 17 25 33 + 04 11"));
    QCOMPARE(cell(draws, 2, 12), QString("300元"));
    QCOMPARE(cell(draws, 2, 13), QString("03 09 17 25 35+04 12 五等奖"));
    QCOMPARE(window->findChild<QLabel*>("lblzongji")->text(), QString("共3期9注，投入18元，奖金500元，盈亏482元"));

    auto* chart = window->findChild<BarChart*>("chtlevels");
    QCOMPARE(chart->bars(0).size(), 9);
    QCOMPARE(chart->bars(0)[4].value, 1.0);
    QCOMPARE(chart->bars(0)[5].value, 1.0);

    QTest::mouseClick(draws->viewport(), Qt::LeftButton, {}, draws->visualRect(draws->model()->index(1, 0)).center());
    auto* winners = window->findChild<TextGrid*>("tabwinners");
    QCOMPARE(winners->model()->rowCount(), 1);
    QCOMPARE(cell(winners, 0, 0), QString("11 12 13 20 21+05 06"));
    QCOMPARE(cell(winners, 0, 1), QString("3+2 六等奖 200元"));

    // With 追加 the stake is 3 a bet.
    window->findChild<QCheckBox*>("chkzhuijia")->setChecked(true);
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    QVERIFY(window->findChild<QLabel*>("lblzongji")->text().contains("投入27元"));
    QCOMPARE(window->findChild<QLabel*>("lblcost")->text(), QString("共3注，金额9元"));

    // A list loaded afterwards leaves the check on screen with the list it was made of.
    const std::string other = program_->apppath() + "other.txt";
    std::ofstream(other, std::ios::binary) << "01 02 03 04 05+01 02\r\n";
    window->load(QString::fromStdString(other));
    QTRY_VERIFY(!window->isBusy());
    QCOMPARE(window->findChild<QLabel*>("lblfile")->text(), QString("other.txt：1注"));
    QCOMPARE(window->findChild<QLabel*>("lblcost")->text(), QString("共1注，金额3元"));
    QCOMPARE(cell(draws, 2, 13), QString("03 09 17 25 35+04 12 五等奖"));
    QTest::mouseClick(draws->viewport(), Qt::LeftButton, {}, draws->visualRect(draws->model()->index(1, 0)).center());
    QCOMPARE(cell(winners, 0, 0), QString("11 12 13 20 21+05 06"));
}

void TestCheckWindows::checkCountsTicketsAsTheirBets()
{
    Tfrmduijiang* window = openCheck();
    // The 胆拖 ticket stands for 3 fronts × 3 back pairs; 2020004 is 11 12 13 14 15 + 05 06.
    const std::string path = program_->apppath() + "t.txt";
    std::ofstream(path, std::ios::binary) << "01 02 03 04 05+01 02\r\n11 12 13#20 21 22+05 06 07\r\n";
    window->load(QString::fromStdString(path));
    QTRY_VERIFY(!window->isBusy());
    QCOMPARE(window->findChild<QLabel*>("lblfile")->text(), QString("t.txt：10注（其中1行复式、胆拖票面）"));
    QCOMPARE(window->findChild<QLabel*>("lblcost")->text(), QString("共10注，金额20元"));
    window->findChild<QRadioButton*>("optqihao")->setChecked(true);
    window->findChild<QLineEdit*>("edtqihao")->setText("2020004");
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    auto* draws = window->findChild<TextGrid*>("tabdraws");
    QCOMPARE(draws->model()->rowCount(), 1);
    QCOMPARE(cell(draws, 0, 3 + 5), QString("3"));
    QCOMPARE(cell(draws, 0, 3 + 7), QString("6"));
    QCOMPARE(cell(draws, 0, 12), QString("690元"));
    QCOMPARE(cell(draws, 0, 13), QString("11 12 13 20 21+05 06 六等奖"));
    QTest::mouseClick(draws->viewport(), Qt::LeftButton, {}, draws->visualRect(draws->model()->index(0, 0)).center());
    auto* winners = window->findChild<TextGrid*>("tabwinners");
    QCOMPARE(winners->model()->rowCount(), 9);
    QCOMPARE(cell(winners, 0, 0), QString("11 12 13 20 21+05 06（票面 11 12 13#20 21 22+05 06 07）"));
    QCOMPARE(cell(winners, 0, 1), QString("3+2 六等奖 200元"));
    QCOMPARE(cell(winners, 8, 1), QString("3+1 八等奖 15元"));
}

void TestCheckWindows::levelChartWritesLargeCountsInWan()
{
    // The bets won per level of a large list: no exponent notation over the bars or on the axis.
    const struct {
        double value;
        const char* text;
        const char* tick;
    } cases[] = {{0, "0", "0"},
                 {1396, "1,396", "1,396"},
                 {9999, "9,999", "9,999"},
                 {84273000, "8,427.30万", "8,427.30万"},
                 {700000, "70.00万", "70万"},
                 {3e8, "3.00亿", "3亿"},
                 {52.5, "52.5", "52.5"}};
    for (const auto& c : cases) {
        QCOMPARE(BarChart::valueText(c.value), QString(c.text));
        QCOMPARE(BarChart::tickText(c.value), QString(c.tick));
    }
}

void TestCheckWindows::checkRefusesWithoutAList()
{
    Tfrmduijiang* window = openCheck();
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{"请先选择投注号码文件！"});
    const std::string path = program_->apppath() + "fronts.txt";
    std::ofstream(path, std::ios::binary) << "03 09 17 25 33\r\n";
    FileDialog::setNextFileName(QString::fromStdString(path));
    QTest::mouseClick(window->findChild<QPushButton*>("btnfile"), Qt::LeftButton);
    QCOMPARE(FileDialog::recorded().last().filter, QString("文本文件 (*.txt)"));
    QTRY_VERIFY(!window->isBusy());
    QVERIFY(window->findChild<QLabel*>("lblfile")->text().contains("1注没有后区号码，只核对前区"));
    window->findChild<QRadioButton*>("optqihao")->setChecked(true);
    window->findChild<QLineEdit*>("edtqihao")->setText("2019001");
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QCOMPARE(messageTexts().last(), QString("没有第2019001期的开奖号码！"));
    window->findChild<QLineEdit*>("edtqihao")->setText("2020003");
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    // 5+0 on the front alone: 三等奖.
    QCOMPARE(window->checks().size(), std::size_t{1});
    QCOMPARE(window->checks()[0].money, 10000);
}

void TestCheckWindows::checkSaysWhenItsTotalsLeave64Bits()
{
    // A table paying the largest amount for 0+0. Each ticket of every number holds 6,412,770 bets
    // of 0+0 in any draw: 30,000 of them win 1.9e18 元 a draw, 9.6e18 over five, past 2^63.
    std::ofstream(program_->path() / "附属" / "大乐透奖级.txt", std::ios::binary | std::ios::trunc)
        << "规则 2000-01-01 测试\n零等奖 10000000 0+0\n";
    const std::string path = program_->apppath() + "all.txt";
    {
        std::ofstream out(path, std::ios::binary);
        for (int k = 0; k < 30000; ++k)
            out << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 "
                   "33 34 35+01 02 03 04 05 06 07 08 09 10 11 12\n";
    }
    Tfrmduijiang* window = openCheck();
    window->load(QString::fromStdString(path));
    QTRY_VERIFY(!window->isBusy());
    window->findChild<QRadioButton*>("optzuijin")->setChecked(true);
    window->findChild<QLineEdit*>("edtqishu")->setText("5");
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    QCOMPARE(messageTexts(), QStringList{"奖金或投入超出计算范围，无法计算"});
}

void TestCheckWindows::levelsAndTheirNamesComeFromTheRuleSet()
{
    // An edited prize table of twelve levels, one hit pattern each: more than the game has today.
    const char* const names[] = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖",
                                 "六等奖", "七等奖", "八等奖", "九等奖", "十等奖", "十一等奖"};
    const char* const patterns[] = {"5+2", "5+1", "5+0", "4+2", "4+1", "4+0", "3+2", "3+1", "3+0", "2+2", "2+1", "1+2"};
    std::ofstream rules(program_->path() / "附属" / "大乐透奖级.txt", std::ios::binary | std::ios::trunc);
    rules << "规则 2020-01-01 十二个奖级\n";
    for (int k = 0; k < 12; ++k)
        rules << names[k] << ' ' << (k == 0 ? std::string("浮动") : std::to_string(1200 - 100 * k)) << ' '
              << patterns[k] << '\n';
    rules.close();

    Tfrmduijiang* window = openCheck();
    // Against 2020003, 03 09 17 25 33 + 04 11: 2+2 (九等奖) and 1+2 (十一等奖).
    const std::string path = program_->apppath() + "bets.txt";
    std::ofstream(path, std::ios::binary) << "01 02 03 04 09+04 11\r\n01 02 03 04 05+04 11\r\n";
    window->load(QString::fromStdString(path));
    QTRY_VERIFY(!window->isBusy());
    window->findChild<QRadioButton*>("optqihao")->setChecked(true);
    window->findChild<QLineEdit*>("edtqihao")->setText("2020003");
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));

    auto* draws = window->findChild<TextGrid*>("tabdraws");
    QAbstractItemModel* model = draws->model();
    QCOMPARE(model->columnCount(), 3 + 12 + 2);
    for (int k = 0; k < 12; ++k)
        QCOMPARE(model->headerData(3 + k, Qt::Horizontal).toString(), QString(names[k]));
    QCOMPARE(model->headerData(15, Qt::Horizontal).toString(), QString("奖金"));
    QCOMPARE(cell(draws, 0, 2), QString("十二个奖级"));
    QCOMPARE(cell(draws, 0, 3 + 9), QString("1"));
    QCOMPARE(cell(draws, 0, 3 + 10), QString("0"));
    QCOMPARE(cell(draws, 0, 3 + 11), QString("1"));
    QCOMPARE(cell(draws, 0, 15), QString("400元"));
    QCOMPARE(cell(draws, 0, 16), QString("01 02 03 04 09+04 11 九等奖"));

    auto* chart = window->findChild<BarChart*>("chtlevels");
    QCOMPARE(chart->bars(0).size(), 12);
    QCOMPARE(chart->bars(0)[11].label, QString("十一等奖"));
    QCOMPARE(chart->bars(0)[11].value, 1.0);
    QCOMPARE(chart->bars(0)[9].value, 1.0);
    QCOMPARE(chart->bars(0)[10].value, 0.0);
}

void TestCheckWindows::quittingWithAResultShownFreesItAfterTheWindow()
{
    // The draw grid fits its columns to their texts, so hiding it while the window is destroyed
    // asks for its cells again (a fault the address sanitizer build shows).
    QPointer<Tfrmduijiang> window = openCheck();
    const std::string path = program_->apppath() + "bets.txt";
    std::ofstream(path, std::ios::binary) << "03 09 17 25 35+04 12\r\n";
    window->load(QString::fromStdString(path));
    QTRY_VERIFY(!window->isBusy());
    window->findChild<QRadioButton*>("optzuijin")->setChecked(true);
    QTest::mouseClick(window->findChild<QPushButton*>("btnduijiang"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    auto* draws = window->findChild<TextGrid*>("tabdraws");
    QCOMPARE(draws->model()->rowCount(), 5);
    // The fit is pending, as when the program quits right after the results arrive.
    draws->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    mainWindow_.reset();
    QVERIFY(!window);
}

void TestCheckWindows::backtestRunsOnTheTotalFilterConditions()
{
    triggerAction("mnutotalfilt");
    auto* filter = qobject_cast<Tfrmtotalfilt*>(mainWindow_->tools().window("Tfrmtotalfilt"));
    quorlin::TotalFilterSettings s;
    s.sum = quorlin::FilterRange{0, 999};
    s.odd = quorlin::FilterRange{5, 5};
    s.back = {1, 2};
    filter->setSettings(s);
    QTest::mouseClick(filter->findChild<QPushButton*>("btnhuice"), Qt::LeftButton);
    auto* huice = qobject_cast<Tfrmhuice*>(mainWindow_->tools().window("Tfrmhuice"));
    QVERIFY(huice && huice->isVisible());
    QTRY_VERIFY(!huice->isBusy());
    QVERIFY(huice->result());
    // Five draws; only 03 09 17 25 33 is all odd. Sum 0-999 keeps everything, all odd C(18,5) = 8,568.
    QCOMPARE(huice->result()->rows.size(), std::size_t{5});
    auto* summary = huice->findChild<TextGrid*>("tabsummary");
    QCOMPARE(cell(summary, 0, 0), QString("奇数"));
    QCOMPARE(cell(summary, 0, 1), QString("1/5"));
    QCOMPARE(cell(summary, 1, 2), QString("100.0%"));
    QCOMPARE(cell(summary, 1, 5), QString("324632.0"));
    QCOMPARE(cell(summary, 2, 0), QString("全部条件"));
    QCOMPARE(cell(summary, 2, 5), QString("8568.0"));
    auto* history = huice->findChild<TextGrid*>("tabhistory");
    QCOMPARE(cell(history, 2, 0), QString("2020003"));
    QCOMPARE(cell(history, 2, 4), QString("√"));
    QCOMPARE(cell(history, 0, 4), QString("×"));
    QVERIFY(huice->findChild<QLabel*>("lbltiaojian")->text().contains("奇数 5，"));
}

void TestCheckWindows::backtestAsksForTheTotalFilterFirst()
{
    triggerAction("mnuhuice");
    auto* huice = qobject_cast<Tfrmhuice*>(mainWindow_->tools().window("Tfrmhuice"));
    QTest::mouseClick(huice->findChild<QPushButton*>("btnhuice"), Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{"请先打开总体过滤窗口并设置过滤条件！"});
    QVERIFY(!huice->result());
    triggerAction("tlbbianwan");
    QTest::mouseClick(huice->findChild<QPushButton*>("btnhuice"), Qt::LeftButton);
    QCOMPARE(messageTexts().last(), QString("回测按真实号码进行，请先切换到标准走势！"));
}

void TestCheckWindows::backtestChartsThePickedConditionAgainstItsRange()
{
    triggerAction("mnuhuice");
    auto* huice = qobject_cast<Tfrmhuice*>(mainWindow_->tools().window("Tfrmhuice"));
    quorlin::TotalFilterSettings s;
    s.odd = quorlin::FilterRange{5, 5};
    s.extraRange(quorlin::ExtraCondition::Repeat) = quorlin::FilterRange{1, 1};
    s.tolerance = 1;
    s.back = {1, 2};
    huice->runOn(s);
    QTRY_VERIFY(!huice->isBusy());
    QVERIFY(huice->findChild<QLabel*>("lbltiaojian")->text().contains("重号 1，容错 1"));
    auto* chart = huice->findChild<ConditionValueChart*>("chtzhi");
    const auto values = [chart] {
        QList<double> ys;
        for (const QPointF& p : chart->points())
            ys << p.y();
        return ys;
    };
    // The first condition at once: 01–05, 06–10, 03 09 17 25 33, 11–15, 20–24; four outside 5-5.
    QCOMPARE(chart->title(), QString("奇数：各期开奖号码的值（范围 5-5）"));
    QCOMPARE(values(), (QList<double>{3, 2, 5, 3, 2}));
    QCOMPARE(chart->outsidePoints().size(), 4);
    QCOMPARE(chart->bandLow(), 5.0);
    QCOMPARE(chart->bandHigh(), 5.0);
    // 重号 by its row in the summary: each draw against the one before (09), none before the first.
    huice->findChild<TextGrid*>("tabsummary")->selectRow(1);
    QCOMPARE(chart->title(), QString("重号：各期开奖号码的值（范围 1-1）"));
    QCOMPARE(values(), (QList<double>{0, 0, 1, 0, 0}));
    QCOMPARE(chart->bandLow(), 1.0);
    QCOMPARE(chart->bandHigh(), 1.0);
    // 全部条件 by its column in the draws: the conditions each winner failed, against the 容错.
    QHeaderView* header = huice->findChild<TextGrid*>("tabhistory")->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(4) + 4, header->height() / 2));
    QCOMPARE(chart->title(), QString("全部条件：各期开奖号码未满足的条件数（容错 1）"));
    QCOMPARE(values(), (QList<double>{2, 2, 0, 2, 2}));
    QCOMPARE(chart->bandLow(), 0.0);
    QCOMPARE(chart->bandHigh(), 1.0);
}

void TestCheckWindows::backtestValueLabelsAreReadWhole()
{
    triggerAction("mnuhuice");
    auto* huice = qobject_cast<Tfrmhuice*>(mainWindow_->tools().window("Tfrmhuice"));
    quorlin::TotalFilterSettings s;
    s.odd = quorlin::FilterRange{5, 5};
    s.back = {1, 2};
    huice->runOn(s);
    QTRY_VERIFY(!huice->isBusy());
    auto* chart = huice->findChild<ConditionValueChart*>("chtzhi");
    QVERIFY(chart->isVisible());
    const auto valueLabels = [chart] {
        QStringList labels;
        for (QGraphicsItem* item : chart->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible()) {
                bool number = false;
                const int value = text->toPlainText().toInt(&number);
                if (text->toPlainText().contains("...") || text->toPlainText().contains(QChar(0x2026)) ||
                    (number && value < 100))
                    labels << text->toPlainText();
            }
        return labels;
    };
    // The values 1–6 in a chart 80 to 120 pixels high: a label at each would be cut down to dots.
    QSignalSpy laidOut(chart->chart(), &QChart::plotAreaChanged);
    for (const int height : {780, 700}) {
        laidOut.clear();
        const int before = huice->height();
        huice->resize(980, height);
        if (huice->height() != before)
            QTRY_VERIFY(!laidOut.isEmpty());
        QTRY_VERIFY(!valueLabels().isEmpty());
        const QStringList labels = valueLabels();
        for (const QString& label : labels) {
            bool number = false;
            label.toInt(&number);
            QVERIFY2(number, qPrintable(labels.join(' ')));
        }
        QVERIFY2(labels.size() >= 2, qPrintable(labels.join(' ')));
    }
}

void TestCheckWindows::backtestSaysWhatChanceGivesBesideEachHitRate()
{
    triggerAction("mnuhuice");
    auto* huice = qobject_cast<Tfrmhuice*>(mainWindow_->tools().window("Tfrmhuice"));
    quorlin::TotalFilterSettings s;
    s.odd = quorlin::FilterRange{5, 5};
    s.sum = quorlin::FilterRange{15, 15};
    s.back = {1, 2};
    huice->runOn(s);
    QTRY_VERIFY(!huice->isBusy());
    auto* summary = huice->findChild<TextGrid*>("tabsummary");
    QCOMPARE(summary->model()->headerData(3, Qt::Horizontal).toString(), QString("随机命中率"));
    QCOMPARE(summary->model()->headerData(4, Qt::Horizontal).toString(), QString("p值"));
    QVERIFY(summary->model()->headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString().contains("5%"));
    // Five draws. All odd: C(18,5) = 8,568 of 324,632 fronts (2.6%), one hit: p = 1 − P(no hit) =
    // 0.125. Sum 15: 01–05 alone, drawn once: p ≈ 5/324,632. Both: no front, no hit.
    const QStringList expected[] = {{"奇数", "1/5", "20.0%", "2.6%", "0.125"},
                                    {"和值", "1/5", "20.0%", "0.0%", "1.54e-05"},
                                    {"全部条件", "0/5", "0.0%", "0.0%", "1"}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            QCOMPARE(cell(summary, row, column), expected[row][column]);
    auto* sentence = huice->findChild<QLabel*>("lblsuiji");
    QVERIFY(sentence->text().startsWith("奇数：命中率与随机选号无显著差异。"));
    QVERIFY(sentence->text().contains("显著性水平 5%"));
    summary->selectRow(1);
    QVERIFY(sentence->text().startsWith("和值：命中率高于随机选号（p=1.54e-05）。"));
}

void TestCheckWindows::windowsGoWithTheLottery()
{
    QVERIFY(!mainWindow_->findChild<QAction*>("mnuduijiang")->text().isEmpty());
    QPointer<QWidget> check = openCheck();
    triggerAction("mnuhuice");
    QPointer<QWidget> huice = mainWindow_->tools().window("Tfrmhuice");
    QVERIFY(check && huice);
    QCOMPARE(check->windowFlags() & Qt::WindowStaysOnTopHint, Qt::WindowStaysOnTopHint);
    triggerAction("mnuduijiang");
    QCOMPARE(mainWindow_->tools().window("Tfrmduijiang"), check.data());
    triggerAction("mnuclose");
    QTRY_VERIFY(!check && !huice);
    QVERIFY(!mainWindow_->findChild<QAction*>("mnuduijiang")->isEnabled());
    QVERIFY(!mainWindow_->findChild<QAction*>("mnuhuice")->isEnabled());
}

QTEST_MAIN(TestCheckWindows)
#include "test_check_windows.moc"
