#pragma once

#include "check/check_range.h"
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
/// `--scheme FILE` reads a saved scheme first; a flag given after it overrides the scheme's value,
/// one given before it only what the scheme leaves unset.
struct FilterFlags {
    TotalFilterSettings settings; ///< the ranges; the number lists follow in complete()
    std::string bankers;
    std::optional<FilterRange> bankerHits;
    std::string front;
    std::optional<FilterRange> frontHits;
    std::optional<int> tolerance;
    std::string scheme;                         ///< the scheme file, if any
    std::vector<std::string> given;             ///< the keys (flag names without "--") given as flags
    std::vector<std::string> afterScheme;       ///< those given after --scheme
    std::vector<std::string> schemeKeys;        ///< the keys the scheme gave (after complete())
    std::optional<std::vector<int>> schemeBack; ///< the scheme's back numbers

    /// Whether the flag `key` (without "--") decides its value: given, and after --scheme or not
    /// in the scheme.
    bool takesFlag(const std::string& key) const;
    /// The back numbers chosen: those of --back (`text`) when it decides, else the scheme's;
    /// nothing when neither gives any.
    std::optional<std::vector<int>> backNumbers(const std::string& text, int backTotal) const;

    /// Removes the condition flags (--big … --ac, --banker, --banker-hits, --front, --front-hits,
    /// the second page's flags, --tolerance) and --scheme from `args`.
    static FilterFlags read(CliArgs& args);
    /// Reads the scheme and adds the banker and front numbers of the open lottery; false with the
    /// message on `err`.
    bool complete(const LotteryState& state, std::ostream& err);
};

/// A whole number ≥ 0; UsageError naming the option otherwise.
int wholeNumber(const std::string& text, const std::string& option);
/// The draws of "--issue I" or "--last N" (removed from `args`), the newest without either;
/// UsageError when both are given.
CheckRange drawRangeFlags(CliArgs& args);
/// Numbers separated by blanks or commas, each within 1..limit.
std::vector<int> numberList(const std::string& text, const std::string& option, int limit);

} // namespace quorlin::cli
