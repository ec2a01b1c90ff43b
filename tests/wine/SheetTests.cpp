// The configuration sheet built in this process and driven through its
// real windows from a second thread.
#include "TestFiles.h"
#include "UiThread.h"
#include "WindowDriver.h"

#include "framework/App.h"
#include "resources/resource.h"
#include "setup/ConfigureSheet.h"
#include "setup/SetupApp.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

using namespace testkit;

namespace {

keld::CSetupApp g_app;

// Every WM_SHEETCLOSING that a window of this thread receives, in order.
std::vector<std::pair<HWND, WPARAM>> g_closingLog;
HHOOK g_closingHook = nullptr;

LRESULT CALLBACK RecordSheetClosing(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SHEETCLOSING)
        g_closingLog.emplace_back(message->hwnd, message->wParam);
    return CallNextHookEx(g_closingHook, code, wParam, lParam);
}

// Runs the configuration sheet on this thread while `drive` works it from
// another thread; returns the sheet's modal result.
class SheetRun {
public:
    explicit SheetRun(UINT startPage = 0) : m_sheet(g_app.AppName(), nullptr, startPage) {}

    INT_PTR Run(const std::function<void(HWND sheet)>& drive)
    {
        g_closingLog.clear();
        g_closingHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSheetClosing, nullptr, GetCurrentThreadId());
        INT_PTR result = RunSheet([this] { return m_sheet.DoModal(); }, drive);
        UnhookWindowsHookEx(g_closingHook);
        return result;
    }

    keld::CConfigureSheet& Sheet() { return m_sheet; }
    const UiInvoker& Ui() const { return m_ui; }

private:
    UiInvoker m_ui;
    keld::CConfigureSheet m_sheet;
};

