// CDibPicture on real GDI: resource bitmaps with information and core
// headers, their palettes, and unscaled and stretched drawing.
#include "ConfigurationFixture.h"

#include "resources/resource.h"
#include "framework/Dialog.h"
#include "setup/pages/CardPictures.h"
#include "setup/pages/DibPicture.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testkit;

namespace {

constexpr UINT kCore4 = 901, kUsed20 = 902, kUsed300 = 903, kShort = 904;

std::vector<PALETTEENTRY> Entries(HPALETTE palette)
{
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(palette, 0, 0, nullptr));
    GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
    return entries;
}

class DibPicture : public testing::Test {
protected:
    void SetUp() override { TestApp(); }
};

TEST_F(DibPicture, MachinePictureIsA256ColourBitmapWithItsPalette)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(IDB_MACHINE));
    EXPECT_TRUE(dib.IsLoaded());
    EXPECT_EQ(dib.Width(), 229);
    EXPECT_EQ(dib.Height(), 195);
    EXPECT_EQ(dib.BitsPerPixel(), 8);
    EXPECT_EQ(dib.NumColors(), 256);
    ASSERT_NE(dib.GetPalette(), nullptr);
    EXPECT_EQ(Entries(dib.GetPalette()).size(), 256u);
    EXPECT_EQ(Entries(dib.GetPalette())[0].peFlags, PC_NOCOLLAPSE);
}

TEST_F(DibPicture, SecondLoadIsRefusedAndKeepsTheFirstBitmap)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(kUsed20));
    EXPECT_FALSE(dib.Load(IDB_MACHINE));
    EXPECT_EQ(dib.Width(), 8);
    EXPECT_EQ(dib.NumColors(), 20);
}

TEST_F(DibPicture, ReleasedOrMissingBitmapReportsNothing)
{
    keld::CDibPicture dib;
    EXPECT_FALSE(dib.Load(12345));
    ASSERT_TRUE(dib.Load(kUsed20));
    dib.Release();
    EXPECT_FALSE(dib.IsLoaded());
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.Height(), 0);
    EXPECT_EQ(dib.BitsPerPixel(), -1);
    EXPECT_EQ(dib.NumColors(), -1);
    EXPECT_EQ(dib.GetPalette(), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    RECT rect{0, 0, 8, 4};
    EXPECT_EQ(dib.Draw(dc, rect, rect), 0);
    DeleteDC(dc);
}

TEST_F(DibPicture, CoreHeaderPaletteComesFromThreeByteEntries)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(kCore4));
    EXPECT_EQ(dib.BitsPerPixel(), 4);
    EXPECT_EQ(dib.NumColors(), 16);
    std::vector<PALETTEENTRY> entries = Entries(dib.GetPalette());
    ASSERT_EQ(entries.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(entries[i].peRed, i * 16);
        EXPECT_EQ(entries[i].peGreen, 255 - i * 16);
        EXPECT_EQ(entries[i].peBlue, (i * 37) % 256);
    }
}

TEST_F(DibPicture, ColoursUsedDecideThePaletteSize)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(kUsed20));
    std::vector<PALETTEENTRY> entries = Entries(dib.GetPalette());
    ASSERT_EQ(entries.size(), 20u);
    EXPECT_EQ(entries[19].peRed, 19 * 12);
    EXPECT_EQ(entries[19].peBlue, 255 - 19 * 12);
}

TEST_F(DibPicture, BitmapsThatDoNotFitAreRefused)
{
    keld::CDibPicture tooManyColours, cutShort;
    EXPECT_FALSE(tooManyColours.Load(kUsed300));
    EXPECT_FALSE(tooManyColours.IsLoaded());
    EXPECT_FALSE(cutShort.Load(kShort));
}

// Draws into a 24-bit memory bitmap and reads the pixels back.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ old;
    Canvas()
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, 32, 32, BLACKNESS);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

COLORREF Used20Colour(int x, int y)
{
    int index = x + 8 * (y % 2);
    return RGB(index * 12, 100, 255 - index * 12);
}

TEST_F(DibPicture, EqualRectanglesCopyUnscaled)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(kUsed20));
    Canvas canvas;
    RECT rect{0, 0, 8, 4};
    EXPECT_GT(dib.Draw(canvas.dc, rect, rect), 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(canvas.At(x, y), Used20Colour(x, y)) << x << "," << y;
    EXPECT_EQ(canvas.At(8, 0), RGB(0, 0, 0));
}

