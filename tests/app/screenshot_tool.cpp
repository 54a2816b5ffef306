// quorlin-screens: pictures of the windows over the real draw history, for looking at by eye.
// Usage: quorlin-screens [folder]   (default /tmp/quorlin-shots)
#include "analysis/u_suijixing.h"
#include "check/prize_check.h"
#include "check/u_duijiang.h"
#include "check/u_gonggao.h"
#include "check/u_huice.h"
#include "check/u_huifang.h"
#include "check/u_jisuanqi.h"
#include "common/app_settings.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/print_dialog.h"
#include "common/quorlin_application.h"
#include "common/text_grid.h"
#include "common/view_table.h"
#include "data/u_data.h"
#include "download_fixtures.h"
#include "export/table_export.h"
#include "filter/bet_list.h"
#include "filter/combination_table.h"
#include "filter/exclusion_window.h"
#include "filter/total_filter.h"
#include "filter/u_totalfilt.h"
#include "invest/mode_files.h"
#include "invest/u_tozi.h"
#include "loopback_http_server.h"
#include "shell/lottery_document.h"
#include "shell/main_status_bar.h"
#include "shell/tool_window_registry.h"
#include "shell/u_about.h"
#include "shell/u_flash.h"
#include "shell/u_main.h"
#include "shell/window_catalog.h"
#include "store/database.h"
#include "store/prize_import.h"
#include "store/schema.h"
#include "store/u_index.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

namespace {

// A table as 导出为 Excel… writes it, beside the pictures.
void exportTable(const QAbstractItemView& view, const QString& folder, const QString& name)
{
    std::string error;
    if (!quorlin::writeXlsx(ViewTable::read(view, false, name), (folder + "/" + name + ".xlsx").toStdString(), error))
        std::cerr << name.toStdString() << ": " << error << '\n';
}

void save(QWidget& widget, const QString& folder, const QString& name)
{
    QCoreApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    if (!widget.grab().save(path))
        std::cerr << "could not write " << path.toStdString() << "\n";
    else
        std::cout << path.toStdString() << "\n";
}

// `window` with the tooltip `anchor` shows on hovering at `at` drawn where it appears.
void saveWithTip(QWidget& window, QWidget& anchor, const QString& tip, QPoint at, const QString& folder,
                 const QString& name)
{
    QToolTip::showText(anchor.mapToGlobal(at), tip, &anchor);
    QCoreApplication::processEvents();
    QPixmap picture = window.grab();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible()) {
            QPainter painter(&picture);
            painter.drawPixmap(window.mapFromGlobal(w->pos()), w->grab());
        }
    QToolTip::hideText();
    const QString path = folder + "/" + name + ".png";
    if (picture.save(path))
        std::cout << path.toStdString() << "\n";
}

// The total filter keeping every front combination with all twelve back numbers: 21,425,712 bets.
void shootTotalFilter(Tfrmmain& frmmain, const QString& folder)
{
    frmmain.findChild<QAction*>("tlbbiaozhun")->trigger();
    frmmain.findChild<QAction*>("mnutotalfilt")->trigger();
    auto* filter = qobject_cast<Tfrmtotalfilt*>(frmmain.tools().window("Tfrmtotalfilt"));
    save(*filter, folder, "totalfilt-initial");
    auto* ac = filter->findChild<QWidget*>("chkac");
    saveWithTip(*filter, *ac, ac->toolTip(), QPoint(20, 18), folder, "totalfilt-ac-tooltip");
    filter->findChild<QTabWidget*>("tabconditions")->setCurrentIndex(1);
    auto* hot = filter->findChild<QWidget*>("chkhot");
    saveWithTip(*filter, *hot, hot->toolTip(), QPoint(20, 18), folder, "totalfilt-more-tooltip");
    filter->findChild<QTabWidget*>("tabconditions")->setCurrentIndex(0);
    quorlin::TotalFilterSettings everything;
    everything.frontOn = true;
    for (int n = 1; n <= 35; ++n)
        everything.front.push_back(n);
    for (int n = 1; n <= 12; ++n)
        everything.back.push_back(n);
    filter->setSettings(everything);
    QTest::mouseClick(filter->findChild<QPushButton*>("btnfilt"), Qt::LeftButton);
    for (int shots = 0; filter->isBusy(); std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        QCoreApplication::processEvents();
        if (shots++ == 25)
            save(*filter, folder, "totalfilt-running");
    }
    save(*filter, folder, "totalfilt-all");
}

