#include "analysis/randomness_draws.h"

#include "store/lottery_state.h"

#include <optional>

namespace quorlin {

namespace {

// The row of a stored issue given as text (the latest, should the history hold it twice).
std::optional<std::size_t> rowOfIssue(const LotteryState& state, const std::string& issue)
{
    std::optional<std::size_t> found;
    for (std::size_t r = 0; r < state.hisfull.rows(); ++r)
        if (std::to_string(state.hisfull.at(r, 0)) == issue)
            found = r;
    return found;
}

// Distinct numbers within each zone's range.
bool zoneFits(const std::vector<int>& numbers, int total)
{
    std::vector<bool> seen(static_cast<std::size_t>(total) + 1);
    for (const int n : numbers) {
        if (n < 1 || n > total || seen[static_cast<std::size_t>(n)])
            return false;
        seen[static_cast<std::size_t>(n)] = true;
    }
    return true;
}

RangeDraws refused(std::string message)
{
    RangeDraws result;
    result.refusal = std::move(message);
    return result;
}

} // namespace

bool drawFits(const GameShape& shape, const TestedDraw& draw)
{
    return draw.front.size() == static_cast<std::size_t>(shape.frontPicked) &&
           draw.back.size() == static_cast<std::size_t>(shape.backPicked) && zoneFits(draw.front, shape.frontTotal) &&
           zoneFits(draw.back, shape.backTotal);
}

RangeDraws drawsInRange(const LotteryState& state, const DrawRange& range)
{
    if (!state.caiopen)
        return refused("没有打开的彩票");
    if (state.caitype != 0)
        return refused("数字型彩票不做随机性检验");
    const GameShape shape{state.caisum, state.caisel, state.housum, state.housel};
    if (shape.frontPicked < 1 || shape.frontPicked >= shape.frontTotal || shape.backPicked < 0 ||
        (shape.backPicked > 0 && shape.backPicked >= shape.backTotal) ||
        state.hisfull.cols() != static_cast<std::size_t>(1 + shape.frontPicked + shape.backPicked))
        return refused("彩票的号码设置不能做随机性检验");

    const std::size_t rows = state.hisfull.rows();
    std::size_t first = 0;
    std::size_t end = rows;
    if (range.kind == DrawRange::Kind::Last) {
        if (range.count == 0)
            return refused("期数须至少为1");
        first = rows - std::min(rows, range.count);
    } else if (range.kind == DrawRange::Kind::Issues) {
        if (!range.fromIssue.empty()) {
            const auto row = rowOfIssue(state, range.fromIssue);
            if (!row)
                return refused("没有第" + range.fromIssue + "期的开奖号码");
            first = *row;
        }
        if (!range.toIssue.empty()) {
            const auto row = rowOfIssue(state, range.toIssue);
            if (!row)
                return refused("没有第" + range.toIssue + "期的开奖号码");
            end = *row + 1;
        }
        if (first >= end)
            return refused("起始期第" + range.fromIssue + "期在结束期第" + range.toIssue + "期之后");
    }
    if (first >= end)
        return refused("所选范围内没有开奖号码");

    RangeDraws result;
    result.shape = shape;
    for (std::size_t r = first; r < end; ++r) {
        const auto row = state.hisfull.row(r);
        TestedDraw draw;
        draw.issue = row[0];
        draw.front.assign(row.begin() + 1, row.begin() + 1 + shape.frontPicked);
        draw.back.assign(row.begin() + 1 + shape.frontPicked, row.end());
        if (!drawFits(shape, draw))
            return refused("第" + std::to_string(draw.issue) + "期的开奖号码不合本彩票的号码范围");
        result.draws.push_back(std::move(draw));
    }
    return result;
}

} // namespace quorlin
