// Port address of the interface card and its DIP switch S1.
#pragma once
#include <cstdint>

namespace keld {

inline constexpr int kLowestCardAddress = 768;   // 0x300, all switches ON
inline constexpr int kHighestCardAddress = 828;  // 0x33C, all switches OFF
inline constexpr int kCardAddressStep = 4;
inline constexpr int kDefaultCardAddress = 800;  // 0x320
inline constexpr int kCardSwitchCount = 4;

// (address - base) / 4, truncating toward zero, taken to 16 bits. An address
// below the range gives a large index whose low bits still drive the picture.
uint16_t SwitchPositionIndex(uint16_t address, uint16_t base = kLowestCardAddress);

// One spin step of `delta` positions, kept within the card's range.
uint16_t StepCardAddress(uint16_t address, int delta);

// Source column of switch i (0 = rightmost) in the two-cell bitmap: the ON
// cell (cellWidth) when the index bit is clear, the OFF cell (0) when set.
int DipSwitchCellColumn(uint16_t positionIndex, int switchFromRight, int cellWidth);

}  // namespace keld
