#include "setup/pages/CardAddress.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace keld {
namespace {

// The switch row as a person reads it, left (switch 1) to right.
std::string SwitchRow(uint16_t positionIndex)
{
    std::string row;
    for (int i = kCardSwitchCount - 1; i >= 0; --i) {
        row += DipSwitchCellColumn(positionIndex, i, 14) == 14 ? "ON" : "OFF";
        if (i)
            row += ' ';
    }
    return row;
}

struct AddressCase {
    int address;
    uint16_t index;
    const char* switches;
};

class CardAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(CardAddress, SelectsTheSwitchPattern)
{
    uint16_t index = SwitchPositionIndex(static_cast<uint16_t>(GetParam().address));
    EXPECT_EQ(index, GetParam().index);
    EXPECT_EQ(SwitchRow(index), GetParam().switches);
}

INSTANTIATE_TEST_SUITE_P(Addresses, CardAddress,
    testing::Values(AddressCase{768, 0, "ON ON ON ON"}, AddressCase{772, 1, "ON ON ON OFF"},
                    AddressCase{800, 8, "OFF ON ON ON"}, AddressCase{812, 11, "OFF ON OFF OFF"},
                    AddressCase{828, 15, "OFF OFF OFF OFF"},
                    // Below the range: -32 taken to 16 bits; its low bits are all clear.
                    AddressCase{640, 0xFFE0, "ON ON ON ON"},
                    // Not a multiple of 4: the division truncates.
                    AddressCase{803, 8, "OFF ON ON ON"}));

struct StepCase {
    int address;
    int delta;
    int expected;
};

class CardAddressStep : public testing::TestWithParam<StepCase> {};

TEST_P(CardAddressStep, MovesByFourAndStaysInRange)
{
    EXPECT_EQ(StepCardAddress(static_cast<uint16_t>(GetParam().address), GetParam().delta), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Steps, CardAddressStep,
    testing::Values(StepCase{768, -1, 768}, StepCase{828, 1, 828}, StepCase{824, 3, 828}, StepCase{800, 1, 804},
                    StepCase{800, -2, 792}, StepCase{640, 1, 768}, StepCase{640, -1, 768},
                    StepCase{65535, -1, 828}, StepCase{800, INT_MAX, 828}, StepCase{800, INT_MIN, 768}));

}  // namespace
}  // namespace keld
