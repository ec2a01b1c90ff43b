#include "framework/DataExchange.h"

#include "framework/Dialog.h"
#include "framework/MessageBox.h"

#include <cstdio>

namespace fw {

HWND CDataExchange::PrepareCtrl(int id)
{
    m_lastControl = m_pDlgWnd->GetDlgItem(id);
    m_editLast = false;
    return m_lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_editLast = true;
    return control;
}

void CDataExchange::Fail()
{
    m_failed = true;
    if (!m_bSaveAndValidate || !m_lastControl)
        return;
    ::SetFocus(m_lastControl);
    if (m_editLast)
        ::SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.GetSafeHwnd() == nullptr) {
        control.SubclassWindow(dx->PrepareCtrl(id));
        if (auto* dialog = dynamic_cast<CDialog*>(dx->m_pDlgWnd))
            dialog->RegisterControl(id, &control);
    }
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareCtrl(firstId);
    if (dx->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group runs from the first button to the next control with WS_GROUP.
    do {
        if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (dx->m_bSaveAndValidate) {
                if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongA(control, GWL_STYLE) & WS_GROUP));
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        if (!ParseIntegerText(CWnd::WindowText(control), value)) {
            AppMessageBox("Please enter an integer.");
            dx->Fail();
        }
    } else {
        char text[32];
        std::snprintf(text, sizeof text, "%d", value);
        ::SetWindowTextA(control, text);
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        if (!ParseDoubleText(CWnd::WindowText(control), value)) {
            AppMessageBox("Please enter a number.");
            dx->Fail();
        }
    } else {
        char text[64];
        std::snprintf(text, sizeof text, "%.15g", value);
        ::SetWindowTextA(control, text);
    }
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = CWnd::WindowText(control);
    else
        ::SetWindowTextA(control, value.c_str());
}

}  // namespace fw
