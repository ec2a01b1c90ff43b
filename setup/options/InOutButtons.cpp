// Input/output buttons: their description in the option's registry key and
// their publication in KELD4K.INI, where the machine-control application
// finds them.
#include "setup/options/InOutSections.h"
#include "setup/options/SetupExtension.h"

#include "resources/ProductConstants.h"
#include "setup/ProfileFileScope.h"
#include "setup/SetupApp.h"
#include "setup/options/OptionKey.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace keld {

namespace {

const char* CountKey(bool isOutput)
{
    return isOutput ? "NumOutputs" : "NumInputs";
}

std::string SectionName(bool isOutput, int index)
{
    return (isOutput ? "OUTPUT" : "INPUT") + std::to_string(index);
}

int ProfileInt(const char* section, const char* key, int defaultValue)
{
    return static_cast<int>(fw::CWinApp::Current()->GetProfileInt(section, key, defaultValue));
}

}  // namespace

std::optional<InOutSection> FindInOutSection(int channel, bool isOutput)
{
    int count = std::min(ProfileInt("Settings", CountKey(isOutput), 0), kMaxInOutSections);
    for (int index = 0; index < count; ++index) {
        std::string name = SectionName(isOutput, index);
        if (ProfileInt(name.c_str(), "MapTo", 1000) == channel)
            return InOutSection{name, index};
    }
    return std::nullopt;
}

InOutSection AddInOutSection(int channel, bool isOutput)
{
    fw::CWinApp& app = *fw::CWinApp::Current();
    int count = std::max(ProfileInt("Settings", CountKey(isOutput), 0), 0);
    if (count == INT_MAX)
        --count;
    app.WriteProfileInt("Settings", CountKey(isOutput), count + 1);
    InOutSection section{SectionName(isOutput, count), count};
    app.WriteProfileInt(section.name.c_str(), "MapTo", channel);
    return section;
}

}  // namespace keld

namespace {

using keld::InOutSection;

// A record's text, at most 64 characters even when the caller left it
// without its NUL.
std::string MemberText(const char (&member)[65])
{
    return std::string(member, strnlen(member, sizeof member - 1));
}

bool ReadNumber(HKEY key, const char* name, uint16_t& member)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return false;
    member = static_cast<uint16_t>(value & 0xFFFF);
    return true;
}

