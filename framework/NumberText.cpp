#include "framework/NumberText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace fw {

namespace {

bool OnlyBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

}  // namespace

bool ParseIntegerText(const std::string& text, int& value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX || !OnlyBlanks(end))
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseDoubleText(const std::string& text, double& value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    double parsed = std::strtod(start, &end);
    if (end == start || !OnlyBlanks(end))
        return false;
    value = parsed;
    return true;
}

}  // namespace fw
