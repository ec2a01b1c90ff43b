#include "setup/pages/CardPictures.h"

#include "framework/App.h"
#include "setup/pages/CardAddress.h"
#include "setup/pages/TransparentBitmap.h"

namespace keld {

namespace {

// Loads the program's bitmap `id` into `held`, freeing what it held, and
// gives its size; `held` is left as it was when the bitmap cannot be loaded.
bool ReplaceWithProgramBitmap(HBITMAP& held, UINT id, BITMAP& info)
{
    HBITMAP loaded = ::LoadBitmapA(fw::CWinApp::Current()->ResourceHandle(), MAKEINTRESOURCEA(id));
    if (!loaded)
        return false;
    if (held)
        ::DeleteObject(held);
    held = loaded;
    info = BITMAP{};
    ::GetObjectA(held, sizeof info, &info);
    return true;
}

void ResizeKeepingPlace(HWND window, int width, int height)
{
    ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDipSwitchButton::~CDipSwitchButton()
{
    if (cellBitmap)
        ::DeleteObject(cellBitmap);
}

BOOL CDipSwitchButton::Setup(UINT bitmapId, int count, uint16_t base, uint16_t address)
{
    BITMAP info;
    if (!ReplaceWithProgramBitmap(cellBitmap, bitmapId, info))
        return FALSE;
    cellWidth = info.bmWidth / 2;
    cellHeight = info.bmHeight;
    switchCount = count;
    baseAddress = base;
    positionIndex = SwitchPositionIndex(address, base);
    ResizeKeepingPlace(m_hWnd, switchCount * cellWidth + 2, cellHeight + 2);
    return TRUE;
}

void CDipSwitchButton::SetPosition(uint16_t index)
{
    if (index == positionIndex)
        return;
    positionIndex = index;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CDipSwitchButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (!(item.itemAction & ODA_DRAWENTIRE))
        return;
    HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    ::FrameRect(item.hDC, &item.rcItem, black);

    HDC memory = ::CreateCompatibleDC(item.hDC);
    HGDIOBJ old = memory && cellBitmap ? ::SelectObject(memory, cellBitmap) : nullptr;
    if (old) {
        for (int i = 0; i < switchCount; ++i) {
            int column = DipSwitchCellColumn(positionIndex, i, cellWidth);
            int x = item.rcItem.left + 1 + (switchCount - 1 - i) * cellWidth;
            ::BitBlt(item.hDC, x, item.rcItem.top + 1, cellWidth, cellHeight, memory, column, 0, SRCCOPY);
        }
        ::SelectObject(memory, old);
    }
    if (memory)
        ::DeleteDC(memory);
}

CTransparentBitmapButton::~CTransparentBitmapButton()
{
    if (bitmap)
        ::DeleteObject(bitmap);
}

BOOL CTransparentBitmapButton::Setup(UINT bitmapId)
{
    BITMAP info;
    if (!ReplaceWithProgramBitmap(bitmap, bitmapId, info))
        return FALSE;
    ResizeKeepingPlace(m_hWnd, info.bmWidth, info.bmHeight);
    return TRUE;
}

void CTransparentBitmapButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    HDC memory = ::CreateCompatibleDC(item.hDC);
    HGDIOBJ old = memory && bitmap ? ::SelectObject(memory, bitmap) : nullptr;
    if (old) {
        ::SetBkColor(item.hDC, RGB(0, 0, 128));
        DrawTransparentBitmap(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
                              item.rcItem.bottom - item.rcItem.top, memory, 0, 0);
        ::SelectObject(memory, old);
    }
    if (memory)
        ::DeleteDC(memory);
}

}  // namespace keld
