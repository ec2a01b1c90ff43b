#include "setup/pages/PropOpening.h"

#include "resources/resource.h"
#include "setup/ConfigureSheet.h"
#include "setup/valueentry/ValueField.h"

namespace keld {

CPropOpening::CPropOpening() : fw::CPropertyPage(IDD_WELCOME) {}

void CPropOpening::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, IDC_UNITS_INCH, unitsChoice);
    fw::DDX_Control(dx, IDC_PICTURE, picture);
}

BOOL CPropOpening::OnInitDialog()
{
    unitsChoice = InchUnits ? 0 : 1;
    BOOL result = fw::CPropertyPage::OnInitDialog();

    RECT templateRect;
    ::GetClientRect(picture, &templateRect);
    if (!picture.LoadBitmap(IDB_MACHINE) || !picture.SizeToBitmap())
        return result;
    RECT bitmapRect;
    ::GetClientRect(picture, &bitmapRect);

    // Keep the left edge and centre the picture vertically on the space
    // that the template gave it.
    POINT corner{templateRect.left,
                 (templateRect.top + templateRect.bottom - (bitmapRect.bottom - bitmapRect.top)) / 2};
    ::ClientToScreen(picture, &corner);
    ::ScreenToClient(m_hWnd, &corner);
    ::SetWindowPos(picture, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(GetDlgItem(IDC_PICTURE_FRAME), nullptr, corner.x - 2, corner.y - 2,
                   bitmapRect.right - bitmapRect.left + 3, bitmapRect.bottom - bitmapRect.top + 3,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return result;
}

BOOL CPropOpening::OnSetActive()
{
    if (auto* sheet = dynamic_cast<CConfigureSheet*>(GetSheet()))
        sheet->SetPalette(picture.dib.IsLoaded() ? picture.dib.GetPalette() : nullptr);
    return fw::CPropertyPage::OnSetActive();
}

bool CPropOpening::OnCommandMessage(UINT id, UINT code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_UNITS_INCH) {
        InchUnits = 1;
        return true;
    }
    if (id == IDC_UNITS_METRIC) {
        InchUnits = 0;
        return true;
    }
    return false;
}

}  // namespace keld
