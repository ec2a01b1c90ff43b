#include "setup/pages/CardAddress.h"

namespace keld {

uint16_t SwitchPositionIndex(uint16_t address, uint16_t base)
{
    int difference = static_cast<int>(address) - static_cast<int>(base);
    return static_cast<uint16_t>(difference / kCardAddressStep);
}

uint16_t StepCardAddress(uint16_t address, int delta)
{
    long long stepped = static_cast<long long>(address) + static_cast<long long>(kCardAddressStep) * delta;
    if (stepped < kLowestCardAddress)
        stepped = kLowestCardAddress;
    if (stepped > kHighestCardAddress)
        stepped = kHighestCardAddress;
    return static_cast<uint16_t>(stepped);
}

int DipSwitchCellColumn(uint16_t positionIndex, int switchFromRight, int cellWidth)
{
    uint16_t complement = static_cast<uint16_t>(~positionIndex);
    return ((complement >> switchFromRight) & 1) ? cellWidth : 0;
}

}  // namespace keld
