#!/bin/bash
# twlib_expand_test.sh TWLIB REPLIES_DIR: black-box checks of "twlib expand" on the sample library.
set -u
TWLIB=$1
REPLIES=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
NOW=(--now "2024-02-29 00:07:09")
library_state() { find "$REPLIES" -type f -print0 | sort -z | xargs -0 md5sum; }
STATE_BEFORE=$(library_state) # a leap day just after midnight: yesterday and tomorrow move

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# check NAME EXPECTED_RC EXPECTED_STDOUT -- ARGS...
check() {
    local name=$1 rc=$2 out=$3
    shift 4
    "$TWLIB" expand "$@" >"$WORK/out" 2>"$WORK/err"
    local got=$?
    [ "$got" -eq "$rc" ] || fail "$name: exit code $got, expected $rc ($(cat "$WORK/err"))"
    if ! diff -u <(printf '%s' "$out") "$WORK/out" >"$WORK/diff"; then
        fail "$name: output differs"
        cat "$WORK/diff" >&2
    fi
}

check "typed values into the fields" 0 $'Best regards,\nAnn\nLee\n' \
    -- "$REPLIES" 'SIG(Ann,Lee)' "${NOW[@]}" --plain
check "fields keep their formatting" 0 '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
{\colortbl ;\red0\green0\blue128;}
\viewkind4\uc1\pard\f0\fs20 Best regards,\par
\b Ann\b0\par
Lee\par
}
' -- "$REPLIES" 'sig(Ann,Lee)' "${NOW[@]}"
check "fields, then placeholders" 0 \
    $'Dear John,\n\nwe received your order A-17 on Thursday and will ship it by Friday.\n' \
    -- "$REPLIES" 'ord(John,A-17)' --plain "${NOW[@]}"
check "full date and one-digit hour" 0 $'Today is Thursday, February 29, 2024, it is 0:07.\n' \
    -- "$REPLIES" today "${NOW[@]}" --plain
check "short date" 0 $'Hello,\n\nthank you for your message of 2/29/2024.\n' \
    -- "$REPLIES" hi "${NOW[@]}" --plain
check "no values leave the field names" 0 $'Please confirm the shipping address: Name, City.\n' \
    -- "$REPLIES" 'addr()' "${NOW[@]}" --plain
check "a missing value leaves the field name" 0 \
    $'Please confirm the shipping address: Jo, City.\n' -- "$REPLIES" 'addr(Jo)' "${NOW[@]}" --plain
check "surplus values are ignored" 0 $'Please confirm the shipping address: Jo, Rome.\n' \
    -- "$REPLIES" 'addr(Jo,Rome,Italy)' "${NOW[@]}" --plain
check "no closing parenthesis: no values" 0 \
    $'Please confirm the shipping address: Name, City.\n' -- "$REPLIES" 'addr(Jo' "${NOW[@]}" --plain
# Plain text comes out in UTF-8; an ANSI value is taken as it is, a UTF-8 one keeps characters the
# document's code page lacks as \uN.
check "values with RTF specials and accents, as text" 0 \
    $'Please confirm the shipping address: C:\\x {y}, M\xc3\xbcller.\n' \
    -- "$REPLIES" $'addr(C:\\x {y},M\xfcller)' "${NOW[@]}" --plain
"$TWLIB" expand "$REPLIES" $'addr(C:\\x {y},M\xfcller)' "${NOW[@]}" >"$WORK/rtf"
grep -qF "address: C:\\\\x \\{y\\}, M\\'fcller." "$WORK/rtf" || fail "values are not escaped in the RTF: $(cat "$WORK/rtf")"
check "values in any script" 0 $'Please confirm the shipping address: \xc5\x81ukasz, \xe6\x9d\xb1\xe4\xba\xac.\n' \
    -- "$REPLIES" $'addr(\xc5\x81ukasz,\xe6\x9d\xb1\xe4\xba\xac)' "${NOW[@]}" --plain
"$TWLIB" expand "$REPLIES" $'addr(\xc5\x81ukasz,\xe6\x9d\xb1\xe4\xba\xac)' "${NOW[@]}" >"$WORK/rtf"
grep -qF 'address: \u321?ukasz, \u26481?\u20140?.' "$WORK/rtf" || fail "values are not written as \\uN: $(cat "$WORK/rtf")"

check "no macro" 1 $'not found\n' -- "$REPLIES" nosuch "${NOW[@]}"
check "name part alone" 1 $'not found\n' -- "$REPLIES" sig
for bad in "2024-02-29" "2024-02-30 00:00:00" "2024-13-01 00:00:00" "2024-02-29 24:00:00" \
    "2024-02-29 23:60:00" "2024-02-29T00:00:00" "2O24-02-29 00:00:00" "2024-02-29 00:00:00 "; do
    check "malformed --now '$bad'" 2 "" -- "$REPLIES" today --now "$bad"
done
check "--now without a value" 2 "" -- "$REPLIES" today --now
check "unknown option" 2 "" -- "$REPLIES" today --rtf
check "one output form only" 2 "" -- "$REPLIES" today --html --plain
check "the HTML a browser receives" 0 '<p style="margin:0pt 0pt 0pt 0pt;white-space:pre-wrap"><span style="font-family:'"'Arial'"',sans-serif;font-size:10pt">Best regards,</span></p><p style="margin:0pt 0pt 0pt 0pt;white-space:pre-wrap"><span style="font-family:'"'Arial'"',sans-serif;font-size:10pt;font-weight:bold">&lt;b&gt;</span></p><p style="margin:0pt 0pt 0pt 0pt;white-space:pre-wrap"><span style="font-family:'"'Arial'"',sans-serif;font-size:10pt">Łukasz</span></p>
' -- "$REPLIES" $'sig(<b>,\xc5\x81ukasz)' "${NOW[@]}" --html
check "missing word" 2 "" -- "$REPLIES"
check "extra argument" 2 "" -- "$REPLIES" today more

# Without --now the clock is read: the short date is today's (allow for a midnight in between).
before=$(date +%-m/%-d/%Y)
"$TWLIB" expand "$REPLIES" hi --plain >"$WORK/out" || fail "current time: exit code $?"
after=$(date +%-m/%-d/%Y)
grep -qE "message of ($before|$after)\.\$" "$WORK/out" || fail "current time: $(cat "$WORK/out")"

# Expanding never changes the stored replies.
[ "$(library_state)" = "$STATE_BEFORE" ] || fail "the library changed on disk"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "twlib expand: all checks passed"
