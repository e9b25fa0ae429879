#!/usr/bin/env bash
# The Windows release in a fresh Wine prefix of its own: the silent install, the program started
# from its Start-menu shortcut, an upgrade over an edited library while the program runs, the
# start-with-Windows option, the silent uninstall with and without the library, and the portable
# archive. The packages are built from BIN_DIR by scripts/package.sh.
# Usage: release.sh BIN_DIR   (DISPLAY exported by the caller)
set -euo pipefail
E2E_OWN_PREFIX=1
source "$(dirname "$0")/lib/common.sh" "$1"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$ROOT/scripts/common.sh"
tw_need_packages unzip imagemagick binutils
# What the prefix installs gets no menu entries on the desktop that runs the tests.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
locale -a 2>/dev/null | grep -qiE 'utf-?8' || export LC_ALL=C.UTF-8

UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Textwright'
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
reg_value() { # KEY NAME: the data, empty when absent
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -nE "s/^ *$2 +REG_[A-Z_]+ +//p"
}
win_path() { wine cmd /c echo "$1" 2>/dev/null | tr -d '\r'; }
unix_path() { winepath -u "$1" 2>/dev/null; }
# Every file of a folder with its checksum: equal listings mean nothing was added, lost or changed.
checksums() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
window_gone() { ! probe state >/dev/null 2>&1; }
# The window shows what twlib reads from the same library: nodes, macros, hot keys.
shows_library() { # LIBRARY_UNIX_DIR
    local listing nodes macros hotkeys
    listing=$(wine "$BIN/twlib.exe" list "$(winepath -w "$1" 2>/dev/null)" 2>/dev/null | tr -d '\r')
    nodes=$(echo "$listing" | sed '/^Macros:$/,$d' | grep -c .)
    macros=$(echo "$listing" | sed -n '/^Macros:$/,/^Hot keys:$/p' | grep -c '^  ')
    hotkeys=$(echo "$listing" | sed -n '/^Hot keys:$/,$p' | grep -c '^  ')
    [ "$nodes" -gt 0 ] &&
        [ "$(probe state-all-open)" = "visible=1 tree=$nodes macros=$macros hotkeys=$hotkeys" ]
}

echo "icon and packages"
bash "$ROOT/art/icon/make_icon.sh" "$WORK/drawn.ico"
cmp -s "$WORK/drawn.ico" "$ROOT/src/app/win32/res/textwright.ico" ||
    fail "textwright.ico is older than art/icon: configure with -DTW_REGENERATE_ICON=ON"
bash "$ROOT/scripts/package.sh" --bin "$BIN" --out "$WORK/dist" >/dev/null
VERSION=$(sed -nE 's/^project\(Textwright VERSION ([0-9.]+)[ )].*/\1/p' "$ROOT/CMakeLists.txt")
SETUP="$WORK/dist/Textwright-$VERSION-setup.exe"
ZIP="$WORK/dist/Textwright-$VERSION-portable.zip"
[ -f "$SETUP" ] && [ -f "$ZIP" ] || fail "package.sh did not build both files for $VERSION"
pass "installer and archive for $VERSION; the icon matches its drawing"

# The latency trace logs every key of every application: the shipped program must not hold it.
has_trace() { strings -el "$1" | grep -q TW_DELIVERY_TRACE || strings "$1" | grep -q 'sendinput %'; }
has_trace "$BIN/TextwrightTraced.exe" || fail "the check finds no trace even in the measuring build"
unzip -p "$ZIP" Textwright/Textwright.exe >"$WORK/shipped.exe"
! has_trace "$WORK/shipped.exe" || fail "the packaged Textwright.exe holds the key trace"
pass "the packaged program holds no key trace; only the measuring build does"

e2e_new_prefix
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1

echo "silent install"
wine "$SETUP" /S >/dev/null 2>&1 || fail "the silent install ended with $?"
INSTALL_WIN="$(win_path '%LOCALAPPDATA%')\\Programs\\Textwright"
INSTALL=$(unix_path "$INSTALL_WIN")
SHORTCUT_WIN="$(win_path '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs\\Textwright.lnk"
for f in Textwright.exe KeybDll.dll twlib.exe uninstall.exe Replies/index.sub; do
    [ -f "$INSTALL/$f" ] || fail "no $f in $INSTALL"
done
[ -f "$(unix_path "$SHORTCUT_WIN")" ] || fail "no Start-menu shortcut"
[ "$(reg_value "$UNINSTALL" DisplayName)" = Textwright ] || fail "no uninstall entry"
[ "$(reg_value "$UNINSTALL" DisplayVersion)" = "$VERSION" ] || fail "uninstall entry version"
[ "$(reg_value "$UNINSTALL" Publisher)" = Kolvenmark ] || fail "uninstall entry publisher"
[ "$(reg_value "$UNINSTALL" UninstallString)" = "\"$INSTALL_WIN\\uninstall.exe\"" ] ||
    fail "uninstall command is $(reg_value "$UNINSTALL" UninstallString)"
