#!/bin/bash
# twlib_cli_test.sh TWLIB REPLIES_DIR EXPECTED_DIR
set -u
TWLIB=$1
REPLIES=$2
EXPECTED=$3
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# check NAME EXPECTED_RC EXPECTED_STDOUT EXPECTED_STDERR -- ARGS...
check() {
    local name=$1 rc=$2 out=$3 err=$4
    shift 5
    "$TWLIB" "$@" >"$WORK/out" 2>"$WORK/err"
    local got=$?
    [ "$got" -eq "$rc" ] || fail "$name: exit code $got, expected $rc"
    if ! diff -u <(printf '%s' "$out") "$WORK/out" >"$WORK/diff"; then
        fail "$name: standard output differs"
        cat "$WORK/diff" >&2
    fi
    if ! diff -u <(printf '%s' "$err") "$WORK/err" >"$WORK/diff"; then
        fail "$name: standard error differs"
        cat "$WORK/diff" >&2
    fi
}

crlf() { printf '%s\r\n' "$@"; }

# The sample library as shipped.
check "list sample" 0 "$(cat "$EXPECTED/sample_list.txt")"$'\n' "" -- list "$REPLIES"
check "list sample, trailing slash" 0 "$(cat "$EXPECTED/sample_list.txt")"$'\n' "" -- list "$REPLIES/"
check "parametric macro" 0 $'Signature\nfields: Name,Company\nvalues: Ann|Lee\n' "" \
    -- find-macro "$REPLIES" 'SIG(Ann,Lee)'
check "parametric macro, no arguments" 0 $'Shipping address\nfields: Name,City\nvalues: \n' "" \
    -- find-macro "$REPLIES" 'addr()'
check "plain macro" 0 $'Hello\nfields: \nvalues: \n' "" -- find-macro "$REPLIES" hi
check "name part alone" 1 $'not found\n' "" -- find-macro "$REPLIES" sig
check "plain macro with arguments" 1 $'not found\n' "" -- find-macro "$REPLIES" 'hi(x)'

# A damaged library: every problem is reported in load order and the rest still loads.
B="$WORK/broken"
mkdir -p "$B/1" "$B/2" "$B/3"
crlf 'FOLDER_1?No index' 'REPLY_1?Missing' 'NOTE_1?skipped' '' 'REPLY_..?hostile' \
    'FOLDER_2?Two' 'REPLY_2?Short' 'FOLDER_3?Three' >"$B/index.sub"
crlf 'only one line' >"$B/2.rep"
crlf 'REPLY_1?Deep' >"$B/2/index.sub"
crlf 'deep(A,B)' '1z' 'x' >"$B/2/1.rep"
crlf 'REPLY_1?Dup' >"$B/3/index.sub"
crlf 'DEEP(A,B)' '1Z' >"$B/3/1.rep"
check "broken library" 0 "F 1 No index
F 2 Two
  R 1.rep Deep [macro: deep(A,B)] [hotkey: <CTRL>+<ALT>+<SHIFT>+Z]
F 3 Three
  R 1.rep Dup
Macros:
  deep(A,B)
Hot keys:
  <CTRL>+<ALT>+<SHIFT>+Z
" "The library was loaded with 3 problems; the items concerned are left out.
File \"$B/1/index.sub\" can't be opened.
File \"$B/1.rep\" can't be opened.
File \"$B/2.rep\" has incorrect structure.
" -- list "$B"
check "find in broken library" 0 $'Deep\nfields: A,B\nvalues: 1|2|3\n' "The library was loaded with 3 problems; the items concerned are left out.
File \"$B/1/index.sub\" can't be opened.
File \"$B/1.rep\" can't be opened.
File \"$B/2.rep\" has incorrect structure.
" -- find-macro "$B" 'deep(1,2,3)'

# No library at all.
check "missing folder" 0 $'Macros:\nHot keys:\n' "File \"$WORK/none/index.sub\" can't be opened.
" -- list "$WORK/none"
mkdir -p "$WORK/empty"
check "folder without index" 1 $'not found\n' "File \"$WORK/empty/index.sub\" can't be opened.
" -- find-macro "$WORK/empty" x

# Wrong arguments.
for args in "" "list" "list a b" "find-macro $REPLIES" "find-macro" "frobnicate $REPLIES"; do
    # shellcheck disable=SC2086
    "$TWLIB" $args >/dev/null 2>&1
    rc=$?
    [ "$rc" -eq 2 ] || fail "arguments '$args': exit code $rc, expected 2"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures twlib check(s) failed" >&2
    exit 1
fi
echo "twlib checks passed"
