// SetBoardAddress on Windows NT when the driver's registry parameter cannot
// be stored (the profile keeps its address) or the driver cannot be
// restarted (the profile gets the address the driver will start with, and
// the user is told). Real registry keys that refuse the write, Wine's real service
// control manager, and the call table where Wine cannot fail.
#include "DriverFixture.h"
#include "TestFiles.h"

#include "framework/MessageBox.h"
#include "framework/ServiceControl.h"
#include "setup/ProfileFileScope.h"
#include "setup/SetupApp.h"
#include "setup/pages/BoardAddress.h"
#include "setup/pages/DriverService.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace testkit;

namespace {

constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\NextMove";
constexpr const char* kParametersKey = keld::kDriverParametersKey;

// A key whose security denies everyone `denied` (and grants the rest) for
// the life of the object; its former security comes back afterwards.
class WriteDeniedKey {
public:
    WriteDeniedKey(const char* path, DWORD denied)
    {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &m_key,
                            nullptr) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, nullptr, &size);
        m_former.resize(size);
        if (RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_former.data(), &size) != ERROR_SUCCESS)
            return;

        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
            return;
        std::vector<BYTE> acl(512);
        auto* dacl = reinterpret_cast<ACL*>(acl.data());
        SECURITY_DESCRIPTOR descriptor;
        m_applied = InitializeAcl(dacl, static_cast<DWORD>(acl.size()), ACL_REVISION) &&
                    AddAccessDeniedAce(dacl, ACL_REVISION, denied, everyone) &&
                    AddAccessAllowedAce(dacl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
                    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                    SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE) &&
                    RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
        FreeSid(everyone);
    }
    ~WriteDeniedKey()
    {
        if (!m_key)
            return;
        if (m_applied)
            RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_former.data());
        RegCloseKey(m_key);
    }
    WriteDeniedKey(const WriteDeniedKey&) = delete;
    WriteDeniedKey& operator=(const WriteDeniedKey&) = delete;

    // Whether the security is in place and really keeps writers out.
    bool Denies(const char* path) const
    {
        HKEY key = nullptr;
        LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_WRITE, &key);
        if (key)
            RegCloseKey(key);
        return m_applied && opened == ERROR_ACCESS_DENIED;
    }

private:
    HKEY m_key = nullptr;
    std::vector<BYTE> m_former;
    bool m_applied = false;
};

// A service manager that the user may not open; nothing else is asked of it.
class DeniedServices final : public fw::ServiceControl {
public:
    SC_HANDLE OpenManager() override
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    SC_HANDLE OpenService(SC_HANDLE, const char*) override { return nullptr; }
    SC_HANDLE CreateService(SC_HANDLE, const char*, DWORD, DWORD, DWORD, const char*) override { return nullptr; }
    bool QueryStatus(SC_HANDLE, SERVICE_STATUS&) override { return false; }
    bool Stop(SC_HANDLE) override { return false; }
    bool Start(SC_HANDLE) override { return false; }
    void Close(SC_HANDLE) override {}
};

// The service key made anew as a volatile key, under which no lasting
// subkey can be created.
bool MakeServiceKeyVolatile()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kServiceKey);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

enum class Fault {
    ParametersCannotBeCreated,  // the service key is volatile
    ParametersDenyWrites,       // the parameter key lets no one set a value
    DriverCannotStart,          // the service is disabled
    DriverImageMissing,         // NEXTMOVE.SYS is not where the service says
    ManagerDeniesAccess,        // the user may not control services
};

struct FaultCase {
    const char* name;
    Fault fault;
    std::optional<DWORD> parameterAfter;  // NextMove0 afterwards
    const char* profileAfter;             // BoardAddress afterwards
    // Each shown message: its text, or the text before and after the
    // system's reason, which stands for "%s".
    std::vector<std::string> messages;
};

const char* const kNotRestarted =
    "The Interface Card Driver could not be restarted (%s).\n\nThe new address takes effect when the driver next "
    "starts.";

