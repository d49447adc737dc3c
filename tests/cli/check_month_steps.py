#!/usr/bin/env python3
"""Month and year steps against python-dateutil's relativedelta, on random dates.

Each run of --sequence with a step in months checks every date of it against the start
moved by k steps; single -a and -p runs check month and year steps from random dates,
month ends and leap days included. Exit code 0 when all agree.
usage: check_month_steps.py path/to/zentrel [seed]
"""
import datetime
import random
import subprocess
import sys

from dateutil.relativedelta import relativedelta

from oracle_tally import Tally


def run(program, *args):
    return subprocess.run([program, "-q", *args], capture_output=True, text=True,
                          check=True).stdout.split()


def random_date(rng):
    day = rng.choice([1, 15, 28, 29, 30, 31, rng.randint(1, 31)])
    while True:
        year = rng.choice([rng.randint(1, 9999), rng.randint(1890, 2110), 2024, 1900, 2000])
        month = rng.randint(1, 12)
        try:
            return datetime.date(year, month, day)
        except ValueError:
            day -= 1


def main():
    program = sys.argv[1]
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 2024)
    tally = Tally()
    expect = tally.expect

    for _ in range(300):
        start = random_date(rng)
        months = rng.choice([1, 1, 2, 3, 6, 12, rng.randint(1, 40)])
        down = rng.random() < 0.5
        sign = -1 if down else 1
        try:
            end = start + relativedelta(months=sign * months * 24)
        except (ValueError, OverflowError):
            continue
        args = [f"--sequence={end.isoformat()}", "-d", start.isoformat(), f"--step={months}m",
                "-f", "yyyy-mm-dd"]
        dates = run(program, *args)
        wanted = []
        for k in range(25):
            try:
                wanted.append((start + relativedelta(months=sign * months * k)).isoformat())
            except (ValueError, OverflowError):
                break
        expect(args, wanted, dates)

    for _ in range(300):
        start = random_date(rng)
        count = rng.randint(0, 60)
        unit = rng.choice(["m", "y"])
        option = rng.choice(["-a", "-p"])
        delta = relativedelta(months=count) if unit == "m" else relativedelta(years=count)
        try:
            wanted = (start + delta if option == "-a" else start - delta).isoformat()
        except (ValueError, OverflowError):
            continue
        args = [option, f"{count}{unit}", "-d", start.isoformat(), "-f", "yyyy-mm-dd"]
        expect(args, [wanted], run(program, *args))

    return tally.finish()


if __name__ == "__main__":
    sys.exit(main())
