; The product's installer. It calls INSTAUX.DLL before it copies anything
; (PreInstallCheck) and after (PostInstall), keeping the library loaded in
; between, and acts on each result as the library's contract says.
;
;   KELDORAN-Setup.exe [/S] [/BACKUP=<folder>\] [/DISK=<folder>\] [/D=<target folder>]
;
; /BACKUP is where PreInstallCheck backs up the configuration files before
; a Replace (default C:\KELDBACKUP\), /DISK the configuration disk that
; PostInstall imports (default A:\). The exit code is the installation's
; mode (1 new, 2 Replace, 3 Update), or 255 when the check refused.
;
; Built by the Windows build with:
;   makensis -DBUILD=<build folder> -DSOURCE=<source folder> -DOUTFILE=<installer> -DVERSION=<a.b.c.d> [-DX64] KELDORAN.nsi
; VERSION is the product's version, the one the programs' version resources
; carry.

!ifdef X64
    Target amd64-unicode
!else
    Target x86-ansi
!endif
!ifndef VERSION
    !error "VERSION (the product's version, a.b.c.d) is not defined"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

Name "KELDORAN"
Caption "KELDORAN Installation"
OutFile "${OUTFILE}"
InstallDir "C:\KELDORAN"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

!define PUBLISHER "Brindlecraft"
!define PRODUCT_KEY "Software\Brindlecraft\PXR2000"
!define MAKER_KEY "Software\Brindlecraft"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KELDORAN"
!define DRIVER_SERVICE "NextMove"
!define DRIVER_KEY "System\CurrentControlSet\Services\NextMove"
!define DRIVER_PARAMETERS "${DRIVER_KEY}\Parameters"
!define DRIVER_IMAGE "drivers\NEXTMOVE.SYS"
; The Start menu folder, for all users.
!define START_MENU "$SMPROGRAMS\KELDORAN"

; The installer's own pages; the library's windows (Update or Replace,
; Please Wait, its messages) come up over the progress page as it shows
; them.
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install KELDORAN on your computer.$\r$\n$\r$\nHave your Configuration Disk ready: once the files are copied, Setup imports your machine's configuration from it and runs KELDORAN Setup, so that you check the installed options.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

; The installer's version information, read by Explorer's properties and by
; whoever runs it.
VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "KELDORAN"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "KELDORAN Installation"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "KELDORAN-Setup.exe"

Var Target
Var Folder  ; the target without its closing backslash
Var Backup
Var Disk
Var Library

Function .onInit
    ${GetParameters} $0
    StrCpy $Backup "C:\KELDBACKUP\"
    StrCpy $Disk "A:\"
    ClearErrors
    ${GetOptions} $0 "/BACKUP=" $1
    ${IfNot} ${Errors}
        StrCpy $Backup $1
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/DISK=" $1
    ${IfNot} ${Errors}
        StrCpy $Disk $1
    ${EndIf}
FunctionEnd

; A folder as the library exchanges it: with its closing backslash.
!macro WithBackslash var
    StrCpy $R9 ${var} 1 -1
    ${If} $R9 != "\"
        StrCpy ${var} "${var}\"
    ${EndIf}
!macroend

Section "KELDORAN"
    StrCpy $Target "$INSTDIR"
    !insertmacro WithBackslash $Target
    !insertmacro WithBackslash $Backup
    !insertmacro WithBackslash $Disk
    CreateDirectory $Backup

    ; The library keeps what the check learns for PostInstall: it stays
    ; loaded from the check to the end of the installation.
    InitPluginsDir
    SetOutPath $PLUGINSDIR
    File "${BUILD}\instaux\INSTAUX.DLL"
    System::Call "kernel32::LoadLibrary(t '$PLUGINSDIR\INSTAUX.DLL') p .s"
    Pop $Library

    ; -256: the operator declined to install beside the installation the
    ; library found elsewhere; check again there.
    check:
        System::Call "$PLUGINSDIR\INSTAUX.DLL::PreInstallCheck(i 0, m '$Target', m '$Backup', m .r1) i .r0"
        DetailPrint "PreInstallCheck($Target) = $0"
        IntCmp $0 -256 0 checked checked
        StrCpy $Target $1
        !insertmacro WithBackslash $Target
        Goto check
    checked:

    IntCmp $0 1 0 refused 0
    IntCmp $0 3 accepted accepted refused
    refused:
        DetailPrint "The installation was refused; nothing was copied."
        SetErrorLevel 255
        Quit
    accepted:
    StrCpy $R0 $0
    StrCpy $Folder $Target -1

    SetOutPath $Target
    SetOverwrite on
    File "${BUILD}\setup\KELDSetup.exe"
    File "${BUILD}\standins\keldoran\KELDORAN.EXE"
    File "${BUILD}\standins\keldopt\KELDOpt.EXE"
    File "${BUILD}\standins\extensions\ATC.DLL"
    File "${BUILD}\standins\extensions\SPINDLE.DLL"
    File "${BUILD}\standins\extensions\COOLANT.DLL"
    File "${BUILD}\standins\extensions\CTRLBRD.DLL"
    ; An Update keeps the operator's settings. (SetOverwrite holds for the
    ; File lines that follow it in the script, so each case has its own.)
    ${If} $R0 = 3
        SetOverwrite off
        File "${SOURCE}\installer\payload\KELD4K.INI"
        File "${SOURCE}\installer\payload\TESTCTL.INI"
        File "${SOURCE}\installer\payload\NVXTOOLS.INI"
    ${Else}
        SetOverwrite on
        File "${SOURCE}\installer\payload\KELD4K.INI"
        File "${SOURCE}\installer\payload\TESTCTL.INI"
        File "${SOURCE}\installer\payload\NVXTOOLS.INI"
    ${EndIf}
    SetOverwrite off
    SetOutPath $WINDIR
    File "${SOURCE}\installer\payload\KELDORAN.INI"
    SetOverwrite on

    ; The card driver: a 64-bit Windows loads only the x86_64 image, from its
    ; native drivers folder; Wine's 32-bit device host loads the i686 image
    ; through the 32-bit view (syswow64\drivers).
