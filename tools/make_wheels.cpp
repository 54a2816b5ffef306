// quorlin-makewheels FOLDER: writes the shipped wheels into FOLDER (dist/files/旋转矩阵) and prints
// a table of their sizes. Every wheel is searched with a fixed seed, so a rebuild gives the same
// files (given the same step count), and is checked against every draw before it is written.
#include "wheel/wheel_check.h"
#include "wheel/wheel_file.h"
#include "wheel/wheel_names.h"
#include "wheel/wheel_search.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

struct Family {
    int width;
    int ok;
    int guarantee;
    int fromBasic;
    int toBasic;
};

// The 大乐透 front (选五型) and the six-number bets (选六型, also the drag part of 选七型 with a banker).
constexpr Family kFamilies[] = {
    {5, 5, 4, 6, 15}, {5, 5, 3, 6, 15}, {5, 4, 4, 6, 15},
    {6, 6, 5, 7, 14}, {6, 6, 4, 7, 14}, {6, 5, 5, 7, 14},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::cerr << "用法：quorlin-makewheels 输出文件夹 [每个注数的搜索步数 [只做名字含此文字的矩阵]]\n";
        return 2;
    }
    quorlin::WheelSearchBudget budget;
    if (argc >= 3)
        budget.stepsPerSize = std::stoull(argv[2]);
    const std::string only = argc == 4 ? argv[3] : "";
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::cout << "| 文件 | 注数 | 验证 |\n|---|---|---|\n";
    for (const Family& f : kFamilies)
        for (int basic = f.fromBasic; basic <= f.toBasic; ++basic) {
            quorlin::WheelSettings settings;
            settings.selection = f.width;
            settings.basic = basic;
            settings.ok = f.ok;
            settings.guarantee = f.guarantee;
            const std::string name = *quorlin::wheelFileName(settings);
            if (name.find(only) == std::string::npos)
                continue;
            const auto start = std::chrono::steady_clock::now();
            const quorlin::Wheel wheel = quorlin::searchWheel(basic, f.width, f.ok, f.guarantee, budget);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const quorlin::WheelCheck check = quorlin::checkWheel(wheel, basic, f.ok, f.guarantee);
            if (!check.holds()) {
                std::cerr << name << "：搜索结果未满足保证，未写出\n";
                return 1;
            }
            const std::string note = "以上" + std::to_string(wheel.lines()) + "注已对全部" +
                                     std::to_string(check.draws) + "种开奖逐一验证：" +
                                     quorlin::guaranteeText(f.ok, f.guarantee);
            std::string error;
            if (!quorlin::writeWheel((folder / name).string(), wheel, note, error)) {
                std::cerr << error << '\n';
                return 1;
            }
            std::cout << "| " << name << " | " << wheel.lines() << " | " << check.draws << " 种全中 |";
            std::fprintf(stderr, "%s %.2fs\n", name.c_str(), seconds);
            std::cout << std::endl;
        }
    return 0;
}
