#!/usr/bin/env bash
# The real program loads the hook library from its own folder, never a copy planted in the
# folder it was started from, and ends cleanly with its hooks running.
# Usage: hooks_program.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
fail_context() { grep -i 'keybdll' "$WORK/loads.log"; }
main_visible() { probe state | grep -Eq '^visible=1 '; }
keybdll_loaded() { grep -q 'Loaded L".*[Kk]eyb[Dd]ll\.dll"' "$WORK/loads.log"; }

app="$WORK/program"
planted="$WORK/planted"
mkdir -p "$app" "$planted"
cp "$BIN/Textwright.exe" "$BIN/KeybDll.dll" "$app/"
cp -r "$BIN/Replies" "$app/"
# A library that would be refused if it were picked up.
cp "$BIN/hooks_incomplete_dll.dll" "$planted/KeybDll.dll"

(cd "$planted" && WINEDEBUG=-all,+loaddll exec wine "$app/Textwright.exe") >/dev/null 2>"$WORK/loads.log" &
PIDS+=($!)
main=$!
eventually keybdll_loaded || fail "the program did not load the hook library"
expected=$(winepath -w "$app/KeybDll.dll" 2>/dev/null | tr -d '\r' | sed 's/\\/\\\\/g')
loaded=$(grep -o 'Loaded L"[^"]*[Kk]eyb[Dd]ll\.dll"' "$WORK/loads.log" | sort -u)
[ "$(echo "$loaded" | wc -l)" -eq 1 ] || fail "more than one hook library was loaded: $loaded"
echo "$loaded" | grep -qiF "$expected" || fail "loaded $loaded, not the one beside the program ($expected)"
echo "  ok: the hook library comes from the program's folder, the planted copy is ignored"

eventually main_visible || fail "the main window did not show"
probe dismiss "Tip of the Day" >/dev/null || true
probe exit >/dev/null
# A component left running would hold the program up with a warning box at its very end.
expect_end "$main" "Exit did not end the program: $(probe count KvSysHookLoader) warning box(es)"
wait "$main" 2>/dev/null || true
echo "  ok: Exit stops the hooks and the program ends"

# Without the library beside the program, a working copy in the start folder is still ignored:
# the hooks stay silent instead.
bare="$WORK/bare"
mkdir -p "$bare"
cp "$BIN/Textwright.exe" "$bare/"
cp -r "$BIN/Replies" "$bare/"
cp "$BIN/KeybDll.dll" "$planted/KeybDll.dll"
: >"$WORK/loads.log"
(cd "$planted" && WINEDEBUG=-all,+loaddll exec wine "$bare/Textwright.exe") >/dev/null 2>"$WORK/loads.log" &
PIDS+=($!)
main=$!
eventually main_visible || fail "the program without its hook library did not start"
keybdll_loaded && fail "a hook library from outside the program's folder was loaded"
echo "  ok: a library planted in the start folder is not picked up when the program has none"
probe dismiss "Tip of the Day" >/dev/null || true
probe exit >/dev/null
expect_end "$main" "Exit did not end the program without hooks"
wait "$main" 2>/dev/null || true
echo "hooks_program: all passed"
