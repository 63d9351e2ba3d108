; The Qel installer: one program for 32-bit and 64-bit Windows.
;
; It puts the 32-bit module with its qel.ini into $INSTDIR and, on 64-bit
; Windows, the 64-bit module with its own qel.ini into $INSTDIR\x64 (each
; module reads the qel.ini beside it), registers each with the regsvr32 of
; its own bitness, so that each lands in the registry view its browser
; reads, and adds an entry with an uninstaller to the list of installed
; programs. The uninstaller takes all of it away again. Both run silently
; with /S.
;
; installer/CMakeLists.txt passes on makensis's command line:
;   QEL_VERSION   x.y.z.w, from project() in the top CMakeLists.txt
;   QEL_MODULE32  the stripped 32-bit qel.dll
;   QEL_MODULE64  the stripped 64-bit qel.dll
;   QEL_INI       the qel.ini both modules get
;   QEL_OUTFILE   the installer to write
;   QEL_TARGET    optional, default x86-unicode: the stub that ships runs on
;                 every Windows. amd64-unicode builds the same script as a
;                 64-bit program, for a system that runs no 32-bit code.
;
; The script never relies on what the stub's bitness implies: every registry
; access names its view and every path its folder, so that both stubs do the
; same on 64-bit Windows.

!ifndef QEL_TARGET
  !define QEL_TARGET x86-unicode
!endif
Target ${QEL_TARGET}
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include FileFunc.nsh
!include LogicLib.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Qel"

Name "Qel toolbar"
OutFile "${QEL_OUTFILE}"
; No InstallDir: .onInit chooses the folder unless /D= did.
ShowInstDetails show
ShowUninstDetails show

VIProductVersion ${QEL_VERSION}
VIFileVersion ${QEL_VERSION}
VIAddVersionKey /LANG=0 ProductName "Qel"
VIAddVersionKey /LANG=0 FileDescription "Qel toolbar installer"
VIAddVersionKey /LANG=0 ProductVersion ${QEL_VERSION}
VIAddVersionKey /LANG=0 FileVersion ${QEL_VERSION}
VIAddVersionKey /LANG=0 LegalCopyright "Qel"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; 1 on x86-64 Windows: the 64-bit module is installed too.
Var Native64
; The regsvr32 that loads 32-bit modules; empty when the system has none.
Var Regsvr32x86
; The outermost folder of $INSTDIR that the install created, "" when
; $INSTDIR was there before; kept in the programs list entry.
Var CreatedFolder

; The 64-bit regsvr32 is System32's, seen past the file system redirection
; of a 32-bit process. Sets the error flag when it could not be started.
!macro Regsvr32x64 ARGS RESULT
  ${DisableX64FSRedirection}
  ExecWait '"$WINDIR\System32\regsvr32.exe" ${ARGS}' ${RESULT}
  ${EnableX64FSRedirection}
!macroend

; The same set-up for installer and uninstaller.
!macro Setup
  StrCpy $Native64 0
  StrCpy $Regsvr32x86 ""
  ${If} ${IsNativeAMD64}
    StrCpy $Native64 1
    ; Our own keys in the system's own view; regsvr32 writes each module's
    ; registration into the view of its bitness by itself.
    SetRegView 64
    ; Without WoW64 (Windows without its 32-bit subsystem, or a Wine that
    ; runs 64-bit programs only) no 32-bit browser can run, and no program
    ; can register the 32-bit module: it is installed all the same, but not
    ; registered.
    ${If} ${FileExists} "$WINDIR\SysWOW64\regsvr32.exe"
      StrCpy $Regsvr32x86 "$WINDIR\SysWOW64\regsvr32.exe"
    ${EndIf}
  ${ElseIf} ${FileExists} "$SYSDIR\regsvr32.exe"
    StrCpy $Regsvr32x86 "$SYSDIR\regsvr32.exe"
  ${EndIf}
!macroend

; RemoveFolders FOLDER CREATED: removes FOLDER and its parents up to CREATED,
; the outermost folder the install created, each only when it is empty.
!macro RemoveFolders UN
Function ${UN}RemoveFolders
  Exch $R1 ; CREATED
  Exch
  Exch $R0 ; FOLDER
  ${If} $R1 != ""
    ${Do}
      RMDir $R0
      ${IfThen} $R0 == $R1 ${|} ${ExitDo} ${|}
      ${GetParent} $R0 $R0
    ${LoopUntil} $R0 == ""
  ${EndIf}
  Pop $R0
  Pop $R1
FunctionEnd
!macroend
!insertmacro RemoveFolders ""
!insertmacro RemoveFolders "un."

