#!/usr/bin/env bash
# Fails when a source file includes a header of a layer it may not depend on, or when portable
# code includes Win32 code. Every finding names the file and the include.
set -euo pipefail
cd "$(dirname "$0")/.."

# Layer (first folder under src/, or keybdll, or twlib) and the layers it may include besides
# itself, from the top down. A file in a win32/ folder may also include the win32/ folders of
# its own layer and of those layers; a portable file never includes Win32 code.
declare -A allowed=(
    [program]="ui search delivery hooks expansion app library settings platform"
    [ui]="search delivery hooks expansion app library settings platform"
    [delivery]="hooks expansion app library settings platform"
    [hooks]="platform"
    [app]="settings platform"
    [expansion]="settings platform"
    [search]="expansion library settings platform"
    [library]="platform"
    [settings]="platform"
    [platform]=""
    [keybdll]="hooks"
    [twlib]="expansion library settings platform"
)

# Windows headers that only Win32 code may include.
windows_headers='windows\.h|commctrl\.h|richedit\.h|shellapi\.h|shlobj\.h|windowsx\.h|winreg\.h|winuser\.h'

layer_of_file() {
    case "$1" in
    src/*) local rest=${1#src/} && echo "${rest%%/*}" ;;
    keybdll/*) echo keybdll ;;
    tools/twlib/*) echo twlib ;;
    esac
}

failures=0
fail() {
    echo "layer check: $1" >&2
    failures=$((failures + 1))
}

while IFS= read -r file; do
    layer=$(layer_of_file "$file")
    if [ -z "${allowed[$layer]+set}" ]; then
        fail "$file: the layer '$layer' is not in the table of scripts/check_layers.sh"
        continue
    fi
    portable=1
    case "/$file" in */win32/*) portable=0 ;; esac
    while IFS= read -r line; do
        if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<($windows_headers)\> ]]; then
            [ $portable -eq 1 ] && fail "$file includes <${BASH_REMATCH[1]}>: portable code never includes Windows headers"
            continue
        fi
        [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
        header=${BASH_REMATCH[1]}
        # A name without a folder is a file beside the includer.
        [[ $header == */* ]] || continue
        target=${header%%/*}
        if [ $portable -eq 1 ] && [[ /$header == */win32/* ]]; then
            fail "$file includes \"$header\": portable code never includes Win32 code"
            continue
        fi
        [ "$target" = "$layer" ] && continue
        # tests/ helpers and the like are not layers of the program.
        [ -n "${allowed[$target]+set}" ] || continue
        if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
            fail "$file includes \"$header\": $layer may include only: ${allowed[$layer]:-nothing}"
        fi
    done <"$file"
done < <(find src keybdll tools/twlib -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ $failures -gt 0 ]; then
    echo "layer check: $failures include(s) against the layers" >&2
    exit 1
fi
echo "Layer check passed."
