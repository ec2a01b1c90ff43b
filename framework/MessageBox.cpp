#include "framework/MessageBox.h"

#include "framework/App.h"

#include <vector>

namespace fw {

namespace {

MessageBoxObserver& Observer()
{
    static MessageBoxObserver observer;
    return observer;
}

HWND OwnerWindow()
{
    HWND active = ::GetActiveWindow();
    if (!active)
        return nullptr;
    HWND root = ::GetAncestor(active, GA_ROOT);
    return root ? root : active;
}

}  // namespace

void SetMessageBoxObserver(MessageBoxObserver observer)
{
    Observer() = std::move(observer);
}

std::string LoadResourceString(UINT id)
{
    HINSTANCE module = CWinApp::Current() ? CWinApp::Current()->ResourceHandle()
                                          : ::GetModuleHandleA(nullptr);
    std::vector<char> buffer(4096);
    int n = ::LoadStringA(module, id, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

std::string FormatResourceString(UINT id, const std::string& argument)
{
    std::string format = LoadResourceString(id);
    size_t at = format.find("%s");
    return at == std::string::npos ? format : format.replace(at, 2, argument);
}

int AppMessageBox(const std::string& text, UINT type)
{
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    if (Observer()) {
        int answer = Observer()(text, type);
        if (answer != 0)
            return answer;
    }
    const std::string caption = CWinApp::Current() ? CWinApp::Current()->AppName() : std::string();
    return ::MessageBoxA(OwnerWindow(), text.c_str(), caption.c_str(), type);
}

int AppMessageBox(UINT stringId, UINT type)
{
    return AppMessageBox(LoadResourceString(stringId), type);
}

}  // namespace fw
