// quorlin-makedb: prepares a program directory: its side folders and, unless one is already
// there, the database 数据库/彩票数据.mdb holding the shipped lottery with an empty draw table.
#include "store/database.h"
#include "store/schema.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "用法: quorlin-makedb 程序目录\n";
        return 2;
    }
    const fs::path home = fs::u8path(argv[1]);
    try {
        for (const char* folder : {"数据库", "附属", "旋转矩阵", "图片", "帮助"})
            fs::create_directories(home / fs::u8path(folder));

        const fs::path target = home / fs::u8path(quorlin::kDatabaseRelativePath);
        if (fs::exists(target)) {
            std::cout << "保留已有数据库 " << target.string() << '\n';
            return 0;
        }
        // Build beside the target and move it into place, so a half-built file is never found there.
        fs::path scratch = target;
        scratch += ".new-" + std::to_string(getpid());
        fs::remove(scratch);
        {
            quorlin::Database db;
            db.open(scratch.string(), quorlin::Database::Mode::Create);
            quorlin::createLottery(db, quorlin::shippedLotteryDefinition());
        }
        fs::rename(scratch, target);
        std::cout << "已建立数据库 " << target.string() << '\n';
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
