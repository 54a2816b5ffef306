#include "store/lottery_open.h"

#include "store/database.h"
#include "store/display_tables.h"
#include "store/lottery_state.h"
#include "store/schema.h"
#include "store/u_datamod.h"
#include "store/u_public.h"

namespace quorlin {

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
