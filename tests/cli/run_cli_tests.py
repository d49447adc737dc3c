#!/usr/bin/env python3
"""Runs the black-box cases of the whole program and compares stdout, stderr and exit code.

Each case file (cases/**/*.test) holds header lines, then the expected streams:

    # free comment
    args: -q -s 12/25/2024          shell-style words (quotes and backslashes as in sh)
    clock: 2026-12-07 04:15:11.270  optional; the frozen local time (TZ=UTC)
    env: NAME=value                 optional, repeatable
    only: posix | wine              optional; the case runs against that build alone
    stdin: dates.txt                optional; standard input comes from this file (beside
                                    the case), else it is empty
    stdout-to: /dev/full            optional; standard output goes to this file instead of
                                    being compared (a full device, a write that fails)
    locale: de_DE.UTF-8             Wine only: the user locale (LC_ALL) of the case; Wine
                                    rewrites the regional settings in its registry for it,
                                    so the registry is put back as it was after the case
    setup: reg add "HKLM\X" /f      Wine only, repeatable: a Windows command run under
                                    Wine before the case (shell words); the Wine
                                    registry is put back as it was after the case
    exit: 0
    --- stdout
    ...expected bytes, every line ending in a line end...
    --- stderr
    ...

A table file (cases/**/*.table) holds many cases of one kind: the same header lines, shared
by every row, then a line "--- rows" and one row per case:

    64 | -q -d 2024-13-45 |  -d "2024-13-45" is not a date (mm/dd/yyyy)

the exit code, the arguments (shell words) and a line that standard error must hold, each
separated by " | " (the line keeps its own leading blanks). A header line "stdout: empty"
makes every row check that standard output stays empty; otherwise it is not compared. With
a header line "rows: stdout" the last field is instead the whole of standard output (one
line), and standard error must stay empty.

A section may be left out; then that stream is not compared. A line "--- stdout partial"
compares only the lines given, in order, against the start of the output; a line
"--- stderr subset" checks that the lines given occur among the output's lines in the
same order, other lines coming between them (for output holding the build date or the
build directory). In expected text, {PROGRAM} stands for the executable's full path and
{PROGRAM_DIR} for its folder with the trailing separator, both as the program sees them
(under Wine the Z: drive path with backslashes). "{LE}" cannot occur in output; write
expected text plainly. The clock is frozen with libfaketime and the
process id fixed at 1 by starting the program as the first process of a new pid
namespace, so the random seed is 1. Line ends are normalised to LF, so the same cases run
against the Windows build under Wine (--wine).

Under Wine the clock is frozen the same way (libfaketime preloaded into the Wine
process), the time zone is UTC and the user locale is US English with the regional
overrides that give exactly the program's default settings. The Windows process id cannot
be fixed: Wine hands out ids in steps as processes start, so a case whose output depends
on the random seed (random numbers, the report, the script variables' random rows) carries
"only: posix". The Wine prefix (WINEPREFIX, else <build dir>/wine-prefix beside the
executable's folder) is created once and reused; one persistent Wine server serves the run.

A statically linked build (--static REFERENCE) cannot have its clock frozen: libfaketime
reaches only programs that load shared libraries. Against it run the cases whose result
does not depend on the clock, found by running every case on the dynamically linked
REFERENCE build at its own clock and at a second, distant one: a case whose exit code and
output stay the same runs against the static build, the others are skipped. The process id
is 1 for both builds.
"""
import argparse
import os
import pathlib
import shlex
import shutil
import subprocess
import sys

DEFAULT_CLOCK = "2026-12-07 04:15:11.270"
# Differs from the default clock in every field: a leap day that ends its month, another
# year, weekday and time of day.
OTHER_CLOCK = "2028-02-29 23:59:58.999"
FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"


