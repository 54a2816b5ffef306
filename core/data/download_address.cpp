#include "data/download_address.h"

#include "common/text_encoding.h"
#include "common/text_reader.h"

#include <algorithm>
#include <filesystem>

namespace quorlin {

namespace {

std::string trimmed(const std::string& line)
{
    const std::size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    return line.substr(begin, line.find_last_not_of(" \t") - begin + 1);
}

bool startsWithNoCase(const std::string& text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
           });
}

} // namespace

std::string addressProblem(const std::string& address)
{
    std::size_t hostStart = 0;
    if (startsWithNoCase(address, "http://"))
        hostStart = 7;
    else if (startsWithNoCase(address, "https://"))
        hostStart = 8;
    else
        return "下载地址" + quotedExcerpt(address) + "不是 http:// 或 https:// 开头的网址";
    if (address.find_first_of(" \t") != std::string::npos)
        return "下载地址" + quotedExcerpt(address) + "中有空格";
    if (hostStart == address.size() || address[hostStart] == '/' || address[hostStart] == '?' ||
        address[hostStart] == ':')
        return "下载地址" + quotedExcerpt(address) + "中缺少服务器名";
    return {};
}

DownloadAddress readDownloadAddress(const std::string& apppath)
{
    const std::string path = apppath + kAddressFileRelativePath;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(path), ec))
        return DownloadAddress{true, kDefaultResultsAddress, false, {}};
    TextReader reader;
    if (!reader.open(path))
        return DownloadAddress{false, {}, true, reader.error()};
    std::string line;
    while (reader.next(line)) {
        std::string address = trimmed(line);
        if (address.empty() || address.front() == '#')
            continue;
        if (std::string problem = addressProblem(address); !problem.empty())
            return DownloadAddress{
                false, {}, true, path + " 第 " + std::to_string(reader.lineNumber()) + " 行：" + problem};
        return DownloadAddress{true, std::move(address), true, {}};
    }
    if (reader.failed())
        return DownloadAddress{false, {}, true, reader.error()};
    return DownloadAddress{true, kDefaultResultsAddress, false, {}};
}

std::string pageAddress(const std::string& address, int page)
{
    const std::size_t fragment = std::min(address.find('#'), address.size());
    const std::string base = address.substr(0, fragment);
    const std::string tail = address.substr(fragment);
    const std::string value = std::to_string(page);
    const std::size_t query = base.find('?');
    if (query != std::string::npos) {
        // Replace the value of every pageNo item of the query.
        std::string result = base.substr(0, query + 1);
        bool found = false;
        std::size_t start = query + 1;
        while (start <= base.size()) {
            const std::size_t end = std::min(base.find('&', start), base.size());
            const std::string item = base.substr(start, end - start);
            if (item == "pageNo" || item.starts_with("pageNo=")) {
                result += "pageNo=" + value;
                found = true;
            } else {
                result += item;
            }
            if (end < base.size())
                result += '&';
            start = end + 1;
        }
        if (found)
            return result + tail;
    }
    if (page <= 1)
        return address;
    const char joint = query == std::string::npos ? '?' : (base.back() == '?' || base.back() == '&' ? '\0' : '&');
    return base + (joint ? std::string(1, joint) : std::string()) + "pageNo=" + value + tail;
}

} // namespace quorlin
