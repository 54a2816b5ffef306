// The main window: menus and toolbar following the open lottery, opening and closing a lottery,
// the analysis view, the two number mappings and the tool windows.
#include "gui_test_base.h"

#include "analysis/u_code.h"
#include "common/error_handler.h"
#include "common/message_box.h"
#include "common/random_source.h"
#include "common/task_runner.h"
#include "scripted_random.h"
#include "shell/lottery_document.h"
#include "shell/main_commands.h"
#include "shell/main_status_bar.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/database.h"
#include "store/schema.h"

#include <QAction>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <filesystem>
#include <functional>
#include <optional>

namespace {

QStringList enabledCommands(const QWidget& window)
{
    QStringList names;
    for (const QAction* action : window.findChildren<QAction*>()) {
        const QString name = action->objectName();
        if ((name.startsWith("mnu") || name.startsWith("tlb")) && action->isEnabled())
            names.append(name);
    }
    names.sort();
    return names;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

} // namespace

class TestMainWindow : public GuiTestBase {
    Q_OBJECT
private slots:
    void init() { setUpProgram(); }
    void cleanup() { tearDownProgram(); }

    void commandsFollowTheOpenLottery();
    void menuBarAndToolbarAreComplete();
    void noMenuRepeatsAnAccelerator();
    void tabStripSitsRightOfTheExitButton();
    void tabCaptionsAreNeverCut();
    void closingReturnsToTheClosedState();
    void analysisItemRecreatesTheViewInStandardNumbers();
    void mappingCommandsChangeOnlyTheFrontNumbers();
    void reopeningAfterTheTransformedMappingShowsStandardNumbers();
    void toolWindowIsCreatedOnceAndForgottenOnClose();
    void everyToolWindowReopensFromItsMenuItemHoweverItWasClosed();
    void installedHandlerEnablesItsCommandsAndErrorsAreShown();
    void openDialogIsReusedAfterExitAndFreshAfterAnOpen();
    void backgroundPictureIsOptional();
    void statusBarShowsTheOpenLotteryAndTheMapping();
    void statusBarHintsHowToFillAnEmptyDatabase();
    void statusBarNamesTheComingDrawAndOffersTheDownloadWhenBehind();
    void mappingSwitchedByTheDocumentIsFollowed();
    void stateIsNotRebuiltWhileATaskReadsIt();
    void closingStopsAToolWindowsTaskFirst();
};

void TestMainWindow::commandsFollowTheOpenLottery()
{
    const QStringList alwaysUsable{"mnuclose",        "mnuexit",         "mnuopen",   "tlbexit",     "tlbopen",
                                   "mnubackupdata",   "mnustoredata",    "mnuweb1",   "mnuweb2",     "mnuweb3",
                                   "mnuweb4",         "mnuhelpcotent",   "mnumyname", "mnumail",     "mnuhelpabout",
                                   "tlbyansi",        "mnumoddata",      "tlbdata",   "mnudownload", "mnugudingjihua",
                                   "mnujieduanjihua", "mnukeibianjihua", "mnutozi",   "mnuoptions"};
    auto* tabmain = mainWindow_->findChild<QTabBar*>("tabmain");
    QCOMPARE(enabledCommands(*mainWindow_), sorted(alwaysUsable));
    QVERIFY(!tabmain->isVisible());

    openShippedLottery();
    const QStringList selectionWindows{"mnuqingmi", "mnusep", "mnuganzhi", "tlbpiantai", "mnusibu", "tlbyilou"};
    QCOMPARE(enabledCommands(*mainWindow_),
             sorted(alwaysUsable +
                    QStringList{"mnucode",    "tlbbiaozhun", "tlbbianwan",   "mnutotalfilt",  "tlbala",
                                "mnudaxiao",  "mnujiou",     "mnuhei",       "mnukuadu",      "mnusandu",
                                "mnupiandu",  "mnuac",       "mnucongma",    "mnuqujian",     "mnuyilou",
                                "mnupiantai", "mnuduijiang", "mnuhuice",     "mnujuzheng",    "mnufushi",
                                "mnujiaoqi",  "mnuallhei",   "mnuallcongma", "mnuallpiantai", "mnuallgensui"} +
                    selectionWindows + QStringList{"mnujisuanqi", "mnuhuifang", "mnugonggao", "mnusuijixing"}));
    QVERIFY(tabmain->isVisible());
    QCOMPARE(tabmain->count(), 10);
    for (int tab = 0; tab < 10; ++tab)
        QVERIFY2(tabmain->isTabEnabled(tab), qPrintable(tabmain->tabText(tab)));
}

void TestMainWindow::menuBarAndToolbarAreComplete()
{
    QStringList menuCaptions;
    for (const QAction* menu : mainWindow_->menuBar()->actions())
        menuCaptions.append(menu->text());
    QCOMPARE(menuCaptions, (QStringList{"文件(&F)", "彩票数据(&D)", "数据分析(&A)", "选号过滤(&S)", "投资管理(&M)",
                                        "彩票网站(&W)", "帮助(&H)"}));
    QCOMPARE(mainWindow_->findChild<QAction*>("mnujiaoqi")->text(), QString("    大底交集(&A)"));
    QCOMPARE(mainWindow_->findChildren<QAction*>(QRegularExpression("^mnu")).size(), 4 + 5 + 11 + 18 + 4 + 4 + 4);

    QStringList buttons;
    for (const QAction* action : mainWindow_->findChild<QToolBar*>("tlbmain")->actions())
        buttons.append(action->isSeparator() ? "|" : action->objectName());
    QCOMPARE(buttons, (QStringList{"tlbopen", "tlbdata", "tlbpiantai", "tlbyilou", "tlbala", "tlbbiaozhun",
                                   "tlbbianwan", "tlbyansi", "|", "tlbexit"}));
    auto* exitButton = mainWindow_->findChild<QToolButton*>("tlbexit");
    QCOMPARE(exitButton->text(), QString("退出"));
    QCOMPARE(exitButton->toolTip(), QString("退出系统"));
}

void TestMainWindow::noMenuRepeatsAnAccelerator()
{
    // The menu bar's own items and the items of each menu: Alt with a letter must reach one item.
    const auto repeated = [](const QList<QAction*>& actions) {
        QHash<QChar, QString> taken;
        QStringList clashes;
        for (const QAction* action : actions) {
            const QString text = action->text();
            const qsizetype amp = text.indexOf('&');
            if (!action->isVisible() || action->isSeparator() || amp < 0 || amp + 1 >= text.size())
                continue;
            const QChar key = text.at(amp + 1).toUpper();
            if (taken.contains(key))
                clashes << taken.value(key) + " / " + text;
            else
                taken.insert(key, text);
        }
        return clashes;
    };
    QStringList clashes = repeated(mainWindow_->menuBar()->actions());
    for (const QAction* item : mainWindow_->menuBar()->actions()) {
        QVERIFY(item->menu());
        clashes << repeated(item->menu()->actions());
    }
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join('\n')));
}

