#include "common/scratch_file.h"

#include <atomic>
#include <cerrno>
#include <unistd.h>

namespace quorlin {

std::FILE* createScratchFile(const std::string& path, std::string& scratch)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        scratch = path + ".part-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        if (std::FILE* file = std::fopen(scratch.c_str(), "wbx"))
            return file;
        if (errno != EEXIST)
            break;
    }
    return nullptr;
}

} // namespace quorlin
