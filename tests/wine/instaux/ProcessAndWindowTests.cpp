// RunProcessAndWait and BringInstallerToFront on real processes and windows.
#include "InstallMachine.h"

#include "../TestFiles.h"
#include "../WindowDriver.h"

#include "instaux/ProcessLaunch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace instauxtest;

namespace {

struct RunCase {
    const char* name;
    bool workingFolderGiven;
    int showCommand;
};

class InstauxRunProcessAndWait : public testing::TestWithParam<RunCase> {};

TEST_P(InstauxRunProcessAndWait, StartsTheProgramInItsFolderAndWaitsUntilItEnds)
{
    const std::string tool = FreshFolder("tool");
    const std::string work = FreshFolder("work");
    const std::string caller = FreshFolder("caller");
    ASSERT_TRUE(CopyInto(testkit::KeldOptExePath(), tool + "KELDOpt.EXE"));
    ASSERT_TRUE(SetCurrentDirectoryA(caller.c_str()));
    // The tool starts suspended and is then held until it has written its
    // log; a caller that does not wait returns before the tool has ended.
    bool started = false, endedFirst = false;
    {
        HeldImportTool held(tool + "KELDOpt.log");
        const char* folder = GetParam().workingFolderGiven ? work.c_str() : nullptr;
        started = instaux::RunProcessAndWait("\"" + tool + "KELDOpt.EXE\" \"A:\\KELD.KCI\"", folder,
                                             GetParam().showCommand);
        endedFirst = held.Ended();
    }

    EXPECT_TRUE(started);
    EXPECT_TRUE(endedFirst) << "returned before the program ended";
    const std::string expectedFolder = GetParam().workingFolderGiven ? work : caller;
    EXPECT_EQ(testkit::ReadFile(tool + "KELDOpt.log"),
              "arguments=1 argument=A:\\KELD.KCI folder=" + expectedFolder.substr(0, expectedFolder.size() - 1) +
                  " show=" + std::to_string(GetParam().showCommand) + " lock=free\r\n");
}

INSTANTIATE_TEST_SUITE_P(Folders, InstauxRunProcessAndWait,
    testing::Values(RunCase{"given_folder", true, SW_SHOW}, RunCase{"callers_folder", false, SW_SHOWMINIMIZED}),
    [](const testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST(InstauxRunProcessAndWait, FailsForAProgramThatDoesNotExist)
{
    EXPECT_FALSE(instaux::RunProcessAndWait("\"C:\\keldtest\\instaux\\nowhere\\KELDOpt.EXE\" x", nullptr, SW_SHOW));
}

// Another thread's window has the foreground; the first visible top-level
// window of the calling thread gets it back. Hidden windows of the thread
// are passed over.
TEST(InstauxBringInstallerToFront, GivesTheForegroundToTheCallingThreadsWindow)
{
    HWND installer = CreateWindowA("STATIC", "installer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 120, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND hidden = CreateWindowA("STATIC", "hidden", WS_OVERLAPPEDWINDOW, 60, 60, 300, 120, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    std::atomic<HWND> other{nullptr};
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread otherThread([&] {
        HWND window = CreateWindowA("STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 120, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(window);
        other = window;
        while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        DestroyWindow(window);
    });
    ASSERT_TRUE(testkit::WaitUntil([&] { return other && GetForegroundWindow() == other; }, 5000));

    instaux::BringInstallerToFront();
    EXPECT_TRUE(testkit::WaitUntil([&] { return GetForegroundWindow() == installer; }, 5000))
        << "foreground: " << testkit::ClassOf(GetForegroundWindow());

    SetEvent(done);
    otherThread.join();
    CloseHandle(done);
    DestroyWindow(hidden);
    DestroyWindow(installer);
}

}  // namespace
