; Installer and uninstaller of the Ombrelle commander. Both run for the
; current user alone and need no administrator rights: the commander keeps
; its wallpaper list beside itself, so it must live in a folder the user can
; write to, best the engine's own folder.
;
; makensis -DSOURCE_DIR=<repository> -DDIST_DIR=<folder of the stripped
;          Dorvane.exe> -DOUTFILE=<setup.exe> [-DTARGET=amd64-unicode] Dorvane.nsi
; The 32-bit installer (the default) runs on every Windows the program is for.

!ifndef SOURCE_DIR | DIST_DIR | OUTFILE
  !error "SOURCE_DIR, DIST_DIR and OUTFILE must be defined"
!endif

!ifdef TARGET
  Target ${TARGET}
!else
  Unicode true
!endif
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A program file that cannot be replaced must stop the setup, never be
; skipped: a half-upgraded folder is worse than none.
AllowSkipFiles off

; The names and numbers come from the program's version resource and the
; maker's header, which the program itself is built from.
!searchparse /file "${SOURCE_DIR}/res/version.rc" `VALUE "ProductVersion", "` PRODUCT_VERSION `"`
!searchparse /file "${SOURCE_DIR}/res/version.rc" `VALUE "FileDescription", "` DISPLAY_NAME `"`
!searchparse /file "${SOURCE_DIR}/res/maker.h" `#define DV_MAKER_NAME "` PUBLISHER `"`
!searchparse /file "${SOURCE_DIR}/res/maker.h" `#define DV_MAKER_SITE "` MAKER_SITE `"`
!searchparse /file "${SOURCE_DIR}/res/maker.h" `#define DV_LEGAL_NOTICE "` LEGAL_NOTICE `"`
!getdllversion "${DIST_DIR}/Dorvane.exe" FILE_VERSION_

!define PROGRAM "Dorvane.exe"
!define ENGINE "REVorude.exe"
!define LIST_FILE "WPapers.ini"
!define UNINSTALLER "Uninstall Dorvane.exe"
!define SHORTCUT "$SMPROGRAMS\${DISPLAY_NAME}.lnk"
!define PRODUCT_KEY "Software\Quillon\Dorvane"
!define MAKER_KEY "Software\Quillon"
!define APPS_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane"
; The commander's main window, and the mutex that it holds for as long as
; its process lives (the upper-cased name of its program file).
!define MAIN_WINDOW_CLASS "TfrmDorvane"
!define INSTANCE_MUTEX "DORVANE.EXE"
!define SYNCHRONIZE 0x00100000

Name "${DISPLAY_NAME}"
Caption "${DISPLAY_NAME} ${PRODUCT_VERSION} Setup"
UninstallCaption "${DISPLAY_NAME} ${PRODUCT_VERSION} Uninstall"
BrandingText "${PUBLISHER}"
OutFile "${OUTFILE}"
; The folder where the commander last ran, which it records itself, else a
; per-user programs folder. /D= on the command line overrides both.
InstallDir "$LOCALAPPDATA\Programs\Ombrelle"
InstallDirRegKey HKCU "${PRODUCT_KEY}" "Path"

VIProductVersion "${FILE_VERSION_1}.${FILE_VERSION_2}.${FILE_VERSION_3}.${FILE_VERSION_4}"
VIAddVersionKey "ProductName" "Ombrelle"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${LEGAL_NOTICE}"
VIAddVersionKey "FileDescription" "${DISPLAY_NAME} Setup"
VIAddVersionKey "FileVersion" "${FILE_VERSION_1}.${FILE_VERSION_2}.${FILE_VERSION_3}.${FILE_VERSION_4}"
VIAddVersionKey "ProductVersion" "${PRODUCT_VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define MUI_ICON "${SOURCE_DIR}/res/Dorvane.ico"
!define MUI_UNICON "${SOURCE_DIR}/res/Dorvane.ico"
!define MUI_ABORTWARNING

!define MUI_DIRECTORYPAGE_TEXT_TOP "The commander belongs in the folder of the Ombrelle engine, ${ENGINE}, so that it can start and stop the engine. It keeps its wallpaper list, ${LIST_FILE}, in the same folder: choose one that you can write to."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW DirectoryShow
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "&Start the commander"
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.KeepPageShow un.KeepPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running commander to close, as its own Close button does, so that
; it saves its list and settings, and waits until its process has ended and
; its program file can be replaced: the instance mutex alone goes a moment
; before the process lets go of its file. It is asked once only: a commander
; that stays open (a save that failed and waits for the user's answer) is
; left to the user, with Retry and Cancel.
!macro CLOSE_COMMANDER UN
Function ${UN}CloseCommander
  StrCpy $4 0
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 <> 0
    DetailPrint "Closing the running commander"
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r3)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r3) p .r4'
    System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
  ${EndIf}
  ${Do}
    StrCpy $2 0
    ${Do}
      ${If} $4 P<> 0
        System::Call 'kernel32::WaitForSingleObject(p r4, i 100) i .r5'
        ${If} $5 = 0
          System::Call 'kernel32::CloseHandle(p r4)'
          StrCpy $4 0
        ${EndIf}
      ${Else}
        ; A commander without its window yet, or another copy.
        System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${INSTANCE_MUTEX}") p .r1'
        ${If} $1 P= 0
          Return
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r1)'
        Sleep 100
      ${EndIf}
      IntOp $2 $2 + 1
    ${LoopUntil} $2 >= 100
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "The Ombrelle commander is still running.$\r$\n$\r$\nClose it, then press Retry." /SD IDCANCEL IDRETRY +2
    Abort "The Ombrelle commander is still running."
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_COMMANDER ""
!insertmacro CLOSE_COMMANDER "un."

