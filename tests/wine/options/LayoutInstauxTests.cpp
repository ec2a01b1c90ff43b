// The installation library's own windows at the DPI of this run: its Update
// or Replace dialog and its Please Wait window, made from the library's
// templates with the texts the library puts in.
#include "TestFiles.h"
#include "TextFit.h"

#include "resources/instaux_resource.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace optionstest;

namespace {

INT_PTR CALLBACK KeepsDefaults(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct InstauxWindowCase {
    const char* name;
    int templateId;
    int textId;        // a control whose text the library sets, or 0
    const char* text;
};

class LayoutInstaux : public testing::TestWithParam<InstauxWindowCase> {};

TEST_P(LayoutInstaux, CutsNoTextOrControl)
{
    const std::string path = testkit::FromUnixPath(KELD_INSTAUX_DLL);
    HMODULE library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(library, nullptr) << path;
    HWND window = CreateDialogParamA(library, MAKEINTRESOURCEA(GetParam().templateId), nullptr, KeepsDefaults, 0);
    ASSERT_NE(window, nullptr);
    if (GetParam().textId)
        SetDlgItemTextA(window, GetParam().textId, GetParam().text);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    std::vector<std::string> clipped = ClippedTexts(window, GetParam().name);
    for (const std::string& line : ControlsOutside(window, GetParam().name))
        clipped.push_back(line);
    DestroyWindow(window);
    std::ostringstream lines;
    for (const std::string& line : clipped)
        lines << "\n  " << line;
    EXPECT_TRUE(clipped.empty()) << "at " << RunDpi() << " DPI:" << lines.str();
}

INSTANTIATE_TEST_SUITE_P(Windows, LayoutInstaux,
    testing::Values(InstauxWindowCase{"UpdateOrReplaceOld", IDD_UPDATE_REPLACE, IDC_FIRST_LINE,
                                      "An old version of KELDORAN is already installed."},
                    InstauxWindowCase{"UpdateOrReplaceExisting", IDD_UPDATE_REPLACE, IDC_FIRST_LINE,
                                      "An existing version of KELDORAN is already installed."},
                    InstauxWindowCase{"PleaseWait", IDD_PLEASE_WAIT, 0, ""}),
    [](const testing::TestParamInfo<InstauxWindowCase>& info) { return std::string(info.param.name); });

}  // namespace
