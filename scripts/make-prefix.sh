#!/usr/bin/env bash
# Makes the build's own Wine prefix once: fonts, font replacements, the null
# display driver as fall-back and a fixed virtual desktop.
set -euo pipefail
source "$(dirname "$0")/common.sh"
stamp=$WINEPREFIX/.tessary-ready
making=$WINEPREFIX/.tessary-making
[ -f "$stamp" ] && exit 0
# Only a prefix this script began (and did not finish) is thrown away; any
# other non-empty folder there is somebody else's.
if [ -d "$WINEPREFIX" ] && [ -n "$(ls -A "$WINEPREFIX")" ]; then
  if [ ! -f "$making" ]; then
    echo "make-prefix: $WINEPREFIX exists and was not made here; set TESSARY_WINEPREFIX to another folder" >&2
    exit 1
  fi
  rm -rf "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
touch "$making"
( unset DISPLAY; wineboot -i ) >/dev/null 2>&1 </dev/null
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
cp /usr/share/wine/fonts/* "$fonts"/ 2>/dev/null || true
cp /usr/share/fonts/truetype/liberation/*.ttf "$fonts"/ 2>/dev/null || true
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="x11,null"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
( unset DISPLAY; wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" ) >/dev/null 2>&1 </dev/null
wineserver -w
rm -f "$reg"
touch "$stamp"
rm -f "$making"
