// Asks whether an installation found in the target directory is updated
// or replaced. Ends with IDC_UPDATE, IDC_REPLACE or the cancel code.
#pragma once
#include "framework/Dialog.h"

#include <string>

namespace instaux {

class CUpdateReplaceDlg : public fw::CDialog {
public:
    explicit CUpdateReplaceDlg(std::string firstLine);

    std::string FirstLine;

protected:
    void DoDataExchange(fw::CDataExchange* dx) override;
    bool OnCommandMessage(UINT id, UINT code, HWND control) override;
};

// Asks the question over `owner` (the progress window, or none); the
// dialog's ending code.
INT_PTR AskUpdateOrReplace(const std::string& firstLine, HWND owner);

}  // namespace instaux
