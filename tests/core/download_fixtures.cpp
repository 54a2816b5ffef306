#include "download_fixtures.h"

#include "data/download_address.h"
#include "store/database.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorlin::test {

namespace {

std::string numbersText(const std::array<int, 7>& numbers)
{
    std::string text;
    for (int n : numbers) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d", n);
        if (!text.empty())
            text += ' ';
        text += buf;
    }
    return text;
}

} // namespace

std::string downloadFixture(const std::string& name)
{
    const std::string path = std::string(test::downloadFixturesDir()) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ADD_FAILURE() << "missing fixture " << path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string serviceAnswer(const std::vector<PublishedDraw>& draws, int pageNo, int pages)
{
    std::string list;
    for (const PublishedDraw& draw : draws) {
        list += std::string(list.empty() ? "" : ", ") + R"({"lotteryGameName": "超级大乐透", "lotteryDrawNum": ")" +
                draw.issue + R"(", "lotteryDrawResult": ")" + numbersText(draw.numbers) + R"(", "lotteryDrawTime": ")" +
                draw.date + R"(", "lotteryUnsortDrawresult": {}, "matchList": []})";
    }
    return R"({"dataFrom": "", "emptyFlag": false, "errorCode": "0", "errorMessage": "处理成功", "success": true, )"
           R"("value": {"list": [)" +
           list + "], \"pageNo\": " + std::to_string(pageNo) + ", \"pageSize\": " + std::to_string(draws.size()) +
           ", \"pages\": " + std::to_string(pages) + ", \"total\": 0}}";
}

std::string resultsTablePage(const std::vector<PublishedDraw>& draws)
{
    std::string page = "<html><body><table>";
    for (const PublishedDraw& draw : draws) {
        // 59 characters from the issue's first character to the first number.
        std::string row = draw.issue + "</td><td>" + draw.date + "</td><td class=\"ball\">";
        row.resize(59, ' ');
        page += "<tr><td>" + row + numbersText(draw.numbers) + "</td></tr>";
    }
    return page + "</table></body></html>\r\n";
}

const std::vector<std::vector<int>>& latestDraws()
{
    static const std::vector<std::vector<int>> draws{
        {2026111, 10, 11, 17, 26, 29, 1, 3}, {2026112, 1, 3, 5, 10, 22, 3, 9},    {2026113, 2, 4, 6, 10, 11, 1, 10},
        {2026114, 8, 12, 15, 29, 30, 9, 12}, {2026115, 12, 20, 32, 33, 35, 6, 7},
    };
    return draws;
}

void storeLatestDraws(const std::string& databasePath)
{
    static const char* const dates[] = {"2026-09-28", "2026-09-30", "2026-10-05", "2026-10-07", "2026-10-10"};
    for (std::size_t i = 0; i < latestDraws().size(); ++i)
        insertDraws(databasePath, kShippedLottery, {latestDraws()[i]}, dates[i]);
}

void writeAddressFile(const std::string& apppath, const std::string& address)
{
    const std::filesystem::path path = std::filesystem::u8path(apppath + kAddressFileRelativePath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "# 开奖号码的下载地址\n" << address << "\n";
}

std::vector<std::string> storedRows(const std::string& databasePath)
{
    Database db;
    db.open(databasePath);
    Statement st(db, "select 记录期号,开奖日期,[1],[2],[3],[4],[5],[6],[7] from " +
                         quoteIdentifier(drawTableName(kShippedLottery)) + " order by 记录期号");
    std::vector<std::string> rows;
    while (st.step()) {
        std::string row = st.text(0) + " " + st.text(1);
        for (int k = 2; k <= 8; ++k) {
            row += ' ';
            row += std::to_string(st.integer(k));
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace quorlin::test
