#include "analysis/indicator_glossary.h"

#include <array>
#include <stdexcept>

namespace quorlin {

namespace {

// The ranges are those of the code's own definitions (indicators.h, omission_table.h,
// trend_omission.h) over every front combination; a core test enumerates them.
const std::array<GlossaryEntry, 35> kGlossary{{
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
    {Term::TrendOccurrences, "出现次数", "号码在所统计的各期中开出的次数", std::nullopt},
    {Term::TrendMeanOmission, "平均遗漏",
     "（期数 − 出现次数）÷（出现次数 + 1），即首次开出前、两次开出之间和最近一次开出后各段遗漏的平均期数",
     std::nullopt},
    {Term::TrendLongestOmission, "最大遗漏", "号码连续没有开出的最多期数，含首次开出前和目前的遗漏", std::nullopt},
    {Term::TrendLongestRun, "最大连出", "号码连续开出的最多期数", std::nullopt},
    {Term::HitCount, "中奖个数", "投注号码中本期开出的个数，最多为该区每期开出的个数（前区5，后区2）", std::nullopt},
    // The randomness tests: "X²" rows merge cells from the lowest value up until each expects at least 5.
    {Term::RandomFrontFrequency, "前区号码频率",
     "假设每期从C(35,5)×C(12,2)"
     "种号码中等可能、不放回地开出且各期独立，01–35各号码开出次数对期望次数（期数×5÷35）的皮尔逊X²乘以34/"
     "30（不放回抽取的校正），服从自由度34的X²分布",
     std::nullopt},
    {Term::RandomBackFrequency, "后区号码频率",
     "假设每期从C(35,5)×C(12,2)"
     "种号码中等可能、不放回地开出且各期独立，01–12各号码开出次数对期望次数（期数×2÷12）的皮尔逊X²乘以11/"
     "10，服从自由度11的X²分布",
     std::nullopt},
    {Term::RandomOdd, "前区奇数个数",
     "假设每期从C(35,5)×C(12,2)"
     "种号码中等可能、不放回地开出且各期独立，各期前区奇数个数（0–5）的分布对超几何分布（35个号码中18个奇数）的X²检验",
     std::nullopt},
    {Term::RandomBig, "前区大数个数",
     "假设每期从C(35,5)×C(12,2)"
     "种号码中等可能、不放回地开出且各期独立，各期前区大数（18–35）个数（0–5）的分布对超几何分布（35个号码中18个大数）"
     "的X²检验",
     std::nullopt},
    {Term::RandomSum, "前区和值",
     "假设每期从C(35,5)×C(12,2)"
     "种号码中等可能、不放回地开出且各期独立，各期前区和值的分布对全部324632种前区组合的和值分布的X²检验",
     std::nullopt},
    {Term::RandomRepeat, "与上期重号个数",
     "假设每期从C(35,5)×C(12,2)"
     "种号码中等可能、不放回地开出且各期独立，范围内相邻两期（期数−1对）前区相同号码个数的分布对超几何分布（35个号码中"
     "上期的5个）的X²检验",
     std::nullopt},
    {Term::RandomGap, "前区遗漏间隔",
     "假设每期从C(35,5)×C(12,2)"
     "种号码中等可能、不放回地开出且各期独立，范围内每个前区号码相邻两次开出相隔期数（35个号码合计）的分布对p=1/"
     "7的几何分布的X²检验，"
     "超过最长间隔的概率并入最后一格",
     std::nullopt},
    {Term::RandomSumRuns, "和值游程",
     "假设每期从C(35,5)×C(12,2)种号码中等可能、不放回地开出且各期独立，各期前区和值按高于或低于中位数（排序后第 期数 "
     "div 2 个，从0数起；等于它的不计）排成序列，"
     "其游程数的Wald–Wolfowitz检验：统计量为z，p值为双侧正态概率",
     std::nullopt},
    {Term::RandomConclusion, "结论",
     "对八项检验的p值作Holm校正，在1%水平上拒绝随机的各项列为偏离随机，没有则与随机一致", std::nullopt},
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
    return definitionText(entry.name, entry.definition, entry.range);
}

std::string definitionText(std::string_view name, std::string_view definition, std::optional<TermRange> range)
{
    std::string text = std::string(name) + "：" + std::string(definition);
    if (range)
        text += "，范围" + std::to_string(range->minimum) + "–" + std::to_string(range->maximum);
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
