#!/usr/bin/env python3
"""Runs the black-box cases of the whole program and compares stdout, stderr and exit code.

Each case file (cases/**/*.test) holds header lines, then the expected streams:

    # free comment
    args: -q -s 12/25/2024          shell-style words (quotes and backslashes as in sh)
    clock: 2026-12-07 04:15:11.270  optional; the frozen local time (TZ=UTC)
    env: NAME=value                 optional, repeatable
    exit: 0
    --- stdout
    ...expected bytes, every line ending in a line end...
    --- stderr
    ...

A section may be left out; then that stream is not compared. A line "--- stdout partial"
compares only the lines given, in order, against the start of the output; a line
"--- stderr subset" checks that the lines given occur among the output's lines in the
same order, other lines coming between them (for output holding the build date or the
build directory). "{LE}" cannot
occur in output; write expected text plainly. The clock is frozen with libfaketime and the
process id fixed at 1 by starting the program as the first process of a new pid
namespace, so the random seed is 1. Line ends are normalised to LF, so the same cases run
against the Windows build under Wine (--wine).
"""
import argparse
import os
import pathlib
import shlex
import subprocess
import sys

DEFAULT_CLOCK = "2026-12-07 04:15:11.270"
FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"


def parse_case(path):
    case = {"args": [], "clock": DEFAULT_CLOCK, "env": {}, "exit": 0, "streams": {},
            "partial": set(), "subset": set(), "wine_only": False, "posix_only": False}
    section = None
    for raw in path.read_bytes().split(b"\n"):
        line = raw.decode("utf-8", "surrogateescape")
        if line.startswith("--- "):
            words = line[4:].split()
            section = words[0]
            case["streams"][section] = []
            if "partial" in words[1:]:
                case["partial"].add(section)
            if "subset" in words[1:]:
                case["subset"].add(section)
            continue
        if section is not None:
            case["streams"][section].append(raw)
            continue
        if not line.strip() or line.startswith("#"):
            continue
        key, _, value = line.partition(":")
        value = value.strip()
        if key == "args":
            case["args"] = shlex.split(value)
        elif key == "clock":
            case["clock"] = value
        elif key == "env":
            name, _, env_value = value.partition("=")
            case["env"][name] = env_value
        elif key == "exit":
            case["exit"] = int(value)
        elif key == "only":
            case[value + "_only"] = True
        else:
            raise ValueError(f"{path}: unknown header {key!r}")
    for name, lines in case["streams"].items():
        # The file's final newline ends the last expected line, not an extra empty line.
        if lines and lines[-1] == b"":
            lines.pop()
        case["streams"][name] = b"".join(l + b"\n" for l in lines)
    return case


def run_case(program, case, cwd, wine):
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TZ": "UTC", "LC_ALL": "C",
           "FAKETIME": case["clock"], "FAKETIME_DONT_RESET": "1"}
    if wine:
        env.update({k: v for k, v in os.environ.items() if k.startswith("WINE")})
        env["WINEDEBUG"] = "-all"
        env["HOME"] = os.environ.get("HOME", "/root")
        command = ["wine", program]
    else:
        env["LD_PRELOAD"] = FAKETIME_LIB
        # A sanitizer build loads its runtime after the preloaded faketime library.
        env["ASAN_OPTIONS"] = "verify_asan_link_order=0:" + os.environ.get("ASAN_OPTIONS", "")
        env["UBSAN_OPTIONS"] = "halt_on_error=1:print_stacktrace=1"
        command = ["unshare", "-pf", "--mount-proc", program]
    env.update(case["env"])
    result = subprocess.run(command + case["args"], cwd=cwd, env=env, capture_output=True,
                            timeout=60)
    return result


def compare_subset(name, expected, actual):
    """Every expected line must occur, in order, among the actual lines."""
    pending = expected.decode("utf-8", "replace").splitlines()
    for line in actual.decode("utf-8", "replace").splitlines():
        if pending and line == pending[0]:
            pending.pop(0)
    if not pending:
        return []
    return [f"  {name}: line not found in order: {pending[0]!r}"]


def compare(name, expected, actual, partial, subset=False):
    actual = actual.replace(b"\r\n", b"\n")
    if subset:
        return compare_subset(name, expected, actual)
    if partial:
        ok = actual.startswith(expected)
    else:
        ok = actual == expected
    if ok:
        return []
    exp = expected.decode("utf-8", "replace").splitlines()
    act = actual.decode("utf-8", "replace").splitlines()
    for i in range(max(len(exp), len(act))):
        e = exp[i] if i < len(exp) else "<none>"
        a = act[i] if i < len(act) else "<none>"
        if e != a:
            if partial and i >= len(exp):
                break
            return [f"  {name} line {i + 1}:", f"    expected {e!r}", f"    actual   {a!r}"]
    return [f"  {name}: differs in line ends or trailing bytes"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("cases", nargs="?", default=str(pathlib.Path(__file__).parent / "cases"))
    parser.add_argument("--wine", action="store_true", help="run a Windows build under Wine")
    parser.add_argument("--filter", default="", help="run only cases whose path contains this")
    options = parser.parse_args()
    program = os.path.abspath(options.program)
    root = pathlib.Path(options.cases)
    failures = 0
    count = 0
    for path in sorted(root.rglob("*.test")):
        if options.filter not in str(path):
            continue
        case = parse_case(path)
        if (case["wine_only"] and not options.wine) or (case["posix_only"] and options.wine):
            continue
        count += 1
        result = run_case(program, case, path.parent, options.wine)
        problems = []
        if result.returncode != case["exit"]:
            problems.append(f"  exit code: expected {case['exit']}, actual {result.returncode}")
        for stream, actual in (("stdout", result.stdout), ("stderr", result.stderr)):
            if stream in case["streams"]:
                problems += compare(stream, case["streams"][stream], actual,
                                    stream in case["partial"], stream in case["subset"])
        if problems:
            failures += 1
            print(f"FAIL {path.relative_to(root)}")
            print("\n".join(problems))
    print(f"{count - failures} of {count} CLI cases passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