void TestMainWindow::tabStripSitsRightOfTheExitButton()
{
    openShippedLottery();
    auto* toolbar = mainWindow_->findChild<QToolBar*>("tlbmain");
    auto* tabmain = mainWindow_->findChild<QTabBar*>("tabmain");
    auto* exitButton = mainWindow_->findChild<QToolButton*>("tlbexit");
    for (const int width : {1200, 900}) {
        mainWindow_->resize(width, 600);
        QTRY_COMPARE(toolbar->width(), mainWindow_->width());
        QCOMPARE(tabmain->x(), exitButton->geometry().right() + 1);
        QCOMPARE(tabmain->geometry().right() + 1, toolbar->contentsRect().width() - 10);
    }
}

void TestMainWindow::tabCaptionsAreNeverCut()
{
    openShippedLottery();
    auto* toolbar = mainWindow_->findChild<QToolBar*>("tlbmain");
    auto* tabmain = mainWindow_->findChild<QTabBar*>("tabmain");
    QStringList shortened;
    // Below 1280 pixels the strip scrolls, as a tab strip does.
    for (const int width : {1920, 1280}) {
        mainWindow_->resize(width, 700);
        QTRY_COMPARE(toolbar->width(), mainWindow_->width());
        QVERIFY2(tabmain->sizeHint().width() <= tabmain->width(),
                 qPrintable(QStringLiteral("%1 px: the tabs need %2 px, have %3")
                                .arg(width)
                                .arg(tabmain->sizeHint().width())
                                .arg(tabmain->width())));
        shortened.clear();
        for (int tab = 0; tab < tabmain->count(); ++tab)
            shortened << tabmain->tabText(tab);
        // The full caption heads the tooltip, the indicator's definition follows it.
        QVERIFY(tabmain->tabToolTip(3).startsWith(QString("号码和值分析\n和值：")));
        if (width == 1920)
            QCOMPARE(tabmain->tabText(3), QString("号码和值分析"));
    }
    QCOMPARE(shortened,
             (QStringList{"开奖号码走势", "大小", "奇偶", "和值", "跨度", "散度", "偏度", "AC值", "重码", "区间"}));
}

