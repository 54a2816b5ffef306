#include "shell/window_catalog.h"

#include "analysis/u_code.h"
#include "shell/database_commands.h"
#include "shell/help_commands.h"
#include "data/u_data.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"
#include "invest/u_gudingjihua.h"
#include "invest/u_jieduanjihua.h"
#include "invest/u_keibianjihua.h"
#include "invest/u_tozi.h"
#include "shell/tool_window_registry.h"

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
    // The stake plans need no open lottery; their files lie in the program directory.
    const std::string apppath = frmmain.document().state().apppath;
    frmmain.tools().registerFactory("Tfrmgudingjihua", [apppath](QWidget* parent) { return new Tfrmgudingjihua(apppath, parent); });
    frmmain.tools().registerFactory("Tfrmjieduanjihua", [apppath](QWidget* parent) { return new Tfrmjieduanjihua(apppath, parent); });
    frmmain.tools().registerFactory("Tfrmkeibianjihua", [apppath](QWidget* parent) { return new Tfrmkeibianjihua(apppath, parent); });
    // 投资模式分析 reads the open lottery's draws when it marks the hits of a code list.
    frmmain.tools().registerFactory("Tfrmtozi", [&frmmain](QWidget* parent) { return new Tfrmtozi(frmmain.document(), parent); });
}
