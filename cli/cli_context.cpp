#include "cli_context.h"

#include "filter/bet_list.h"
#include "store/database.h"
#include "store/lottery_catalog.h"
#include "store/lottery_open.h"
#include "store/shipped_prizes.h"

#include <algorithm>
#include <ostream>

namespace quorlin::cli {

bool saveBets(const BetList& bets, const std::string& file, std::ostream& err)
{
    if (file.empty())
        return true;
    std::string error;
    if (bets.writeSaved(file, nullptr, error))
        return true;
    err << error << '\n';
    return false;
}

void printRow(std::ostream& out, const std::vector<std::string>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << (i ? "\t" : "") << cells[i];
    out << '\n';
}

const std::string& CliContext::home()
{
    if (prepareHome) {
        const auto prepare = std::move(prepareHome);
        prepareHome = nullptr;
        prepare();
    }
    return state.apppath;
}

std::string CliContext::databasePath()
{
    home();
    return state.databasePath();
}

void CliContext::open(const std::string& lottery)
{
    Database db;
    db.open(databasePath());
    const LotteryDefinition definition = readDefinition(db, lottery);
    db.close();
    openlottery(state, datamod, definition);
}

std::string CliArgs::option(const std::string& name, const std::string& fallback)
{
    const auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end())
        return fallback;
    if (it + 1 == words_.end())
        throw UsageError(name + " 后缺少取值");
    std::string value = *(it + 1);
    words_.erase(it, it + 2);
    if (std::find(words_.begin(), words_.end(), name) != words_.end())
        throw UsageError(name + " 只能给一次");
    return value;
}

bool CliArgs::flag(const std::string& name)
{
    const auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end())
        return false;
    words_.erase(it);
    return true;
}

const std::vector<std::string>& CliArgs::positional(std::size_t count)
{
    positionalAtLeast(count);
    if (words_.size() != count)
        throw UsageError("参数个数不对");
    return words_;
}

const std::vector<std::string>& CliArgs::positionalAtLeast(std::size_t min)
{
    for (const std::string& word : words_) {
        if (word.size() > 2 && word.starts_with("--"))
            throw UsageError("未知选项：" + word);
    }
    if (words_.size() < min)
        throw UsageError("参数个数不对");
    return words_;
}

Database CliContext::openResults(const std::string& lottery)
{
    Database db;
    db.open(databasePath());
    addPrizeTables(db, lottery, home());
    return db;
}

} // namespace quorlin::cli
