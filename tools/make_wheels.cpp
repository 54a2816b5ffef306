// quorlin-makewheels FOLDER [STEPS [NAME-PART]]: writes the shipped wheels into FOLDER
// (dist/files/旋转矩阵) and prints a table of their sizes. Every wheel is searched from fixed seeds,
// so a rebuild gives the same files (for the same step count), and is checked against every draw
// before it is written. Two wheels are searched at a time; QUORLIN_WHEEL_RUNS sets the seeds tried.
#include "wheel/wheel_check.h"
#include "wheel/wheel_file.h"
#include "wheel/wheel_names.h"
#include "wheel/wheel_search.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>
#include <vector>

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
    {5, 5, 4, 6, 15}, {5, 5, 3, 6, 15}, {5, 4, 4, 6, 15}, {6, 6, 5, 7, 14}, {6, 6, 4, 7, 14}, {6, 5, 5, 7, 14},
};

struct Job {
    std::string name;
    int basic, width, ok, guarantee;
    quorlin::Wheel wheel;
    double seconds = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::cerr << "用法：quorlin-makewheels 输出文件夹 [每个注数的搜索步数 [只做名字含此文字的矩阵]]\n";
        return 2;
    }
    quorlin::WheelSearchBudget budget;
    budget.runs = 8; // restarts find the tight designs (12 码中5保5 in 132 lines) that one run misses
    if (argc >= 3)
        budget.stepsPerSize = std::stoull(argv[2]);
    const std::string only = argc == 4 ? argv[3] : "";
    if (const char* runs = std::getenv("QUORLIN_WHEEL_RUNS"))
        budget.runs = std::atoi(runs);
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    std::vector<Job> jobs;
    for (const Family& f : kFamilies)
        for (int basic = f.fromBasic; basic <= f.toBasic; ++basic) {
            quorlin::WheelSettings settings;
            settings.selection = f.width;
            settings.basic = basic;
            settings.ok = f.ok;
            settings.guarantee = f.guarantee;
            const std::string name = *quorlin::wheelFileName(settings);
            if (name.find(only) != std::string::npos)
                jobs.push_back({name, basic, f.width, f.ok, f.guarantee, {}, 0});
        }
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i; (i = next++) < jobs.size();) {
            Job& job = jobs[i];
            const auto start = std::chrono::steady_clock::now();
            job.wheel = quorlin::searchWheel(job.basic, job.width, job.ok, job.guarantee, budget);
            job.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
    };
    std::thread second(worker);
    worker();
    second.join();

    std::cout << "| 文件 | 注数 | 验证 |\n|---|---|---|\n";
    for (const Job& job : jobs) {
        const quorlin::WheelCheck check = quorlin::checkWheel(job.wheel, job.basic, job.ok, job.guarantee);
        if (!check.holds()) {
            std::cerr << job.name << "：搜索结果未满足保证，未写出\n";
            return 1;
        }
        const std::string note = "以上" + std::to_string(job.wheel.lines()) + "注已对全部" +
                                 std::to_string(check.draws) + "种开奖逐一验证：" +
                                 quorlin::guaranteeText(job.ok, job.guarantee);
        std::string error;
        if (!quorlin::writeWheel((folder / job.name).string(), job.wheel, note, error)) {
            std::cerr << error << '\n';
            return 1;
        }
        std::cout << "| " << job.name << " | " << job.wheel.lines() << " | " << check.draws << " 种全中 |" << std::endl;
        std::fprintf(stderr, "%s %.2fs\n", job.name.c_str(), job.seconds);
    }
    return 0;
}
