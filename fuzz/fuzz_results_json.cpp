// Answers of the results service: any text through the JSON reader and the answer reader.
#include "data/json_reader.h"
#include "data/results_page.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const quorlin::JsonParseResult parsed = quorlin::parseJson(text);
    if (parsed.ok == !parsed.error.empty())
        std::abort();
    const quorlin::ResultsPage page = quorlin::readServiceAnswer(text, kFuzzToday);
    if (page.ok == !page.error.empty() || (!page.ok && !page.draws.empty()))
        std::abort();
    for (const quorlin::ImportedDraw& draw : page.draws)
        checkDraw(draw, true);
    if (page.results.size() != page.draws.size())
        std::abort();
    for (const quorlin::DrawResults& results : page.results)
        for (const quorlin::PublishedPrize& prize : results.prizes)
            if (prize.level.empty() || prize.winners < 0 || (prize.amount && *prize.amount < 0))
                std::abort();
    return 0;
}
