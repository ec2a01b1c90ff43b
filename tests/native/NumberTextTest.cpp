// The strict number readers of the framework's data exchange.
#include "framework/NumberText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct IntegerCase {
    const char* text;
    bool valid;
    int value;
};

class IntegerText : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerText, IsReadLikeTheFrameworksIntegerExchange)
{
    int value = -999;
    EXPECT_EQ(fw::ParseIntegerText(GetParam().text, value), GetParam().valid) << GetParam().text;
    EXPECT_EQ(value, GetParam().valid ? GetParam().value : -999) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, IntegerText,
    testing::Values(IntegerCase{"12", true, 12}, IntegerCase{" -5 ", true, -5}, IntegerCase{"+8", true, 8},
                    IntegerCase{"\t3\t", true, 3}, IntegerCase{"12x", false, 0}, IntegerCase{"", false, 0},
                    IntegerCase{"   ", false, 0}, IntegerCase{"1.5", false, 0},
                    IntegerCase{"99999999999", false, 0}, IntegerCase{"2147483648", false, 0},
                    IntegerCase{"2147483647", true, 2147483647}, IntegerCase{"-2147483648", true, INT_MIN},
                    IntegerCase{"-2147483649", false, 0}, IntegerCase{"1 2", false, 0}));

struct DoubleCase {
    const char* text;
    bool valid;
    double value;
};

class DoubleText : public testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleText, IsReadLikeTheFrameworksNumberExchange)
{
    double value = -999.0;
    EXPECT_EQ(fw::ParseDoubleText(GetParam().text, value), GetParam().valid) << GetParam().text;
    EXPECT_EQ(value, GetParam().valid ? GetParam().value : -999.0) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, DoubleText,
    testing::Values(DoubleCase{"0.125", true, 0.125}, DoubleCase{" -2.5 ", true, -2.5},
                    DoubleCase{"1e3", true, 1000.0}, DoubleCase{"7", true, 7.0}, DoubleCase{"", false, 0},
                    DoubleCase{"  ", false, 0}, DoubleCase{"2.5mm", false, 0}, DoubleCase{"abc", false, 0},
                    DoubleCase{"1.5 2", false, 0}));

}  // namespace
