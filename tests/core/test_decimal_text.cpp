// Numbers with a fraction in the core's texts: a '.' and no grouping under every locale.
#include "analysis/omission_table.h"
#include "check/scheme_replay.h"
#include "common/decimal_text.h"
#include "german_locale.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace quorlin;

TEST(DecimalText, RoundsAndWritesAPointUnderAGermanLocale)
{
    test::GermanLocale german;
    if (!german.active())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/install-deps.sh)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << "the locale writes a decimal comma";

    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{104.25, 1, "104.2"}, {104.35, 1, "104.3"}, {1234567.06, 1, "1234567.1"},
                 {-0.04, 1, "-0.0"},   {92.5, 0, "92"},      {7, 2, "7.00"},
                 {0, 1, "0.0"}};
    for (const auto& c : cases)
        EXPECT_EQ(decimalText(c.value, c.decimals), c.text) << c.value;
    EXPECT_EQ(decimalText(2.25L, 1), "2.2");
    EXPECT_EQ(percentText(1.043), "104.3%");
    EXPECT_EQ(returnText(1043, 1000), "104.3%");
    EXPECT_EQ(expectedMoneyText(92240903.46), "92240903.5");

    // The omission windows' averages: 35 numbers, 5 drawn a draw, so each is expected every 7.0 draws.
    std::vector<std::int32_t> draws;
    for (int d = 0; d < 3; ++d)
        for (int k = 1; k <= 5; ++k)
            draws.push_back(k + d);
    const OmissionTable table = buildOmissionTable(draws, 35, 5, 3, OmissionRule::Current, OmissionSort::Number);
    EXPECT_EQ(table.rows.front().cells[1], "7.0");
    EXPECT_EQ(table.rows.front().cells[2], "0.4");
}
