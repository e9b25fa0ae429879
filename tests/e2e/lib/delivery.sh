# Sourced after lib/common.sh by the delivery scripts: the program with a test library of its
# own, started hidden, and a real application in front to deliver into.
#
# The test library is the sample with four replies added at the end of the root folder:
#   Rich reply      macro "rich", plain, bold and red words
#   Hot key reply   hot key Ctrl+Alt+K
#   Dated reply     macro "dt", a date placeholder; the last node of the tree
APP="$WORK/app"
LIB="$APP/Replies"
mkdir -p "$APP"
# A script that reads the latency trace sets PROGRAM_EXE=TextwrightTraced.exe: the released
# program has no trace.
cp "$BIN/${PROGRAM_EXE:-Textwright.exe}" "$APP/Textwright.exe"
cp "$BIN/KeybDll.dll" "$APP/"
cp -r "$BIN/Replies" "$APP/"
printf 'REPLY_3?Rich reply\r\nREPLY_4?Hot key reply\r\nREPLY_5?Dated reply\r\n' >>"$LIB/index.sub"
printf 'rich\r\n\r\n{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\fs20 plain \\b bold\\b0  \\cf1 red\\cf0}\r\n' >"$LIB/3.rep"
printf '\r\n0K\r\n{\\rtf1\\ansi Held and released}\r\n' >"$LIB/4.rep"
printf 'dt\r\n\r\n{\\rtf1\\ansi Sent on %%ShortDate}\r\n' >"$LIB/5.rep"
cp -r "$LIB" "$WORK/library-before"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1
# The clipboard as the checks expect it unless a script turns keeping on; the prefix outlives it.
wine reg add "$SETTINGS" /v RestoreClipboard /t REG_DWORD /d 0 /f >/dev/null 2>&1

# What %ShortDate gives today.
TODAY=$(date +%-m/%-d/%Y)

# Presses a person's way: down, a short wait, up. Hot keys are found by a 50 ms poll.
press() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
    sleep 0.15
}
type_keys() { xdotool type --delay 200 "$1"; }
# Types a word into the cleared target and waits until all of it arrived. Should a keystroke be
# lost on its way, the word is typed again after a Ctrl tap, which empties the word the program
# has seen: what is checked next is the program, not the display's input.
type_word() {
    local attempt
    for attempt in 1 2 3; do
        clear_target
        type_keys "$1"
        if TRIES=12 eventually target_text_is "$1"; then return 0; fi
        press ctrl
    done
    fail "Notepad never received [$1]: it holds [$(target_text)]"
}

# The program, hidden; once its library is in the tree.
start_program_hidden() {
    (cd "$APP" && exec wine "$APP/Textwright.exe" -hidden) >/dev/null 2>&1 &
    PIDS+=($!)
    PROGRAM=$!
    eventually state_matches '^visible=0 tree=[1-9]' || fail "hidden start: $(probe state)"
    # Recognition starts 100 ms after the message loop does.
    sleep 1
}

# Starts an application and brings its window to the front: start_target CAPTION COMMAND...
start_target() {
    local caption=$1
    shift
    "$@" >/dev/null 2>&1 &
    PIDS+=($!)
    TARGET_PID=$!
    target_open() { TARGET=$(xdotool search --name "^$caption\$" 2>/dev/null | head -1) && [ -n "$TARGET" ]; }
    eventually target_open || fail "$caption did not open"
    TARGET_CAPTION=$caption
    activate_target
}
activate_target() {
    xdotool windowactivate --sync "$TARGET" 2>/dev/null || true
    sleep 0.5
}

# The target's text, line breaks as "\n", without trailing ones.
target_text() {
    local t
    t=$(probe text "$TARGET_CAPTION")
    while [ "${t%\\n}" != "$t" ]; do t=${t%\\n}; done
    printf '%s' "$t"
}
target_text_is() { [ "$(target_text)" = "$1" ]; }
# A failed delivery check says what Notepad holds.
fail_context() { echo "  Notepad holds: [$(target_text 2>/dev/null)]"; }
clear_target() { probe set-text "$TARGET_CAPTION" "" >/dev/null; }
# Checks that the text stays as it is for a second, so no late paste is missed.
stays() {
    sleep 1
    target_text_is "$1"
}

# The program's window, shown from the tray and brought to the front.
show_program() {
    probe tray-click >/dev/null
    eventually state_matches '^visible=1 ' || fail "the window did not show from the tray"
    MAIN=$(xdotool search --name '^Textwright$' | head -1)
    program_to_front
}
program_to_front() {
    main_in_front() {
        xdotool windowactivate "$MAIN" 2>/dev/null || true
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$MAIN" ]
    }
    eventually main_in_front || fail "the program's window did not come to the front"
    sleep 0.5
}

library_unchanged() { diff -r "$WORK/library-before" "$LIB" >/dev/null; }
