// Names that the product's programs share: the instance lock, the
// product's registry keys (below HKEY_LOCAL_MACHINE), the card driver's
// service and the profile files.
#pragma once

namespace keld {

inline constexpr const char* kInstanceMutexName = "KeldoranAppMutex";

inline constexpr const char* kProductKey = "Software\\Brindlecraft\\PXR2000";
inline constexpr const char* kSetupExtensionsKey = "Software\\Brindlecraft\\PXR2000\\SetupExtensions";
// One subkey per option, named after the option's key name.
inline constexpr const char* kOptionsKey = "Software\\Brindlecraft\\PXR2000\\Options";
inline constexpr const char* kImportToolKey = "Software\\Brindlecraft\\PXR2000\\KELDOPT";
inline constexpr const char* kInstallDirValue = "InstallDir";

inline constexpr const char* kDriverServiceName = "NextMove";
inline constexpr const char* kDriverImagePath = "\\SystemRoot\\system32\\drivers\\NEXTMOVE.SYS";
inline constexpr const char* kDriverParametersKey = "System\\CurrentControlSet\\Services\\NextMove\\Parameters";
inline constexpr const char* kDriverAddressValue = "NextMove0";

inline constexpr const char* kProgramIniName = "KELD4K.INI";
inline constexpr const char* kTestIniName = "TESTCTL.INI";
inline constexpr const char* kControlIniName = "KELDORAN.INI";
inline constexpr const char* kToolsIniName = "NVXTOOLS.INI";

}  // namespace keld
