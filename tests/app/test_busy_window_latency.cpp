// How long the long actions of the compound search, the follow exclusion and the base intersection
// keep the interface thread from answering, on the real history and big bet lists: the figures are
// printed for comparison (never asserted); the results are checked as in the windows' own tests.
#include "event_loop_latency.h"
#include "gui_test_base.h"
#include "shipped_draws.h"

#include "betset/u_fushi.h"
#include "betset/u_jiaoqi.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "filter/exclusion_window.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/lottery_state.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <fstream>

namespace {

void report(const char* what, const EventLoopLatency& latency)
{
    qInfo("%-40s longest stall %5lld ms, until done %6lld ms%s", what, latency.longestStallMs, latency.totalMs,
          latency.settled ? "" : " (not done)");
}

/// A saved bet list: every `step`-th front combination of 35/5 from `first`, each with the back pair.
void writeBase(const std::string& path, int first, int step, const char* backs)
{
    std::ofstream out(path, std::ios::binary);
    int index = 0;
    char line[64];
    for (int a = 1; a <= 31; ++a)
        for (int b = a + 1; b <= 32; ++b)
            for (int c = b + 1; c <= 33; ++c)
                for (int d = c + 1; d <= 34; ++d)
                    for (int e = d + 1; e <= 35; ++e, ++index)
                        if (index >= first && (index - first) % step == 0) {
                            std::snprintf(line, sizeof line, "%.2d %.2d %.2d %.2d %.2d+%s\r\n", a, b, c, d, e, backs);
                            out << line;
                        }
}

} // namespace

class TestBusyWindowLatency : public GuiTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void compoundSearch();
    void compoundSearchOverTheSumChart();
    void followExclusion();
    void baseIntersection();

