// Text form of the floating settings in the profile files.
#pragma once
#include <string>

namespace keld {

// Empty text (an absent key included) gives `defaultValue`; other text is
// read like atof: the longest leading decimal number, 0 when there is none.
double ParseProfileDouble(const std::string& text, double defaultValue);

// "%g": six significant digits, exponent form below 1e-4 or from 1e6 on.
std::string FormatProfileDouble(double value);

}  // namespace keld
