#!/usr/bin/env python3
"""Drives the generated bash, zsh and fish completions of zentrel as each shell would.

bash: the completion function with COMP_LINE, COMP_POINT, COMP_WORDS and COMP_CWORD set as
readline sets them; zsh: the _zentrel function with its words, CURRENT and PREFIX and the
completion builtins it calls recorded; fish: `complete -C`. Each case names what a reply
must hold and what it must not; option names, -e format names and file names are asked
for in every shell.
usage: check_completions.py <folder with zentrel.bash, _zentrel and zentrel.fish>
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile

BASH_CASES = [
    # (line typed, wanted in the reply, not wanted)
    ("zentrel --da", ["--date", "--days-prior=", "--day-of-week"], ["--time"]),
    ("zentrel --SEQ", ["--sequence="], []),
    ("zentrel -e dd", ["'dd hr:min:sec.ms'", "'dd:hr:min'"], ["dd\\ hr:min"]),
    ("zentrel -e \\##", ["'##:hr:min'", "'## hr:min:sec.ms'"], []),
    ("zentrel -e ", ["'months'", "'####'"], []),
    ("zentrel --extended-format='dd h", ["dd hr:min:sec"], []),
    # Past a ":" readline replaces only the rest of the word.
    ("zentrel -e '##:hr:min:sec.", ["##:hr:min:sec.ms"], []),
    ("zentrel -e dd\\ hr:min:sec.", ["sec.ms"], []),
    ("zentrel --holidays=hol", ["holidays.txt"], ["old.txt"]),
    ("zentrel --compareold=ol", ["old.txt"], []),
    # The units of a count in digits, and none after a hexadecimal one.
    ("zentrel --step=5", ["5d", "5w", "5m", "5y", "5b"], []),
    ("zentrel --STEP=-2", ["-2d", "-2b"], []),
    ("zentrel -A 12", ["12w", "12b", "12tue"], []),
    ("zentrel --days-prior=0x1", [], ["0x1d", "0x1b"]),
    ("zentrel --step=", [], ["holidays.txt", "d"]),
    # The built-in zones after --zone=, and no files.
    ("zentrel --zone=Europe/Ber", ["Europe/Berlin"], ["Europe/Paris"]),
    ("zentrel --Zone=Asia/To", ["Asia/Tokyo"], ["holidays.txt"]),
]
ZSH_CASES = [
    # (words typed before the cursor, the word at the cursor, wanted, not wanted)
    (["zentrel"], "--da", ["--date", "--days-prior="], ["--time"]),
    (["zentrel", "-e"], "dd", ["dd hr:min:sec.ms"], []),
    (["zentrel"], "--holidays=hol", ["FILES"], []),
    (["zentrel"], "--step=5", ["5d", "5w", "5m", "5y", "5b"], []),
    (["zentrel", "-P"], "12", ["12w", "12b", "12fri"], []),
    (["zentrel"], "--Days-After=0x1", [], ["0x1d", "0x1b"]),
    (["zentrel"], "--step=", [], ["FILES", "d"]),
    (["zentrel"], "--zone=Europe/Ber", ["Europe/Berlin"], ["FILES"]),
]
FISH_CASES = [
    # A long option whose value must follow is offered with its "=", never as a word of
    # its own that a file name would follow.
    ("zentrel --da", ["--date", "--days-prior=", "--day-of-week"], ["--time", "--days-prior"]),
    ("zentrel --hol", ["--holidays="], ["--holidays"]),
    ("zentrel -e dd", ["dd hr:min:sec.ms", "dd:hr:min"], []),
    ("zentrel -E da", ["days", "days hours mins secs.ms"], []),
    ("zentrel --Extended-Format=##:", ["--Extended-Format=##:hr:min"], []),
    ("zentrel --holidays=hol", ["--holidays=holidays.txt"], []),
    ("zentrel --HOLIDAYS=ol", ["--HOLIDAYS=old.txt"], []),
    # No file names where a value other than a file is wanted.
    ("zentrel --step=", [], ["--step=holidays.txt", "holidays.txt"]),
    ("zentrel -p ", [], ["holidays.txt", "old.txt"]),
    ("zentrel -x ", [], ["holidays.txt"]),
    # Short options are never run together: the program reads -qa as no option.
    ("zentrel -q", ["-q"], ["-qa", "-qb", "-qd"]),
    ("zentrel --step=5", ["--step=5d", "--step=5w", "--step=5m", "--step=5y", "--step=5b"], []),
    ("zentrel -a 3", ["3d", "3b", "3mon"], []),
    ("zentrel --step=0x1", [], ["--step=0x1d"]),
    ("zentrel --zone=Europe/Ber", ["--zone=Europe/Berlin"], ["--zone=holidays.txt"]),
]


def bash_reply(script, line, cwd):
    program = f"""
