// An owner-drawn button that shows a resource bitmap over its whole area.
#pragma once
#include "framework/Wnd.h"
#include "setup/pages/DibPicture.h"

namespace keld {

class CPictureButton : public fw::CWnd {
public:
    ~CPictureButton() override;

    BOOL LoadBitmap(UINT resourceId) { return dib.Load(resourceId); }
    // Resizes the control to the bitmap at the screen's DPI, keeping position
    // and stacking order.
    BOOL SizeToBitmap();
    void DrawItem(const DRAWITEMSTRUCT& item) override;

    CDibPicture dib;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace keld
