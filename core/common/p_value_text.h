#pragma once

#include <string>

namespace quorlin {

/// A p-value with three significant digits as the program prints it: "0.406", "0.0123",
/// "1.02e-08", "1"; below 1e-300 (0 included) "<1e-300". Independent of the process locale.
std::string pValueText(double p);

} // namespace quorlin
