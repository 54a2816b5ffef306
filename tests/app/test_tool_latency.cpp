// How long the interface thread stalls when a player starts, stops and saves the long jobs of the
// bet-set and exclusion tools over the whole shipped history and big bet lists. The figures are
// printed for comparison, never asserted: the tests check only that each action ends as it should.
#include "event_loop_latency.h"
#include "gui_test_base.h"
#include "shipped_draws.h"

#include "betset/u_fushi.h"
#include "betset/u_jiaoqi.h"
#include "common/file_dialog.h"
#include "filter/exclusion_window.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/lottery_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <fstream>
#include <memory>

class TestToolLatency : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { tearDownProgram(); }

    void compoundSearchStartsStepsAndStops();
    void followExclusionStartsStopsAndSaves();
    void intersectionStartsStopsAndSaves();

private:
    static void report(const char* action, const EventLoopLatency& latency);
    template <typename T> T* open(const char* menuItem, const char* key)
    {
        triggerAction(menuItem);
        auto* window = qobject_cast<T*>(mainWindow_->tools().window(key));
        if (!window)
            qFatal("no window %s", key);
        return window;
    }
    template <typename T> static T* child(QWidget* window, const char* name) { return requireChild<T>(window, name); }
    static void click(QWidget* window, const char* button)
    {
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
    }
    QString path(const char* name) const { return QString::fromStdString(program_->apppath()) + name; }
    /// Every front combination, one a line; every other one also into `half`, with a back pair.
    void writeBigLists(const QString& all, const QString& half) const;
};

void TestToolLatency::writeBigLists(const QString& all, const QString& half) const
{
    std::ofstream a(all.toStdString(), std::ios::binary), h(half.toStdString(), std::ios::binary);
    char line[64]; // room for any five ints, so the compiler sees no truncation
    int n = 0;
    for (int p = 1; p <= 35; ++p)
        for (int q = p + 1; q <= 35; ++q)
            for (int r = q + 1; r <= 35; ++r)
                for (int s = r + 1; s <= 35; ++s)
                    for (int t = s + 1; t <= 35; ++t, ++n) {
                        std::snprintf(line, sizeof line, "%02d %02d %02d %02d %02d", p, q, r, s, t);
                        a << line << "\r\n";
                        if (n % 2 == 0)
                            h << line << "+01 02\r\n";
                    }
}

void TestToolLatency::init()
{
    setUpProgram(shippedDraws());
    mainWindow_->resize(1600, 1000);
    openShippedLottery();
    QVERIFY(document_->state().recnum > 2000);
    QTest::qWait(300); // past the first paint of the trend grid
}

void TestToolLatency::report(const char* action, const EventLoopLatency& latency)
{
    qInfo("%s: longest stall %lld ms, settled after %lld ms", action, latency.longestStallMs, latency.totalMs);
    QVERIFY(latency.settled);
}

void TestToolLatency::compoundSearchStartsStepsAndStops()
{
    // The 和值 tab over every draw follows each mapping the search draws.
    triggerAction("mnuhei");
    QWidget* view = mainWindow_->currentView();
    view->findChild<QComboBox*>("comzuijingqishu")->setCurrentIndex(0);
    QTest::mouseClick(view->findChild<QPushButton*>("btntongji"), Qt::LeftButton);
    auto* window = open<Tfrmfushi>("mnufushi", "Tfrmfushi");
    window->show();
    child<QCheckBox>(window, "chkyilou")->setChecked(false);
    child<QLineEdit>(window, "edtnum")->setText("33");
    auto idle = [window] { return !window->searching(); };
    report("自动复式搜索 搜索到底", measureEventLoopLatency([&] { click(window, "btnsou"); }, idle));
    QVERIFY(!child<QLineEdit>(window, "edtfushicode")->text().isEmpty());
    QVERIFY(!document_->state().bianhuan);

    // An unreachable threshold searches until stopped.
    child<QCheckBox>(window, "chkyilou")->setChecked(true);
    child<QLineEdit>(window, "edtyilouqishu")->setText("1000");
    report("自动复式搜索 搜索中", measureEventLoopLatency([&] { click(window, "btnsou"); }, afterMs(1500)));
    QVERIFY(window->searching());
    report("自动复式搜索 停止", measureEventLoopLatency([&] { click(window, "btnsou"); }, idle));
    QVERIFY(!document_->state().bianhuan);
}

