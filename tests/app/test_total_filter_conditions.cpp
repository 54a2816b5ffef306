// The total filter window's conditions: its controls as opened, the order of a run's messages, the
// number buttons, the random selections and the settings read back.
#include "total_filter_window_test.h"

#include "common/message_box.h"
#include "common/random_source.h"
#include "scripted_random.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

namespace {

// The colour a button shows inside its border.
QColor fillOf(QWidget* button)
{
    return button->grab().toImage().pixelColor(4, 4);
}

} // namespace

class TestTotalFilterConditions : public TotalFilterWindowTest {
    Q_OBJECT
private slots:
    void windowAsOpened();
    void comboBoxesOfferTheGamesValues_data();
    void comboBoxesOfferTheGamesValues();
    void messagesComeInTheRunsOrder_data();
    void messagesComeInTheRunsOrder();
    void frontButtonsWaitForTheRedBallBox();
    void randomSelectionDrawsTheAskedCount();
    void settingsRoundTrip();
};

void TestTotalFilterConditions::windowAsOpened()
{
    QCOMPARE(window()->windowTitle(), QString("总体过滤"));
    const Qt::WindowFlags flags = window()->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window()->minimumSize(), window()->maximumSize());

    QVERIFY(child<QPushButton>("btnfilt")->isDefault());
    QVERIFY(!child<QPushButton>("btnsuiji1")->isEnabled());
    QVERIFY(child<QCheckBox>("chklanqiu")->isChecked() && !child<QCheckBox>("chklanqiu")->isEnabled());
    QVERIFY(!child<QProgressBar>("pb")->isVisible());
    QVERIFY(!child<QPushButton>("btnstop")->isVisible());
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果："));
    for (const char* name : {"edtzhong1", "edtzhong2", "edtsuiji1"})
        QCOMPARE(child<QLineEdit>(name)->text(), QString("5"));
    QCOMPARE(child<QLineEdit>("edtsuiji2")->text(), QString("2"));
    QCOMPARE(child<QLineEdit>("edtnum1")->text(), QString("1"));

    // 50 red and 30 blue buttons, blank and disabled past the game's numbers, laid out by the
    // group's formula: left (W−15)·column/10 + 5, top row·(H−15)/R + 15.
    NumberButtonGrid* front = grid("GroupBox2");
    QCOMPARE(front->buttonCount(), 50);
    QCOMPARE(front->button(35)->text(), QString("35"));
    QVERIFY(front->button(36)->text().isEmpty() && !front->button(36)->isEnabled());
    QCOMPARE(front->size(), QSize(415, 165));
    QCOMPARE(front->button(12)->geometry(), QRect(45, 45, 35, 25));
    NumberButtonGrid* back = grid("GroupBox3");
    QCOMPARE(back->buttonCount(), 30);
    QVERIFY(back->button(12)->isEnabled() && !back->button(13)->isEnabled() && back->button(13)->text().isEmpty());
    QCOMPARE(back->button(30)->geometry(), QRect(365, 75, 35, 25));
}

void TestTotalFilterConditions::comboBoxesOfferTheGamesValues_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("大数") << "comdaxiao1" << 0 << 5;
    QTest::newRow("奇数") << "comjiou2" << 0 << 5;
    QTest::newRow("和值") << "comhei1" << 15 << 165;
    QTest::newRow("跨度") << "comkuadu2" << 4 << 34;
    QTest::newRow("散度") << "comsandu1" << 4 << 30;
    QTest::newRow("偏度") << "compiandu2" << 0 << 30;
    QTest::newRow("AC值") << "comac1" << 4 << 10;
}

void TestTotalFilterConditions::comboBoxesOfferTheGamesValues()
{
    QFETCH(QString, combo);
    QFETCH(int, first);
    QFETCH(int, last);
    auto* box = child<QComboBox>(qPrintable(combo));
    QVERIFY(box->isEditable());
    QCOMPARE(box->count(), last - first + 1);
    QCOMPARE(box->itemText(0).toInt(), first);
    QCOMPARE(box->itemText(box->count() - 1).toInt(), last);
    QVERIFY(box->currentText().isEmpty());
}

