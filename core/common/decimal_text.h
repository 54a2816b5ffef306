#pragma once

#include <string>

namespace quorlin {

// Numbers with a fraction as every text of the program writes them: a '.' before the decimals
// and no grouping, whatever locale the process runs under (the program's windows set the user's).

/// `value` rounded to `decimals` places ("104.3"; "92" with none).
std::string decimalText(double value, int decimals);
std::string decimalText(long double value, int decimals);
/// `ratio` in percent with one decimal ("104.3%" for 1.043).
std::string percentText(double ratio);

} // namespace quorlin