void TestMainWindow::closingReturnsToTheClosedState()
{
    openShippedLottery();
    QCOMPARE(mainWindow_->windowTitle(), QString("Quorlin《中国体彩超级大乐透》"));
    triggerAction("mnuclose");
    QVERIFY(!document_->state().caiopen);
    QVERIFY(!document_->datamod().t_con.connected());
    QCOMPARE(mainWindow_->windowTitle(), QString("Quorlin"));
    QVERIFY(!mainWindow_->findChild<QTabBar*>("tabmain")->isVisible());
    QVERIFY(!mainWindow_->currentView());
    QVERIFY(!mainWindow_->findChild<Tfrmcode*>());
    QVERIFY(!mainWindow_->findChild<QAction*>("mnucode")->isEnabled());
    QVERIFY(!mainWindow_->findChild<QAction*>("tlbbianwan")->isEnabled());
}

void TestMainWindow::analysisItemRecreatesTheViewInStandardNumbers()
{
    openShippedLottery();
    const QPointer<QWidget> first = mainWindow_->currentView();
    QVERIFY(qobject_cast<Tfrmcode*>(first));
    triggerAction("tlbbianwan");
    QVERIFY(document_->state().bianhuan);

    // Tab 0 is already selected; the menu item still builds a new grid, which shows real numbers.
    triggerAction("mnucode");
    QVERIFY(first.isNull());
    QVERIFY(qobject_cast<Tfrmcode*>(mainWindow_->currentView()));
    QCOMPARE(mainWindow_->findChild<QTabBar*>("tabmain")->currentIndex(), 0);
    QCOMPARE(marksOf(*trendModel(), 2).front, (QList<int>{3, 9, 17, 25, 33}));
    QVERIFY(document_->state().bianhuan);
}

