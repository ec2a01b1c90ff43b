// The two pictures of the Interface Card page: the row of DIP switches and
// the card with its navy surround drawn transparent, both at the screen's
// DPI.
#pragma once
#include "framework/Wnd.h"

#include <cstdint>

namespace keld {

class CDipSwitchButton : public fw::CWnd {
public:
    ~CDipSwitchButton() override;

    // Loads the two-cell bitmap and sizes the control to the switch row.
    BOOL Setup(UINT bitmapId, int switchCount, uint16_t baseAddress, uint16_t address);
    // Shows another switch pattern; repaints only when it changed.
    void SetPosition(uint16_t index);
    uint16_t Position() const { return positionIndex; }
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    // The row in picture pixels: a one-pixel frame around the cells.
    int PictureWidth() const { return switchCount * cellWidth + 2; }
    int PictureHeight() const { return cellHeight + 2; }

    HBITMAP cellBitmap = nullptr;
    int cellWidth = 0;
    int cellHeight = 0;
    int switchCount = 0;
    uint16_t baseAddress = 0;
    uint16_t positionIndex = 0;
};

class CTransparentBitmapButton : public fw::CWnd {
public:
    ~CTransparentBitmapButton() override;

    BOOL Setup(UINT bitmapId);
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    HBITMAP bitmap = nullptr;
};

}  // namespace keld
