#pragma once

#include "filter/exclusion_run.h"
#include "filter/rand_transform.h"
#include "filter/total_filter.h"

#include <optional>
#include <string>
#include <vector>

namespace quorlin {

/// 无穷偏态排除: every iteration relabels the history and the combinations as the repeat window
/// does; when the last K relabelled draws all held at least A big (odd) numbers, the combinations
/// whose relabelled big (odd) count lies outside the chosen range go, and likewise when they all
/// held at most B.
class BiasExclusion final : public ExclusionMember {
public:
    struct Settings {
        int cur = 0;
        bool oddMode = false; ///< 奇偶模式 instead of 大小模式
        bool highOn = true;   ///< chkda
        int high = 4;         ///< A
        FilterRange highKeep{0, 4};
        bool lowOn = true; ///< chkxiao
        int low = 1;       ///< B
        FilterRange lowKeep{1, 5};
        int run = 2; ///< K, 延续期数
    };
    /// The defaults for `width` numbers a draw.
    static Settings defaults(int width);
    BiasExclusion(const DrawHistory& history, Settings settings) : history_(history), settings_(settings) {}

    /// Refuses a current position without earlier draws and K outside 1..cur.
    static std::optional<std::string> check(const Settings& settings);

    bool prepare(RandomSource& rng) override;
    bool excludes(std::uint64_t mask, const std::uint8_t* numbers) const override;
    int stage() const override { return stage_; }

    /// Whether the counted property holds for a (relabelled) number: big (≥ total div 2, so 17 is
    /// big among 35) or odd.
    bool counts(int n) const { return settings_.oddMode ? n % 2 == 1 : n >= history_.total / 2; }
    bool highTriggered() const { return high_; }
    bool lowTriggered() const { return low_; }

private:
    const DrawHistory& history_;
    Settings settings_;
    int stage_ = 0;
    bool high_ = false;
    bool low_ = false;
    std::uint64_t counted_ = 0; ///< the real numbers whose relabelled number has the property
};

} // namespace quorlin
