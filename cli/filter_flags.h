#pragma once

#include "filter/total_filter.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {
struct LotteryState;
}

namespace quorlin::cli {

class CliArgs;

/// The total-filter conditions given on the command line, as read before the lottery is open.
struct FilterFlags {
    TotalFilterSettings settings; ///< the ranges; the number lists follow in complete()
    std::string bankers;
    std::optional<FilterRange> bankerHits;
    std::string front;
    std::optional<FilterRange> frontHits;

    /// Removes --big … --ac, --banker, --banker-hits, --front and --front-hits from `args`.
    static FilterFlags read(CliArgs& args);
    /// Adds the banker and front numbers of the open lottery; false with the message on `err`.
    bool complete(const LotteryState& state, std::ostream& err);
};

/// A whole number ≥ 0; UsageError naming the option otherwise.
int wholeNumber(const std::string& text, const std::string& option);
/// Numbers separated by blanks or commas, each within 1..limit.
std::vector<int> numberList(const std::string& text, const std::string& option, int limit);

} // namespace quorlin::cli
