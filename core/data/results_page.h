#pragma once

#include "common/calendar.h"
#include "store/draw_line_parser.h"
#include "store/prize_results.h"

#include <cstdint>

#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

/// What one answer of the results source held: the draws it lists, in its order, or why it could
/// not be read.
struct ResultsPage {
    /// The lottery administration's JSON service, or a results web page read at fixed offsets.
    enum class Format { Service, Table };

    Format format = Format::Table;
    bool ok = false;
    std::string error;
    /// In the answer's order (newest first for the service). A results page gives no dates: their
    /// `date` is 0.
    std::vector<ImportedDraw> draws;
    /// What the service published of each draw, at the index of its draw; empty for a results page.
    /// A draw whose results are not published yet has no prize lines, sales or pool.
    std::vector<DrawResults> results;
    int pageNo = 0; ///< the service's page number; 0 when not given
    int pages = 0;  ///< the service's count of pages; 0 when not given
};

/// Reads one answer as fetched (UTF-8 or GBK bytes). An answer whose text starts with "{" or "[" is
/// the service's JSON; any other is a results page. `today` bounds the issues and dates.
ResultsPage readResultsPage(std::string_view bytes, std::int32_t today = todayDate());

/// Reads an answer of the results service (UTF-8 JSON): `success`, `errorCode` and `errorMessage`,
/// and per draw in `value.list` its `lotteryDrawNum`, `lotteryDrawResult` and `lotteryDrawTime`,
/// and its results: `prizeLevelList[]` (`prizeLevel`, `stakeCount`, `stakeAmount`; counts and
/// amounts may group their digits by commas), `poolBalanceAfterdraw` and `totalSaleAmount`; every
/// other field is ignored. An answer with `success` false is an error naming the service's message;
/// so is a draw that an import would refuse or that is dated after `today` (checkHeldDraw,
/// parseDrawNumbers), and a count or amount that is not one.
///
/// "---" is a level nobody won (0 winners, 0 元). A list without any winner, as the service gives
/// before the results are published, has no prize lines; a sales or pool of 0 or empty is unknown.
/// A 派奖 line with winners but a per-bet amount of 0 or below (the service then publishes only a
/// total) has no amount.
ResultsPage readServiceAnswer(std::string_view text, std::int32_t today = todayDate());

/// Reads a results page (UTF-8 text): its first line, trimmed, holds a draw row wherever five digits
/// (the short issue) are followed by "</td><td"; the seven two-character numbers stand 59, 62 … 77
/// characters after the first character. A page without any row is an error, and so are
/// issues and numbers an import would refuse of a draw without date (checkUndatedIssue,
/// parseDrawNumbers); the dates are checked once the download has given them (checkHeldDraw).
ResultsPage scanResultsTable(std::string_view text, std::int32_t today = todayDate());

} // namespace quorlin