def parse_case(path, text=None):
    case = {"args": [], "clock": DEFAULT_CLOCK, "env": {}, "exit": 0, "streams": {},
            "partial": set(), "subset": set(), "wine_only": False, "posix_only": False,
            "setup": [], "locale": None, "stdout_to": None, "stdin": None}
    section = None
    for raw in (path.read_bytes() if text is None else text).split(b"\n"):
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
            if value not in ("posix", "wine"):
                raise ValueError(f"{path}: only: takes posix or wine, not {value!r}")
            case[value + "_only"] = True
        elif key == "setup":
            case["setup"].append(shlex.split(value))
        elif key == "locale":
            case["locale"] = value
        elif key == "stdin":
            case["stdin"] = value
        elif key == "stdout-to":
            case["stdout_to"] = value
        elif key == "stdout" and value == "empty":
            case["streams"]["stdout"] = []
        elif key == "rows" and value in ("stdout", "stderr"):
            case["rows"] = value
        else:
            raise ValueError(f"{path}: unknown header {key!r}")
    if (case["setup"] or case["locale"]) and not case["wine_only"]:
        raise ValueError(f"{path}: a case with setup: or locale: runs under Wine only "
                         "(only: wine)")
    for name, lines in case["streams"].items():
        if isinstance(lines, bytes):
            continue
        # The file's final newline ends the last expected line, not an extra empty line.
        if lines and lines[-1] == b"":
            lines.pop()
        case["streams"][name] = b"".join(l + b"\n" for l in lines)
    return case


def parse_table(path):
    """The cases of a table file, one per row, named path:line."""
    header, _, rows = path.read_bytes().partition(b"\n--- rows\n")
    cases = []
    for number, raw in enumerate(rows.split(b"\n"), header.count(b"\n") + 3):
        line = raw.decode("utf-8", "surrogateescape")
        if not line.strip() or line.startswith("#"):
            continue
        code, args, expected = line.split(" | ", 2)
        case = parse_case(path, header)
        case["args"] = shlex.split(args)
        case["exit"] = int(code)
        expected = expected.encode("utf-8", "surrogateescape") + b"\n"
        if case.get("rows") == "stdout":
            case["streams"]["stdout"] = expected
            case["streams"]["stderr"] = b""
        else:
            case["streams"]["stderr"] = expected
            case["subset"].add("stderr")
        cases.append((pathlib.Path(f"{path}:{number}"), case))
    return cases


def base_env(clock):
    return {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TZ": "UTC", "LC_ALL": "C",
            "FAKETIME": clock, "FAKETIME_DONT_RESET": "1"}


def run_case(program, case, cwd, wine):
    env = base_env(case["clock"])
    env["LD_PRELOAD"] = FAKETIME_LIB
    if wine:
        env.update(wine.env)
        command = ["wine", program]
    else:
        # A sanitizer build loads its runtime after the preloaded faketime library.
        env["ASAN_OPTIONS"] = "verify_asan_link_order=0:" + os.environ.get("ASAN_OPTIONS", "")
        env["UBSAN_OPTIONS"] = "halt_on_error=1:print_stacktrace=1"
        command = ["unshare", "-pf", "--mount-proc", program]
    env.update(case["env"])
    if case["locale"]:
        env["LC_ALL"] = case["locale"]
    stdin = open(pathlib.Path(cwd) / case["stdin"], "rb") if case["stdin"] else subprocess.DEVNULL
    try:
        if case["stdout_to"]:
            with open(case["stdout_to"], "wb") as target:
                return subprocess.run(command + case["args"], cwd=cwd, env=env, stdout=target,
                                      stderr=subprocess.PIPE, timeout=60, stdin=stdin)
        return subprocess.run(command + case["args"], cwd=cwd, env=env, capture_output=True,
                              timeout=60, stdin=stdin)
    finally:
        if stdin is not subprocess.DEVNULL:
            stdin.close()


# The user locale's overrides under Wine: US English gives "M/d/yyyy" and "h:mm tt", the
# program's texts are written for "mm/dd/yyyy" and "h:nn AMPM".
WINE_REGIONAL = [
    ("sShortDate", "MM/dd/yyyy"),
    ("sLongDate", "dddd, MMMM d, yyyy"),
    ("sShortTime", "h:mm tt"),
    ("sTimeFormat", "h:mm:ss tt"),
    ("sDate", "/"),
    ("sTime", ":"),
    ("sDecimal", "."),
    ("s1159", "AM"),
    ("s2359", "PM"),
]
REGISTRY_FILES = ("system.reg", "user.reg", "userdef.reg")


