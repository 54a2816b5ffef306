// The application object every window lives in: standard dialogs in Chinese, message boxes wide
// enough for their titles, and every window opened inside the screen's free area.
#include "gui_test_base.h"

#include "common/app_settings.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/quorlin_application.h"
#include "common/window_placer.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <fstream>

namespace {

// The virtual screen of this test: smaller than several windows ask for.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;

QString describe(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    return QStringLiteral("%1 (%2) at %3,%4 %5×%6")
        .arg(window.objectName(), window.windowTitle())
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height());
}

// Every window of the program is either placed by it at the centre of the screen or given no
// place, which the application makes the centre too.
bool insideAndCentred(const QWidget& window, const QRect& area)
{
    // Windows that centre themselves centre their inner part, not their frame.
    constexpr int kTolerance = 20;
    const QPoint offset = window.frameGeometry().center() - area.center();
    return area.contains(window.frameGeometry()) && std::abs(offset.x()) <= kTolerance &&
           std::abs(offset.y()) <= kTolerance;
}

} // namespace

class TestQuorlinApplication : public GuiTestBase {
    Q_OBJECT
private slots:
    void init() { setUpProgram(); }
    void cleanup()
    {
        tearDownProgram();
        AppSettings::close();
        QFile::remove(settingsPath_);
    }

    void fileDialogSpeaksChinese();
    void messageBoxShowsItsTitleAndLetsItsTextBeCopied();
    void fittedGeometry_data();
    void fittedGeometry();
    void everyWindowOpensInsideTheScreen();
    void toolWindowsOpenOnTheMainWindowsScreen();
    void toolWindowsOpenWhereTheyWereLeft();
    void aKeptPlaceOffTheScreenIsMovedIntoIt();
    void tallWindowsKeepTheirTitleBarsOnTheScreen();

private:
    /// The tool window 固定投资计划, which needs no open lottery, in the settings of a folder of the
    /// test's own.
    QWidget* showPlanWindow()
    {
        if (!AppSettings::isOpen())
            AppSettings::open(settingsPath_);
        triggerAction("mnugudingjihua");
        return mainWindow_->tools().window("Tfrmgudingjihua");
    }

    QTemporaryDir settingsFolder_;
    const QString settingsPath_ = settingsFolder_.filePath(AppSettings::fileName());
};

void TestQuorlinApplication::fileDialogSpeaksChinese()
{
    QTemporaryDir folder;
    std::ofstream(QDir(folder.path()).filePath("号码.txt").toStdString()) << std::string(382, 'x');
    std::unique_ptr<QFileDialog> dialog(
        FileDialog::makeDialog(nullptr, FileDialog::Kind::Save, "导出", folder.path(), FileDialog::textFiles()));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setViewMode(QFileDialog::Detail);
    dialog->show();
    auto* details = dialog->findChild<QTreeView*>("treeView");
    QVERIFY(details);
    const auto cell = [details](int column) {
        const QModelIndex root = details->rootIndex();
        return details->model()->rowCount(root) == 1 ? details->model()->index(0, column, root).data().toString()
                                                     : QString();
    };
    // Size, type and time in the program's locale, not the system's ("382 bytes", "Plain text document").
    QTRY_COMPARE(cell(1), QString("382 字节"));
    QCOMPARE(cell(2), QString("纯文本文档"));
    QVERIFY2(cell(3).startsWith(QDate::currentDate().toString("yyyy/M/d")), qPrintable(cell(3)));

    // The buttons come from Qt's own translation when it is installed (qt6-translations-l10n).
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"))
        QSKIP("Qt's Chinese translation is not installed");
    QStringList buttons;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        buttons << button->text();
    QVERIFY2(buttons.contains("取消"), qPrintable(buttons.join(", ")));
}

void TestQuorlinApplication::messageBoxShowsItsTitleAndLetsItsTextBeCopied()
{
    MessageBox::setTestMode(false);
    int width = 0;
    int titleWidth = 0;
    Qt::TextInteractionFlags textFlags;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        width = box->width();
        titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
        textFlags = box->findChild<QLabel*>("qt_msgbox_label")->textInteractionFlags();
        box->accept();
    });
    MessageBox::information(mainWindow_.get(), "数据恢复", "成功！");
    MessageBox::setTestMode(true);
    QVERIFY(titleWidth > 0);
    // The title bar holds the window icon and three buttons beside the title.
    QVERIFY2(width >= titleWidth + 150, qPrintable(QStringLiteral("box %1, title %2").arg(width).arg(titleWidth)));
    QVERIFY(textFlags.testFlag(Qt::TextSelectableByMouse));
}

