#include "shell/window_catalog.h"

#include "analysis/indicator_texts.h"
#include "analysis/indicator_view.h"
#include "analysis/omission_window.h"
#include "analysis/u_code.h"
#include "analysis/u_qujian.h"
#include "analysis/u_suijixing.h"
#include "betset/u_fushi.h"
#include "betset/u_jiaoqi.h"
#include "betset/u_juzheng.h"
#include "check/u_duijiang.h"
#include "check/u_gonggao.h"
#include "check/u_huice.h"
#include "check/u_huifang.h"
#include "check/u_jisuanqi.h"
#include "data/u_data.h"
#include "data/u_download2.h"
#include "filter/u_allcongma.h"
#include "filter/u_allgensui.h"
#include "filter/u_allhei.h"
#include "filter/u_allpiantai.h"
#include "filter/u_totalfilt.h"
#include "invest/u_gudingjihua.h"
#include "invest/u_jieduanjihua.h"
#include "invest/u_keibianjihua.h"
#include "invest/u_tozi.h"
#include "select/u_ganzhi.h"
#include "select/u_qingmi.h"
#include "select/u_sep.h"
#include "select/u_sibu.h"
#include "shell/database_commands.h"
#include "shell/help_commands.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

namespace {

// The conditions of the total filter window as they stand when 回测 or 回放 is pressed.
FilterConditionSource totalFilterConditions(Tfrmmain& frmmain)
{
    return [&frmmain](QString& message) -> std::optional<quorlin::TotalFilterSettings> {
        auto* filter = qobject_cast<Tfrmtotalfilt*>(frmmain.tools().window("Tfrmtotalfilt"));
        if (!filter) {
            message = QStringLiteral("请先打开总体过滤窗口并设置过滤条件！");
            return std::nullopt;
        }
        return filter->settings(message);
    };
}

// 开奖公告 on the draw `issue`, or on the newest draw when `issue` is 0.
void showNotice(Tfrmmain& frmmain, int issue)
{
    auto* notice = qobject_cast<Tfrmgonggao*>(frmmain.tools().show("Tfrmgonggao"));
    if (notice && (issue == 0 || !notice->showIssue(issue)))
        notice->showNewest();
}

} // namespace

