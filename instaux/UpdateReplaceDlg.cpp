#include "instaux/UpdateReplaceDlg.h"

#include "resources/instaux_resource.h"

#include <utility>

namespace instaux {

CUpdateReplaceDlg::CUpdateReplaceDlg(std::string firstLine)
    : fw::CDialog(IDD_UPDATE_REPLACE), FirstLine(std::move(firstLine))
{
}

void CUpdateReplaceDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, IDC_FIRST_LINE, FirstLine);
}

bool CUpdateReplaceDlg::OnCommandMessage(UINT id, UINT code, HWND)
{
    if ((id == IDC_UPDATE || id == IDC_REPLACE) && code == BN_CLICKED) {
        EndDialog(static_cast<int>(id));
        return true;
    }
    return false;
}

INT_PTR AskUpdateOrReplace(const std::string& firstLine, HWND owner)
{
    CUpdateReplaceDlg dialog(firstLine);
    return dialog.DoModal(owner);
}

}  // namespace instaux
