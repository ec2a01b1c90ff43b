// The registration of an extension module under "SetupExtensions": text of
// the form module name, comma, entry-point name. Portable: no window needed.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace keld {

// The registry buffers the values are read with.
inline constexpr size_t kRegistrationNameCapacity = 64;
inline constexpr size_t kRegistrationDataCapacity = 64;

// The text of a value's data as read: `size` bytes of a buffer of
// `capacity`. None when the text fills the whole buffer without its NUL
// (over-long: the enumeration stops).
std::optional<std::string> RegistrationText(const char* data, size_t size, size_t capacity);

struct ExtensionRegistration {
    std::string module;      // the file name without ".DLL"
    std::string entryPoint;  // the factory's export name, blanks kept
};

// None where the enumeration stops: empty text, no comma, or a comma first.
std::optional<ExtensionRegistration> SplitExtensionRegistration(const std::string& text);

// Whether the module name stays inside the program folder: no path
// separator, no drive, no "..". Other names are not loaded.
bool IsPlainModuleName(const std::string& module);

// Program folder (with its backslash) + module name + ".DLL", whatever the
// name already ends with.
std::string ExtensionModulePath(const std::string& appDirectory, const std::string& module);

}  // namespace keld
