#include "setup/options/ExtensionRegistration.h"

#include <cstring>

namespace keld {

std::optional<std::string> RegistrationText(const char* data, size_t size, size_t capacity)
{
    if (size > capacity)
        return std::nullopt;
    const void* nul = std::memchr(data, '\0', size);
    if (!nul && size == capacity)
        return std::nullopt;
    size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - data) : size;
    return std::string(data, length);
}

std::optional<ExtensionRegistration> SplitExtensionRegistration(const std::string& text)
{
    size_t comma = text.find(',');
    if (text.empty() || comma == std::string::npos || comma == 0)
        return std::nullopt;
    return ExtensionRegistration{text.substr(0, comma), text.substr(comma + 1)};
}

bool IsPlainModuleName(const std::string& module)
{
    return module.find_first_of("\\/:") == std::string::npos && module.find("..") == std::string::npos;
}

std::string ExtensionModulePath(const std::string& appDirectory, const std::string& module)
{
    return appDirectory + module + ".DLL";
}

}  // namespace keld
