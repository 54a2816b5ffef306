// Lines of an import file: the input split at line ends, read by one parser as a file is.
#include "fuzz_check.h"
#include "store/draw_line_parser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    quorlin::DrawLineParser parser(kFuzzToday);
    while (true) {
        const std::size_t end = rest.find('\n');
        quorlin::ImportedDraw draw;
        std::string reason;
        const auto kind = parser.parse(rest.substr(0, end), draw, reason);
        if ((kind == quorlin::DrawLineParser::Kind::Refused) == reason.empty())
            std::abort();
        if (kind == quorlin::DrawLineParser::Kind::Draw)
            checkDraw(draw, draw.date != 0);
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return 0;
}
