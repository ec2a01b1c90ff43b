// INSTAUX.DLL loaded into the test's process for one test, the way the
// installer loads it, with its two entry points.
#pragma once
#include <windows.h>

#include <string>

namespace instauxtest {

class InstauxLibrary {
public:
    InstauxLibrary();
    ~InstauxLibrary();
    InstauxLibrary(const InstauxLibrary&) = delete;
    InstauxLibrary& operator=(const InstauxLibrary&) = delete;

    bool Loaded() const { return m_preInstallCheck && m_postInstall; }
    LONG PreInstallCheck(const std::string& targetDir, const std::string& backupDir, char* existingDir,
                         DWORD value = 0) const;
    LONG PostInstall(const std::string& configDir) const;

private:
    HMODULE m_module = nullptr;
    LONG(WINAPI* m_preInstallCheck)(DWORD, const char*, const char*, char*) = nullptr;
    LONG(WINAPI* m_postInstall)(const char*) = nullptr;
};

}  // namespace instauxtest
