#!/usr/bin/env python3
"""Whole-process speed of a page comparison next to a reference parser.

Writes two pages of about 1 MB (9,000 paragraphs in sections with some
inline markup; the new one has 20 paragraphs inserted at scattered places),
then times `ovisto-cli compare OLD NEW` and `xmllint --html --noout NEW`
(parsing the new page only) side by side in one hyperfine run and prints
the ratio of their mean, median and least times and of their CPU times.
Hyperfine runs all of one command and then all of the other, so a change in
the machine's load between the two halves tilts its ratios; the paired
rounds that follow run the two commands back to back, in turns first, and
give the median of the rounds' ratios, which such drifts do not tilt. Run
from the repository after a native build:
    python3 bench/compare_speed.py [--runs N] [--rounds N] [--keep DIR]
"""
import argparse
import json
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

CLI = os.environ.get("OVISTO_CLI", "build/native/bin/ovisto-cli")
WORDS = ["news", "price", "weather", "report", "market", "city", "today", "offer",
         "update", "the", "of", "and", "shares", "rose", "fell", "by", "percent", "after"]


def sentence(rnd, size):
    out, total = [], 0
    while total < size:
        m = rnd.randrange(16)
        if m == 0:
            piece = "<b>bold</b> "
        elif m == 1:
            piece = f"<a href='/item{rnd.randrange(1000)}.htm'>link</a> "
        elif m == 2:
            piece = "&amp; "
        else:
            piece = ""
        piece += rnd.choice(WORDS) + " "
        out.append(piece)
        total += len(piece)
    return "".join(out)


def markup(texts):
    out = ["<html><head><title>Speed page</title></head><body>\n"]
    for i, text in enumerate(texts):
        if i % 50 == 0:
            out.append("<div class=section>\n")
        out.append(f"<p>{text}</p>\n")
        if i % 50 == 49:
            out.append("</div>\n")
    out.append("</body></html>\n")
    return "".join(out).encode()


def pages():
    rnd = random.Random(7)
    texts = [f"P{i} " + sentence(rnd, 100) for i in range(9000)]
    inserted = list(texts)
    for k in reversed(range(20)):
        inserted.insert(k * 9000 // 20 + rnd.randrange(400), f"Inserted paragraph {k}")
    return markup(texts), markup(inserted)


def timed_run(command):
    """Wall and CPU (user + system) seconds of one run, output discarded."""
    devnull = os.open(os.devnull, os.O_WRONLY)
    try:
        start = time.perf_counter()
        pid = os.posix_spawn(command[0], command, os.environ,
                             file_actions=[(os.POSIX_SPAWN_DUP2, devnull, 1)])
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
    finally:
        os.close(devnull)
    if status != 0:
        sys.exit(f"{command[0]} failed (status {status})")
    return wall, usage.ru_utime + usage.ru_stime


def paired_ratios(ours, ref, rounds):
    """Medians of the per-round ratios of wall and CPU time, and the medians
    of each command's wall times; the commands alternate in going first."""
    walls, cpus, ours_walls, ref_walls = [], [], [], []
    for i in range(rounds):
        if i % 2:
            a = timed_run(ours)
            b = timed_run(ref)
        else:
            b = timed_run(ref)
            a = timed_run(ours)
        walls.append(a[0] / b[0])
        cpus.append(a[1] / b[1])
        ours_walls.append(a[0])
        ref_walls.append(b[0])
    return (statistics.median(walls), statistics.median(cpus),
            statistics.median(ours_walls), statistics.median(ref_walls))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--rounds", type=int, default=41, help="paired rounds (0: none)")
    parser.add_argument("--keep", help="write the pages and hyperfine's JSON to this folder")
    args = parser.parse_args()
    if not os.access(CLI, os.X_OK):
        sys.exit(f"no {CLI}: build the native preset first or set OVISTO_CLI")
    work = args.keep or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    try:
        old, new = os.path.join(work, "old.htm"), os.path.join(work, "new.htm")
        for path, data in zip((old, new), pages()):
            with open(path, "wb") as f:
                f.write(data)
        check = subprocess.run([CLI, "compare", old, new], capture_output=True, text=True)
        if check.returncode != 0 or check.stdout.count("\n") != 21:
            sys.exit(f"unexpected comparison result (exit {check.returncode}):\n{check.stdout}")
        report = os.path.join(work, "hyperfine.json")
        subprocess.run(["hyperfine", "-N", "--warmup", "3", "--runs", str(args.runs),
                        "--export-json", report,
                        "-n", "ovisto-cli compare", f"{CLI} compare {old} {new}",
                        "-n", "xmllint one page", f"xmllint --html --noout {new}"], check=True)
        with open(report) as f:
            results = json.load(f)["results"]
        ours, ref = results[0], results[1]
        print(f"pages: {os.path.getsize(old)} and {os.path.getsize(new)} bytes")
        print(f"ratio ovisto-cli / xmllint: mean {ours['mean'] / ref['mean']:.2f}, "
              f"median {statistics.median(ours['times']) / statistics.median(ref['times']):.2f}, "
              f"min {min(ours['times']) / min(ref['times']):.2f}, "
              f"CPU (user + system) {(ours['user'] + ours['system']) / (ref['user'] + ref['system']):.2f}")
        if args.rounds > 0:
            wall, cpu, ours_ms, ref_ms = paired_ratios(
                [CLI, "compare", old, new], [shutil.which("xmllint"), "--html", "--noout", new],
                args.rounds)
            print(f"paired rounds ({args.rounds}): median ratio of wall times {wall:.2f}, "
                  f"of CPU times {cpu:.2f}; median wall {ours_ms * 1000:.1f} ms against "
                  f"{ref_ms * 1000:.1f} ms")
    finally:
        if not args.keep:
            shutil.rmtree(work)


if __name__ == "__main__":
    main()
