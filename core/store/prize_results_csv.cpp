#include "store/prize_results_csv.h"

#include "common/calendar.h"
#include "common/save_target.h"
#include "common/text_encoding.h"
#include "common/text_file.h"
#include "common/yuan_amount.h"

#include <functional>
#include <string_view>
#include <unordered_map>

namespace quorlin {

namespace {

// Whole numbers of at most 18 digits fit 64 bits.
constexpr std::size_t kMaxWinnerDigits = 18;

std::vector<std::string_view> csvFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1)
        fields.push_back(line.substr(start, comma - start));
    fields.push_back(line.substr(start));
    return fields;
}

/// Reads the lines of one results file: the header, then rows given to the form's handler, which
/// returns why a row is refused or an empty text.
class ResultsCsvReader {
public:
    using RowHandler = std::function<std::string(const std::vector<std::string_view>&, std::size_t)>;

    ResultsCsvReader(std::string file, const char* header, RowHandler row)
        : file_(std::move(file)), header_(header), fieldCount_(csvFields(header).size()), row_(std::move(row))
    {
    }

    /// Takes the next line; false (with error()) when it refuses the file.
    bool addLine(std::string_view line, std::size_t number)
    {
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            return true;
        if (!seenHeader_) {
            seenHeader_ = true;
            if (line != header_)
                return fail(number, "标题行应为“" + std::string(header_) + "”，却是" + quotedExcerpt(line));
            return true;
        }
        const std::vector<std::string_view> fields = csvFields(line);
        if (fields.size() != fieldCount_)
            return fail(number, "应有 " + std::to_string(fieldCount_) + " 个以逗号分隔的字段，实有 " +
                                    std::to_string(fields.size()) + " 个：" + quotedExcerpt(line));
        if (std::string reason = row_(fields, number); !reason.empty())
            return fail(number, reason);
        return true;
    }

    /// False (with error()) when the file held no header.
    bool finish()
    {
        if (!seenHeader_) {
            error_ = "文件 " + file_ + " 是空的，应以标题行“" + header_ + "”开始";
            return false;
        }
        return true;
    }

    const std::string& error() const { return error_; }

private:
    bool fail(std::size_t number, const std::string& reason)
    {
        error_ = "文件 " + file_ + " 第 " + std::to_string(number) + " 行：" + reason;
        return false;
    }

    std::string file_;
    const char* header_;
    std::size_t fieldCount_;
    RowHandler row_;
    bool seenHeader_ = false;
    std::string error_;
};

std::string checkIssue(std::string_view field)
{
    if (field.size() != 7 || !isAllDigits(field))
        return "期号" + quotedExcerpt(field) + "不是 7 位数字";
    return {};
}

// The date as the files write it (YYYY-MM-DD); an empty field stays empty.
bool readDate(std::string_view field, std::string& date, std::string& reason)
{
    date.clear();
    if (field.empty())
        return true;
    date = canonicalDateText(field);
    if (date.empty())
        reason = "开奖日期" + quotedExcerpt(field) + "不是日期";
    return !date.empty();
}

bool readMoney(std::string_view field, const char* what, std::optional<std::int64_t>& value, std::string& reason)
{
    value.reset();
    if (field.empty())
        return true;
    value = parseYuan(field);
    if (!value)
        reason = std::string(what) + quotedExcerpt(field) + "不是以元为单位的金额";
    return value.has_value();
}

std::string lineText(std::size_t line)
{
    return "第 " + std::to_string(line) + " 行";
}

/// The prize-lines form: rows of one draw together, one date per draw, each level once.
class PrizesForm {
public:
    std::string row(const std::vector<std::string_view>& f, std::size_t number)
    {
        if (std::string reason = checkIssue(f[0]); !reason.empty())
            return reason;
        std::string date;
        std::string reason;
        if (!readDate(f[1], date, reason))
            return reason;
        PublishedPrize prize;
        prize.level = std::string(f[2]);
        if (prize.level.empty())
            return "奖级为空";
        if (f[3].size() > kMaxWinnerDigits || !isAllDigits(f[3]))
            return "中奖注数" + quotedExcerpt(f[3]) + "不是非负整数";
        prize.winners = std::stoll(std::string(f[3]));
        if (!readMoney(f[4], "单注奖金", prize.amount, reason))
            return reason;

        const std::string issue(f[0]);
        if (draws.empty() || draws.back().results.issue != issue) {
            if (auto [seen, isNew] = firstLines_.try_emplace(issue, number); !isNew)
                return "期号 " + issue + " 的各行不相连：" + lineText(seen->second) + "已有这一期";
            draws.push_back(CsvDrawResults{DrawResults{issue, date, {}, {}, {}}, number});
            levelLines_.clear();
        }
        CsvDrawResults& draw = draws.back();
        if (date != draw.results.date)
            return "期号 " + issue + " 的开奖日期" + quotedExcerpt(date) + "与" + lineText(draw.line) + "的" +
                   quotedExcerpt(draw.results.date) + "不同";
        if (auto [seen, isNew] = levelLines_.try_emplace(prize.level, number); !isNew)
            return "期号 " + issue + " 的奖级" + quotedExcerpt(prize.level) + "在" + lineText(seen->second) +
                   "已经出现";
        draw.results.prizes.push_back(std::move(prize));
        return {};
    }

    std::vector<CsvDrawResults> draws;

private:
    std::unordered_map<std::string, std::size_t> firstLines_;
    std::unordered_map<std::string, std::size_t> levelLines_;
};

