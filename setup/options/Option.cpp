// COption, the base class of every option that an extension supplies.
#include "setup/options/SetupExtension.h"
#include "setup/options/OptionNames.h"

#include <cstring>

namespace {

constexpr const char* kUnknownName = "Unknown";

BOOL CALLBACK EnableDescendant(HWND child, LPARAM enable)
{
    ::EnableWindow(child, enable != 0);
    return TRUE;
}

}  // namespace

COption::COption() : flags(0), parent(nullptr), window(nullptr) {}

COption::COption(const COption& other)
    : rect(other.rect), flags(other.flags), parent(other.parent), window(other.window)
{
}

COption& COption::operator=(const COption& other)
{
    rect = other.rect;
    flags = other.flags;
    parent = other.parent;
    window = other.window;
    return *this;
}

COption::~COption() = default;

void COption::GetName(char* buffer) const
{
    std::strcpy(buffer, kUnknownName);
}

void COption::GetOptionName(char* buffer) const
{
    std::strcpy(buffer, kUnknownName);
}

int COption::CreateOptWindow(HWND)
{
    return 1;
}

int COption::LoadSettings()
{
    return 1;
}

int COption::LoadDefaults()
{
    return 1;
}

int COption::SaveSettings(int)
{
    return 1;
}

int COption::Install(int install)
{
    return SetOptionInstalledOrEnabled(keld::OptionKeyName(*this).c_str(), 1, install);
}

int COption::Initialize(void* parentWindow, const RECT* area)
{
    if (area)
        rect = *area;
    parent = parentWindow;
    return 1;
}

int COption::HasOptions() const
{
    return flags & OPT_HASOPTIONS;
}

int COption::IsEnabled() const
{
    return flags & (OPT_ENABLED | OPT_ALWAYSENABLED);
}

int COption::IsVisible() const
{
    return flags & OPT_VISIBLE;
}

int COption::IsPermanent() const
{
    return flags & OPT_PERMANENT;
}

int COption::IsAlwaysEnabled() const
{
    return flags & OPT_ALWAYSENABLED;
}

void COption::SetEnabled(int enable)
{
    if ((IsEnabled() != 0) == (enable != 0))
        return;
    if (enable)
        flags |= OPT_ENABLED;
    else
        flags &= ~OPT_ENABLED;
    EnableAll(IsEnabled());
}

int COption::Show(int show)
{
    if ((IsVisible() != 0) == (show != 0))
        return 1;
    if (HasOptions()) {
        if (!window) {
            if (!LoadSettings())
                return 0;
            if (!CreateOptWindow(static_cast<HWND>(parent)))
                return 0;
            ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            if (!IsEnabled())
                EnableAll(0);
        }
        ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
    }
    if (show)
        flags |= OPT_VISIBLE;
    else
        flags &= ~OPT_VISIBLE;
    return 1;
}

int COption::SaveAndClose(int save)
{
    SaveSettings(save);
    if (window)
        ::DestroyWindow(window);
    window = nullptr;
    return 1;
}

void COption::EnableAll(int enable)
{
    if (window)
        ::EnumChildWindows(window, EnableDescendant, enable);
}