void TestQuorlinApplication::fittedGeometry_data()
{
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QRect>("fitted");
    const QMargins none;
    const QMargins titleBar(4, 30, 4, 4);
    // The free area: 1600 × 1000 less a panel of 40 at the top.
    QTest::newRow("centred") << QRect(0, 0, 400, 300) << none << true << QSize() << QRect(600, 370, 400, 300);
    QTest::newRow("placed and inside stays")
        << QRect(10, 50, 400, 300) << none << false << QSize() << QRect(10, 50, 400, 300);
    QTest::newRow("bottom below the screen moves up")
        << QRect(250, 300, 1100, 760) << titleBar << false << QSize() << QRect(250, 1000 - 4 - 760, 1100, 760);
    QTest::newRow("centred with its frame") << QRect(0, 0, 1100, 760) << titleBar << true << QSize()
                                            << QRect(250, 40 + 30 + (1000 - 40 - 34 - 760) / 2, 1100, 760);
    QTest::newRow("above the free area moves down")
        << QRect(100, 0, 400, 300) << titleBar << false << QSize() << QRect(100, 70, 400, 300);
    QTest::newRow("too tall is made shorter")
        << QRect(0, 0, 800, 1200) << titleBar << true << QSize() << QRect(400, 70, 800, 926);
    QTest::newRow("not below its minimum, title kept on screen")
        << QRect(0, 0, 800, 1200) << titleBar << true << QSize(800, 1100) << QRect(400, 70, 800, 1100);
}

void TestQuorlinApplication::fittedGeometry()
{
    QFETCH(QRect, geometry);
    QFETCH(QMargins, frame);
    QFETCH(bool, centre);
    QFETCH(QSize, minimum);
    QFETCH(QRect, fitted);
    QCOMPARE(WindowPlacer::fitted(geometry, frame, QRect(0, 40, 1600, 960), centre, minimum), fitted);
}

void TestQuorlinApplication::everyWindowOpensInsideTheScreen()
{
    const QRect area = mainWindow_->screen()->availableGeometry();
    QCOMPARE(area.size(), QSize(kScreenWidth, kScreenHeight));
    QVERIFY2(insideAndCentred(*mainWindow_, area), qPrintable(describe(*mainWindow_)));
    openShippedLottery();
    // The main window low on the screen: a window placed over it must still come up inside.
    mainWindow_->setGeometry(700, 450, 560, 330);
    for (const char* key :
         {"Tfrmtotalfilt",   "Tfrmyilou",        "Tfrmpiantai",      "Tfrmduijiang", "Tfrmhuice",  "Tfrmhuifang",
          "Tfrmgudingjihua", "Tfrmjieduanjihua", "Tfrmkeibianjihua", "Tfrmtozi",     "Tfrmqingmi", "Tfrmsep",
          "Tfrmganzhi",      "Tfrmsibu",         "Tfrmjuzheng",      "Tfrmfushi",    "Tfrmallhei", "Tfrmallcongma",
          "Tfrmallpiantai",  "Tfrmallgensui",    "Tfrmgonggao",      "Tfrmsuijixing"}) {
        QWidget* window = mainWindow_->tools().show(key);
        QVERIFY2(window, key);
        QVERIFY2(insideAndCentred(*window, area), qPrintable(describe(*window)));
        window->hide();
    }
    // The modal windows: 彩票数据 and 打开彩票.
    for (const char* command : {"mnumoddata", "mnuopen"}) {
        QString placement;
        whenModalShown(
            [&](QDialog* dialog) { placement = insideAndCentred(*dialog, area) ? QString() : describe(*dialog); });
        triggerAction(command);
        QVERIFY2(placement.isEmpty(), qPrintable(placement));
    }
}

