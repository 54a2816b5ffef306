#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorlin::test {

/// A draw as a results source publishes it: short issue ("26116"), date ("2026-10-12") and numbers.
struct PublishedDraw {
    std::string issue;
    std::string date;
    std::array<int, 7> numbers;
};

/// Two draws of the shipped history (Wednesday 2026-10-07, Saturday 2026-10-10) and three made-up
/// draws after it, as the results service lists them.
inline const PublishedDraw d26114{"26114", "2026-10-07", {8, 12, 15, 29, 30, 9, 12}};
inline const PublishedDraw d26115{"26115", "2026-10-10", {12, 20, 32, 33, 35, 6, 7}};
inline const PublishedDraw d26116{"26116", "2026-10-12", {1, 8, 15, 22, 29, 4, 12}};
inline const PublishedDraw d26117{"26117", "2026-10-14", {3, 11, 19, 27, 35, 2, 9}};
inline const PublishedDraw d26118{"26118", "2026-10-17", {5, 6, 7, 8, 9, 10, 11}};

/// The bytes of a file of tests/data/download; a missing file fails the test.
std::string downloadFixture(const std::string& name);

/// An answer of the results service listing `draws` as page `pageNo` of `pages`.
std::string serviceAnswer(const std::vector<PublishedDraw>& draws, int pageNo, int pages);

/// A results page (one line) with a table row per draw in the given order, numbers at their offsets.
std::string resultsTablePage(const std::vector<PublishedDraw>& draws);

/// The five newest draws of the shipped history (2026111 … 2026115) as {issue, 5 front, 2 back},
/// oldest first, stored on their real dates by storeLatestDraws().
const std::vector<std::vector<int>>& latestDraws();
/// Stores latestDraws() with their real dates (2026115 is Saturday 2026-10-10).
void storeLatestDraws(const std::string& databasePath);

/// Writes the download's address side file of the program directory `apppath`.
void writeAddressFile(const std::string& apppath, const std::string& address);

/// The shipped lottery's draw table as "issue date n1 … n7" lines in issue order.
std::vector<std::string> storedRows(const std::string& databasePath);

} // namespace quorlin::test
