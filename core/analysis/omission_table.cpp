#include "analysis/omission_table.h"

#include "common/decimal_text.h"
#include "common/exchange_sort.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace quorlin {

namespace {

// Whether row x belongs before row y in the chosen order.
bool comesFirst(const OmissionRow& x, const OmissionRow& y, OmissionSort sort)
{
    switch (sort) {
    case OmissionSort::Chase:
        return x.chase > y.chase;
    case OmissionSort::Omission:
        return x.omission > y.omission;
    case OmissionSort::Count:
        return x.occurrences < y.occurrences;
    case OmissionSort::Number:
        return false;
    }
    return false;
}

} // namespace

OmissionTable buildOmissionTable(const std::vector<std::int32_t>& draws, int candidates, int width, int recnum,
                                 OmissionRule rule, OmissionSort sort)
{
    const int K = candidates;
    const int m = width;
    const long double P = static_cast<long double>(K) / m;
    const int drawCount = m > 0 ? static_cast<int>(draws.size()) / m : 0;
    const int newest = drawCount - 1;

    OmissionTable table;
    table.headers = {"待选号码",       "理论周期",     "理论中奖总次数",
                     "实际总奖总次数", "历史最大遗漏", rule == OmissionRule::Return ? "前次遗漏" : "目前遗漏",
                     "目前冷态倍数",   "追号价值"};
    for (int r = 1; r <= K; ++r) {
        OmissionRow row;
        row.number = r;
        int L = newest;
        int k = 0;
        long double g[5] = {0, 0, 0, 0, 0};
        bool applied = false;
        // From the newest draw down: every draw holding the number is one occurrence.
        for (int i = newest; i >= 0; --i) {
            const std::int32_t* d = draws.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(m);
            if (std::find(d, d + m, r) == d + m)
                continue;
            ++k;
            const int gap = L - i;
            if (k <= 4)
                g[k] = gap;
            if (rule == OmissionRule::Current) {
                if (k == 1) {
                    row.omission = gap;
                    applied = true;
                }
            } else if (k == 3 && g[1] <= 1.5L * P && g[2] <= P && g[3] >= 3 * P) {
                row.omission = gap;
                applied = true;
            } else if (k == 4 && g[1] <= 1.5L * P && g[2] <= P && g[3] <= P && g[4] >= 3 * P) {
                row.omission = gap;
                applied = true;
            }
            row.longestAbsence = std::max(row.longestAbsence, gap);
            L = i;
        }
        row.occurrences = k;
        // A number never drawn has no occurrences to divide by: its chase value is 0.
        if (k > 0)
            row.chase =
                static_cast<std::int64_t>(row.omission) * 100 * m * m * recnum / (static_cast<std::int64_t>(K) * K * k);
        char number[12]; // room for any int, so the text is never cut
        std::snprintf(number, sizeof number, "%.2d", r);
        row.cells = {number,
                     decimalText(P, 1),
                     decimalText(static_cast<long double>(recnum) * m / K, 1),
                     std::to_string(k),
                     std::to_string(row.longestAbsence),
                     applied ? std::to_string(row.omission) : "0",
                     applied ? decimalText(static_cast<long double>(row.omission) * m / K, 1) : "0",
                     std::to_string(row.chase) + "%"};
        table.rows.push_back(std::move(row));
    }
    // Equal keys end where the exchange sort leaves them.
    exchangeSort(table.rows.begin(), table.rows.end(),
                 [sort](const OmissionRow& x, const OmissionRow& y) { return comesFirst(x, y, sort); });
    return table;
}

std::vector<std::int32_t> zoneHistory(const LotteryState& state, bool back)
{
    const int m = back ? state.housel : state.caisel;
    const int first = back ? state.caisel + 1 : 1;
    const std::size_t draws = std::min(static_cast<std::size_t>(std::max(state.recnum, 0)), state.hisfull.rows());
    std::vector<std::int32_t> history;
    history.reserve(draws * static_cast<std::size_t>(m));
    for (std::size_t i = 0; i < draws; ++i)
        for (int k = 0; k < m; ++k)
            history.push_back(state.hisfull.at(i, static_cast<std::size_t>(first + k)));
    return history;
}

OmissionTable buildOmissionTable(const LotteryState& state, bool back, OmissionRule rule, OmissionSort sort)
{
    return buildOmissionTable(zoneHistory(state, back), back ? state.housum : state.caisum,
                              back ? state.housel : state.caisel, state.recnum, rule, sort);
}

} // namespace quorlin