Function .onInit
  SetShellVarContext current
FunctionEnd

; The folder comes without the trailing backslash that the commander records,
; but the page would show it as recorded.
Function DirectoryShow
  FindWindow $0 "#32770" "" $HWNDPARENT
  GetDlgItem $0 $0 1019
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$INSTDIR"
FunctionEnd

Function DirectoryLeave
  ${IfNot} ${FileExists} "$INSTDIR\${ENGINE}"
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "The Ombrelle engine, ${ENGINE}, is not in this folder:$\r$\n$INSTDIR$\r$\n$\r$\nThe commander works without it, but it cannot start the engine.$\r$\n$\r$\nInstall the commander here anyway?" /SD IDYES IDYES +2
    Abort
  ${EndIf}
FunctionEnd

; The size of one file in bytes, added to $R0.
!macro ADD_FILE_SIZE FILE
  FileOpen $1 "${FILE}" r
  ${IfNot} ${Errors}
    FileSeek $1 0 END $2
    FileClose $1
    IntOp $R0 $R0 + $2
  ${EndIf}
  ClearErrors
!macroend

Section "-Program"
  SetOutPath "$INSTDIR"
  Call CloseCommander
  ${IfNot} ${FileExists} "$INSTDIR\${ENGINE}"
    DetailPrint "${ENGINE} is not in this folder: the commander cannot start the engine from here."
  ${EndIf}
  File "${DIST_DIR}/${PROGRAM}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0

  StrCpy $R0 0
  !insertmacro ADD_FILE_SIZE "$INSTDIR\${PROGRAM}"
  !insertmacro ADD_FILE_SIZE "$INSTDIR\${UNINSTALLER}"
  IntOp $R0 $R0 + 1023
  IntOp $R0 $R0 / 1024

  WriteRegStr HKCU "${APPS_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKCU "${APPS_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegDWORD HKCU "${APPS_KEY}" "VersionMajor" ${FILE_VERSION_1}
  WriteRegDWORD HKCU "${APPS_KEY}" "VersionMinor" ${FILE_VERSION_2}
  WriteRegStr HKCU "${APPS_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${APPS_KEY}" "URLInfoAbout" "${MAKER_SITE}"
  WriteRegStr HKCU "${APPS_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${APPS_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${APPS_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${APPS_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${APPS_KEY}" "EstimatedSize" $R0
  WriteRegDWORD HKCU "${APPS_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${APPS_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller's one question: whether the list and the settings go too.
; Unticked, and so in a silent uninstall, they stay for a later install.
Var RemoveDataBox
Var RemoveData

Function un.onInit
  SetShellVarContext current
  StrCpy $RemoveData ${BST_UNCHECKED}
FunctionEnd

Function un.KeepPageShow
  !insertmacro MUI_HEADER_TEXT "Uninstall ${DISPLAY_NAME}" "Remove the commander from this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 48u "The commander will be removed from $INSTDIR, with its Start menu shortcut and its entry in Apps.$\r$\n$\r$\nThe engine, ${ENGINE}, its start with Windows and your pictures are not touched."
  Pop $0
  ${NSD_CreateCheckbox} 0 60u 100% 12u "Also remove the wallpaper &list (${LIST_FILE}) and the settings"
  Pop $RemoveDataBox
  nsDialogs::Show
FunctionEnd

Function un.KeepPageLeave
  ${NSD_GetState} $RemoveDataBox $RemoveData
FunctionEnd

Section "Uninstall"
  Call un.CloseCommander
  Delete "$INSTDIR\${PROGRAM}"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${APPS_KEY}"
  ${If} $RemoveData == ${BST_CHECKED}
    Delete "$INSTDIR\${LIST_FILE}"
    DeleteRegKey HKCU "${PRODUCT_KEY}"
    ; The maker key holds the site address that the commander writes; it
    ; goes only when nothing else of the maker is kept there.
    EnumRegKey $0 HKCU "${MAKER_KEY}" 0
    ${If} $0 == ""
      DeleteRegValue HKCU "${MAKER_KEY}" ""
      DeleteRegKey /ifempty /ifnovalues HKCU "${MAKER_KEY}"
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: the engine and anything else of the user's stay.
  RMDir "$INSTDIR"
SectionEnd