source {script}
COMP_LINE={quote(line)}
COMP_POINT=${{#COMP_LINE}}
read -ra COMP_WORDS <<< "$(printf '%s' "$COMP_LINE" | sed 's/:/ : /g')"
[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')
COMP_CWORD=$(( ${{#COMP_WORDS[@]}} - 1 ))
_zentrel
printf '%s\\n' "${{COMPREPLY[@]}}"
"""
    return run(["bash", "-c", program], cwd)


def zsh_reply(script, before, prefix, cwd):
    words = " ".join(quote(w) for w in before + [prefix])
    program = f"""
setopt extendedglob  # as the completion system runs its functions
compadd() {{
  # What compadd would offer: the words given (or the array named after -a) that begin
  # with the word at the cursor, without regard to case.
  local -a names; local skip=0 rest=0 a n
  for a in "$@"; do
    if (( rest )); then names+=("$a"); continue; fi
    if (( skip )); then skip=0; continue; fi
    case $a in
      -a) names+=("${{(@P)${{@[-1]}}}}"); break ;;
      -M|-S|-P|-J|-X) skip=1 ;;
      --) rest=1 ;;
      -*) ;;
      *) names+=("$a") ;;
    esac
  done
  for n in $names; do [[ ${{(L)n}} == ${{(L)PREFIX}}* ]] && print -r -- $n; done
  return 0
}}
compset() {{ PREFIX=${{PREFIX#*=}} }}
_files() {{ print FILES }}
words=({words})
CURRENT=${{#words}}
PREFIX={quote(prefix)}
source {script}
"""
    return run(["zsh", "-f", "-c", program], cwd)


def fish_reply(script, line, cwd):
    return run(["fish", "--no-config", "-c", f"source {script}; complete -C {quote(line)}"], cwd)


def quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def run(command, cwd):
    result = subprocess.run(command, cwd=cwd, capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        return [f"<exit {result.returncode}: {result.stderr.strip()}>"]
    # fish adds a description after a tab.
    return [line.split("\t")[0] for line in result.stdout.splitlines()]


def check(shell, case, reply, wanted, unwanted):
    missing = [w for w in wanted if w not in reply]
    extra = [w for w in unwanted if w in reply]
    if missing or extra:
        print(f"FAIL {shell}: {case!r}: missing {missing}, unexpected {extra}; reply {reply[:12]}")
        return False
    return True


def main():
    folder = pathlib.Path(sys.argv[1]).resolve()
    cwd = tempfile.mkdtemp(prefix="zentrel-completion-")
    for name in ("holidays.txt", "old.txt"):
        pathlib.Path(cwd, name).touch()
    passed = failed = 0
    try:
        results = []
        for line, wanted, unwanted in BASH_CASES:
            reply = bash_reply(folder / "zentrel.bash", line, cwd)
            results.append(check("bash", line, reply, wanted, unwanted))
        if shutil.which("zsh"):
            for before, prefix, wanted, unwanted in ZSH_CASES:
                reply = zsh_reply(folder / "_zentrel", before, prefix, cwd)
                results.append(check("zsh", " ".join(before + [prefix]), reply, wanted, unwanted))
        else:
            print("FAIL zsh is not installed (apt-get install zsh)")
            results.append(False)
        if shutil.which("fish"):
            for line, wanted, unwanted in FISH_CASES:
                reply = fish_reply(folder / "zentrel.fish", line, cwd)
                results.append(check("fish", line, reply, wanted, unwanted))
        else:
            print("FAIL fish is not installed (apt-get install fish)")
            results.append(False)
        passed = results.count(True)
        failed = results.count(False)
    finally:
        shutil.rmtree(cwd)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
