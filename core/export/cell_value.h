#pragma once

#include <string_view>

namespace quorlin {

/// What an exported cell holds, read from its text: the one rule every writer of a table keeps.
struct CellValue {
    enum class Kind { Text, Number, Date };
    Kind kind = Kind::Text;
    double number = 0;
    /// A whole number written with leading zeros ("07") keeps this many digits when shown.
    int digits = 0;
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