private:
    QWidget* open(const char* menuItem, const char* key);
    template <typename T> T* child(const char* name) const { return requireChild<T>(window_, name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    QString path(const char* name) const { return QString::fromStdString(program_->apppath()) + name; }
    int listLines(const char* name) const { return child<QAbstractItemView>(name)->model()->rowCount(); }

    std::vector<std::vector<int>> draws_;
    QWidget* window_ = nullptr;
};

void TestBusyWindowLatency::initTestCase()
{
    draws_ = shippedDraws();
    QVERIFY(draws_.size() > 2000);
}

void TestBusyWindowLatency::init()
{
    setUpProgram(draws_);
    mainWindow_->resize(1600, 1000);
    openShippedLottery();
    QCOMPARE(document_->state().recnum, static_cast<int>(draws_.size()));
}

void TestBusyWindowLatency::cleanup()
{
    window_ = nullptr;
    tearDownProgram();
}

QWidget* TestBusyWindowLatency::open(const char* menuItem, const char* key)
{
    EventLoopLatency latency = measureEventLoopLatency([&] { triggerAction(menuItem); });
    window_ = mainWindow_->tools().window(key);
    if (!window_)
        qFatal("no window %s", key);
    report(qPrintable(QStringLiteral("%1 opens").arg(key)), latency);
    return window_;
}

void TestBusyWindowLatency::compoundSearch()
{
    auto* window = qobject_cast<Tfrmfushi*>(open("mnufushi", "Tfrmfushi"));
    QVERIFY(window);
    child<QLineEdit>("edtyilouqishu")->setText("25");
    child<QLineEdit>("edtnum")->setText("20");
    for (const char* what : {"fushi: a search", "fushi: a second search"}) {
        child<QLineEdit>("edtfushicode")->clear();
        const auto latency = measureEventLoopLatency([&] { click("btnsou"); }, [&] { return !window->searching(); });
        report(what, latency);
        QVERIFY(latency.settled);
        const QStringList numbers = child<QLineEdit>("edtfushicode")->text().split(' ', Qt::SkipEmptyParts);
        QVERIFY2(numbers.size() <= 20 && numbers.size() >= 15, qPrintable(numbers.join(' ')));
        QVERIFY(!document_->state().bianhuan);
    }
    // A threshold no mapping reaches: the search goes on until 停止.
    child<QLineEdit>("edtyilouqishu")->setText("1000");
    child<QLineEdit>("edtfushicode")->setText("old");
    report("fushi: searching for 2 s", measureEventLoopLatency([&] { click("btnsou"); }, afterMs(2000)));
    QVERIFY(window->searching());
    const auto stop = measureEventLoopLatency([&] { click("btnsou"); }, [&] { return !window->searching(); });
    report("fushi: stop", stop);
    QVERIFY(!window->searching());
    QCOMPARE(child<QLineEdit>("edtfushicode")->text(), QStringLiteral("old"));
    QVERIFY(!document_->state().bianhuan);
}

void TestBusyWindowLatency::compoundSearchOverTheSumChart()
{
    // The main window shows 和值 over every draw: a chart of one bar per draw follows each mapping.
    auto* tabs = mainWindow_->findChild<QTabBar*>("tabmain");
    tabs->setCurrentIndex(3);
    auto* recent = mainWindow_->findChild<QComboBox*>("comzuijingqishu");
    QVERIFY(recent);
    recent->setCurrentIndex(0);
    report("和值: 全部期", measureEventLoopLatency([&] {
               QTest::mouseClick(mainWindow_->findChild<QPushButton*>("btntongji"), Qt::LeftButton);
           }));
    auto* window = qobject_cast<Tfrmfushi*>(open("mnufushi", "Tfrmfushi"));
    child<QLineEdit>("edtyilouqishu")->setText("1000");
    report("fushi over 和值: searching for 3 s", measureEventLoopLatency([&] { click("btnsou"); }, afterMs(3000)));
    QVERIFY(window->searching());
    report("fushi over 和值: stop",
           measureEventLoopLatency([&] { click("btnsou"); }, [&] { return !window->searching(); }));
}

void TestBusyWindowLatency::followExclusion()
{
    auto* window = qobject_cast<ExclusionWindow*>(open("mnuallgensui", "Tfrmallgensui"));
    QVERIFY(window);
    const auto idle = [window] { return !window->isBusy(); };
    report("follow: 变幻统计", measureEventLoopLatency([&] { click("btntongji"); }));
    // 变幻, 过滤到 50 注: the window's defaults.
    for (const char* what : {"follow: a run to 50", "follow: a second run"}) {
        const auto latency = measureEventLoopLatency([&] { click("btnfilt"); }, idle);
        report(what, latency);
        QVERIFY(latency.settled);
        QCOMPARE(listLines("memcode"), 50);
    }
    // 常规, one pass: most combinations stay.
    child<QRadioButton>("optmode")->setChecked(true);
    const auto plain = measureEventLoopLatency([&] { click("btnfilt"); }, idle);
    report("follow: 常规, one pass", plain);
    QVERIFY(plain.settled);
    const int kept = listLines("memcode");
    QVERIFY2(kept > 100000, qPrintable(QString::number(kept)));
    FileDialog::setNextFileName(path("跟随.txt"));
    const auto save = measureEventLoopLatency([&] { click("btnsave"); }, idle);
    report("follow: save of the big list", save);
    QTRY_VERIFY(QFileInfo(path("跟随.txt")).size() > 0);
    FileDialog::setNextFileName(path("跟随.txt"));
    const auto load = measureEventLoopLatency([&] { click("btnload"); }, idle);
    report("follow: load of the big list", load);
    QCOMPARE(listLines("memcode"), kept);
    // 变幻 to 1 注 from the loaded list, stopped after a while.
    child<QRadioButton>("optmode")->group()->buttons().value(1)->setChecked(true);
    child<QRadioButton>("optjushu")->setChecked(true);
    child<QLineEdit>("edtjushu")->setText("1");
    click("btnfilt");
    QTest::qWait(300);
    if (window->isBusy()) {
        const auto stop = measureEventLoopLatency([&] { click("btnfilt"); }, idle);
        report("follow: stop", stop);
        QVERIFY(stop.settled);
    }
}

void TestBusyWindowLatency::baseIntersection()
{
    auto* window = qobject_cast<Tfrmjiaoqi*>(open("mnujiaoqi", "Tfrmjiaoqi"));
    QVERIFY(window);
    const auto idle = [window] { return !window->isBusy(); };
    // Three bases of about 160,000 bets each; every combination of an even index lies in all three.
    const QStringList files{path("大底1.txt"), path("大底2.txt"), path("大底3.txt")};
    writeBase(files[0].toStdString(), 0, 2, "01 02");
    writeBase(files[1].toStdString(), 0, 2, "03 04");
    writeBase(files[2].toStdString(), 0, 2, "05 06");
    FileDialog::setNextFileNames(files);
    click("btndaoru");
    for (const char* what : {"jiaoqi: an intersection", "jiaoqi: a second intersection"}) {
        const auto latency = measureEventLoopLatency([&] { click("btnjiaoqi"); }, idle);
        report(what, latency);
        QVERIFY(latency.settled);
        // 162,316 fronts, each with the 15 pairs of the six back numbers imported.
        QCOMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集：2434740注"));
        QCOMPARE(listLines("memdadi"), 2434740);
    }
    FileDialog::setNextFileName(path("交集.txt"));
    const auto save = measureEventLoopLatency([&] { click("btnsave"); }, idle);
    report("jiaoqi: save", save);
    QVERIFY(save.settled);
    // The saved result (2,434,740 lines) as a base of its own: shown, and intersected, stopped on its way.
    FileDialog::setNextFileNames({path("交集.txt"), files[0]});
    click("btndaoru");
    auto* list = child<QListWidget>("lstdadi");
    auto* memo = child<QAbstractItemView>("memdadi");
    const QAbstractItemModel* result = memo->model();
    const auto shown = measureEventLoopLatency([&] { emit list->itemDoubleClicked(list->item(0)); },
                                               [&] { return memo->model() != result; });
    report("jiaoqi: showing the big base", shown);
    QVERIFY(shown.settled);
    QCOMPARE(memo->model()->index(0, 0).data().toString(), QStringLiteral("0000001    01 02 03 04 05+01 02 "));
    const auto after = measureEventLoopLatency([&] { click("btnjiaoqi"); }, idle);
    report("jiaoqi: intersecting the big base", after);
    QVERIFY(after.settled);
    QVERIFY(memo->model() == result);
    // The intersection is not saved: 清空所有 asks first.
    MessageBox::setNextAnswer(QMessageBox::Yes);
    report("jiaoqi: clear", measureEventLoopLatency([&] { click("btncls"); }));
    FileDialog::setNextFileNames({path("交集.txt"), files[0]});
    click("btndaoru");
    click("btnjiaoqi");
    QTest::qWait(200);
    QVERIFY(window->isBusy());
    const auto stop = measureEventLoopLatency([&] { click("btnstop"); }, idle);
    report("jiaoqi: stop in the big base", stop);
    QVERIFY(stop.settled);
    QCOMPARE(listLines("memdadi"), 0);
}

QTEST_MAIN(TestBusyWindowLatency)
#include "test_busy_window_latency.moc"
