// KELDSetup.exe entry point.
#include "framework/App.h"
#include "setup/SetupApp.h"

namespace {
keld::CSetupApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return fw::AppMain();
}
