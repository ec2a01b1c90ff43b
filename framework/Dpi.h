// The screen's resolution as this DPI-aware program sees it.
#pragma once

namespace fw {

// Pixels per logical inch of the screen (96 at 100 %).
int ScreenDpi();
// A length of `pixels` at 96 DPI in the screen's pixels.
int ScaleForScreen(int pixels);

}  // namespace fw
