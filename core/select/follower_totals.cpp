#include "select/follower_totals.h"

#include "select/zone_draws.h"

#include <algorithm>

namespace quorlin {

FollowerTotals::FollowerTotals(const ZoneDraws& draws)
    : width_(static_cast<std::size_t>(draws.zoneSize) + 1), draws_(width_), totals_(width_)
{
    for (std::size_t i = 0; i < draws.size(); ++i)
        for (const std::uint8_t x : draws.draw(i))
            draws_[x].push_back(static_cast<std::int32_t>(i));
    for (std::size_t x = 0; x < width_; ++x) {
        std::vector<std::uint16_t>& rows = totals_[x];
        rows.assign((draws_[x].size() + 1) * width_, 0);
        for (std::size_t m = 0; m < draws_[x].size(); ++m) {
            std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>(m * width_), width_,
                        rows.begin() + static_cast<std::ptrdiff_t>((m + 1) * width_));
            // The newest draw has no follower yet.
            const auto follower = static_cast<std::size_t>(draws_[x][m]) + 1;
            if (follower < draws.size())
                for (const std::uint8_t n : draws.draw(follower))
                    ++rows[(m + 1) * width_ + n];
        }
    }
}

std::size_t FollowerTotals::occurrencesBefore(int x, std::size_t limit) const
{
    const std::vector<std::int32_t>& all = draws_[static_cast<std::size_t>(x)];
    return static_cast<std::size_t>(std::lower_bound(all.begin(), all.end(), static_cast<std::int32_t>(limit)) -
                                    all.begin());
}

void FollowerTotals::addFollowers(int x, std::size_t first, std::size_t last, std::vector<int>& counts) const
{
    const std::uint16_t* upper = totals_[static_cast<std::size_t>(x)].data() + last * width_;
    const std::uint16_t* lower = totals_[static_cast<std::size_t>(x)].data() + first * width_;
    for (std::size_t n = 0; n < width_; ++n)
        counts[n] += upper[n] - lower[n];
}

} // namespace quorlin
