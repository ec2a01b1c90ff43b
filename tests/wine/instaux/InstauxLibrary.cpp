#include "InstauxLibrary.h"

#include "../TestFiles.h"

namespace instauxtest {

InstauxLibrary::InstauxLibrary()
{
    m_module = LoadLibraryA(testkit::FromUnixPath(KELD_INSTAUX_DLL).c_str());
    if (!m_module)
        return;
    m_preInstallCheck = reinterpret_cast<decltype(m_preInstallCheck)>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "PreInstallCheck")));
    m_postInstall =
        reinterpret_cast<decltype(m_postInstall)>(reinterpret_cast<void*>(GetProcAddress(m_module, "PostInstall")));
}

InstauxLibrary::~InstauxLibrary()
{
    if (m_module)
        FreeLibrary(m_module);
}

LONG InstauxLibrary::PreInstallCheck(const std::string& targetDir, const std::string& backupDir, char* existingDir,
                                     DWORD value) const
{
    return m_preInstallCheck(value, targetDir.c_str(), backupDir.c_str(), existingDir);
}

LONG InstauxLibrary::PostInstall(const std::string& configDir) const
{
    return m_postInstall(configDir.c_str());
}

}  // namespace instauxtest
