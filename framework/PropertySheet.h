// Property sheet and pages on comctl32. The sheet runs modeless under a
// modal loop of its own, so that it knows how it ended before its window is
// destroyed.
#pragma once
#include "framework/Dialog.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace fw {

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    CPropertySheet* GetSheet() const { return m_sheet; }

    // Activation: the default exchanges members into the controls on every
    // activation but the first (the first one follows OnInitDialog).
    virtual BOOL OnSetActive();
    // Leaving the page: the default exchanges the controls into the
    // members; FALSE keeps the page.
    virtual BOOL OnKillActive();
    // OK of the sheet (PSN_APPLY).
    void OnOK() override {}
    // Commands IDCANCEL reaching a page leave it alone; the sheet decides.
    void OnCancel() override {}
    virtual void OnReset() {}
    virtual BOOL OnQueryCancel() { return TRUE; }
    // Help button: asks for topic 0x20000 + template id in the help file.
    virtual void OnHelp();

protected:
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    PROPSHEETPAGEA Describe();

    UINT m_captionId;
    std::string m_caption;
    bool m_firstSetActive = true;
    CPropertySheet* m_sheet = nullptr;
};

class CPropertySheet : public CWnd {
public:
    CPropertySheet(const std::string& caption, HWND parent, UINT startPage);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);

    // The modal run: IDOK when the sheet applied its pages and closed in the
    // same step (its OK button, Enter, PSM_PRESSBUTTON with PSBTN_OK or
    // PSBTN_FINISH), IDCANCEL after Cancel, Escape or the close box, also
    // when an OK was refused before; -1 when the sheet could not be created.
    virtual INT_PTR DoModal();

    // Result of the current modal run, known from the moment the sheet ends
    // (so also while its window is being destroyed).
    INT_PTR ModalResult() const { return m_modalResult; }

    // True once the sheet has ended (no page is current any more) and while
    // its windows are destroyed.
    bool IsClosing() const { return !m_hWnd || PropSheet_GetCurrentPageHwnd(m_hWnd) == nullptr; }

protected:
    INT_PTR RunModalLoop();
    // After the framework has initialised the sheet and its first page; the
    // framework's result stands.
    virtual void OnInitDialog() {}
    // Messages of the sheet window; true when handled.
    virtual bool HandleMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    UINT CurrentMessage() const { return m_currentMessage; }

private:
    friend class CPropertyPage;
    static LRESULT CALLBACK SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

    std::string m_caption;
    HWND m_parent;
    UINT m_startPage;
    std::vector<CPropertyPage*> m_pages;
    WNDPROC m_defaultProc = nullptr;
    // Finish on a sheet that is no wizard: the pages whose windows exist
    // apply as after OK.
    void ApplyPagesForFinish();
    // comctl32 sizes the pages in the sheet's font; a page's own font can
    // be wider (MS Sans Serif at 120 DPI) and its controls would be cut.
    // The sheet grows until the largest template fits in the pages' font.
    void FitPagesToTheirTemplates();
    void FitPage(HWND page) const;

    SIZE m_pageSize{};  // the fitted size of a page; 0 while comctl32's stands

    // Set when pages were sent PSN_APPLY; cleared when the sheet is still
    // open once the outermost message that applied them has been handled.
    bool m_pagesApplied = false;
    int m_messageDepth = 0;
    INT_PTR m_modalResult = 0;
    UINT m_currentMessage = 0;
};

}  // namespace fw
