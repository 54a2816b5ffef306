// Quorlin: the program for players of 中国体彩超级大乐透.
#include "common/app_settings.h"
#include "common/message_box.h"
#include "common/quorlin_application.h"
#include "shell/lottery_document.h"
#include "shell/u_flash.h"
#include "shell/u_main.h"
#include "shell/window_catalog.h"
#include "store/program_directory.h"

#include <QScreen>
#include <QTimer>

int main(int argc, char* argv[])
{
    QuorlinApplication app(argc, argv);
    // Every data file lies in the program directory: beside the program, or for an installed program
    // the user's own folder (~/.local/share/quorlin), made ready on first start.
    const quorlin::ProgramDirectory home =
        quorlin::locateProgramDirectory(QCoreApplication::applicationDirPath().toStdString());
    if (home.installed) {
        if (const std::string error = quorlin::prepareProgramDirectory(home.shareDir, home.path); !error.empty())
            refuse(nullptr, QString::fromStdString(error));
    }
    const QString apppath = QString::fromStdString(home.path) + "/";
    // The settings lie beside the data: in the user's folder, or beside a program run where it was built.
    AppSettings::open(apppath + AppSettings::fileName());
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
    QTimer::singleShot(0, &frmmain, &Tfrmmain::startUp);
    const int exitCode = app.exec();
    AppSettings::close();
    return exitCode;
}