[ "$(reg_value "$UNINSTALL" DisplayIcon)" = "$INSTALL_WIN\\Textwright.exe,0" ] ||
    fail "uninstall entry icon"
[ -z "$(reg_value "$RUN" 'Textwright 2')" ] || fail "start with Windows was on without asking"
pass "files, shortcut and uninstall entry in place; not started with Windows"

echo "started from the Start menu"
wine start "$SHORTCUT_WIN" >/dev/null 2>&1
eventually shows_library "$INSTALL/Replies" ||
    fail "the installed program does not show the sample library: $(probe state)"
pass "the installed program shows the sample library"

echo "upgrade over an edited library while the program runs"
REPLY=$(find "$INSTALL/Replies" -name '*.rep' | sort | head -1)
printf 'Edited by hand\r\n' >>"$REPLY"
echo "mine" >"$INSTALL/Replies/notes.txt"
LIBRARY=$(checksums "$INSTALL/Replies")
wine "$SETUP" /S /AUTORUN=1 >/dev/null 2>&1 || fail "the second install ended with $?"
window_gone || fail "the running program was not asked to exit"
[ "$(checksums "$INSTALL/Replies")" = "$LIBRARY" ] || fail "the upgrade changed the library"
pass "the program exited, the edited library is kept file for file"
AUTORUN=$(reg_value "$RUN" 'Textwright 2')
[ "$AUTORUN" = "\"$INSTALL_WIN\\Textwright.exe\" -hidden" ] || fail "autorun value is: $AUTORUN"
# The options dialog rewrites the value from the program's own path: it must come out the same.
wine reg add "$RUN" /v 'Textwright 2' /d stale /f >/dev/null 2>&1
wine start "$SHORTCUT_WIN" >/dev/null 2>&1
eventually shows_library "$INSTALL/Replies" || fail "no window after the upgrade"
probe menu options >/dev/null
eventually count_is 'Textwright - Options' 1 || fail "no options dialog"
probe dismiss 'Textwright - Options' >/dev/null
run_value_written() { [ "$(reg_value "$RUN" 'Textwright 2')" != stale ]; }
eventually run_value_written || fail "Options did not write"
[ "$(reg_value "$RUN" 'Textwright 2')" = "$AUTORUN" ] ||
    fail "Options writes $(reg_value "$RUN" 'Textwright 2'), setup wrote $AUTORUN"
pass "/AUTORUN=1 writes the same start-with-Windows value as the options dialog"

echo "silent uninstall keeps the library"
DATA="$(unix_path "$(win_path '%LOCALAPPDATA%')\\Textwright")"
ls "$DATA"/startup-*.idx >/dev/null 2>&1 || fail "the program kept no startup index in $DATA"
wine "$INSTALL/uninstall.exe" /S >/dev/null 2>&1
removed() { [ ! -e "$INSTALL/uninstall.exe" ] && [ -z "$(reg_value "$UNINSTALL" DisplayName)" ]; }
eventually removed || fail "the uninstaller left its entry or itself"
window_gone || fail "the uninstaller left the program running"
for f in Textwright.exe KeybDll.dll twlib.exe README.txt; do
    [ ! -e "$INSTALL/$f" ] || fail "$f is still installed"
done
[ ! -e "$(unix_path "$SHORTCUT_WIN")" ] || fail "the shortcut is still there"
[ -z "$(reg_value "$RUN" 'Textwright 2')" ] || fail "the program still starts with Windows"
[ "$(checksums "$INSTALL/Replies")" = "$LIBRARY" ] || fail "the uninstall touched the library"
[ ! -e "$DATA" ] || fail "the startup index is still there: $(ls -A "$DATA")"
pass "program, shortcut, entries, startup index gone; the library is kept file for file"

echo "reinstall uses the kept library; uninstall can delete it"
wine "$SETUP" /S >/dev/null 2>&1 || fail "the reinstall ended with $?"
[ "$(checksums "$INSTALL/Replies")" = "$LIBRARY" ] || fail "the reinstall changed the library"
wine "$INSTALL/uninstall.exe" /S /REMOVELIBRARY >/dev/null 2>&1
eventually test ! -e "$INSTALL" || fail "uninstall /REMOVELIBRARY left $(ls -A "$INSTALL")"
wine reg query "$SETTINGS" >/dev/null 2>&1 && fail "the settings are still there"
pass "the kept library is used again; /REMOVELIBRARY removes it and the settings"

echo "portable archive"
PORTABLE="$WORK/My Tools"
mkdir -p "$PORTABLE"
unzip -q "$ZIP" -d "$PORTABLE"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine "$PORTABLE/Textwright/Textwright.exe" >/dev/null 2>&1 &
PIDS+=($!)
eventually shows_library "$PORTABLE/Textwright/Replies" ||
    fail "the unpacked program does not show its library: $(probe state)"
probe exit >/dev/null
eventually window_gone || fail "Exit did not end the unpacked program"
pass "the unpacked program starts on its own library"

echo "release: all passed"
