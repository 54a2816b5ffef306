#include "store/u_public.h"

#include "common/text_file.h"
#include "store/database.h"
#include "store/lottery_state.h"
#include "store/schema.h"
#include "store/u_datamod.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace quorlin {

std::string LotteryState::databasePath() const { return apppath + kDatabaseRelativePath; }

void loadlottery(LotteryState& state, Tdatamod& datamod)
{
    state.bianhuan = false;
    // The transformed mapping belongs to the history it was built from.
    state.hisbian.resize(0, 0);
    state.bianperm.clear();
    state.bianrank.clear();
    datamod.close();
    datamod.t_con.open(state.databasePath());

    std::vector<int> limits(static_cast<std::size_t>(state.caisel), state.caisum);
    limits.insert(limits.end(), static_cast<std::size_t>(state.housel), state.housum);
    datamod.t_caipiao.open(datamod.t_con, state.cainame, limits, kMaxDraws);
    state.recnum = datamod.t_caipiao.recordCount();
}

std::int32_t combin(const LotteryState& state, std::int32_t n, std::int32_t k)
{
    if (state.caitype == 1) {
        std::int32_t result = 1;
        for (std::int32_t i = 0; i < k; ++i)
            result *= n;
        return result;
    }
    std::int32_t numerator = 1;
    std::int32_t denominator = 1;
    for (std::int32_t i = 1; i <= k; ++i) {
        numerator *= n - i + 1;
        denominator *= i;
    }
    return numerator / denominator;
}

std::int32_t choose(std::int32_t n, std::int32_t k)
{
    std::int32_t result = 1;
    for (std::int32_t i = 1; i <= k; ++i)
        result *= n - i + 1;
    for (std::int32_t i = 1; i <= k; ++i)
        result /= i;
    return result;
}

std::int32_t combrank(const LotteryState& state, std::span<const std::int32_t> numbers)
{
    const std::int32_t c = state.caisel;
    const std::int32_t total = state.caisum;
    std::int32_t rank = 1;
    for (std::int32_t i = 0; i < c; ++i) {
        const std::int32_t lo = i == 0 ? 1 : numbers[static_cast<std::size_t>(i - 1)] + 1;
        for (std::int32_t j = lo; j < numbers[static_cast<std::size_t>(i)]; ++j)
            rank += choose(total - j, c - i - 1);
    }
    return rank;
}

void forEachCombination(int total, int count, const std::function<void(std::span<const std::int32_t>)>& visit)
{
    if (count <= 0 || count > total)
        return;
    std::vector<std::int32_t> comb(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        comb[static_cast<std::size_t>(i)] = i + 1;
    for (;;) {
        visit(comb);
        // Advance the rightmost position that can still grow, then reset the ones after it.
        int i = count - 1;
        while (i >= 0 && comb[static_cast<std::size_t>(i)] == total - (count - 1 - i))
            --i;
        if (i < 0)
            return;
        ++comb[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < count; ++j)
            comb[static_cast<std::size_t>(j)] = comb[static_cast<std::size_t>(j - 1)] + 1;
    }
}

namespace {

std::optional<std::string> systemEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}

// The desktop folder as the XDG user-dirs file names it, with $HOME expanded.
std::string xdgDesktop(const EnvironmentLookup& env)
{
    const std::string home = env("HOME").value_or("");
    std::string config = env("XDG_CONFIG_HOME").value_or("");
    if (config.empty())
        config = home + "/.config";
    if (auto lines = readTextLines(config + "/user-dirs.dirs")) {
        for (const std::string& line : *lines) {
            const std::string key = "XDG_DESKTOP_DIR=";
            if (!line.starts_with(key))
                continue;
            std::string value = line.substr(key.size());
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            if (value.starts_with("$HOME"))
                value = home + value.substr(5);
            return value;
        }
    }
    return home.empty() ? std::string() : home + "/Desktop";
}

} // namespace

std::string getshellfolder(const std::string& name) { return getshellfolder(name, systemEnvironment); }

std::string getshellfolder(const std::string& name, const EnvironmentLookup& env)
{
    if (name != "Desktop")
        return {};
    const std::string folder = xdgDesktop(env);
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
        return {};
    return folder;
}

} // namespace quorlin
