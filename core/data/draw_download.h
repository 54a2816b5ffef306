#pragma once

#include "common/calendar.h"
#include "store/database.h"
#include "store/draw_line_parser.h"
#include "store/prize_results.h"
#include "store/stored_draws.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorlin {

/// When a download writes what it read.
enum class DownloadWrites {
    /// All new draws and their results at the end, in one transaction: a failure or a stop writes
    /// nothing, whatever was read before it.
    AtTheEnd,
    /// Each page's as soon as the page is read, one transaction a page: a failure or a stop keeps
    /// the pages read before it and writes nothing of the page under way.
    PerPage,
};

/// What a download did.
struct DownloadResult {
    enum class Outcome { Done, Failed, Stopped };

    Outcome outcome = Outcome::Failed;
    int added = 0; ///< draws written; after a failure or stop only those of the pages written per page
    int found = 0; ///< new draws read before a failure or stop and not written
    std::string error;
    /// Stored draws the download gave with the same numbers but another date, kept as stored:
    /// "期号 2026113 已存为 2026-10-03，下载的是 2026-10-05". Only when Done.
    std::vector<std::string> otherDates;
    /// Draws, new or stored, whose published results (prize lines, sales or pool) were stored.
    int withResults = 0;
    /// Stored results the download gave otherwise, kept as stored (mergeDrawResults' texts).
    std::vector<std::string> resultConflicts;

    bool ok() const { return outcome == Outcome::Done; }
};

/// The text the user is shown after a download: "下载完成！" with the count of new draws (or "没有新的
/// 开奖号码") and of the draws that gained their results, the stored draws whose date differs and the
/// stored results that differ, or what went wrong together with the count of draws added (those of
/// the pages written before it) and of those read and not written.
std::string downloadMessage(const DownloadResult& result);

/// Whether a finished download has more to tell than its count of new draws: results stored, or
/// stored dates or results that differ from the download's.
bool hasDownloadNotes(const DownloadResult& result);

/// One download into a lottery's draw table: takes the fetched answers page by page, says when
/// another page is needed, and writes the new draws (see DownloadWrites).
///
/// A draw is new when it is not stored and its issue is above the newest stored issue, or above
/// the last stored issue before a missing one among the newest stored draws (issues count up by one
/// within a year and start again at 001): a download that stopped after its first pages left the
/// draws below them missing, and the next download fetches them. Draws of the results service
/// carry their dates; draws of a results page are dated from the newest stored draw on in issue
/// order, one draw day an issue, and refused like a service's draw when that date does not fit
/// the issue or lies after `today`. Draws already stored are skipped, and one stored with other
/// numbers fails the download. One stored with the same numbers on another date is the same draw
/// (the dates of results pages follow the draw weekdays across holiday breaks): it stays as stored
/// and the difference is reported. Pages of the service are wanted until a page reaches the stored
/// issues, is empty, or is the last.
///
/// The published results the service gives with a draw are stored with it, in the same transaction
/// (the result tables are created then when missing); a stored draw gains those it has not stored
/// yet. Results that contradict stored ones keep the stored ones and are reported.
class DrawDownload {
public:
    /// Opens its own connection to the database and reads the lottery's draws; a database error
    /// fails the download (see failed()). No draw may be dated after `today`.
    DrawDownload(const std::string& databasePath, std::string lottery, std::int32_t today = todayDate(),
                 DownloadWrites writes = DownloadWrites::AtTheEnd);

    /// Takes the answer fetched for page `page` (counted from 1), writing its new draws when they
    /// are written per page; true when page + 1 is wanted.
    bool addPage(std::string_view answer, int page);
    /// The fetch of a page failed; `reason` says why.
    void fail(std::string reason);
    /// The user stopped the download.
    void stop() { stopped_ = true; }

    bool failed() const { return !error_.empty(); }
    /// New draws read so far and not written yet.
    int found() const { return static_cast<int>(pending_.size()); }
    /// New draws written so far (per page).
    int written() const { return written_.added; }

    /// Writes the new draws not written yet unless the download failed or was stopped; one
    /// transaction.
    DownloadResult finish();

private:
    /// The newest stored issue below which no issue is missing among the newest stored draws, and
    /// its date.
    void findNewestWhole();
    /// Writes the pending draws and the results taken, in one transaction, into written_; false
    /// (failing the download) on a database error or a draw stored meanwhile with other numbers.
    bool writePending();
    bool takeDraw(const ImportedDraw& draw, const DrawResults* results, bool dated, bool& reachedStored);
    bool dateFromStored(ImportedDraw& draw);
    bool failWith(std::string reason);
    std::string conflictText(const ImportedDraw& draw, const StoredDraw& stored, bool dated) const;
    /// Checks a draw the table already holds: false (failing the download) when its numbers differ,
    /// a note in `otherDates` when only its date does.
    bool checkStored(const ImportedDraw& draw, const StoredDraw& stored, bool dated,
                     std::vector<std::string>& otherDates);

    Database db_;
    std::string lottery_;
    std::int32_t today_;
    StoredDraws stored_;
    std::optional<std::int64_t> newestIssue_;
    std::string newestDate_;
    std::int32_t chainDate_ = 0;  ///< the date of the last draw dated from the stored ones
    std::int64_t chainIssue_ = 0; ///< and its issue
    std::optional<bool> service_; ///< the format of the first page
    std::unordered_map<std::int32_t, ImportedDraw> seen_;
    std::vector<ImportedDraw> pending_;
    std::vector<std::string> otherDates_;
    std::map<std::int32_t, DrawResults> results_; ///< the published results of the draws taken, by issue
    std::string error_;
    bool stopped_ = false;
    DownloadWrites writes_;
    DownloadResult written_; ///< what was written so far
};

} // namespace quorlin
