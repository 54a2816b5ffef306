#include "check/prize_check.h"

#include "check/bet_price.h"
#include "check/ticket_prize.h"
#include "common/number_mask.h"
#include "common/progress.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"
#include "invest/money.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <bit>

namespace quorlin {

namespace {

constexpr std::size_t kProgressStep = 1 << 20;

// Prize money and stakes are exact or refused: a wrapped sum would show a loss as a win.
constexpr const char* kMoneyTooLarge = "奖金或投入超出计算范围，无法计算";

std::int64_t exactSum(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        throw MoneyOverflowError(kMoneyTooLarge);
    return sum;
}

std::int64_t exactProduct(std::int64_t amount, std::uint64_t count)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(amount, count, &product))
        throw MoneyOverflowError(kMoneyTooLarge);
    return product;
}

std::vector<std::uint64_t> masksOf(const std::uint8_t* numbers, std::size_t count, int width)
{
    std::vector<std::uint64_t> masks(count, 0);
    for (std::size_t e = 0; e < count; ++e)
        for (int k = 0; k < width; ++k)
            masks[e] |=
                std::uint64_t{1} << (numbers[e * static_cast<std::size_t>(width) + static_cast<std::size_t>(k)] & 63);
    return masks;
}

} // namespace

CheckDraw drawAt(const LotteryState& state, std::size_t row)
{
    CheckDraw draw;
    draw.issue = std::to_string(state.hisfull.at(row, 0));
    draw.date = row < state.hisdate.size() ? drawDateNumber(state.hisdate[row]) : 0;
    draw.previousIssue = row > 0 ? state.hisfull.at(row - 1, 0) : 0;
    for (int k = 1; k <= state.caisel; ++k)
        draw.front.push_back(state.hisfull.at(row, static_cast<std::size_t>(k)));
    for (int k = 1; k <= state.housel; ++k)
        draw.back.push_back(state.hisfull.at(row, static_cast<std::size_t>(state.caisel + k)));
    return draw;
}

PrizeChecker::PrizeChecker(const BetList& bets) : bets_(bets)
{
    frontMasks_ = masksOf(bets.frontData(), bets.frontCount(), bets.frontWidth());
    backMasks_ = masksOf(bets.backData(), bets.backCount(), bets.backWidth());
    if (!bets.isPaired())
        frontOnly_ =
            static_cast<std::size_t>(std::count(bets.lineBacks().begin(), bets.lineBacks().end(), BetList::kNoBack));
}

PrizeChecker::PrizeChecker(const LoadedBetList& list) : PrizeChecker(list.lines)
{
    tickets_ = &list.tickets;
    for (const ListedTicket& t : list.tickets)
        if (!t.ticket.hasBack)
            frontOnly_ += static_cast<std::size_t>(t.ticket.bets());
}

PrizeChecker::PatternLevels PrizeChecker::levelsOf(const PrizeRuleSet* rules)
{
    PatternLevels levels{};
    for (int f = 0; f <= 5; ++f)
        for (int b = 0; b <= 2; ++b) {
            auto& level = levels[static_cast<std::size_t>(f)][static_cast<std::size_t>(b)];
            // Without a rule set, more front hits rank first, then more back hits.
            level = rules ? rules->levelOf(f, b) : (f + b == 0 ? -1 : (5 - f) * 3 + (2 - b));
        }
    return levels;
}

void PrizeChecker::score(const CheckDraw& draw, std::vector<std::uint8_t>& frontHits,
                         std::vector<std::uint8_t>& backHits) const
{
    const std::uint64_t front = numberMask(draw.front);
    const std::uint64_t back = numberMask(draw.back);
    frontHits.resize(frontMasks_.size());
    for (std::size_t e = 0; e < frontMasks_.size(); ++e)
        frontHits[e] = static_cast<std::uint8_t>(std::min(5, std::popcount(frontMasks_[e] & front)));
    // Indexed by the line's back tuple; kNoBack and anything past the tuples score no back hit.
    backHits.assign(std::size_t{BetList::kNoBack} + 1, 0);
    for (std::size_t t = 0; t < backMasks_.size(); ++t)
        backHits[t] = static_cast<std::uint8_t>(std::min(2, std::popcount(backMasks_[t] & back)));
}

std::optional<std::size_t> PrizeChecker::firstLine(const std::vector<std::uint8_t>& frontHits,
                                                   const std::vector<std::uint8_t>& backHits,
                                                   const PatternLevels& levels, int level) const
{
    if (level < 0)
        return std::nullopt;
    if (bets_.isPaired()) {
        // The first back tuple of every back hit count, so each front entry is one look-up.
        std::array<std::optional<std::size_t>, 3> firstWith{};
        for (std::size_t t = 0; t < backMasks_.size(); ++t)
            if (!firstWith[backHits[t]])
                firstWith[backHits[t]] = t;
        for (std::size_t f = 0; f < frontHits.size(); ++f) {
            std::optional<std::size_t> best;
            for (std::size_t b = 0; b < 3; ++b)
                if (firstWith[b] && levels[frontHits[f]][b] == level && (!best || *firstWith[b] < *best))
                    best = firstWith[b];
            if (best)
                return f * backMasks_.size() + *best;
        }
        return std::nullopt;
    }
    const auto& lf = bets_.lineFronts();
    const auto& lb = bets_.lineBacks();
    for (std::size_t i = 0; i < lf.size(); ++i)
        if (levels[frontHits[lf[i]]][backHits[lb[i]]] == level)
            return i;
    return std::nullopt;
}

