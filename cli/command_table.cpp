#include "cli_commands.h"

#include "commands.h"

namespace quorlin::cli {

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands{
        {"lotteries", "lotteries              列出数据库中的彩票及其开奖记录数", runLotteries},
        {"import", "import 彩票名称 文件   从文本文件导入开奖号码，输出新增的期数", runImport},
        {"open", "open 彩票名称          打开彩票（含超过 20000 期的裁剪），输出期数", runOpen},
        {"indicators", "indicators 彩票名称    输出每期的号码指标", runIndicators},
        {"summary", "summary 彩票名称 指标 N 指标分析的总结（big odd sum span dispersion skew ac repeat；N 为期数或 all）",
         runSummary},
        {"zones", "zones 彩票名称 Z       Z 个区间（1-7）的区间分析表", runZones},
        {"omission", "omission 彩票名称 [--back] [--rule return|current] [--sort number|chase|omission|count]\n"
                     "                         中奖回补（return）或中奖偏态（current）分析表",
         runOmission},
        {"filter",
         "filter 彩票名称 [--big A-B] [--odd A-B] [--sum A-B] [--span A-B] [--dispersion A-B] [--skew A-B]\n"
         "                         [--ac A-B] [--banker \"号码\" [--banker-hits A-B]] [--front \"号码\" [--front-hits A-B]]\n"
         "                         [--back \"号码\"] [--in 文件] [--out 文件]\n"
         "                         总体过滤一次（标准走势），输出注数；--out 写出投注号码",
         runFilter},
        {"sidetext",
         "sidetext encode 明文文件 附属文件 | sidetext decode 附属文件\n"
         "                         写入或读出关于框、启动画面的加密附属文件",
         runSideText},
        {"export", "export 彩票名称 [文件] 导出历史号码（默认 附属/彩票名称历史号码.txt），输出行数", runExport},
        {"download", "download 彩票名称 [地址]  下载新的开奖号码，输出新增的期数", runDownload},
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
         "                                 [--stage fixed|random] [--stage-bound limited|max] [--stage-draws 阶段统计期]\n"
         "                                 [--group 对比号码数] [--follow-high 跟随数>=] [--follow-low 或<=]",
         runExclude},
    };
    return commands;
}

} // namespace quorlin::cli
