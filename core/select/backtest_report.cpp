#include "select/backtest_report.h"

#include "common/progress.h"
#include "select/zone_draws.h"

#include <algorithm>
#include <utility>

namespace quorlin {

namespace {

std::string numbersText(std::span<const int> numbers, NumberForm form)
{
    return form == NumberForm::Plain ? plainText(numbers) : twoDigitText(numbers);
}

std::string numbersText(std::span<const std::uint8_t> numbers, NumberForm form)
{
    return form == NumberForm::Plain ? plainText(numbers) : twoDigitText(numbers);
}

} // namespace

BacktestReport runBacktest(const ZoneDraws& draws, const BacktestLayout& layout, const BetForDraw& betFor,
                           Progress* progress)
{
    BacktestReport report;
    if (layout.frequency)
        report.frequency.assign(static_cast<std::size_t>(draws.perDraw + 1), 0);
    // The summary starts from 0 and 1000, so a back-test without a bet reports exactly that.
    int largest = 0;
    int smallest = 1000;
    const std::size_t n = draws.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (progress) {
            if (progress->cancelled()) {
                report.cancelled = true;
                break;
            }
            progress->report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(n));
        }
        BacktestRow row{
            std::to_string(draws.issues[i]), numbersText(draws.draw(i), layout.drawForm), {}, layout.untestedHits};
        int hits = 0;
        if (i >= layout.firstTested) {
            const std::vector<int> bet = betFor(i);
            hits = draws.hits(i, bet);
            row.bet = numbersText(bet, layout.betForm);
            row.hits = std::to_string(hits);
            if (layout.frequency)
                ++report.frequency[static_cast<std::size_t>(hits)];
        }
        if (i >= layout.firstTested || layout.untestedInSummary) {
            largest = std::max(largest, hits);
            smallest = std::min(smallest, hits);
        }
        if (i >= layout.firstBar)
            report.history.push_back({row.issue, hits});
        if (i >= layout.firstRow)
            report.rows.push_back(std::move(row));
    }
    const std::string most = std::to_string(largest);
    const std::string least = std::to_string(smallest);
    report.summary = layout.shortSummary ? "最大中奖个数：" + most + " 最小中奖个数：" + least
                                         : "最大中奖号码数为" + most + "个，最小中奖号码数为" + least + "个";
    return report;
}

} // namespace quorlin
