#include "framework/PropertySheet.h"

#include "framework/App.h"
#include "framework/MessageBox.h"

#include <algorithm>

namespace fw {

namespace {

// The sheet that PropertySheet() is creating on this thread, and the hook
// that subclasses its window before WM_CREATE.
thread_local CPropertySheet* t_sheetBeingCreated = nullptr;
thread_local HHOOK t_creationHook = nullptr;

constexpr const char* kSheetProperty = "fw.CPropertySheet";

// The size of a dialog template in dialog units.
SIZE TemplateSize(HINSTANCE instance, UINT id)
{
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    const auto* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    if (!words)
        return SIZE{};
    if (words[0] == 1 && words[1] == 0xFFFF) {
        // DLGTEMPLATEEX: version, signature, help id, styles, item count, x, y, cx, cy.
        const auto* bytes = reinterpret_cast<const BYTE*>(words);
        const short* place = reinterpret_cast<const short*>(bytes + 18);
        return SIZE{place[2], place[3]};
    }
    const auto* plain = reinterpret_cast<const DLGTEMPLATE*>(words);
    return SIZE{plain->cx, plain->cy};
}

bool IsDialogClass(LPCSTR className)
{
    if (IS_INTRESOURCE(className))
        return reinterpret_cast<ULONG_PTR>(className) == 0x8002;
    return lstrcmpiA(className, "#32770") == 0;
}

}  // namespace

// ---- page ----------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
    : CDialog(templateId), m_captionId(captionId)
{
}

PROPSHEETPAGEA CPropertyPage::Describe()
{
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT | PSP_HASHELP;
    page.hInstance = CWinApp::Current()->ResourceHandle();
    page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    if (m_captionId != 0) {
        m_caption = LoadResourceString(m_captionId);
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = m_caption.c_str();
    }
    return page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* description = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        Bind(hwnd, reinterpret_cast<CPropertyPage*>(description->lParam));
    }
    auto* page = reinterpret_cast<CPropertyPage*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    return page ? page->Dispatch(message, wParam, lParam) : FALSE;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_sheet)
        m_sheet->FitPage(m_hWnd);
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

void CPropertyPage::OnHelp()
{
    CWinApp::Current()->WinHelp(0x20000 + TemplateId());
}

bool CPropertyPage::OnNotify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return true;
    case PSN_APPLY:
        OnOK();
        if (m_sheet)
            m_sheet->m_pagesApplied = true;
        result = PSNRET_NOERROR;
        return true;
    case PSN_WIZFINISH:
        // PSBTN_FINISH ends a sheet that is no wizard without PSN_APPLY:
        // the current page validates as for OK, then every page applies.
        if (!OnKillActive()) {
            result = TRUE;
            return true;
        }
        if (m_sheet)
            m_sheet->ApplyPagesForFinish();
        result = FALSE;
        return true;
    case PSN_RESET:
        OnReset();
        result = 0;
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        return true;
    case PSN_HELP:
        OnHelp();
        result = 0;
        return true;
    default:
        return false;
    }
}

// ---- sheet ---------------------------------------------------------------