void TestTotalFilterConditions::messagesComeInTheRunsOrder_data()
{
    // Each row sets up the controls ("name=value"; front/back click number buttons) and names the
    // one message the run shows. No back number is chosen unless a row says so, so every row also
    // carries the last check's fault: the message shown proves the order.
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("message");
    const QStringList sum{"chkhei=1", "comhei1=60", "comhei2=100"};
    QTest::newRow("no condition") << QStringList{"comkuadu1=20", "comkuadu2=10"} << "请选择过滤条件！";
    QTest::newRow("checked range with an empty field")
        << QStringList{"chkhei=1", "comhei1=60", "edtnum1=x"} << "请选择组合框中的数值！";
    QTest::newRow("banker box without bankers")
        << QStringList{"chkdanma=1", "comkuadu1=20", "comkuadu2=10"} << "请输入胆码以及最少中奖个数和最多中奖个数！";
    QTest::newRow("range value not a number, before the order check")
        << QStringList{"chkhei=1", "comhei1=abc", "comhei2=100", "comkuadu1=20", "comkuadu2=10"}
        << "“和值下限”中的“abc”不是有效的整数！";
    QTest::newRow("banker item not a number")
        << QStringList{"chkdanma=1", "edtdanma=1,2"} << "“胆码”中的“1,2”不是有效的整数！";
    QTest::newRow("hit count read even without bankers")
        << (sum + QStringList{"edtnum1=x"}) << "“胆码最少中奖个数”中的“x”不是有效的整数！";
    QTest::newRow("red-ball hits read when the box is checked")
        << QStringList{"chkhongqiu=1", "edtzhong2="} << "“红球最多中奖个数”中没有填写整数！";
    QTest::newRow("checked range upside down") << QStringList{"chkhei=1", "comhei1=100", "comhei2=60"}
                                               << "请前面组合框中的数值应该小于等于后面组合框中的数值！";
    QTest::newRow("unchecked range upside down") << (sum + QStringList{"comkuadu1=20", "comkuadu2=10"})
                                                 << "请前面组合框中的数值应该小于等于后面组合框中的数值！";
    QTest::newRow("banker hits upside down, banker box unchecked")
        << (sum + QStringList{"edtnum1=2"}) << "胆码前面的中奖个数应该小于等于后面的中奖个数！";
    QTest::newRow("red balls without a number") << QStringList{"chkhongqiu=1"} << "请点击你要选择的前区号！";
    QTest::newRow("four red balls") << QStringList{"chkhongqiu=1", "front=1 2 3 4"} << "请至少选择5前区号！";
    QTest::newRow("no blue ball") << sum << "请点击你要选择的后区号！";
    QTest::newRow("one blue ball") << (sum + QStringList{"back=1"}) << "请至少选择2个后区号！";
}

void TestTotalFilterConditions::messagesComeInTheRunsOrder()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, message);
    for (const QString& step : setup) {
        const QString name = step.section('=', 0, 0);
        const QString value = step.section('=', 1);
        if (name == "front" || name == "back") {
            QList<int> numbers;
            for (const QString& n : value.split(' '))
                numbers.append(n.toInt());
            clickNumbers(name == "front" ? "btnhong" : "btnlan", numbers);
        } else if (auto* box = window()->findChild<QCheckBox*>(name)) {
            box->setChecked(value == "1");
        } else if (auto* combo = window()->findChild<QComboBox*>(name)) {
            combo->setEditText(value);
        } else {
            QVERIFY2(window()->findChild<QLineEdit*>(name), qPrintable(name));
            window()->findChild<QLineEdit*>(name)->setText(value);
        }
    }
    QVERIFY(messageTexts().isEmpty());
    click("btnfilt");
    QCOMPARE(messageTexts(), QStringList{message});
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Critical);
    // Refused before anything ran: no task, no table, no list.
    QVERIFY(!window()->isBusy());
    QVERIFY(document_->state().allcode.empty());
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果："));
    QVERIFY(!QFile::exists(tempPath()));
}

