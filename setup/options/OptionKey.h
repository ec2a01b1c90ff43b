// The registry key of an option: "Software\\Brindlecraft\\PXR2000\\Options\\"
// followed by the option's key name, below HKEY_LOCAL_MACHINE.
#pragma once
#include "resources/ProductConstants.h"

#include <string>

namespace keld {

inline std::string OptionKeyPath(const char* optionName)
{
    return std::string(kOptionsKey) + "\\" + optionName;
}

}  // namespace keld