CPropertySheet::CPropertySheet(const std::string& caption, HWND parent, UINT startPage)
    : m_caption(caption), m_parent(parent), m_startPage(startPage)
{
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_sheet = this;
    m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal()
{
    return RunModalLoop();
}

void CPropertySheet::FitPagesToTheirTemplates()
{
    HWND current = PropSheet_GetCurrentPageHwnd(m_hWnd);
    if (!current)
        return;
    RECT needed{};
    for (CPropertyPage* page : m_pages) {
        SIZE size = TemplateSize(CWinApp::Current()->ResourceHandle(), page->TemplateId());
        needed.right = std::max<LONG>(needed.right, size.cx);
        needed.bottom = std::max<LONG>(needed.bottom, size.cy);
    }
    ::MapDialogRect(current, &needed);
    RECT has{};
    ::GetWindowRect(current, &has);
    const int dx = std::max<int>(0, needed.right - (has.right - has.left));
    const int dy = std::max<int>(0, needed.bottom - (has.bottom - has.top));
    if (dx == 0 && dy == 0)
        return;
    m_pageSize = SIZE{std::max<LONG>(needed.right, has.right - has.left),
                      std::max<LONG>(needed.bottom, has.bottom - has.top)};

    auto grow = [](HWND window, int byX, int byY) {
        RECT place{};
        ::GetWindowRect(window, &place);
        ::SetWindowPos(window, nullptr, 0, 0, place.right - place.left + byX, place.bottom - place.top + byY,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // The buttons keep their place at the bottom right; the tab control,
    // the pages and the sheet grow.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Button") != 0)
            continue;
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        ::SetWindowPos(child, nullptr, place.left + dx, place.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    grow(PropSheet_GetTabControl(m_hWnd), dx, dy);
    FitPage(current);
    grow(m_hWnd, dx, dy);
}

void CPropertySheet::FitPage(HWND page) const
{
    if (!page || (m_pageSize.cx == 0 && m_pageSize.cy == 0))
        return;
    RECT place{};
    ::GetWindowRect(page, &place);
    if (place.right - place.left != m_pageSize.cx || place.bottom - place.top != m_pageSize.cy)
        ::SetWindowPos(page, nullptr, 0, 0, m_pageSize.cx, m_pageSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPropertySheet::ApplyPagesForFinish()
{
    for (CPropertyPage* page : m_pages) {
        if (page->m_hWnd)
            page->OnOK();
    }
    m_pagesApplied = true;
}

LRESULT CALLBACK CPropertySheet::CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_sheetBeingCreated &&
        IsDialogClass(reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass)) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        CPropertySheet* sheet = t_sheetBeingCreated;
        t_sheetBeingCreated = nullptr;
        sheet->m_hWnd = hwnd;
        ::SetPropA(hwnd, kSheetProperty, sheet);
        sheet->m_defaultProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc)));
    }
    return ::CallNextHookEx(t_creationHook, code, wParam, lParam);
}

LRESULT CPropertySheet::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(m_defaultProc, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CPropertySheet::SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* sheet = static_cast<CPropertySheet*>(::GetPropA(hwnd, kSheetProperty));
    if (!sheet)
        return ::DefDlgProcA(hwnd, message, wParam, lParam);
    UINT outerMessage = sheet->m_currentMessage;
    sheet->m_currentMessage = message;
    ++sheet->m_messageDepth;
    LRESULT result = 0;
    if (message == WM_INITDIALOG) {
        result = sheet->Default(message, wParam, lParam);
        sheet->FitPagesToTheirTemplates();
        sheet->OnInitDialog();
    } else if (!sheet->HandleMessage(message, wParam, lParam, result)) {
        result = sheet->Default(message, wParam, lParam);
    }
    // The sheet ends as OK only when the step that applied the pages also
    // closed it: a refused OK applies nothing, and pages applied while the
    // sheet stays open (Apply) do not make a later Cancel an OK.
    if (--sheet->m_messageDepth == 0 && sheet->m_pagesApplied && PropSheet_GetCurrentPageHwnd(hwnd) != nullptr)
        sheet->m_pagesApplied = false;
    sheet->m_currentMessage = outerMessage;
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kSheetProperty);
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheet->m_defaultProc));
        sheet->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CPropertySheet::RunModalLoop()
{
    std::vector<PROPSHEETPAGEA> descriptions;
    for (CPropertyPage* page : m_pages)
        descriptions.push_back(page->Describe());

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_HASHELP;
    header.hwndParent = m_parent;
    header.hInstance = CWinApp::Current()->ResourceHandle();
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = m_startPage < descriptions.size() ? m_startPage : 0;
    header.ppsp = descriptions.data();

    m_pagesApplied = false;
    m_messageDepth = 0;
    m_modalResult = 0;
    m_pageSize = SIZE{};
    t_sheetBeingCreated = this;
    t_creationHook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
    HWND sheet = reinterpret_cast<HWND>(::PropertySheetA(&header));
    ::UnhookWindowsHookEx(t_creationHook);
    t_creationHook = nullptr;
    t_sheetBeingCreated = nullptr;
    if (!sheet)
        return -1;

    bool parentDisabled = m_parent && ::IsWindowEnabled(m_parent);
    if (parentDisabled)
        ::EnableWindow(m_parent, FALSE);

    MSG msg;
    bool quit = false;
    while (PropSheet_GetCurrentPageHwnd(sheet) != nullptr) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        if (!PropSheet_IsDialogMessage(sheet, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    m_modalResult = m_pagesApplied ? IDOK : IDCANCEL;
    if (parentDisabled)
        ::EnableWindow(m_parent, TRUE);
    ::DestroyWindow(sheet);
    if (quit)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    return m_modalResult;
}

}  // namespace fw
