#pragma once

#include <string>

namespace quorlin {

/// The lottery administration's results service for 超级大乐透 (game 85): JSON, 30 draws a page,
/// newest first.
inline constexpr const char* kDefaultResultsAddress =
    "https://webapi.sporttery.cn/gateway/lottery/getHistoryPageListV1.qry"
    "?gameNo=85&provinceId=0&pageSize=30&isVerify=1&pageNo=1";

/// The side file that names another results address, below the program directory.
inline constexpr const char* kAddressFileRelativePath = "附属/下载地址.txt";

/// Where the download reads its pages: the address and where it came from, or why there is none.
struct DownloadAddress {
    bool ok = false;
    std::string address;
    bool fromFile = false; ///< read from the side file, not the built-in default
    std::string error;
};

/// The address in the side file of the program directory `apppath` (its first line that is neither
/// blank nor a comment starting with "#"), or the default address when the file is missing or names
/// none. A file that cannot be read, or whose address is not an http or https address, is an error.
DownloadAddress readDownloadAddress(const std::string& apppath);

/// Why `address` cannot be fetched (not http or https, no host, blanks inside), or "".
std::string addressProblem(const std::string& address);

/// The address of page `page` (from 1): the `pageNo` query item set to it, or added when the address
/// has none and `page` is above 1 (so an address of a single results page is fetched as written).
std::string pageAddress(const std::string& address, int page);

} // namespace quorlin
