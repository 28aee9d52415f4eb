#include "Network/NumberText.h"

#include <gtest/gtest.h>
#include <locale>

namespace
{
TEST(NumberTextTest, WritesIntegersPlainAndFloatsAsPercentGWithAThreeDigitExponent)
{
    EXPECT_EQ(NumberText::of(0), "0");
    EXPECT_EQ(NumberText::of(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(NumberText::of(4294967295u), "4294967295");
    const std::pair<float, std::string> floats[] = {{0.0f, "0"},
                                                    {0.5f, "0.5"},
                                                    {2.0f, "2"},
                                                    {-3.25f, "-3.25"},
                                                    {123456.0f, "123456"},
                                                    {123456.7f, "123457"},
                                                    {0.0001f, "0.0001"},
                                                    {1234567.0f, "1.23457e+006"},
                                                    {0.000034f, "3.4e-005"},
                                                    {999999.5f, "1e+006"},
                                                    {-2.5e10f, "-2.5e+010"},
                                                    {1e38f, "1e+038"},
                                                    {1.4e-45f, "1.4013e-045"}};
    for (const auto& [value, text] : floats)
        EXPECT_EQ(NumberText::of(value), text) << text;
}

// Groups thousands with dots and writes a decimal comma, as many locales do.
class EuropeanNumbers : public std::numpunct<char>
{
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(NumberTextTest, TheGlobalLocaleChangesNothing)
{
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new EuropeanNumbers));
    const std::string integer = NumberText::of(1234567);
    const std::string fraction = NumberText::of(12.25f);
    std::locale::global(previous);
    EXPECT_EQ(integer, "1234567");
    EXPECT_EQ(fraction, "12.25");
}
}  // namespace