std::optional<DrawCheck> PrizeChecker::check(const CheckDraw& draw, const PrizeBook& book, bool extra,
                                             Progress* progress) const
{
    DrawCheck result = pricedCheck(draw, book, extra);
    std::vector<std::uint8_t> frontHits, backHits;
    score(draw, frontHits, backHits);

    if (bets_.isPaired()) {
        std::array<std::uint64_t, 6> fronts{};
        std::array<std::uint64_t, 3> backs{};
        for (const std::uint8_t h : frontHits)
            ++fronts[h];
        for (std::size_t t = 0; t < backMasks_.size(); ++t)
            ++backs[backHits[t]];
        for (std::size_t f = 0; f < 6; ++f)
            for (std::size_t b = 0; b < 3; ++b)
                result.hits[f][b] = fronts[f] * backs[b];
    } else {
        const std::uint32_t* lf = bets_.lineFronts().data();
        const std::uint16_t* lb = bets_.lineBacks().data();
        const std::size_t lines = bets_.lineFronts().size();
        std::array<std::uint64_t, 18> counts{};
        for (std::size_t start = 0; start < lines; start += kProgressStep) {
            if (progress) {
                if (progress->cancelled())
                    return std::nullopt;
                progress->report(static_cast<std::int64_t>(start), static_cast<std::int64_t>(lines));
            }
            const std::size_t end = std::min(lines, start + kProgressStep);
            for (std::size_t i = start; i < end; ++i)
                ++counts[frontHits[lf[i]] * 3u + backHits[lb[i]]];
        }
        for (std::size_t k = 0; k < counts.size(); ++k)
            result.hits[k / 3][k % 3] = counts[k];
    }
    if (tickets_)
        for (const ListedTicket& t : *tickets_) {
            const HitCounts hits = ticketHits(t.ticket, draw);
            for (std::size_t f = 0; f < 6; ++f)
                for (std::size_t b = 0; b < 3; ++b)
                    result.hits[f][b] += hits[f][b];
        }

    const PatternLevels levels = levelsOf(result.rules.get());
    int best = -1;
    for (std::size_t f = 0; f < 6; ++f)
        for (std::size_t b = 0; b < 3; ++b)
            if (result.hits[f][b] != 0 && levels[f][b] >= 0 && (best < 0 || levels[f][b] < best))
                best = levels[f][b];
    settleLevels(result);
    result.bestLine = firstLine(frontHits, backHits, levels, best);
    result.bestBet = firstBet(result, levels, best);
    if (progress)
        progress->report(1, 1);
    return result;
}

std::vector<WinningLine> PrizeChecker::winningLines(const DrawCheck& check, std::size_t limit) const
{
    std::vector<std::uint8_t> frontHits, backHits;
    score(check.draw, frontHits, backHits);
    const PatternLevels levels = levelsOf(check.rules.get());
    int worst = -1;
    for (const auto& byBack : levels)
        for (const int level : byBack)
            worst = std::max(worst, level);
    std::vector<WinningLine> lines;
    auto take = [&](std::size_t line, std::uint8_t front, std::uint8_t back) {
        lines.push_back({line, front, back, check.rules ? levels[front][back] : -1, {}, {}});
    };
    // Best level first, each in list order: the player looks for the big prizes.
    for (int level = 0; level <= worst && lines.size() < limit; ++level) {
        if (bets_.isPaired()) {
            const std::size_t backs = backMasks_.size();
            for (std::size_t f = 0; f < frontHits.size() && lines.size() < limit; ++f) {
                const auto& byBack = levels[frontHits[f]];
                if (std::find(byBack.begin(), byBack.end(), level) == byBack.end())
                    continue;
                for (std::size_t t = 0; t < backs && lines.size() < limit; ++t)
                    if (byBack[backHits[t]] == level)
                        take(f * backs + t, frontHits[f], backHits[t]);
            }
            continue;
        }
        const auto& lf = bets_.lineFronts();
        const auto& lb = bets_.lineBacks();
        // Tickets stand between the single lines as in the file.
        std::size_t t = 0;
        const auto ticketsUpTo = [&](std::size_t singles) {
            for (; tickets_ && t < tickets_->size() && (*tickets_)[t].singlesBefore <= singles && lines.size() < limit;
                 ++t)
                takeTicketBets((*tickets_)[t], check.draw, levels, level, limit, lines);
        };
        for (std::size_t i = 0; i < lf.size() && lines.size() < limit; ++i) {
            ticketsUpTo(i);
            if (lines.size() < limit && levels[frontHits[lf[i]]][backHits[lb[i]]] == level)
                take(i, frontHits[lf[i]], backHits[lb[i]]);
        }
        ticketsUpTo(lf.size());
    }
    for (WinningLine& line : lines) {
        if (line.ticket.empty())
            line.bet = bets_.bet(line.line);
        if (!check.rules)
            line.level = -1;
    }
    return lines;
}

