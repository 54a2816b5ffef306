#include "data/results_page.h"

#include "common/text_encoding.h"

namespace quorlin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Results pages of Chinese sites are often GBK; a byte that is neither stays as it is and counts as
// one character, which is all the scan needs of it.
std::string pageText(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    if (isValidUtf8(bytes))
        return std::string(bytes);
    IconvConverter fromGbk("UTF-8", "GB18030");
    std::string text;
    if (fromGbk.valid() && fromGbk.convert(bytes, text) == std::string_view::npos)
        return text;
    return std::string(bytes);
}

bool looksLikeJson(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && (text[first] == '{' || text[first] == '[');
}

} // namespace

ResultsPage readResultsPage(std::string_view bytes, std::int32_t today)
{
    const std::string text = pageText(bytes);
    return looksLikeJson(text) ? readServiceAnswer(text, today) : scanResultsTable(text, today);
}

} // namespace quorlin
