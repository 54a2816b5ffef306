#pragma once

#include "wheel/wheel_guarantee.h"
#include "wheel/wheel_names.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

/// A wheel (旋转矩阵): lines of positions, 1-based indexes into the player's basic numbers, so that
/// a stated guarantee holds whichever of those numbers are drawn.
struct Wheel {
    int width = 0;                       ///< positions per line
    std::vector<std::uint8_t> positions; ///< width positions per line, in the file's order

    std::size_t lines() const { return width ? positions.size() / static_cast<std::size_t>(width) : 0; }
    const std::uint8_t* line(std::size_t i) const { return positions.data() + i * static_cast<std::size_t>(width); }
};

/// A wheel file read in, or why it was refused (the message names the line).
struct LoadedWheel {
    bool ok = false;
    std::string error;
    Wheel wheel;
};

/// Reads a wheel file: one line per bet, positions separated by blanks or commas. Reading ends at
/// the end of the file or at the first line whose first item is not a whole number (a closing note
/// may follow the lines). A line with a position outside 1..`basic`, with a position twice, with
/// other than `width` positions (any count when `width` is 0: the first line sets it), or an empty
/// line with lines after it is refused, since the bets it would give are not the wheel's.
LoadedWheel readWheel(const std::string& path, int width, int basic);

/// Writes the lines, positions ascending and one blank apart, then `note` as a last line (empty:
/// none); false with `error` set when the file cannot be written.
bool writeWheel(const std::string& path, const Wheel& wheel, const std::string& note, std::string& error);

/// A made wheel in the form of the shipped wheel files, so that 旋转矩阵组号缩水 maps it onto the
/// same bets: each bet's numbers besides the bankers by their positions (1-based) among the pool's
/// other numbers, ascending; the bankers join every bet there as its banker-and-drag bankers.
struct MadeWheelFile {
    /// The name the window looks the wheel up by, "选五型11码中5保4.txt"; with b bankers the drag
    /// wheel's, "选三型09码中2保2.txt" (found with 胆码 b, 选对 M + b, 保中 T + b).
    std::string name;
    WheelSettings settings; ///< what the window is given to look the name up
    Wheel wheel;
    std::string note; ///< the closing line, as the shipped files have one
    /// The window offers the settings that look the name up (kWheelWindowMaxBasic numbers besides
    /// at most kWheelWindowMaxBankers bankers).
    bool readable = false;
};

/// The file of a verified wheel of the guarantee.
MadeWheelFile madeWheelFile(const WheelGuarantee& guarantee, const std::vector<WheelBet>& bets);

} // namespace quorlin
