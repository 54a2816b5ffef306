#pragma once

#include <clocale>
#include <string>

namespace quorlin::test {

/// While it lives, the C library formats and reads numbers as German does ("104,3"), as the
/// program's windows run it for a German user; the locale before is restored after. Needs the
/// de_DE.UTF-8 locale (scripts/install-deps.sh generates it).
class GermanLocale {
public:
    GermanLocale() : previous_(std::setlocale(LC_ALL, nullptr))
    {
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;

    /// Whether the locale is installed and in force.
    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

} // namespace quorlin::test
