// Names that the product's programs share: the instance lock and the
// product's registry keys (below HKEY_LOCAL_MACHINE).
#pragma once

namespace keld {

inline constexpr const char* kInstanceMutexName = "KeldoranAppMutex";
inline constexpr const char* kProductKey = "Software\\Brindlecraft\\PXR2000";
inline constexpr const char* kSetupExtensionsKey = "Software\\Brindlecraft\\PXR2000\\SetupExtensions";
// One subkey per option, named after the option's key name.
inline constexpr const char* kOptionsKey = "Software\\Brindlecraft\\PXR2000\\Options";

}  // namespace keld
