#include "cli_commands.h"

#include "analysis/draw_indicators.h"
#include "store/database.h"
#include "store/draw_import.h"
#include "store/lottery_catalog.h"
#include "store/lottery_open.h"
#include "store/lottery_state.h"
#include "store/u_datamod.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string_view>
#include <utility>

namespace quorlin::cli {

namespace {

const char* const kUsage = "用法: quorlin-cli [--home 程序目录] 命令\n"
                           "命令:\n"
                           "  lotteries              列出数据库中的彩票及其开奖记录数\n"
                           "  import 彩票名称 文件   从文本文件导入开奖号码，输出新增的期数\n"
                           "  open 彩票名称          打开彩票（含超过 20000 期的裁剪），输出期数\n"
                           "  indicators 彩票名称    输出每期的号码指标\n"
                           "  -h, --help             显示本说明\n";

// The commands and the number of words each takes, the command included.
constexpr std::pair<std::string_view, std::size_t> kCommands[] = {
    {"lotteries", 1}, {"import", 3}, {"open", 2}, {"indicators", 2}};

std::string formatValue(float value)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", static_cast<double>(value));
    return buf;
}

void openByName(LotteryState& state, Tdatamod& datamod, const std::string& name)
{
    Database db;
    db.open(state.databasePath());
    const LotteryDefinition definition = readDefinition(db, name);
    db.close();
    openlottery(state, datamod, definition);
}

int lotteries(LotteryState& state, std::ostream& out)
{
    Database db;
    db.open(state.databasePath());
    for (const std::string& name : listlotteries(db))
        out << name << '\t' << countDraws(db, name) << '\n';
    return 0;
}

int import(LotteryState& state, const std::string& name, const std::string& file, std::ostream& out,
           std::ostream& err)
{
    Database db;
    db.open(state.databasePath());
    const ImportResult result = importDraws(db, name, file);
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    // Scripts read the count of added draws as the only line on stdout; the rest is for people.
    out << result.added << '\n';
    if (result.skipped > 0)
        err << "已跳过 " << result.skipped << " 期已存在且相同的开奖号码\n";
    return 0;
}

int indicators(LotteryState& state, Tdatamod& datamod, const std::string& name, std::ostream& out)
{
    constexpr int kZones = 5;
    openByName(state, datamod, name);
    out << "期号\t开奖号码\t大数\t奇数\t和值\t跨度\t散度\t偏度\tAC值\t重码";
    for (int z = 1; z <= kZones; ++z)
        out << "\t区间" << z;
    out << '\n';
    const auto rows = computeDrawIndicators(state, kZones);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DrawIndicatorRow& row = rows[i];
        out << row.issue << '\t' << state.histext.drawText(i);
        for (float value : {row.big, row.odd, row.sum, row.span, row.dispersion, row.skew, row.ac, row.repeat})
            out << '\t' << formatValue(value);
        for (int zone : row.zones)
            out << '\t' << zone;
        out << '\n';
    }
    return 0;
}

} // namespace

int run(std::vector<std::string> args, const std::string& defaultHome, std::ostream& out, std::ostream& err)
{
    std::string home = defaultHome;
    if (!args.empty() && args[0] == "--home") {
        if (args.size() < 2) {
            err << "--home 后缺少程序目录\n" << kUsage;
            return 2;
        }
        home = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "-h" || command == "--help") {
        out << kUsage;
        return 0;
    }
    const auto known = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const auto& entry) { return entry.first == command; });
    if (known == std::end(kCommands)) {
        if (!command.empty())
            err << "未知命令：" << command << '\n';
        err << kUsage;
        return 2;
    }
    if (args.size() != known->second) {
        err << kUsage;
        return 2;
    }

    LotteryState state;
    state.apppath = home.empty() || home.back() == '/' ? home : home + '/';
    Tdatamod datamod;
    try {
        if (command == "lotteries")
            return lotteries(state, out);
        if (command == "import")
            return import(state, args[1], args[2], out, err);
        if (command == "open") {
            openByName(state, datamod, args[1]);
            out << state.recnum << '\n';
            return 0;
        }
        return indicators(state, datamod, args[1], out);
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return 1;
    }
}

} // namespace quorlin::cli
