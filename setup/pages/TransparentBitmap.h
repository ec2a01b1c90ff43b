// Draws a bitmap with the target's background colour as the transparent key.
#pragma once
#include <windows.h>

namespace keld {

// Copies width x height pixels of `source` (at sourceX, sourceY) to `target`
// at (x, y); source pixels of the target's current background colour leave
// the target as it was.
BOOL DrawTransparentBitmap(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY);

}  // namespace keld