void TestTotalFilterConditions::frontButtonsWaitForTheRedBallBox()
{
    NumberButtonGrid* front = grid("GroupBox2");
    clickNumbers("btnhong", {1});
    QCOMPARE(messageTexts(), QStringList{"请先在《选择红球》框上打勾！"});
    QVERIFY(!front->isSelected(1));

    child<QCheckBox>("chkhongqiu")->setChecked(true);
    QVERIFY(child<QPushButton>("btnsuiji1")->isEnabled());
    clickNumbers("btnhong", {1, 7, 7, 9});
    QCOMPARE(front->selectedNumbers(), (std::vector<int>{1, 9}));
    QCOMPARE(child<QLineEdit>("edtsuiji1")->text(), QString("2"));
    QCOMPARE(fillOf(front->button(1)), QColor(255, 50, 50));
    QVERIFY(fillOf(front->button(7)) != QColor(255, 50, 50));

    // Unchecking keeps the choice but takes the random button away.
    child<QCheckBox>("chkhongqiu")->setChecked(false);
    QVERIFY(!child<QPushButton>("btnsuiji1")->isEnabled());
    QCOMPARE(front->selectedCount(), 2);

    clickNumbers("btnlan", {12});
    QVERIFY(grid("GroupBox3")->isSelected(12));
    QCOMPARE(fillOf(grid("GroupBox3")->button(12)), QColor(50, 50, 255));
    QCOMPARE(child<QLineEdit>("edtsuiji2")->text(), QString("1"));
}

void TestTotalFilterConditions::randomSelectionDrawsTheAskedCount()
{
    // A number drawn twice is drawn again for the same place.
    window()->setRandomSource(std::make_unique<quorlin::test::ScriptedRandom>(
        std::vector<int>{3, 3, 0, 34}, quorlin::test::ScriptedRandom::Mode::Cycle));
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {20});
    child<QLineEdit>("edtsuiji1")->setText("3");
    click("btnsuiji1");
    QCOMPARE(grid("GroupBox2")->selectedNumbers(), (std::vector<int>{1, 4, 35}));
    QCOMPARE(child<QLineEdit>("edtsuiji1")->text(), QString("3"));

    window()->setRandomSource(std::make_unique<quorlin::ClockRandomSource>());
    child<QLineEdit>("edtsuiji2")->setText("12");
    click("btnsuiji2");
    QCOMPARE(grid("GroupBox3")->selectedCount(), 12);
    child<QLineEdit>("edtsuiji1")->setText("7");
    click("btnsuiji1");
    QCOMPARE(grid("GroupBox2")->selectedCount(), 7);
    QVERIFY(messageTexts().isEmpty());

    // Counts that cannot be drawn are refused and change nothing.
    const std::vector<int> before = grid("GroupBox2")->selectedNumbers();
    child<QLineEdit>("edtsuiji1")->setText("36");
    click("btnsuiji1");
    child<QLineEdit>("edtsuiji2")->setText("-1");
    click("btnsuiji2");
    child<QLineEdit>("edtsuiji1")->setText("五");
    click("btnsuiji1");
    QCOMPARE(messageTexts(),
             (QStringList{"随机选择红球的个数应在 0 到 35 之间！", "随机选择蓝球的个数应在 0 到 12 之间！",
                          "“随机选择红球的个数”中的“五”不是有效的整数！"}));
    QCOMPARE(grid("GroupBox2")->selectedNumbers(), before);
    QCOMPARE(grid("GroupBox3")->selectedCount(), 12);
}

void TestTotalFilterConditions::settingsRoundTrip()
{
    quorlin::TotalFilterSettings s;
    s.big = quorlin::FilterRange{1, 3};
    s.sum = quorlin::FilterRange{70, 110};
    s.ac = quorlin::FilterRange{6, 10};
    s.bankersOn = true;
    s.bankers = {3, 17};
    s.bankerHits = {1, 2};
    s.frontOn = true;
    s.front = {1, 2, 3, 4, 5, 6, 30};
    s.frontHits = {4, 5};
    s.back = {2, 5, 11};
    window()->setSettings(s);
    QString message;
    const auto read = window()->settings(message);
    QVERIFY2(read, qPrintable(message));
    QVERIFY(*read == s);
}

QTEST_MAIN(TestTotalFilterConditions)
#include "test_total_filter_conditions.moc"