// Waits for a tool window's background work, letting the events run.
template <class Window> void waitIdle(Window& window)
{
    while (window.isBusy()) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    QCoreApplication::processEvents();
}

// The total filter's second page after two steps (和值 and 连号对数, then 0路, 质数, 三区 and 热号
// with 容错 1), the second step clicked so its conditions are ticked again.
void shootTotalFilterSteps(Tfrmmain& frmmain, const QString& folder)
{
    auto* filter = qobject_cast<Tfrmtotalfilt*>(frmmain.tools().window("Tfrmtotalfilt"));
    if (!filter->unsavedResult().isEmpty())
        MessageBox::setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(filter->findChild<QPushButton*>("btnclear"), Qt::LeftButton);
    quorlin::TotalFilterSettings step;
    step.sum = quorlin::FilterRange{70, 110};
    step.extraRange(quorlin::ExtraCondition::Consecutive) = quorlin::FilterRange{1, 1};
    step.back = {1, 2};
    for (int run = 0; run < 2; ++run) {
        filter->setSettings(step);
        QTest::mouseClick(filter->findChild<QPushButton*>("btnfilt"), Qt::LeftButton);
        waitIdle(*filter);
        step = {};
        step.extraRange(quorlin::ExtraCondition::Mod3Zero) = quorlin::FilterRange{1, 2};
        step.extraRange(quorlin::ExtraCondition::Primes) = quorlin::FilterRange{1, 2};
        step.extraRange(quorlin::ExtraCondition::Zone3) = quorlin::FilterRange{1, 2};
        step.extraRange(quorlin::ExtraCondition::Hot) = quorlin::FilterRange{1, 3};
        step.tolerance = 1;
        step.back = {1, 2};
    }
    auto* steps = filter->findChild<QListWidget*>("lststeps");
    QTest::mouseClick(steps->viewport(), Qt::LeftButton, {}, steps->visualItemRect(steps->item(1)).center());
    filter->findChild<QTabWidget*>("tabconditions")->setCurrentIndex(1);
    save(*filter, folder, "totalfilt-more-steps");
    filter->findChild<QTabWidget*>("tabconditions")->setCurrentIndex(0);
    save(*filter, folder, "totalfilt-basic-steps");
    filter->hide();
}