void TestMainWindow::mappingCommandsChangeOnlyTheFrontNumbers()
{
    tearDownProgram();
    setUpProgram({{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 6, 7, 8, 9, 10, 3, 4}, {2020003, 1, 2, 3, 4, 5, 5, 6}});
    document_->setRandomSource(
        std::make_unique<quorlin::test::ScriptedRandom>(quorlin::test::identityMappingScript(100)));
    openShippedLottery();
    CodeTrendModel* model = trendModel();
    QVERIFY(model);

    // With window 100 and the identity permutation the three draws become 02-06, 08-12 and 03 04 05 06 11.
    triggerAction("tlbbianwan");
    QCOMPARE(marksOf(*model, 0).front, (QList<int>{3, 4, 5, 6, 11}));
    QCOMPARE(marksOf(*model, 1).front, (QList<int>{8, 9, 10, 11, 12}));
    QCOMPARE(marksOf(*model, 2).front, (QList<int>{2, 3, 4, 5, 6}));
    QCOMPARE(marksOf(*model, 0).back, (QList<int>{5, 6}));
    QCOMPARE(marksOf(*model, 2).back, (QList<int>{1, 2}));
    QCOMPARE(model->data(model->index(0, 0)).toString(), QString("2020003"));
    QCOMPARE(model->data(model->index(0, 1)).toString(), QString("03 04 05 06 11 + 05 06"));

    triggerAction("tlbbiaozhun");
    QVERIFY(!document_->state().bianhuan);
    QCOMPARE(marksOf(*model, 0).front, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(marksOf(*model, 1).front, (QList<int>{6, 7, 8, 9, 10}));
    QCOMPARE(marksOf(*model, 0).back, (QList<int>{5, 6}));
    QCOMPARE(model->data(model->index(0, 1)).toString(), QString("01 02 03 04 05 + 05 06"));
}

void TestMainWindow::reopeningAfterTheTransformedMappingShowsStandardNumbers()
{
    openShippedLottery();
    triggerAction("tlbbianwan");
    triggerAction("mnuclose");
    openShippedLottery();
    QVERIFY(!document_->state().bianhuan);
    QCOMPARE(marksOf(*trendModel(), 0).front, (QList<int>{20, 21, 22, 23, 24}));
    QCOMPARE(marksOf(*trendModel(), 2).front, (QList<int>{3, 9, 17, 25, 33}));
}

void TestMainWindow::toolWindowIsCreatedOnceAndForgottenOnClose()
{
    int created = 0;
    openShippedLottery();
    // A command is usable exactly when its window is registered; the test's factory replaces the
    // program's own.
    QCOMPARE(mainWindow_->findChild<QAction*>("mnujiaoqi")->isEnabled(), mainWindow_->tools().has("Tfrmjiaoqi"));
    mainWindow_->tools().registerFactory("Tfrmganzhi", [&created](QWidget* parent) {
        ++created;
        return new QWidget(parent);
    });
    QVERIFY(mainWindow_->findChild<QAction*>("mnuganzhi")->isEnabled());

    triggerAction("tlbpiantai");
    const QPointer<QWidget> window = mainWindow_->tools().window("Tfrmganzhi");
    QVERIFY(window && window->isVisible() && window->isWindow());
    window->close();
    triggerAction("mnuganzhi");
    QCOMPARE(created, 1);
    QCOMPARE(mainWindow_->tools().window("Tfrmganzhi"), window.data());
    QVERIFY(window->isVisible());

    triggerAction("mnuclose");
    QVERIFY(window.isNull());
    QVERIFY(!mainWindow_->findChild<QAction*>("mnuganzhi")->isEnabled());
    openShippedLottery();
    triggerAction("mnuganzhi");
    QCOMPARE(created, 2);
}

void TestMainWindow::everyToolWindowReopensFromItsMenuItemHoweverItWasClosed()
{
    openShippedLottery();
    const auto ownCloseButton = [](const QWidget* window) -> QPushButton* {
        for (QPushButton* button : window->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("关闭"))
                return button;
        return nullptr;
    };
    // The title bar's ✕ (a close asked for by the window system), the window's own 关闭, Escape,
    // and a window minimized out of sight.
    const std::vector<std::pair<QString, std::function<void(QWidget*)>>> ways{
        {"✕", [](QWidget* window) { window->windowHandle()->close(); }},
        {"关闭", [&](QWidget* window) { QTest::mouseClick(ownCloseButton(window), Qt::LeftButton); }},
        {"Escape", [](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); }},
        {"minimizing", [](QWidget* window) { window->showMinimized(); }},
    };
    int windows = 0;
    QStringList withoutCloseButton;
    QStringList faults;
    for (const MenuEntry& menu : mainMenus()) {
        for (const MenuItemEntry& item : menu.items) {
            if (!item.toolKey)
                continue;
            ++windows;
            for (const auto& [way, close] : ways) {
                const QString what = QStringLiteral("%1 closed by %2").arg(item.name, way);
                triggerAction(item.name);
                QWidget* window = mainWindow_->tools().window(item.toolKey);
                QVERIFY2(window && window->isVisible(), qPrintable(what));
                if (way == "关闭" && !ownCloseButton(window)) {
                    withoutCloseButton << item.name;
                    continue;
                }
                close(window);
                if (way == "minimizing" ? !window->isMinimized() : window->isVisible())
                    faults << what + ": it stayed open";
                // Closed, a window is only hidden: it keeps its native window and its content.
                else if (way != "minimizing" && !(window->windowHandle() && window->windowHandle()->handle()))
                    faults << what + ": its native window went";
                triggerAction(item.name);
                if (mainWindow_->tools().window(item.toolKey) != window || !window->isVisible() ||
                    window->isMinimized() || !window->windowHandle()->isVisible())
                    faults << what + ": it did not come back";
                window->hide();
            }
        }
    }
    QCOMPARE(windows, 23);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    // Only the windows designed without one lack a 关闭 of their own.
    QCOMPARE(withoutCloseButton, (QStringList{"mnusep", "mnuqingmi", "mnufushi"}));
    QVERIFY2(MessageBox::recorded().isEmpty(), qPrintable(messageTexts().join('\n')));

    // Closing the lottery still closes and forgets them.
    QPointer<QWidget> calculator = mainWindow_->tools().window("Tfrmjisuanqi");
    triggerAction("mnuclose");
    QVERIFY(!calculator);
}

