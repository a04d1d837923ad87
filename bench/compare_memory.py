#!/usr/bin/env python3
"""Peak memory of one page comparison, as a multiple of the two pages' size.

Writes two pages of SIZE megabytes (paragraphs in sections, 1 in 500
changed between them), runs `ovisto-cli compare OLD NEW` on them and
prints the child's peak resident size and its ratio to the two pages'
bytes. Run from the repository after a native build:
    python3 bench/compare_memory.py [SIZE_MB ...]
"""
import os
import random
import resource
import subprocess
import sys
import tempfile

CLI = os.environ.get("OVISTO_CLI", "build/native/bin/ovisto-cli")


def page(size, changed):
    rnd = random.Random(7)
    words = ["river", "market", "weather", "north", "council", "train", "school",
             "report", "garden", "season", "bridge", "village", "evening"]
    out, total, i = ["<html><head><title>Memory</title></head><body>\n"], 0, 0
    while total < size:
        text = " ".join(rnd.choice(words) for _ in range(rnd.randint(8, 40)))
        if changed and i % 500 == 250:
            text += " (changed)"
        if i % 50 == 0:
            out.append("<div class=section>\n")
        line = f"<p>{text} <a href=\"/n/{i}\">more {i}</a></p>\n"
        out.append(line)
        total += len(line)
        if i % 50 == 49:
            out.append("</div>\n")
        i += 1
    out.append("</body></html>\n")
    return "".join(out).encode()


def measure(megabytes):
    with tempfile.TemporaryDirectory() as work:
        old, new = os.path.join(work, "old.htm"), os.path.join(work, "new.htm")
        with open(old, "wb") as f:
            f.write(page(megabytes << 20, False))
        with open(new, "wb") as f:
            f.write(page(megabytes << 20, True))
        both = os.path.getsize(old) + os.path.getsize(new)
        before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        done = subprocess.run([CLI, "compare", old, new], stdout=subprocess.DEVNULL)
        peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        if peak_kb <= before:
            print(f"{megabytes} MB: a smaller run came first; run sizes in rising order")
        print(f"{megabytes} MB pages: exit {done.returncode}, peak {peak_kb / 1024:.1f} MB, "
              f"{peak_kb * 1024 / both:.2f} x the two pages ({both / 1048576:.1f} MB)")


if __name__ == "__main__":
    for size in [int(a) for a in sys.argv[1:]] or [1, 5, 20]:
        measure(size)