// 投注中奖核对 of a filtered list (sum 70-110, odd 2-3, back 03 07 11: 418,896 bets) over the last
// 30 draws with one draw's winners listed; 过滤条件回测 of three conditions over 200 draws.
void shootChecks(Tfrmmain& frmmain, const QString& apppath, const QString& folder)
{
    const QString rules = apppath + "附属/大乐透奖级.txt";
    QDir().mkpath(apppath + "附属");
    QFile::copy(QCoreApplication::applicationDirPath() + "/附属/大乐透奖级.txt", rules);
    quorlin::TotalFilterSettings s;
    s.sum = quorlin::FilterRange{70, 110};
    s.odd = quorlin::FilterRange{2, 3};
    s.back = {3, 7, 11};
    quorlin::CombinationTable table;
    table.buildAll(35, 5);
    quorlin::runTotalFilter(table, s, quorlin::FilterSpace{});
    const quorlin::BetList list =
        quorlin::BetList::paired(5, quorlin::survivingFronts(table), 2, quorlin::backPairs(s.back, 12));
    const std::string path = (apppath + "list.txt").toStdString();
    std::string error;
    list.writeNumbered(path, nullptr, error);

    frmmain.findChild<QAction*>("mnuduijiang")->trigger();
    auto* check = qobject_cast<Tfrmduijiang*>(frmmain.tools().window("Tfrmduijiang"));
    QElapsedTimer timer;
    timer.start();
    check->load(QString::fromStdString(path));
    waitIdle(*check);
    std::cout << "loaded " << list.size() << " bets in " << timer.elapsed() << " ms\n";
    check->findChild<QRadioButton*>("optzuijin")->setChecked(true);
    timer.restart();
    check->btnduijiangClick();
    waitIdle(*check);
    std::cout << "checked 30 draws in " << timer.elapsed() << " ms\n";
    check->showWinners(0);
    auto* draws = check->findChild<TextGrid*>("tabdraws");
    draws->selectRow(0);
    save(*check, folder, "duijiang-last30");
    exportTable(*check->findChild<TextGrid*>("tabdraws"), folder, "duijiang-last30");
    // Where it opened on the screen: inside the free area, centred.
    if (QScreen* screen = check->screen())
        screen->grabWindow(0).save(folder + "/screen-duijiang.png");
    check->hide();

    frmmain.findChild<QAction*>("mnutotalfilt")->trigger();
    auto* filter = qobject_cast<Tfrmtotalfilt*>(frmmain.tools().window("Tfrmtotalfilt"));
    s.skew = quorlin::FilterRange{1, 4};
    s.back = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    filter->setSettings(s);
    save(*filter, folder, "totalfilt-huice-button");
    filter->hide();
    frmmain.findChild<QAction*>("mnuhuice")->trigger();
    auto* huice = qobject_cast<Tfrmhuice*>(frmmain.tools().window("Tfrmhuice"));
    huice->findChild<QLineEdit*>("edtqishu")->setText("200");
    timer.restart();
    QTest::mouseClick(filter->findChild<QPushButton*>("btnhuice"), Qt::LeftButton);
    waitIdle(*huice);
    std::cout << "back-tested 200 draws in " << timer.elapsed() << " ms\n";
    save(*huice, folder, "huice-200");
    // The second page and 容错 over 100 draws, 和值 charted against its band.
    s.extraRange(quorlin::ExtraCondition::Repeat) = quorlin::FilterRange{0, 1};
    s.extraRange(quorlin::ExtraCondition::Hot) = quorlin::FilterRange{1, 3};
    s.tolerance = 1;
    huice->findChild<QLineEdit*>("edtqishu")->setText("100");
    timer.restart();
    huice->runOn(s);
    waitIdle(*huice);
    std::cout << "back-tested 100 draws (both pages, 容错 1) in " << timer.elapsed() << " ms\n";
    huice->findChild<TextGrid*>("tabsummary")->selectRow(2);
    save(*huice, folder, "huice-chart");
    exportTable(*huice->findChild<TextGrid*>("tabhistory"), folder, "huice-100");
}

// 方案回放 of 和值, 奇数 and 重号 with back numbers 01-04 over 200 draws, run from the total filter.
void shootRandomness(Tfrmmain& frmmain, const QString& folder)
{
    frmmain.findChild<QAction*>("mnusuijixing")->trigger();
    auto* window = qobject_cast<Tfrmsuijixing*>(frmmain.tools().window("Tfrmsuijixing"));
    auto* grid = window->findChild<QTableView*>("tabjianyan");
    window->findChild<QRadioButton*>("optqujian")->setChecked(true);
    // The early draws, then the later ones; each with the front numbers' counts and one distribution.
    const struct {
        const char* from;
        const char* to;
        const char* name;
    } ranges[] = {{"", "2012094", "suijixing-to2012094"}, {"2012095", "", "suijixing-from2012095"}};
    for (const auto& range : ranges) {
        window->findChild<QLineEdit*>("edtfrom")->setText(range.from);
        window->findChild<QLineEdit*>("edtto")->setText(range.to);
        grid->selectRow(0);
        window->btnjianyanClick();
        save(*window, folder, range.name);
        grid->selectRow(3);
        save(*window, folder, QString(range.name) + "-big");
    }
    window->hide();
}

