#!/usr/bin/env python3
"""Writes the demo project "Demo" (Demo.vtw, Demo.vto, holiday.vth) in the
formats of docs/file-formats.md: a small workshop around the given day.

    packaging/make-demo.py resources/defs [yyyy-mm-dd]
"""
import datetime
import os
import random
import sys

DAY_NAMES = ["Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"]

# name, alias, cost centre, week: per weekday (begin, hours, break)
FULL = [("7:00", "8:00", "0:45")] * 5 + [("7:00", "0:00", "0:45")] * 2
EARLY = [("6:00", "8:00", "0:30")] * 5 + [("6:00", "0:00", "0:30")] * 2
SATURDAY = [("7:00", "7:30", "0:45")] * 5 + [("7:00", "4:00", "0:15"), ("7:00", "0:00", "0:45")]
PART = [("8:00", "4:30", "0:15")] * 3 + [("8:00", "0:00", "0:15")] * 4
LATE = [("13:00", "8:00", "0:30")] * 4 + [("13:00", "6:00", "0:30")] + [("7:00", "0:00", "0:45")] * 2

WORKERS = [
    ("Anna Berger", "AB", "Saw", FULL),
    ("Jonas Keller", "JK", "Saw", EARLY),
    ("Marta Lindqvist", "ML", "Weld", FULL),
    ("Paul Ortega", "PO", "Weld", SATURDAY),
    ("Sven Hartmann", "SH", "CNC", EARLY),
    ("Lea Novak", "LN", "CNC", LATE),
    ("Tomas Brandt", "TB", "Assembly", FULL),
    ("Ines Wolf", "IW", "Paint", PART),
]

# (job info, cost centre) steps of the kinds of order the workshop makes
STEPS = {
    "Frame": [("Saw", "Saw"), ("Weld", "Weld"), ("Grind", "Weld"), ("Paint", "Paint")],
    "Bracket": [("Saw", "Saw"), ("Mill", "CNC"), ("Deburr", "Assembly")],
    "Housing": [("Cut", "Saw"), ("Mill", "CNC"), ("Drill", "CNC"), ("Assemble", "Assembly")],
    "Rail": [("Saw", "Saw"), ("Weld", "Weld"), ("Paint", "Paint")],
    "Gear": [("Turn", "CNC"), ("Mill", "CNC"), ("Harden", "Assembly"), ("Check", "Assembly")],
}
UNITS = ["Press 2", "Line A", "Conveyor", "Gate", "Lift 400", "Mixer", "Stand 7", "Crane"]

# (status, count): 0 Preview, 1 Activ, 2 Progress, 3 Closed, 4 Break
STATUSES = [(0, 5), (1, 17), (2, 9), (3, 6), (4, 3)]


def day(d):
    return d.strftime("%Y/%m/%d")


def easter(year):
    a, b, c = year % 19, year // 100, year % 100
    d, e = b // 4, b % 4
    f = (b + 8) // 25
    g = (b - f + 1) // 3
    h = (19 * a + b - d - g + 15) % 30
    i, k = c // 4, c % 4
    l = (32 + 2 * e + 2 * i - h - k) % 7
    m = (a + 11 * h + 22 * l) // 451
    month = (h + l - 7 * m + 114) // 31
    return datetime.date(year, month, (h + l - 7 * m + 114) % 31 + 1)


def holiday_file(year):
    text = "; -- Holidaylist / Feiertagsliste \n; -- [item][yyyy/mm/dd][name][regi]\n"
    for y in (year, year + 1):
        e = easter(y)
        days = [(datetime.date(y, 1, 1), "Neujahr"),
                (e - datetime.timedelta(2), "Karfreitag"),
                (e + datetime.timedelta(1), "Ostermontag"),
                (datetime.date(y, 5, 1), "Maifeiertag"),
                (e + datetime.timedelta(39), "Christi Himmelfahrt"),
                (e + datetime.timedelta(50), "Pfingstmontag"),
                (datetime.date(y, 10, 3), "Tag der Einheit"),
                (datetime.date(y, 12, 25), "Weihnachten"),
                (datetime.date(y, 12, 26), "2. Weihnachtstag")]
        text += "; --\n"
        for d, name in sorted(days):
            text += "[HD][%s][%s]\n" % (day(d), name)
    return text + "; --"


