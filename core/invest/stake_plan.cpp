#include "invest/stake_plan.h"

#include "invest/money.h"

namespace quorlin {

namespace {

/// One draw at multiple m after `before` invested: its row in the fixed and staged plans.
struct DrawFigures {
    std::int64_t stake;
    std::int64_t total;
    std::int64_t prize;
    std::int64_t net;
};

DrawFigures figures(std::int64_t m, std::int64_t stakeOfOne, std::int64_t before, std::int64_t prizeOfOne)
{
    const std::int64_t stake = moneyMul(m, stakeOfOne);
    const std::int64_t total = moneyAdd(before, stake);
    const std::int64_t prize = moneyMul(m, prizeOfOne);
    return {stake, total, prize, moneySub(prize, total)};
}

void writeRow(PlanStore& store, std::int64_t k, std::int64_t m, const DrawFigures& f)
{
    store.row(static_cast<std::size_t>(k - 1)) = {k, m, f.stake, f.total, f.prize, f.net, profitRate(f.net, f.total),
                                                  0};
}

} // namespace

PlanOutcome buildFixedPlan(const PlanInputs& in, PlanStore& store)
{
    store.resize(static_cast<std::size_t>(in.days));
    std::int64_t invested = in.prekui;
    for (std::int64_t k = 1; k <= in.days; ++k) {
        bool found = false;
        for (std::int64_t m = 1; m <= kPlanMultipleLimit && !found; ++m) {
            const DrawFigures f = figures(m, in.inofsin, invested, in.outofsin);
            if (f.net < in.lirun)
                continue;
            writeRow(store, k, m, f);
            invested = f.total;
            found = true;
        }
        if (!found)
            return PlanOutcome::MultipleTooLarge;
    }
    return PlanOutcome::Built;
}

PlanOutcome buildStagedPlan(const PlanInputs& in, PlanStore& store)
{
    store.resize(static_cast<std::size_t>(in.days));
    const std::int64_t n = in.days;
    const std::int64_t length = n / in.jieduan + (n % in.jieduan != 0 ? 1 : 0);
    std::int64_t invested = in.prekui;
    for (std::int64_t s = 1; s <= in.jieduan; ++s) {
        const std::int64_t stageStart = invested;
        bool found = false;
        for (std::int64_t m = 1; m <= kPlanMultipleLimit && !found; ++m) {
            invested = stageStart;
            found = true;
            for (std::int64_t k = (s - 1) * length + 1; k <= s * length; ++k) {
                // The first stage that reaches past the last draw ends the plan.
                if (k > n)
                    return PlanOutcome::Built;
                const DrawFigures f = figures(m, in.inofsin, invested, in.outofsin);
                if (f.net < in.lirun) {
                    found = false;
                    break;
                }
                writeRow(store, k, m, f);
                invested = f.total;
            }
        }
        if (!found)
            return PlanOutcome::MultipleTooLarge;
    }
    return PlanOutcome::Built;
}

std::optional<PlanStore::Row> variableDraw(std::int64_t k, std::int32_t bets, std::int64_t before, const PlanInputs& in)
{
    const std::int64_t stakeOfOne = moneyMul(2, bets);
    for (std::int64_t m = 1; m <= kPlanMultipleLimit; ++m) {
        const DrawFigures f = figures(m, stakeOfOne, before, in.outofsin);
        if (f.net >= in.lirun)
            return PlanStore::Row{k, m, bets, f.stake, f.total, f.prize, f.net, profitRate(f.net, f.total)};
    }
    return std::nullopt;
}

} // namespace quorlin