// A window of the test's own inside the current page, with a child of its own.
void AddForeignWindows(const UiInvoker& ui, HWND sheet)
{
    HWND page = CurrentPage(sheet);
    ui.Invoke([page] {
        HWND outer = CreateWindowA("STATIC", "foreign", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, page, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        CreateWindowA("BUTTON", "inner", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, outer, nullptr,
                      GetModuleHandleA(nullptr), nullptr);
    });
}

enum class Ending { Ok, Enter, Cancel, Escape, CloseBox, AltF4, PressOk, PressFinish, PressCancel };

HWND FocusOf(HWND sheet, DWORD uiThread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(uiThread, &info);
    return info.hwndFocus ? info.hwndFocus : sheet;
}

void End(HWND sheet, Ending ending, DWORD uiThread)
{
    switch (ending) {
    case Ending::Ok:
        PressButton(sheet, IDOK);
        break;
    case Ending::Enter:
        PressKey(FocusOf(sheet, uiThread), VK_RETURN);
        break;
    case Ending::Cancel:
        PressButton(sheet, IDCANCEL);
        break;
    case Ending::Escape:
        PressKey(FocusOf(sheet, uiThread), VK_ESCAPE);
        break;
    case Ending::CloseBox:
        PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Ending::AltF4: {
        HWND focus = FocusOf(sheet, uiThread);
        constexpr LPARAM kAltDown = LPARAM(1) << 29;
        PostMessageA(focus, WM_SYSKEYDOWN, VK_F4, kAltDown | 1);
        PostMessageA(focus, WM_SYSKEYUP, VK_F4, kAltDown | (LPARAM(3) << 30) | 1);
        // The key posts the close command behind what the test posted.
        WaitFor("the sheet to close on Alt+F4", [sheet] { return !IsWindow(sheet) || !IsWindowVisible(sheet); });
        break;
    }
    // What automation and accessibility tools send; comctl32 applies the
    // pages without a WM_COMMAND reaching the sheet.
    case Ending::PressOk:
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        break;
    case Ending::PressFinish:
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        break;
    case Ending::PressCancel:
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        break;
    }
}

struct EndingCase {
    const char* name;
    Ending ending;
    INT_PTR result;
    WPARAM okFlag;
};

class SheetEnding : public testing::TestWithParam<EndingCase> {};

TEST_P(SheetEnding, TellsEveryDescendantParentsFirstHowTheSheetClosed)
{
    SheetRun run;
    std::vector<HWND> descendants;
    DWORD uiThread = GetCurrentThreadId();
    INT_PTR result = run.Run([&](HWND sheet) {
        AddForeignWindows(run.Ui(), sheet);
        descendants = DescendantsInPreOrder(sheet);
        End(sheet, GetParam().ending, uiThread);
    });
    EXPECT_EQ(result, GetParam().result);
    ASSERT_FALSE(descendants.empty());
    std::vector<HWND> received;
    for (auto [hwnd, okFlag] : g_closingLog) {
        received.push_back(hwnd);
        EXPECT_EQ(okFlag, GetParam().okFlag);
    }
    EXPECT_EQ(received, descendants);
}

INSTANTIATE_TEST_SUITE_P(Endings, SheetEnding,
    testing::Values(EndingCase{"Ok", Ending::Ok, IDOK, 1}, EndingCase{"Enter", Ending::Enter, IDOK, 1},
                    EndingCase{"Cancel", Ending::Cancel, IDCANCEL, 0},
                    EndingCase{"Escape", Ending::Escape, IDCANCEL, 0},
                    EndingCase{"CloseBox", Ending::CloseBox, IDCANCEL, 0},
                    EndingCase{"AltF4", Ending::AltF4, IDCANCEL, 0},
                    EndingCase{"PressOk", Ending::PressOk, IDOK, 1},
                    EndingCase{"PressFinish", Ending::PressFinish, IDOK, 1},
                    EndingCase{"PressCancel", Ending::PressCancel, IDCANCEL, 0}),
    [](const testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

TEST(Sheet, HasFourPagesInOrderAndOpensOnTheStartPage)
{
    SheetRun run(3);
    std::vector<std::string> titles;
    int active = -1;
    run.Run([&](HWND sheet) {
        active = ActivePageIndex(sheet);
        HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            titles.emplace_back(text);
        }
        PressButton(sheet, IDCANCEL);
    });
    EXPECT_EQ(active, 3);
    EXPECT_EQ(titles, (std::vector<std::string>{"Welcome", "General", "Options", "Interface Card"}));
}

TEST(Sheet, CarriesTheProgramIconAndNeverShowsApply)
{
    SheetRun run;
    HICON big = nullptr, small = nullptr;
    bool applyVisible = true;
    run.Run([&](HWND sheet) {
        big = reinterpret_cast<HICON>(SendMessageA(sheet, WM_GETICON, ICON_BIG, 0));
        small = reinterpret_cast<HICON>(SendMessageA(sheet, WM_GETICON, ICON_SMALL, 0));
        // A page marking itself changed enables Apply; it must stay hidden.
        SendMessageA(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0);
        applyVisible = IsWindowVisible(GetDlgItem(sheet, ID_APPLY_NOW));
        PressButton(sheet, IDCANCEL);
    });
    HICON expected = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(big, expected);
    EXPECT_EQ(small, expected);
    EXPECT_FALSE(applyVisible);
}

// Stands in for the help viewer: Wine's WinHelp hands the request to the
// window of class "MS_WINHELP" as WM_COPYDATA.
struct HelpRequest {
    UINT command;
    LONG data;
    std::string file;
};
std::vector<HelpRequest> g_helpRequests;

LRESULT CALLBACK HelpViewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        auto* copy = reinterpret_cast<COPYDATASTRUCT*>(lParam);
#pragma pack(push, 1)
        struct WinHelpData {
            WORD size;
            WORD command;
            LONG data;
            LONG reserved;
            WORD ofsFilename;
            WORD ofsData;
        };
#pragma pack(pop)
        auto* request = static_cast<const WinHelpData*>(copy->lpData);
        const char* file = request->ofsFilename ? static_cast<const char*>(copy->lpData) + request->ofsFilename : "";
        g_helpRequests.push_back({request->command, request->data, file});
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(Sheet, HelpAsksForTheTopicOfEachPageInTheProgramsHelpFile)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HelpViewerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MS_WINHELP";
    RegisterClassA(&windowClass);
    HWND viewer = CreateWindowA("MS_WINHELP", "help", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    g_helpRequests.clear();

    SheetRun run;
    run.Run([&](HWND sheet) {
        for (int page = 0; page < 4; ++page) {
            SendMessageA(sheet, PSM_SETCURSEL, page, 0);
            PressButton(sheet, IDHELP);
            ASSERT_TRUE(WaitFor("help request " + std::to_string(page + 1),
                                [&] { return g_helpRequests.size() == static_cast<size_t>(page + 1); }, 5000));
        }
        PressButton(sheet, IDCANCEL);
    });
    DestroyWindow(viewer);

    std::string helpFile = fw::ModulePath();
    helpFile = helpFile.substr(0, helpFile.find_last_of('.')) + ".HLP";
    ASSERT_EQ(g_helpRequests.size(), 4u);
    const LONG topics[] = {0x20000 + 187, 0x20000 + 188, 0x20000 + 189, 0x20000 + 186};
    for (int page = 0; page < 4; ++page) {
        EXPECT_EQ(g_helpRequests[page].command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(g_helpRequests[page].data, topics[page]) << "page " << page;
        EXPECT_EQ(g_helpRequests[page].file, helpFile);
    }
}

bool IsTrueColour(HWND window)
{
    HDC dc = GetDC(window);
    bool trueColour = !(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) && GetDeviceCaps(dc, BITSPIXEL) >= 24;
    ReleaseDC(window, dc);
    return trueColour;
}

HPALETTE MakePalette()
{
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[16];
    } logical{0x300, 16, {}};
    for (int i = 0; i < 16; ++i)
        logical.entries[i] = {BYTE(i * 16), BYTE(255 - i * 16), BYTE(i * 8), PC_NOCOLLAPSE};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
}

TEST(Sheet, PaletteOnATrueColourDisplayChangesNothingAndRepaintsNothing)
{
    SheetRun run(1);  // the Welcome page, which hands over its palette, is not shown
    HPALETTE first = MakePalette();
    HPALETTE second = MakePalette();
    LRESULT withoutPalette = -1, queryResult = -1, changedResult = -1;
    HPALETTE previousFirst = first, previousSecond = nullptr, welcomePalette = nullptr;
    bool trueColour = false, invalidatedByQuery = true, invalidatedByChange = true;
    HWND stranger = CreateWindowA("STATIC", "other application", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    run.Run([&](HWND sheet) {
        trueColour = IsTrueColour(sheet);
        withoutPalette = SendMessageA(sheet, WM_QUERYNEWPALETTE, 0, 0);
        run.Ui().Invoke([&] {
            previousFirst = run.Sheet().SetPalette(first);
            previousSecond = run.Sheet().SetPalette(second);
            RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        });
        queryResult = SendMessageA(sheet, WM_QUERYNEWPALETTE, 0, 0);
        run.Ui().Invoke([&] { invalidatedByQuery = GetUpdateRect(sheet, nullptr, FALSE); });
        changedResult = SendMessageA(sheet, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(stranger), 0);
        run.Ui().Invoke([&] { invalidatedByChange = GetUpdateRect(sheet, nullptr, FALSE); });
        SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
        run.Ui().Invoke([&] { welcomePalette = run.Sheet().Palette(); });
        PressButton(sheet, IDCANCEL);
    });
    DestroyWindow(stranger);
    ASSERT_TRUE(trueColour) << "the test display must be true colour";
    EXPECT_EQ(withoutPalette, 0);
    EXPECT_EQ(previousFirst, nullptr);
    EXPECT_EQ(previousSecond, first);
    EXPECT_EQ(queryResult, 0);
    EXPECT_FALSE(invalidatedByQuery);
    EXPECT_EQ(changedResult, 0);
    EXPECT_FALSE(invalidatedByChange);
    // The Welcome page hands the machine picture's own palette to the sheet.
    EXPECT_NE(welcomePalette, nullptr);
    EXPECT_NE(welcomePalette, second);
    DeleteObject(first);
    DeleteObject(second);
}

}  // namespace
