// The four 无穷 exclusion windows: their controls and defaults, a run checked against the core with
// the same seed, stop, refusals, load and save, the follow window's modes and tabs.
#include "gui_test_base.h"

#include "check/bet_price.h"
#include "common/file_dialog.h"
#include "common/random_source.h"
#include "filter/exclusion_set.h"
#include "filter/exclusion_window.h"
#include "filter/sum_exclusion.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

class TestExclusionWindows : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowsOpenWithTheirCaptionsAndDefaults_data();
    void windowsOpenWithTheirCaptionsAndDefaults();
    void aRunKeepsWhatTheCoreKeepsWithTheSameSeed();
    void stopLeavesMemoLabelAndFileAsTheyWere();
    void closingStopsTheRun();
    void theStageBoxShowsTheStageOfTheLastRun_data();
    void theStageBoxShowsTheStageOfTheLastRun();
    void refusalsComeBeforeAnyRun();
    void loadThenSaveGivesTheBetsBack();
    void followModesSwitchTheRunControls();

private:
    ExclusionWindow* open(const char* action, const char* key);
    template <class T> T* child(const char* name) const { return window_->findChild<T*>(name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void waitIdle() { QTRY_VERIFY(!window_->isBusy()); }
    int memoLines() const { return child<QAbstractItemView>("memcode")->model()->rowCount(); }
    QString memoLine(int row) const
    {
        const QAbstractItemModel* m = child<QAbstractItemView>("memcode")->model();
        return m->data(m->index(row, 0)).toString();
    }
    QString tempPath() const { return QString::fromStdString(program_->apppath()) + "temp.txt"; }

    ExclusionWindow* window_ = nullptr;
};

void TestExclusionWindows::init()
{
    setUpProgram();
    openShippedLottery();
}

void TestExclusionWindows::cleanup()
{
    window_ = nullptr;
    tearDownProgram();
}

ExclusionWindow* TestExclusionWindows::open(const char* action, const char* key)
{
    triggerAction(action);
    window_ = qobject_cast<ExclusionWindow*>(mainWindow_->tools().window(key));
    return window_;
}

void TestExclusionWindows::windowsOpenWithTheirCaptionsAndDefaults_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("defaults"); // objectName=text of line edits, combo boxes and labels
    QTest::newRow("sum") << "mnuallhei"
                         << "Tfrmallhei"
                         << "无穷和值排除选号"
                         << QStringList{"comhei1=149",    "comhei2=44",       "edtjushu=10000",
                                        "edtcishu=10000", "comcurqi=2020006", "lbljieduannum=阶段期数："};
    QTest::newRow("repeat") << "mnuallcongma"
                            << "Tfrmallcongma"
                            << "无穷重码排除选号"
                            << QStringList{"comqishu=5", "comAC=5", "comjieduannum=全部期", "lbljieduannum=阶段期数："};
    QTest::newRow("bias") << "mnuallpiantai"
                          << "Tfrmallpiantai"
                          << "无穷偏态排除选号"
                          << QStringList{"edtdanum=4",    "edtdanum1=0",   "edtdanum2=4",   "edtxiaonum=1",
                                         "edtxiaonum1=1", "edtxiaonum2=5", "edtyanxunum=2", "lbljieduannum=阶段期数："};
    QTest::newRow("follow") << "mnuallgensui"
                            << "Tfrmallgensui"
                            << "无穷历史跟随排除选号"
                            << QStringList{"edtjushu=50",
                                           "edtcishu=1",
                                           "edthuishu=2",
                                           "comhei1=5",
                                           "comhei2=0",
                                           "comjieduannum=100",
                                           "lbljieduannum=阶段统计期："};
}

