#!/usr/bin/env python3
"""Prints the size of the code: lines of portable and Win32 code per layer, the largest files,
the functions over 40 lines and the test share. Run from anywhere: scripts/code_measures.py [ROOT]

Code is src/, keybdll/ and tools/; a file is Win32 code when a folder on its path is named
"win32" (keybdll/ is Win32 throughout). Tests are the C++ and shell files of tests/ and fuzz/. Lines are all lines of the
.h and .cpp files, blank and comment lines included, as wc -l counts them."""
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
LONG = 40


def sources(top, kinds=(".h", ".cpp")):
    for folder, _, files in os.walk(os.path.join(ROOT, top)):
        for name in sorted(files):
            if name.endswith(kinds):
                yield os.path.relpath(os.path.join(folder, name), ROOT)


def lines_of(path):
    with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
        return f.read().split("\n")[:-1]


def is_win32(path):
    parts = path.split(os.sep)
    return parts[0] == "keybdll" or "win32" in parts


def layer(path):
    parts = path.split(os.sep)
    return parts[1] if parts[0] == "src" and len(parts) > 2 else parts[0]


CONTROL = re.compile(r"^\s*(}\s*)?(if|for|while|switch|else|do|try|catch)\b")
TYPE = re.compile(r"\b(class|struct|union|enum)\b[^;(]*$")


def code_only(line):
    """The line without string and character literals and // comments."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                i += 2
                continue
            if c == quote:
                quote = None
            i += 1
            continue
        if c in "\"'":
            quote = c
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def long_functions(path):
    """(first line, length, signature) of each function body over LONG lines, counted from the
    line that starts its signature to its closing brace."""
    found, stack, pending = [], [], []
    in_comment = False
    for number, raw in enumerate(lines_of(path), 1):
        line = raw
        if in_comment:
            if "*/" not in line:
                continue
            line, in_comment = line.split("*/", 1)[1], False
        while "/*" in line:
            head, tail = line.split("/*", 1)
            if "*/" in tail:
                line = head + tail.split("*/", 1)[1]
            else:
                line, in_comment = head, True
        code = code_only(line)
        if code.strip():
            pending.append((number, code))
        for c in code:
            if c == "{":
                outer = stack[-1][0] if stack else "namespace"
                text = " ".join(p[1] for p in pending).strip()
                if text.startswith("namespace") or "namespace " in text.split("(")[0]:
                    kind = "namespace"
                elif TYPE.search(text.split("{")[0]) and "(" not in text.split("{")[0]:
                    kind = "type"
                elif outer in ("namespace", "type") and "(" in text and not CONTROL.match(text) \
                        and not text.rstrip("{ ").endswith("="):
                    kind = "function"
                else:
                    kind = "block"
                first = pending[0][0] if pending else number
                stack.append((kind, first, text.split("{")[0].strip()))
                pending = []
            elif c == "}":
                if stack:
                    kind, first, signature = stack.pop()
                    if kind == "function" and number - first + 1 > LONG:
                        found.append((first, number - first + 1, signature))
                pending = []
            elif c == ";":
                pending = []
    return found


def main():
    code = [p for top in ("src", "keybdll", "tools") for p in sources(top)]
    tests = [p for top in ("tests", "fuzz") for p in sources(top, (".h", ".cpp", ".sh"))]
    size = {p: len(lines_of(p)) for p in code + tests}
    portable = sum(size[p] for p in code if not is_win32(p))
    win32 = sum(size[p] for p in code if is_win32(p))
    test_lines = sum(size[p] for p in tests)

    print("Lines per layer (portable / Win32):")
    for name in sorted({layer(p) for p in code}):
        mine = [p for p in code if layer(p) == name]
        print("  %-12s %6d / %6d" % (name, sum(size[p] for p in mine if not is_win32(p)),
                                      sum(size[p] for p in mine if is_win32(p))))
    print("  %-12s %6d / %6d   Win32 share %.0f%%" % ("all", portable, win32,
                                                      100.0 * win32 / (portable + win32)))
    print("Tests, end-to-end scripts and fuzz targets: %d lines, %.0f%% of the code's %d" %
          (test_lines, 100.0 * test_lines / (portable + win32), portable + win32))
    print("Largest files of the code:")
    for p in sorted(code, key=lambda p: -size[p])[:8]:
        print("  %5d %s" % (size[p], p))
    over = [(p, f) for p in code for f in long_functions(p)]
    print("Functions over %d lines: %d" % (LONG, len(over)))
    for p, (first, length, signature) in sorted(over, key=lambda x: -x[1][1]):
        print("  %4d %s:%d  %s" % (length, p, first, signature[:70]))


main()
