#!/usr/bin/env python3
"""Whole-process speed of a page comparison next to a reference parser.

Writes two pages of about 1 MB (9,000 paragraphs in sections with some
inline markup; the new one has 20 paragraphs inserted at scattered places),
then times `ovisto-cli compare OLD NEW` and `xmllint --html --noout NEW`
(parsing the new page only) side by side in one hyperfine run and prints
the ratio of their mean, median and least times and of their CPU times. The
machine's load touches both alike, so the ratios are what to compare between
builds; on a busy machine the CPU ratio is the steadier one. Run from the
repository after a native build:
    python3 bench/compare_speed.py [--runs N] [--keep DIR]
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--runs", type=int, default=21)
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
    finally:
        if not args.keep:
            shutil.rmtree(work)


if __name__ == "__main__":
    main()
