#include "setup/pages/DibPicture.h"

#include "framework/App.h"

#include <climits>
#include <cstring>

namespace keld {

namespace {

template <typename T>
T Field(const BYTE* data, size_t offset)
{
    T value;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

}  // namespace

CDibPicture::CDibPicture() : paletteArea{}, paletteRecord(reinterpret_cast<LOGPALETTE*>(&paletteArea)) {}

CDibPicture::~CDibPicture()
{
    Release();
}

bool CDibPicture::IsInfoHeader() const
{
    return Field<DWORD>(bitmapData, 0) == sizeof(BITMAPINFOHEADER);
}

int CDibPicture::HeaderSize() const
{
    return IsInfoHeader() ? sizeof(BITMAPINFOHEADER) : sizeof(BITMAPCOREHEADER);
}

int CDibPicture::Width() const
{
    if (!IsLoaded())
        return 0;
    return IsInfoHeader() ? Field<LONG>(bitmapData, 4) : Field<WORD>(bitmapData, 4);
}

int CDibPicture::Height() const
{
    if (!IsLoaded())
        return 0;
    return IsInfoHeader() ? Field<LONG>(bitmapData, 8) : Field<WORD>(bitmapData, 6);
}

int CDibPicture::BitsPerPixel() const
{
    if (!IsLoaded())
        return -1;
    return IsInfoHeader() ? Field<WORD>(bitmapData, 14) : Field<WORD>(bitmapData, 10);
}

int CDibPicture::NumColors() const
{
    if (!IsLoaded())
        return -1;
    if (IsInfoHeader()) {
        DWORD used = Field<DWORD>(bitmapData, 32);
        if (used != 0)
            return static_cast<int>(used);
    }
    int bits = BitsPerPixel();
    return bits < 31 ? 1 << bits : INT_MAX;
}

const BYTE* CDibPicture::Bits() const
{
    if (!IsLoaded())
        return nullptr;
    size_t offset = static_cast<size_t>(HeaderSize());
    if (BitsPerPixel() <= 8)
        offset += static_cast<size_t>(NumColors()) * (IsInfoHeader() ? 4 : 3);
    return bitmapData + offset;
}

// The resource must hold the header, the colour table and every pixel row;
// anything shorter, or a palette larger than the work area, is refused.
bool CDibPicture::Fits(DWORD resourceSize) const
{
    if (resourceSize < sizeof(BITMAPCOREHEADER))
        return false;
    if (IsInfoHeader() && resourceSize < sizeof(BITMAPINFOHEADER))
        return false;
    int bits = BitsPerPixel();
    if (Width() <= 0 || Height() <= 0 || bits <= 0 || bits > 32)
        return false;
    if (bits <= 8 && (NumColors() < 1 || NumColors() > 256))
        return false;
    if (IsInfoHeader() && Field<DWORD>(bitmapData, 16) != BI_RGB)
        return false;
    unsigned long long stride = ((static_cast<unsigned long long>(Width()) * bits + 31) / 32) * 4;
    unsigned long long needed = static_cast<unsigned long long>(Bits() - bitmapData) + stride * Height();
    return needed <= resourceSize;
}

BOOL CDibPicture::Load(UINT resourceId)
{
    if (IsLoaded())
        return FALSE;
    HINSTANCE module = fw::CWinApp::Current()->ResourceHandle();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, found);
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (!data)
        return FALSE;
    bitmapData = data;
    if (!Fits(::SizeofResource(module, found))) {
        bitmapData = nullptr;
        return FALSE;
    }
    if (BitsPerPixel() > 8)
        return TRUE;

    paletteArea.version = 0x300;
    paletteArea.entryCount = static_cast<WORD>(NumColors());
    const BYTE* table = bitmapData + HeaderSize();
    const int entrySize = IsInfoHeader() ? 4 : 3;
    for (int i = 0; i < NumColors(); ++i) {
        const BYTE* entry = table + i * entrySize;
        paletteArea.entries[i] = PALETTEENTRY{entry[2], entry[1], entry[0], PC_NOCOLLAPSE};
    }
    palette = ::CreatePalette(paletteRecord);
    return TRUE;
}

int CDibPicture::Draw(HDC dc, const RECT& destination, const RECT& source) const
{
    if (!IsLoaded())
        return 0;
    HPALETTE previous = nullptr;
    if (palette) {
        previous = ::SelectPalette(dc, palette, TRUE);
        ::RealizePalette(dc);
    }
    ::SetStretchBltMode(dc, COLORONCOLOR);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bitmapData);
    int destinationWidth = destination.right - destination.left;
    int destinationHeight = destination.bottom - destination.top;
    int sourceWidth = source.right - source.left;
    int sourceHeight = source.bottom - source.top;
    int lines;
    if (destinationWidth == sourceWidth && destinationHeight == sourceHeight) {
        lines = ::SetDIBitsToDevice(dc, destination.left, destination.top, destinationWidth, destinationHeight,
                                    source.left, Height() - source.bottom, 0, Height(), Bits(), info,
                                    DIB_RGB_COLORS);
    } else {
        lines = ::StretchDIBits(dc, destination.left, destination.top, destinationWidth, destinationHeight,
                                source.left, source.top, sourceWidth, sourceHeight, Bits(), info, DIB_RGB_COLORS,
                                SRCCOPY);
    }
    if (palette)
        ::SelectPalette(dc, previous, TRUE);
    return lines;
}

void CDibPicture::Release()
{
    if (!IsLoaded())
        return;
    bitmapData = nullptr;
    if (palette) {
        ::DeleteObject(palette);
        palette = nullptr;
    }
}

}  // namespace keld
