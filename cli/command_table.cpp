#include "cli_commands.h"

#include "commands.h"

namespace quorlin::cli {

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands{
        {"lotteries", "lotteries              列出数据库中的彩票及其开奖记录数", runLotteries},
        {"import", "import 彩票名称 文件   从文本文件导入开奖号码，输出新增的期数", runImport},
        {"prizes-import",
         "prizes-import 彩票名称 奖级文件 [销售奖池文件]\n"
         "                         导入各期公布的奖级结果（及销售额与奖池），相同的跳过，矛盾的拒绝整个文件",
         runPrizesImport},
        {"prizes-export",
         "prizes-export 彩票名称 奖级文件 [销售奖池文件]\n"
         "                         把存储的奖级结果（及销售额与奖池）写成 CSV 文件",
         runPrizesExport},
        {"prizes",
         "prizes 彩票名称 [--issue 期号 | --last N] [--xlsx 文件] [--csv 文件]\n"
         "                         开奖公告：最新一期（或所给各期）的各奖级中奖注数和单注奖金、销售额和奖池",
         runPrizes, true, "期号\t开奖日期\t奖级\t中奖注数\t单注奖金(元)"},
        {"open", "open 彩票名称          打开彩票（只载入最新的 20000 期），输出期数", runOpen},
        {"indicators", "indicators 彩票名称    输出每期的号码指标", runIndicators},
        {"summary",
         "summary 彩票名称 指标 N [--xlsx 文件] [--csv 文件]\n"
         "                         指标分析的总结（big odd sum span dispersion skew ac repeat；N 为期数或 all）",
         runSummary, true},
        {"zones",
         "zones 彩票名称 Z [--xlsx 文件] [--csv 文件]\n"
         "                         Z 个区间（1-7）的区间分析表",
         runZones, true},
        {"omission",
         "omission 彩票名称 [--back] [--rule return|current] [--sort number|chase|omission|count]\n"
         "                         [--xlsx 文件] [--csv 文件]\n"
         "                         中奖回补（return）或中奖偏态（current）分析表",
         runOmission, true},
        {"filter",
         "filter 彩票名称 [--big A-B] [--odd A-B] [--sum A-B] [--span A-B] [--dispersion A-B] [--skew A-B]\n"
         "                         [--ac A-B] [--banker \"号码\" [--banker-hits A-B]] [--front \"号码\" [--front-hits "
         "A-B]]\n"
         "                         [--consecutive A-B] [--longest-run A-B] [--mod3-0 A-B] [--mod3-1 A-B] [--mod3-2 "
         "A-B]\n"
         "                         [--primes A-B] [--tails A-B] [--tail-sum A-B] [--zone1 A-B] [--zone2 A-B] [--zone3 "
         "A-B]\n"
         "                         [--lowest A-B] [--highest A-B] [--repeat A-B] [--neighbours A-B] [--hot A-B] "
         "[--warm "
         "A-B]\n"
         "                         [--cold A-B] [--tolerance K] [--scheme 方案文件]\n"
         "                         [--back \"号码\"] [--in 文件] [--out 文件]\n"
         "                         总体过滤一次（标准走势），输出注数；--out 写出投注号码；容错 K：最多 K "
         "个条件不符；\n"
         "                         --scheme 读入保存的方案，其后给出的条件覆盖方案中的",
         runFilter},
        {"sidetext",
         "sidetext encode 明文文件 附属文件 | sidetext decode 附属文件\n"
         "                         写入或读出关于框、启动画面的加密附属文件",
         runSideText},
        {"export", "export 彩票名称 [文件] 导出历史号码（默认 附属/彩票名称历史号码.txt），输出行数", runExport},
        {"download", "download 彩票名称 [地址]  下载新的开奖号码，输出新增的期数", runDownloadCommand},
        {"plan",
         "plan fixed|staged|variable [--loss 前期亏损] [--profit 预期利润] [--stake 单倍投入] [--prize 单注奖金]\n"
         "                         [--draws 投注期数] [--stages 阶段次数] [--bets \"每期注数 …\"]\n"
         "                         [--xlsx 文件] [--csv 文件]\n"
         "                         固定、阶段或可变投资计划表（缺省值同窗口）及平均每期净利润",
         runPlan, true},
        {"invest",
         "invest 彩票名称 --codes 号码文件 [--settings 设置文件] [--search] [--xlsx 文件] [--csv 文件]\n"
         "                         投资模式分析：输出投资和赢亏表及总体赢余；--search 输出最优设置",
         runInvest, true},
        {"select",
         "select 彩票名称 intimacy|interval|stembranch|fourstep [--back] [--target 序号] [--backtest]\n"
         "                         [--xlsx 文件] [--csv 文件]\n"
         "                         [--take S] [--mode overall|each] [--limit L|all] (intimacy)\n"
         "                         [--interval Q] [--take S] (interval)   [--additional] (stembranch)\n"
         "                         [--steps L1,L2,L3,L4] (fourstep)\n"
         "                         选号窗口对目标期（序号同目前投注期，默认下一期）的推荐号码；\n"
         "                         --backtest 输出历史统计表和汇总",
         runSelect, true},
        {"check",
         "check 彩票名称 文件 [--issue 期号 | --last N] [--extra] [--xlsx 文件] [--csv 文件]\n"
         "                         投注号码的中奖核对：每期各奖级注数和奖金，最后一行合计（追加每注 3 元）",
         runCheck, true},
        {"replay",
         "replay 彩票名称 --last N [过滤条件同 filter | --scheme 方案文件] [--back \"号码\"] [--extra]\n"
         "                         [--xlsx 文件] [--csv 文件]\n"
         "                         方案回放：每期按此前的开奖做出的投注号码在该期的各奖级注数、奖金和累计盈亏，\n"
         "                         最后是合计与同样注数随机投注的期望奖金（随机基准）",
         runReplay, true},
        {"ticket",
         "ticket 票面… [--extra] [--draw \"F F F F F+B B\" [--date YYYY-MM-DD] | --issue N]\n"
         "                         单式、复式、胆拖票面的注数和金额（追加每注 3 元）；--draw 时为各奖级中奖注数和奖金\n"
         "                         （按 --date 当日的奖级表，默认最新的奖级表）；--issue 时按已存第 N 期的开奖号码\n"
         "                         和公布的单注奖金",
         runTicket},
        {"backtest",
         "backtest 彩票名称 --last N [--big A-B] [--odd A-B] [--sum A-B] [--span A-B] [--dispersion A-B]\n"
         "                         [--skew A-B] [--ac A-B] [--banker \"号码\" [--banker-hits A-B]] [--front \"号码\" "
         "[--front-hits A-B]]\n"
         "                         [--consecutive A-B] … [--cold A-B]（第二页条件，同 filter） [--tolerance K] "
         "[--scheme 文件] [--xlsx 文件] [--csv 文件]\n"
         "                         "
         "过滤条件回测：每期各条件是否保留开奖号码及保留注数（偏度、重号、邻号、冷热对各期之前的开奖），\n"
         "                         最后是各条件的汇总；容错不为 0 时最后一行为“容错”和 K",
         runBacktest, true},
        {"randomness",
         "randomness 彩票名称 [--from 期号] [--to 期号] | [--last N]\n"
         "                         随机性检验：全部（或所给范围的）开奖号码的八项检验（统计量、自由度、p值）\n"
         "                         和 Holm 校正后 1% 水平的结论；--last 不能与 --from、--to 同时给出",
         runRandomness},
        {"wheel",
         "wheel [--type 选五型] [--basic 基本号码个数] [--ok 5] [--guarantee 4] [--bankers \"胆码\"] 号码…\n"
         "                         用附带的旋转矩阵把号码组成投注号码，每行一注",
         runWheel},
        {"wheel-check",
         "wheel-check 矩阵文件 --basic B --ok K --guarantee G\n"
         "                         用全部开奖逐一验证矩阵：成立输出 ok，否则列出漏洞",
         runWheelCheck},
        {"wheel-make",
         "wheel-make --pool \"号码池\" --guarantee M-T [--bankers \"胆码\"] [--seconds 10] [--seed N] [--threads K]\n"
         "                         按需生成旋转矩阵：每行一注，然后合计注数和金额、已验证的保证",
         runWheelMake},
        {"wheel-holes",
         "wheel-holes 投注文件 --pool \"号码池\" --guarantee M-T [--bankers \"胆码\"]\n"
         "                         检查矩阵：覆盖率，然后每个漏洞一行",
         runWheelHoles},
        {"wheel-repair",
         "wheel-repair 投注文件 --pool \"号码池\" --guarantee M-T [--bankers \"胆码\"] [--seconds 10]\n"
         "                         修补矩阵：补上漏洞、去掉多余的注，输出同 wheel-make",
         runWheelRepair},
        {"intersect",
         "intersect 大底文件… [--tolerance E1-E2] [--back import|none|all|\"01 02 …\"]\n"
         "                         多重大底交集：输出带序号的交集号码",
         runIntersect},
        {"exclude",
         "exclude 彩票名称 sum|repeat|bias|follow [--iterations N | --target N] [--max-iterations N]\n"
         "                         [--seed N] [--current 期号] [--in 文件] [--out 文件]\n"
         "                         无穷排除选号一次，输出剩下的注数；--target 过滤到 N 注（默认 10000，follow 50），\n"
         "                         --iterations 过滤 N 次，--max-iterations 按注数过滤时最多的次数（默认 100000）\n"
         "                         sum:    [--sum-high 和值>=] [--sum-low 或<=]\n"
         "                         repeat: [--repeat-draws 重码期数] [--repeat-min 过滤的重码数>=]\n"
         "                         bias:   [--mode big|odd] [--high 个数>=] [--high-keep A-B] [--no-high]\n"
         "                                 [--low 个数<=] [--low-keep A-B] [--no-low] [--run 延续期数]\n"
         "                         follow: [--mode transformed|plain] [--relabel rank|rotation] [--order count|gap]\n"
         "                                 [--stage fixed|random] [--stage-bound limited|max] [--stage-draws "
         "阶段统计期]\n"
         "                                 [--group 对比号码数] [--follow-high 跟随数>=] [--follow-low 或<=]",
         runExclude},
    };
    return commands;
}

} // namespace quorlin::cli
