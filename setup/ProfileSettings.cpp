#include "setup/ProfileSettings.h"

#include "framework/App.h"
#include "setup/ProfileDouble.h"

namespace keld {

double GetProfileDouble(const char* section, const char* key, double defaultValue)
{
    return ParseProfileDouble(fw::CWinApp::Current()->GetProfileString(section, key, ""), defaultValue);
}

}  // namespace keld
