#pragma once

#include <string>

namespace quorlin {

class BetList;
class Progress;

/// Writes a bet list as an .xlsx workbook, one bet a row with the numbers in columns as
/// BetList::writeCsv lays them out. A list longer than a worksheet (kWorksheetRows − 1 bets below
/// the header) is refused with a message that offers CSV. Reports progress; a stop leaves the old
/// file. False with `error` set on failure, refusal or stop.
bool writeBetListXlsx(const BetList& list, const std::string& path, Progress* progress, std::string& error);

} // namespace quorlin
