; Per-user installer of Kelvane: no administrator rights, the program under
; the user's own programs folder, a Start-menu shortcut and an entry in
; "Apps & features". Its uninstaller keeps the user's lists unless asked.
; Built by tools/package.sh, which passes VERSION, STAGE (the folder holding
; the shipped files), ICON and OUTFILE. Saved as UTF-8 with a BOM so that
; makensis reads the French texts as such on every system.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define PUBLISHER "Veldran Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane"
; Where the program keeps the user's lists (its data folder in the profile).
!define DATA_FOLDER "$PROFILE\Tamorin Kelvane"
; The running program holds a mutex named like its window, trailing blank
; included, and quits on the command 8.
!define INSTANCE_NAME "Kelvane (x64) "
!define QUIT_COMMAND 8

Name "Kelvane"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kelvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kelvane.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\CLUF_Kelvane.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "Kelvane"
VIAddVersionKey /LANG=${LANG_FRENCH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "Installation de Kelvane"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "Copyright (C) ${PUBLISHER}"

; A running Kelvane locks its program file: it is asked to quit (it saves its
; lists on the way out) before files are replaced or removed. A silent run
; closes it without asking.
!macro CLOSE_KELVANE un
Function ${un}CloseKelvane
  StrCpy $R1 0
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_NAME}") p .r0'
    ${If} $0 P= 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    ${If} $R1 = 0
      MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
        "Kelvane est ouvert. Il va être fermé pour continuer ; vos listes seront enregistrées." \
        /SD IDOK IDOK +2
      Abort "Kelvane est toujours ouvert."
      System::Call 'user32::FindWindowW(p 0, w "${INSTANCE_NAME}") p .r1'
      System::Call 'user32::PostMessageW(p r1, i 0x0111, p ${QUIT_COMMAND}, p 0)'
    ${ElseIf} $R1 > 150
      MessageBox MB_OK|MB_ICONSTOP "Kelvane ne s'est pas fermé. Quittez-le, puis relancez cette opération." /SD IDOK
      Abort "Kelvane est toujours ouvert."
    ${EndIf}
    IntOp $R1 $R1 + 1
    Sleep 100
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_KELVANE ""
!insertmacro CLOSE_KELVANE "un."

Section "Kelvane"
  Call CloseKelvane
  SetOutPath "$INSTDIR"
  File "${STAGE}\Kelvane.exe"
  File "${STAGE}\Kelvane Help.chm"
  File "${STAGE}\CLUF_Kelvane.txt"
  File "${STAGE}\LICENSE-fluent-icons.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut starts in the program folder, where the about window finds
  ; its read-me.
  CreateShortCut "$SMPROGRAMS\Kelvane.lnk" "$INSTDIR\Kelvane.exe" "" "$INSTDIR\Kelvane.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kelvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kelvane.exe,0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Kelvane" UnProgram
  SectionIn RO
  Call un.CloseKelvane
  ; Only the files this installer put there: the folder may have been
  ; chosen by the user and hold other things.
  Delete "$INSTDIR\Kelvane.exe"
  Delete "$INSTDIR\Kelvane Help.chm"
  Delete "$INSTDIR\CLUF_Kelvane.txt"
  Delete "$INSTDIR\LICENSE-fluent-icons.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Kelvane.lnk"
SectionEnd

; Off unless ticked on the components page or asked with /REMOVEDATA: a
; silent uninstall keeps the user's lists.
Section /o "un.Mes listes et préférences" UnData
  RMDir /r "${DATA_FOLDER}"
SectionEnd

; Last, so that the entry's disappearance tells that the uninstall is over.
Section "-un.Entry"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnProgram} "Le programme, son aide et son raccourci du menu Démarrer."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnData} "Supprime aussi le dossier « Tamorin Kelvane » de votre profil : vos listes de favoris et vos préférences. Sans cette case, ils sont gardés pour une prochaine installation."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnData}
  ${EndIf}
FunctionEnd
