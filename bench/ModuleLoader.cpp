// The Options benchmark's loader-only baseline: loads the extension modules
// registered under "SetupExtensions" from its own folder, in registry order,
// with LoadLibraryEx as the Options page does, looks up their factories
// without calling them, and then shows the minimal sheet. Beside the page
// with and without the module files, it tells Wine's loading apart from
// the page's own work.
#include "bench/MinimalSheet.h"
#include "resources/ProductConstants.h"

#include <string>

namespace {

std::string OwnFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

void LoadRegisteredModules()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keld::kSetupExtensionsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    const std::string folder = OwnFolder();
    // The modules import the SDK's functions from KELDSetup.exe, which lies
    // in the same folder: loaded first, with or without module files, so
    // that only the modules' own loading differs.
    LoadLibraryExA((folder + "KELDSetup.exe").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    for (DWORD index = 0;; ++index) {
        char name[64], data[64];
        DWORD nameLength = sizeof name, dataSize = sizeof data;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                          &dataSize) != ERROR_SUCCESS || dataSize == 0 || dataSize >= sizeof data)
            break;
        data[dataSize] = 0;
        std::string text(data);
        size_t comma = text.find(',');
        if (comma == std::string::npos || comma == 0)
            break;
        std::string path = folder + text.substr(0, comma) + ".DLL";
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        SetErrorMode(previousMode);
        if (module)
            GetProcAddress(module, text.substr(comma + 1).c_str());
    }
    RegCloseKey(key);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    LoadRegisteredModules();
    minimal_sheet::ShowMinimalSheet(instance);
    return 0;
}
