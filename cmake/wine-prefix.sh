#!/usr/bin/env bash
# Prepares a Wine prefix for running the Windows programs: Japanese text shown with the IPA gothic
# fonts, and the screen's DPI set when one is given. Booting a prefix takes Wine half a minute or
# more, so one is booted once for each Wine version and kept outside the checkout
# ($ORINDEL_CACHE/wine, ~/.cache/orindel by default), and each new prefix is a copy of it.
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

# The booted prefix, for this Wine and this script's settings.
boot() {
  export WINEPREFIX=$1 LC_ALL=C.UTF-8
  "$wine" wineboot -u >/dev/null 2>&1
  # The tests' screens are X servers: Wine 10 would try Wayland first, and say on the programs'
  # output that it finds none.
  reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d x11 /f
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
  touch "$WINEPREFIX/.orindel-ready"
}

if [[ ! -f $prefix/.orindel-ready ]]; then
  key=$("$wine" --version | tr -c "A-Za-z0-9.\n" _)-$(sha256sum <"$0" | cut -c1-12)
  booted=${ORINDEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orindel}/wine/$key
  mkdir -p "$(dirname "$booted")"
  (
    flock 8
    if [[ ! -f $booted/.orindel-ready ]]; then
      rm -rf "$booted"
      boot "$booted"
    fi
  ) 8>"$booted.lock"
  rm -rf "$prefix"
  cp -a "$booted" "$prefix"
fi

if [[ -n $dpi && $(cat "$prefix/.orindel-dpi" 2>/dev/null || echo 96) != "$dpi" ]]; then
  reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f
  "$wineserver" -w
  echo "$dpi" >"$prefix/.orindel-dpi"
fi
