// Thin window wrapper shared by dialogs, pages and controls.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() { Detach(); }
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text) const;

    // Controls attached by data exchange receive the owner-draw requests
    // that their parent gets for them.
    virtual void DrawItem(const DRAWITEMSTRUCT&) {}

    // Binds a control window to this object (no subclassing).
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach();

    // Routes the window's messages through WindowProc until it is destroyed.
    bool SubclassWindow(HWND hwnd);

protected:
    // Messages of a subclassed window; the default passes them on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

public:

    static std::string WindowText(HWND hwnd);

protected:
    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC m_previousProc = nullptr;
};

}  // namespace fw
