#include "setup/ProfileDouble.h"

#include <cstdio>
#include <cstdlib>

namespace keld {

double ParseProfileDouble(const std::string& text, double defaultValue)
{
    if (text.empty())
        return defaultValue;
    return std::atof(text.c_str());
}

std::string FormatProfileDouble(double value)
{
    char text[128];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace keld
