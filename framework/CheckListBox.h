// A list box with a check box in front of each item (owner-drawn, with
// strings). A click on an item's check box selects the item and toggles its
// mark, the space bar toggles the selected item's mark; the parent then
// gets WM_COMMAND with CLBN_CHKCHANGE. The caret stays on the selection.
#pragma once
#include "framework/Wnd.h"

#include <string>
#include <vector>

namespace fw {

// Notification code sent after the user changed a check mark; the index of
// the item is that of the caret item (LB_GETCARETINDEX).
inline constexpr UINT CLBN_CHKCHANGE = 40;
// The check mark of item wParam: 1 checked, 0 clear, LB_ERR for no such
// item. Also answers other threads and processes.
inline constexpr UINT CLB_GETCHECK = WM_USER + 200;

class CCheckListBox : public CWnd {
public:
    // Adds an item in sorted order; its index, or LB_ERR / LB_ERRSPACE.
    int AddString(const std::string& text);
    bool DeleteString(int index);
    int GetCount() const;
    int GetCurSel() const;
    void SetCurSel(int index);
    bool SetItemDataPtr(int index, void* data);
    void* GetItemDataPtr(int index) const;
    std::string GetText(int index) const;
    void SetCheck(int index, bool checked);
    bool GetCheck(int index) const;

    void DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int CheckBoxSize() const;
    void KeepCaretOnSelection();
    void Toggle(int index);
    void RedrawItem(int index);

    std::vector<bool> m_checks;  // by item index
};

}  // namespace fw