void TestMainWindow::installedHandlerEnablesItsCommandsAndErrorsAreShown()
{
    openShippedLottery();
    int runs = 0;
    // A handler makes its command usable, and replaces the command's earlier handler on the menu
    // and the toolbar alike. (Commands that open a registered tool window open the window.)
    mainWindow_->installHandler("mnudownload", [&runs] { ++runs; });
    QVERIFY(mainWindow_->findChild<QAction*>("mnudownload")->isEnabled());
    mainWindow_->installHandler("mnumoddata", [&runs] { ++runs; });
    triggerAction("tlbdata");
    triggerAction("mnumoddata");
    triggerAction("mnudownload");
    QCOMPARE(runs, 3);

    mainWindow_->installHandler("mnubackupdata", [] { throw quorlin::DatabaseError("数据库文件已损坏"); });
    triggerAction("mnubackupdata");
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().title, QString("错误"));
    QCOMPARE(MessageBox::recorded().first().text, QString("数据库文件已损坏"));
    QVERIFY(mainWindow_->isVisible());
}

void TestMainWindow::openDialogIsReusedAfterExitAndFreshAfterAnOpen()
{
    QPointer<QDialog> first;
    whenModalShown([&first](QDialog* dialog) {
        first = dialog;
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnext"), Qt::LeftButton);
    });
    triggerAction("mnuopen");
    QVERIFY(first && !first->isVisible());

    // The same dialog comes back after 退出, and a successful open discards it.
    bool reused = false;
    whenModalShown([&](QDialog* dialog) {
        reused = dialog == first.data();
        openShippedIn(dialog);
    });
    triggerAction("mnuopen");
    QVERIFY(reused);
    QVERIFY(document_->state().caiopen);
    QVERIFY(first.isNull());

    // The fresh dialog lists the lotteries again; the only one is selected at once.
    QPointer<QDialog> second;
    whenModalShown([&second](QDialog* dialog) { second = dialog; });
    triggerAction("mnuopen");
    QVERIFY(second);
    QVERIFY(!document_->state().caiopen);
    QCOMPARE(second->findChild<QListWidget*>("lstcaipiao")->count(), 1);
    QCOMPARE(second->findChild<QListWidget*>("lstcaipiao")->currentRow(), 0);
}

void TestMainWindow::backgroundPictureIsOptional()
{
    QVERIFY(mainWindow_->findChild<QLabel*>("imageback")->pixmap().isNull());
    QVERIFY(MessageBox::recorded().isEmpty());

    const std::filesystem::path pictures = program_->path() / std::filesystem::u8path("图片");
    std::filesystem::create_directories(pictures);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(QString::fromStdString((pictures / "back.bmp").string()), "BMP"));
    Tfrmmain withPicture(*document_);
    QCOMPARE(withPicture.findChild<QLabel*>("imageback")->pixmap().size(), QSize(40, 30));
}

