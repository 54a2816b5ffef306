#include "wheel/wheel_guarantee.h"

#include "common/text_file.h"

#include <algorithm>
#include <cstdio>

namespace quorlin {

std::vector<int> WheelGuarantee::freeNumbers() const
{
    std::vector<int> free;
    for (const int n : pool)
        if (std::find(bankers.begin(), bankers.end(), n) == bankers.end())
            free.push_back(n);
    return free;
}

namespace {

std::string twoDigits(int n)
{
    char cell[8];
    std::snprintf(cell, sizeof cell, "%.2d", n);
    return cell;
}

std::string numberProblem(const std::vector<int>& numbers, const char* what)
{
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] < 1 || numbers[i] > kWheelMaxNumber)
            return std::string(what) + "中的号码 " + twoDigits(numbers[i]) + " 不在1到35之间";
        if (std::count(numbers.begin(), numbers.end(), numbers[i]) > 1)
            return std::string(what) + "中的号码 " + twoDigits(numbers[i]) + " 重复";
    }
    return {};
}

} // namespace

std::string wheelPoolProblem(const WheelGuarantee& g)
{
    if (std::string problem = numberProblem(g.pool, "号码池"); !problem.empty())
        return problem;
    if (std::string problem = numberProblem(g.bankers, "胆码"); !problem.empty())
        return problem;
    if (g.bankers.size() > static_cast<std::size_t>(kWheelMaxBankers))
        return kTooManyWheelBankers;
    for (const int b : g.bankers)
        if (std::find(g.pool.begin(), g.pool.end(), b) == g.pool.end())
            return "胆码 " + twoDigits(b) + " 不在号码池中";
    return {};
}

std::string wheelGuaranteeProblem(const WheelGuarantee& g)
{
    if (std::string problem = numberProblem(g.pool, "号码池"); !problem.empty())
        return problem;
    if (g.pool.size() < static_cast<std::size_t>(kWheelBetSize))
        return "号码池至少要有5个号码";
    if (std::string problem = wheelPoolProblem(g); !problem.empty())
        return problem;
    const int free = static_cast<int>(g.pool.size() - g.bankers.size());
    if (g.ok < 1 || g.ok > g.freeWidth() || g.ok > free)
        return "中M保T 的 M 应为1到" + std::to_string(std::min(g.freeWidth(), free));
    if (g.hit < 1 || g.hit > g.ok)
        return "中M保T 的 T 应为1到" + std::to_string(g.ok);
    return {};
}

std::size_t wheelLowerBound(const WheelGuarantee& g)
{
    if (g.ok != g.hit)
        return 1;
    // ⌈v/k ⌈(v−1)/(k−1) … ⌈(v−t+1)/(k−t+1)⌉…⌉⌉ over the free numbers and the free places of a bet.
    const std::uint64_t v = g.pool.size() - g.bankers.size();
    const std::uint64_t k = static_cast<std::uint64_t>(g.freeWidth());
    const auto t = static_cast<std::uint64_t>(g.hit);
    std::uint64_t bound = 1;
    for (std::uint64_t i = t; i-- > 0;)
        bound = ((v - i) * bound + (k - i) - 1) / (k - i);
    return static_cast<std::size_t>(bound);
}

std::string wheelGuaranteeLabel(const WheelGuarantee& g)
{
    std::string label;
    if (!g.bankers.empty()) {
        label = "胆码";
        for (const int b : g.bankers)
            label += ' ' + twoDigits(b);
        label += '\t';
    }
    return label + "中" + std::to_string(g.ok) + "保" + std::to_string(g.hit);
}

std::string readWheelNumbers(std::string_view text, const std::string& what, std::vector<int>& numbers)
{
    numbers.clear();
    for (const std::string_view field : splitFields(text)) {
        if (!isAllDigits(field) || field.size() > 2)
            return what + " 中的 \"" + std::string(field) + "\" 不是号码";
        numbers.push_back(std::stoi(std::string(field)));
    }
    return {};
}

std::string readWheelPool(std::string_view text, WheelGuarantee& g)
{
    const std::size_t mark = text.find('#');
    if (mark != std::string_view::npos && text.find('#', mark + 1) != std::string_view::npos)
        return "号码池中只能有一个 #（#前为胆码）";
    std::vector<int> bankers, others;
    if (mark != std::string_view::npos) {
        if (std::string problem = readWheelNumbers(text.substr(0, mark), "胆码", bankers); !problem.empty())
            return problem;
    }
    const std::string_view rest = mark == std::string_view::npos ? text : text.substr(mark + 1);
    if (std::string problem = readWheelNumbers(rest, "号码池", others); !problem.empty())
        return problem;
    g.bankers = bankers;
    g.pool = bankers;
    g.pool.insert(g.pool.end(), others.begin(), others.end());
    std::sort(g.pool.begin(), g.pool.end());
    std::sort(g.bankers.begin(), g.bankers.end());
    return {};
}

