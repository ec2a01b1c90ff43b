// A configuration run in the test's own process on a fresh installation:
// real profile files, registry and service manager, and the real sheet,
// driven from a second thread.
#pragma once
#include "DriverFixture.h"
#include "TestFiles.h"
#include "UiThread.h"
#include "WindowDriver.h"

#include "setup/ConfigureSheet.h"
#include "setup/SetupApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace testkit {

keld::CSetupApp& TestApp();

class ConfigurationRun : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Program(const char* key) const;
    std::string Tools(const char* key) const;
    std::string Control(const char* section, const char* key) const;
    void WriteProgram(const std::string& lines) const;

    // Runs the configuration on this thread while `drive` works the sheet
    // from another one. Message boxes shown before the sheet are collected
    // and answered with OK.
    INT_PTR Run(const std::function<void(HWND sheet)>& drive, UINT startPage = 0);

    Installation installation;
    std::vector<std::string> messagesBeforeSheet;
    keld::CConfigureSheet* sheet = nullptr;  // while Run runs
    UiInvoker ui;
};

std::string Text(HWND page, int id);
bool Checked(HWND page, int id);
// Clicks the upper or lower arrow of a spin control.
void ClickSpin(HWND spin, bool up);

}  // namespace testkit
