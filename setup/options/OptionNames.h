// An option's display name and key name as the program reads them: through
// a buffer of `Size` bytes that is terminated whatever the extension wrote.
#pragma once
#include "setup/options/SetupExtension.h"

#include <cstddef>
#include <string>

namespace keld {

template <size_t Size = 128>
std::string OptionDisplayName(const COption& option)
{
    char buffer[Size] = {};
    option.GetName(buffer);
    buffer[Size - 1] = '\0';
    return buffer;
}

template <size_t Size = 128>
std::string OptionKeyName(const COption& option)
{
    char buffer[Size] = {};
    option.GetOptionName(buffer);
    buffer[Size - 1] = '\0';
    return buffer;
}

}  // namespace keld
