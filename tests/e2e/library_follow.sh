#!/usr/bin/env bash
# Another program changes the library while Textwright runs: it edits a reply's macro, adds a
# reply to a folder and deletes another. All three show in the window (the time it took is
# printed beside the time one look at the window takes), the edited and the added macro expand
# in Notepad, the deleted one no longer does, and the files stay as the other program wrote them.
# Usage: library_follow.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

# The macro list's rows as another process reads them: their first four characters.
macros() { probe macros | cut -c1-4 | sort | tr '\n' ' '; }
has_macro() { grep -Eq "(^| )$1( |$)" <<<"$2"; }
taken_in() {
    local m
    m=$(macros)
    has_macro than "$m" && has_macro rega "$m" && ! has_macro thx "$m" && ! has_macro dt "$m"
}
now_ms() { date +%s%3N; }

start_program_hidden
BEFORE=$(probe state-all-open)
M=$(macros)
has_macro thx "$M" && has_macro dt "$M" || fail "the test library is not shown: $(macros)"
[[ $BEFORE =~ tree=([0-9]+) ]] || fail "state: $BEFORE"
NODES=${BASH_REMATCH[1]}
# Nothing changes on disk: the window keeps its library and writes nothing.
sleep 1
library_unchanged || fail "the library changed by itself: $(diff -r "$WORK/library-before" "$LIB")"

echo "three changes made by another program at once"
# A look at the window on its own, for scale: the time below includes the look that saw them.
LOOK_START=$(now_ms)
macros >/dev/null
ONE_LOOK=$(($(now_ms) - LOOK_START))
START=$(now_ms)
printf 'thanks\r\n\r\n{\\rtf1\\ansi Thanks a million.}\r\n' >"$LIB/1/2.rep"
printf 'regards\r\n\r\n{\\rtf1\\ansi Kind regards}\r\n' >"$LIB/1/3.rep"
printf 'REPLY_3?Regards\r\n' >>"$LIB/1/index.sub"
rm "$LIB/5.rep"
sed -i '/^REPLY_5?/d' "$LIB/index.sub"
# Polled at a finer step than usual: the time taken is the point.
LOOKED=0
until LOOKED=$(($(now_ms) - START)) && taken_in || [ "$LOOKED" -gt 15000 ]; do sleep 0.05; done
taken_in || fail "after 15 s the macros are: $(macros)"
TOOK=$(($(now_ms) - START))
AFTER=$(probe state-all-open)
[[ $AFTER == *"tree=$NODES "* ]] || fail "one reply added and one deleted, but the tree went from $BEFORE to $AFTER"
pass "the edited, added and deleted replies show in the window after $TOOK ms (the look that saw them began at $LOOKED ms; one look takes $ONE_LOOK ms): $(macros)"

start_target "Untitled - Notepad" wine notepad
type_word "thanks"
press space
eventually target_text_is "Thanks a million." || fail "typed [thanks ]"
type_word "regards"
press space
eventually target_text_is "Kind regards" || fail "typed [regards ]"
type_word "dt"
press space
stays "dt " || fail "the deleted reply's macro still expands"
pass "the edited and the added reply expand in Notepad, the deleted one no longer"
kill "$TARGET_PID" 2>/dev/null || true

printf 'regards\r\n\r\n{\\rtf1\\ansi Kind regards}\r\n' | cmp -s - "$LIB/1/3.rep" ||
    fail "the added reply was rewritten: $(od -c "$LIB/1/3.rep" | head -3)"
[ ! -e "$LIB/5.rep" ] || fail "the deleted reply came back"
probe exit >/dev/null
expect_end "$PROGRAM" "Exit did not end the program"
pass "the program leaves the files as the other program wrote them"