namespace {

QString statusField(const QWidget& window, const char* name)
{
    const auto* label = window.findChild<QLabel*>(name);
    return label && label->isVisible() ? label->text() : QString();
}

// A tool window that keeps a task reading the lottery state until it is told to stop.
class ReadingToolWindow : public QWidget {
public:
    ReadingToolWindow(LotteryDocument& document, QWidget* parent) : QWidget(parent)
    {
        runner.run(
            this,
            [lease = document.lease()](quorlin::Progress& progress) {
                while (!progress.cancelled())
                    QThread::msleep(1);
                return lease->recnum;
            },
            [](int) {});
    }
    TaskRunner runner{this};
};

} // namespace

void TestMainWindow::statusBarShowsTheOpenLotteryAndTheMapping()
{
    openShippedLottery();
    QCOMPARE(statusField(*mainWindow_, "lblcaipiao"), QString("彩票：中国体彩超级大乐透"));
    QCOMPARE(statusField(*mainWindow_, "lblqishu"), QString("共 5 期"));
    QCOMPARE(statusField(*mainWindow_, "lblzuixin"), QString("最新：第 2020005 期  2020-01-01"));
    QCOMPARE(statusField(*mainWindow_, "lblzoushi"), QString("标准走势"));
    auto* standard = mainWindow_->findChild<QAction*>("tlbbiaozhun");
    auto* transformed = mainWindow_->findChild<QAction*>("tlbbianwan");
    QVERIFY(standard->isChecked() && !transformed->isChecked());

    triggerAction("tlbbianwan");
    QCOMPARE(statusField(*mainWindow_, "lblzoushi"), QString("变幻走势"));
    QVERIFY(!standard->isChecked() && transformed->isChecked());
    // Pressing the active button again keeps it shown as active.
    triggerAction("tlbbianwan");
    QVERIFY(!standard->isChecked() && transformed->isChecked());
    triggerAction("tlbbiaozhun");
    QVERIFY(standard->isChecked() && !transformed->isChecked());

    triggerAction("mnuclose");
    QVERIFY(!standard->isChecked() && !transformed->isChecked());
    QCOMPARE(statusField(*mainWindow_, "lblqishu"), QString());
    QVERIFY(statusField(*mainWindow_, "lblcaipiao").contains("打开彩票"));
}

void TestMainWindow::statusBarHintsHowToFillAnEmptyDatabase()
{
    tearDownProgram();
    setUpProgram({});
    QVERIFY(statusField(*mainWindow_, "lblcaipiao").contains("还没有开奖号码"));
    QVERIFY(statusField(*mainWindow_, "lblcaipiao").contains("数据下载"));
    QVERIFY(statusField(*mainWindow_, "lblcaipiao").contains("数据添加"));
    openShippedLottery();
    QCOMPARE(statusField(*mainWindow_, "lblqishu"), QString("共 0 期"));
    QCOMPARE(statusField(*mainWindow_, "lblzuixin"), QString("还没有开奖号码"));
}

