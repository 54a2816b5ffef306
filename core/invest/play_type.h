#pragma once

#include <cstdint>

namespace quorlin {

/// How a code list is played against the draws, in the order of the window's radio group.
enum class PlayType : std::int32_t {
    Zhixuan = 0,    ///< 直选: every front number equals its digit, position by position
    Quanzuxuan = 1, ///< 全组选: the first three numbers equal the first three digits in any order
    Zuxuan3 = 2,    ///< 组选3: as 全组选, codes with exactly one pair of equal digits
    Zuxuan6 = 3,    ///< 组选6: as 全组选, codes without equal digits
};

inline constexpr int kPlayTypeCount = 4;

/// The play type's caption: "直选", "全组选", "组选3", "组选6".
const char* playTypeCaption(PlayType type);
/// The largest number of codes the play type draws (its range starts at 1).
std::int32_t playTypeMaxCodes(PlayType type);
/// The message shown when the number of codes is outside the play type's range.
const char* playTypeRangeMessage(PlayType type);

} // namespace quorlin
