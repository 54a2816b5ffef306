#include "invest/mode_replay.h"

#include "invest/hit_marks.h"
#include "invest/money.h"

#include <algorithm>

namespace quorlin {

namespace {

__extension__ typedef __int128 Wide;

Wide wideMul(Wide a, Wide b)
{
    Wide r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        throw MoneyOverflowError();
    return r;
}

/// Floor of a / b for b > 0.
Wide floorDiv(Wide a, Wide b)
{
    const Wide q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

/// The plan of one betting block, started after a carried loss.
struct BlockPlan {
    std::int64_t carried = 0;
    std::vector<ModePlanRow> rows;
    std::int64_t affordable = 0; ///< A: the last row within both limits
    ModeStop stop = ModeStop::End;
};

BlockPlan planBlock(std::int64_t carried, const ModeRule& rule)
{
    BlockPlan plan;
    plan.carried = carried;
    plan.rows.reserve(static_cast<std::size_t>(rule.tozirep));
    std::int64_t invested = carried;
    const std::int64_t stakeOfOne = moneyMul(2, rule.jushu);
    for (std::int64_t j = 1; j <= rule.tozirep; ++j) {
        const std::int64_t m = smallestModeMultiple(invested, rule.jushu, rule.outofsin, rule.lirun);
        if (m == 0) {
            plan.stop = ModeStop::MultipleTooLarge;
            return plan;
        }
        const std::int64_t stake = moneyMul(m, stakeOfOne);
        const std::int64_t total = moneyAdd(invested, stake);
        const std::int64_t prize = moneyMul(m, rule.outofsin);
        const std::int64_t net = moneySub(prize, total);
        plan.rows.push_back({j, m, stake, total, prize, net, profitRate(net, total)});
        invested = total;
        if (stake <= rule.sinmax && total <= rule.allmax)
            plan.affordable = j;
        if (plan.affordable == 0) {
            plan.stop = ModeStop::FirstDayTooDear;
            return plan;
        }
    }
    return plan;
}

/// The block plans of one replay, one per carried loss met: most blocks start without a loss or
/// after the same losses, so each plan is worked out once.
class BlockPlans {
public:
    explicit BlockPlans(const ModeRule& rule) : rule_(rule) {}

    const BlockPlan& forCarried(std::int64_t carried)
    {
        for (const BlockPlan& plan : plans_) {
            if (plan.carried == carried)
                return plan;
        }
        plans_.push_back(planBlock(carried, rule_));
        return plans_.back();
    }

private:
    const ModeRule& rule_;
    std::vector<BlockPlan> plans_;
};

/// Adds up the surplus as the blocks come, both ways: with every loss, and without the carried ones.
struct SurplusSink {
    std::int64_t all = 0;
    std::int64_t uncarried = 0;
    std::size_t blocks = 0;

    void operator()(const ModePlanRow& row, bool cutShort)
    {
        all = moneyAdd(all, row[5]);
        if (row[5] >= 0 || cutShort)
            uncarried = moneyAdd(uncarried, row[5]);
        ++blocks;
    }
    std::int64_t surplus(const ModeRule& rule, ModeStop stop) const
    {
        return rule.yuji && stop == ModeStop::End ? uncarried : all;
    }
};

} // namespace

std::int64_t smallestModeMultiple(std::int64_t invested, std::int64_t jushu, std::int64_t outofsin, std::int64_t lirun)
{
    // rate = trunc(100·net / total) >= P with total > 0 holds exactly when 100·net >= P·total for
    // P >= 1, and when 100·net > (P − 1)·total for P <= 0 (truncation lifts negative rates).
    // With net = m·(W − 2B) − T and total = T + 2B·m this is m·a >= k (or > k), linear in m.
    const bool strict = lirun <= 0;
    const Wide q = strict ? Wide(lirun) - 1 : Wide(lirun);
    const Wide twoB = wideMul(2, jushu);
    const Wide a = wideMul(100, Wide(outofsin) - twoB) - wideMul(twoB, q);
    const Wide k = wideMul(invested, 100 + q);
    Wide m = 1;
    if (a > 0) {
        m = strict ? floorDiv(k, a) + 1 : -floorDiv(-k, a);
        m = std::max<Wide>(m, 1);
    } else if (strict ? !(a > k) : !(a >= k)) {
        // With a <= 0 larger multiples only do worse: m = 1 passes or nothing does.
        return 0;
    }
    return m <= kModeMultipleLimit ? static_cast<std::int64_t>(m) : 0;
}

ModeReplay::ModeReplay(const std::vector<std::int32_t>& marks)
    : draws_(static_cast<std::int64_t>(marks.size())), next_(marks.size() + 2)
{
    std::int64_t next = draws_ + 1;
    next_[marks.size() + 1] = next;
    for (std::size_t row = marks.size(); row >= 1; --row) {
        if (marks[row - 1] == kHitMark)
            next = static_cast<std::int64_t>(row);
        next_[row] = next;
    }
    next_[0] = next;
}

template <class Sink> ModeStop ModeReplay::replay(const ModeRule& rule, Sink& sink) const
{
    const std::int64_t n = draws_;
    const std::int64_t longGap = rule.sepmode ? rule.sepindex : 1;
    const std::int64_t longGapsNeeded = rule.sepmode ? rule.sepnum : 1;
    const std::int64_t wait = rule.tozisep;
    BlockPlans plans(rule);

    std::int64_t last = 0;     // H: the row the block's draws follow
    std::int64_t longGaps = 0; // c
    bool hasPrevious = false;
    ModeBlock previous{};
    for (;;) {
        const bool carry = rule.yuji && hasPrevious && previous.row[5] < 0 && !previous.cutShort;
        const BlockPlan& plan = plans.forCarried(carry ? -previous.row[5] : 0);
        if (plan.stop != ModeStop::End)
            return plan.stop;

        // Observe until enough long gaps in a row were seen. The observation always looks on from
        // the last row the replay has passed, so that no draw is bet on twice.
        while (longGaps < longGapsNeeded) {
            const std::int64_t hit = nextHit(last + 1);
            if (hit >= n)
                return ModeStop::End;
            longGaps = hit - last >= longGap ? longGaps + 1 : 0;
            last = hit;
        }
        // Sit out the draws after a hit; a hit among them starts the wait again.
        while (wait > 0) {
            const std::int64_t hit = nextHit(last + 1);
            if (hit <= last + wait && hit <= n) {
                last = hit;
                continue;
            }
            if (last + wait > n)
                return ModeStop::End;
            last += wait;
            break;
        }
        // Bet until the next hit, as far as the plan can afford.
        const std::int64_t hit = nextHit(last + 1);
        const std::int64_t j = hit - last;
        if (j <= plan.affordable) {
            if (hit > n)
                return ModeStop::End; // the history ends inside the block: no result yet
            previous = {plan.rows[static_cast<std::size_t>(j - 1)], false};
            longGaps = 0;
        } else {
            previous = {plan.rows[static_cast<std::size_t>(plan.affordable - 1)], plan.affordable < rule.tozirep};
            previous.row[5] = -previous.row[3];
        }
        sink(previous.row, previous.cutShort);
        hasPrevious = true;
        last += j;
        if (last >= n)
            return ModeStop::End;
    }
}

ModeResult ModeReplay::analyse(const ModeRule& rule) const
{
    ModeResult result;
    SurplusSink surplus;
    auto keep = [&](const ModePlanRow& row, bool cutShort) {
        surplus(row, cutShort);
        result.blocks.push_back({row, cutShort});
    };
    result.stop = replay(rule, keep);
    result.surplus = surplus.surplus(rule, result.stop);
    return result;
}

std::int64_t ModeReplay::surplus(const ModeRule& rule) const
{
    SurplusSink sink;
    const ModeStop stop = replay(rule, sink);
    return sink.surplus(rule, stop);
}

} // namespace quorlin
