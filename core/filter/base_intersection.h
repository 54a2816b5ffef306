#pragma once

#include "filter/bet_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Progress;
struct LotteryState;

/// Combines several saved bet lists (大底, big bases) into one: counts in how many files each front
/// combination occurs and keeps those whose count lies within a tolerance of the number of files,
/// paired with back numbers as the player chooses. The count table (one row per combination,
/// 324,632 for 35/5) is built once and reused by every run; each line is looked up by its rank.
class BaseIntersection {
public:
    /// How the back numbers of the result are chosen.
    enum class BackChoice { Imported, None, All, Typed };

    struct Options {
        int lowTolerance = 0;  ///< E1: keep counts up to files − E1
        int highTolerance = 0; ///< E2: keep counts from files − E2
        BackChoice back = BackChoice::Imported;
        std::vector<int> typedBacks; ///< the numbers typed for BackChoice::Typed
    };

    struct Result {
        bool ok = false;
        std::string error; ///< names the file and the line at fault
        BetList bets;      ///< the result, front combinations in table order
        bool withBacks = false;

        /// Line i in the numbered form: "%.7d", four blanks, the bet; a bet without back part
        /// ends with a blank after its last number.
        std::string line(std::size_t i) const { return withBacks ? bets.numbered(i) : bets.numbered(i) + ' '; }
    };

    explicit BaseIntersection(const LotteryState& state);

    /// Reads the files in order (bet-list text, saved or numbered form: BetLineReader) and forms the
    /// result; nothing comes out when a file cannot be read or a line is not a bet. Reports progress per file; a
    /// stop, looked at every few thousand lines, ends the run without a result ("已停止").
    Result run(const std::vector<std::string>& files, const Options& options, Progress* progress = nullptr);

    /// Writes the result's lines in the numbered form; replaces `path` only when complete.
    static bool write(const Result& result, const std::string& path, Progress* progress, std::string& error);

    std::size_t rows() const { return counts_.size(); }

private:
    bool readFile(const std::string& path, const Progress* progress, std::string& error);

    int total_;
    int width_;
    int backTotal_;
    int backWidth_;
    std::vector<std::uint8_t> numbers_;   // width_ per row, rows in rank order
    std::vector<std::uint32_t> counts_;   // files each row occurs in
    std::vector<std::uint8_t> seen_;      // the row occurred in the file being read
    std::vector<std::uint32_t> rankBase_; // per position and number: rows passed over (see the constructor)
    std::vector<int> backs_;              // back numbers seen, flags by number − 1
    bool backFlag_ = false;
};

} // namespace quorlin
