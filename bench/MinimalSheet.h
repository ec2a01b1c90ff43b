// A plain comctl32 property sheet with four empty pages, built with the
// same toolchain as KELDSetup: the yardstick of the start-up benchmark and
// the sheet of the Options benchmark's loader-only baseline.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace minimal_sheet {

inline INT_PTR CALLBACK EmptyPage(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A child dialog template of 292 x 161 dialog units with a caption.
inline std::vector<WORD> PageTemplate(const wchar_t* caption)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 2);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_CHILD | WS_CAPTION | DS_SETFONT;
    header->cx = 292;
    header->cy = 161;
    for (const wchar_t* c = caption; *c; ++c)
        words.push_back(*c);
    words.push_back(0);
    words.push_back(8);
    for (const wchar_t* c = L"MS Sans Serif"; *c; ++c)
        words.push_back(*c);
    words.push_back(0);
    return words;
}

// Shows the sheet until it is closed.
inline void ShowMinimalSheet(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const wchar_t* captions[] = {L"Welcome", L"General", L"Options", L"Interface Card"};
    std::vector<std::vector<WORD>> templates;
    std::vector<PROPSHEETPAGEW> pages;
    for (const wchar_t* caption : captions)
        templates.push_back(PageTemplate(caption));
    for (auto& words : templates) {
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof(page);
        page.dwFlags = PSP_DLGINDIRECT;
        page.hInstance = instance;
        page.pResource = reinterpret_cast<DLGTEMPLATE*>(words.data());
        page.pfnDlgProc = EmptyPage;
        pages.push_back(page);
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hInstance = instance;
    header.pszCaption = L"Minimal Sheet";
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    PropertySheetW(&header);
}

}  // namespace minimal_sheet
