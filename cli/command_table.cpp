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
        {"download", "download 彩票名称 [地址]  下载新的开奖号码，输出新增的期数", runDownload},
    };
    return commands;
}

} // namespace quorlin::cli
