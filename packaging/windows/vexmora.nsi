; The Windows installer: scripts/windows-installer stages the program with the Qt and MinGW
; runtime DLLs it needs and writes files.nsh (what to install), unfiles.nsh (what to remove) and
; installed-files.txt (the record a later installer reads) next to the staged folder, then runs
;   makensis -DVERSION=1.15 -DSTAGE=<staged folder> -DLISTS=<folder of the lists> -DOUTFILE=<exe>
; A 64-bit installer for a 64-bit program: the x86 stub would need 32-bit Wine, too.
;
; It installs for the current user (%LOCALAPPDATA%\Programs\Vexmora, the Apps entry under HKCU),
; which needs no admin rights, or for all users (Program Files, HKLM). An administrator gets the
; UAC prompt and the choice on the first page; anyone else installs for themselves. Silent (/S),
; it installs for the current user unless /AllUsers is given.
;
; Exit codes besides NSIS's own (0 done, 1 cancelled, 2 stopped): 3 when the program runs,
; 4 when a newer version is installed and the installer runs silently.
;
; With -DSIGN=<scripts/windows-sign>, makensis has it sign the uninstaller as it is packed into
; the installer, so that the one written on the user's disk carries the signature, and then the
; installer itself.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
; A file that cannot be replaced stops the install; skipping it would leave a mix of versions.
AllowSkipFiles off

!define NAME "Vexmora"
!define PROGRAM "vexmora"
!define PUBLISHER "Quillmoor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexmora"
!define RECORD "installed-files.txt"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
; The first page offers the mode of an install there is; the folder is the one it used.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include TextFunc.nsh
!include WordFunc.nsh

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
!ifdef SIGN
    !uninstfinalize '"${SIGN}" "%1"' = 0
    !finalize '"${SIGN}" "%1"' = 0
!endif
BrandingText "${NAME} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${STAGE}/../vexmora.ico"
!define MUI_UNICON "${STAGE}/../vexmora.ico"
!define MUI_ABORTWARNING
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${NAME}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsUser
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var GivenFolder

Function .onInit
    SetRegView 64
    StrCpy $GivenFolder $INSTDIR ; /D=, which the mode's default folder would replace
    !insertmacro MULTIUSER_INIT
    ; Silent, for the current user unless /AllUsers says otherwise, even for an administrator
    ; with an install for all users there, which the first page would offer.
    ${If} ${Silent}
        ${GetParameters} $0
        ClearErrors
        ${GetOptions} $0 "/AllUsers" $1
        ${If} ${Errors}
            Call MultiUser.InstallMode.CurrentUser
        ${EndIf}
    ${EndIf}
    ${If} $GivenFolder != ""
        StrCpy $INSTDIR $GivenFolder
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    ; The folder to remove is the uninstaller's own, whatever an entry says. Its entry, and so
    ; the mode, is the one that names this folder, when the Apps entry's /AllUsers or
    ; /CurrentUser did not come with it (uninstall.exe started from the folder, say).
    StrCpy $GivenFolder $INSTDIR
    !insertmacro MULTIUSER_UNINIT
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != $GivenFolder
    ${AndIf} $MultiUser.InstallMode == CurrentUser
    ${AndIf} $MultiUser.Privileges == Admin
        Call un.MultiUser.InstallMode.AllUsers
    ${EndIf}
    StrCpy $INSTDIR $GivenFolder
FunctionEnd

