// Wheel files (旋转矩阵) and big-base files (大底): the input as a file, read by the wheel reader
// and by the intersection.
#include "filter/base_intersection.h"
#include "store/lottery_state.h"
#include "wheel/wheel_check.h"
#include "wheel/wheel_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// What the wheel reader accepted must map onto the boxes: every position in 1..basic, full lines.
void checkWheelRead(const quorlin::LoadedWheel& loaded, int basic)
{
    if (loaded.ok == !loaded.error.empty())
        std::abort();
    if (!loaded.ok)
        return;
    const quorlin::Wheel& wheel = loaded.wheel;
    if (wheel.width > 0 && wheel.positions.size() % static_cast<std::size_t>(wheel.width) != 0)
        std::abort();
    for (const std::uint8_t p : wheel.positions)
        if (p < 1 || p > basic)
            std::abort();
    if (wheel.width >= 1 && wheel.width <= 8 && wheel.lines() < 200)
        quorlin::checkWheel(wheel, basic, 6, 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/dev/shm/quorlin-fuzz-wheel-" + std::to_string(getpid()) + ".txt";
    static quorlin::BaseIntersection intersection{quorlin::LotteryState{}};
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    checkWheelRead(quorlin::readWheel(path, 0, 10), 10);
    checkWheelRead(quorlin::readWheel(path, 6, 21), 21);

    const auto result = intersection.run({path}, {});
    if (result.ok == !result.error.empty())
        std::abort();
    for (std::size_t i = 0; result.ok && i < result.bets.size() && i < 1000; ++i) {
        const std::string line = result.line(i);
        if (line.size() != 26 && line.size() != 31) // numbered, front only with its blank, or with backs
            std::abort();
    }
    return 0;
}
