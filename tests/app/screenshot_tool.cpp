// quorlin-screens: pictures of the windows over the real draw history, for looking at by eye.
// Usage: quorlin-screens [folder]   (default /tmp/quorlin-shots)
#include "common/message_box.h"
#include "common/quorlin_application.h"
#include "data/u_data.h"
#include "shell/lottery_document.h"
#include "shell/u_about.h"
#include "shell/u_flash.h"
#include "filter/total_filter.h"
#include "filter/exclusion_window.h"
#include "filter/u_totalfilt.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "shell/window_catalog.h"
#include "store/database.h"
#include "store/draw_import.h"
#include "store/schema.h"
#include "store/u_index.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <chrono>
#include <iostream>
#include <thread>

namespace {

void save(QWidget& widget, const QString& folder, const QString& name)
{
    QCoreApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    if (!widget.grab().save(path))
        std::cerr << "could not write " << path.toStdString() << "\n";
    else
        std::cout << path.toStdString() << "\n";
}

// The total filter keeping every front combination with all twelve back numbers: 21,425,712 bets.
void shootTotalFilter(Tfrmmain& frmmain, const QString& folder)
{
    frmmain.findChild<QAction*>("tlbbiaozhun")->trigger();
    frmmain.findChild<QAction*>("mnutotalfilt")->trigger();
    auto* filter = qobject_cast<Tfrmtotalfilt*>(frmmain.tools().window("Tfrmtotalfilt"));
    save(*filter, folder, "totalfilt-initial");
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

// The four exclusion windows after a run on the real history, and the follow window's statistics.
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

int main(int argc, char* argv[])
{
    QuorlinApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/quorlin-shots");
    QDir().mkpath(folder);
    MessageBox::setTestMode(true);

    quorlin::test::ShippedProgram program;
    const std::string history = quorlin::test::historyCsvPath();
    if (!history.empty()) {
        quorlin::Database db;
        db.open(program.databasePath());
        const quorlin::ImportResult imported = quorlin::importDraws(db, quorlin::kShippedLottery, history);
        std::cout << "imported " << imported.added << " draws " << imported.error << "\n";
    }

    LotteryDocument document(program.apppath());
    Tfrmmain frmmain(document);
    registerWindows(frmmain);
    frmmain.resize(1280, 800);
    frmmain.show();
    save(frmmain, folder, "main-closed");

    Tfrmindex frmindex(document, &frmmain);
    frmindex.show();
    save(frmindex, folder, "index-initial");
    auto* list = frmindex.findChild<QListWidget*>("lstcaipiao");
    list->setCurrentItem(list->findItems(quorlin::kShippedLottery, Qt::MatchExactly).value(0));
    save(frmindex, folder, "index-selected");
    QTest::mouseClick(frmindex.findChild<QPushButton*>("btnopen"), Qt::LeftButton);
    save(frmmain, folder, "main-open");

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

    shootExclusion(frmmain, folder);

    for (const MessageBox::Record& box : MessageBox::recorded())
        std::cerr << "message: " << box.title.toStdString() << ": " << box.text.toStdString() << "\n";
    return 0;
}
