// The installer's call before it copies files: refuse while the product
// runs, classify an installation found, back up, clean up, stop the driver.
#include "instaux/InstallDecisions.h"
#include "instaux/InstallHelperApp.h"
#include "instaux/InstallMessages.h"
#include "instaux/InstallPaths.h"
#include "instaux/PleaseWaitDlg.h"
#include "instaux/RegistryCleanup.h"
#include "instaux/UpdateReplaceDlg.h"
#include "resources/instaux_resource.h"

#include "framework/MessageBox.h"
#include "framework/ServiceControl.h"

#include <memory>

namespace instaux {

namespace {

inline constexpr int kResultCancelled = -1;
inline constexpr int kResultOtherLocation = -256;
inline constexpr size_t kExistingDirSize = 260;

// Text comparison without regard to case, code-page aware: both texts go
// to UTF-16 and are compared by their upper-case forms, character by
// character, with no linguistic rules.
bool SameDirectoryText(const std::string& a, const std::string& b)
{
    auto wide = [](const std::string& text) {
        int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring result(static_cast<size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), n);
        return result;
    };
    std::wstring wa = wide(a);
    std::wstring wb = wide(b);
    return ::CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()),
                                  TRUE) == CSTR_EQUAL;
}

// The progress window for the time of one check: whatever the result, it
// is destroyed and forgotten before the result is returned.
class ProgressWindowScope {
public:
    explicit ProgressWindowScope(CInstallHelperApp& app) : m_app(app), m_window(std::make_unique<CPleaseWaitDlg>())
    {
        m_window->ShowNow();
        m_app.Progress = m_window.get();
    }
    ~ProgressWindowScope() { m_app.Progress = nullptr; }
    ProgressWindowScope(const ProgressWindowScope&) = delete;
    ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;

private:
    CInstallHelperApp& m_app;
    std::unique_ptr<CPleaseWaitDlg> m_window;
};

}  // namespace

int CInstallHelperApp::PreInstallCheck(DWORD value, const char* targetDir, const char* backupDir, char* existingDir)
{
    // Whatever this call ends with, an earlier check's decision is gone.
    m_checkDecided = false;
    m_backedUp.clear();
    // Relative directories would send the clean-up to the installer's
    // current directory and the started programs through the search path.
    for (const char* directory : {targetDir, backupDir}) {
        std::string text = directory ? directory : "";
        if (!IsFullDirectoryPath(text)) {
            fw::AppMessageBox(fw::FormatResourceString(IDS_DIRECTORY_NOT_FULL, text));
            return kResultCancelled;
        }
    }
    if (!AcquireInstanceLock()) {
        fw::AppMessageBox(text::kProductRunning);
        return kResultCancelled;
    }
    TargetDirectory = targetDir ? targetDir : "";
    BackupDirectory = backupDir ? backupDir : "";
    FirstArgument = value;

    int result;
    {
        ProgressWindowScope progress(*this);
        result = RunCheck(existingDir);
    }
    m_checkDecided = result > 0;
    return result;
}

// The check's steps after the lock: find the installation, agree on where
// to install, decide the mode, then prepare the target.
int CInstallHelperApp::RunCheck(char* existingDir)
{
    IsWindowsNT = fw::IsWindowsNT();
    SetProgress(5);
    DetectInstalledVersion();
    SetProgress(10);
    if (int result = ConfirmLocation(existingDir))
        return result;
    SetProgress(20);
    if (SameLocation) {
        if (int result = DecideInstallMode())
            return result;
    }
    return PrepareTarget();
}

// An installation elsewhere than the target: the operator installs at the
// target anyway (Yes), declines for the other location (No: -256, with
// that location in existingDir) or cancels. 0 goes on.
int CInstallHelperApp::ConfirmLocation(char* existingDir)
{
    if (!InstallationFound)
        return 0;
    SetProgress(15);
    if (SameDirectoryText(TargetDirectory, InstalledDirectory)) {
        SameLocation = true;
        return 0;
    }
    std::string warning = std::string(text::kOtherLocationHead) + InstalledDirectory + text::kOtherLocationTail;
    int answer = fw::AppMessageBox(warning, MB_YESNOCANCEL);
    if (answer == IDNO) {
        if (existingDir)
            ::lstrcpynA(existingDir, InstalledDirectory.c_str(), static_cast<int>(kExistingDirSize));
        ReleaseInstanceLock();
        return kResultOtherLocation;
    }
    return answer == IDYES ? 0 : kResultCancelled;
}

