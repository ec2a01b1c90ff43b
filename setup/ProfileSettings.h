// Floating settings in the current profile file.
#pragma once
#include <windows.h>

namespace keld {

// Empty text or an absent key gives defaultValue; other text reads like atof.
double GetProfileDouble(const char* section, const char* key, double defaultValue);

}  // namespace keld