void TestExclusionWindows::windowsOpenWithTheirCaptionsAndDefaults()
{
    QFETCH(QString, action);
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QStringList, defaults);
    QVERIFY(open(qPrintable(action), qPrintable(key)));
    QCOMPARE(window_->windowTitle(), caption);
    QVERIFY(child<QRadioButton>("optjushu")->isChecked());
    QVERIFY(!child<QComboBox>("comjieduannum")->isEnabled());
    QCOMPARE(child<QLabel>("lblcode")->text(), QStringLiteral("过滤结果："));
    // Every member judges relabelled numbers (the follow window in its default 变幻 mode): the line
    // under the settings says that kept bets may break the shown ranges in real numbers.
    auto* note = child<QLabel>("lblbianhuan");
    QVERIFY(note && note->isVisibleTo(window_));
    QVERIFY(note->text().contains(QStringLiteral("随机变换后的号码")));
    QVERIFY(note->text().contains(QStringLiteral("实际号码")));
    for (const QString& d : defaults) {
        const QString name = d.section('=', 0, 0), text = d.section('=', 1);
        if (auto* e = child<QLineEdit>(qPrintable(name)))
            QCOMPARE(e->text(), text);
        else if (auto* c = child<QComboBox>(qPrintable(name)))
            QCOMPARE(c->currentText(), text);
        else if (auto* l = child<QLabel>(qPrintable(name)))
            QCOMPARE(l->text(), text);
        else
            QFAIL(qPrintable("no field " + name));
    }
}

void TestExclusionWindows::aRunKeepsWhatTheCoreKeepsWithTheSameSeed()
{
    QVERIFY(open("mnuallhei", "Tfrmallhei"));
    window_->setRandomSource(std::make_shared<quorlin::SeededRandomSource>(8));
    child<QRadioButton>("optcishu")->setChecked(true);
    child<QLineEdit>("edtcishu")->setText("2");
    click("btngen");
    waitIdle();

    const quorlin::DrawHistory h = quorlin::DrawHistory::of(document_->state());
    quorlin::SumExclusion sum(h, {5, 149, 44});
    quorlin::ExclusionSet set(35, 5);
    quorlin::SeededRandomSource rng(8);
    set.run(sum, {false, 0, 2, 0}, quorlin::ExclusionSet::AfterRun::StartOver, rng);
    const quorlin::BetList bets = set.bets();
    QCOMPARE(memoLines(), static_cast<int>(bets.size()));
    QCOMPARE(child<QLabel>("lblcode")->text(), QStringLiteral("过滤结果：%1注").arg(bets.size()));
    // Front combinations alone: counted, not priced.
    QCOMPARE(child<QLabel>("lblcost")->text(), QString::fromStdString(quorlin::frontOnlyCostText(bets.size())));
    QCOMPARE(memoLine(0), QString::fromStdString(bets.numbered(0)));
    QVERIFY(memoLine(0).endsWith(' '));
    QVERIFY(fileBytes(tempPath()).startsWith(QByteArray::fromStdString(bets.numbered(0) + "\r\n")));
    QCOMPARE(child<QPushButton>("btngen")->text(), QStringLiteral("开始过滤"));
    QVERIFY(!child<QProgressBar>("pb")->isVisible());
    // The stage box shows the stage the run used (1..5 here; item 0 is 全部期).
    QVERIFY(set.stage() >= 1);
    QCOMPARE(child<QComboBox>("comjieduannum")->currentIndex(), set.stage());
}

void TestExclusionWindows::stopLeavesMemoLabelAndFileAsTheyWere()
{
    // With both boxes cleared the bias window can exclude nothing: a count-mode run goes on until 停止.
    // The first run clears them too: a random draw could otherwise exclude some bets already.
    QVERIFY(open("mnuallpiantai", "Tfrmallpiantai"));
    child<QCheckBox>("chkda")->setChecked(false);
    child<QCheckBox>("chkxiao")->setChecked(false);
    child<QRadioButton>("optcishu")->setChecked(true);
    child<QLineEdit>("edtcishu")->setText("1");
    click("btngen");
    waitIdle();
    QCOMPARE(memoLines(), 324632);
    const QString label = child<QLabel>("lblcode")->text();
    const QByteArray temp = fileBytes(tempPath());

    child<QRadioButton>("optjushu")->setChecked(true);
    click("btngen");
    QVERIFY(window_->isBusy());
    QCOMPARE(child<QPushButton>("btngen")->text(), QStringLiteral("停止"));
    for (const char* name : {"btnsave", "btnload", "btnclear"})
        QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
    QTest::qWait(100);
    QVERIFY(window_->isBusy());
    click("btngen");
    waitIdle();
    QCOMPARE(memoLines(), 324632);
    QCOMPARE(child<QLabel>("lblcode")->text(), label);
    QVERIFY(fileBytes(tempPath()) == temp);
    QCOMPARE(child<QPushButton>("btngen")->text(), QStringLiteral("开始过滤"));
    QVERIFY(messageTexts().isEmpty());
}

