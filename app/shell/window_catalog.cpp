#include "shell/window_catalog.h"

#include "analysis/indicator_texts.h"
#include "analysis/indicator_view.h"
#include "analysis/omission_window.h"
#include "analysis/u_code.h"
#include "analysis/u_qujian.h"
#include "data/u_data.h"
#include "data/u_download2.h"
#include "filter/u_totalfilt.h"
#include "invest/u_gudingjihua.h"
#include "invest/u_jieduanjihua.h"
#include "invest/u_keibianjihua.h"
#include "invest/u_tozi.h"
#include "shell/database_commands.h"
#include "shell/help_commands.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "betset/u_juzheng.h"
#include "betset/u_fushi.h"
#include "betset/u_jiaoqi.h"

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
    // Tabs 1 to 8: the one indicator view with the texts of each indicator (Tfrmdaxiao … Tfrmcongma).
    for (const quorlin::IndicatorTexts& texts : quorlin::indicatorWindows())
        frmmain.registerView(texts.tab, [&texts](LotteryDocument& doc, QWidget* parent) {
            return new IndicatorView(doc, texts, parent);
        });
    frmmain.registerView(9, [](LotteryDocument& doc, QWidget* parent) { return new Tfrmqujian(doc, parent); });
    LotteryDocument& document = frmmain.document();
    frmmain.tools().registerFactory("Tfrmyilou", [&document](QWidget* parent) {
        return new OmissionWindow(document, quorlin::OmissionRule::Return, parent);
    });
    frmmain.tools().registerFactory("Tfrmpiantai", [&document](QWidget* parent) {
        return new OmissionWindow(document, quorlin::OmissionRule::Current, parent);
    });
    // The download writes to the draw table, so the open lottery is closed first.
    frmmain.installHandler("mnudownload", [&frmmain] {
        frmmain.closeLottery();
        Tfrmdownload2 frmdownload2(frmmain.document().state().apppath, &frmmain);
        frmdownload2.exec();
    });
    // The stake plans need no open lottery; their files lie in the program directory.
    const std::string apppath = frmmain.document().state().apppath;
    frmmain.tools().registerFactory("Tfrmgudingjihua", [apppath](QWidget* parent) { return new Tfrmgudingjihua(apppath, parent); });
    frmmain.tools().registerFactory("Tfrmjieduanjihua", [apppath](QWidget* parent) { return new Tfrmjieduanjihua(apppath, parent); });
    frmmain.tools().registerFactory("Tfrmkeibianjihua", [apppath](QWidget* parent) { return new Tfrmkeibianjihua(apppath, parent); });
    // 投资模式分析 reads the open lottery's draws when it marks the hits of a code list.
    frmmain.tools().registerFactory("Tfrmtozi", [&frmmain](QWidget* parent) { return new Tfrmtozi(frmmain.document(), parent); });
    // 旋转矩阵 reads only its wheel files beside the program.
    frmmain.tools().registerFactory("Tfrmjuzheng", [apppath](QWidget* parent) { return new Tfrmjuzheng(apppath, parent); });
    // 自动复式搜索 switches the open lottery's mapping; 大底交集 sizes its count table for it.
    frmmain.tools().registerFactory("Tfrmfushi", [&frmmain](QWidget* parent) { return new Tfrmfushi(frmmain.document(), parent); });
    frmmain.tools().registerFactory("Tfrmjiaoqi", [&frmmain](QWidget* parent) {
        return new Tfrmjiaoqi(frmmain.document().state(), parent);
    });
}
