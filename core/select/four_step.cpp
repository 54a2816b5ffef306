#include "select/four_step.h"

#include "select/ranked_tally.h"
#include "select/zone_draws.h"

#include <algorithm>

namespace quorlin {

namespace {

std::uint64_t bit(int n)
{
    return std::uint64_t{1} << n;
}

// The numbers held by any of the draws first..last.
std::uint64_t drawnIn(const ZoneDraws& draws, std::size_t first, std::size_t last)
{
    std::uint64_t mask = 0;
    for (std::size_t k = first; k <= last; ++k)
        mask |= draws.masks[k];
    return mask;
}

void countDraw(std::vector<TallyEntry>& tally, const ZoneDraws& draws, std::size_t k, int by)
{
    for (const std::uint8_t n : draws.draw(k))
        tally[n - 1u].count += by;
}

std::vector<int> markedNumbers(std::uint64_t marked, int zoneSize)
{
    std::vector<int> numbers;
    for (int n = 1; n <= zoneSize; ++n)
        if (marked & bit(n))
            numbers.push_back(n);
    return numbers;
}

// The four steps for target T; `longTally` holds the counts of the draws max(0, T - L1) .. T - 1
// in number order.
FourStepSelection fourSteps(const ZoneDraws& draws, std::size_t T, const FourStepSettings& settings,
                            std::vector<TallyEntry> longTally)
{
    const int N = draws.zoneSize;
    FourStepSelection s;

    rankMostFirst(longTally);
    std::uint64_t marked = 0;
    for (int place = 0; place < N / 2; ++place)
        marked |= bit(longTally[static_cast<std::size_t>(place)].key);
    s.step1 = markedNumbers(marked, N);

    marked &= ~drawnIn(draws, T - static_cast<std::size_t>(settings.absent), T - 1);
    s.step2 = markedNumbers(marked, N);

    std::uint64_t tripled = 0;
    for (std::size_t k = T - static_cast<std::size_t>(settings.recent); k < T; ++k)
        tripled |= draws.masks[k - 2] & draws.masks[k - 1] & draws.masks[k];
    const std::uint64_t absentFrom = drawnIn(draws, T - static_cast<std::size_t>(settings.triple), T - 1);
    for (int n = 1; n <= N; ++n)
        if ((tripled & bit(n)) && !(absentFrom & bit(n))) {
            marked |= bit(n);
            s.step3.push_back(n);
        }

    std::vector<TallyEntry> shortTally = freshTally(1, N);
    for (std::size_t k = T - static_cast<std::size_t>(settings.active) - 1; k <= T - 2; ++k)
        countDraw(shortTally, draws, k, 1);
    rankMostFirst(shortTally);
    std::uint64_t cold = 0;
    for (int place = 3 * N / 4; place <= N; ++place)
        cold |= bit(longTally[static_cast<std::size_t>(place - 1)].key);
    for (int place = 1; place <= N / 4; ++place) {
        const int n = shortTally[static_cast<std::size_t>(place - 1)].key;
        if (cold & bit(n)) {
            marked |= bit(n);
            s.step4.push_back(n);
        }
    }
    s.numbers = markedNumbers(marked, N);
    return s;
}

} // namespace

int defaultRecent(int recnum)
{
    return recnum >= 40 ? 40 : std::max(recnum, 1);
}

std::size_t fourStepFirstTarget(const FourStepSettings& s)
{
    return static_cast<std::size_t>(std::max({s.recent + 2, s.absent, s.triple, s.active + 1}));
}

std::string fourStepTargetRefusal(std::size_t target, const FourStepSettings& settings)
{
    const std::size_t first = fourStepFirstTarget(settings);
    if (target >= first)
        return {};
    return "按目前的设置，投注期之前至少要有" + std::to_string(first) + "期开奖号码，请选择以后的投注期！";
}

FourStepSelection selectFourStep(const ZoneDraws& draws, std::size_t target, const FourStepSettings& settings)
{
    std::vector<TallyEntry> tally = freshTally(1, draws.zoneSize);
    const std::size_t first = target > static_cast<std::size_t>(settings.recent) ? target - settings.recent : 0;
    for (std::size_t k = first; k < target; ++k)
        countDraw(tally, draws, k, 1);
    return fourSteps(draws, target, settings, std::move(tally));
}

BacktestReport fourStepBacktest(const ZoneDraws& draws, const FourStepSettings& settings, Progress* progress)
{
    const auto L1 = static_cast<std::size_t>(settings.recent);
    BacktestLayout layout;
    // Draws up to L1 + 10 get no bet; the longer look-backs of wider settings are kept off the first draw.
    layout.firstTested = std::max(L1 + 11, fourStepFirstTarget(settings));
    layout.firstRow = L1 + 20;
    layout.firstBar = L1 + 20;
    layout.frequency = false;
    layout.shortSummary = true;
    // Step 1's counts run along with the target: the draw that enters the window is added and the
    // one that leaves it removed, instead of counting L1 draws afresh for every target.
    std::vector<TallyEntry> running = freshTally(1, draws.zoneSize);
    std::size_t counted = 0; // the running tally covers the draws counted - L1 .. counted - 1
    return runBacktest(
        draws, layout,
        [&](std::size_t i) {
            if (counted == 0) {
                for (std::size_t k = i - L1; k < i; ++k)
                    countDraw(running, draws, k, 1);
            } else {
                for (; counted < i; ++counted) {
                    countDraw(running, draws, counted, 1);
                    countDraw(running, draws, counted - L1, -1);
                }
            }
            counted = i;
            return fourSteps(draws, i, settings, running).numbers;
        },
        progress);
}

std::string fourStepRecommendation(const std::string& targetItem, const std::vector<int>& numbers)
{
    return targetItem + "期推荐投注号码：" + twoDigitText(numbers);
}

} // namespace quorlin