// Needs the prize table shootChecks puts beside the program.
void shootReplay(Tfrmmain& frmmain, const QString& folder)
{
    frmmain.findChild<QAction*>("mnutotalfilt")->trigger();
    auto* filter = qobject_cast<Tfrmtotalfilt*>(frmmain.tools().window("Tfrmtotalfilt"));
    quorlin::TotalFilterSettings s;
    s.sum = quorlin::FilterRange{70, 110};
    s.odd = quorlin::FilterRange{2, 3};
    s.extraRange(quorlin::ExtraCondition::Repeat) = quorlin::FilterRange{0, 1};
    s.back = {1, 2, 3, 4};
    filter->setSettings(s);
    filter->hide();
    frmmain.findChild<QAction*>("mnuhuifang")->trigger();
    auto* huifang = qobject_cast<Tfrmhuifang*>(frmmain.tools().window("Tfrmhuifang"));
    huifang->findChild<QLineEdit*>("edtqishu")->setText("200");
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(filter->findChild<QPushButton*>("btnhuifang"), Qt::LeftButton);
    waitIdle(*huifang);
    std::cout << "replayed 200 draws in " << timer.elapsed() << " ms\n";
    save(*huifang, folder, "huifang-200");
    exportTable(*huifang->findChild<TextGrid*>("tabdraws"), folder, "huifang-200");
    huifang->hide();
}

// 投注计算器 with the 胆拖 example, a 7+3 复式 around the newest draw and a single in the list,
// priced against the newest draw; another 胆拖 half built on the buttons shows the banker marks.
void shootCalculator(Tfrmmain& frmmain, const QString& folder)
{
    frmmain.findChild<QAction*>("mnujisuanqi")->trigger();
    auto* calc = qobject_cast<Tfrmjisuanqi*>(frmmain.tools().window("Tfrmjisuanqi"));
    const auto click = [calc](const QString& name, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(calc->findChild<QPushButton*>(name), Qt::LeftButton, modifiers);
    };
    const auto type = [calc, &click](const QString& line) {
        calc->findChild<QLineEdit*>("edtpiaomian")->setText(line);
        click("btnshuru");
    };
    for (const int n : {5, 18})
        click(QString::asprintf("btnqian%.2d", n), Qt::ControlModifier);
    for (const int n : {2, 9, 13, 21, 27, 30})
        click(QString::asprintf("btnqian%.2d", n));
    click("btnhou04", Qt::ControlModifier);
    for (const int n : {1, 8, 11})
        click(QString::asprintf("btnhou%.2d", n));
    click("btntianjia");
    const quorlin::LotteryState& state = frmmain.document().state();
    const quorlin::CheckDraw newest = quorlin::drawAt(state, state.hisfull.rows() - 1);
    QStringList front, back;
    for (const int n : newest.front)
        front << QString::number(n);
    for (const int n : newest.back)
        back << QString::number(n);
    for (int n = 1; front.size() < 7; ++n)
        if (!front.contains(QString::number(n)))
            front << QString::number(n);
    for (int n = 1; back.size() < 3; ++n)
        if (!back.contains(QString::number(n)))
            back << QString::number(n);
    type(front.join(' ') + "+" + back.join(' '));
    type("01 02 03 04 05+06 07");
    for (const int n : {7, 16})
        click(QString::asprintf("btnqian%.2d", n), Qt::ControlModifier);
    for (const int n : {1, 22, 34})
        click(QString::asprintf("btnqian%.2d", n));
    click("btnjisuan");
    save(*calc, folder, "jisuanqi");
    // An issue the 胆拖 ticket wins in, under the nine-level table.
    auto* issues = calc->findChild<QComboBox*>("comqihao");
    const int row = issues->findText("2025084", Qt::MatchStartsWith);
    if (row >= 0) {
        issues->setCurrentIndex(row);
        click("btnjisuan");
        save(*calc, folder, "jisuanqi-2025084");
    }
    calc->hide();
}

