#include "shell/window_catalog.h"

#include "analysis/u_code.h"
#include "data/u_data.h"
#include "filter/u_totalfilt.h"
#include "select/u_ganzhi.h"
#include "select/u_qingmi.h"
#include "select/u_sep.h"
#include "select/u_sibu.h"
#include "shell/database_commands.h"
#include "shell/help_commands.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

void registerWindows(Tfrmmain& frmmain)
{
    frmmain.registerView(0, [](LotteryDocument& doc, QWidget* parent) { return new Tfrmcode(doc, parent); });
    installDatabaseCommands(frmmain);
    installHelpCommands(frmmain);
    // 数据添加 and the toolbar's 彩票数据: the analyses must not keep reading the draws it changes.
    frmmain.installHandler("mnumoddata", [&frmmain] {
        frmmain.closeLottery();
        Tfrmdata frmdata(frmmain.document().state(), &frmmain);
        frmdata.exec();
    });
    frmmain.tools().registerFactory(
        "Tfrmtotalfilt", [&frmmain](QWidget* parent) { return new Tfrmtotalfilt(frmmain.document(), parent); });
    frmmain.tools().registerFactory(
        "Tfrmqingmi", [&frmmain](QWidget* parent) { return new Tfrmqingmi(frmmain.document(), parent); });
    frmmain.tools().registerFactory(
        "Tfrmsep", [&frmmain](QWidget* parent) { return new Tfrmsep(frmmain.document(), parent); });
    frmmain.tools().registerFactory(
        "Tfrmganzhi", [&frmmain](QWidget* parent) { return new Tfrmganzhi(frmmain.document(), parent); });
    frmmain.tools().registerFactory(
        "Tfrmsibu", [&frmmain](QWidget* parent) { return new Tfrmsibu(frmmain.document(), parent); });
}