; Unregisters and removes everything the installer put there; the uninstaller
; runs it, and so does an install that failed half-way. What regsvr32 /u
; answers does not stop the removal: the files and keys go in any case.
!macro Remove UN
Function ${UN}Remove
  ${If} $Native64 = 1
  ${AndIf} ${FileExists} "$INSTDIR\x64\qel.dll"
    !insertmacro Regsvr32x64 '/s /u "$INSTDIR\x64\qel.dll"' $0
  ${EndIf}
  ${If} $Regsvr32x86 != ""
  ${AndIf} ${FileExists} "$INSTDIR\qel.dll"
    ExecWait '"$Regsvr32x86" /s /u "$INSTDIR\qel.dll"' $0
  ${EndIf}
  ; The picture strip the toolbar caches beside each module is named after
  ; the strip on the web, which the published definition chooses: any
  ; bitmap in our folders is such a cache.
  Delete "$INSTDIR\x64\qel.dll"
  Delete "$INSTDIR\x64\qel.ini"
  Delete "$INSTDIR\x64\*.bmp"
  RMDir "$INSTDIR\x64"
  Delete "$INSTDIR\qel.dll"
  Delete "$INSTDIR\qel.ini"
  Delete "$INSTDIR\*.bmp"
  Delete "$INSTDIR\uninstall.exe"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
  Push $INSTDIR
  Push $0
  Call ${UN}RemoveFolders
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
FunctionEnd
!macroend
!insertmacro Remove ""
!insertmacro Remove "un."

!macro Fail MESSAGE
  DetailPrint "${MESSAGE}"
  ; Out of $INSTDIR, which cannot be removed while it is the current folder.
  SetOutPath $TEMP
  Call Remove
  MessageBox MB_ICONSTOP "${MESSAGE}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

Function .onInit
  !insertmacro Setup
  ${If} $INSTDIR == ""
    ; Where the toolbar is now, or else Program Files (x86) on 64-bit
    ; Windows, as the module that ships is the 32-bit one. The stubs differ
    ; in what $PROGRAMFILES32 means, the environment does not.
    ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
    ReadEnvStr $0 "ProgramFiles(x86)"
    ${IfThen} $0 == "" ${|} StrCpy $0 $PROGRAMFILES ${|}
    StrCpy $INSTDIR "$0\Qel"
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro Setup
FunctionEnd

Section "Qel toolbar"
  ; An earlier install, wherever it went, takes its registrations and files
  ; away first, so that one registration and one entry remain.
  ; Run in place (_?=), the earlier uninstaller cannot remove itself and its
  ; folders: that is done here.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
  ${If} $1 != ""
  ${AndIf} ${FileExists} "$1\uninstall.exe"
    DetailPrint "Removing the earlier install in $1"
    ExecWait '"$1\uninstall.exe" /S _?=$1'
    Delete "$1\uninstall.exe"
    Push $1
    Push $2
    Call RemoveFolders
  ${EndIf}

  StrCpy $CreatedFolder ""
  StrCpy $0 $INSTDIR
  ${Do}
    ${IfThen} ${FileExists} "$0\*.*" ${|} ${ExitDo} ${|}
    StrCpy $CreatedFolder $0
    ${GetParent} $0 $0
  ${LoopUntil} $0 == ""

  SetOutPath "$INSTDIR"
  File "/oname=qel.dll" "${QEL_MODULE32}"
  File "/oname=qel.ini" "${QEL_INI}"
  ${If} $Native64 = 1
    SetOutPath "$INSTDIR\x64"
    File "/oname=qel.dll" "${QEL_MODULE64}"
    File "/oname=qel.ini" "${QEL_INI}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Qel toolbar"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${QEL_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Qel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "CreatedFolder" "$CreatedFolder"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${If} $Native64 = 1
    ClearErrors
    StrCpy $0 "not started"
    !insertmacro Regsvr32x64 '/s "$INSTDIR\x64\qel.dll"' $0
    ${If} ${Errors}
    ${OrIf} $0 != 0
      !insertmacro Fail "The 64-bit module could not be registered (regsvr32: $0)."
    ${EndIf}
    DetailPrint "Registered $INSTDIR\x64\qel.dll"
  ${EndIf}
  ${If} $Regsvr32x86 == ""
    DetailPrint "This system runs no 32-bit programs: $INSTDIR\qel.dll is not registered."
  ${Else}
    ClearErrors
    StrCpy $0 "not started"
    ExecWait '"$Regsvr32x86" /s "$INSTDIR\qel.dll"' $0
    ${If} ${Errors}
    ${OrIf} $0 != 0
      !insertmacro Fail "The 32-bit module could not be registered (regsvr32: $0)."
    ${EndIf}
    DetailPrint "Registered $INSTDIR\qel.dll"
  ${EndIf}
SectionEnd

Section "Uninstall"
  Call un.Remove
  ; Started from the programs list, the uninstaller runs as a copy of itself
  ; in the temporary folder, which cannot delete itself: NSIS marks the copy
  ; and its folder for deletion at the next restart, the folder first, which
  ; is then not yet empty. Marked here first, the copy goes before its folder.
  ${If} $EXEDIR != $INSTDIR
    Delete /REBOOTOK "$EXEPATH"
    RMDir /REBOOTOK "$EXEDIR"
  ${EndIf}
SectionEnd
