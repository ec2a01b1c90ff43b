#include "setup/valueentry/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace keld {
namespace {

constexpr unsigned short kLength = VF_EXPRESSION | VF_LENGTH;
constexpr unsigned short kPlain = VF_EXPRESSION;
constexpr double kMax = 1000000.0;
constexpr double kMin = -1000000.0;

struct ShowCase {
    double stored;
    unsigned short kind;
    const char* inchText;
    const char* metricText;
};

class ShowField : public testing::TestWithParam<ShowCase> {};

TEST_P(ShowField, ShowsSixInchPlacesAndFiveMetricPlacesWithoutTrailingZeros)
{
    EXPECT_EQ(FormatFieldValue(GetParam().stored, GetParam().kind, true, 6), GetParam().inchText);
    EXPECT_EQ(FormatFieldValue(GetParam().stored, GetParam().kind, false, 6), GetParam().metricText);
}

INSTANTIATE_TEST_SUITE_P(StoredValues, ShowField,
    testing::Values(ShowCase{1.0, kLength, "1", "25.4"}, ShowCase{0.002, kLength, "0.002", "0.0508"},
                    ShowCase{10.0, kLength, "10", "254"}, ShowCase{-1.0, kLength, "-1", "-25.4"},
                    ShowCase{1.23456789, kLength, "1.234568", "31.35802"}, ShowCase{-1.0, kPlain, "-1", "-1"},
                    ShowCase{1000000.0, kLength, "1000000", "25400000"},
                    ShowCase{44.999999999999986, kPlain, "45", "45"},
                    ShowCase{0.0000001, kLength, "0", "0"}));

TEST(ShowField, WithoutDecimalPointKeepsEveryDigit)
{
    EXPECT_EQ(FormatFieldValue(100.0, kPlain, true, 0), "100");
    EXPECT_EQ(FormatFieldValue(100.0, kLength, false, 0), "2540");
    EXPECT_EQ(FormatFieldValue(1.0, kLength, false, 1), "25");
}

TEST(ShowField, PlacesOutsideTheFormatsRangeAreBounded)
{
    EXPECT_EQ(FormatFieldValue(0.123456789012, kPlain, true, 15), "0.123456789");
    EXPECT_EQ(FormatFieldValue(2.75, kPlain, true, -3), "3");
}

struct ReadCase {
    const char* name;
    const char* text;
    unsigned short kind;
    bool inch;
    double stored;
    int code;
    double value;
};

class ReadField : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadField, TurnsTextIntoALimitedStoredValue)
{
    const ReadCase& c = GetParam();
    FieldReading reading = ReadFieldText(c.text, c.kind, c.inch, c.stored, kMin, kMax);
    EXPECT_EQ(reading.errorCode, c.code);
    if (c.code == 0) {
        EXPECT_EQ(reading.value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadField,
    testing::Values(
        // 25.4 mm times the stored factor 0.03937007874015748 is one unit
        // below 1 in the last place.
        ReadCase{"MetricLengthIsConvertedWithTheStoredFactor", "25.4", kLength, false, 0, 0, 0.9999999999999999},
        ReadCase{"ExpressionInInch", "1/8", kLength, true, 0, 0, 0.125},
        ReadCase{"ExpressionInPlainField", "1/8", kPlain, false, 0, 0, 0.125},
        ReadCase{"AboveTheLimit", "2000000", kLength, true, 0, 0, 1000000.0},
        ReadCase{"BelowTheLimit", "-5E7", kPlain, true, 0, 0, -1000000.0},
        ReadCase{"MetricLimitAppliesToInches", "30000000", kLength, false, 0, 0, 1000000.0},
        ReadCase{"EmptyKeepsStoredUnconverted", "", kLength, false, 2.5, 0, 2.5},
        ReadCase{"EmptyStillLimitsStored", "", kPlain, true, 5e6, 0, 1000000.0},
        ReadCase{"InvalidCharacter", "abc", kLength, true, 3, 2, 0},
        ReadCase{"DivideByZero", "1/0", kPlain, true, 3, 3, 0},
        ReadCase{"NotANumberBecomesMaximum", "SQRT(-1)", kPlain, true, 0, 0, 1000000.0},
        ReadCase{"PlainTextReadsItsLeadingNumber", "2.5mm", 0, true, 7, 0, 2.5},
        ReadCase{"PlainTextWithoutNumberReadsZero", "abc", 0, true, 7, 0, 0.0},
        ReadCase{"PlainTextSkipsLeadingBlanks", "  -3.5e2x", 0, true, 7, 0, -350.0},
        ReadCase{"PlainMetricLengthIsConverted", "254", VF_LENGTH, false, 0, 0, 10.0}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(ReadField, TypedMetricValueShowsAgainAsTyped)
{
    FieldReading reading = ReadFieldText("25.4", kLength, false, 0, kMin, kMax);
    EXPECT_EQ(reading.value, 0.9999999999999999);
    EXPECT_EQ(FormatFieldValue(reading.value, kLength, false, 6), "25.4");
    EXPECT_EQ(FormatFieldValue(reading.value, kLength, true, 6), "1");
}

TEST(ReadField, InfinityIsLimitedLikeAnyLargeValue)
{
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ReadFieldText("", kPlain, true, inf, kMin, kMax).value, kMax);
    EXPECT_EQ(ReadFieldText("", kPlain, true, -inf, kMin, kMax).value, kMin);
}

// Typed text, what the file gets, and what the next start shows from it.
struct StoreCase {
    const char* name;
    const char* typed;
    bool inchUnits;
    const char* stored;
};

class StoredText : public testing::TestWithParam<StoreCase> {};

TEST_P(StoredText, ShowsAgainWhatTheFieldShowed)
{
    const StoreCase& c = GetParam();
    double value = ReadFieldText(c.typed, kLength, c.inchUnits, 0, kMin, kMax).value;
    std::string shown = FormatFieldValue(value, kLength, c.inchUnits, 6);
    std::string stored = StoredValueText(value, kLength, c.inchUnits, 6);
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(FormatFieldValue(std::atof(stored.c_str()), kLength, c.inchUnits, 6), shown);
}

INSTANTIATE_TEST_SUITE_P(Entries, StoredText,
    testing::Values(StoreCase{"Metric30", "30", false, "1.1811024"},
                    StoreCase{"Metric50_8KeepsPercentG", "50.8", false, "2"},
                    StoreCase{"Metric1000", "1000", false, "39.3700787"},
                    StoreCase{"Metric2500", "2500", false, "98.425197"},
                    StoreCase{"MetricHalfInch", "12.7", false, "0.5"},
                    StoreCase{"MetricSmall", "0.3", false, "0.011811"},
                    StoreCase{"InchPlain", "1.5", true, "1.5"},
                    StoreCase{"InchRoundedToItsPlaces", "0.1234567", true, "0.123457"},
                    StoreCase{"InchLimit", "5e6", true, "1e+06"},
                    StoreCase{"MetricNegative", "-30", false, "-1.1811024"}),
    [](const testing::TestParamInfo<StoreCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace keld
