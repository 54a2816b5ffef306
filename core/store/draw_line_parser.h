#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorlin {

/// One draw read from an import file, kept small because a file may hold thousands of them.
struct ImportedDraw {
    std::int32_t issue = 0;                ///< seven digits, e.g. 2007001
    std::int32_t date = 0;                 ///< year * 10000 + month * 100 + day; 0 when the line had none
    std::array<std::uint8_t, 7> numbers{}; ///< 5 front, then 2 back, in the file's order

    /// The issue as the draw table stores it ("2007001").
    std::string issueText() const;
    /// The date as the draw table stores it ("2007-05-30").
    std::string dateText() const;
    /// The numbers as the user reads them: "22 24 29 31 35 + 04 11".
    std::string numbersText() const;
    /// Date and draw as the user reads them: "2007-05-30 22 24 29 31 35 + 04 11" (no date when 0).
    std::string text() const;
};

/// Reads the lines of a draw file one at a time. One draw per line: issue (5 or 7 digits, a
/// 5-digit issue gets "20" in front), date (YYYY-MM-DD) and the 5 front and 2 back numbers,
/// separated by commas, blanks or tabs. A line of the history export's form, the issue and the 7
/// numbers without a date, is a draw with date 0. The first non-empty line is a header when none
/// of its fields is a number; any other line that is not a valid draw (parseDrawFields) is refused
/// with the reason.
class DrawLineParser {
public:
    enum class Kind { Blank, Header, Draw, Refused };

    /// `today` (year * 10000 + month * 100 + day) bounds the dates a draw may have.
    explicit DrawLineParser(std::int32_t today) : today_(today) {}

    /// Parses the next line of the file: fills `draw` for Kind::Draw, `reason` for Kind::Refused.
    Kind parse(std::string_view line, ImportedDraw& draw, std::string& reason);

private:
    std::int32_t today_;
    bool seenLine_ = false;
};

/// The fields of one draw as typed, before they are checked.
struct DrawFields {
    std::string_view issue;
    std::string_view date;
    std::array<std::string_view, 7> numbers; ///< 5 front, then 2 back
};

/// The issue forms a field may hold: files may use the short form (07001 for 2007001), the
/// draw-entry grid takes the stored form only.
enum class IssueForm { ShortOrFull, Full };

/// Checks the fields of one draw — issue, a real date YYYY-MM-DD that fits the issue and `today`
/// (checkIssueAndDate), the numbers (parseDrawNumbers) — and reads them into `draw`. Returns why
/// they are not a valid draw, naming the field, or an empty text.
std::string parseDrawFields(const DrawFields& fields, IssueForm form, std::int32_t today, ImportedDraw& draw);

/// Checks what the issue and the date of a draw say together: the issue's first four digits are
/// the date's year, its last three (the draw of that year) are 001 or more, and the date lies
/// between the game's first day (2007-05-28) and a year after `today`. Returns why not, or an empty text.
std::string checkIssueAndDate(const ImportedDraw& draw, std::int32_t today);

/// Checks the issue of a draw given without a date: the last three digits (the draw of the year)
/// are 001 or more and its first four are a year of the game, from 2007 to a year after `today`.
/// Returns why not, or an empty text.
std::string checkUndatedIssue(const ImportedDraw& draw, std::int32_t today);

/// checkIssueAndDate for a draw a results source lists as held: its date is not after `today`
/// either. Returns why not, or an empty text.
std::string checkHeldDraw(const ImportedDraw& draw, std::int32_t today);

/// Reads an issue of 7 digits, or of 5 digits with "20" put in front ("07001" is 2007001).
bool parseDrawIssue(std::string_view text, std::int32_t& issue);

/// Reads a date written YYYY-MM-DD or YYYY/MM/DD (one-digit month and day too) as
/// year * 10000 + month * 100 + day; false when it is not a real date in that form.
bool parseDrawDate(std::string_view text, std::int32_t& date);

/// Reads the 7 numbers of a draw (5 front of 01-35, 2 back of 01-12, each zone without repeats and
/// in ascending order as the draw table keeps them, leading zeros allowed) into `draw.numbers`;
/// returns the reason when one is not valid, else "".
std::string parseDrawNumbers(std::span<const std::string_view> fields, ImportedDraw& draw);

} // namespace quorlin
