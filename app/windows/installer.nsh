; The installer's own texts in its two languages, and the size it records for Apps & features.
; The installer script includes this after its languages, with ORINDEL_UNINSTALL_KEY defined.
!include FileFunc.nsh

LangString OrindelUninstallFirst ${LANG_ENGLISH} \
  "Orindel is already installed.$\n$\nUninstall the installed version before installing this one?"
LangString OrindelUninstallFirst ${LANG_JAPANESE} \
  "Orindel はすでにインストールされています。$\n$\nこの版をインストールする前に、インストールされている版をアンインストールしますか?"
LangString OrindelUninstallFailed ${LANG_ENGLISH} "The installed version could not be uninstalled."
LangString OrindelUninstallFailed ${LANG_JAPANESE} "インストールされている版をアンインストールできませんでした。"

; Apps & features shows the installed folder's size, in KiB.
!macro OrindelRecordSize
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${ORINDEL_UNINSTALL_KEY}" "EstimatedSize" "$0"
!macroend