// Over an installation in the target: Update or Replace as its version
// allows and the operator chooses, with the backup before a Replace. 0 goes
// on.
int CInstallHelperApp::DecideInstallMode()
{
    SetProgress(25);
    VersionDecision decision = DecisionForVersion(VersionNumber);
    switch (decision.question) {
    case VersionQuestion::ReplaceOnly:
        if (fw::AppMessageBox(text::kOnlyReplace, MB_YESNO) != IDYES)
            return kResultCancelled;
        InstallMode = kReplace;
        break;
    case VersionQuestion::Refuse:
        fw::AppMessageBox(text::kNewerInstalled);
        return kResultCancelled;
    case VersionQuestion::UpdateOrReplace: {
        INT_PTR answer = AskUpdateOrReplace(decision.firstLine, Progress ? Progress->GetSafeHwnd() : nullptr);
        if (answer == IDC_UPDATE)
            InstallMode = kUpdate;
        else if (answer == IDC_REPLACE)
            InstallMode = kReplace;
        else
            return kResultCancelled;
        break;
    }
    }
    SetProgress(30);
    if (InstallMode == kReplace && !BackUpConfigurationFiles() &&
        fw::AppMessageBox(text::kBackupFailed, MB_YESNO) != IDYES)
        return kResultCancelled;
    return 0;
}

// Clears the old option registrations and data files (not on an Update)
// and stops the card driver; the install mode, or -1.
int CInstallHelperApp::PrepareTarget()
{
    SetProgress(50);
    if (InstallMode != kUpdate) {
        RemoveOptionRegistry();
        SetProgress(55);
        DeleteObsoleteFiles();
    }
    SetProgress(60);
    if (!StopBoardDriver()) {
        fw::AppMessageBox(IDS_DRIVER_STOP_FAILED);
        return kResultCancelled;
    }
    // Four pauses of 100 ms, 400 ms in all: each ends 100 ms after the one
    // before, so that painting the bar and the scheduler's lateness do not
    // add up over the four.
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    LONGLONG end = 0;
    for (int position : {70, 80, 90, 100}) {
        SetProgress(position);
        end += 100;
        ::QueryPerformanceCounter(&now);
        const LONGLONG elapsed = (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
        if (elapsed < end)
            ::Sleep(static_cast<DWORD>(end - elapsed));
    }
    return InstallMode;
}

void CInstallHelperApp::SetProgress(int position)
{
    if (Progress)
        Progress->SetPos(position);
}

// Copies each configuration file to the backup directory as name +
// ".Backup". False when a copy failed that leaves something without its
// backup; the bar moves on after each file.
bool CInstallHelperApp::BackUpConfigurationFiles()
{
    bool complete = true;
    int listPosition = 0;
    for (const ConfigurationFile& file : kConfigurationFiles) {
        ++listPosition;
        std::string source = TargetDirectory + file.name;
        if (::CopyFileA(source.c_str(), BackupPath(BackupDirectory, file.name).c_str(), FALSE))
            m_backedUp.insert(file.name);
        else if (CopyFailureCounts(file, PathExists(source)))
            complete = false;
        SetProgress(30 + 6 * listPosition);
    }
    return complete;
}

// Failures, missing files included, are ignored. A configuration file
// among the data files is kept unless this check has its backup.
void CInstallHelperApp::DeleteObsoleteFiles()
{
    for (const char* name : kObsoleteDataFiles) {
        std::string path = TargetDirectory + name;
        // Only a configuration file's presence can keep it; any other file
        // is deleted straight away, a missing one failing quietly.
        if (!IsConfigurationFile(name) || MayDeleteObsoleteFile(name, PathExists(path), m_backedUp.count(name) != 0))
            ::DeleteFileA(path.c_str());
    }
}

}  // namespace instaux