TEST_F(DibPicture, OtherDestinationSizeStretches)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(kUsed20));
    Canvas canvas;
    RECT source{0, 0, 8, 4}, destination{0, 0, 16, 8};
    EXPECT_GT(dib.Draw(canvas.dc, destination, source), 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(canvas.At(x, y), Used20Colour(x / 2, y / 2)) << x << "," << y;
}

TEST_F(DibPicture, UnscaledCopyPutsThePartAskedForIntoThePartGiven)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(kUsed20));
    Canvas canvas;
    RECT source{2, 0, 6, 3}, destination{5, 7, 9, 10};
    EXPECT_GT(dib.Draw(canvas.dc, destination, source), 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            POINT at{x, y};
            COLORREF expected = PtInRect(&destination, at) ? Used20Colour(x - 5 + 2, y - 7 + 0) : RGB(0, 0, 0);
            EXPECT_EQ(canvas.At(x, y), expected) << x << "," << y;
        }
}

int CALLBACK NoteRecordType(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM types)
{
    reinterpret_cast<std::vector<DWORD>*>(types)->push_back(record->iType);
    return 1;
}

// The bitmap calls that Draw makes, as an enhanced metafile records them.
std::vector<DWORD> BitmapCallsOfDraw(const keld::CDibPicture& dib, const RECT& destination, const RECT& source)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    dib.Draw(dc, destination, source);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    std::vector<DWORD> types, calls;
    EnumEnhMetaFile(nullptr, metafile, NoteRecordType, &types, nullptr);
    DeleteEnhMetaFile(metafile);
    for (DWORD type : types)
        if (type == EMR_SETDIBITSTODEVICE || type == EMR_STRETCHDIBITS || type == EMR_BITBLT ||
            type == EMR_STRETCHBLT)
            calls.push_back(type);
    return calls;
}

struct DrawCallCase {
    const char* name;
    RECT source;
    RECT destination;
    DWORD call;
};

class DibDrawing : public DibPicture, public testing::WithParamInterface<DrawCallCase> {};

TEST_P(DibDrawing, CopiesUnscaledExactlyWhenTheSizesAreEqual)
{
    keld::CDibPicture dib;
    ASSERT_TRUE(dib.Load(kUsed20));
    EXPECT_EQ(BitmapCallsOfDraw(dib, GetParam().destination, GetParam().source), std::vector<DWORD>{GetParam().call});
}

INSTANTIATE_TEST_SUITE_P(Rectangles, DibDrawing,
    testing::Values(DrawCallCase{"whole", {0, 0, 8, 4}, {0, 0, 8, 4}, EMR_SETDIBITSTODEVICE},
                    DrawCallCase{"part_elsewhere", {2, 0, 6, 3}, {5, 7, 9, 10}, EMR_SETDIBITSTODEVICE},
                    DrawCallCase{"larger", {0, 0, 8, 4}, {0, 0, 16, 8}, EMR_STRETCHDIBITS},
                    DrawCallCase{"other_height_only", {0, 0, 8, 4}, {3, 3, 11, 5}, EMR_STRETCHDIBITS}),
    [](const testing::TestParamInfo<DrawCallCase>& info) { return std::string(info.param.name); });

// A switch row that counts how often it is drawn, on a dialog of its own.
class CountingSwitch : public keld::CDipSwitchButton {
public:
    int draws = 0;
    void DrawItem(const DRAWITEMSTRUCT& item) override
    {
        ++draws;
        keld::CDipSwitchButton::DrawItem(item);
    }
};

class SwitchDialog : public fw::CDialog {
public:
    SwitchDialog() : fw::CDialog(906) {}
    CountingSwitch switches;

protected:
    void DoDataExchange(fw::CDataExchange* dx) override { fw::DDX_Control(dx, 10, switches); }
};

TEST_F(DibPicture, SwitchRowIsSizedToItsCellsAndRepaintsOnlyForANewPattern)
{
    SwitchDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog, SW_SHOW);
    ASSERT_TRUE(dialog.switches.Setup(IDB_DIPSWITCH, 4, 768, 800));
    RECT size;
    GetClientRect(dialog.switches, &size);
    EXPECT_EQ(size.right, 58);
    EXPECT_EQ(size.bottom, 28);
    UpdateWindow(dialog);
    EXPECT_EQ(dialog.switches.Position(), 8);

    int before = dialog.switches.draws;
    dialog.switches.SetPosition(8);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(dialog.switches, &update, FALSE));
    EXPECT_EQ(dialog.switches.draws, before);

    dialog.switches.SetPosition(15);
    EXPECT_EQ(dialog.switches.draws, before + 1);
    EXPECT_EQ(dialog.switches.Position(), 15);
    dialog.DestroyWindow();
}

}  // namespace