void TestExclusionWindows::theStageBoxShowsTheStageOfTheLastRun_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("key");
    QTest::newRow("sum") << "mnuallhei"
                         << "Tfrmallhei";
    QTest::newRow("repeat") << "mnuallcongma"
                            << "Tfrmallcongma";
}

void TestExclusionWindows::theStageBoxShowsTheStageOfTheLastRun()
{
    QFETCH(QString, action);
    QFETCH(QString, key);
    QVERIFY(open(qPrintable(action), qPrintable(key)));
    child<QComboBox>("comcurqi")->setCurrentIndex(3);
    child<QRadioButton>("optcishu")->setChecked(true);
    child<QLineEdit>("edtcishu")->setText("1");
    if (auto* q = child<QComboBox>("comqishu"))
        q->setCurrentIndex(0);
    click("btngen");
    waitIdle();
    // A run's stage lies in 1..cur (item 0 is 全部期).
    const int stage = child<QComboBox>("comjieduannum")->currentIndex();
    QVERIFY2(stage >= 1 && stage <= 3, qPrintable(QString::number(stage)));
}

void TestExclusionWindows::closingStopsTheRun()
{
    // The bias window with both boxes cleared excludes nothing: a count-mode run goes on until it
    // is stopped, and 关闭 stops it, leaving the memo as it was.
    QVERIFY(open("mnuallpiantai", "Tfrmallpiantai"));
    child<QCheckBox>("chkda")->setChecked(false);
    child<QCheckBox>("chkxiao")->setChecked(false);
    click("btngen");
    QVERIFY(window_->isBusy());
    click("btnclose");
    QVERIFY(!window_->isVisible());
    waitIdle();
    QCOMPARE(child<QLabel>("lblcode")->text(), QStringLiteral("过滤结果："));
    QCOMPARE(child<QPushButton>("btngen")->text(), QStringLiteral("开始过滤"));
}

void TestExclusionWindows::refusalsComeBeforeAnyRun()
{
    QVERIFY(open("mnuallcongma", "Tfrmallcongma"));
    child<QComboBox>("comcurqi")->setCurrentIndex(0);
    click("btngen");
    QVERIFY(!window_->isBusy());
    child<QComboBox>("comcurqi")->setCurrentIndex(3);
    child<QComboBox>("comqishu")->setCurrentIndex(4); // Q = 5 > 3 draws
    click("btngen");
    QVERIFY(!window_->isBusy());
    QVERIFY(open("mnuallgensui", "Tfrmallgensui"));
    child<QLineEdit>("edthuishu")->setText("4");
    click("btnfilt");
    QVERIFY(!window_->isBusy());
    // Counts the run cannot take: none, below zero, beyond the bound.
    QVERIFY(open("mnuallhei", "Tfrmallhei"));
    child<QLineEdit>("edtjushu")->setText("0");
    click("btngen");
    child<QLineEdit>("edtjushu")->setText("-7");
    click("btngen");
    child<QRadioButton>("optcishu")->setChecked(true);
    child<QLineEdit>("edtcishu")->setText("0");
    click("btngen");
    child<QLineEdit>("edtcishu")->setText("1000001");
    click("btngen");
    QVERIFY(!window_->isBusy());
    const QStringList texts = messageTexts();
    QCOMPARE(texts.size(), 7);
    QVERIFY(texts[0].startsWith(QStringLiteral("目前投注期之前没有开奖号码")));
    QVERIFY(texts[1].startsWith(QStringLiteral("重码期数不能多于")));
    QCOMPARE(texts[2], QStringLiteral("对比号码数只能是 1、2 或 3！"));
    QCOMPARE(texts[3], QStringLiteral("过滤到的注数应大于0"));
    QCOMPARE(texts[4], QStringLiteral("过滤到的注数应大于0"));
    QCOMPARE(texts[5], QStringLiteral("过滤次数应为1到1000000"));
    QCOMPARE(texts[6], QStringLiteral("过滤次数应为1到1000000"));
    QCOMPARE(child<QLabel>("lblcode")->text(), QStringLiteral("过滤结果："));
}