void TestMainWindow::statusBarNamesTheComingDrawAndOffersTheDownloadWhenBehind()
{
    // The fixture's newest draw is 2020005 of Wednesday 2020-01-01.
    auto* bar = requireChild<MainStatusBar>(mainWindow_.get(), "stbmain");
    auto* download = requireChild<QPushButton>(bar, "btnxiazai");
    QDateTime now(QDate(2020, 1, 3), QTime(12, 0));
    bar->setClock([&now] { return now; });
    QCOMPARE(statusField(*mainWindow_, "lblxiaqi"), QString("下期：第 2020006 期  2020-01-04 星期六 21:25"));
    QVERIFY(!download->isVisible());

    now = QDateTime(QDate(2020, 1, 6), QTime(21, 25));
    bar->refresh();
    QCOMPARE(statusField(*mainWindow_, "lblxiaqi"), QString("下期：第 2020008 期  2020-01-08 星期三 21:25"));
    QVERIFY(download->isVisible());
    QCOMPARE(download->text(), QString("数据已落后 2 期，请下载"));

    int downloads = 0;
    mainWindow_->installHandler("mnudownload", [&downloads] { ++downloads; });
    QTest::mouseClick(download, Qt::LeftButton);
    QCOMPARE(downloads, 1);

    // With the lottery open it is the open lottery's coming draw; an empty table names only the day.
    openShippedLottery();
    QCOMPARE(statusField(*mainWindow_, "lblxiaqi"), QString("下期：第 2020008 期  2020-01-08 星期三 21:25"));
    quorlin::Database db;
    db.open(program_->databasePath());
    db.exec("delete from " + quorlin::quoteIdentifier(quorlin::drawTableName(quorlin::kShippedLottery)));
    bar->refresh();
    QCOMPARE(statusField(*mainWindow_, "lblxiaqi"), QString("下期开奖：2020-01-08 星期三 21:25"));
    QVERIFY(!download->isVisible());
}

void TestMainWindow::mappingSwitchedByTheDocumentIsFollowed()
{
    int filters = 0;
    mainWindow_->tools().registerFactory("Tfrmtotalfilt", [&filters](QWidget* parent) {
        ++filters;
        return new QWidget(parent);
    });
    openShippedLottery();
    QCOMPARE(filters, 0);
    // No toolbar involved: the total filter window is made ready and the buttons and status follow.
    document_->setTransformed();
    QCOMPARE(filters, 1);
    QVERIFY(mainWindow_->tools().window("Tfrmtotalfilt") && !mainWindow_->tools().window("Tfrmtotalfilt")->isVisible());
    QVERIFY(mainWindow_->findChild<QAction*>("tlbbianwan")->isChecked());
    QCOMPARE(statusField(*mainWindow_, "lblzoushi"), QString("变幻走势"));
    document_->setStandard();
    QCOMPARE(filters, 1);
    QVERIFY(mainWindow_->findChild<QAction*>("tlbbiaozhun")->isChecked());
}

void TestMainWindow::stateIsNotRebuiltWhileATaskReadsIt()
{
    openShippedLottery();
    auto lease = std::make_optional(document_->lease());
    QVERIFY(document_->busy());
    QVERIFY(!mainWindow_->findChild<QAction*>("tlbbianwan")->isEnabled());
    QVERIFY(!mainWindow_->findChild<QAction*>("tlbbiaozhun")->isEnabled());

    // Whoever asks, the tables stay as the task sees them and the refusal is shown.
    const std::string before = document_->state().histext.drawText(0);
    QVERIFY(!runGuarded(mainWindow_.get(), [this] { document_->setTransformed(); }));
    QVERIFY(!runGuarded(mainWindow_.get(), [this] { document_->close(); }));
    QVERIFY(!document_->state().bianhuan);
    QVERIFY(document_->state().caiopen);
    QCOMPARE(document_->state().histext.drawText(0), before);
    QCOMPARE(MessageBox::recorded().size(), 2);
    QVERIFY(MessageBox::recorded().first().text.contains("后台计算"));

    lease.reset();
    QTRY_VERIFY(mainWindow_->findChild<QAction*>("tlbbianwan")->isEnabled());
    triggerAction("tlbbianwan");
    QVERIFY(document_->state().bianhuan);
}

void TestMainWindow::closingStopsAToolWindowsTaskFirst()
{
    mainWindow_->tools().registerFactory("Tfrmsep",
                                         [this](QWidget* parent) { return new ReadingToolWindow(*document_, parent); });
    openShippedLottery();
    triggerAction("mnusep");
    QVERIFY(document_->busy());
    triggerAction("mnuclose");
    QVERIFY(!document_->state().caiopen);
    QVERIFY(!mainWindow_->tools().window("Tfrmsep"));
    QVERIFY2(MessageBox::recorded().isEmpty(), qPrintable(messageTexts().join('\n')));
    QVERIFY(!document_->busy());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
