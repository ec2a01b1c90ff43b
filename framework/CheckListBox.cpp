#include "framework/CheckListBox.h"

#include <algorithm>

namespace fw {

int CCheckListBox::AddString(const std::string& text)
{
    LRESULT index = ::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) {
        size_t at = std::min(static_cast<size_t>(index), m_checks.size());
        m_checks.insert(m_checks.begin() + static_cast<std::ptrdiff_t>(at), false);
        KeepCaretOnSelection();
    }
    return static_cast<int>(index);
}

bool CCheckListBox::DeleteString(int index)
{
    if (::SendMessageA(m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR)
        return false;
    if (index >= 0 && static_cast<size_t>(index) < m_checks.size())
        m_checks.erase(m_checks.begin() + index);
    KeepCaretOnSelection();
    return true;
}

// The list box moves its selection index over an insertion or removal but
// not its caret, which would leave the focus rectangle (and the space bar)
// on another item.
void CCheckListBox::KeepCaretOnSelection()
{
    int selected = GetCurSel();
    if (selected >= 0 && ::SendMessageA(m_hWnd, LB_GETCARETINDEX, 0, 0) != selected)
        SetCurSel(selected);
}

int CCheckListBox::GetCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0));
}

int CCheckListBox::GetCurSel() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0));
}

void CCheckListBox::SetCurSel(int index)
{
    ::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool CCheckListBox::SetItemDataPtr(int index, void* data)
{
    return ::SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data)) !=
           LB_ERR;
}

void* CCheckListBox::GetItemDataPtr(int index) const
{
    LRESULT data = ::SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

std::string CCheckListBox::GetText(int index) const
{
    LRESULT length = ::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = ::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void CCheckListBox::SetCheck(int index, bool checked)
{
    if (index < 0 || static_cast<size_t>(index) >= m_checks.size() || m_checks[index] == checked)
        return;
    m_checks[index] = checked;
    RedrawItem(index);
}

bool CCheckListBox::GetCheck(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < m_checks.size() && m_checks[index];
}

int CCheckListBox::CheckBoxSize() const
{
    RECT item{};
    if (::SendMessageA(m_hWnd, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return 13;
    return static_cast<int>(item.bottom - item.top);
}

void CCheckListBox::RedrawItem(int index)
{
    RECT item{};
    if (::SendMessageA(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        ::InvalidateRect(m_hWnd, &item, FALSE);
}

void CCheckListBox::Toggle(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_checks.size())
        return;
    // The notification names the caret item.
    if (::SendMessageA(m_hWnd, LB_GETCARETINDEX, 0, 0) != index)
        ::SendMessageA(m_hWnd, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    m_checks[index] = !m_checks[index];
    RedrawItem(index);
    ::UpdateWindow(m_hWnd);
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), CLBN_CHKCHANGE),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    int size = static_cast<int>(box.bottom - box.top);
    box.right = box.left + size;
    RECT text = item.rcItem;
    text.left = box.right + 2;

    ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_WINDOW));
    RECT check = box;
    ::InflateRect(&check, -1, -1);
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (GetCheck(static_cast<int>(item.itemID)))
        state |= DFCS_CHECKED;
    ::DrawFrameControl(dc, &check, DFC_BUTTON, state);

    bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    std::string label = GetText(static_cast<int>(item.itemID));
    RECT labelRect = text;
    labelRect.left += 1;
    ::DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &labelRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &text);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CLB_GETCHECK:
        if (static_cast<size_t>(wParam) >= m_checks.size())
            return LB_ERR;
        return m_checks[wParam] ? 1 : 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        LRESULT hit = ::SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, lParam);
        LRESULT result = DefaultWindowProc(message, wParam, lParam);
        int x = static_cast<short>(LOWORD(lParam));
        if (HIWORD(hit) == 0 && x < CheckBoxSize())
            Toggle(static_cast<int>(LOWORD(hit)));
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            // The selected item; the caret item of a list without selection.
            int selected = GetCurSel();
            Toggle(selected >= 0 ? selected : static_cast<int>(::SendMessageA(m_hWnd, LB_GETCARETINDEX, 0, 0)));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ')
            return 0;
        break;
    case LB_RESETCONTENT:
        m_checks.clear();
        break;
    default:
        break;
    }
    return DefaultWindowProc(message, wParam, lParam);
}

}  // namespace fw
