#!/usr/bin/env python3
# Writes a generated reply library for the benchmarks into ROOT and prints its number of macros:
# N replies in folders of 50 (top-level folders of 9 sub-folders), about 1 KB of RTF each, a
# macro on every second reply (a field list on every tenth), the 72 hot keys on the first 72.
#   generate_library.py ROOT N
import os, sys
root, n = sys.argv[1], int(sys.argv[2])
keys = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
reply = 0
macros = 0
def fill(folder, index):
    global reply, macros
    for r in range(1, 51):
        macro = ""
        if reply % 2 == 0:
            macro = "m%d(Name,City)" % reply if reply % 10 == 0 else "m%d" % reply
            macros += 1
        hot = ("1" if reply >= 36 else "0") + keys[reply % 36] if reply < 72 else ""
        body = ["{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}",
                "\\pard\\f0\\fs20 Dear Name,\\par"]
        body += ["reply %d paragraph %d: thank you for your message of %%Date.\\par" % (reply, i)
                 for i in range(11)] + ["}"]
        with open(os.path.join(folder, "%d.rep" % r), "wb") as f:
            f.write(("\r\n".join([macro, hot] + body) + "\r\n").encode())
        index.append("REPLY_%d?Reply %d" % (r, reply))
        reply += 1
def write_index(folder, lines):
    with open(os.path.join(folder, "index.sub"), "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode())
root_lines = []
for t in range(1, max(1, n // 500) + 1):
    top = os.path.join(root, str(t))
    os.makedirs(top)
    top_lines = []
    for s in range(1, 10):
        sub = os.path.join(top, str(s))
        os.makedirs(sub)
        lines = []
        fill(sub, lines)
        write_index(sub, lines)
        top_lines.append("FOLDER_%d?Sub %d" % (s, s))
    fill(top, top_lines)
    write_index(top, top_lines)
    root_lines.append("FOLDER_%d?Top %d" % (t, t))
write_index(root, root_lines)
print(macros)
