#include "shell/help_commands.h"

#include "common/desktop_opener.h"
#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/u_about.h"
#include "shell/u_main.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace {

// A web or help menu item and where it leads: an outside address, or a section of the manual.
// Quorlin has no web site of its own: the maker's pages and the chat contact lead to the manual's
// section about the project and how to reach its developers.
struct WebItem {
    const char* command;
    const char* address;
    const char* helpSection;
};

const WebItem kWebItems[] = {
    {"mnuweb1", nullptr, "project"},
    {"mnuweb2", "https://www.lottery.gov.cn/", nullptr},
    {"mnuweb4", "https://www.cwl.gov.cn/", nullptr},
    // The 时时彩 games have no official site any more; the manual says so and where to look instead.
    {"mnuweb3", nullptr, "shishicai"},
    {"mnumyname", nullptr, "project"},
    {"mnumail", nullptr, "contact"},
};

QString apppathOf(Tfrmmain& frmmain)
{
    return QString::fromStdString(frmmain.document().state().apppath);
}

void tlbyansiClick(Tfrmmain& frmmain)
{
    const QString demo = apppathOf(frmmain) + QStringLiteral("软件演示");
    if (!QFileInfo(demo).isFile()) {
        MessageBox::information(&frmmain, QStringLiteral("软件演示"),
                                QStringLiteral("没有安装软件演示程序（程序目录中没有“软件演示”）。"));
        return;
    }
    if (!DesktopOpener::startProgram(demo))
        refuse(&frmmain, "无法启动软件演示程序 " + demo);
}

void mnuhelpaboutClick(Tfrmmain& frmmain)
{
    // One about box for the program's life: hidden by its close, shown again by the next use.
    auto* frmabout = frmmain.findChild<Tfrmabout*>();
    if (!frmabout) {
        frmabout = new Tfrmabout(apppathOf(frmmain), &frmmain);
        const QRect screen = (frmmain.screen() ? frmmain.screen() : QGuiApplication::primaryScreen())->geometry();
        frmabout->move(screen.center() - frmabout->rect().center());
    }
    frmabout->show();
    frmabout->raise();
    frmabout->activateWindow();
}

// Opens the address in the browser; a desktop that has none says so with the address to copy.
void openAddress(Tfrmmain& frmmain, const QUrl& url)
{
    if (DesktopOpener::openUrl(url))
        return;
    MessageBox::warning(&frmmain, QStringLiteral("无法打开浏览器"),
                        QStringLiteral("没有能打开网页的浏览器。请复制下面的地址，粘贴到浏览器的地址栏中打开：\n\n") +
                            url.toDisplayString());
}

} // namespace

QUrl helpPage(const QString& apppath, const QString& anchor)
{
    QUrl url = QUrl::fromLocalFile(apppath + QStringLiteral("帮助/index.html"));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

void installHelpCommands(Tfrmmain& frmmain)
{
    frmmain.installHandler("mnuhelpcotent", [&frmmain] { openAddress(frmmain, helpPage(apppathOf(frmmain))); });
    if (auto* help = frmmain.findChild<QAction*>("mnuhelpcotent"))
        help->setShortcut(QKeySequence::HelpContents);
    for (const WebItem& item : kWebItems) {
        frmmain.installHandler(item.command, [&frmmain, item] {
            openAddress(frmmain, item.address ? QUrl(QString::fromLatin1(item.address))
                                              : helpPage(apppathOf(frmmain), QString::fromLatin1(item.helpSection)));
        });
    }
    frmmain.installHandler("mnuhelpabout", [&frmmain] { mnuhelpaboutClick(frmmain); });
    frmmain.installHandler("tlbyansi", [&frmmain] { tlbyansiClick(frmmain); });
}