void TestQuorlinApplication::toolWindowsOpenOnTheMainWindowsScreen()
{
    // The placer centres a window on the screen of the window it belongs to, not on the primary one.
    QScreen* second = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            second = screen;
    QVERIFY(second);
    const QRect area = second->availableGeometry();
    openShippedLottery();
    mainWindow_->setGeometry(area.x() + 100, area.y() + 100, 560, 330);
    QCOMPARE(mainWindow_->screen(), second);
    for (const char* key : {"Tfrmallhei", "Tfrmallcongma", "Tfrmallpiantai", "Tfrmallgensui", "Tfrmtotalfilt",
                            "Tfrmqingmi", "Tfrmsep", "Tfrmganzhi", "Tfrmsibu", "Tfrmtozi", "Tfrmfushi"}) {
        QWidget* window = mainWindow_->tools().show(key);
        QVERIFY2(window, key);
        QVERIFY2(insideAndCentred(*window, area), qPrintable(describe(*window)));
        window->hide();
    }
}

void TestQuorlinApplication::toolWindowsOpenWhereTheyWereLeft()
{
    QWidget* window = showPlanWindow();
    const QRect area = window->screen()->availableGeometry();
    const QRect placed(area.left() + 40, area.top() + 60, window->width() + 30, window->height() + 20);
    window->setGeometry(placed);
    window->close();
    // Closed by the lottery's close, it is created afresh in the same place.
    mainWindow_->closeLottery();
    QVERIFY(!mainWindow_->tools().window("Tfrmgudingjihua"));
    QCOMPARE(showPlanWindow()->geometry(), placed);

    // And after a restart: another main window reading the same settings.
    mainWindow_->closeLottery();
    tearDownProgram();
    AppSettings::close();
    AppSettings::open(settingsPath_);
    setUpProgram();
    QCOMPARE(showPlanWindow()->geometry(), placed);
}

void TestQuorlinApplication::aKeptPlaceOffTheScreenIsMovedIntoIt()
{
    QWidget* window = showPlanWindow();
    const QRect area = window->screen()->availableGeometry();
    // Below the screen (the spare screen lies to its right), as after a change of screens.
    window->move(area.left() + 100, area.bottom() + 500);
    mainWindow_->closeLottery();
    QWidget* shown = showPlanWindow();
    QVERIFY2(area.contains(shown->frameGeometry()), qPrintable(describe(*shown)));
    QCOMPARE(shown->x(), area.left() + 100);
}

void TestQuorlinApplication::tallWindowsKeepTheirTitleBarsOnTheScreen()
{
    // The title bar of a usual window manager, which frames a window only after it is shown.
    constexpr int kTitleBar = 30;
    openShippedLottery();
    mainWindow_->showMaximized();
    const QRect area = mainWindow_->screen()->availableGeometry();
    for (const char* key : {"Tfrmjisuanqi", "Tfrmhuice"}) {
        // Not framed yet, beside a maximized main window whose frame tells nothing of theirs.
        QWidget* window = mainWindow_->tools().ensure(key);
        QVERIFY2(window && !window->isVisible(), key);
        const QMargins frame = WindowPlacer::frameOf(*window);
        QVERIFY2(frame.top() >= kTitleBar, key);
        const QRect placed = WindowPlacer::fitted(window->geometry(), frame, area, true, window->minimumSize());
        QVERIFY2(placed.top() - kTitleBar >= area.top(), key);

        window = mainWindow_->tools().show(key);
        QVERIFY2(area.contains(window->frameGeometry()), qPrintable(describe(*window)));
        window->hide();
    }
}

int main(int argc, char* argv[])
{
    // A virtual screen of 1280 × 800 whose windows have frames, and a second one to its right. The
    // platform adds screens in the order of their names and makes the first the primary one.
    QTemporaryDir folder;
    const QString config = folder.filePath("screen.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QStringLiteral(R"({"windowFrameMargins": true, "screens": [{"name": "spare", "x": %1, "y": 0,
        "width": %1, "height": %2, "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}, {"name": "small", "x": 0,
        "y": 0, "width": %1, "height": %2, "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})")
                   .arg(kScreenWidth)
                   .arg(kScreenHeight)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QuorlinApplication app(argc, argv);
    TestQuorlinApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_quorlin_application.moc"
