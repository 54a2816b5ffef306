#include "shell/window_catalog.h"

#include "analysis/indicator_texts.h"
#include "analysis/indicator_view.h"
#include "analysis/omission_window.h"
#include "analysis/u_code.h"
#include "analysis/u_qujian.h"
#include "data/u_data.h"
#include "data/u_download2.h"
#include "filter/u_allcongma.h"
#include "filter/u_allgensui.h"
#include "filter/u_allhei.h"
#include "filter/u_allpiantai.h"
#include "filter/u_totalfilt.h"
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
    // The four 无穷 exclusion windows.
    frmmain.tools().registerFactory("Tfrmallhei", [&document](QWidget* parent) { return new Tfrmallhei(document, parent); });
    frmmain.tools().registerFactory("Tfrmallcongma",
                                    [&document](QWidget* parent) { return new Tfrmallcongma(document, parent); });
    frmmain.tools().registerFactory("Tfrmallpiantai",
                                    [&document](QWidget* parent) { return new Tfrmallpiantai(document, parent); });
    frmmain.tools().registerFactory("Tfrmallgensui",
                                    [&document](QWidget* parent) { return new Tfrmallgensui(document, parent); });
}