!ifdef X64
    ; A 64-bit installer sees the native folder as System32.
    SetOutPath "$WINDIR\System32\drivers"
    File "${BUILD}\standins\nextmove\x86_64\NEXTMOVE.SYS"
    SetOutPath "$WINDIR\SysWOW64\drivers"
    File "${BUILD}\standins\nextmove\i686\NEXTMOVE.SYS"
!else
    ${If} ${RunningX64}
        ${DisableX64FSRedirection}
        SetOutPath "$WINDIR\System32\drivers"
        File "${BUILD}\standins\nextmove\x86_64\NEXTMOVE.SYS"
        ${EnableX64FSRedirection}
        SetOutPath "$WINDIR\SysWOW64\drivers"
        File "${BUILD}\standins\nextmove\i686\NEXTMOVE.SYS"
    ${Else}
        SetOutPath "$SYSDIR\drivers"
        File "${BUILD}\standins\nextmove\i686\NEXTMOVE.SYS"
    ${EndIf}
!endif
    ; The driver's port address, as the card leaves the factory.
    ClearErrors
    ReadRegDWORD $1 HKLM "${DRIVER_PARAMETERS}" "NextMove0"
    ${If} ${Errors}
        WriteRegDWORD HKLM "${DRIVER_PARAMETERS}" "NextMove0" 800
    ${EndIf}

    ; The option extensions: the tool changer, the spindle and the control
    ; board are installed; the coolant pump is there to be reinstalled.
    WriteRegStr HKLM "${PRODUCT_KEY}\SetupExtensions" "Extension1" "ATC,MakeOption"
    WriteRegStr HKLM "${PRODUCT_KEY}\SetupExtensions" "Extension2" "SPINDLE,MakeOption"
    WriteRegStr HKLM "${PRODUCT_KEY}\SetupExtensions" "Extension3" "COOLANT,MakeCoolantPump"
    WriteRegStr HKLM "${PRODUCT_KEY}\SetupExtensions" "Extension4" "CTRLBRD,MakeOption"
    WriteRegDWORD HKLM "${PRODUCT_KEY}\Options\ATC" "Installed" 1
    WriteRegDWORD HKLM "${PRODUCT_KEY}\Options\ATC" "Enabled" 1
    WriteRegDWORD HKLM "${PRODUCT_KEY}\Options\Spindle" "Installed" 1
    WriteRegDWORD HKLM "${PRODUCT_KEY}\Options\Spindle" "Enabled" 1
    WriteRegDWORD HKLM "${PRODUCT_KEY}\Options\ControlBoard" "Installed" 1
    WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" $Target

    WriteUninstaller "$Folder\Uninstall.exe"

    ; The Start menu folder of all users: the machine-control application,
    ; the configuration program and the uninstaller, each started in the
    ; installation folder (a shortcut's working folder is the output path).
    SetShellVarContext all
    SetOutPath $Folder
    CreateDirectory "${START_MENU}"
    CreateShortcut "${START_MENU}\KELDORAN.lnk" "$Folder\KELDORAN.EXE"
    CreateShortcut "${START_MENU}\KELDORAN Setup.lnk" "$Folder\KELDSetup.exe"
    CreateShortcut "${START_MENU}\Uninstall KELDORAN.lnk" "$Folder\Uninstall.exe"

    ; The entry of Add/Remove Programs. The size is that of the installation
    ; folder, in KB.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "KELDORAN"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$Folder\KELDSetup.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$Folder\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" $Target
    ${GetSize} $Folder "/S=0K" $1 $2 $3
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    ; The programs that PostInstall starts without a working folder of
    ; their own (the import tool without a configuration disk, KELDSetup)
    ; start in the installation folder: the output path is the current
    ; folder.
    System::Call "$PLUGINSDIR\INSTAUX.DLL::PostInstall(m '$Disk') i .r0"
    DetailPrint "PostInstall($Disk) = $0"
    SetOutPath $TEMP
    System::Call "kernel32::FreeLibrary(p $Library)"
    SetErrorLevel $R0
SectionEnd

; The uninstaller.
;
;   Uninstall.exe [/S]
;
; It refuses while a program of the product runs (it holds the instance
; lock "KeldoranAppMutex"), and holds the lock itself while it works, so
; that none starts meanwhile. It stops the card driver and removes its
; service and both images, then every registration of the installation (the
; product's key, the driver's parameters, the uninstall entry, the Start
; menu folder), then the programs. The operator's configuration files (the
; INI files, also KELDORAN.INI in the Windows folder, ATC.CFG, SECURITY.DAT
; and their backups) stay. A driver that does not stop stays loaded until
; Windows restarts: its service is marked for deletion, its images are
; deleted at the restart, a message says so and the exit code is 3010.

