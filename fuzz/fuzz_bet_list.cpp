// Bet lists read back in (the total filter's 载入): the input as a file, read by the list reader.
#include "filter/bet_list_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// What the reader accepted must be what the working table can take; anything else is a finding.
void checkLoaded(const quorlin::LoadedBetList& loaded)
{
    if (loaded.fronts.size() % 5 != 0)
        std::abort();
    for (std::size_t i = 0; i < loaded.fronts.size(); i += 5)
        for (std::size_t k = 0; k < 5; ++k) {
            const int n = loaded.fronts[i + k];
            if (n < 1 || n > 35 || (k > 0 && n <= loaded.fronts[i + k - 1]))
                std::abort();
        }
    for (const int n : loaded.backNumbers)
        if (n < 1 || n > 12)
            std::abort();
    for (std::size_t i = 0; i < loaded.lines.size(); ++i) {
        const std::string bet = loaded.lines.bet(i);
        if (bet.size() != 14 && bet.size() != 20)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/dev/shm/quorlin-fuzz-bet-list-" + std::to_string(getpid()) + ".txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const quorlin::LoadedBetList loaded = quorlin::readBetList(path, 35, 5, 12, 2, 1000);
    if (loaded.ok == !loaded.error.empty())
        std::abort();
    if (loaded.ok)
        checkLoaded(loaded);
    return 0;
}
