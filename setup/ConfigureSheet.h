// The configuration sheet: Welcome, General, Options and Interface Card.
#pragma once
#include "framework/PropertySheet.h"

#include <string>

#ifndef WM_SHEETCLOSING
// Sent to every window inside the sheet while it is destroyed; wParam is 1
// when the sheet was closed with OK, else 0.
#define WM_SHEETCLOSING (WM_USER + 99)
#endif

namespace keld {

class CConfigureSheet : public fw::CPropertySheet {
public:
    CConfigureSheet(const std::string& caption, HWND parent, UINT startPage);
    ~CConfigureSheet() override;

    // The configuration run (ConfigurationRun.cpp, walking the table of
    // GeneralSettings.h): loads the settings into the pages, runs the sheet
    // and, after OK, writes them back. Returns IDOK or IDCANCEL.
    INT_PTR DoModal() override;

    // Stores the palette to realise (not owned) and realises it at once.
    HPALETTE SetPalette(HPALETTE palette);
    HPALETTE Palette() const { return palette; }

    // 1 when realising the palette changed the system palette, else 0.
    int RealizeSheetPalette();

protected:
    void OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BroadcastSheetClosing();

    HPALETTE palette = nullptr;
    HICON icon = nullptr;
};

}  // namespace keld