// 旋转矩阵组号缩水: the shipped wheels' page, then 按需生成 on 11 numbers 中5保4 during its search
// and after it, with two back numbers paired.
void shootWheelMaker(Tfrmmain& frmmain, const QString& folder)
{
    frmmain.findChild<QAction*>("mnujuzheng")->trigger();
    QWidget* wheel = frmmain.tools().window("Tfrmjuzheng");
    save(*wheel, folder, "juzheng-files");
    for (int b = 0; b < 10; ++b)
        wheel->findChild<QLineEdit*>(QStringLiteral("box%1").arg(b))->setText(QString::number(3 * b + 2));
    QTest::mouseClick(wheel->findChild<QPushButton*>("btngen"), Qt::LeftButton);
    save(*wheel, folder, "juzheng-files-made");
    auto* pages = wheel->findChild<QTabWidget*>("pgcjuzheng");
    pages->setCurrentIndex(1);
    const auto click = [wheel](const QString& name, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(wheel->findChild<QPushButton*>(name), Qt::LeftButton, modifiers);
    };
    for (const int n : {2, 5, 9, 13, 17, 18, 22, 26, 29, 31, 34})
        click(QString::asprintf("btnchi%.2d", n));
    for (const int n : {4, 9})
        click(QString::asprintf("btnhou%.2d", n));
    wheel->findChild<QComboBox*>("comzhong")->setCurrentText("5");
    wheel->findChild<QComboBox*>("combao")->setCurrentText("4");
    wheel->findChild<QLineEdit*>("edtmiao")->setText("6");
    click("btnkaishi");
    auto* best = wheel->findChild<QLabel*>("lblzuijia");
    while (!best->text().endsWith(QStringLiteral("注")))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    save(*wheel, folder, "juzheng-making");
    auto* start = wheel->findChild<QPushButton*>("btnkaishi");
    while (!start->isEnabled())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    save(*wheel, folder, "juzheng-made");
    for (const int n : {4, 9})
        click(QString::asprintf("btnhou%.2d", n));
    save(*wheel, folder, "juzheng-made-fronts");
    wheel->hide();
}

// The four exclusion windows after a run on the real history, and the follow window's statistics.
// 开奖公告 of a draw with the usual levels and of one with 派奖 lines.
void shootNotice(Tfrmmain& frmmain, const QString& folder)
{
    frmmain.findChild<QAction*>("mnugonggao")->trigger();
    auto* notice = qobject_cast<Tfrmgonggao*>(frmmain.tools().window("Tfrmgonggao"));
    for (const int issue : {2026087, 2021039}) {
        if (!notice->showIssue(issue))
            std::cerr << "no draw " << issue << '\n';
        save(*notice, folder, QStringLiteral("gonggao-%1").arg(issue));
    }
    exportTable(*notice->findChild<TextGrid*>("tabjiangji"), folder, "gonggao-2021039");
    notice->hide();
    save(frmmain, folder, "main-status-gonggao");
}

void shootExclusion(Tfrmmain& frmmain, const QString& folder)
{
    for (const char* key : {"Tfrmallhei", "Tfrmallcongma", "Tfrmallpiantai", "Tfrmallgensui"}) {
        QWidget* window = frmmain.tools().show(key);
        auto* exclusion = qobject_cast<ExclusionWindow*>(window);
        if (QString(key) == "Tfrmallgensui")
            save(*window, folder, QString(key) + "-statistics");
        window->findChild<QRadioButton*>("optcishu")->setChecked(true);
        window->findChild<QLineEdit*>("edtcishu")->setText(QString(key) == "Tfrmallgensui" ? "20" : "100");
        QPushButton* start = window->findChild<QPushButton*>("btngen");
        if (!start)
            start = window->findChild<QPushButton*>("btnfilt");
        QTest::mouseClick(start, Qt::LeftButton);
        while (exclusion->isBusy()) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        save(*window, folder, QString(key) + "-run");
        window->hide();
    }
}

} // namespace

// A save dialog as the FileDialog seam shows it (Qt's own widget dialog): its buttons, columns and
// file types should read in Chinese.
// The screen as the user sees it: each window's picture where it lies.
void saveScreen(const QList<QWidget*>& windows, const QString& folder, const QString& name)
{
    QCoreApplication::processEvents();
    QRect area = windows.first()->screen()->geometry();
    for (const QWidget* window : windows)
        area |= window->frameGeometry();
    QPixmap screen(area.size());
    screen.fill(QColor(0, 90, 120));
    QPainter painter(&screen);
    for (QWidget* window : windows) {
        const QRect frame = window->frameGeometry();
        painter.fillRect(frame, QColor(60, 60, 60));
        painter.drawPixmap(window->geometry().topLeft(), window->grab());
    }
    painter.end();
    const QString path = folder + "/" + name + ".png";
    if (screen.save(path))
        std::cout << path.toStdString() << "\n";
}

