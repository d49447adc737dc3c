#!/usr/bin/env python3
"""Runs every example of README.md and of the manual page's EXAMPLES and compares what it
prints with what the document says it prints.

Shell examples (README's "In shell scripts" block, the page's first block) end in
"  # expected": the line's standard output, its lines joined by blanks, or for an
assignment "name=..." the value it sets. Batch examples (README's "In batch files" block,
the page's second block) are each followed by "rem NAME=value", what the line sets; a
line ending in "^" goes on in the next.

The lines of one block run in order in one shell (or one batch file), in a folder that
holds the files the examples name, with the clock frozen at 12/07/2026 04:15:11.270 UTC
(libfaketime) as for the CLI cases.

usage: check_doc_examples.py [--shell path/to/zentrel] [--batch path/to/zentrel.exe]
"""
import argparse
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from run_cli_tests import (DEFAULT_CLOCK, FAKETIME_LIB, WineSession,  # noqa: E402
                           base_env, default_wine_prefix)

TOP = pathlib.Path(__file__).resolve().parents[2]
MARK = "@@END@@"


def readme_blocks():
    text = (TOP / "README.md").read_text()
    blocks = {}
    for title in ("In shell scripts", "In batch files"):
        section = text.split(f"## {title}\n", 1)[1].split("\n## ", 1)[0]
        blocks[title] = [line[4:] for line in section.splitlines() if line.startswith("    ")]
    return blocks["In shell scripts"], blocks["In batch files"]


def man_blocks():
    page = (TOP / "man" / "zentrel.1.in").read_text()
    section = page.split(".SH EXAMPLES\n", 1)[1].split("\n.SH ", 1)[0]
    blocks = re.findall(r"^\.EX\n(.*?)^\.EE$", section, re.S | re.M)
    unescape = [(r"\-", "-"), (r"\(aq", "'"), (r"\(dq", '"'), (r"\e", "\\")]
    result = []
    for block in blocks:
        lines = []
        for line in block.splitlines():
            for old, new in unescape:
                line = line.replace(old, new)
            lines.append(line)
        result.append(lines)
    return result[0], result[1]


def sandbox():
    """A folder with the files the examples name."""
    folder = pathlib.Path(tempfile.mkdtemp(prefix="zentrel-doc-"))
    (folder / "logs").mkdir()
    for name, stamp in (("app-2026-10-31.log", "202610310000"), ("app-2026-12-01.log", "202612010000")):
        (folder / "logs" / name).touch()
        subprocess.run(["touch", "-t", stamp, str(folder / "logs" / name)], check=True)
    (folder / "holidays.txt").write_text("12/25/2024\n")
    entry = "\\--- [#01] 00:01:20.000 - FIRST\n"
    (folder / "old.txt").write_text(entry)
    (folder / "new.txt").write_text(entry)
    return folder


def shell_cases(lines):
    cases = []
    for line in lines:
        code, sep, expected = line.partition("  # ")
        if not sep:
            raise ValueError(f"a shell example without its output: {line!r}")
        cases.append((code.strip(), expected.strip()))
    return cases


def run_shell(program, name, lines):
    cases = shell_cases(lines)
    # Only the program sees the frozen clock: libfaketime preloaded into the shell itself
    # would share its clock through a semaphore that a subshell of a pipeline removes when
    # it ends, and a program started after that fails before it runs.
    script = ['zentrel() { LD_PRELOAD="$ZENTREL_PRELOAD" command zentrel "$@"; }']
    for code, _ in cases:
        assignment = re.match(r"^([A-Za-z_]\w*)=", code)
        script.append(code)
        if assignment:
            script.append(f'printf "%s\\n" "${assignment.group(1)}"')
        script.append(f"echo {MARK}")
    folder = sandbox()
    env = base_env(DEFAULT_CLOCK)
    env["PATH"] = f"{os.path.dirname(os.path.abspath(program))}:{env['PATH']}"
    env["ZENTREL_PRELOAD"] = FAKETIME_LIB
    # A sanitizer build loads its runtime after the preloaded faketime library.
    env["ASAN_OPTIONS"] = "verify_asan_link_order=0:" + os.environ.get("ASAN_OPTIONS", "")
    try:
        result = subprocess.run(["bash", "-c", "\n".join(script)], cwd=folder, env=env,
                                capture_output=True, text=True, timeout=120)
    finally:
        shutil.rmtree(folder)
    return compare(name, cases, result.stdout, result.stderr)


def batch_cases(lines):
    # A line that ends in "^" goes on in the next, as cmd reads it; the pair stays two
    # lines of the batch file.
    joined = []
    for line in lines:
        if joined and joined[-1].endswith("^"):
            joined[-1] += "\r\n" + line
        else:
            joined.append(line)
    lines = joined
    cases = []
    for line, following in zip(lines, lines[1:] + [""]):
        if line.startswith("rem "):
            continue
        if not following.startswith("rem ") or "=" not in following:
            raise ValueError(f"a batch example without its rem NAME=value: {line!r}")
        cases.append((line, following[4:].strip()))
    return cases


def run_batch(program, name, lines, wine):
    cases = batch_cases(lines)
    script = ["@echo off"]
    for code, expected in cases:
        variable = expected.split("=", 1)[0]
        script += [code, f"echo {variable}=%{variable}%", f"echo {MARK}"]
    folder = sandbox()
    shutil.copy(program, folder / "zentrel.exe")
    (folder / "examples.bat").write_bytes("\r\n".join(script).encode() + b"\r\n")
    env = base_env(DEFAULT_CLOCK)
    env["LD_PRELOAD"] = FAKETIME_LIB
    env.update(wine.env)
    try:
        result = subprocess.run(["wine", "cmd", "/c", "examples.bat"], cwd=folder, env=env,
                                capture_output=True, timeout=300, stdin=subprocess.DEVNULL)
    finally:
        shutil.rmtree(folder)
    out = result.stdout.decode("utf-8", "replace").replace("\r\n", "\n")
    return compare(name, cases, out, result.stderr.decode("utf-8", "replace"))


def compare(name, cases, stdout, stderr):
    parts = stdout.split(f"{MARK}\n")
    failures = 0
    for index, (code, expected) in enumerate(cases):
        actual = " ".join(parts[index].split()) if index < len(parts) else "<nothing>"
        if actual != " ".join(expected.split()):
            failures += 1
            print(f"FAIL {name}: {code}\n  document: {expected}\n  program:  {actual}")
    if failures and stderr.strip():
        print(f"  standard error:\n{stderr.strip()[:2000]}")
    print(f"{name}: {len(cases) - failures} of {len(cases)} examples print what the document says")
    return len(cases) - failures, failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--shell", help="zentrel for the shell examples")
    parser.add_argument("--batch", help="zentrel.exe for the batch examples (under Wine)")
    options = parser.parse_args()
    readme_shell, readme_batch = readme_blocks()
    man_shell, man_batch = man_blocks()
    passed = failed = 0
    if options.shell:
        for name, lines in (("README shell", readme_shell), ("manual shell", man_shell)):
            p, f = run_shell(options.shell, name, lines)
            passed, failed = passed + p, failed + f
    if options.batch:
        wine = WineSession(default_wine_prefix(os.path.abspath(options.batch)))
        wine.start()
        try:
            for name, lines in (("README batch", readme_batch), ("manual batch", man_batch)):
                p, f = run_batch(os.path.abspath(options.batch), name, lines, wine)
                passed, failed = passed + p, failed + f
        finally:
            wine.finish()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
