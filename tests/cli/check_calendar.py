#!/usr/bin/env python3
"""ISO week dates, ordinal dates, weekday steps and differences in years, months and days
against Python's calendar (date.isocalendar, date.fromisocalendar) and python-dateutil's
relativedelta, on random dates of the whole calendar.

Week and ordinal dates are written by long --sequence runs (one run checks many dates) and
read back one by one, week 53 of every kind of year included; -a and -p with weekday units
and --calendar-between (with --in) are checked from random dates, month ends, leap days and
the calendar's ends. Exit code 0 when all agree.

With --wine it runs the Windows build under Wine (WINEPREFIX as the CLI cases use it), on a
fifth of the draws: a process under Wine starts far slower.
usage: check_calendar.py [--wine] path/to/zentrel [seed]
"""
import datetime
import os
import random
import subprocess
import sys

from dateutil.relativedelta import relativedelta, MO, TU, WE, TH, FR, SA, SU

from oracle_tally import Tally

DAYS = ["mon", "tue", "wed", "thu", "fri", "sat", "sun"]
WEEKDAYS = [MO, TU, WE, TH, FR, SA, SU]


PREFIX = []
ENV = None


def run(program, *args):
    """Standard output (stripped, LF line ends) and exit code of zentrel -q with the
    arguments."""
    done = subprocess.run([*PREFIX, program, "-q", *args], capture_output=True, text=True,
                          env=ENV)
    return done.stdout.replace("\r\n", "\n").strip(), done.returncode


def random_date(rng):
    day = rng.choice([1, 28, 29, 30, 31, rng.randint(1, 31)])
    while True:
        year = rng.choice([rng.randint(1, 9999), rng.randint(1890, 2110), 1, 9999, 2024, 2000])
        month = rng.choice([1, 12, rng.randint(1, 12)])
        try:
            return datetime.date(year, month, day)
        except ValueError:
            day -= 1


def main():
    global PREFIX, ENV
    argv = sys.argv[1:]
    share = 1
    if argv[:1] == ["--wine"]:
        argv = argv[1:]
        PREFIX = ["wine"]
        ENV = dict(os.environ, TZ="UTC", WINEDEBUG="-all")
        share = 5
    program = argv[0]
    rng = random.Random(int(argv[1]) if len(argv) > 1 else 2024)
    tally = Tally()
    expect = tally.expect

    # Week and ordinal dates written: every date of a stretch, in one run each.
    for _ in range(40 // share):
        start = random_date(rng)
        step = rng.choice([1, 3, 7, 37, 365])
        end = datetime.date.fromordinal(min(start.toordinal() + step * 200,
                                            datetime.date.max.toordinal()))
        for form in ("week", "ordinal"):
            args = [f"--sequence={end.isoformat()}", "-d", start.isoformat(), f"--step={step}",
                    f"--iso-8601={form}"]
            wanted = []
            for ordinal in range(start.toordinal(), end.toordinal() + 1, step):
                day = datetime.date.fromordinal(ordinal)
                if form == "week":
                    y, w, d = day.isocalendar()
                    wanted.append(f"{y:04d}-W{w:02d}-{d}")
                else:
                    wanted.append(f"{day.year:04d}-{day.timetuple().tm_yday:03d}")
            expect(args, "\n".join(wanted), run(program, *args)[0])

    # Week and ordinal dates read, and the week number; week 53 of every year tried.
    for _ in range(150 // share):
        year = rng.choice([rng.randint(1, 9999), rng.randint(1990, 2040), 1, 9999])
        week = rng.choice([1, 52, 53, rng.randint(1, 53)])
        weekday = rng.randint(1, 7)
        text = f"{year:04d}-W{week:02d}-{weekday}"
        try:
            wanted = (datetime.date.fromisocalendar(year, week, weekday).isoformat(), 0)
        except ValueError:
            wanted = ("", 64)
        expect(["-s", text], wanted, run(program, "-s", text, "-f", "yyyy-mm-dd"))
        day = rng.choice([1, 365, 366, rng.randint(1, 366)])
        text = f"{year:04d}-{day:03d}"
        try:
            date = datetime.date(year, 1, 1) + datetime.timedelta(days=day - 1)
            wanted = (date.isoformat(), 0) if date.year == year else ("", 64)
        except OverflowError:
            wanted = ("", 64)
        expect(["-s", text], wanted, run(program, "-s", text, "-f", "yyyy-mm-dd"))
        date = random_date(rng)
        expect(["--week-number"], (str(date.isocalendar()[1]), 0),
               run(program, f"--week-number={date.isoformat()}"))

    # Weekday steps: the n-th such day after (-a) or before (-p), 0 the date or the next.
    for _ in range(300 // share):
        start = random_date(rng)
        day = rng.randint(0, 6)
        count = rng.choice([0, 1, 2, rng.randint(0, 60)])
        option = rng.choice(["-a", "-p"])
        sign = 1 if option == "-a" else -1
        if count == 0:
            delta = relativedelta(weekday=WEEKDAYS[day](sign))
        else:
            delta = relativedelta(days=sign, weekday=WEEKDAYS[day](sign * count))
        try:
            wanted = ((start + delta).isoformat(), 0)
        except (ValueError, OverflowError):
            wanted = ("", 64)
        args = [option, f"{count}{rng.choice([DAYS[day], DAYS[day].upper()])}", "-d",
                start.isoformat(), "-f", "yyyy-mm-dd"]
        expect(args, wanted, run(program, *args))

    # Differences in years, months and days, and in one unit.
    for _ in range(300 // share):
        first, second = random_date(rng), random_date(rng)
        if rng.random() < 0.5:
            # Near the first, where months and days matter most.
            ordinal = first.toordinal() + rng.randint(-800, 800)
            second = datetime.date.fromordinal(min(max(ordinal, 1), datetime.date.max.toordinal()))
        delta = relativedelta(second, first)
        args = [f"--calendar-between={second.isoformat()}", "-d", first.isoformat()]
        expect(args, (f"{delta.years} {delta.months} {delta.days}", 0), run(program, *args))
        days = (second - first).days
        unit = rng.choice(["y", "m", "w"])
        wanted = {"y": delta.years, "m": delta.years * 12 + delta.months,
                  "w": abs(days) // 7 * (1 if days >= 0 else -1)}[unit]
        expect(args + [f"--in={unit}"], (str(wanted), 0), run(program, *args, f"--in={unit}"))

    return tally.finish()


if __name__ == "__main__":
    sys.exit(main())