// Takes a text that fits the member with its NUL; one that fills all 65
// bytes without a NUL does not fit.
bool ReadText(HKEY key, const char* name, char (&member)[65])
{
    char text[sizeof member] = {};
    DWORD size = sizeof text;
    if (::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return false;
    if (size == sizeof text && text[size - 1] != '\0')
        return false;
    std::memcpy(member, text, sizeof text);
    return true;
}

LONG WriteNumber(HKEY key, const char* name, uint16_t member)
{
    DWORD value = member;
    return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG WriteText(HKEY key, const char* name, const char (&member)[65])
{
    std::string text = MemberText(member);
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
}

// |value| with a negative sign when `negative`, within the range of int.
int Signed(long long value, bool negative)
{
    long long magnitude = std::min<long long>(std::llabs(value), INT_MAX);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void Describe(const char* section, const InOutButtonParms& parms)
{
    fw::CWinApp& app = *fw::CWinApp::Current();
    if (parms.present & IOB_DESC)
        app.WriteProfileString(section, "Desc", MemberText(parms.desc).c_str());
    if (parms.present & IOB_OFFDESC)
        app.WriteProfileString(section, "OffDesc", MemberText(parms.offDesc).c_str());
    if (parms.present & IOB_ONDESC)
        app.WriteProfileString(section, "OnDesc", MemberText(parms.onDesc).c_str());
    if (parms.flagsMask & IOBF_RESET)
        app.WriteProfileInt(section, "Reset", (parms.flags & IOBF_RESET) ? 1 : 0);
    if (parms.flagsMask & IOBF_INVERT)
        app.WriteProfileInt(section, "Invert", (parms.flags & IOBF_INVERT) ? 1 : 0);
    app.WriteProfileString(section, "Ignore", nullptr);
}

}  // namespace

extern "C" {

int KELDSETUP_CALL GetInOutButtonParms(const char* optionName, InOutButtonParms* parms)
{
    if (!optionName || !parms)
        return 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keld::OptionKeyPath(optionName).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    if (ReadNumber(key, "MapTo", parms->mapTo))
        parms->present |= IOB_MAPTO;
    if (ReadNumber(key, "TBBtn", parms->tbBtn))
        parms->present |= IOB_TBBTN;
    if (ReadNumber(key, "Flags", parms->flags))
        parms->flagsMask = 0xFFFF;
    if (ReadText(key, "Desc", parms->desc))
        parms->present |= IOB_DESC;
    if (ReadText(key, "OffDesc", parms->offDesc))
        parms->present |= IOB_OFFDESC;
    if (ReadText(key, "OnDesc", parms->onDesc))
        parms->present |= IOB_ONDESC;
    ::RegCloseKey(key);
    return parms->present & IOB_MAPTO;
}

int KELDSETUP_CALL SetInOutButtonParms(const char* optionName, const InOutButtonParms* parms)
{
    if (!optionName || !parms)
        return 0;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, keld::OptionKeyPath(optionName).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    LONG last = ERROR_SUCCESS;
    if (parms->present & IOB_MAPTO)
        last = WriteNumber(key, "MapTo", parms->mapTo);
    if (parms->present & IOB_TBBTN)
        last = WriteNumber(key, "TBBtn", parms->tbBtn);
    if (parms->flagsMask != 0)
        last = WriteNumber(key, "Flags", parms->flags);
    if (parms->present & IOB_DESC)
        last = WriteText(key, "Desc", parms->desc);
    if (parms->present & IOB_OFFDESC)
        last = WriteText(key, "OffDesc", parms->offDesc);
    if (parms->present & IOB_ONDESC)
        last = WriteText(key, "OnDesc", parms->onDesc);
    ::RegCloseKey(key);
    return last == ERROR_SUCCESS ? 1 : 0;
}

int KELDSETUP_CALL ShowInOutButton(const InOutButtonParms* parms, int mode)
{
    if (!parms)
        return 0;
    mode &= 0xFF;
    keld::ProfileFileScope scope(keld::SetupApp().ProgramIniPath);
    fw::CWinApp& app = *fw::CWinApp::Current();
    const bool isOutput = parms->isOutput != 0;
    const bool publishing = (mode & (SIOB_DESCRIBE | SIOB_BUTTON)) != 0;
    std::optional<InOutSection> section = keld::FindInOutSection(parms->mapTo, isOutput);
    if (!section) {
        if (!publishing)
            return 0;
        section = keld::AddInOutSection(parms->mapTo, isOutput);
    }
    const char* name = section->name.c_str();
    if (publishing) {
        if (mode & SIOB_DESCRIBE)
            Describe(name, *parms);
        if (mode & SIOB_BUTTON) {
            long long button = (parms->present & IOB_TBBTN)
                                   ? parms->tbBtn
                                   : static_cast<int>(app.GetProfileInt(name, "TBBtn", section->index));
            app.WriteProfileInt(name, "TBBtn", Signed(button, (mode & SIOB_HIDDEN) != 0));
        }
        return 1;
    }
    long long button = static_cast<int>(app.GetProfileInt(name, "TBBtn", 1000));
    if (button == 1000)
        button = (parms->present & IOB_TBBTN) ? parms->tbBtn : section->index;
    if (mode & SIOB_IGNORE)
        app.WriteProfileInt(name, "Ignore", 1);
    else
        app.WriteProfileInt(name, "TBBtn", Signed(button, true));
    return 1;
}

int KELDSETUP_CALL IsButtonVisible(int mapTo, int isOutput, int* found)
{
    keld::ProfileFileScope scope(keld::SetupApp().ProgramIniPath);
    std::optional<InOutSection> section = keld::FindInOutSection(mapTo, isOutput != 0);
    if (found)
        *found = section ? 1 : 0;
    return section && static_cast<int>(fw::CWinApp::Current()->GetProfileInt(section->name.c_str(), "TBBtn", 2345)) >= 0
               ? 1
               : 0;
}

}  // extern "C"
