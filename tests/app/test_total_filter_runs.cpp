// The total filter window's runs: whole runs checked against the core, cumulative runs, the
// transformed mapping, clear, stop, and the document announcing every new working table.
#include "total_filter_window_test.h"

#include "check/bet_price.h"
#include "common/message_box.h"
#include "common/uniform_list_view.h"
#include "shell/lottery_document.h"
#include "store/display_tables.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>

#include <algorithm>

class TestTotalFilterRuns : public TotalFilterWindowTest {
    Q_OBJECT
private slots:
    void runKeepsWhatTheCoreKeepsAndNarrowsFurther();
    void transformedModeTakesAwayTheRedBallChoice();
    void clearStartsOverInTheStandardMapping();
    void stopLeavesEverythingAsItWas();
    void everyNewWorkingTableIsAnnounced();
};

void TestTotalFilterRuns::runKeepsWhatTheCoreKeepsAndNarrowsFurther()
{
    QAbstractItemModelTester tester(child<QAbstractItemView>("memcode")->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "60");
    setCombo("comhei2", "100");
    clickNumbers("btnlan", {1, 2});
    filter();

    quorlin::TotalFilterSettings sum60to100;
    sum60to100.sum = quorlin::FilterRange{60, 100};
    const std::size_t expected = coreSurvivors(sum60to100);
    QVERIFY(expected > 1000);
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果：%1注（1个条件，容错0）").arg(expected));
    QCOMPARE(child<QLabel>("lblcost")->text(), QString::fromStdString(quorlin::betCostText(expected)));
    QCOMPARE(memoLines(), static_cast<int>(expected));
    // The first combination in table order whose sum reaches 60.
    QCOMPARE(memoLine(0), QString("0000001    01 02 03 19 35+01 02"));
    const QByteArray temp = fileBytes(tempPath());
    QVERIFY(temp.startsWith("0000001    01 02 03 19 35+01 02\r\n"));
    QCOMPARE(temp.count("\r\n"), static_cast<qsizetype>(expected));
    // The eight condition boxes are unchecked after a run; the chosen values stay.
    QVERIFY(!child<QCheckBox>("chkhei")->isChecked());
    QCOMPARE(child<QComboBox>("comhei2")->currentText(), QString("100"));
    QVERIFY(messageTexts().isEmpty());

    // The whole list can be scrolled through, to its last line and back.
    auto* memo = child<UniformListView>("memcode");
    const QModelIndex last = memo->model()->index(memoLines() - 1, 0);
    memo->scrollTo(last);
    QVERIFY(memo->viewport()->rect().contains(memo->visualRect(last)));
    QCOMPARE(memo->indexAt(memo->visualRect(last).center()), last);
    // The last combination in table order whose sum stays within 100.
    QCOMPARE(last.data().toString(), QString("%1    18 19 20 21 22+01 02").arg(expected, 7, 10, QChar('0')));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Home);
    QCOMPARE(memo->currentIndex().row(), 0);
    QCOMPARE(memo->firstVisibleRow(), 0);

    // The next run starts from what the first one kept.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "80");
    setCombo("comhei2", "120");
    filter();
    quorlin::TotalFilterSettings sum80to100;
    sum80to100.sum = quorlin::FilterRange{80, 100};
    QCOMPARE(memoLines(), static_cast<int>(coreSurvivors(sum80to100)));
    QCOMPARE(child<QLabel>("lblcost")->text(), QString::fromStdString(quorlin::betCostText(coreSurvivors(sum80to100))));
    QCOMPARE(document_->state().allcode.unmarked(), coreSurvivors(sum80to100));
}

void TestTotalFilterRuns::transformedModeTakesAwayTheRedBallChoice()
{
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    document_->setTransformed();
    QVERIFY(!child<QCheckBox>("chkhongqiu")->isChecked());
    QVERIFY(!child<QCheckBox>("chkhongqiu")->isEnabled());
    QVERIFY(!grid("GroupBox2")->isEnabled());
    QVERIFY(!child<QPushButton>("btnsuiji1")->isEnabled());

    // The conditions see the numbers of the coming draw's mapping: the one combination whose
    // transformed numbers are 1..5 is the only one with sum 15; the list shows its real numbers.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "15");
    setCombo("comhei2", "15");
    clickNumbers("btnlan", {1, 2});
    filter();
    QStringList real;
    std::vector<int> numbers;
    for (int t = 1; t <= 5; ++t)
        numbers.push_back(quorlin::unmapcoming(document_->state(), t));
    std::sort(numbers.begin(), numbers.end());
    for (int n : numbers)
        real.append(QString::asprintf("%.2d", n));
    QCOMPARE(memoLines(), 1);
    QCOMPARE(memoLine(0), "0000001    " + real.join(' ') + "+01 02");

    document_->setStandard();
    QVERIFY(child<QCheckBox>("chkhongqiu")->isEnabled());
    QVERIFY(grid("GroupBox2")->isEnabled());
}

