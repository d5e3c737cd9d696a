#!/usr/bin/env bash
# Runs the Windows installer silently under Wine, checks what it put in place, then runs the
# uninstaller silently and checks that all of it is gone. Also checks the portable zip.
#   installer_test.sh INSTALLER ZIP PROGRAM READSHORTCUT RUNTOEND
# WINEPREFIX names the prefix to install into.
set -euo pipefail
installer=$1 zip=$2 program=$3 readshortcut=$4 runtoend=$5

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Pomvexa"
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Pomvexa 点笑脸.lnk'
shortcut_file="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Pomvexa 点笑脸.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pomvexa'

exported=$(mktemp)
trap 'rm -f "$exported"' EXIT
value() { # name: the uninstall entry's string value, from an export of the key (UTF-16)
    wine reg export "$key" 'Z:'"${exported//\//\\}" /y >/dev/null 2>&1 </dev/null || return 0
    iconv -f UTF-16 -t UTF-8 "$exported" | tr -d '\r' |
        sed -n "s/^\"$1\"=\"\(.*\)\"\$/\1/p" | sed 's/\\\\/\\/g; s/\\"/"/g'
}

# The portable zip holds the program and two texts, nothing else.
listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$listing" = "LICENSE.txt pomvexa.exe readme.txt " ] || fail "the zip holds: $listing"

wine "$installer" /S </dev/null
cmp "$folder/pomvexa.exe" "$program" || fail "the installed program is not the one built"
[ -f "$folder/LICENSE.txt" ] || fail "no licence installed"
[ -f "$folder/uninstall.exe" ] || fail "no uninstaller"
[ "$(value DisplayVersion)" = 1.0.0 ] || fail "DisplayVersion is '$(value DisplayVersion)'"
[ "$(value Publisher)" = Tarnik ] || fail "Publisher is '$(value Publisher)'"
[ "$(value DisplayIcon)" = 'C:\Program Files\Pomvexa\pomvexa.exe,0' ] ||
    fail "DisplayIcon is '$(value DisplayIcon)'"
[ "$(value DisplayName)" = "Pomvexa 点笑脸" ] || fail "DisplayName is '$(value DisplayName)'"
[[ "$(value UninstallString)" == *uninstall.exe* ]] || fail "no UninstallString"
links=$(wine "$readshortcut" "$shortcut" </dev/null | tr -d '\r') || fail "no Start-menu shortcut"
[ "$links" = 'C:\Program Files\Pomvexa\pomvexa.exe
C:\Program Files\Pomvexa\pomvexa.exe,0' ] || fail "the shortcut points at: $links"

# The uninstaller copies itself elsewhere, starts that copy and returns at once: what it has
# done is looked at once the copy, too, has ended.
wine "$runtoend" 'C:\Program Files\Pomvexa\uninstall.exe' /S </dev/null ||
    fail "the uninstaller failed"
[ ! -e "$folder" ] || fail "the program's folder is still there after uninstalling"
[ ! -e "$shortcut_file" ] || fail "the shortcut is still there after uninstalling"
wine reg query "$key" >/dev/null 2>&1 </dev/null && fail "the uninstall entry is still there"
echo "passed: installed, checked and uninstalled"
