// Makes a profile file the application's current one for the life of the
// scope; the previous one comes back when the scope ends. Scopes nest.
#pragma once
#include "framework/App.h"

#include <string>

namespace keld {

class ProfileFileScope {
public:
    explicit ProfileFileScope(const std::string& path)
        : m_app(*fw::CWinApp::Current()), m_previous(m_app.ProfileName())
    {
        m_app.SetProfileName(path);
    }
    ~ProfileFileScope() { m_app.SetProfileName(m_previous); }
    ProfileFileScope(const ProfileFileScope&) = delete;
    ProfileFileScope& operator=(const ProfileFileScope&) = delete;

private:
    fw::CWinApp& m_app;
    std::string m_previous;
};

}  // namespace keld
