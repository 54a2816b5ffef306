// The help and web menus and 软件演示: the addresses they hand to the desktop and the message for a
// demonstration program that is not installed.
#include "gui_test_base.h"

#include "common/desktop_opener.h"
#include "common/message_box.h"
#include "shell/help_commands.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

QList<QUrl> openedUrls()
{
    QList<QUrl> urls;
    for (const DesktopOpener::Record& record : DesktopOpener::recorded())
        urls.append(record.url);
    return urls;
}

// The section ids of the manual the project ships.
QStringList manualSections()
{
    QFile manual(QString::fromUtf8(quorlin::test::distFilesDir()) + QStringLiteral("/帮助/index.html"));
    if (!manual.open(QIODevice::ReadOnly))
        return {};
    QStringList ids;
    const QString html = QString::fromUtf8(manual.readAll());
    for (const QRegularExpressionMatch& match : QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).globalMatch(html))
        ids.append(match.captured(1));
    return ids;
}

} // namespace

class TestHelpCommands : public GuiTestBase {
    Q_OBJECT
private slots:
    void init() { setUpProgram(); }
    void cleanup() { tearDownProgram(); }

    void itemsOpenTheirPages_data();
    void itemsOpenTheirPages();
    void f1OpensTheManual();
    void demonstrationIsStartedOnlyWhenInstalled();
    void withoutABrowserTheAddressIsShownToCopy();

private:
    QString apppath() const { return QString::fromStdString(program_->apppath()); }
};

void TestHelpCommands::itemsOpenTheirPages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("address"); // an outside address, or "#section" of the manual
    QTest::newRow("使用帮助") << "mnuhelpcotent"
                              << "";
    QTest::newRow("Mavrel彩票信息网") << "mnuweb1"
                                      << "#project";
    QTest::newRow("中国体育彩票网") << "mnuweb2"
                                    << "https://www.lottery.gov.cn/";
    QTest::newRow("中国福利彩票网") << "mnuweb4"
                                    << "https://www.cwl.gov.cn/";
    QTest::newRow("中国时时彩官网") << "mnuweb3"
                                    << "#shishicai";
    QTest::newRow("官方网站") << "mnumyname"
                              << "#project";
    QTest::newRow("有事Q我") << "mnumail"
                             << "#contact";
}

void TestHelpCommands::itemsOpenTheirPages()
{
    QFETCH(QString, command);
    QFETCH(QString, address);
    // No lottery is open: the help and web items work anyway.
    triggerAction(command);
    QCOMPARE(DesktopOpener::recorded().size(), 1);
    QCOMPARE(DesktopOpener::recorded().first().kind, DesktopOpener::Kind::Url);
    const QUrl opened = DesktopOpener::recorded().first().url;
    if (address.startsWith("https://")) {
        QCOMPARE(opened, QUrl(address));
        return;
    }
    QCOMPARE(opened.toLocalFile(), apppath() + "帮助/index.html");
    QCOMPARE(opened.fragment(), address.mid(1));
    if (!address.isEmpty())
        QVERIFY2(manualSections().contains(address.mid(1)), qPrintable("the manual has no section " + address));
    QVERIFY(MessageBox::recorded().isEmpty());
}

void TestHelpCommands::f1OpensTheManual()
{
    mainWindow_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
    QTest::keyClick(mainWindow_.get(), Qt::Key_F1);
    QCOMPARE(openedUrls(), QList<QUrl>{helpPage(apppath())});
}

void TestHelpCommands::demonstrationIsStartedOnlyWhenInstalled()
{
    triggerAction("tlbyansi");
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Information);
    QVERIFY2(messageTexts().first().contains("没有安装软件演示程序"), qPrintable(messageTexts().first()));
    QVERIFY(DesktopOpener::recorded().isEmpty());

    QFile demo(apppath() + "软件演示");
    QVERIFY(demo.open(QIODevice::WriteOnly));
    demo.write("#!/bin/sh\n");
    demo.close();
    triggerAction("tlbyansi");
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(DesktopOpener::recorded().size(), 1);
    QCOMPARE(DesktopOpener::recorded().first().kind, DesktopOpener::Kind::Program);
    QCOMPARE(DesktopOpener::recorded().first().url.toLocalFile(), apppath() + "软件演示");
}

void TestHelpCommands::withoutABrowserTheAddressIsShownToCopy()
{
    DesktopOpener::setRefusing(true);
    triggerAction("mnuweb2");
    triggerAction("mnuweb1");
    QCOMPARE(DesktopOpener::recorded().size(), 2);
    QCOMPARE(MessageBox::recorded().size(), 2);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Warning);
    QCOMPARE(MessageBox::recorded().first().title, QString("无法打开浏览器"));
    QVERIFY2(messageTexts()[0].endsWith("\n\nhttps://www.lottery.gov.cn/"), qPrintable(messageTexts()[0]));
    QVERIFY2(messageTexts()[1].endsWith(apppath() + "帮助/index.html#project"), qPrintable(messageTexts()[1]));
}

QTEST_MAIN(TestHelpCommands)
#include "test_help_commands.moc"
