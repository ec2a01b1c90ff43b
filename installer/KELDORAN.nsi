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

; Removes the programs and the registrations; the operator's configuration
; files (the INI files, ATC.CFG, SECURITY.DAT and their backups) stay.
; The uninstaller runs from a copy of itself, so whoever started it learns
; that it has finished when Uninstall.exe has gone: that comes last.
Section "Uninstall"
    DeleteRegKey HKLM "${PRODUCT_KEY}\SetupExtensions"
    DeleteRegKey HKLM "${PRODUCT_KEY}\Options"
    DeleteRegValue HKLM "${PRODUCT_KEY}" "InstallDir"
    DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
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
