#include "framework/Dialog.h"

#include "framework/App.h"

namespace fw {

CDialog::~CDialog()
{
    if (m_hWnd && !m_modal && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal(HWND parent)
{
    m_modal = true;
    INT_PTR result = ::DialogBoxParamA(CWinApp::Current()->ResourceHandle(),
                                       MAKEINTRESOURCEA(m_templateId), parent, DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

BOOL CDialog::Create(HWND parent)
{
    m_modal = false;
    HWND hwnd = ::CreateDialogParamA(CWinApp::Current()->ResourceHandle(),
                                     MAKEINTRESOURCEA(m_templateId), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

BOOL CDialog::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CDialog::EndDialog(int result)
{
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    if (OnCommandMessage(id, code, reinterpret_cast<HWND>(lParam)))
        return TRUE;
    if (code == BN_CLICKED || lParam == 0) {
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::Bind(HWND hwnd, CDialog* dialog)
{
    ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    dialog->m_hWnd = hwnd;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        Bind(hwnd, reinterpret_cast<CDialog*>(lParam));
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    return dialog ? dialog->Dispatch(message, wParam, lParam) : FALSE;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return FALSE;
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto item = m_controls.find(static_cast<int>(wParam));
        if (item == m_controls.end())
            return FALSE;
        item->second->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_NCDESTROY:
        for (auto& [id, control] : m_controls)
            control->Detach();
        m_controls.clear();
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        m_hWnd = nullptr;
        return FALSE;
    default: {
        LRESULT result = 0;
        if (!HandleMessage(message, wParam, lParam, result))
            return FALSE;
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

}  // namespace fw
