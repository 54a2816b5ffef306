// The about box 关于本程序 and the start-up splash window: their labels filled from the enciphered
// side files, a missing file reported while the window still shows, and how each goes away.
#include "gui_test_base.h"

#include "common/message_box.h"
#include "common/side_text.h"
#include "shell/u_about.h"
#include "shell/u_flash.h"
#include "shell/u_main.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QString labelText(const QWidget& window, const char* name)
{
    const auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

} // namespace

class TestAboutFlash : public GuiTestBase {
    Q_OBJECT
private slots:
    void init() { setUpProgram(); }
    void cleanup() { tearDownProgram(); }

    void aboutBoxShowsAboutTxtAndComesBackAsTheSameWindow();
    void aboutBoxWithoutItsFileStillShows();
    void splashShowsFlashTxtAndClosesItself();
    void splashClosesOnAClick();
    void splashWithoutItsFilesStillShows();

private:
    QString apppath() const { return QString::fromStdString(program_->apppath()); }
    // Writes a side file below the program directory with the lines "<prefix>1", "<prefix>2", ...
    void writeSideFile(const QString& name, int lines, const QString& prefix)
    {
        QVERIFY(QDir().mkpath(apppath() + "附属"));
        std::vector<std::string> text;
        for (int k = 1; k <= lines; ++k)
            text.push_back((prefix + QString::number(k)).toStdString());
        QCOMPARE(QString::fromStdString(quorlin::writeSideText((apppath() + "附属/" + name).toStdString(), text)),
                 QString());
    }
};

void TestAboutFlash::aboutBoxShowsAboutTxtAndComesBackAsTheSameWindow()
{
    writeSideFile("about.txt", 7, "关于第");
    triggerAction("mnuhelpabout");
    QPointer<Tfrmabout> about = mainWindow_->findChild<Tfrmabout*>();
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QString("关于本程序"));
    QCOMPARE(about->size(), QSize(405, 207));
    QVERIFY(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!about->isModal());
    QCOMPARE(labelText(*about, "lbltitle"), QString("Quorlin12.0版"));
    const char* const lines[] = {"lblauthor", "lblbanquan", "lblweb", "lblqq", "lblphone1", "lblphone2", "lblmail"};
    for (int k = 0; k < 7; ++k)
        QCOMPARE(labelText(*about, lines[k]), QStringLiteral("关于第%1").arg(k + 1));
    // The user learns where the data lives.
    QVERIFY(labelText(*about, "lbldata").contains(QString::fromStdString(program_->path().string())));
    QVERIFY(MessageBox::recorded().isEmpty());

    // 关闭 hides the box; the main window stays usable meanwhile and the next use shows it again.
    QTest::mouseClick(about->findChild<QPushButton*>("btnclose"), Qt::LeftButton);
    QVERIFY(about && !about->isVisible());
    triggerAction("mnuhelpabout");
    QCOMPARE(mainWindow_->findChildren<Tfrmabout*>().size(), 1);
    QVERIFY(about && about->isVisible());
}

void TestAboutFlash::aboutBoxWithoutItsFileStillShows()
{
    triggerAction("mnuhelpabout");
    auto* about = mainWindow_->findChild<Tfrmabout*>();
    QVERIFY(about && about->isVisible());
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Critical);
    QVERIFY2(messageTexts().first().contains("about.txt"), qPrintable(messageTexts().first()));
    QCOMPARE(labelText(*about, "lblauthor"), QString());
    QCOMPARE(labelText(*about, "lbltitle"), QString("Quorlin12.0版"));
}

void TestAboutFlash::splashShowsFlashTxtAndClosesItself()
{
    writeSideFile("flash.txt", 6, "启动第");
    QVERIFY(QDir().mkpath(apppath() + "图片"));
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    QVERIFY(picture.save(apppath() + "图片/flash.jpg", "JPEG"));

    Tfrmflash flash(apppath());
    QCOMPARE(flash.size(), QSize(551, 337));
    QVERIFY(flash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(flash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(flash.findChild<QLabel*>("imgflash")->pixmap().size(), QSize(60, 40));
    QCOMPARE(labelText(flash, "lbltitle"), QString("Quorlin"));
    // Line 2 of the file is not shown.
    const QList<QPair<const char*, QString>> expected{
        {"lblchuping", "启动第1"}, {"lblshiyong", "适用：中国体彩超级大乐透"},
        {"lblweb", "启动第3"},     {"lblqq", "启动第4"},
        {"lblmail", "启动第5"},    {"lblphone", "启动第6"}};
    for (const auto& [name, text] : expected)
        QCOMPARE(labelText(flash, name), text);
    QVERIFY(MessageBox::recorded().isEmpty());

    // The fifth tick ends it, never an earlier one; a stuck window is rejected after five seconds.
    constexpr int kTick = 20;
    flash.setTickInterval(kTick);
    QTimer::singleShot(5000, &flash, &QDialog::reject);
    QElapsedTimer shown;
    shown.start();
    QCOMPARE(flash.exec(), int(QDialog::Accepted));
    QVERIFY2(shown.elapsed() >= 5 * kTick - 10, qPrintable(QString::number(shown.elapsed())));
}

void TestAboutFlash::splashClosesOnAClick()
{
    Tfrmflash flash(apppath());
    flash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&flash));
    // A click on a label reaches the window too.
    QTest::mouseClick(flash.findChild<QLabel*>("lblweb"), Qt::LeftButton);
    QVERIFY(!flash.isVisible());
    QCOMPARE(flash.result(), int(QDialog::Accepted));
}

void TestAboutFlash::splashWithoutItsFilesStillShows()
{
    Tfrmflash flash(apppath());
    const QStringList texts = messageTexts();
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts[0].contains("flash.txt"), qPrintable(texts[0]));
    QVERIFY2(texts[1].contains("flash.jpg"), qPrintable(texts[1]));
    QCOMPARE(labelText(flash, "lblweb"), QString());
    QCOMPARE(labelText(flash, "lblshiyong"), QString("适用：中国体彩超级大乐透"));
    flash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&flash));
}

QTEST_MAIN(TestAboutFlash)
#include "test_about_flash.moc"
