#include "store/lottery_open.h"

#include "store/database.h"
#include "store/display_tables.h"
#include "store/draw_cursor.h"
#include "store/lottery_state.h"
#include "store/prize_store.h"
#include "store/schema.h"
#include "store/shipped_prizes.h"
#include "store/u_datamod.h"

namespace quorlin {

std::string LotteryState::databasePath() const
{
    return apppath + kDatabaseRelativePath;
}

void loadlottery(LotteryState& state, Tdatamod& datamod)
{
    state.bianhuan = false;
    // The transformed mapping belongs to the history it was built from.
    state.hisbian.resize(0, 0);
    state.bianperm.clear();
    state.bianrank.clear();
    datamod.close();
    datamod.t_con.open(state.databasePath());
    // A database made before the published results gets their tables on its first writable open.
    state.prizeResults = std::make_shared<const PrizeResults>();
    if (addPrizeTables(datamod.t_con, state.cainame, state.apppath))
        state.prizeResults = std::make_shared<const PrizeResults>(readPrizeResults(datamod.t_con, state.cainame));

    std::vector<int> limits(static_cast<std::size_t>(state.caisel), state.caisum);
    limits.insert(limits.end(), static_cast<std::size_t>(state.housel), state.housum);
    datamod.t_caipiao.open(datamod.t_con, state.cainame, limits, kMaxDraws);
    state.recnum = datamod.t_caipiao.recordCount();
}

void openlottery(LotteryState& state, Tdatamod& datamod, const LotteryDefinition& definition)
{
    if (definition.type == 1)
        throw DatabaseError("彩票“" + definition.name + "”是数字型彩票，本程序只能分析乐透型彩票");
    if (definition.type != 0)
        throw DatabaseError("彩票“" + definition.name + "”的彩票类型 " + std::to_string(definition.type) +
                            " 是未知类型，本程序只能分析乐透型彩票");
    closelottery(state, datamod);
    state.cainame = definition.name;
    state.caisum = 35;
    state.caisel = 5;
    state.housum = 12;
    state.housel = 2;
    state.caitype = definition.type;
    state.caiopen = true;
    try {
        loadlottery(state, datamod);
        buildstandard(state, datamod);
    } catch (...) {
        closelottery(state, datamod);
        state.recnum = 0;
        throw;
    }
}

void closelottery(LotteryState& state, Tdatamod& datamod)
{
    datamod.close();
    state.caiopen = false;
}

} // namespace quorlin