def day_lines(tag, days):
    if not days:
        return ""
    text, count, year = tag, 0, days[0].year
    for d in days:
        if d.year != year or count == 6:
            text += "\n" + tag
            count, year = 0, d.year
        text += "[%s]" % day(d)
        count += 1
    return text + "\n"


def workdays(start, count):
    days, d = [], start
    while len(days) < count:
        if d.weekday() < 5:
            days.append(d)
        d += datetime.timedelta(1)
    return days


def worker_file(today, rnd):
    text = ""
    for n, (name, alias, centre, week) in enumerate(WORKERS, 1):
        text += "; --\n[IT][%s][%s][%s][%d][0]\n" % (name, alias, centre, n)
        for d, (begin, hours, pause) in zip(DAY_NAMES, week):
            text += "[WD][%s][%s][%s][%s]\n" % (d, begin, hours, pause)
        off = workdays(today + datetime.timedelta(rnd.randrange(10, 60)), rnd.choice([3, 5]))
        off += workdays(today + datetime.timedelta(rnd.randrange(120, 250)), 10)
        ill = sorted({today + datetime.timedelta(rnd.randrange(-25, 5)) for _ in range(rnd.randrange(0, 3))})
        ill = [d for d in ill if d.weekday() < 5]
        text += day_lines("[UD]", sorted(set(off)))
        text += day_lines("[IL]", ill)
        text += "; --; --"
    return text


def order_file(today, rnd):
    centres = {}
    for n, (_, _, centre, _) in enumerate(WORKERS, 1):
        centres.setdefault(centre, []).append(n)
    statuses = [s for s, count in STATUSES for _ in range(count)]
    rnd.shuffle(statuses)
    text = ""
    for o, status in enumerate(statuses, 1):
        kind = rnd.choice(sorted(STEPS))
        offset = {0: (20, 90), 1: (-5, 60), 2: (-20, 5), 3: (-60, -20), 4: (-15, 30)}[status]
        plan = today + datetime.timedelta(rnd.randrange(*offset))
        deadline = plan + datetime.timedelta(rnd.randrange(5, 25))
        text += "; ---\n[IT][A-%04d %s][Z-%06d][%s][%s][%s][%d][%d][%d]\n" % (
            2600 + o, kind, rnd.randrange(100000, 999999), rnd.choice(UNITS), day(deadline),
            day(plan), rnd.randrange(2), status, rnd.choice([0, 2, 2, 2, 1]))
        left = 1
        steps = STEPS[kind]
        for j, (info, centre) in enumerate(steps):
            # A second step of the same centre runs beside the first, in
            # parallel (same columns, a lower row).
            parallel = j > 0 and steps[j - 1][1] == centre and len(centres[centre]) > 1
            top = 4 if parallel else 1
            if parallel:
                left -= 6
                worker = [w for w in centres[centre] if w != last][0]
            else:
                worker = rnd.choice(centres[centre])
            done = 1 if status == 3 or (status == 2 and j < len(steps) // 2) else 0
            hours = rnd.choice([2, 3, 4, 6, 8, 12, 16, 24])
            text += "[PB][%d][%d][%d][%d][%d][%d][%d:%02d][%d][%s]\n" % (
                left, left + 5, top, top + 2, worker, done, hours, rnd.choice([0, 15, 30, 45]), j, info)
            left += 6
            last = worker
    return text + "; ---"


def main():
    folder = sys.argv[1]
    today = (datetime.date.fromisoformat(sys.argv[2]) if len(sys.argv) > 2
             else datetime.date.today())
    rnd = random.Random(2003)
    os.makedirs(folder, exist_ok=True)
    for name, text in (("holiday.vth", holiday_file(today.year)),
                       ("Demo.vtw", worker_file(today, rnd)),
                       ("Demo.vto", order_file(today, rnd))):
        with open(os.path.join(folder, name), "w", encoding="utf-8") as out:
            out.write(text)


main()
