#include "data/draw_download.h"

#include "common/calendar.h"
#include "common/text_encoding.h"
#include "data/results_page.h"
#include "store/draw_cursor.h"
#include "store/draw_schedule.h"
#include "store/prize_store.h"

#include <algorithm>
#include <charconv>

namespace quorlin {

namespace {

constexpr int kNumbers = 7;
// More pages than the service has ever had for this game: a service that never ends its list.
constexpr int kMaxPages = 1000;
// How far below the newest stored draw a missing issue is looked for: more than a download stopped
// part way leaves behind, fewer than would have every download page back to an old gap.
constexpr std::size_t kWholeDraws = 300;

// Whether `upper` is the issue right after `lower`: the next of the year, or the first of the next.
bool follows(std::int64_t lower, std::int64_t upper)
{
    const std::int64_t year = lower / 1000;
    return (upper / 1000 == year && upper == lower + 1) || (upper / 1000 == year + 1 && upper % 1000 == 1);
}

std::string pagePrefix(int page)
{
    return page > 1 ? "第 " + std::to_string(page) + " 页：" : std::string();
}

bool publishedAnything(const DrawResults& results)
{
    return !results.prizes.empty() || results.sales || results.pool;
}

} // namespace

std::string downloadMessage(const DownloadResult& result)
{
    switch (result.outcome) {
    case DownloadResult::Outcome::Done: {
        std::string text = result.added > 0 ? "下载完成！新增 " + std::to_string(result.added) + " 期开奖号码"
                                            : std::string("下载完成！没有新的开奖号码");
        if (result.withResults > 0)
            text += "，" + std::to_string(result.withResults) + " 期存入了中奖结果";
        text += "。";
        if (!result.otherDates.empty()) {
            text += "\n下列 " + std::to_string(result.otherDates.size()) +
                    " 期已存的号码与下载的相同而开奖日期不同，保留了已存的日期（需要时请在数据添加中改正）：";
            for (const std::string& difference : result.otherDates)
                text += "\n" + difference;
        }
        if (!result.resultConflicts.empty()) {
            text += "\n下列 " + std::to_string(result.resultConflicts.size()) +
                    " 期已存的中奖结果与下载的不同，保留了已存的结果：";
            for (const std::string& conflict : result.resultConflicts)
                text += "\n" + conflict;
        }
        return text;
    }
    case DownloadResult::Outcome::Stopped:
        if (result.added > 0)
            return "下载已停止：停止前的各页新增了 " + std::to_string(result.added) + " 期开奖号码" +
                   (result.found > 0 ? "，其后读到的 " + std::to_string(result.found) + " 期没有写入。" : "。");
        return result.found > 0
                   ? "下载已停止：已读到的 " + std::to_string(result.found) + " 期新开奖号码没有写入，数据库没有改动。"
                   : std::string("下载已停止，数据库没有改动。");
    case DownloadResult::Outcome::Failed:
        break;
    }
    std::string text = "下载失败：" + result.error + "\n新增 " + std::to_string(result.added) + " 期开奖号码：";
    if (result.added > 0)
        return text + "失败前的各页已写入" +
               (result.found > 0 ? "，其后读到的 " + std::to_string(result.found) + " 期没有写入。" : "。");
    if (result.found > 0)
        text += "失败前读到的 " + std::to_string(result.found) + " 期新开奖号码也没有写入，";
    return text + "数据库没有改动。";
}

bool hasDownloadNotes(const DownloadResult& result)
{
    return result.withResults > 0 || !result.otherDates.empty() || !result.resultConflicts.empty();
}

DrawDownload::DrawDownload(const std::string& databasePath, std::string lottery, std::int32_t today,
                           DownloadWrites writes)
    : lottery_(std::move(lottery)), today_(today), writes_(writes)
{
    written_.outcome = DownloadResult::Outcome::Done;
    try {
        db_.open(databasePath);
        verifyDrawTable(db_, lottery_, kNumbers);
        stored_ = readStoredDraws(db_, lottery_);
    } catch (const DatabaseError& e) {
        failWith(e.what());
        return;
    }
    // The newest draw is the last one in issue order, as the draw table is always read.
    const auto newest = std::max_element(stored_.begin(), stored_.end(),
                                         [](const auto& a, const auto& b) { return a.first < b.first; });
    if (newest == stored_.end())
        return;
    std::int64_t issue = 0;
    const std::string& text = newest->first;
    const auto [last, ec] = std::from_chars(text.data(), text.data() + text.size(), issue);
    if (text.empty() || ec != std::errc() || last != text.data() + text.size()) {
        failWith("最新一期的期号" + quotedExcerpt(text) + "不是数字，无法判断哪些开奖号码是新的");
        return;
    }
    newestIssue_ = issue;
    newestDate_ = newest->second.date;
    findNewestWhole();
}

void DrawDownload::findNewestWhole()
{
    std::vector<std::pair<std::int64_t, const StoredDraw*>> issues;
    issues.reserve(stored_.size());
    for (const auto& [text, draw] : stored_) {
        std::int64_t issue = 0;
        const auto [last, ec] = std::from_chars(text.data(), text.data() + text.size(), issue);
        if (ec == std::errc() && last == text.data() + text.size())
            issues.emplace_back(issue, &draw);
    }
    std::sort(issues.begin(), issues.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t at = 0; at + 1 < issues.size() && at < kWholeDraws; ++at) {
        if (!follows(issues[at + 1].first, issues[at].first)) {
            newestIssue_ = issues[at + 1].first;
            newestDate_ = issues[at + 1].second->date;
            return;
        }
    }
}

bool DrawDownload::failWith(std::string reason)
{
    if (error_.empty())
        error_ = std::move(reason);
    return false;
}

void DrawDownload::fail(std::string reason)
{
    failWith(std::move(reason));
}

bool DrawDownload::addPage(std::string_view answer, int page)
{
    if (failed() || stopped_)
        return false;
    const ResultsPage results = readResultsPage(answer, today_);
    if (!results.ok)
        return failWith(pagePrefix(page) + results.error);
    const bool service = results.format == ResultsPage::Format::Service;
    if (!service_)
        service_ = service;
    else if (*service_ != service)
        return failWith(pagePrefix(page) + "答复的格式与第 1 页不同");

    // A results page gives no dates: its draws are dated in issue order, whatever the page's order.
    std::vector<ImportedDraw> draws = results.draws;
    if (!service)
        std::stable_sort(draws.begin(), draws.end(), [](const auto& a, const auto& b) { return a.issue < b.issue; });
    std::unordered_map<std::int32_t, const DrawResults*> published;
    for (std::size_t i = 0; i < results.results.size() && i < results.draws.size(); ++i)
        if (publishedAnything(results.results[i]))
            published.emplace(results.draws[i].issue, &results.results[i]);
    bool reachedStored = false;
    int unseen = 0;
    for (const ImportedDraw& draw : draws) {
        if (const auto seen = seen_.find(draw.issue); seen != seen_.end()) {
            // A draw published during the download moves every later draw one place down, so the
            // last draw of a page comes again at the top of the next one.
            if (seen->second.numbers != draw.numbers || seen->second.date != draw.date)
                return failWith(pagePrefix(page) + "期号 " + draw.issueText() + " 在下载的页面中出现两次，号码不同");
            continue;
        }
        ++unseen;
        seen_.emplace(draw.issue, draw);
        const auto withResults = published.find(draw.issue);
        if (!takeDraw(draw, withResults == published.end() ? nullptr : withResults->second, service, reachedStored))
            return false;
    }
    if (writes_ == DownloadWrites::PerPage && !writePending())
        return false;
    // The answer's own page number counts: an address that always names the last page ends here.
    const int at = results.pageNo > 0 ? results.pageNo : page;
    if (!service || results.draws.empty() || reachedStored || (results.pages > 0 && at >= results.pages))
        return false;
    if (unseen == 0)
        return failWith(pagePrefix(page) + "与前面的页相同：开奖服务没有按页码翻页");
    if (page >= kMaxPages)
        return failWith("开奖服务的页数超过 " + std::to_string(kMaxPages) + " 页，下载中止");
    return true;
}

// Takes one draw of a page: skips it when stored or older than the newest stored draw, dates it
// when the page gives no date, keeps it for writing; keeps its results when it is stored or kept.
// False when it fails the download.
bool DrawDownload::takeDraw(const ImportedDraw& draw, const DrawResults* results, bool dated, bool& reachedStored)
{
    const bool older = newestIssue_ && draw.issue <= *newestIssue_;
    reachedStored = reachedStored || older;
    if (const auto stored = stored_.find(draw.issueText()); stored != stored_.end()) {
        if (!checkStored(draw, stored->second, dated, otherDates_))
            return false;
    } else if (older) {
        return true;
    } else {
        ImportedDraw added = draw;
        if (!dated && !dateFromStored(added))
            return false;
        pending_.push_back(added);
    }
    if (results)
        results_.emplace(draw.issue, *results);
    return true;
}

// Within a year an issue is one draw day after the one before it; the first issues of a year
// follow the last draw dated. The date then goes through the checks of a dated draw.
bool DrawDownload::dateFromStored(ImportedDraw& draw)
{
    if (!newestIssue_)
        return failWith("开奖号码表是空的，而结果页不含开奖日期，无法推算新开奖号码的日期；请先导入开奖历史，"
                        "或改用开奖服务的地址");
    if (chainDate_ == 0) {
        if (!parseDrawDate(newestDate_, chainDate_))
            return failWith("最新一期的开奖日期" + quotedExcerpt(newestDate_) +
                            "不是有效日期，无法推算新开奖号码的日期");
        chainIssue_ = *newestIssue_;
    }
    const std::int64_t steps = draw.issue / 1000 == chainIssue_ / 1000 ? draw.issue - chainIssue_ : draw.issue % 1000;
    const DrawSchedule schedule = DrawSchedule::shipped();
    for (std::int64_t k = 0; k < steps; ++k)
        chainDate_ = schedule.nextDrawDate(chainDate_);
    chainIssue_ = draw.issue;
    draw.date = chainDate_;
    if (const std::string reason = checkHeldDraw(draw, today_); !reason.empty())
        return failWith("结果页中期号 " + draw.issueText() + " 有误（日期按开奖日推算为 " + draw.dateText() + "）：" +
                        reason);
    return true;
}

bool DrawDownload::checkStored(const ImportedDraw& draw, const StoredDraw& stored, bool dated,
                               std::vector<std::string>& otherDates)
{
    if (!sameDraw(stored, draw, false))
        return failWith(conflictText(draw, stored, dated));
    if (dated && !sameDraw(stored, draw))
        otherDates.push_back("期号 " + draw.issueText() + " 已存为 " + stored.date + "，下载的是 " + draw.dateText());
    return true;
}

std::string DrawDownload::conflictText(const ImportedDraw& draw, const StoredDraw& stored, bool dated) const
{
    return "期号 " + draw.issueText() + " 已存为 " + storedDrawText(stored) + "，下载的却是 " +
           (dated ? draw.text() : draw.numbersText()) + "；请核对后在数据添加中改正";
}

DownloadResult DrawDownload::finish()
{
    if (!stopped_ && !failed())
        writePending();
    DownloadResult result = written_;
    if (stopped_ || failed()) {
        result.outcome = stopped_ ? DownloadResult::Outcome::Stopped : DownloadResult::Outcome::Failed;
        result.found = found();
        result.error = stopped_ ? std::string() : error_;
    }
    return result;
}

bool DrawDownload::writePending()
{
    std::vector<ImportedDraw> writing = pending_;
    // The service lists newest first; its draws carry their dates, so they go in issue order.
    if (service_.value_or(false))
        std::sort(writing.begin(), writing.end(), [](const auto& a, const auto& b) { return a.issue < b.issue; });
    try {
        Transaction tx(db_);
        // Another program may have written to the table since it was read: nothing is written twice.
        const StoredDraws now = readStoredDraws(db_, lottery_);
        std::vector<std::string> otherDates;
        std::vector<ImportedDraw> fresh;
        for (const ImportedDraw& draw : writing) {
            const auto stored = now.find(draw.issueText());
            if (stored == now.end())
                fresh.push_back(draw);
            else if (!checkStored(draw, stored->second, true, otherDates))
                return false;
        }
        appendDraws(db_, lottery_, fresh);
        // The results of the draws the table holds now: those read as stored and the new ones just
        // written (not one another program removed meanwhile).
        const auto held = [&](const DrawResults& published) {
            return now.count(published.issue) > 0 || std::any_of(fresh.begin(), fresh.end(), [&](const auto& draw) {
                       return draw.issueText() == published.issue;
                   });
        };
        if (!results_.empty())
            createPrizeTables(db_, lottery_);
        int withResults = 0;
        std::vector<std::string> conflicts;
        for (const auto& [issue, published] : results_) {
            if (!held(published))
                continue;
            const ResultsMerge merge = mergeDrawResults(db_, lottery_, published);
            if (merge.added)
                ++withResults;
            if (!merge.conflict.empty())
                conflicts.push_back(merge.conflict);
        }
        tx.commit();
        written_.added += static_cast<int>(fresh.size());
        written_.withResults += withResults;
        written_.otherDates.insert(written_.otherDates.end(), otherDates_.begin(), otherDates_.end());
        written_.otherDates.insert(written_.otherDates.end(), otherDates.begin(), otherDates.end());
        otherDates_.clear();
        written_.resultConflicts.insert(written_.resultConflicts.end(), conflicts.begin(), conflicts.end());
        pending_.clear();
        results_.clear();
        return true;
    } catch (const DatabaseError& e) {
        return failWith(e.what());
    }
}

} // namespace quorlin