!define SC_MANAGER_ALL_ACCESS 0xF003F
!define SERVICE_ALL_ACCESS 0xF01FF
!define SERVICE_STOPPED 1
!define SERVICE_CONTROL_STOP 1
!define ERROR_SERVICE_CANNOT_ACCEPT_CTRL 1061
!define ERROR_SERVICE_NOT_ACTIVE 1062
!define MOVEFILE_DELAY_UNTIL_REBOOT 4
!define ERROR_SUCCESS_REBOOT_REQUIRED 3010

Var InstanceLock
Var DriverStopped     ; 1: stopped, or there is none; 0: it still runs
Var DriverImagesLeft  ; the images that could be neither deleted nor marked

Function un.onInit
    System::Call "kernel32::CreateMutex(p 0, i 0, t 'KeldoranAppMutex') p .r0"
    System::Call "kernel32::WaitForSingleObject(p r0, i 0) i .r1"
    ; 0x80: abandoned by a program that ended; the wait made it ours too.
    ${If} $1 <> 0
    ${AndIf} $1 <> 0x80
        System::Call "kernel32::CloseHandle(p r0)"
        MessageBox MB_OK|MB_ICONEXCLAMATION "You cannot uninstall KELDORAN while running KELDORAN or KELDSetup.$\nExit all KELDORAN applications and uninstall again."
        SetErrorLevel 2
        Quit
    ${EndIf}
    StrCpy $InstanceLock $0
FunctionEnd

; The lock belongs to the thread that took it, the one that runs these.
Function un.ReleaseInstanceLock
    ${If} $InstanceLock != ""
        System::Call "kernel32::ReleaseMutex(p $InstanceLock)"
        System::Call "kernel32::CloseHandle(p $InstanceLock)"
        StrCpy $InstanceLock ""
    ${EndIf}
FunctionEnd
Function un.onUninstSuccess
    Call un.ReleaseInstanceLock
FunctionEnd
Function un.onUninstFailed
    Call un.ReleaseInstanceLock
FunctionEnd
Function un.onGUIEnd
    Call un.ReleaseInstanceLock
FunctionEnd

; Stops the "NextMove" service and deletes it; sets $DriverStopped. A
; service that does not stop is deleted once it stops or Windows restarts.
Function un.RemoveDriverService
    StrCpy $DriverStopped 1
    System::Call "advapi32::OpenSCManager(p 0, p 0, i ${SC_MANAGER_ALL_ACCESS}) p .r0"
    ${If} $0 P= 0
        Return
    ${EndIf}
    System::Call "advapi32::OpenService(p r0, t '${DRIVER_SERVICE}', i ${SERVICE_ALL_ACCESS}) p .r1"
    ${If} $1 P<> 0
        System::Call "*(i, i, i, i, i, i, i) p .r2"  ; SERVICE_STATUS
        System::Call "advapi32::QueryServiceStatus(p r1, p r2) i .r3"
        System::Call "*$2(i, i .r4)"
        ${If} $3 = 0
        ${OrIf} $4 <> ${SERVICE_STOPPED}
            System::Call "advapi32::ControlService(p r1, i ${SERVICE_CONTROL_STOP}, p r2) i .r3 ?e"
            Pop $5
            ${If} $3 = 0
            ${AndIf} $5 <> ${ERROR_SERVICE_NOT_ACTIVE}
            ${AndIf} $5 <> ${ERROR_SERVICE_CANNOT_ACCEPT_CTRL}
                StrCpy $DriverStopped 0
                DetailPrint "The driver refused to stop (error $5)."
            ${Else}
                ; Ten seconds for the driver to unload.
                StrCpy $DriverStopped 0
                ${For} $6 1 100
                    System::Call "advapi32::QueryServiceStatus(p r1, p r2) i .r3"
                    System::Call "*$2(i, i .r4)"
                    ${If} $3 <> 0
                    ${AndIf} $4 = ${SERVICE_STOPPED}
                        StrCpy $DriverStopped 1
                        ${Break}
                    ${EndIf}
                    Sleep 100
                ${Next}
            ${EndIf}
        ${EndIf}
        System::Free $2
        System::Call "advapi32::DeleteService(p r1) i .r3"
        System::Call "advapi32::CloseServiceHandle(p r1)"
    ${EndIf}
    System::Call "advapi32::CloseServiceHandle(p r0)"
