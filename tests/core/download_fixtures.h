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

} // namespace quorlin::test
