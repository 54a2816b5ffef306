#include "makedb_command.h"

#include "store/program_directory.h"
#include "store/schema.h"

#include <filesystem>
#include <ostream>

namespace fs = std::filesystem;

namespace quorlin::makedb {

namespace {

const char* const kUsage = "用法: quorlin-makedb [--history 开奖历史文件] 程序目录\n"
                           "在程序目录中建立附属文件夹；其中还没有 数据库/彩票数据.mdb 时建立它，\n"
                           "含彩票“中国体彩超级大乐透”，给出 --history 时并导入该文件的开奖号码，\n"
                           "程序目录的 附属/ 中有 dlt_prizes.csv、dlt_pool_sales.csv 时并存入这些开奖的\n"
                           "奖级结果、销售额与奖池。\n"
                           "已有的数据库是用户的数据，从不改动。\n"
                           "选项:\n"
                           "  --history 文件   新数据库导入的开奖历史（每行一期：期号、日期、7 个号码）\n"
                           "  -h, --help       显示本说明\n";

struct Options {
    std::string home;
    std::string history;
};

// Returns the exit status when the arguments end the run (help or a mistake), -1 otherwise.
int parseArguments(const std::vector<std::string>& args, Options& options, std::ostream& out, std::ostream& err)
{
    int folders = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            out << kUsage;
            return 0;
        }
        if (arg == "--history" && i + 1 < args.size()) {
            options.history = args[++i];
        } else if (arg.starts_with("-")) {
            err << (arg == "--history" ? "--history 后缺少文件名\n" : "未知选项：" + arg + "\n") << kUsage;
            return 2;
        } else {
            options.home = arg;
            ++folders;
        }
    }
    if (folders != 1) {
        err << kUsage;
        return 2;
    }
    return -1;
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (const int status = parseArguments(args, options, out, err); status >= 0)
        return status;

    const fs::path home = fs::u8path(options.home);
    try {
        for (const char* folder : kSideFolders)
            fs::create_directories(home / fs::u8path(folder));

        const fs::path target = home / fs::u8path(kDatabaseRelativePath);
        if (fs::exists(target)) {
            out << "保留已有数据库 " << target.string() << '\n';
            return 0;
        }
        int draws = 0;
        if (const std::string error =
                createShippedDatabase(target.string(), options.history, draws, home.string() + "/");
            !error.empty()) {
            err << error << '\n';
            return 1;
        }
        out << "已建立数据库 " << target.string() << "，含 " << draws << " 期开奖号码\n";
        return 0;
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return 1;
    }
}

} // namespace quorlin::makedb
