#!/usr/bin/env bash
# Makes a scratch Wine prefix for the tests in DIR (an absent or empty folder):
# a quiet first start (no Mono or Gecko prompt), a CJK font the Windows side
# finds under the names Windows programs ask for, and a zh_CN locale of its own
# in DIR/locale for the runs that need the Chinese code page (936), generated
# there so the machine's locales stay as they are. Takes 20-40 s; make one per
# test program and reuse it.
#
#   bash wine-prefix.sh DIR
#
# Then run Windows programs with
#   WINEPREFIX=DIR WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" wine prog.exe
# and, for the Chinese code page, add LOCPATH=DIR/locale LC_ALL=zh_CN.UTF-8.
# DISPLAY may name an X server (the first start opens no window).
set -euo pipefail
dir=${1:?usage: wine-prefix.sh DIR}
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
for tool in wine wineboot wineserver localedef; do
  command -v "$tool" >/dev/null || { echo "wine-prefix.sh: $tool is missing (bash scripts/deps.sh)" >&2; exit 1; }
done
[ -f "$font" ] || { echo "wine-prefix.sh: $font is missing (fonts-wqy-zenhei)" >&2; exit 1; }

mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
export WINEPREFIX=$dir WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1
wineserver -w # the registry files are written when the server ends
[ -f "$dir/system.reg" ] || { echo "wine-prefix.sh: wineboot made no prefix in $dir" >&2; exit 1; }

# The font in the Windows font folder, and the CJK faces Qt and the dialogs
# ask for answered by it.
ln -sf "$font" "$dir/drive_c/windows/Fonts/wqy-zenhei.ttc"
reg=$dir/fonts.reg
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
  printf '"WenQuanYi Zen Hei (TrueType)"="wqy-zenhei.ttc"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in SimSun NSimSun "Microsoft YaHei" "Microsoft YaHei UI" SimHei 宋体 新宋体 微软雅黑 黑体; do
    printf '"%s"="WenQuanYi Zen Hei"\r\n' "$face"
  done
} | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg" # the Chinese names need the Unicode form
wine regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
wineserver -w

mkdir -p "$dir/locale"
localedef -i zh_CN -f UTF-8 "$dir/locale/zh_CN.UTF-8" >/dev/null 2>&1 || [ -f "$dir/locale/zh_CN.UTF-8/LC_CTYPE" ] ||
  { echo "wine-prefix.sh: localedef could not make the zh_CN locale" >&2; exit 1; }