void registerWindows(Tfrmmain& frmmain)
{
    // The trend grid's draw rows open 开奖公告 on their draw.
    frmmain.registerView(0, [&frmmain](LotteryDocument& doc, QWidget* parent) {
        auto* view = new Tfrmcode(doc, parent);
        QObject::connect(view, &Tfrmcode::noticeRequested, view, [&frmmain](int issue) { showNotice(frmmain, issue); });
        return view;
    });
    installDatabaseCommands(frmmain);
    installHelpCommands(frmmain);
    // 数据添加 and the toolbar's 彩票数据: the analyses must not keep reading the draws it changes;
    // they come back on the changed draws when it closes.
    frmmain.installHandler("mnumoddata", [&frmmain] {
        frmmain.runWithLotteryClosed([&frmmain] {
            Tfrmdata frmdata(frmmain.document().state(), &frmmain);
            frmdata.exec();
        });
    });
    frmmain.tools().registerFactory("Tfrmtotalfilt", [&frmmain](QWidget* parent) {
        auto* window = new Tfrmtotalfilt(frmmain.document(), parent);
        // 回测 and 回放 there run the back-test and the replay on the conditions the total filter holds.
        QObject::connect(window, &Tfrmtotalfilt::backtestRequested, window, [&frmmain] {
            if (auto* huice = qobject_cast<Tfrmhuice*>(frmmain.tools().show("Tfrmhuice")))
                huice->btnhuiceClick();
        });
        QObject::connect(window, &Tfrmtotalfilt::replayRequested, window, [&frmmain] {
            if (auto* huifang = qobject_cast<Tfrmhuifang*>(frmmain.tools().show("Tfrmhuifang")))
                huifang->btnhuifangClick();
        });
        return window;
    });
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
    frmmain.tools().registerFactory("Tfrmsuijixing",
                                    [&document](QWidget* parent) { return new Tfrmsuijixing(document, parent); });
    frmmain.tools().registerFactory("Tfrmduijiang",
                                    [&document](QWidget* parent) { return new Tfrmduijiang(document, parent); });
    frmmain.tools().registerFactory("Tfrmgonggao",
                                    [&document](QWidget* parent) { return new Tfrmgonggao(document, parent); });
    // 开奖公告 of the menu: the newest draw, also when the window shows another one.
    frmmain.installHandler("mnugonggao", [&frmmain] { showNotice(frmmain, 0); });
    frmmain.tools().registerFactory("Tfrmjisuanqi",
                                    [&document](QWidget* parent) { return new Tfrmjisuanqi(document, parent); });
    frmmain.tools().registerFactory("Tfrmhuice", [&frmmain](QWidget* parent) {
        return new Tfrmhuice(frmmain.document(), totalFilterConditions(frmmain), parent);
    });
    frmmain.tools().registerFactory("Tfrmhuifang", [&frmmain](QWidget* parent) {
        return new Tfrmhuifang(frmmain.document(), totalFilterConditions(frmmain), parent);
    });
    // The download writes to the draw table, so the open lottery is closed first and opened again
    // on the new draws afterwards.
    frmmain.installHandler("mnudownload", [&frmmain] {
        frmmain.runWithLotteryClosed([&frmmain] {
            Tfrmdownload2 frmdownload2(frmmain.document().state().apppath, &frmmain);
            frmdownload2.exec();
        });
    });
    // The stake plans need no open lottery; their files lie in the program directory.
    const std::string apppath = frmmain.document().state().apppath;
    frmmain.tools().registerFactory("Tfrmgudingjihua",
                                    [apppath](QWidget* parent) { return new Tfrmgudingjihua(apppath, parent); });
    frmmain.tools().registerFactory("Tfrmjieduanjihua",
                                    [apppath](QWidget* parent) { return new Tfrmjieduanjihua(apppath, parent); });
    frmmain.tools().registerFactory("Tfrmkeibianjihua",
                                    [apppath](QWidget* parent) { return new Tfrmkeibianjihua(apppath, parent); });
    // 投资模式分析 reads the open lottery's draws when it marks the hits of a code list.
    frmmain.tools().registerFactory("Tfrmtozi",
                                    [&frmmain](QWidget* parent) { return new Tfrmtozi(frmmain.document(), parent); });
    frmmain.tools().registerFactory("Tfrmqingmi",
                                    [&frmmain](QWidget* parent) { return new Tfrmqingmi(frmmain.document(), parent); });
    frmmain.tools().registerFactory("Tfrmsep",
                                    [&frmmain](QWidget* parent) { return new Tfrmsep(frmmain.document(), parent); });
    frmmain.tools().registerFactory("Tfrmganzhi",
                                    [&frmmain](QWidget* parent) { return new Tfrmganzhi(frmmain.document(), parent); });
    frmmain.tools().registerFactory("Tfrmsibu",
                                    [&frmmain](QWidget* parent) { return new Tfrmsibu(frmmain.document(), parent); });
    // 旋转矩阵 reads only its wheel files beside the program.
    frmmain.tools().registerFactory("Tfrmjuzheng",
                                    [apppath](QWidget* parent) { return new Tfrmjuzheng(apppath, parent); });
    // 自动复式搜索 switches the open lottery's mapping; 大底交集 sizes its count table for it.
    frmmain.tools().registerFactory("Tfrmfushi",
                                    [&frmmain](QWidget* parent) { return new Tfrmfushi(frmmain.document(), parent); });
    frmmain.tools().registerFactory(
        "Tfrmjiaoqi", [&frmmain](QWidget* parent) { return new Tfrmjiaoqi(frmmain.document().state(), parent); });
    // The four 无穷 exclusion windows.
    frmmain.tools().registerFactory("Tfrmallhei",
                                    [&document](QWidget* parent) { return new Tfrmallhei(document, parent); });
    frmmain.tools().registerFactory("Tfrmallcongma",
                                    [&document](QWidget* parent) { return new Tfrmallcongma(document, parent); });
    frmmain.tools().registerFactory("Tfrmallpiantai",
                                    [&document](QWidget* parent) { return new Tfrmallpiantai(document, parent); });
    frmmain.tools().registerFactory("Tfrmallgensui",
                                    [&document](QWidget* parent) { return new Tfrmallgensui(document, parent); });
}
