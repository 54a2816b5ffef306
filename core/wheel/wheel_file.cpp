#include "wheel/wheel_file.h"

#include "common/binomial.h"
#include "common/text_encoding.h"
#include "common/text_file.h"
#include "common/text_reader.h"
#include "common/text_writer.h"
#include "wheel/wheel_check.h"

#include <algorithm>
#include <charconv>

namespace quorlin {

namespace {

bool readPosition(std::string_view item, int& value)
{
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
    return ec == std::errc() && end == item.data() + item.size();
}

LoadedWheel refuse(std::size_t line, const std::string& why)
{
    LoadedWheel result;
    result.error = "矩阵文件第" + std::to_string(line) + "行" + why;
    return result;
}

} // namespace

LoadedWheel readWheel(const std::string& path, int width, int basic)
{
    TextReader reader;
    if (!reader.open(path)) {
        LoadedWheel result;
        result.error = reader.error();
        return result;
    }
    LoadedWheel result;
    result.wheel.width = width;
    std::string text;
    std::size_t emptyLine = 0; // the first empty line, refused only when lines follow it
    while (reader.next(text)) {
        const std::vector<std::string_view> items = splitFields(text);
        if (items.empty()) {
            if (!emptyLine)
                emptyLine = reader.lineNumber();
            continue;
        }
        int first = 0;
        if (!readPosition(items[0], first))
            break;
        if (emptyLine)
            return refuse(emptyLine, "是空行，矩阵文件中间不能有空行");
        if (result.wheel.width == 0)
            result.wheel.width = static_cast<int>(items.size());
        if (static_cast<int>(items.size()) != result.wheel.width)
            return refuse(reader.lineNumber(), "有" + std::to_string(items.size()) + "个位置，应为" +
                                                   std::to_string(result.wheel.width) + "个");
        const std::size_t lineStart = result.wheel.positions.size();
        for (const std::string_view item : items) {
            int position = 0;
            if (!readPosition(item, position))
                return refuse(reader.lineNumber(), "的“" + lineExcerpt(item) + "”不是位置数字");
            if (position < 1 || position > basic)
                return refuse(reader.lineNumber(),
                              "的位置" + lineExcerpt(item) + "超出1到" + std::to_string(basic) + "的范围");
            // A repeated position would make the line a bet of fewer numbers.
            if (std::find(result.wheel.positions.begin() + static_cast<std::ptrdiff_t>(lineStart),
                          result.wheel.positions.end(), position) != result.wheel.positions.end())
                return refuse(reader.lineNumber(), "的位置" + std::to_string(position) + "重复");
            result.wheel.positions.push_back(static_cast<std::uint8_t>(position));
        }
    }
    if (reader.failed()) {
        result.error = reader.error();
        return result;
    }
    result.ok = true;
    return result;
}

bool writeWheel(const std::string& path, const Wheel& wheel, const std::string& note, std::string& error)
{
    TextWriter writer(path);
    for (std::size_t i = 0; i < wheel.lines(); ++i) {
        std::vector<int> line(wheel.line(i), wheel.line(i) + wheel.width);
        std::sort(line.begin(), line.end());
        std::string text;
        for (const int p : line) {
            if (!text.empty())
                text += ' ';
            text += std::to_string(p);
        }
        writer.writeLine(text);
    }
    if (!note.empty())
        writer.writeLine(note);
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    return true;
}

MadeWheelFile madeWheelFile(const WheelGuarantee& g, const std::vector<WheelBet>& bets)
{
    const std::vector<int> free = g.freeNumbers();
    const int bankers = static_cast<int>(g.bankers.size());
    MadeWheelFile file;
    WheelSettings& settings = file.settings;
    settings.selection = kWheelBetSize;
    settings.basic = static_cast<int>(free.size());
    settings.bankers = bankers;
    settings.bankerAndDrag = bankers > 0;
    settings.ok = g.ok + bankers;
    settings.guarantee = g.hit + bankers;
    file.name = wheelFileName(settings).value_or("");
    file.readable = settings.basic <= kWheelWindowMaxBasic && bankers <= kWheelWindowMaxBankers;
    file.wheel.width = g.freeWidth();
    for (const WheelBet& bet : bets)
        for (const int n : bet)
            if (const auto at = std::find(free.begin(), free.end(), n); at != free.end())
                file.wheel.positions.push_back(static_cast<std::uint8_t>(at - free.begin() + 1));
    file.note = "以上" + std::to_string(bets.size()) + "注已对全部" + std::to_string(binomial(settings.basic, g.ok)) +
                "种开奖逐一验证：" + guaranteeText(g.ok, g.hit);
    return file;
}

} // namespace quorlin
