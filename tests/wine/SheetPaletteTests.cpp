// The configuration sheet's palette on a display with a system palette
// (8 bits per pixel): this program runs on an Xvfb of that depth
// (cmake/wine-run-8bit.sh). Wine tells every top-level window with
// WM_PALETTECHANGED when a window realises a palette in the foreground and
// entries of the system palette change; the sheet is driven through its
// real windows from a second thread.
#include "UiThread.h"
#include "WindowDriver.h"

#include "setup/ConfigureSheet.h"
#include "setup/SetupApp.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testkit;

namespace {

keld::CSetupApp g_app;

// The changer (wParam) of every WM_PALETTECHANGED that `g_sheet` receives.
HWND g_sheet = nullptr;
std::vector<HWND> g_changers;
HHOOK g_hook = nullptr;

LRESULT CALLBACK RecordPaletteChanged(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_PALETTECHANGED && message->hwnd == g_sheet)
        g_changers.push_back(reinterpret_cast<HWND>(message->wParam));
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// 64 colours, each asking for an entry of the system palette of its own
// (PC_NOCOLLAPSE), as the pictures' palettes do.
HPALETTE MakePalette(int seed)
{
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[64];
    } logical{0x300, 64, {}};
    for (int i = 0; i < 64; ++i)
        logical.entries[i] = {BYTE(3 + i * 4), BYTE(seed + i * 2), BYTE(250 - i * 3), PC_NOCOLLAPSE};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
}

// Realises `palette` on a DC of `window`, in the foreground or the
// background; the number of entries whose mapping changed.
UINT Realize(HWND window, HPALETTE palette, bool background)
{
    HDC dc = GetDC(window);
    HPALETTE old = SelectPalette(dc, palette, background ? TRUE : FALSE);
    UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, TRUE);
    ReleaseDC(window, dc);
    return changed == GDI_ERROR ? 0 : changed;
}

enum class Changer { OtherApplicationInFront, OtherApplicationBehind, Sheet, ControlOnAPage };

// What the sheet does about the change.
enum class Reaction {
    Repaints,          // realises its palette in the background, which changed entries
    NothingToRepaint,  // another application's change that left the sheet's entries in place
    Ignores,           // its own change: does not realise its palette
};

struct PaletteChangeCase {
    const char* name;
    Changer changer;
    Reaction reaction;
};

class SheetOnAPaletteDisplay : public testing::TestWithParam<PaletteChangeCase> {};

// Another application realised its palette: the sheet realises its own
// again in the background, and repaints when that changed entries, as it
// does when the other application's palette, realised in the foreground,
// took the system palette's entries. A change that the sheet or a window
// inside it made is its own: nothing happens.
TEST_P(SheetOnAPaletteDisplay, RealisesItsPaletteAgainOnlyWhenAnotherApplicationChangedTheSystemPalette)
{
    const PaletteChangeCase& c = GetParam();
    const bool stranger = c.changer == Changer::OtherApplicationInFront || c.changer == Changer::OtherApplicationBehind;
    UiInvoker ui;
    keld::CConfigureSheet sheet(g_app.AppName(), nullptr, 1);  // the Welcome page, with a palette of its own, is not shown
    HPALETTE own = MakePalette(0);
    HPALETTE other = MakePalette(100);
    bool paletteDevice = false, sheetInForeground = false, expectedForeground = false, cleanBefore = false;
    bool repainted = false;
    UINT changedByTheChanger = 0, stillToRealise = 0;
    HWND changer = nullptr;
    std::vector<HWND> changers;
    g_hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPaletteChanged, nullptr, GetCurrentThreadId());
    RunSheet([&] { return sheet.DoModal(); }, [&](HWND window) {
        ui.Invoke([&] {
            g_sheet = window;
            HDC dc = GetDC(window);
            paletteDevice = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) && GetDeviceCaps(dc, BITSPIXEL) == 8;
            ReleaseDC(window, dc);
            sheetInForeground = GetForegroundWindow() == window;
            sheet.SetPalette(own);  // realised in the foreground, the sheet's own change
            switch (c.changer) {
            case Changer::OtherApplicationInFront:
            case Changer::OtherApplicationBehind:
                changer = CreateWindowA("STATIC", "other application", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
                if (c.changer == Changer::OtherApplicationInFront) {
                    ShowWindow(changer, SW_SHOW);
                    SetForegroundWindow(changer);
                } else {
                    ShowWindow(changer, SW_SHOWNA);
                }
                break;
            case Changer::Sheet:
                changer = window;
                break;
            case Changer::ControlOnAPage:
                changer = GetWindow(CurrentPage(window), GW_CHILD);
                break;
            }
            expectedForeground =
                GetForegroundWindow() == (c.changer == Changer::OtherApplicationInFront ? changer : window);
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            cleanBefore = !GetUpdateRect(window, nullptr, FALSE);
            g_changers.clear();
            if (c.changer == Changer::OtherApplicationBehind) {
                // Realised in the background it is no primary palette and
                // takes free entries only; Wine tells no one of that,
                // Windows every top-level window.
                changedByTheChanger = Realize(changer, other, true);
                SendMessageA(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(changer), 0);
            } else {
                // The foreground window's primary palette: Wine tells every
                // top-level window before it returns.
                changedByTheChanger = Realize(changer, other, false);
            }
            changers = g_changers;
            repainted = GetUpdateRect(window, nullptr, FALSE);
            // Nothing left to change once the sheet has realised its palette
            // in the background itself.
            stillToRealise = Realize(window, own, true);
            if (stranger)
                DestroyWindow(changer);
        });
        PressButton(window, IDCANCEL);
    });
    UnhookWindowsHookEx(g_hook);
    g_sheet = nullptr;
    DeleteObject(own);
    DeleteObject(other);

    ASSERT_TRUE(paletteDevice) << "the test display must have a system palette of 8 bits";
    ASSERT_TRUE(sheetInForeground) << "the sheet did not come to the foreground";
    ASSERT_TRUE(expectedForeground) << "the changer's window (or the sheet, for one behind it) is not in front";
    ASSERT_TRUE(cleanBefore) << "the sheet owed a repaint before the change";
    ASSERT_GT(changedByTheChanger, 0u) << "the changer's palette changed no entry of the system palette";
    ASSERT_EQ(changers, std::vector<HWND>{changer}) << "WM_PALETTECHANGED reached the sheet otherwise";
    EXPECT_EQ(repainted, c.reaction == Reaction::Repaints);
    switch (c.reaction) {
    case Reaction::Repaints:
        EXPECT_EQ(stillToRealise, 0u) << "the sheet did not realise its palette in the background";
        break;
    case Reaction::NothingToRepaint:
        break;  // its entries in place, realising them again changes none either way
    case Reaction::Ignores:
        EXPECT_GT(stillToRealise, 0u) << "the sheet realised its palette for a change of its own";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Changers, SheetOnAPaletteDisplay,
    testing::Values(
        PaletteChangeCase{"OtherApplicationInFront", Changer::OtherApplicationInFront, Reaction::Repaints},
        PaletteChangeCase{"OtherApplicationBehind", Changer::OtherApplicationBehind, Reaction::NothingToRepaint},
        PaletteChangeCase{"Sheet", Changer::Sheet, Reaction::Ignores},
        PaletteChangeCase{"ControlOnAPage", Changer::ControlOnAPage, Reaction::Ignores}),
    [](const testing::TestParamInfo<PaletteChangeCase>& info) { return std::string(info.param.name); });

}  // namespace
