#pragma once

#include "invest/plan_store.h"

#include <cstdint>
#include <optional>

namespace quorlin {

/// The figures a stake plan is computed from, as read from the plan windows' fields.
struct PlanInputs {
    std::int64_t prekui = 0;      ///< 前期亏损: money lost before the plan starts
    std::int64_t lirun = 10;      ///< 预期利润: least net profit wanted if a draw wins
    std::int64_t inofsin = 16;    ///< 单倍投入: stake of one multiple (fixed and staged plans)
    std::int64_t outofsin = 1000; ///< 单注奖金: prize of one winning bet at multiple 1
    std::int32_t days = 80;       ///< 投注期数 N
    std::int32_t jieduan = 10;    ///< 阶段次数 S (staged plan)
};

/// The highest multiple a plan may ask for.
inline constexpr std::int64_t kPlanMultipleLimit = 10000;

/// How building a plan ended.
enum class PlanOutcome {
    Built,            ///< every draw has its multiple
    MultipleTooLarge, ///< some draw needs more than kPlanMultipleLimit: "所需倍数太大，无法投注！"
};

/// 生成计划 of the fixed plan: for every draw the smallest multiple whose win leaves at least the
/// wanted profit over everything staked so far. `store` is sized to N rows (keeping what it held)
/// and gets each row as it is computed, so a failed build leaves the rows it reached.
/// Needs N >= 1. Throws MoneyOverflowError.
PlanOutcome buildFixedPlan(const PlanInputs& in, PlanStore& store);

/// 生成计划 of the staged plan: the draws are cut into S stages of ⌈N/S⌉ draws, and one multiple,
/// the smallest that keeps every draw of its stage profitable, holds for a whole stage.
/// Needs N >= 1 and S >= 1. Throws MoneyOverflowError.
PlanOutcome buildStagedPlan(const PlanInputs& in, PlanStore& store);

/// 添加本期计划 of the variable plan: draw `k` with `bets` bets (stake of one multiple 2 × bets),
/// after `before` invested so far (前期亏损 for the first draw, else the previous row's
/// 当期总投入). The row in the variable plan's eight columns, or nothing when no multiple up to
/// kPlanMultipleLimit reaches the wanted profit. Throws MoneyOverflowError.
std::optional<PlanStore::Row> variableDraw(std::int64_t k, std::int32_t bets, std::int64_t before,
                                           const PlanInputs& in);

} // namespace quorlin