std::string wheelPoolText(const WheelGuarantee& g)
{
    std::string text;
    const auto append = [&text](int n) {
        if (!text.empty() && text.back() != '#')
            text += ' ';
        text += twoDigits(n);
    };
    for (const int b : g.bankers)
        append(b);
    if (!g.bankers.empty())
        text += '#';
    for (const int n : g.freeNumbers())
        append(n);
    return text;
}

MSetIndex::MSetIndex(int numbers, int ok, int hit) : numbers_(numbers), ok_(ok), hit_(hit)
{
    binom_.assign(static_cast<std::size_t>(numbers + 1) * 8, 0);
    for (int n = 0; n <= numbers; ++n) {
        binom_[static_cast<std::size_t>(n) * 8] = 1;
        for (int k = 1; k < 8 && k <= n; ++k)
            binom_[static_cast<std::size_t>(n) * 8 + static_cast<std::size_t>(k)] =
                binom_[static_cast<std::size_t>(n - 1) * 8 + static_cast<std::size_t>(k - 1)] +
                (k <= n - 1 ? binom_[static_cast<std::size_t>(n - 1) * 8 + static_cast<std::size_t>(k)] : 0);
    }
    count_ = binom_[static_cast<std::size_t>(numbers) * 8 + static_cast<std::size_t>(ok)];
}

std::uint64_t MSetIndex::rank(std::uint64_t mask) const
{
    // Colexicographic rank: the j-th lowest bit at index i adds C(i, j).
    std::uint64_t r = 0;
    std::size_t j = 1;
    while (mask) {
        const auto i = static_cast<std::size_t>(__builtin_ctzll(mask));
        r += binom_[i * 8 + j];
        ++j;
        mask &= mask - 1;
    }
    return r;
}

std::uint64_t MSetIndex::maskOf(std::uint64_t rank) const
{
    std::uint64_t mask = 0;
    for (int j = ok_; j >= 1; --j) {
        int i = j - 1;
        while (i + 1 < numbers_ && binom_[static_cast<std::size_t>(i + 1) * 8 + static_cast<std::size_t>(j)] <= rank)
            ++i;
        rank -= binom_[static_cast<std::size_t>(i) * 8 + static_cast<std::size_t>(j)];
        mask |= std::uint64_t{1} << i;
    }
    return mask;
}

std::string wheelBetMasks(const WheelGuarantee& g, const std::vector<WheelBet>& bets, std::vector<std::uint64_t>& masks)
{
    masks.clear();
    if (std::string problem = wheelGuaranteeProblem(g); !problem.empty())
        return problem;
    const std::vector<int> free = g.freeNumbers();
    for (std::size_t i = 0; i < bets.size(); ++i) {
        const WheelBet& bet = bets[i];
        const std::string where = "第" + std::to_string(i + 1) + "注";
        if (bet.size() != static_cast<std::size_t>(kWheelBetSize))
            return where + "不是5个号码";
        std::uint64_t mask = 0;
        int bankers = 0;
        for (const int n : bet) {
            if (std::count(bet.begin(), bet.end(), n) > 1)
                return where + "的号码 " + twoDigits(n) + " 重复";
            if (std::find(g.bankers.begin(), g.bankers.end(), n) != g.bankers.end()) {
                ++bankers;
                continue;
            }
            const auto at = std::find(free.begin(), free.end(), n);
            if (at == free.end())
                return where + "的号码 " + twoDigits(n) + " 不在号码池中";
            mask |= std::uint64_t{1} << (at - free.begin());
        }
        if (bankers != static_cast<int>(g.bankers.size()))
            return where + "没有包含全部胆码";
        masks.push_back(mask);
    }
    return {};
}

WheelBet wheelBetOf(const WheelGuarantee& g, std::uint64_t mask)
{
    const std::vector<int> free = g.freeNumbers();
    WheelBet bet = g.bankers;
    for (std::size_t i = 0; i < free.size(); ++i)
        if (mask >> i & 1u)
            bet.push_back(free[i]);
    std::sort(bet.begin(), bet.end());
    return bet;
}

std::vector<std::uint32_t> wheelCoverCounts(const MSetIndex& index, const std::vector<std::uint64_t>& masks)
{
    std::vector<std::uint32_t> counts(index.count(), 0);
    for (const std::uint64_t bet : masks)
        index.forEachCovered(bet, [&](std::uint64_t r) { ++counts[r]; });
    return counts;
}

bool verifyWheel(const WheelGuarantee& g, const std::vector<WheelBet>& bets)
{
    std::vector<std::uint64_t> masks;
    if (!wheelGuaranteeProblem(g).empty() || !wheelBetMasks(g, bets, masks).empty())
        return false;
    const MSetIndex index(static_cast<int>(g.freeNumbers().size()), g.ok, g.hit);
    const std::vector<std::uint32_t> counts = wheelCoverCounts(index, masks);
    return std::find(counts.begin(), counts.end(), 0u) == counts.end();
}

} // namespace quorlin
