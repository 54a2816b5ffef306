#include "check/prize_book.h"

#include "check/prize_check.h"
#include "common/money_text.h"
#include "store/lottery_state.h"

#include <charconv>

namespace quorlin {

namespace {

int issueNumber(const std::string& issue)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(issue.data(), issue.data() + issue.size(), value);
    return ec == std::errc() && end == issue.data() + issue.size() && value > 0 ? value : 0;
}

// A published amount that counts: more than nothing (a 0 says nobody won), in whole 元.
std::optional<std::int64_t> publishedYuan(const DrawResults* published, const std::string& level)
{
    const PublishedPrize* line = published ? published->find(level) : nullptr;
    if (!line || !line->amount || *line->amount <= 0 || *line->amount % 100 != 0)
        return std::nullopt;
    return *line->amount / 100;
}

} // namespace

DrawPrices rulePrices(const PrizeRuleSet& set, std::optional<std::int64_t> poolBeforeFen)
{
    DrawPrices prices;
    for (const PrizeLevel& level : set.levels) {
        LevelPrice price;
        if (level.amount) {
            price.basic = *level.amount;
            price.basicKnown = true;
            if (level.highAmount) {
                if (!poolBeforeFen)
                    price.basicKnown = false; // the lower amount at least
                else if (*poolBeforeFen >= set.highPool * 100)
                    price.basic = *level.highAmount;
            }
        }
        if (level.hasExtra) {
            price.extra = level.extraAmount.value_or(0);
            price.extraKnown = level.extraAmount.has_value();
        }
        prices.levels.push_back(price);
    }
    return prices;
}

PrizeRuleSetRef PrizeBook::ruleSetOf(const CheckDraw& draw) const
{
    // Tables name issues as the game numbers them (year and number, seven digits); other issues go
    // by their date.
    const int issue = issueNumber(draw.issue);
    return rules.forDraw(issue >= 1'000'000 && issue <= 9'999'999 ? issue : 0, draw.date);
}

std::optional<std::int64_t> PrizeBook::poolBefore(const CheckDraw& draw) const
{
    const DrawResults* previous = draw.previousIssue != 0 ? results->find(draw.previousIssue) : nullptr;
    return previous ? previous->pool : std::nullopt;
}

DrawPrices PrizeBook::pricesOf(const CheckDraw& draw, const PrizeRuleSet& set) const
{
    const int issue = issueNumber(draw.issue);
    const DrawResults* published = issue != 0 ? results->find(issue) : nullptr;
    if (published && published->prizes.empty())
        published = nullptr;
    DrawPrices prices = rulePrices(set, poolBefore(draw));
    prices.published = published != nullptr;
    for (std::size_t k = 0; k < set.levels.size(); ++k) {
        const PrizeLevel& level = set.levels[k];
        LevelPrice& price = prices.levels[k];
        if (const auto amount = publishedYuan(published, level.name)) {
            price.basic = *amount;
            price.basicKnown = true;
        }
        if (level.hasExtra)
            if (const auto amount = publishedYuan(published, extraLevelName(level.name))) {
                price.extra = *amount;
                price.extraKnown = true;
            }
    }
    return prices;
}

std::optional<PrizeBook> prizeBookOf(const LotteryState& state, std::string& error)
{
    auto rules = readPrizeRules(state.apppath + kPrizeRulesFile, error);
    if (!rules)
        return std::nullopt;
    PrizeBook book;
    book.rules = std::move(*rules);
    if (state.prizeResults)
        book.results = state.prizeResults;
    return book;
}

std::string priceText(const LevelPrice& price, bool withExtra)
{
    const std::int64_t money = price.money(withExtra);
    if (price.known(withExtra))
        return std::to_string(money);
    return money == 0 ? std::string("浮动") : std::to_string(money) + "+浮动";
}

std::string priceFullText(const LevelPrice& price, bool withExtra)
{
    const std::int64_t money = price.money(withExtra);
    if (price.known(withExtra))
        return yuanFullText(money);
    return money == 0 ? std::string("浮动") : yuanFullText(money) + "+浮动";
}

} // namespace quorlin
