#!/usr/bin/env python3
"""Lists the functions of the C++ sources that are longer than a limit.

    python3 scripts/function-lengths.py [--limit N] [--strict] [PATH...]

PATH defaults to src/. A function's length is the number of lines from the
line of its opening brace to the line of its closing one. A function may stay
longer than the limit when a comment "long-function: <reason>" stands in the
ten lines above its opening brace; such functions are listed apart. With
--strict the exit status is 1 when any function is over the limit without a
reason.

The reader is a brace counter, not a compiler: it strips comments, strings and
character literals, treats namespace braces as transparent and takes a brace
at namespace or class level after a closing parenthesis as a function body.
"""
import argparse
import os
import re
import sys

SOURCE_SUFFIXES = (".cpp", ".h", ".cc", ".hpp")
REASON = re.compile(r"long-function:\s*\S")


def strip_code(text):
    """Returns the text with comments, strings and character literals blanked,
    keeping every line break so that line numbers stay right."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("".join(ch for ch in text[i:j] if ch == "\n"))
            i = j
        elif c == 'R' and text.startswith('R"', i):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                out.append(c)
                i += 1
                continue
            end = ")" + m.group(1) + '"'
            j = text.find(end, i + m.end())
            j = n if j < 0 else j + len(end)
            out.append('""' + "".join(ch for ch in text[i:j] if ch == "\n"))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def functions(text):
    """Yields (first line, last line) of every function body in the text."""
    code = strip_code(text)
    stack = []  # kinds of the open braces: ns, class, function, block
    starts = []
    line = 1
    head = []  # text since the last ; { or }
    for c in code:
        if c == "\n":
            line += 1
        if c == "{":
            before = "".join(head)
            enclosing = [k for k in stack if k != "ns"]
            if re.search(r"\bnamespace\b|extern\s*$", before.strip()) and not enclosing:
                kind = "ns"
            elif re.search(r"\b(class|struct|union|enum)\b", before) and "(" not in before:
                kind = "class"
            elif (not enclosing or enclosing[-1] == "class") and ")" in before \
                    and not re.search(r"=\s*$", before.strip()):
                kind = "function"
            else:
                kind = "block"
            stack.append(kind)
            starts.append(line)
            head = []
        elif c == "}":
            if stack:
                kind = stack.pop()
                first = starts.pop()
                if kind == "function":
                    yield first, line
            head = []
        elif c == ";":
            head = []
        else:
            head.append(c)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("paths", nargs="*", default=["src"])
    parser.add_argument("--limit", type=int, default=80)
    parser.add_argument("--strict", action="store_true")
    args = parser.parse_args()

    files = []
    for path in args.paths:
        if os.path.isfile(path):
            files.append(path)
        for root, _, names in os.walk(path):
            files += [os.path.join(root, n) for n in names if n.endswith(SOURCE_SUFFIXES)]

    over, kept = [], []
    for path in sorted(files):
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        lines = text.split("\n")
        for first, last in functions(text):
            length = last - first + 1
            if length <= args.limit:
                continue
            above = "\n".join(lines[max(0, first - 12):first])
            (kept if REASON.search(above) else over).append((length, path, first))

    for length, path, first in sorted(over, reverse=True):
        print(f"{path}:{first}: {length} lines")
    if kept:
        print(f"({len(kept)} longer function(s) with a written reason)")
    print(f"{len(over)} function(s) over {args.limit} lines without a reason")
    return 1 if args.strict and over else 0


if __name__ == "__main__":
    sys.exit(main())
