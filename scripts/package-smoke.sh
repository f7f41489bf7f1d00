#!/bin/sh
# CI: the package that make package built, installed on this machine as a
# teacher installs it; its tools and programs run from the installed files
# and find their data under /usr/share/kq27; purging it leaves nothing of it.
set -eu
cd "$(dirname "$0")/.."
deb=$(ls build/package/kq27_*.deb)

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
fail() {
    echo "package-smoke: $*" >&2
    exit 1
}

$SUDO apt-get install -y -qq "./$deb" >/dev/null
files=$(mktemp)
work=$(mktemp -d)
trap 'rm -rf "$work" "$files"' EXIT
dpkg -L kq27 >"$files"

# The programs' own files, a user's folder of their own.
export HOME="$work/home" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
data=/usr/share/kq27
[ "$(KQ27 --version)" = "KQ27 $(dpkg-query -W -f='${Version}' kq27)" ] || fail "KQ27 --version"
[ "$(KQ27 --check-data)" = "$data/" ] || fail "KQ27 does not find its data in $data"
[ "$(KQ18 --check-data)" = "$data/KQ-18/" ] || fail "KQ18 does not find its data in $data/KQ-18"

# The tools on installed files: a demo's bytes, framed by 240 and 250, and a
# panel on an installed background.
kq27-tool bytes "$data/Data/Demo/fro/demo1(フロー).kq27" >"$work/bytes"
[ "$(head -n 1 "$work/bytes")" = 240 ] && [ "$(tail -n 1 "$work/bytes")" = 250 ] || fail "kq27-tool bytes"
printf '%s\r\n' "-1,背景,$data/KQ-18/Img/Material/TL-3/BackImage/1.gif,0,0" | iconv -f UTF-8 -t CP932 >"$work/panel.kq18"
kq18-tool flatten "$work/panel.kq18" TL-3 "$work/panel.bmp"
[ -s "$work/panel.bmp" ] || fail "kq18-tool flatten wrote nothing"

# Both programs start on a file from the file manager and keep running
# until they are ended.
for start in "KQ27 $data/Data/Demo/dd/demo1(アイコン).kq27" "KQ18 $work/panel.kq18"; do
    program=${start%% *}
    status=0
    timeout 10 "$program" "${start#* }" || status=$?
    [ "$status" -eq 124 ] || fail "$program ended by itself with $status"
done

[ -f /usr/lib/udev/rules.d/70-kq27-clock.rules ] || fail "the udev rule is not installed"
for entry in jp.kq27.studio jp.kq27.panelmaker; do
    [ -f "/usr/share/applications/$entry.desktop" ] || fail "no desktop entry $entry"
    [ -f "/usr/share/icons/hicolor/256x256/apps/$entry.png" ] || fail "no icon $entry"
done
[ -f /usr/share/mime/packages/kq27.xml ] || fail "no MIME definition"

$SUDO apt-get purge -y -qq kq27 >/dev/null
while IFS= read -r path; do
    if [ -e "$path" ] && [ ! -d "$path" ]; then
        fail "$path is left after purging"
    fi
done <"$files"
[ ! -e "$data" ] || fail "$data is left after purging"
echo "package-smoke: installed, ran and purged $deb"