// A second start: the lottery of the first opens by itself with a tool window where it was left, and
// the draws missing since are fetched in the background from a web server on 127.0.0.1.
void shootStartUp(const QString& folder)
{
    QTemporaryDir settings;
    AppSettings::open(settings.filePath(AppSettings::fileName()));
    quorlin::test::ShippedProgram program;
    quorlin::test::storeLatestDraws(program.databasePath());
    LoopbackHttpServer server;
    server.answer("/kj.qry", LoopbackHttpServer::Answer::slowPage(
                                 quorlin::test::serviceAnswer(
                                     {quorlin::test::d26117, quorlin::test::d26116, quorlin::test::d26115}, 1, 1),
                                 10, 100));
    quorlin::test::writeAddressFile(program.apppath(), server.url("/kj.qry?gameNo=85&pageNo=1").toStdString());
    // The draws of Monday and Wednesday are due on Thursday morning.
    const QDateTime thursday(QDate(2026, 10, 15), QTime(9, 30));
    const QRect placed(220, 330, 560, 420);
    {
        LotteryDocument document(program.apppath());
        Tfrmmain first(document);
        registerWindows(first);
        first.mainStatusBar().setClock([] { return QDateTime(QDate(2026, 10, 11), QTime(9, 30)); });
        first.setGeometry(0, 0, 1280, 800);
        first.show();
        Tfrmindex frmindex(document, &first);
        frmindex.show();
        auto* list = frmindex.findChild<QListWidget*>("lstcaipiao");
        list->setCurrentItem(list->findItems(quorlin::kShippedLottery, Qt::MatchExactly).value(0));
        QTest::mouseClick(frmindex.findChild<QPushButton*>("btnopen"), Qt::LeftButton);
        first.tools().show("Tfrmgudingjihua")->setGeometry(placed);
        first.close();
    }
    LotteryDocument document(program.apppath());
    Tfrmmain second(document);
    registerWindows(second);
    second.mainStatusBar().setClock([thursday] { return thursday; });
    second.setGeometry(0, 0, 1280, 800);
    second.show();
    second.startUp();
    save(second, folder, "startup-downloading");
    auto* state = second.findChild<QLabel*>("lblxinkaijiang");
    while (state->text().startsWith(QStringLiteral("正在")))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    save(second, folder, "startup-downloaded");
    QWidget* plan = second.tools().show("Tfrmgudingjihua");
    saveScreen({&second, plan}, folder, "startup-second-start");
    second.close();
    AppSettings::close();
}

void shootFileDialog(const QString& apppath, const QString& folder)
{
    QFileDialog* dialog = FileDialog::makeDialog(nullptr, FileDialog::Kind::Save, QStringLiteral("导出历史号码"),
                                                 apppath + "附属", FileDialog::textFiles());
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setViewMode(QFileDialog::Detail);
    dialog->resize(800, 480);
    dialog->show();
    QTest::qWait(500);
    save(*dialog, folder, "file-dialog");
    delete dialog;
}

