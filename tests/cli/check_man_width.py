#!/usr/bin/env python3
"""Checks that the manual page reads whole on a terminal of 80 columns.

The page is rendered at 80 columns by man-db (groff) and by mandoc. Each renderer must
give no warning (such as "table wider than line width"), no line may be wider than 80
columns, and no word may be cut at a line end: a line may end in a hyphen only where the
page itself writes one ("ready-made", "section-by-section").

usage: check_man_width.py path/to/zentrel.1
"""
import os
import re
import shutil
import subprocess
import sys
import unicodedata

WIDTH = 80
HYPHENS = "-\u2010"


def columns(line):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in line)


def render(page):
    """(renderer, standard output, standard error) for each renderer on the machine."""
    runs = []
    plain = dict(os.environ, MANWIDTH=str(WIDTH), MAN_KEEP_FORMATTING="", LC_ALL="C.UTF-8")
    if shutil.which("man"):
        runs.append(("man", ["man", "--local-file", page], plain))
    if shutil.which("mandoc"):
        runs.append(("mandoc", ["mandoc", "-T", "utf8", "-O", f"width={WIDTH}", page], plain))
    if not runs:
        sys.exit("check_man_width.py: neither man nor mandoc is installed")
    results = []
    for name, command, env in runs:
        done = subprocess.run(command, env=env, capture_output=True, check=False)
        text = done.stdout.decode("utf-8", "replace")
        text = re.sub(".\b", "", text)  # overstrikes for bold and underline
        results.append((name, done.returncode, text, done.stderr.decode("utf-8", "replace")))
    return results


def source_words(page):
    """The page's text with its escapes for hyphens undone, for finding hyphenated words."""
    with open(page, encoding="utf-8") as f:
        text = f.read()
    for old, new in ((r"\-", "-"), (r"\(hy", "-"), ("\\\n", ""), (r"\c", "")):
        text = text.replace(old, new)
    return text


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    page = sys.argv[1]
    source = source_words(page)
    failures = 0
    for name, code, text, errors in render(page):
        problems = []
        if code != 0:
            problems.append(f"exit code {code}")
        problems += [f"says: {line}" for line in errors.splitlines() if line.strip()]
        lines = text.splitlines()
        for number, line in enumerate(lines, 1):
            if columns(line) > WIDTH:
                problems.append(f"line {number} is {columns(line)} columns: {line.strip()}")
            if line and line[-1] in HYPHENS and number < len(lines):
                head = re.search(r"(\S*)[" + HYPHENS + r"]$", line).group(1)
                following = lines[number].split()
                tail = following[0] if following else ""
                word = re.sub(r"^\W+", "", head) + "-" + re.sub(r"\W+$", "", tail)
                if not head or not tail or word not in source:
                    problems.append(f"line {number} cuts a word: {head}{line[-1]} / {tail}")
        for problem in problems:
            print(f"FAIL {name}: {problem}")
        failures += len(problems)
        print(f"{name}: {len(lines)} lines at {WIDTH} columns, {len(problems)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
