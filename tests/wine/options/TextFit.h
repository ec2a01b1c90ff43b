// Whether the texts of a window's controls fit them: each static text,
// button, check box, radio button and group-box caption is measured in the
// control's own font and compared with the room the control gives it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace optionstest {

// One line per control whose text does not fit: the window's name, the
// control's id and text, and the sizes.
std::vector<std::string> ClippedTexts(HWND window, const std::string& windowName);

// One line per visible child of `window` that reaches beyond the window's
// client area, where it is cut off.
std::vector<std::string> ControlsOutside(HWND window, const std::string& windowName);

// The DPI this run was started with (KELD_WINE_DPI, else 96).
int RunDpi();

}  // namespace optionstest
