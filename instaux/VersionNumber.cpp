#include "instaux/VersionNumber.h"

#include <climits>
#include <cstdint>

namespace instaux {

namespace {

bool IsScanfSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// One "%d" at `pos`; advances `pos` past it.
std::optional<int64_t> ReadNumber(std::string_view text, size_t& pos)
{
    while (pos < text.size() && IsScanfSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos >= text.size() || !IsDigit(text[pos]))
        return std::nullopt;
    int64_t value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        if (value > int64_t{INT_MAX} + 1)
            return std::nullopt;
        ++pos;
    }
    value = negative ? -value : value;
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<int> VersionNumberFromFileVersion(std::string_view text)
{
    constexpr int64_t kPlaceValues[] = {1000, 100, 10, 1};
    size_t pos = 0;
    int64_t number = 0;
    for (size_t place = 0; place < 4; ++place) {
        if (place > 0) {
            if (pos >= text.size() || text[pos] != ',')
                return std::nullopt;
            ++pos;
        }
        std::optional<int64_t> part = ReadNumber(text, pos);
        if (!part)
            return std::nullopt;
        number += *part * kPlaceValues[place];
    }
    if (number > INT_MAX || number < INT_MIN)
        return std::nullopt;
    return static_cast<int>(number);
}

VersionBand BandOfVersion(int versionNumber)
{
    if (versionNumber < 1035)
        return VersionBand::TooOld;
    if (versionNumber < 1050)
        return VersionBand::Old;
    if (versionNumber < 1060)
        return VersionBand::Existing;
    return VersionBand::Newer;
}

}  // namespace instaux
