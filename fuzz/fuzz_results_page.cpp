// Results pages as fetched: any bytes, read by content (GBK or UTF-8) and scanned at fixed offsets.
#include "data/results_page.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const quorlin::ResultsPage& page :
         {quorlin::scanResultsTable(bytes, kFuzzToday), quorlin::readResultsPage(bytes, kFuzzToday)}) {
        if (page.ok == !page.error.empty())
            std::abort();
        for (const quorlin::ImportedDraw& draw : page.draws)
            checkDraw(draw, page.format == quorlin::ResultsPage::Format::Service);
    }
    return 0;
}