void TestTotalFilterRuns::clearStartsOverInTheStandardMapping()
{
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "15");
    setCombo("comhei2", "15");
    clickNumbers("btnlan", {1, 2});
    filter();
    QCOMPARE(memoLines(), 1);
    document_->setTransformed();
    child<QCheckBox>("chkdanma")->setChecked(true);
    child<QLineEdit>("edtdanma")->setText("1 2");
    child<QLineEdit>("edtnum2")->setText("3");
    child<QLineEdit>("edtsuiji1")->setText("9");

    // The run's list is not saved: 清空 asks first.
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click("btnclear");
    QVERIFY(!document_->state().bianhuan);
    QVERIFY(mainWindow_->findChild<QAction*>("tlbbiaozhun")->isChecked());
    QVERIFY(child<QCheckBox>("chkhongqiu")->isEnabled());
    QVERIFY(grid("GroupBox2")->isEnabled());
    QVERIFY(!child<QCheckBox>("chkdanma")->isChecked());
    QVERIFY(child<QComboBox>("comhei1")->currentText().isEmpty());
    QVERIFY(child<QLineEdit>("edtdanma")->text().isEmpty());
    QCOMPARE(child<QLineEdit>("edtnum2")->text(), QString("1"));
    QCOMPARE(child<QLineEdit>("edtsuiji1")->text(), QString("5"));
    QCOMPARE(grid("GroupBox3")->selectedCount(), 0);
    QCOMPARE(memoLines(), 0);
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果："));
    QVERIFY(child<QLabel>("lblcost")->text().isEmpty());
    QCOMPARE(messageTexts().size(), 1);

    // The next run starts again from every combination.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "16");
    setCombo("comhei2", "16");
    clickNumbers("btnlan", {1, 2});
    filter();
    QCOMPARE(memoLines(), 1);
    QCOMPARE(memoLine(0), QString("0000001    01 02 03 04 06+01 02"));
}

void TestTotalFilterRuns::stopLeavesEverythingAsItWas()
{
    // First every front combination with one back pair, then all twelve back numbers: 21 million
    // lines, stopped at once.
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    for (int n = 1; n <= 35; ++n)
        clickNumbers("btnhong", {n});
    clickNumbers("btnlan", {1, 2});
    filter();
    QCOMPARE(memoLines(), 324632);
    const QByteArray temp = fileBytes(tempPath());
    const QString label = child<QLabel>("lblcode")->text();

    // A run that would narrow the table a little, were it not stopped.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "20");
    setCombo("comhei2", "160");
    clickNumbers("btnlan", {3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    click("btnfilt");
    QVERIFY(window()->isBusy());
    QVERIFY(child<QPushButton>("btnstop")->isVisible());
    QVERIFY(child<QProgressBar>("pb")->isVisible());
    for (const char* name : {"btnfilt", "btnclear", "btnsave", "btnload", "btnprint", "btnclose", "btnsuiji2"})
        QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
    QVERIFY(!child<QWidget>("GroupBox1")->isEnabled());
    QVERIFY(!grid("GroupBox2")->isEnabled() && !grid("GroupBox3")->isEnabled());
    // The mapping cannot change under the run.
    QVERIFY(!mainWindow_->findChild<QAction*>("tlbbianwan")->isEnabled());
    click("btnstop");
    waitIdle();

    QCOMPARE(memoLines(), 324632);
    QCOMPARE(child<QLabel>("lblcode")->text(), label);
    QCOMPARE(document_->state().allcode.unmarked(), std::size_t{324632});
    QVERIFY(fileBytes(tempPath()) == temp);
    QVERIFY(messageTexts().isEmpty());
    QVERIFY(!child<QPushButton>("btnstop")->isVisible());
    QVERIFY(child<QPushButton>("btnfilt")->isEnabled());
    QVERIFY(child<QPushButton>("btnsuiji1")->isEnabled());
}

void TestTotalFilterRuns::everyNewWorkingTableIsAnnounced()
{
    // What the document holds when it announces a new table.
    QList<std::size_t> announced;
    connect(document_.get(), &LotteryDocument::allcodeChanged, this,
            [this, &announced] { announced.append(document_->state().allcode.unmarked()); });

    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "15");
    setCombo("comhei2", "20");
    clickNumbers("btnlan", {1, 2});
    filter();
    quorlin::TotalFilterSettings sum15to20;
    sum15to20.sum = quorlin::FilterRange{15, 20};
    QCOMPARE(announced, (QList<std::size_t>{coreSurvivors(sum15to20)}));

    // A refused run writes nothing; a run that narrows the table to nothing still marks every row,
    // and says so.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "20");
    setCombo("comhei2", "15");
    click("btnfilt");
    QCOMPARE(announced.size(), 1);
    setCombo("comhei1", "150");
    setCombo("comhei2", "165");
    filter();
    QCOMPARE(messageTexts().last(), QString("没有符合条件的投注号码，请重新选择过滤条件！"));
    QCOMPARE(memoLines(), 0);
    // The count and cost of the previous list go with it.
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果："));
    QVERIFY(child<QLabel>("lblcost")->text().isEmpty());
    QCOMPARE(announced, (QList<std::size_t>{announced.first(), 0}));
    QCOMPARE(document_->state().allcode.rows(), std::size_t{324632});
}

QTEST_MAIN(TestTotalFilterRuns)
#include "test_total_filter_runs.moc"
