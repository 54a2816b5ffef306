#include "check/scheme_replay.h"

#include "check/replay_front_counts.h"
#include "common/binomial.h"
#include "common/decimal_text.h"
#include "common/progress.h"
#include "filter/total_filter_job.h"
#include "store/filter_space.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <bit>

namespace quorlin {

namespace {

std::uint64_t maskOfRow(const Grid<std::int32_t>& his, std::size_t row, int from, int count)
{
    std::uint64_t m = 0;
    for (int k = 0; k < count; ++k) {
        const int n = his.at(row, static_cast<std::size_t>(from + k));
        if (n >= 0 && n < 64)
            m |= std::uint64_t{1} << n;
    }
    return m;
}

// Pairs (tuples of backWidth) of the chosen back numbers by how many of the draw's they hold.
std::array<std::uint64_t, 3> backTuplesByHits(std::uint64_t chosen, std::uint64_t drawn, int backWidth)
{
    std::array<std::uint64_t, 3> byHits{};
    const int hit = std::popcount(chosen & drawn);
    const int miss = std::popcount(chosen) - hit;
    for (int j = 0; j <= std::min(backWidth, 2); ++j)
        byHits[static_cast<std::size_t>(j)] = binomial(hit, j) * binomial(miss, backWidth - j);
    return byHits;
}

} // namespace

ExpectedMoney expectedMoney(const DrawCheck& priced, std::uint64_t bets, int total, int width, int backTotal,
                            int backWidth)
{
    ExpectedMoney expected;
    if (!priced.rules)
        return expected;
    const PrizeRuleSet& rules = *priced.rules;
    const auto chance = [](int all, int drawn, int hits) {
        return static_cast<double>(binomial(drawn, hits) * binomial(all - drawn, drawn - hits)) /
               static_cast<double>(binomial(all, drawn));
    };
    const DrawPrices prices =
        priced.prices.levels.size() == rules.levels.size() ? priced.prices : rulePrices(rules, std::nullopt);
    double perBet = 0;
    for (int f = 0; f <= std::min(width, 5); ++f)
        for (int b = 0; b <= std::min(backWidth, 2); ++b) {
            const int level = rules.levelOf(f, b);
            if (level < 0)
                continue;
            const LevelPrice& price = prices.levels[static_cast<std::size_t>(level)];
            perBet += chance(total, width, f) * chance(backTotal, backWidth, b) *
                      static_cast<double>(price.money(priced.extra));
        }
    for (const LevelPrice& price : prices.levels)
        expected.unknown = expected.unknown || !price.known(priced.extra);
    expected.money = perBet * static_cast<double>(bets);
    return expected;
}

std::string returnText(double money, std::int64_t stake)
{
    return stake <= 0 ? "-" : percentText(money / static_cast<double>(stake));
}

std::string expectedMoneyText(double money)
{
    return decimalText(money, 1);
}

std::optional<ReplayResult> runReplay(const ReplayHistory& history, const TotalFilterSettings& settings,
                                      std::size_t count, const PrizeBook& book, bool extra, Progress* progress)
{
    const Grid<std::int32_t>& his = *history.hisfull;
    const int w = history.width;
    const std::size_t rowsInHistory = his.rows();
    // The oldest draw has none before it to judge by.
    const std::size_t n = rowsInHistory == 0 ? 0 : std::min(count, rowsInHistory - 1);
    const std::size_t first = rowsInHistory - n;

    std::uint64_t chosenBack = 0;
    for (const int b : settings.back)
        if (b >= 1 && b <= history.backTotal)
            chosenBack |= std::uint64_t{1} << b;
    if (chosenBack == 0)
        for (int b = 1; b <= history.backTotal; ++b)
            chosenBack |= std::uint64_t{1} << b;

    ReplayFrontCounts fronts(settings, history.total, w);

    ReplayResult result;
    result.rows.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (progress) {
            if (progress->cancelled())
                return std::nullopt;
            progress->report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(n));
        }
        const std::size_t at = first + i;
        // Kept fronts by how many of the draw's front numbers they hold.
        const std::array<std::uint64_t, 9> byHits = fronts.count(his, at);

        CheckDraw draw;
        draw.issue = std::to_string(his.at(at, 0));
        draw.date = history.hisdate && at < history.hisdate->size() ? drawDateNumber((*history.hisdate)[at]) : 0;
        draw.previousIssue = his.at(at - 1, 0);
        for (int k = 1; k <= w; ++k)
            draw.front.push_back(his.at(at, static_cast<std::size_t>(k)));
        for (int k = 1; k <= history.backWidth; ++k)
            draw.back.push_back(his.at(at, static_cast<std::size_t>(w + k)));
        ReplayRow row;
        row.check = pricedCheck(draw, book, extra);
        const auto backs =
            backTuplesByHits(chosenBack, maskOfRow(his, at, w + 1, history.backWidth), history.backWidth);
        std::uint64_t tuples = 0;
        for (const std::uint64_t t : backs)
            tuples += t;
        for (std::size_t f = 0; f < byHits.size(); ++f) {
            row.keptFronts += byHits[f];
            for (std::size_t b = 0; b < backs.size(); ++b)
                row.check.hits[std::min<std::size_t>(f, 5)][b] += byHits[f] * backs[b];
        }
        row.bets = row.keptFronts * tuples;
        settleLevels(row.check);
        row.stake = result.totals.add(row.check, row.bets, extra);
        if (row.check.rules) {
            const ExpectedMoney expected =
                expectedMoney(row.check, row.bets, history.total, w, history.backTotal, history.backWidth);
            row.expectedMoney = expected.money;
            row.expectedUnknown = expected.unknown;
            result.expectedMoney += expected.money;
            result.expectedUnknown = result.expectedUnknown || expected.unknown;
            auto set = std::find_if(result.levelTotals.begin(), result.levelTotals.end(),
                                    [&row](const RuleSetTotals& t) { return t.rules == row.check.rules; });
            if (set == result.levelTotals.end())
                set = result.levelTotals.insert(
                    result.levelTotals.end(),
                    RuleSetTotals{row.check.rules, std::vector<std::uint64_t>(row.check.levelCounts.size(), 0)});
            for (std::size_t k = 0; k < row.check.levelCounts.size(); ++k)
                set->bets[k] += row.check.levelCounts[k];
        }
        row.balance = result.totals.balance;
        row.expectedBalance = result.expectedMoney - static_cast<double>(result.totals.stake);
        result.rows.push_back(std::move(row));
    }
    if (progress)
        progress->report(static_cast<std::int64_t>(n), static_cast<std::int64_t>(n));
    return result;
}

std::optional<ReplayJob> prepareReplay(const LotteryState& state, TotalFilterSettings settings, std::string& error)
{
    const FilterSpace space = filterspace(state);
    if (settings.back.empty())
        settings.back = everyBackNumber(space);
    if (const auto refusal = validateTotalFilter(settings, space)) {
        error = *refusal;
        return std::nullopt;
    }
    auto book = prizeBookOf(state, error);
    if (!book)
        return std::nullopt;
    return ReplayJob{
        ReplayHistory{&state.hisfull, &state.hisdate, state.caisum, state.caisel, state.housum, state.housel},
        std::move(settings), std::move(*book)};
}

std::optional<ReplayResult> runReplay(const ReplayJob& job, std::size_t count, bool extra, Progress* progress)
{
    return runReplay(job.history, job.settings, count, job.book, extra, progress);
}

} // namespace quorlin
