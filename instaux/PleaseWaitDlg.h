// The progress window shown while the pre-install check runs: modeless,
// without a parent, made when the object is constructed.
#pragma once
#include "framework/Dialog.h"

namespace instaux {

class CPleaseWaitDlg : public fw::CDialog {
public:
    CPleaseWaitDlg();

    // Shows the window and paints it at once.
    void ShowNow();
    // Moves the bar (range 0 to 100) and paints it at once.
    void SetPos(int position);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

private:
    fw::CWnd m_progress;
};

}  // namespace instaux