class WineSession:
    """One Wine prefix and one persistent Wine server for a whole run.

    The prefix is made once (wineboot) and marked ready; later runs reuse it. The registry
    files are kept as they stand after the prefix is prepared, and put back (with the
    server restarted) after every case that changed the registry with setup: lines.
    """

    def __init__(self, prefix):
        self.prefix = pathlib.Path(prefix).resolve()
        self.snapshot = self.prefix / "zentrel-registry"
        self.ready = self.prefix / "zentrel-prefix-ready"
        self.changed = False
        self.env = {k: v for k, v in os.environ.items() if k.startswith("WINE")}
        self.env.update({"WINEPREFIX": str(self.prefix), "WINEDEBUG": "-all",
                         "WINEDLLOVERRIDES": "mscoree,mshtml=",
                         # Wine converts Unix arguments with the locale's character set.
                         "LC_ALL": "C.UTF-8",
                         "HOME": os.environ.get("HOME", "/root")})

    def _run(self, *command, check=True, timeout=600, detached=False):
        # Never with libfaketime: the Wine services started here keep running for the
        # whole session and need a clock that moves.
        env = base_env("")
        env.pop("FAKETIME")
        env.update(self.env)
        # A server that stays behind must not hold our pipes open.
        output = subprocess.DEVNULL if detached else subprocess.PIPE
        result = subprocess.run(list(command), env=env, stdout=output, stderr=output,
                                timeout=timeout, stdin=subprocess.DEVNULL)
        if check and result.returncode != 0:
            detail = (result.stderr or b"").decode("utf-8", "replace").strip()
            raise RuntimeError(f"{' '.join(command)} failed ({result.returncode}): {detail}")
        return result

    def wine(self, words):
        return self._run("wine", *words, check=False)

    def start(self):
        if not self.ready.exists():
            if self.prefix.exists():
                self._run("wineserver", "-k", check=False)
                self._run("wineserver", "-w", check=False)
                shutil.rmtree(self.prefix)
            self._run("wineboot", "-i")
            key = r"HKCU\Control Panel\International"
            for name, value in WINE_REGIONAL:
                self._run("wine", "reg", "add", key, "/v", name, "/t", "REG_SZ", "/d", value,
                          "/f")
            self._stop_server()
            self.snapshot.mkdir(exist_ok=True)
            for name in REGISTRY_FILES:
                shutil.copy2(self.prefix / name, self.snapshot / name)
            self.ready.touch()
        else:
            # Whatever changed the registry since (a run stopped halfway, a hand-made
            # change) is dropped: every run starts from the prepared registry.
            self._stop_server()
            self._put_back_registry()
        self._start_server()

    def _put_back_registry(self):
        for name in REGISTRY_FILES:
            shutil.copy2(self.snapshot / name, self.prefix / name)

    def _start_server(self):
        self._stop_server()  # one left by an interrupted run
        self._run("wineserver", "-p", detached=True)
        # The first Wine process starts the prefix's services; later cases find them up.
        self._run("wine", "cmd", "/c", "exit", detached=True)

    def _stop_server(self):
        self._run("wineserver", "-k", check=False)
        self._run("wineserver", "-w", check=False)

    def begin_changes(self):
        self.ready.unlink(missing_ok=True)
        self.changed = True

    def restore(self):
        self._stop_server()
        self._put_back_registry()
        self.ready.touch()
        self.changed = False
        self._start_server()

    def finish(self):
        if self.changed:
            self.restore()
        self._stop_server()


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


def default_wine_prefix(program):
    if os.environ.get("WINEPREFIX"):
        return os.environ["WINEPREFIX"]
    # build/windows/src/zentrel.exe -> build/windows/wine-prefix
    return str(pathlib.Path(program).parent.parent / "wine-prefix")


def program_names(program, wine):
    """The {PROGRAM} and {PROGRAM_DIR} texts: the path as the running program sees it."""
    if wine:
        full = "Z:" + program.replace("/", "\\")
        return full, full[:full.rindex("\\") + 1]
    return program, os.path.dirname(program) + "/"


