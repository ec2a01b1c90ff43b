#include "setup/ProfileDouble.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace keld {
namespace {

struct ParseCase {
    const char* text;
    double defaultValue;
    double expected;
};

class ProfileDoubleRead : public testing::TestWithParam<ParseCase> {};

TEST_P(ProfileDoubleRead, FollowsTheAtofRuleWithDefaultForEmptyText)
{
    EXPECT_EQ(ParseProfileDouble(GetParam().text, GetParam().defaultValue), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ProfileDoubleRead,
    testing::Values(ParseCase{"", -1, -1}, ParseCase{"", 0.002, 0.002}, ParseCase{"abc", 10, 0},
                    ParseCase{"2.5mm", 1, 2.5}, ParseCase{"  7", 1, 7}, ParseCase{"1.23457e+06", 0, 1234570},
                    ParseCase{"1e-05", 0, 0.00001}, ParseCase{"-1", 0, -1}, ParseCase{" ", 3, 0}));

struct FormatCase {
    double value;
    const char* mantissa;  // what comes before the exponent, or the whole text
    int exponent;          // 0: plain form expected
};

class ProfileDoubleWrite : public testing::TestWithParam<FormatCase> {};

TEST_P(ProfileDoubleWrite, UsesSixDigitsAndReadsBackToTheWrittenValue)
{
    std::string text = FormatProfileDouble(GetParam().value);
    size_t e = text.find('e');
    if (GetParam().exponent == 0) {
        EXPECT_EQ(e, std::string::npos) << text;
        EXPECT_EQ(text, GetParam().mantissa);
    } else {
        ASSERT_NE(e, std::string::npos) << text;
        EXPECT_EQ(text.substr(0, e), GetParam().mantissa);
        EXPECT_EQ(std::atoi(text.c_str() + e + 1), GetParam().exponent);
    }
    // Reading the text and writing it again gives the same text.
    EXPECT_EQ(FormatProfileDouble(ParseProfileDouble(text, 99)), text);
}

INSTANTIATE_TEST_SUITE_P(Values, ProfileDoubleWrite,
    testing::Values(FormatCase{1234567.5, "1.23457", 6}, FormatCase{0.00001, "1", -5},
                    FormatCase{0.0025, "0.0025", 0}, FormatCase{-1, "-1", 0}, FormatCase{10, "10", 0},
                    FormatCase{0.002, "0.002", 0}, FormatCase{1.9999999999999998, "2", 0},
                    FormatCase{999999, "999999", 0}, FormatCase{0.0001, "0.0001", 0}));

}  // namespace
}  // namespace keld