void TestExclusionWindows::loadThenSaveGivesTheBetsBack()
{
    QVERIFY(open("mnuallhei", "Tfrmallhei"));
    const QString in = QString::fromStdString(program_->apppath()) + "in.txt";
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("01 02 03 04 05+01 02\r\n01 02 03 04 05+01 03\r\n03 09 17 25 33\r\n");
    f.close();
    FileDialog::setNextFileName(in);
    click("btnload");
    waitIdle();
    QCOMPARE(memoLines(), 2);
    QCOMPARE(memoLine(1), QStringLiteral("0000002    03 09 17 25 33 "));
    QCOMPARE(child<QLabel>("lblcode")->text(), QStringLiteral("过滤结果：2注"));
    QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共2个前区组合，配后区后每注2元"));
    const QString out = QString::fromStdString(program_->apppath()) + "out.txt";
    FileDialog::setNextFileName(out);
    click("btnsave");
    QCOMPARE(fileBytes(out), QByteArray("01 02 03 04 05\r\n03 09 17 25 33\r\n"));
    QCOMPARE(messageTexts().value(0), QStringLiteral("成功保存！"));

    // A file with a number out of range is refused, naming the line; the list stays.
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("01 02 03 04 05\r\n01 02 03 04 36\r\n");
    f.close();
    FileDialog::setNextFileName(in);
    click("btnload");
    waitIdle();
    QVERIFY(messageTexts().value(1).startsWith(QStringLiteral("第 2 行")));
    QCOMPARE(memoLines(), 2);
    QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共2个前区组合，配后区后每注2元"));
    click("btnclear");
    QVERIFY(child<QLabel>("lblcost")->text().isEmpty());
}

void TestExclusionWindows::followModesSwitchTheRunControls()
{
    QVERIFY(open("mnuallgensui", "Tfrmallgensui"));
    auto* tabs = child<QTabWidget>("page");
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("历史统计"));
    QCOMPARE(child<QPushButton>("btntongji")->text(), QStringLiteral("变幻统计"));
    auto* plain = child<QRadioButton>("optmode");
    QCOMPARE(plain->text(), QStringLiteral("常规"));
    QVERIFY(child<QLabel>("lblbianhuan")->isVisibleTo(window_));
    plain->setChecked(true);
    // 常规 compares the real history: nothing is relabelled, so the line goes.
    QVERIFY(!child<QLabel>("lblbianhuan")->isVisibleTo(window_));
    QVERIFY(!child<QRadioButton>("optjushu")->isEnabled());
    QVERIFY(child<QRadioButton>("optcishu")->isChecked());
    QCOMPARE(child<QLineEdit>("edtcishu")->text(), QStringLiteral("1"));
    QCOMPARE(child<QPushButton>("btntongji")->text(), QStringLiteral("常规统计"));

    // 常规 is one pass, and the same pass again gives the same list.
    click("btnfilt");
    waitIdle();
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("投注号码"));
    const QString label = child<QLabel>("lblcode")->text();
    click("btnfilt");
    waitIdle();
    QCOMPARE(child<QLabel>("lblcode")->text(), label);

    plain->parentWidget()->findChildren<QRadioButton*>().at(1)->setChecked(true); // 变幻
    QVERIFY(child<QRadioButton>("optjushu")->isEnabled() && child<QRadioButton>("optjushu")->isChecked());
    QVERIFY(child<QLabel>("lblbianhuan")->isVisibleTo(window_));
    QCOMPARE(child<QLineEdit>("edtcishu")->text(), QStringLiteral("100"));
    QCOMPARE(child<QPushButton>("btntongji")->text(), QStringLiteral("变幻统计"));
}

QTEST_MAIN(TestExclusionWindows)
#include "test_exclusion_windows.moc"
