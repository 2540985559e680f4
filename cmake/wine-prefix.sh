#!/usr/bin/env bash
# Prepares a Wine prefix for running the Windows programs: created once with wineboot, Japanese
# text shown with the IPA gothic fonts, and the screen's DPI set when one is given.
# Usage: wine-prefix.sh WINE64 PREFIX [DPI]
# WINE64 is the wine64 that CMake found (the cache's WINE64); wineserver lies beside it.
# Safe to call from several processes at once; a ready prefix is left as it is unless DPI changes.
set -euo pipefail
wine=$1
prefix=$2
dpi=${3:-}
wineserver=$(dirname "$wine")/wineserver
export WINEPREFIX=$prefix WINEDEBUG=-all
# No display is needed to set up a prefix; without this, wineboot may try to open one and wait.
unset DISPLAY WAYLAND_DISPLAY

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

reg() { "$wine" reg "$@" >/dev/null; }

if [[ ! -f $prefix/.orindel-ready ]]; then
  "$wine" wineboot -u >/dev/null 2>&1
  # Windows' Japanese UI fonts stand for the IPA gothic fonts, and the system's UI fonts (message
  # boxes, menus, tooltips) fall back to IPA Gothic for Japanese characters.
  substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  for face in 'Yu Gothic UI' 'Meiryo UI' 'MS UI Gothic' 'MS PGothic' 'ＭＳ Ｐゴシック'; do
    reg add "$substitutes" /v "$face" /t REG_SZ /d IPAPGothic /f
  done
  links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in Tahoma 'Microsoft Sans Serif' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Segoe UI'; do
    reg add "$links" /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f
  done
  "$wineserver" -w
  touch "$prefix/.orindel-ready"
fi

if [[ -n $dpi && $(cat "$prefix/.orindel-dpi" 2>/dev/null || echo 96) != "$dpi" ]]; then
  reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f
  "$wineserver" -w
  echo "$dpi" >"$prefix/.orindel-dpi"
fi
