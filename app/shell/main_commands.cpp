#include "shell/main_commands.h"

namespace {

constexpr Availability kAlways = Availability::Always;
constexpr Availability kOpen = Availability::WhileOpen;

} // namespace

const std::vector<MenuEntry>& mainMenus()
{
    static const std::vector<MenuEntry> menus{
        {"mnufile",
         "文件(&F)",
         {
             {"mnuopen", "打开彩票(&O)", kAlways},
             {"mnuclose", "关闭彩票(&G)", kAlways},
             {"mnuoptions", "选项(&P)", kAlways},
             {"mnuexit", "退出(&X)", kAlways},
         }},
        {"mnudata",
         "彩票数据(&D)",
         {
             {"mnumoddata", "数据添加(&M)", kAlways},
             {"mnudownload", "数据下载(&D)", kAlways},
             {"mnugonggao", "开奖公告(&G)", kOpen},
             {"mnubackupdata", "数据备份(&B)", kAlways},
             {"mnustoredata", "数据恢复(&C)", kAlways},
         }},
        {"mnuala",
         "数据分析(&A)",
         {
             {"mnucode", "开奖号码走势(&C)", kOpen, nullptr, 0},
             {"mnudaxiao", "号码大小分析(&Z)", kOpen, nullptr, 1},
             {"mnujiou", "号码奇偶分析(&J)", kOpen, nullptr, 2},
             {"mnuhei", "号码和值分析(&H)", kOpen, nullptr, 3},
             {"mnukuadu", "号码跨度分析(&k)", kOpen, nullptr, 4},
             {"mnusandu", "号码散度分析(&S)", kOpen, nullptr, 5},
             {"mnupiandu", "号码偏度分析(&P)", kOpen, nullptr, 6},
             {"mnuac", "号码AC值分析(&A)", kOpen, nullptr, 7},
             {"mnucongma", "号码重码分析(&O)", kOpen, nullptr, 8},
             {"mnuqujian", "号码区间分析(&Q)", kOpen, nullptr, 9},
             {"mnusuijixing", "随机性检验(&R)", kOpen, "Tfrmsuijixing"},
         }},
        {"mnufilt",
         "选号过滤(&S)",
         {
             {"mnutotalfilt", "总体号码缩水过滤(&T)", kOpen, "Tfrmtotalfilt"},
             {"mnujuzheng", "旋转矩阵组号缩水(&X)", kOpen, "Tfrmjuzheng"},
             {"mnupiantai", "中奖偏态分析选号(&P)", kOpen, "Tfrmpiantai"},
             {"mnuyilou", "中奖回补分析选号(&H)", kOpen, "Tfrmyilou"},
             {"mnusep", "最优间隔回补选号(&L)", kOpen, "Tfrmsep"},
             {"mnuqingmi", "最优亲密数字选号(&Q)", kOpen, "Tfrmqingmi"},
             {"mnuallcongma", "无穷重码排除选号(&C)", kOpen, "Tfrmallcongma"},
             {"mnuallhei", "无穷和值排除选号(&E)", kOpen, "Tfrmallhei"},
             {"mnuallpiantai", "无穷偏态排除选号(&I)", kOpen, "Tfrmallpiantai"},
             {"mnuallgensui", "无穷跟随排除选号(&W)", kOpen, "Tfrmallgensui"},
             {"mnuganzhi", "最优开奖干支选号(&G)", kOpen, "Tfrmganzhi"},
             {"mnusibu", "最优四步综合选号(&Z)", kOpen, "Tfrmsibu"},
             {"mnufushi", "最优复式搜索选号(&F)", kOpen, "Tfrmfushi"},
             {"mnujiaoqi", "    大底交集(&A)", kOpen, "Tfrmjiaoqi"},
             {"mnuduijiang", "投注中奖核对(&K)", kOpen, "Tfrmduijiang"},
             {"mnuhuice", "过滤条件回测(&B)", kOpen, "Tfrmhuice"},
             {"mnuhuifang", "方案回放(&R)", kOpen, "Tfrmhuifang"},
             {"mnujisuanqi", "投注计算器(&J)", kOpen, "Tfrmjisuanqi"},
         }},
        {"mnujihua",
         "投资管理(&M)",
         {
             {"mnugudingjihua", "固定投资计划(&D)", kAlways, "Tfrmgudingjihua"},
             {"mnujieduanjihua", "阶段投资计划(&J)", kAlways, "Tfrmjieduanjihua"},
             {"mnukeibianjihua", "可变投资计划(&S)", kAlways, "Tfrmkeibianjihua"},
             {"mnutozi", "投资模式分析(&Z)", kAlways, "Tfrmtozi"},
         }},
        {"mnuweb",
         "彩票网站(&W)",
         {
             {"mnuweb1", "Mavrel彩票信息网", kAlways},
             {"mnuweb2", "中国体育彩票网", kAlways},
             {"mnuweb4", "中国福利彩票网", kAlways},
             {"mnuweb3", "中国时时彩官网", kAlways},
         }},
        {"mnuhelp",
         "帮助(&H)",
         {
             {"mnuhelpcotent", "使用帮助(&C)", kAlways},
             {"mnumyname", "官方网站(&G)", kAlways},
             {"mnumail", "有事Q我(&M)", kAlways},
             {"mnuhelpabout", "关于(&A)...", kAlways},
         }},
    };
    return menus;
}

const std::vector<ToolButtonEntry>& mainToolButtons()
{
    static const std::vector<ToolButtonEntry> buttons{
        {"tlbopen", "打开彩票", "打开彩票", kAlways, "mnuopen"},
        {"tlbdata", "彩票数据", "彩票数据", kAlways, "mnumoddata"},
        {"tlbpiantai", "干支选号", "最优开奖干支选号", kOpen, "mnuganzhi"},
        {"tlbyilou", "四步选号", "最优四步综合选号", kOpen, "mnusibu"},
        {"tlbala", "总体过滤", "总体过滤", kOpen, "mnutotalfilt"},
        {"tlbbiaozhun", "标准走势", "标准走势", kOpen, "tlbbiaozhun"},
        {"tlbbianwan", "变幻走势", "变幻走势", kOpen, "tlbbianwan"},
        {"tlbyansi", "软件演示", "软件演示", kAlways, "tlbyansi"},
        {"tlbexit", "退出", "退出系统", kAlways, "mnuexit", true},
    };
    return buttons;
}

const std::vector<const char*>& analysisTabCaptions()
{
    static const std::vector<const char*> captions{"开奖号码走势", "号码大小分析", "号码奇偶分析", "号码和值分析",
                                                   "号码跨度分析", "号码散度分析", "号码偏度分析", "号码AC值分析",
                                                   "号码重码分析", "号码区间分析"};
    return captions;
}
