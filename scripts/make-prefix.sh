#!/usr/bin/env bash
# Makes the build's own Wine prefix once: fonts, font replacements, the null
# display driver as fall-back and a fixed virtual desktop.
set -euo pipefail
source "$(dirname "$0")/common.sh"
stamp=$WINEPREFIX/.tessary-ready
[ -f "$stamp" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
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
