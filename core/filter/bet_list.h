#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorlin {

class Progress;

/// A bet list kept compactly, as the filters produce and show it: front combinations (one byte per
/// number) and back tuples, and the lines as pairs of both, so a list of 21 million lines costs
/// a few bytes a line. The text of a line is formed only when it is shown or written.
///
/// Bet-list text: front numbers ascending, "%.2d", one blank between them; a back part follows
/// "+" directly ("01 02 03 04 05+06 07"). The numbered form puts the line number "%.7d" and four
/// blanks in front; the saved form is the bet alone. Lines end with CR LF.
class BetList {
public:
    /// Every front combination (`fronts`, `frontWidth` numbers each) with every back tuple
    /// (`backs`, `backWidth` numbers each), fronts varying slowest: the result of a filter run.
    static BetList paired(int frontWidth, std::vector<std::uint8_t> fronts, int backWidth,
                          std::vector<std::uint8_t> backs);
    /// Lines given one by one: line i is front entry lineFront[i] with back tuple lineBack[i]
    /// (kNoBack for a bet without back part): the lines of a loaded file.
    static BetList lines(int frontWidth, std::vector<std::uint8_t> fronts, int backWidth,
                         std::vector<std::uint8_t> backs, std::vector<std::uint32_t> lineFront,
                         std::vector<std::uint16_t> lineBack);
    static constexpr std::uint16_t kNoBack = 0xFFFF;
    /// Front combinations alone, one a line in their order: the result of an exclusion window,
    /// whose numbered lines end every number with a blank ("0000001    01 02 03 04 05 "); the
    /// saved form has no blank at the end.
    static BetList frontsOnly(int frontWidth, std::vector<std::uint8_t> fronts);

    std::size_t size() const { return paired_ ? frontCount() * backCount() : lineFront_.size(); }
    bool empty() const { return size() == 0; }
    std::size_t frontCount() const { return frontWidth_ ? fronts_.size() / static_cast<std::size_t>(frontWidth_) : 0; }
    std::size_t backCount() const { return backWidth_ ? backs_.size() / static_cast<std::size_t>(backWidth_) : 0; }

    /// The parts of the list as stored, for whoever scores every line without forming its text.
    bool isPaired() const { return paired_; }
    int frontWidth() const { return frontWidth_; }
    int backWidth() const { return backWidth_; }
    const std::uint8_t* frontData() const { return fronts_.data(); }
    const std::uint8_t* backData() const { return backs_.data(); }
    /// Of a loaded list (not paired): the front entry and back tuple (kNoBack) of every line.
    const std::vector<std::uint32_t>& lineFronts() const { return lineFront_; }
    const std::vector<std::uint16_t>& lineBacks() const { return lineBack_; }

    /// The front entry and back tuple (kNoBack for none) of line i.
    std::pair<std::size_t, std::size_t> lineParts(std::size_t i) const
    {
        if (paired_)
            return {i / backCount(), i % backCount()};
        return {lineFront_[i], lineBack_[i]};
    }

    /// The bet of line i (0-based), e.g. "01 02 03 04 05+06 07".
    std::string bet(std::size_t i) const;
    /// Line i in the numbered form: number i + 1 as "%.7d", four blanks, the bet.
    std::string numbered(std::size_t i) const;

    /// Writes the whole list, numbered or saved form, through a scratch file that replaces `path`
    /// only when complete. Reports progress; a stop leaves the old file. False with `error` set on
    /// failure or stop.
    bool writeNumbered(const std::string& path, Progress* progress, std::string& error) const;
    bool writeSaved(const std::string& path, Progress* progress, std::string& error) const;
    /// Writes the whole list as CSV (BetCsvWriter: one bet a row, the numbers in columns), as safely
    /// as the forms above.
    bool writeCsv(const std::string& path, Progress* progress, std::string& error) const;
    /// True when the list has back columns: some line carries a back tuple.
    bool hasBack() const { return backWidth_ > 0 && backCount() > 0; }

    /// An empty list.
    BetList() = default;

private:
    BetList(bool paired, int frontWidth, std::vector<std::uint8_t> fronts, int backWidth,
            std::vector<std::uint8_t> backs);
    bool write(const std::string& path, bool numberedForm, Progress* progress, std::string& error) const;
    /// Appends the bet text of line i to `out` (no allocation when `out` has room).
    char* appendBet(std::size_t i, char* out) const;

    bool paired_ = true;
    bool blankAfterLast_ = false; ///< numbered lines end with a blank after the last number
    int frontWidth_ = 0;
    int backWidth_ = 0;
    std::vector<std::uint8_t> fronts_;
    std::vector<std::uint8_t> backs_;
    std::vector<std::uint32_t> lineFront_;
    std::vector<std::uint16_t> lineBack_;
};

/// Every pair (a < b) of the chosen back numbers, ascending by a then b, flattened: the back
/// tuples a filter run pairs each surviving front combination with.
std::vector<std::uint8_t> backPairs(const std::vector<int>& chosen, int backTotal);

} // namespace quorlin