int main(int argc, char* argv[])
{
    QuorlinApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/quorlin-shots");
    QDir().mkpath(folder);
    MessageBox::setTestMode(true);

    quorlin::test::HistoryProgram program;
    // The shipped wheels, for 旋转矩阵's first page.
    std::filesystem::copy(std::filesystem::path(quorlin::test::distFilesDir()) / "旋转矩阵",
                          program.path() / "旋转矩阵");
    // Every draw's published results, as the program's own database holds them.
    {
        quorlin::Database db;
        db.open(program.databasePath());
        const std::string data = std::string(quorlin::test::dataDir()) + "/";
        const quorlin::PrizeImportResult imported = quorlin::importPrizeResults(
            db, quorlin::kShippedLottery, data + "dlt_prizes.csv", data + "dlt_pool_sales.csv");
        if (!imported.ok)
            std::cerr << imported.error << '\n';
    }

    LotteryDocument document(program.apppath());
    Tfrmmain frmmain(document);
    registerWindows(frmmain);
    frmmain.resize(1280, 800);
    frmmain.show();
    save(frmmain, folder, "main-closed");
    shootFileDialog(QCoreApplication::applicationDirPath() + "/", folder);

    Tfrmindex frmindex(document, &frmmain);
    frmindex.show();
    save(frmindex, folder, "index-initial");
    auto* list = frmindex.findChild<QListWidget*>("lstcaipiao");
    list->setCurrentItem(list->findItems(quorlin::kShippedLottery, Qt::MatchExactly).value(0));
    save(frmindex, folder, "index-selected");
    QTest::mouseClick(frmindex.findChild<QPushButton*>("btnopen"), Qt::LeftButton);
    save(frmmain, folder, "main-open");
    // The trend grid on a 1600×1000 screen, and the definition a summary row shows on hovering.
    frmmain.resize(1600, 1000);
    save(frmmain, folder, "main-open-1600");
    auto* summary = frmmain.findChild<QTableView*>("grdtongji");
    QToolTip::showText(summary->mapToGlobal(QPoint(40, 30)),
                       summary->model()->index(1, 0).data(Qt::ToolTipRole).toString(), summary);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            save(*w, folder, "trend-summary-tooltip");
    QToolTip::hideText();
    frmmain.resize(1280, 800);
    auto* summaryDraws = frmmain.findChild<QComboBox*>("comtongjiqishu");
    summaryDraws->setCurrentIndex(summaryDraws->findText(QStringLiteral("最近30期")));
    save(frmmain, folder, "main-open-last30");
    summaryDraws->setCurrentIndex(summaryDraws->findText(QStringLiteral("全部")));

    frmmain.findChild<QAction*>("tlbbianwan")->trigger();
    save(frmmain, folder, "main-transformed");

    auto* selectionMenu = frmmain.findChild<QMenu*>("mnufilt");
    selectionMenu->popup(frmmain.mapToGlobal(QPoint(220, 20)));
    save(*selectionMenu, folder, "menu-selection");
    selectionMenu->hide();

    // The about box and the splash with the side files the build puts beside this program.
    const QString apppath = QCoreApplication::applicationDirPath() + "/";
    Tfrmabout frmabout(apppath, &frmmain);
    frmabout.show();
    save(frmabout, folder, "about");
    Tfrmflash frmflash(apppath);
    frmflash.show();
    save(frmflash, folder, "flash");
    // 彩票数据 over the real history: browse mode, then add mode with a new draw half typed.
    Tfrmdata frmdata(document.state(), &frmmain);
    frmdata.show();
    auto* lotteries = frmdata.findChild<QListWidget*>("lstcaipiao");
    lotteries->setCurrentItem(lotteries->findItems(quorlin::kShippedLottery, Qt::MatchExactly).value(0));
    save(frmdata, folder, "data-browse");
    QTest::mouseClick(frmdata.findChild<QPushButton*>("btnedit"), Qt::LeftButton);
    QTest::mouseClick(frmdata.findChild<QPushButton*>("btnadd"), Qt::LeftButton);
    auto* draws = frmdata.findChild<QTableView*>("grdcaipiao");
    const int newRow = draws->model()->rowCount() - 1;
    for (const auto& [column, text] : {std::pair{0, "2026116"}, {1, "03"}, {2, "11"}})
        draws->model()->setData(draws->model()->index(newRow, column), QString::fromUtf8(text));
    save(frmdata, folder, "data-add");
    frmdata.findChild<QPushButton*>("dbv_cancel")->click();
    frmdata.findChild<QPushButton*>("btnedit")->click();
    shootTotalFilter(frmmain, folder);
    shootTotalFilterSteps(frmmain, folder);

    // The sum and zone tabs on the real numbers and transformed, and both omission windows sorted
    // by chase value.
    frmmain.findChild<QAction*>("tlbbiaozhun")->trigger();
    for (const char* tab : {"mnuhei", "mnuqujian"}) {
        frmmain.findChild<QAction*>(tab)->trigger();
        save(frmmain, folder, QString(tab) + "-standard");
        frmmain.findChild<QAction*>("tlbbianwan")->trigger();
        QTest::qWait(300);
        save(frmmain, folder, QString(tab) + "-transformed");
        frmmain.findChild<QAction*>("tlbbiaozhun")->trigger();
        QTest::qWait(300);
    }
    // The definition over the 散度 grid's value column.
    frmmain.findChild<QAction*>("mnusandu")->trigger();
    auto* grid = frmmain.currentView()->findChild<QTableView*>("tabhistory");
    QHeaderView* header = grid->horizontalHeader();
    saveWithTip(frmmain, *header, grid->model()->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString(),
                QPoint(header->sectionViewportPosition(2) + 20, 10), folder, "mnusandu-header-tooltip");
    // Every draw of the history in the sum chart.
    frmmain.findChild<QAction*>("mnuhei")->trigger();
    frmmain.currentView()->findChild<QComboBox*>("comzuijingqishu")->setCurrentIndex(0);
    QElapsedTimer allDraws;
    allDraws.start();
    QTest::mouseClick(frmmain.currentView()->findChild<QPushButton*>("btntongji"), Qt::LeftButton);
    std::cout << "all draws recounted and charted in " << allDraws.elapsed() << " ms\n";
    save(frmmain, folder, "mnuhei-all");
    for (const char* tool : {"mnuyilou", "mnupiantai"}) {
        frmmain.findChild<QAction*>(tool)->trigger();
        QWidget* window = QApplication::activeWindow();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QString(tool).replace("mnu", "frm"))
                window = w;
        QTest::mouseClick(window->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QTest::qWait(100);
        save(*window, folder, QString(tool) + "-chase");

        window->hide();
    }

    // The stake plans with their default inputs (the variable plan grown by 30 draws of 8 to 20
    // bets), each also printed to a PDF beside the pictures.
    PrintDialog::setTestMode(true);
    FileDialog::setTestMode(true);
    for (const auto& [key, name] : {std::pair{"Tfrmgudingjihua", "plan-fixed"},
                                    {"Tfrmjieduanjihua", "plan-staged"},
                                    {"Tfrmkeibianjihua", "plan-variable"}}) {
        QWidget* plan = frmmain.tools().show(QString::fromUtf8(key));
        if (auto* generate = plan->findChild<QPushButton*>("btnala")) {
            generate->click();
        } else {
            plan->findChild<QPushButton*>("btnnew")->click();
            for (int draw = 0; draw < 30; ++draw) {
                plan->findChild<QLineEdit*>("edtjushu")->setText(QString::number(8 + draw * 7 % 13));
                plan->findChild<QPushButton*>("btnjisuan")->click();
            }
            FileDialog::setNextFileName(folder + "/" + name + ".txt");
            plan->findChild<QPushButton*>("btnsave")->click();
        }
        save(*plan, folder, name);
        FileDialog::setNextFileName(folder + "/" + name + ".pdf");
        plan->findChild<QPushButton*>("btnprint")->click();
        std::cout << (folder + "/" + name + ".pdf").toStdString() << "\n";
        plan->hide();
    }

    // 投资模式分析 over the real history: 100 全组选 codes analysed with the default rule, then the
    // search's best setting; the code list and the settings printed to PDFs.
    auto* tozi = static_cast<Tfrmtozi*>(frmmain.tools().show("Tfrmtozi"));
    quorlin::ModeForm mode = tozi->form();
    mode.playType = quorlin::PlayType::Quanzuxuan;
    tozi->setForm(mode);
    tozi->findChild<QPushButton*>("btnfilt")->click();
    tozi->findChild<QPushButton*>("btnala")->click();
    save(*tozi, folder, "tozi-analysed");
    auto* search = tozi->findChild<QPushButton*>("btnyouhua");
    search->click();
    save(*tozi, folder, "tozi-searching");
    while (search->text() != QStringLiteral("搜索"))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    save(*tozi, folder, "tozi-searched");
    for (const char* item : {"mnuprintcode", "mnuprintset"}) {
        FileDialog::setNextFileName(folder + "/tozi-" + item + ".pdf");
        tozi->findChild<QAction*>(item)->trigger();
        std::cout << (folder + "/tozi-" + item + ".pdf").toStdString() << "\n";
    }
    shootChecks(frmmain, QString::fromStdString(program.apppath()), folder);
    shootReplay(frmmain, folder);
    shootCalculator(frmmain, folder);
    shootWheelMaker(frmmain, folder);
    shootNotice(frmmain, folder);
    shootExclusion(frmmain, folder);
    shootRandomness(frmmain, folder);
    shootStartUp(folder);

    for (const MessageBox::Record& box : MessageBox::recorded())
        std::cerr << "message: " << box.title.toStdString() << ": " << box.text.toStdString() << "\n";
    return 0;
}
