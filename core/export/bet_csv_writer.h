#pragma once

#include "common/text_writer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quorlin {

class Progress;

/// The header of a bet table: 前区1..前区N, then 后区1..后区M.
std::vector<std::string> betColumnHeaders(int frontWidth, int backWidth);

/// Writes bets as CSV, one bet a row: a header 前区1..前区N, 后区1..后区M (no back columns when
/// backWidth is 0), then the numbers as plain integers, a bet without back part leaving its back
/// cells empty. UTF-8 with a byte-order mark, CR LF, in 1 MiB blocks through a TextWriter, so the
/// target is replaced only by a complete file. Every line is the front text of the current front
/// followed by a back text (its leading comma and the line end included) made once per back tuple.
class BetCsvWriter {
public:
    /// The longest back text: eight numbers of two digits with their commas, and CR LF.
    static constexpr std::size_t kBackStride = 32;
    using BackText = std::array<char, kBackStride>;

    BetCsvWriter(const std::string& path, int frontWidth, int backWidth, Progress* progress, std::uint64_t total);

    /// The back text of one tuple of backWidth numbers, or of a bet without back part (null).
    BackText backText(const std::uint8_t* numbers) const;

    /// Sets the front numbers of the lines that follow.
    void setFront(const std::uint8_t* numbers);
    /// One line: the current front with `back`. False on a failed write or a stop.
    bool line(const BackText& back)
    {
        std::memcpy(out_, front_.data(), front_.size());
        std::memcpy(out_ + frontLength_, back.data(), back.size());
        out_ += frontLength_ + static_cast<unsigned char>(back[kBackStride - 1]);
        return ++done_ % kBlockLines != 0 || endBlock();
    }

    /// Writes what is left and replaces the target; false with `error` set on failure or stop
    /// (the target then left as it was).
    bool finish(std::string& error);

private:
    static constexpr std::uint64_t kBlockLines = 1 << 15;
    bool endBlock();

    TextWriter writer_;
    std::size_t frontNumbers_;
    int backWidth_;
    Progress* progress_;
    std::uint64_t total_;
    std::uint64_t done_ = 0;
    std::array<char, 32> front_{};
    std::size_t frontLength_ = 0;
    std::vector<char> chunk_;
    char* out_ = nullptr;
    bool stopped_ = false;
};

} // namespace quorlin
