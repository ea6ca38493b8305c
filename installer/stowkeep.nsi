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
;
; No consent prompt at logon: the autorun value names Startshim.exe, which
; Windows starts unelevated. The installer, elevated already, registers a Task
; Scheduler task "Stowkeep" for the installing user that starts the program
; with the highest rights that user has, on demand only (no trigger); Startshim
; runs it when it starts exactly the program beside it and the user cannot
; change that program, its library or their folder. The task is registered
; only for a folder under the 64-bit Program Files, which ordinary users cannot
; change: elsewhere anyone able to replace the program would get it run with
; administrator rights and no prompt. The uninstaller removes the task.

Unicode true
!include "WordFunc.nsh"
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
!define TASK_NAME "Stowkeep"
!define SCHTASKS "$SYSDIR\schtasks.exe"

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

; $R0: the text on the stack with &, < and > written as XML wants them.
Function XmlEscape
  Exch $R0
  ${WordReplace} "$R0" "&" "&amp;" "+" $R0
  ${WordReplace} "$R0" "<" "&lt;" "+" $R0
  ${WordReplace} "$R0" ">" "&gt;" "+" $R0
  Exch $R0
FunctionEnd

Function RegisterElevatedTask
  GetFullPathName $0 "$INSTDIR"
  StrLen $1 "$PROGRAMFILES64\"
  StrCpy $2 "$0" $1
  ; StrCmp ignores letter case, as Windows paths do.
  StrCmp $2 "$PROGRAMFILES64\" under_program_files
  DetailPrint "No elevated start at logon: $0 is not under $PROGRAMFILES64"
  Return
  under_program_files:
  ReadEnvStr $3 USERNAME
  ReadEnvStr $4 USERDOMAIN
  StrCmp $4 "" +2
  StrCpy $3 "$4\$3"
  Push $3
  Call XmlEscape
  Pop $3
  Push $0
  Call XmlEscape
  Pop $0

  InitPluginsDir
  FileOpen $5 "$PLUGINSDIR\task.xml" w
  FileWriteUTF16LE /BOM $5 '<?xml version="1.0" encoding="UTF-16"?>$\r$\n'
  FileWriteUTF16LE $5 '<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">$\r$\n'
  FileWriteUTF16LE $5 '  <RegistrationInfo><Description>Starts Stowkeep with administrator rights for Startshim.exe at logon, without a consent prompt.</Description></RegistrationInfo>$\r$\n'
  FileWriteUTF16LE $5 '  <Principals><Principal id="Author">$\r$\n'
  FileWriteUTF16LE $5 '    <UserId>$3</UserId><LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel>$\r$\n'
  FileWriteUTF16LE $5 '  </Principal></Principals>$\r$\n'
  ; The defaults would keep it from starting on battery, stop it after 72 hours
  ; and run it at below-normal priority.
  FileWriteUTF16LE $5 '  <Settings>$\r$\n'
  FileWriteUTF16LE $5 '    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>$\r$\n'
  FileWriteUTF16LE $5 '    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries><StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>$\r$\n'
  FileWriteUTF16LE $5 '    <AllowStartOnDemand>true</AllowStartOnDemand><Enabled>true</Enabled>$\r$\n'
  FileWriteUTF16LE $5 '    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>5</Priority>$\r$\n'
  FileWriteUTF16LE $5 '  </Settings>$\r$\n'
  FileWriteUTF16LE $5 '  <Actions Context="Author"><Exec>$\r$\n'
  FileWriteUTF16LE $5 '    <Command>$0\${PROGRAM_FILE}</Command><WorkingDirectory>$0</WorkingDirectory>$\r$\n'
  FileWriteUTF16LE $5 '  </Exec></Actions>$\r$\n'
  FileWriteUTF16LE $5 '</Task>$\r$\n'
  FileClose $5
  ExecWait '"${SCHTASKS}" /Create /TN "${TASK_NAME}" /XML "$PLUGINSDIR\task.xml" /F' $6
  DetailPrint "Elevated start at logon registered for $3 (schtasks exit code $6)"
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
  Call RegisterElevatedTask
SectionEnd

Section "Uninstall"
  ExecWait '"${SCHTASKS}" /Delete /TN "${TASK_NAME}" /F' $0
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
