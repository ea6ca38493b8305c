; Installer for Stowkeep: the program, its device library and the logon
; launcher in one folder under Program Files, a Start-menu shortcut and an
; uninstaller listed in Add/Remove Programs.
;
; The CMake target "installer" passes the built files and the output:
;   makensis -DEXE_FILE=... -DDLL_FILE=... -DSHIM_FILE=... -DOUT_FILE=... -DVERSION=... stowkeep.nsi
;
; Where set.ini lives: the program keeps set.ini beside its executable. Under
; Program Files that folder is writable only elevated, and the program always
; runs elevated (its manifest asks for requireAdministrator), so set.ini stays
; beside the executable in the install folder. The uninstaller leaves set.ini
; there: it holds the user's choices and the backup job list, and a later
; install into the same folder picks them up again.

Unicode true
; A 64-bit installer for a 64-bit program: Program Files and the registry
; without WOW64 redirection.
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION not given"
!endif
!ifndef EXE_FILE | DLL_FILE | SHIM_FILE | OUT_FILE
  !error "EXE_FILE, DLL_FILE, SHIM_FILE and OUT_FILE must be given"
!endif

!define PROGRAM_FILE "Stowkeep(KD-RX710).exe"
!define SHORTCUT "$SMPROGRAMS\Stowkeep.lnk"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Stowkeep"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Stowkeep"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Stowkeep"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Installed for every user of the machine: the shortcut goes to the common
; Start menu, the uninstall entry to HKLM.
Function .onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Stowkeep"
  SetOutPath "$INSTDIR"
  File "${EXE_FILE}"
  File "${DLL_FILE}"
  File "${SHIM_FILE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM_FILE}" "" "$INSTDIR\${PROGRAM_FILE}" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Stowkeep"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\${PROGRAM_FILE}$\",0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\${UNINSTALLER}$\""
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\${UNINSTALLER}$\" /S"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\${PROGRAM_FILE}"
  Delete "$INSTDIR\Hatchlink.dll"
  Delete "$INSTDIR\Startshim.exe"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; set.ini stays (see the top of this file); without /r the folder goes
  ; only when nothing else is left in it.
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  ; The "Windows start auto run" setting writes this value for the user who
  ; ran the program; the uninstaller removes it for the user it runs as.
  DeleteRegValue HKCU "${RUN_KEY}" "Stowkeep"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
