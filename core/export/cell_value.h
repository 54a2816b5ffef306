#pragma once

#include <string_view>

namespace quorlin {

/// What an exported cell holds, read from its text: the one rule every writer of a table keeps.
struct CellValue {
    enum class Kind { Text, Number, Date };
    Kind kind = Kind::Text;
    double number = 0;
    /// A number keeps its written form when shown: the digits before the point when written with
    /// leading zeros ("07": 2), and the digits after it ("324632.0": 1).
    int digits = 0;
    int decimals = 0;
    /// A date: year * 10000 + month * 100 + day, and whether it was written with '/'.
    int date = 0;
    bool slashDate = false;
};

/// A number when the text is wholly one ("12", "-3", "66.2"; not "27.5%", "+3" or " 3"), with at
/// most 15 significant digits so that nothing is rounded away; a date when it reads as
/// YYYY-MM-DD or YYYY/M/D; otherwise text.
CellValue cellValue(std::string_view text);

/// The width a text takes in a spreadsheet column, a CJK (wide) character counting as two.
int displayWidth(std::string_view text);

} // namespace quorlin
