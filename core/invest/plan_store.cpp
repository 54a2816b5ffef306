#include "invest/plan_store.h"

#include "invest/money.h"

namespace quorlin {

PlanStore::PlanStore(PlanKind kind) : kind_(kind), columns_(kind == PlanKind::Variable ? 8 : 7) {}

std::int64_t PlanStore::averageNet(std::size_t count) const
{
    std::int64_t sum = 0;
    for (std::size_t r = 0; r < count; ++r)
        sum = moneyAdd(sum, rows_[r][static_cast<std::size_t>(netColumn())]);
    return sum / static_cast<std::int64_t>(count);
}

std::vector<const char*> planHeaders(PlanKind kind)
{
    if (kind == PlanKind::Variable)
        return {"投注期号",   "投注倍数", "当期注数",   "当期投注",
                "当期总投入", "当期中奖", "当期净利润", "当期利润率(%)"};
    return {"投注期号", "投注倍数", "当期投注", "当期总投入", "当期中奖", "当期净利润", "当期利润率(%)"};
}

bool isMoneyHeader(std::string_view header)
{
    return header == "当期投注" || header == "当期总投入" || header == "当期中奖" || header == "当期净利润";
}

} // namespace quorlin
