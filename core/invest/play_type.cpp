#include "invest/play_type.h"

namespace quorlin {

namespace {

struct PlayTypeEntry {
    const char* caption;
    std::int32_t maxCodes;
    const char* rangeMessage;
};

constexpr PlayTypeEntry kPlayTypes[kPlayTypeCount] = {
    {"直选", 1000, "请输入1到1000的直选注数！"},
    {"全组选", 210, "请输入1到210的组选注数！"},
    {"组选3", 90, "请输入1到90的组选3注数！"},
    {"组选6", 120, "请输入1到120的组选6注数！"},
};

const PlayTypeEntry& entry(PlayType type)
{
    return kPlayTypes[static_cast<int>(type)];
}

} // namespace

const char* playTypeCaption(PlayType type)
{
    return entry(type).caption;
}

std::int32_t playTypeMaxCodes(PlayType type)
{
    return entry(type).maxCodes;
}

const char* playTypeRangeMessage(PlayType type)
{
    return entry(type).rangeMessage;
}

} // namespace quorlin
