// Dialogs made from a template: modal and modeless, with data exchange,
// command routing and owner-draw routing to attached controls.
#pragma once
#include "framework/DataExchange.h"
#include "framework/Wnd.h"

#include <map>

namespace fw {

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : m_templateId(templateId) {}
    ~CDialog() override;

    INT_PTR DoModal(HWND parent = nullptr);
    BOOL Create(HWND parent = nullptr);  // modeless
    BOOL DestroyWindow();
    void EndDialog(int result);

    // Runs the data exchange; FALSE when a save-direction exchange failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    UINT TemplateId() const { return m_templateId; }
    void RegisterControl(int id, CWnd* control) { m_controls[id] = control; }

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    // Command notifications. The default hands them to OnCommandMessage
    // and turns IDOK and IDCANCEL into OnOK and OnCancel.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnCommandMessage(UINT /*id*/, UINT /*code*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnDestroy() {}
    // Any other message; true when handled, with the result in `result`.
    virtual bool HandleMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    static void Bind(HWND hwnd, CDialog* dialog);

    bool m_modal = false;

private:
    UINT m_templateId;
    std::map<int, CWnd*> m_controls;
};

}  // namespace fw