bool MessageMatches(const std::string& shown, const std::string& expected)
{
    size_t reason = expected.find("%s");
    if (reason == std::string::npos)
        return shown == expected;
    const std::string before = expected.substr(0, reason), after = expected.substr(reason + 2);
    return shown.size() > before.size() + after.size() && shown.compare(0, before.size(), before) == 0 &&
           shown.compare(shown.size() - after.size(), after.size(), after) == 0;
}

class BoardAddressStore : public testing::TestWithParam<FaultCase> {
protected:
    // RemoveDriverService also undoes a volatile service key or a parameter
    // key that refuses writes, which a test stopped at its time limit leaves.
    void SetUp() override
    {
        RemoveDriverService();
        ASSERT_TRUE(InstallDriverFile());
        installation = MakeInstallation("board-address");
        WriteFile(installation.Path("KELD4K.INI"), "[Settings]\r\nBoardAddress=812\r\n");
        SetDriverAddressParameter(812);
        keld::SetupApp().IsWindowsNT = true;
        fw::SetMessageBoxObserver([this](const std::string& text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        fw::SetMessageBoxObserver(nullptr);
        fw::SetServices(nullptr);
        RemoveDriverService();
        SetDriverAddressParameter(800);
    }

    Installation installation;
    std::vector<std::string> messages;
};

TEST_P(BoardAddressStore, FailureKeepsTheProfileWithTheDriverAndSaysSo)
{
    std::optional<WriteDeniedKey> denied;
    DeniedServices deniedServices;
    switch (GetParam().fault) {
    case Fault::ParametersCannotBeCreated:
        ASSERT_TRUE(MakeServiceKeyVolatile());
        break;
    case Fault::ParametersDenyWrites:
        denied.emplace(kParametersKey, KEY_SET_VALUE);
        ASSERT_TRUE(denied->Denies(kParametersKey)) << "the parameter key's security keeps no one out";
        break;
    case Fault::DriverCannotStart:
        ASSERT_TRUE(RegisterDriverService(SERVICE_DISABLED));
        break;
    case Fault::DriverImageMissing:
        ASSERT_TRUE(RegisterDriverService());
        ASSERT_TRUE(DeleteFileA((WindowsFolder() + "system32\\drivers\\NEXTMOVE.SYS").c_str()));
        break;
    case Fault::ManagerDeniesAccess:
        fw::SetServices(&deniedServices);
        break;
    }

    bool stored = true;
    {
        keld::ProfileFileScope scope(installation.Path("KELD4K.INI"));
        stored = keld::SetBoardAddress(804);
    }
    denied.reset();
    DWORD parameter = 0;
    bool present = ReadDriverAddressParameter(parameter);
    if (GetParam().fault == Fault::ParametersCannotBeCreated)
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kServiceKey);

    EXPECT_FALSE(stored);
    EXPECT_EQ(ProfileText(installation.Path("KELD4K.INI"), "Settings", "BoardAddress"), GetParam().profileAfter);
    EXPECT_EQ(present ? std::optional<DWORD>(parameter) : std::nullopt, GetParam().parameterAfter);
    ASSERT_EQ(messages.size(), GetParam().messages.size()) << testing::PrintToString(messages);
    for (size_t i = 0; i < messages.size(); ++i)
        EXPECT_TRUE(MessageMatches(messages[i], GetParam().messages[i])) << messages[i];
}

INSTANTIATE_TEST_SUITE_P(Faults, BoardAddressStore,
    testing::Values(FaultCase{"parameters_cannot_be_created", Fault::ParametersCannotBeCreated, std::nullopt, "812", {}},
                    FaultCase{"parameters_deny_writes", Fault::ParametersDenyWrites, 812u, "812", {}},
                    FaultCase{"driver_cannot_start", Fault::DriverCannotStart, 804u, "804", {kNotRestarted}},
                    FaultCase{"driver_image_missing", Fault::DriverImageMissing, 804u, "804", {kNotRestarted}},
                    FaultCase{"manager_denies_access", Fault::ManagerDeniesAccess, 804u, "804",
                              {"Incorrect User Priveledges to change Interface Card Address"}}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

}  // namespace