FunctionEnd

; One image of the driver: deleted now when the driver stopped (at the
; restart if it still cannot be), else marked for deletion at the restart.
!macro RemoveDriverImage path
    ${If} ${FileExists} "${path}"
        ${If} $DriverStopped = 1
            Delete /REBOOTOK "${path}"
        ${Else}
            System::Call "kernel32::MoveFileEx(t '${path}', p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT}) i .r3"
            ${If} $3 <> 0
                SetRebootFlag true
                DetailPrint "Delete on restart: ${path}"
            ${Else}
                StrCpy $DriverImagesLeft "$DriverImagesLeft$\n${path}"
            ${EndIf}
        ${EndIf}
    ${EndIf}
!macroend

; The card driver: its service, both images where the installer put them,
; and its parameters.
Function un.RemoveCardDriver
    StrCpy $DriverImagesLeft ""
    Call un.RemoveDriverService
!ifdef X64
    !insertmacro RemoveDriverImage "$WINDIR\System32\${DRIVER_IMAGE}"
    !insertmacro RemoveDriverImage "$WINDIR\SysWOW64\${DRIVER_IMAGE}"
!else
    ${If} ${RunningX64}
        ${DisableX64FSRedirection}
        !insertmacro RemoveDriverImage "$WINDIR\System32\${DRIVER_IMAGE}"
        ${EnableX64FSRedirection}
        !insertmacro RemoveDriverImage "$WINDIR\SysWOW64\${DRIVER_IMAGE}"
    ${Else}
        !insertmacro RemoveDriverImage "$SYSDIR\${DRIVER_IMAGE}"
    ${EndIf}
!endif
    ; A stopped service's key went with it; the parameters the installer
    ; wrote may be there without a service. A service still running keeps
    ; its key until the service manager deletes it.
    ${If} $DriverStopped = 1
        DeleteRegKey HKLM "${DRIVER_KEY}"
    ${EndIf}

    ${If} $DriverImagesLeft != ""
        MessageBox MB_OK|MB_ICONEXCLAMATION "The Interface Card driver could not be removed.$\n$\nRestart the computer, then delete these files:$DriverImagesLeft"
        SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
    ${ElseIf} $DriverStopped = 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "The Interface Card driver could not be stopped.$\n$\nIt is removed when Windows restarts: restart the computer to finish uninstalling KELDORAN."
        SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
    ${ElseIf} ${RebootFlag}
        MessageBox MB_OK|MB_ICONEXCLAMATION "The Interface Card driver's file could not be deleted.$\n$\nIt is deleted when Windows restarts: restart the computer to finish uninstalling KELDORAN."
        SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
    ${EndIf}
FunctionEnd

; The uninstaller runs from a copy of itself, so whoever started it learns
; that it has finished when Uninstall.exe has gone: that comes last.
Section "Uninstall"
    Call un.RemoveCardDriver

    DeleteRegKey HKLM "${PRODUCT_KEY}\SetupExtensions"
    DeleteRegKey HKLM "${PRODUCT_KEY}\Options"
    DeleteRegKey HKLM "${PRODUCT_KEY}\KELDOPT"
    DeleteRegValue HKLM "${PRODUCT_KEY}" "InstallDir"
    DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKLM "${MAKER_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    SetShellVarContext all
    Delete "${START_MENU}\KELDORAN.lnk"
    Delete "${START_MENU}\KELDORAN Setup.lnk"
    Delete "${START_MENU}\Uninstall KELDORAN.lnk"
    RMDir "${START_MENU}"

    Delete "$INSTDIR\KELDSetup.exe"
    Delete "$INSTDIR\KELDORAN.EXE"
    Delete "$INSTDIR\KELDOpt.EXE"
    Delete "$INSTDIR\ATC.DLL"
    Delete "$INSTDIR\SPINDLE.DLL"
    Delete "$INSTDIR\COOLANT.DLL"
    Delete "$INSTDIR\CTRLBRD.DLL"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
