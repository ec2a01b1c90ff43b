// Data exchange between dialog controls and the members of a dialog.
#pragma once
#include "framework/NumberText.h"
#include "framework/Wnd.h"

#include <string>

namespace fw {

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // Notes the control that a failure would give the focus to.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Marks the exchange failed; the later exchanges of this pass do nothing.
    void Fail();
    bool Failed() const { return m_failed; }

    const bool m_bSaveAndValidate;
    CWnd* const m_pDlgWnd;

private:
    HWND m_lastControl = nullptr;
    bool m_editLast = false;
    bool m_failed = false;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Radio(CDataExchange* dx, int firstId, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// "%d" text; text that is not an integer shows "Please enter an integer."
void DDX_Text(CDataExchange* dx, int id, int& value);
// "%.15g" text; text that is not a number shows "Please enter a number."
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, std::string& value);

}  // namespace fw
