// sidetext encode PLAIN FILE | sidetext decode FILE: writes or reads the enciphered side files of
// the about box and the splash window (附属/about.txt, 附属/flash.txt).
#include "cli_context.h"
#include "commands.h"
#include "common/side_text.h"
#include "common/text_reader.h"

#include <ostream>

namespace quorlin::cli {

namespace {

int encode(const std::string& plain, const std::string& target, std::ostream& err)
{
    TextReader reader;
    std::vector<std::string> lines;
    if (reader.open(plain)) {
        for (std::string line; reader.next(line);)
            lines.push_back(line);
    }
    std::string error = reader.failed() ? reader.error() : writeSideText(target, lines);
    if (!error.empty()) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

int decode(const std::string& file, std::ostream& out, std::ostream& err)
{
    const SideText text = readSideText(file);
    for (const std::string& line : text.lines)
        out << line << '\n';
    if (!text.error.empty()) {
        err << text.error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int runSideText(CliContext&, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positionalAtLeast(1);
    if (words[0] == "encode" && words.size() == 3)
        return encode(words[1], words[2], err);
    if (words[0] == "decode" && words.size() == 2)
        return decode(words[1], out, err);
    throw UsageError("参数不对");
}

} // namespace quorlin::cli
