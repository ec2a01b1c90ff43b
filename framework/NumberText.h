// Strict number readers of the data exchange: blanks around the number are
// allowed, anything else is not. Portable: no window needed.
#pragma once
#include <string>

namespace fw {

bool ParseIntegerText(const std::string& text, int& value);
bool ParseDoubleText(const std::string& text, double& value);

}  // namespace fw