def expand_names(expected, program, wine):
    full, folder = program_names(program, wine)
    return (expected.replace(b"{PROGRAM_DIR}", folder.encode("utf-8"))
            .replace(b"{PROGRAM}", full.encode("utf-8")))


def run_one(program, case, path, wine):
    problems = []
    if wine and case["locale"]:
        # Wine writes the locale's own settings over the prepared ones; they are put back
        # before the next case that needs them, so cases of other locales run in a row.
        wine.begin_changes()
    elif wine and wine.changed:
        wine.restore()
    changes_registry = bool(case["setup"])
    if changes_registry:
        wine.begin_changes()
        for words in case["setup"]:
            done = wine.wine(words)
            if done.returncode != 0:
                problems.append(f"  setup {shlex.join(words)} failed: "
                                f"{done.stderr.decode('utf-8', 'replace').strip()}")
    try:
        if not problems:
            result = run_case(program, case, path.parent, wine)
            if wine and result.returncode == 1 and case["exit"] != 1:
                # The program never exits with 1; Wine does when a process fails to start
                # (seen now and then on a loaded machine). Such a run is tried once more.
                result = run_case(program, case, path.parent, wine)
            if result.returncode != case["exit"]:
                problems.append(f"  exit code: expected {case['exit']}, "
                                f"actual {result.returncode}")
            for stream, actual in (("stdout", result.stdout), ("stderr", result.stderr)):
                if stream in case["streams"]:
                    expected = expand_names(case["streams"][stream], program, wine)
                    problems += compare(stream, expected, actual,
                                        stream in case["partial"], stream in case["subset"])
    finally:
        if changes_registry:
            wine.restore()
    return problems


def clock_free(reference, case, path):
    """Whether the case gives the same result on the reference build at two clocks."""
    results = []
    for clock in (case["clock"], OTHER_CLOCK):
        result = run_case(reference, dict(case, clock=clock), path.parent, None)
        results.append((result.returncode, result.stdout, result.stderr))
    return results[0] == results[1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("cases", nargs="?", default=str(pathlib.Path(__file__).parent / "cases"))
    parser.add_argument("--wine", action="store_true", help="run a Windows build under Wine")
    parser.add_argument("--wine-prefix", help="the Wine prefix to use (made when missing)")
    parser.add_argument("--static", metavar="REFERENCE",
                        help="the program is linked statically: run the cases that do not "
                             "depend on the clock, judged on this dynamically linked build")
    parser.add_argument("--filter", default="", help="run only cases whose path contains this")
    options = parser.parse_args()
    program = os.path.abspath(options.program)
    root = pathlib.Path(options.cases)
    selected = []
    skipped = 0
    found = [(path, parse_case(path)) for path in root.rglob("*.test")]
    for table in root.rglob("*.table"):
        found += parse_table(table)
    for path, case in sorted(found, key=lambda item: str(item[0])):
        if options.filter not in str(path.relative_to(root)):
            continue
        if (case["wine_only"] and not options.wine) or (case["posix_only"] and options.wine):
            skipped += 1
            continue
        selected.append((path, case))
    clock_bound = 0
    if options.static:
        reference = os.path.abspath(options.static)
        free = [(path, case) for path, case in selected if clock_free(reference, case, path)]
        clock_bound = len(selected) - len(free)
        selected = free

    wine = None
    if options.wine and selected:
        wine = WineSession(options.wine_prefix or default_wine_prefix(program))
        wine.start()
    failures = 0
    try:
        for path, case in selected:
            problems = run_one(program, case, path, wine)
            if problems:
                failures += 1
                print(f"FAIL {path.relative_to(root)}")
                print("\n".join(problems))
    finally:
        if wine:
            wine.finish()
    count = len(selected)
    where = (" under Wine" if options.wine
             else " against the static build" if options.static else "")
    bound = f" and {clock_bound} that depend on the clock" if options.static else ""
    print(f"{count - failures} of {count} CLI cases passed{where} "
          f"({skipped} for the other build{bound} skipped)")
    print(f"{count - failures} passed, {failures} failed, {skipped + clock_bound} skipped")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