void PrizeChecker::takeTicketBets(const ListedTicket& listed, const CheckDraw& draw, const PatternLevels& levels,
                                  int level, std::size_t limit, std::vector<WinningLine>& lines) const
{
    const HitCounts hits = ticketHits(listed.ticket, draw);
    const Ticket& ticket = listed.ticket;
    const std::string text = ticket.text();
    for (int f = 5; f >= 0; --f)
        for (int b = 2; b >= 0; --b) {
            if (levels[static_cast<std::size_t>(f)][static_cast<std::size_t>(b)] != level ||
                hits[static_cast<std::size_t>(f)][static_cast<std::size_t>(b)] == 0 || lines.size() >= limit)
                continue;
            forEachBetWithHits(ticket, draw, f, b, [&](const auto& front, const auto& back) {
                lines.push_back(
                    {listed.singlesBefore, f, b, level,
                     singleBetText(front, ticket.shape.frontWidth, back, ticket.hasBack ? ticket.shape.backWidth : 0),
                     text});
                return lines.size() < limit;
            });
        }
}

std::string PrizeChecker::firstBet(const DrawCheck& check, const PatternLevels& levels, int level) const
{
    if (level < 0)
        return {};
    // The first ticket winning the level, unless a single line before it does.
    if (tickets_)
        for (const ListedTicket& t : *tickets_) {
            if (check.bestLine && *check.bestLine < t.singlesBefore)
                break;
            std::vector<WinningLine> first;
            takeTicketBets(t, check.draw, levels, level, 1, first);
            if (!first.empty())
                return first.front().bet;
        }
    return check.bestLine ? bets_.bet(*check.bestLine) : std::string();
}

DrawCheck pricedCheck(const CheckDraw& draw, const PrizeBook& book, bool extra)
{
    return pricedCheck(draw, book, extra, book.ruleSetOf(draw));
}

DrawCheck pricedCheck(const CheckDraw& draw, const PrizeBook& book, bool extra, PrizeRuleSetRef set)
{
    DrawCheck check;
    check.draw = draw;
    check.rules = std::move(set);
    if (check.rules)
        check.prices = book.pricesOf(draw, *check.rules);
    check.extra = extra;
    return check;
}

void settleLevels(DrawCheck& check)
{
    if (!check.rules)
        return;
    if (check.prices.levels.size() != check.rules->levels.size())
        check.prices = rulePrices(*check.rules, std::nullopt);
    check.levelCounts.assign(check.rules->levels.size(), 0);
    check.money = 0;
    check.unknownWon = false;
    check.bestLevel = -1;
    for (int f = 0; f <= 5; ++f)
        for (int b = 0; b <= 2; ++b) {
            const int level = check.rules->levelOf(f, b);
            const std::uint64_t n = check.hits[static_cast<std::size_t>(f)][static_cast<std::size_t>(b)];
            if (level < 0 || n == 0)
                continue;
            check.levelCounts[static_cast<std::size_t>(level)] += n;
            if (check.bestLevel < 0 || level < check.bestLevel)
                check.bestLevel = level;
        }
    for (std::size_t k = 0; k < check.levelCounts.size(); ++k) {
        if (check.levelCounts[k] == 0)
            continue;
        const LevelPrice& price = check.prices.levels[k];
        check.money = exactSum(check.money, exactProduct(price.money(check.extra), check.levelCounts[k]));
        check.unknownWon = check.unknownWon || !price.known(check.extra);
    }
}

std::int64_t CheckTotals::add(const DrawCheck& check, std::uint64_t drawBets, bool extra)
{
    if (!check.rules) {
        ++unpriced;
        return 0;
    }
    const std::int64_t drawStake =
        exactProduct(static_cast<std::int64_t>(extra ? kExtraBetPrice : kBetPrice), drawBets);
    ++draws;
    if (__builtin_add_overflow(bets, drawBets, &bets))
        throw MoneyOverflowError(kMoneyTooLarge);
    stake = exactSum(stake, drawStake);
    money = exactSum(money, check.money);
    balance = exactSum(money, -stake);
    unknownWon = unknownWon || check.unknownWon;
    return drawStake;
}

CheckTotals totalOf(const std::vector<DrawCheck>& checks, std::uint64_t bets, bool extra)
{
    CheckTotals t;
    for (const DrawCheck& c : checks)
        t.add(c, bets, extra);
    return t;
}

std::string amountText(const PrizeLevel& level)
{
    if (!level.amount)
        return "浮动";
    return std::to_string(*level.amount) + (level.highAmount ? "/" + std::to_string(*level.highAmount) : "");
}

} // namespace quorlin
