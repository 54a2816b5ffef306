// Quorlin: the program for players of 中国体彩超级大乐透.
#include "common/quorlin_application.h"
#include "shell/lottery_document.h"
#include "shell/u_flash.h"
#include "shell/u_main.h"
#include "shell/window_catalog.h"

#include <QScreen>

int main(int argc, char* argv[])
{
    QuorlinApplication app(argc, argv);
    // Every data file lies beside the program.
    const QString apppath = QCoreApplication::applicationDirPath() + "/";
    {
        Tfrmflash frmflash(apppath);
        frmflash.exec();
    }
    LotteryDocument document(apppath.toStdString());
    Tfrmmain frmmain(document);
    registerWindows(frmmain);
    // Filling the screen first keeps the window full-size where no window manager maximizes it.
    frmmain.setGeometry(frmmain.screen()->availableGeometry());
    frmmain.showMaximized();
    return app.exec();
}
