#!/usr/bin/env bash
# Typed macros on the display's German and French keyboards, where parentheses and digits sit on
# other keys than on a US one: a parametric macro and one with a digit expand in Wine's Notepad,
# AltGr types its character into the word, and a dead key followed by a letter leaves the
# composed letter in Notepad with the program running. The display goes back to US at the end.
# Usage: delivery_layouts.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

printf 'REPLY_6?Digit reply\r\nREPLY_7?At reply\r\n' >>"$LIB/index.sub"
printf 'n2\r\n\r\n{\\rtf1\\ansi Number two}\r\n' >"$LIB/6.rep"
printf 'me@x\r\n\r\n{\\rtf1\\ansi Mail me}\r\n' >"$LIB/7.rep"

# Wine takes the display's layout when its server starts: everything of the prefix stops first.
use_layout() {
    local p
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    PIDS=()
    setxkbmap -display "$DISPLAY" "$1"
}
back_to_us() {
    use_layout us
    e2e_cleanup
}
trap back_to_us EXIT

# typed with xdotool | keys pressed after it | what Notepad holds afterwards
check_layout() {
    echo "layout $1"
    use_layout "$1"
    start_program_hidden
    start_target "Untitled - Notepad" wine notepad
    while IFS='|' read -r typed keys expected; do
        type_word "$typed"
        # shellcheck disable=SC2086
        xdotool key --delay 150 $keys
        eventually target_text_is "$expected" || fail "$1: [$typed] and [$keys]"
        pass "$1: [$typed] and [$keys] became [$expected]"
    done
}

check_layout de <<'EOF'
sig(Ann,Lee)|space|Best regards,\nAnn\nLee
n2|space|Number two
me|ISO_Level3_Shift+q x space|Mail me
EOF

check_layout fr <<'EOF'
sig(Ann,Lee)|space|Best regards,\nAnn\nLee
n2|space|Number two
me|ISO_Level3_Shift+agrave x space|Mail me
EOF

echo "dead keys"
# The composed letter reaches Notepad as without the program, and it ends the word before it.
type_word "n2"
xdotool key --delay 150 dead_circumflex a
eventually target_text_is "n2â" || fail "a dead circumflex and a became [$(target_text)]"
xdotool key space
stays "n2â " || fail "n2 and a composed letter expanded"
pass "a dead key and a letter compose to â, and n2â is no macro"
probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "delivery_layouts: all passed"
