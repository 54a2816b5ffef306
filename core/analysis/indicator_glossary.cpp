#include "analysis/indicator_glossary.h"

#include <array>
#include <stdexcept>

namespace quorlin {

namespace {

// The ranges are those of the code's own definitions (indicators.h, omission_table.h,
// trend_omission.h) over every front combination; a core test enumerates them.
const std::array<GlossaryEntry, 26> kGlossary{{
    {Term::Big, "大数个数", "前区号码中大于17（即18–35）的个数", TermRange{0, 5}},
    {Term::BigFilter, "大数", "前区号码中不小于17（即17–35）的个数", TermRange{0, 5}},
    {Term::Odd, "奇数个数", "前区号码中奇数的个数", TermRange{0, 5}},
    {Term::Sum, "和值", "前区5个号码之和", TermRange{15, 165}},
    {Term::Span, "跨度", "前区最大号码减最小号码", TermRange{4, 34}},
    {Term::Dispersion, "散度", "01–35每个号码到离它最近的前区号码的距离中的最大值", TermRange{3, 30}},
    {Term::Skew, "偏度", "每个前区号码到上一期离它最近的前区号码的距离中的最大值", TermRange{0, 30}},
    {Term::AC, "AC值", "前区号码两两相减所得不同差值的个数（不像常见算法那样再减去4）", TermRange{4, 10}},
    {Term::Repeat, "重码个数", "前区号码中上一期前区也开出的个数", TermRange{0, 5}},
    {Term::ZoneCount, "区间号码数",
     "把01–35按区间数分成等宽的区间（宽度向上取整，最后一区可能较短），落在该区间的前区号码个数", TermRange{0, 5}},
    {Term::RepeatAcross, "重码数", "前区号码与前面重码期数内任一期相同号码个数的最大值", TermRange{0, 5}},
    {Term::Follow, "跟随数",
     "上一期每组对比号码在更早某期同时开出时取其下一期为跟随期，前区号码与各跟随期相同号码个数的最大值",
     TermRange{0, 5}},
    {Term::Bankers, "胆码", "组合中含有所填胆码的个数须在预计中奖的最少与最多个数之间", std::nullopt},
    {Term::TheoryCycle, "理论周期", "号码总数÷每期开出个数，即平均每隔几期开出一次（前区7.0，后区6.0）", std::nullopt},
    {Term::TheoryHits, "理论中奖总次数", "已载入期数×每期开出个数÷号码总数", std::nullopt},
    {Term::Occurrences, "实际中奖总次数", "号码在已载入各期中开出的次数，范围0到已载入期数", std::nullopt},
    {Term::LongestAbsence, "历史最大遗漏",
     "从最新一期往前，最近一次开出至今以及相邻两次开出之间相距期数的最大值，范围0到已载入期数减1", std::nullopt},
    {Term::ReturnOmission, "前次遗漏",
     "目前遗漏不超过理论周期的1.5倍、往前一段（或两段）开出间隔不超过理论周期，而再往前一段间隔不少于理论周期3倍时"
     "为那一段的期数，否则为0",
     std::nullopt},
    {Term::CurrentOmission, "目前遗漏", "号码最近一次开出至今的期数（最新一期开出或从未开出为0），范围0到已载入期数减1",
     std::nullopt},
    {Term::ColdRatio, "目前冷态倍数", "遗漏期数÷理论周期", std::nullopt},
    {Term::Chase, "追号价值", "目前冷态倍数×理论中奖总次数÷实际中奖总次数×100%，从0%起，越大越值得追", std::nullopt},
    {Term::TrendOccurrences, "出现次数", "号码在表中各期开出的次数", std::nullopt},
    {Term::TrendMeanOmission, "平均遗漏",
     "（期数 − 出现次数）÷（出现次数 + 1），即首次开出前、两次开出之间和最近一次开出后各段遗漏的平均期数",
     std::nullopt},
    {Term::TrendLongestOmission, "最大遗漏", "号码连续没有开出的最多期数，含首次开出前和目前的遗漏", std::nullopt},
    {Term::TrendLongestRun, "最大连出", "号码连续开出的最多期数", std::nullopt},
    {Term::HitCount, "中奖个数", "投注号码中本期开出的个数，最多为该区每期开出的个数（前区5，后区2）", std::nullopt},
}};

} // namespace

std::span<const GlossaryEntry> glossary()
{
    return kGlossary;
}

const GlossaryEntry& glossaryEntry(Term term)
{
    for (const GlossaryEntry& entry : kGlossary)
        if (entry.term == term)
            return entry;
    throw std::invalid_argument("term without a definition");
}

std::string definitionOf(Term term)
{
    const GlossaryEntry& entry = glossaryEntry(term);
    std::string text = std::string(entry.name) + "：" + entry.definition;
    if (entry.range)
        text += "，范围" + std::to_string(entry.range->minimum) + "–" + std::to_string(entry.range->maximum);
    return text + "。";
}

Term termOf(Indicator indicator)
{
    switch (indicator) {
    case Indicator::Big:
        return Term::Big;
    case Indicator::Odd:
        return Term::Odd;
    case Indicator::Sum:
        return Term::Sum;
    case Indicator::Span:
        return Term::Span;
    case Indicator::Dispersion:
        return Term::Dispersion;
    case Indicator::Skew:
        return Term::Skew;
    case Indicator::AC:
        return Term::AC;
    case Indicator::Repeat:
        return Term::Repeat;
    }
    throw std::invalid_argument("unknown indicator");
}

} // namespace quorlin
