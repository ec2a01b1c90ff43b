#include "ConfigurationFixture.h"

#include "setup/valueentry/ValueField.h"


namespace testkit {

keld::CSetupApp& TestApp()
{
    static keld::CSetupApp app;
    return app;
}

void ConfigurationRun::SetUp()
{
    keld::CSetupApp& app = TestApp();
    RemoveDriverService();
    ASSERT_TRUE(InstallDriverFile());
    installation = MakeInstallation("configuration-run");
    app.ProgramIniPath = installation.Path("KELD4K.INI");
    app.TestIniPath = installation.Path("TESTCTL.INI");
    app.ToolsIniPath = installation.Path("NVXTOOLS.INI");
    app.ControlIniPath = WindowsFolder() + "KELDORAN.INI";
    app.IsWindowsNT = true;
    keld::InchUnits = 1;
}

void ConfigurationRun::TearDown()
{
    RemoveDriverService();
}

std::string ConfigurationRun::Program(const char* key) const
{
    return ProfileText(TestApp().ProgramIniPath, "Settings", key);
}

std::string ConfigurationRun::Tools(const char* key) const
{
    return ProfileText(TestApp().ToolsIniPath, "Tools", key);
}

std::string ConfigurationRun::Control(const char* section, const char* key) const
{
    return ProfileText(TestApp().ControlIniPath, section, key);
}

void ConfigurationRun::WriteProgram(const std::string& lines) const
{
    WriteFile(TestApp().ProgramIniPath, "[Settings]\r\n" + lines);
}

INT_PTR ConfigurationRun::Run(const std::function<void(HWND sheet)>& drive, UINT startPage)
{
    keld::CConfigureSheet configureSheet(TestApp().AppName(), nullptr, startPage);
    sheet = &configureSheet;
    INT_PTR result = RunSheet([&] { return configureSheet.DoModal(); }, drive, &messagesBeforeSheet);
    sheet = nullptr;
    return result;
}

std::string Text(HWND page, int id)
{
    return TextOf(GetDlgItem(page, id));
}

bool Checked(HWND page, int id)
{
    return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ClickSpin(HWND spin, bool up)
{
    RECT rect;
    GetClientRect(spin, &rect);
    LPARAM point = MAKELPARAM(rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4);
    PostMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(spin, WM_LBUTTONUP, 0, point);
}

}  // namespace testkit
