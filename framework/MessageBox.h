// The one message box of a module: modal, captioned with the application
// name, OK and the exclamation icon unless the caller says otherwise.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace fw {

int AppMessageBox(const std::string& text, UINT type = MB_OK);
int AppMessageBox(UINT stringId, UINT type = MB_OK);

// Text of a string-table entry of the module's resources.
std::string LoadResourceString(UINT id);
// The same text with `argument` in place of its "%s".
std::string FormatResourceString(UINT id, const std::string& argument);

// Sees every message box before it is shown. Returning a non-zero button
// id answers it without showing a window; returning 0 lets it show.
using MessageBoxObserver = std::function<int(const std::string& text, UINT type)>;
void SetMessageBoxObserver(MessageBoxObserver observer);

}  // namespace fw