; Nothing may change while the program runs: Windows keeps its files open, and replacing or
; removing some of them would leave a mix of versions. Its single-instance mutex says it runs
; in this log-on session; a program file that cannot be opened for writing says it runs in
; another one.
!macro WAIT_UNTIL_CLOSED UN
Function ${UN}WaitUntilClosed
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Local\${PROGRAM}.instance") p.r0 ?e'
        Pop $1
        ${If} $0 P<> 0
            System::Call 'kernel32::CloseHandle(p r0)'
        ${ElseIf} $1 <> 5 ; ERROR_ACCESS_DENIED: the mutex is there all the same
            ; GENERIC_WRITE, any sharing, OPEN_EXISTING; ERROR_SHARING_VIOLATION: in use
            System::Call 'kernel32::CreateFileW(w "$INSTDIR\${PROGRAM}.exe", i 0x40000000, i 7, p 0, i 3, i 0, p 0) p.r0 ?e'
            Pop $1
            ${If} $0 P<> -1
                System::Call 'kernel32::CloseHandle(p r0)'
                Return
            ${ElseIf} $1 <> 32
                Return
            ${EndIf}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${NAME} is running: close it, then choose Retry." \
            /SD IDCANCEL IDRETRY +3
        SetErrorLevel 3
        Quit
    ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

; Over a newer version: a question, No by default; silent, a refusal.
Function AskBeforeDowngrade
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 == ""
        Return
    ${EndIf}
    ${VersionCompare} $0 "${VERSION}" $1
    ${If} $1 = 1
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "${NAME} $0 is installed, which is newer than this ${VERSION}. Replace it with ${VERSION}?" \
            /SD IDNO IDYES +3
        SetErrorLevel 4
        Quit
    ${EndIf}
FunctionEnd

; Removes what the previous install recorded in FOLDER\installed-files.txt: its files, then its
; folders once they are empty. Whatever else the user keeps in that folder stays. The record
; lies in a folder the user may write to, so only plain names inside FOLDER are taken.
Function RemoveRecorded ; FOLDER on the stack
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    ClearErrors
    FileOpen $R1 "$R0\${RECORD}" r
    ${IfNot} ${Errors}
        ${Do}
            ClearErrors
            FileRead $R1 $R2
            ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
            ${TrimNewLines} $R2 $R2
            ${WordFind} $R2 ".." "E#" $R3
            ${IfNotThen} ${Errors} ${|} ${Continue} ${|}
            ${IfThen} $R2 == "" ${|} ${Continue} ${|}
            ${StrFilter} $R2 "" "" ":*?" $R3
            ${IfThen} $R3 != $R2 ${|} ${Continue} ${|}
            StrCpy $R3 $R2 1 -1
            ${If} $R3 == "\"
                RMDir "$R0\$R2"
            ${Else}
                Delete "$R0\$R2"
            ${EndIf}
        ${Loop}
        FileClose $R1
        Delete "$R0\${RECORD}"
    ${EndIf}
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
FunctionEnd

; An administrator's installer runs elevated, and so would a program it starts, with every
; page that program opens in a browser. Explorer, the user's own shell, starts it as the user.
Function StartAsUser
    ${If} $MultiUser.Privileges == Admin
    ${OrIf} $MultiUser.Privileges == Power
        Exec '"$WINDIR\explorer.exe" "$INSTDIR\${PROGRAM}.exe"'
    ${Else}
        Exec '"$INSTDIR\${PROGRAM}.exe"'
    ${EndIf}
FunctionEnd

Section "Vexmora"
    Call AskBeforeDowngrade
    Call WaitUntilClosed

    ; The previous version, wherever this mode's entry says it went, and in the chosen folder.
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} $0 != $INSTDIR
        Push $0
        Call RemoveRecorded
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}
    Push $INSTDIR
    Call RemoveRecorded

    SetOutPath "$INSTDIR"
    !include "${LISTS}/files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${PROGRAM}.exe" "" "$INSTDIR\${PROGRAM}.exe" 0

    ; What Settings, Apps (and Programs and Features) list: under HKCU or HKLM, as installed.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    Call un.WaitUntilClosed
    Delete "$SMPROGRAMS\${NAME}.lnk"
    ; File by file, never the whole folder: the user may have chosen a folder with other files.
    !include "${LISTS}/unfiles.nsh"
    Delete "$INSTDIR\${RECORD}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
