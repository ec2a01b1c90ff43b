// A device-independent bitmap drawn straight from the program's resources,
// with a palette made from its colour table.
#pragma once
#include <windows.h>

namespace keld {

class CDibPicture {
public:
    CDibPicture();
    ~CDibPicture();
    CDibPicture(const CDibPicture&) = delete;
    CDibPicture& operator=(const CDibPicture&) = delete;

    BOOL Load(UINT resourceId);
    bool IsLoaded() const { return bitmapData != nullptr; }
    HPALETTE GetPalette() const { return IsLoaded() ? palette : nullptr; }
    int Width() const;
    int Height() const;
    int BitsPerPixel() const;
    int NumColors() const;
    const BYTE* Bits() const;
    int Draw(HDC dc, const RECT& destination, const RECT& source) const;
    void Release();

private:
    bool IsInfoHeader() const;
    int HeaderSize() const;
    bool Fits(DWORD resourceSize) const;

    struct PaletteArea {
        WORD version;
        WORD entryCount;
        PALETTEENTRY entries[256];
    };
    PaletteArea paletteArea;
    LOGPALETTE* paletteRecord;
    HPALETTE palette = nullptr;
    const BYTE* bitmapData = nullptr;
};

}  // namespace keld