/// The sales-and-pool form: one row per draw.
class PoolSalesForm {
public:
    std::string row(const std::vector<std::string_view>& f, std::size_t number)
    {
        if (std::string reason = checkIssue(f[0]); !reason.empty())
            return reason;
        CsvDrawResults draw;
        draw.line = number;
        draw.results.issue = std::string(f[0]);
        std::string reason;
        if (!readDate(f[1], draw.results.date, reason) || !readMoney(f[2], "销售额", draw.results.sales, reason) ||
            !readMoney(f[3], "奖池", draw.results.pool, reason))
            return reason;
        if (auto [seen, isNew] = lines_.try_emplace(draw.results.issue, number); !isNew)
            return "期号 " + draw.results.issue + " 在" + lineText(seen->second) + "已经出现";
        draws.push_back(std::move(draw));
        return {};
    }

    std::vector<CsvDrawResults> draws;

private:
    std::unordered_map<std::string, std::size_t> lines_;
};

template <class Form>
std::optional<std::vector<CsvDrawResults>> readLines(const std::vector<std::string>& lines, const std::string& file,
                                                     const char* header, std::string& error)
{
    Form form;
    ResultsCsvReader reader(file, header, [&form](const auto& fields, std::size_t n) { return form.row(fields, n); });
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!reader.addLine(lines[i], i + 1)) {
            error = reader.error();
            return std::nullopt;
        }
    }
    if (!reader.finish()) {
        error = reader.error();
        return std::nullopt;
    }
    return std::move(form.draws);
}

template <class Form>
std::optional<std::vector<CsvDrawResults>> readFile(const std::string& path, const char* header, std::string& error)
{
    const std::optional<std::vector<std::string>> lines = readTextLines(path, error);
    if (!lines)
        return std::nullopt;
    return readLines<Form>(*lines, path, header, error);
}

std::string optionalYuan(const std::optional<std::int64_t>& fen)
{
    return fen ? yuanText(*fen) : std::string();
}

} // namespace

std::optional<std::vector<CsvDrawResults>> readPrizesCsv(const std::string& path, std::string& error)
{
    return readFile<PrizesForm>(path, kPrizesCsvHeader, error);
}

std::optional<std::vector<CsvDrawResults>> readPoolSalesCsv(const std::string& path, std::string& error)
{
    return readFile<PoolSalesForm>(path, kPoolSalesCsvHeader, error);
}

std::optional<std::vector<CsvDrawResults>> readPrizesCsvLines(const std::vector<std::string>& lines,
                                                              const std::string& file, std::string& error)
{
    return readLines<PrizesForm>(lines, file, kPrizesCsvHeader, error);
}

std::optional<std::vector<CsvDrawResults>> readPoolSalesCsvLines(const std::vector<std::string>& lines,
                                                                 const std::string& file, std::string& error)
{
    return readLines<PoolSalesForm>(lines, file, kPoolSalesCsvHeader, error);
}

std::optional<std::string> prizesCsvText(const PrizeResults& results, std::string& error)
{
    std::string text = std::string(kPrizesCsvHeader) + '\n';
    for (const auto& [number, draw] : results.draws) {
        for (const PublishedPrize& prize : draw.prizes) {
            if (prize.level.find_first_of(",\"\r\n") != std::string::npos) {
                error = "期号 " + draw.issue + " 的奖级" + quotedExcerpt(prize.level) +
                        "含有逗号、引号或换行，无法写成 CSV";
                return std::nullopt;
            }
            text += draw.issue + ',' + draw.date + ',' + prize.level + ',' + std::to_string(prize.winners) + ',' +
                    optionalYuan(prize.amount) + '\n';
        }
    }
    return text;
}

std::string poolSalesCsvText(const PrizeResults& results)
{
    std::string text = std::string(kPoolSalesCsvHeader) + '\n';
    for (const auto& [number, draw] : results.draws)
        text += draw.issue + ',' + draw.date + ',' + optionalYuan(draw.sales) + ',' + optionalYuan(draw.pool) + '\n';
    return text;
}

bool writePrizesCsv(const std::string& path, const PrizeResults& results, std::string& error)
{
    const std::optional<std::string> text = prizesCsvText(results, error);
    return text && saveFileBytes(path, *text, error);
}

bool writePoolSalesCsv(const std::string& path, const PrizeResults& results, std::string& error)
{
    return saveFileBytes(path, poolSalesCsvText(results), error);
}

std::optional<PrizeResults> combineCsvResults(const std::vector<CsvDrawResults>& prizes,
                                              const std::vector<CsvDrawResults>& poolSales,
                                              const std::string& poolSalesFile, std::string& error)
{
    PrizeResults combined;
    for (const CsvDrawResults& draw : prizes)
        combined.draws[std::stoi(draw.results.issue)] = draw.results;
    for (const CsvDrawResults& row : poolSales) {
        auto [it, isNew] = combined.draws.try_emplace(std::stoi(row.results.issue), row.results);
        if (isNew)
            continue;
        DrawResults& draw = it->second;
        if (!draw.date.empty() && !row.results.date.empty() && draw.date != row.results.date) {
            error = "文件 " + poolSalesFile + " 第 " + std::to_string(row.line) + " 行：期号 " + draw.issue +
                    " 的开奖日期" + quotedExcerpt(row.results.date) + "与奖级结果中的" + quotedExcerpt(draw.date) +
                    "不同";
            return std::nullopt;
        }
        if (draw.date.empty())
            draw.date = row.results.date;
        draw.sales = row.results.sales;
        draw.pool = row.results.pool;
    }
    return combined;
}

} // namespace quorlin
