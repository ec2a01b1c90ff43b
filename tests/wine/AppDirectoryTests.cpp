// The program folder from the module path, also for a folder deeper than
// MAX_PATH. Wine cannot start a program from such a folder, so the test
// gives its own module the long path in the loader's module list, where
// GetModuleFileName reads it.
#include "setup/SetupApp.h"

#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The loader's entry of this program, with its path replaced for the life
// of the object.
class ModulePathAs {
public:
    explicit ModulePathAs(const std::wstring& path) : m_path(path)
    {
        // The headers' inline TEB read looks out of bounds to GCC; it is not.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
        PEB_LDR_DATA* loader = NtCurrentTeb()->ProcessEnvironmentBlock->Ldr;
#pragma GCC diagnostic pop
        LIST_ENTRY* head = &loader->InMemoryOrderModuleList;
        for (LIST_ENTRY* link = head->Flink; link != head; link = link->Flink) {
            auto* entry = CONTAINING_RECORD(link, LDR_DATA_TABLE_ENTRY, InMemoryOrderLinks);
            if (entry->DllBase == GetModuleHandleA(nullptr)) {
                m_entry = entry;
                break;
            }
        }
        if (!m_entry)
            return;
        m_former = m_entry->FullDllName;
        m_entry->FullDllName.Buffer = m_path.data();
        m_entry->FullDllName.Length = static_cast<USHORT>(m_path.size() * sizeof(wchar_t));
        m_entry->FullDllName.MaximumLength = static_cast<USHORT>((m_path.size() + 1) * sizeof(wchar_t));
    }
    ~ModulePathAs()
    {
        if (m_entry)
            m_entry->FullDllName = m_former;
    }
    ModulePathAs(const ModulePathAs&) = delete;
    ModulePathAs& operator=(const ModulePathAs&) = delete;

    bool InPlace() const { return m_entry != nullptr; }

private:
    std::wstring m_path;
    LDR_DATA_TABLE_ENTRY* m_entry = nullptr;
    UNICODE_STRING m_former{};
};

struct FolderCase {
    const char* name;
    size_t length;  // of the folder, with its trailing backslash
};

class AppDirectory : public testing::TestWithParam<FolderCase> {};

TEST_P(AppDirectory, IsTheWholeFolderOfTheModulePath)
{
    const size_t length = GetParam().length;
    std::string folder = "C:\\KELDORAN\\";
    for (int level = 0; folder.size() + 9 <= length; ++level)
        folder += "level" + std::to_string(level % 10) + "\\";
    folder += std::string(length - folder.size() - 1, 'x') + "\\";
    std::string path = folder + "KELDSetup.exe";
    ModulePathAs module(std::wstring(path.begin(), path.end()));
    ASSERT_TRUE(module.InPlace());
    char check[2048] = {};
    ASSERT_EQ(GetModuleFileNameA(nullptr, check, sizeof check), path.size()) << "the loader ignored the path";

    ASSERT_EQ(folder.size(), length);
    EXPECT_EQ(keld::GetAppDirectory(), folder);
}

INSTANTIATE_TEST_SUITE_P(Lengths, AppDirectory,
    testing::Values(FolderCase{"short", 20}, FolderCase{"name_ends_at_max_path", MAX_PATH - 1 - 13},
                    FolderCase{"folder_beyond_max_path", MAX_PATH + 40},
                    FolderCase{"folder_twice_max_path", 2 * MAX_PATH + 7}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

}  // namespace