void TestToolLatency::followExclusionStartsStopsAndSaves()
{
    ExclusionWindow* window = nullptr;
    report("跟随排除 打开窗口",
           measureEventLoopLatency([&] { window = open<ExclusionWindow>("mnuallgensui", "Tfrmallgensui"); }));
    window->show();
    auto idle = [window] { return !window->isBusy(); };
    auto* label = child<QLabel>(window, "lblcode");
    report("跟随排除 变幻 过滤到50注", measureEventLoopLatency([&] { click(window, "btnfilt"); }, idle));
    QVERIFY2(label->text().startsWith(QStringLiteral("过滤结果：")) && label->text() != QStringLiteral("过滤结果："),
             qPrintable(label->text()));

    // 常规: one pass over the real history, a long list shown.
    child<QRadioButton>(window, "optmode")->setChecked(true);
    report("跟随排除 常规", measureEventLoopLatency([&] { click(window, "btnfilt"); }, idle));
    qInfo("%s", qPrintable(label->text()));
    child<QRadioButton>(window, "optmode")
        ->parentWidget()
        ->findChildren<QRadioButton*>()
        .at(1)
        ->setChecked(true); // 变幻

    // A second run starts over from every combination.
    child<QRadioButton>(window, "optjushu")->setChecked(false);
    child<QRadioButton>(window, "optcishu")->setChecked(true);
    child<QLineEdit>(window, "edtcishu")->setText("100000");
    report("跟随排除 再次开始", measureEventLoopLatency([&] { click(window, "btnfilt"); }, afterMs(1500)));
    QVERIFY(window->isBusy());
    report("跟随排除 停止", measureEventLoopLatency([&] { click(window, "btnfilt"); }, idle));

    report("跟随排除 变幻统计", measureEventLoopLatency([&] { click(window, "btntongji"); }));

    // A big list loaded and saved again.
    const QString all = path("all.txt"), half = path("half.txt");
    writeBigLists(all, half);
    FileDialog::setNextFileName(all);
    report("跟随排除 载入", measureEventLoopLatency([&] { click(window, "btnload"); }, idle));
    QCOMPARE(label->text(), QStringLiteral("过滤结果：324632注"));
    FileDialog::setNextFileName(path("follow.txt"));
    report("跟随排除 保存", measureEventLoopLatency([&] { click(window, "btnsave"); }, idle));
    QCOMPARE(messageTexts().value(messageTexts().size() - 1), QStringLiteral("成功保存！"));
    QCOMPARE(fileBytes(path("follow.txt")), fileBytes(all));
}

void TestToolLatency::intersectionStartsStopsAndSaves()
{
    const QString all = path("all.txt"), half = path("half.txt");
    writeBigLists(all, half);
    auto* window = open<Tfrmjiaoqi>("mnujiaoqi", "Tfrmjiaoqi");
    window->show();
    auto idle = [window] { return !window->isBusy(); };
    FileDialog::setNextFileNames({all, half});
    click(window, "btndaoru");
    auto* list = child<QListWidget>(window, "lstdadi");
    report("大底交集 双击显示大底",
           measureEventLoopLatency([&] { emit list->itemDoubleClicked(list->item(0)); }, idle));
    QCOMPARE(child<QLabel>(window, "lbldadi")->text(), QStringLiteral("最终交集：324632注"));
    QCOMPARE(child<QAbstractItemView>(window, "memdadi")->model()->index(1, 0).data().toString(),
             QStringLiteral("01 02 03 04 06"));
    report("大底交集 开始", measureEventLoopLatency([&] { click(window, "btnjiaoqi"); }, idle));
    QCOMPARE(child<QLabel>(window, "lbldadi")->text(), QStringLiteral("最终交集：162316注"));

    report("大底交集 再次开始后停止", measureEventLoopLatency(
                                          [&] {
                                              click(window, "btnjiaoqi");
                                              click(window, "btnstop");
                                          },
                                          idle));
    FileDialog::setNextFileName(path("交集"));
    report("大底交集 保存", measureEventLoopLatency([&] { click(window, "btnsave"); }, idle));
    QCOMPARE(messageTexts().value(messageTexts().size() - 1), QStringLiteral("成功保存！"));
}

QTEST_MAIN(TestToolLatency)
#include "test_tool_latency.moc"
