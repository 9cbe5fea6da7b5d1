#!/usr/bin/env python3
"""Builds src/calendar/NewMoonTable.cpp, the lunar-month start table behind the rokuyo labels.

The Japanese lunisolar calendar is computed here from first principles, in Japan Standard Time
(UTC+9):

- New moons: the mean lunation with its periodic and planetary corrections (J. Meeus,
  Astronomical Algorithms, 2nd ed., chapter 49), in Terrestrial Time, turned into Universal
  Time with the Espenak-Meeus polynomials for delta T.
- The Sun's apparent longitude: the Earth's heliocentric longitude from the VSOP87D series in
  tools/lunisolar_vsop.txt, turned geocentric, with the FK5 correction, nutation in longitude
  (the four largest terms) and aberration (Meeus chapters 22 and 25). The principal terms
  (chuki) are the moments the longitude reaches a multiple of 30 degrees.
- Month numbering: a lunar month runs from the day of one new moon to the day before the next.
  The month that holds the winter solstice (270 degrees) is the 11th. When 13 lunar months lie
  from one 11th month to the next, the first of them that holds no principal term is a leap
  month and repeats the number of the month before it; otherwise the months are numbered in
  turn. This gives the usual resolution of the 2033 irregularity (a leap 11th month in 2033).

For every Gregorian month of 1901 to 2050 the table holds the days on which lunar months begin
(at most two) and the rokuyo index of each such day: months 1 and 7 begin with 1 (sensho),
2 and 8 with 2, ... 6 and 12 with 6; a leap month begins like the month it repeats. It also holds
the last lunar-month start before 1901, so that the first days of 1901 get their labels.

Usage: tools/gen_lunisolar_table.py [--check] [--report]
  (no option)  writes src/calendar/NewMoonTable.cpp
  --check      compares the generated text with the committed file, exit status 1 on a difference
  --report     prints the leap months and the close calls (an event within 10 minutes of
               midnight JST) instead of writing
"""

import datetime
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
OUTPUT = os.path.join(ROOT, "src", "calendar", "NewMoonTable.cpp")

FIRST_YEAR = 1901
LAST_YEAR = 2050
JST = 9.0 / 24.0


def load_vsop():
    series = {}
    with open(os.path.join(HERE, "lunisolar_vsop.txt"), encoding="ascii") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            name, a, b, c = line.split()
            series.setdefault(name, []).append((float(a), float(b), float(c)))
    return series


VSOP = load_vsop()


def vsop_sum(prefix, tau):
    total = 0.0
    power = 1.0
    n = 0
    while prefix + str(n) in VSOP:
        total += power * sum(a * math.cos(b + c * tau) for a, b, c in VSOP[prefix + str(n)])
        power *= tau
        n += 1
    return total


def delta_t_seconds(year):
    """TT - UT (Espenak and Meeus polynomial expressions)."""
    y = year
    if y < 1920:
        t = y - 1900
        return -2.79 + 1.494119 * t - 0.0598939 * t**2 + 0.0061966 * t**3 - 0.000197 * t**4
    if y < 1941:
        t = y - 1920
        return 21.20 + 0.84493 * t - 0.076100 * t**2 + 0.0020936 * t**3
    if y < 1961:
        t = y - 1950
        return 29.07 + 0.407 * t - t**2 / 233 + t**3 / 2547
    if y < 1986:
        t = y - 1975
        return 45.45 + 1.067 * t - t**2 / 260 - t**3 / 718
    if y < 2005:
        t = y - 2000
        return (63.86 + 0.3345 * t - 0.060374 * t**2 + 0.0017275 * t**3 + 0.000651814 * t**4
                + 0.00002373599 * t**5)
    if y < 2050:
        t = y - 2000
        return 62.92 + 0.32217 * t + 0.005589 * t**2
    u = (y - 1820) / 100
    return -20 + 32 * u * u - 0.5628 * (2150 - y)


def jd_to_year(jd):
    return 2000.0 + (jd - 2451545.0) / 365.25


def tt_to_jst(jde):
    return jde - delta_t_seconds(jd_to_year(jde)) / 86400.0 + JST


def jst_to_tt(jd_jst):
    jd = jd_jst - JST
    return jd + delta_t_seconds(jd_to_year(jd)) / 86400.0


def sun_apparent_longitude(jde):
    """Apparent geocentric longitude of the Sun in degrees, 0 <= value < 360."""
    tau = (jde - 2451545.0) / 365250.0
    t = tau * 10.0
    earth_l = vsop_sum("L", tau)
    radius = vsop_sum("R", tau)
    lon = math.degrees(earth_l) + 180.0
    # FK5 frame.
    lon -= 0.09033 / 3600.0
    # Nutation in longitude.
    omega = math.radians(125.04452 - 1934.136261 * t)
    l_sun = math.radians(280.4665 + 36000.7698 * t)
    l_moon = math.radians(218.3165 + 481267.8813 * t)
    dpsi = (-17.20 * math.sin(omega) - 1.32 * math.sin(2 * l_sun) - 0.23 * math.sin(2 * l_moon)
            + 0.21 * math.sin(2 * omega))
    lon += dpsi / 3600.0
    # Aberration.
    lon -= 20.4898 / 3600.0 / radius
    return lon % 360.0


def solar_term_time(target, jde_guess):
    """JDE at which the apparent longitude of the Sun equals `target` degrees."""
    jde = jde_guess
    for _ in range(50):
        diff = (target - sun_apparent_longitude(jde) + 180.0) % 360.0 - 180.0
        step = diff * 365.2422 / 360.0
        jde += step
        if abs(step) < 1e-7:
            break
    return jde


def new_moon_time(k):
    """JDE of the new moon of lunation number k (k = 0 near 6 January 2000)."""
    t = k / 1236.85
    jde = (2451550.09766 + 29.530588861 * k + 0.00015437 * t**2 - 0.000000150 * t**3
           + 0.00000000073 * t**4)
    e = 1 - 0.002516 * t - 0.0000074 * t**2
    m = math.radians(2.5534 + 29.10535670 * k - 0.0000014 * t**2 - 0.00000011 * t**3)
    mp = math.radians(201.5643 + 385.81693528 * k + 0.0107582 * t**2 + 0.00001238 * t**3
                      - 0.000000058 * t**4)
    f = math.radians(160.7108 + 390.67050284 * k - 0.0016118 * t**2 - 0.00000227 * t**3
                     + 0.000000011 * t**4)
    om = math.radians(124.7746 - 1.56375588 * k + 0.0020672 * t**2 + 0.00000215 * t**3)
    s = math.sin
    corr = (-0.40720 * s(mp)
            + 0.17241 * e * s(m)
            + 0.01608 * s(2 * mp)
            + 0.01039 * s(2 * f)
            + 0.00739 * e * s(mp - m)
            - 0.00514 * e * s(mp + m)
            + 0.00208 * e * e * s(2 * m)
            - 0.00111 * s(mp - 2 * f)
            - 0.00057 * s(mp + 2 * f)
            + 0.00056 * e * s(2 * mp + m)
            - 0.00042 * s(3 * mp)
            + 0.00042 * e * s(m + 2 * f)
            + 0.00038 * e * s(m - 2 * f)
            - 0.00024 * e * s(2 * mp - m)
            - 0.00017 * s(om)
            - 0.00007 * s(mp + 2 * m)
            + 0.00004 * s(2 * mp - 2 * f)
            + 0.00004 * s(3 * m)
            + 0.00003 * s(mp + m - 2 * f)
            + 0.00003 * s(2 * mp + 2 * f)
            - 0.00003 * s(mp + m + 2 * f)
            + 0.00003 * s(mp - m + 2 * f)
            - 0.00002 * s(mp - m - 2 * f)
            - 0.00002 * s(3 * mp + m)
            + 0.00002 * s(4 * mp))
    planetary = [
        (0.000325, 299.77, 0.107408, -0.009173),
        (0.000165, 251.88, 0.016321, 0.0),
        (0.000164, 251.83, 26.651886, 0.0),
        (0.000126, 349.42, 36.412478, 0.0),
        (0.000110, 84.66, 18.206239, 0.0),
        (0.000062, 141.74, 53.303771, 0.0),
        (0.000060, 207.14, 2.453732, 0.0),
        (0.000056, 154.84, 7.306860, 0.0),
        (0.000047, 34.52, 27.261239, 0.0),
        (0.000042, 207.19, 0.121824, 0.0),
        (0.000040, 291.34, 1.844379, 0.0),
        (0.000037, 161.72, 24.198154, 0.0),
        (0.000035, 239.56, 25.513099, 0.0),
        (0.000023, 331.55, 3.592518, 0.0),
    ]
    for amp, a0, a1, a2 in planetary:
        corr += amp * math.sin(math.radians(a0 + a1 * k + a2 * t * t))
    return jde + corr


def jd_to_date(jd):
    """Calendar date holding the instant jd (a Julian day on the local time scale)."""
    day = math.floor(jd + 0.5)
    return datetime.date.fromordinal(day - 1721425)


def date_to_jd(d):
    """Julian day of local midnight beginning date d."""
    return d.toordinal() + 1721424.5


def compute():
    start = datetime.date(1899, 10, 1)
    end = datetime.date(2052, 3, 1)
    # New moons.
    k = math.floor((1899.7 - 2000) * 12.3685) - 2
    moons = []
    close_calls = []
    while True:
        jde = new_moon_time(k)
        local = tt_to_jst(jde)
        d = jd_to_date(local)
        if d > end:
            break
        if d >= start:
            moons.append(d)
            frac = (local + 0.5) % 1.0
            if min(frac, 1.0 - frac) * 1440 < 10:
                close_calls.append(("new moon", local))
        k += 1
    # Principal terms: multiples of 30 degrees.
    terms = []
    guess = jst_to_tt(date_to_jd(start))
    lon = sun_apparent_longitude(guess)
    target = (math.floor(lon / 30.0) + 1) * 30.0
    while True:
        jde = solar_term_time(target % 360.0, guess + ((target - lon) % 360.0) * 365.2422 / 360.0)
        local = tt_to_jst(jde)
        d = jd_to_date(local)
        if d > end:
            break
        terms.append((int(target % 360.0), d))
        frac = (local + 0.5) % 1.0
        if min(frac, 1.0 - frac) * 1440 < 10:
            close_calls.append(("term %d" % int(target % 360.0), local))
        guess, lon = jde, target % 360.0
        target += 30.0
    # Lunar months and the principal terms each holds.
    months = []
    for i in range(len(moons) - 1):
        held = [lon for lon, d in terms if moons[i] <= d < moons[i + 1]]
        months.append({"start": moons[i], "terms": held, "number": None, "leap": False})
    solstice_months = [i for i, m in enumerate(months) if 270 in m["terms"]]
    for a, b in zip(solstice_months, solstice_months[1:]):
        leap_at = None
        if b - a == 13:
            for j in range(a + 1, b):
                if not months[j]["terms"]:
                    leap_at = j
                    break
            if leap_at is None:
                raise SystemExit("no month without a principal term between %s and %s"
                                 % (months[a]["start"], months[b]["start"]))
        elif b - a != 12:
            raise SystemExit("unexpected span of %d lunar months from %s" % (b - a, months[a]["start"]))
        number = 11
        months[a]["number"] = 11
        for j in range(a + 1, b):
            if j == leap_at:
                months[j]["leap"] = True
            else:
                number = number % 12 + 1
            months[j]["number"] = number
    numbered = [m for m in months if m["number"] is not None]
    return numbered, close_calls


def rokuyo_index(number):
    return (number - 1) % 6 + 1


def build_rows(months):
    rows = {}
    for y in range(FIRST_YEAR, LAST_YEAR + 1):
        for mo in range(1, 13):
            starts = [m for m in months if m["start"].year == y and m["start"].month == mo]
            if len(starts) > 2:
                raise SystemExit("more than two lunar months begin in %d/%d" % (y, mo))
            days = [s["start"].day for s in starts] + [0, 0]
            idx = [rokuyo_index(s["number"]) for s in starts] + [0, 0]
            rows[(y, mo)] = (days[0], days[1], idx[0], idx[1])
    before = [m for m in months if m["start"] < datetime.date(FIRST_YEAR, 1, 1)][-1]
    return rows, before


def render(rows, before):
    out = []
    out.append("// Lunar-month starts of the Japanese lunisolar calendar, 1901 to 2050.")
    out.append("// Generated by tools/gen_lunisolar_table.py; do not edit by hand, run the tool again.")
    out.append("//")
    out.append("// Per month: {first start day, second start day, rokuyo index at the first, at the")
    out.append("// second}; a day of 0 means no such start.")
    out.append("")
    out.append('#include "calendar/NewMoonTable.h"')
    out.append("")
    out.append("namespace kal::calendar {")
    out.append("")
    out.append("const LunarStart kLunarStartBeforeTable{%d, %d, %d, %d};"
               % (before["start"].year, before["start"].month, before["start"].day,
                  rokuyo_index(before["number"])))
    out.append("")
    out.append("const NewMoonRow kNewMoonTable[kNewMoonTableYears][12] = {")
    for y in range(FIRST_YEAR, LAST_YEAR + 1):
        cells = ", ".join("{%d, %d, %d, %d}" % rows[(y, mo)] for mo in range(1, 13))
        out.append("    {%s},  // %d" % (cells, y))
    out.append("};")
    out.append("")
    out.append("}  // namespace kal::calendar")
    out.append("")
    return "\n".join(out)


# Rows the calendar rules fix; the table must reproduce them.
FIXED_ROWS = {
    (1901, 1): (20, 0, 6, 0),
    (2024, 1): (11, 0, 6, 0),
    (2024, 2): (10, 0, 1, 0),
    (2024, 12): (1, 31, 5, 6),
    (2050, 12): (14, 0, 5, 0),
}


def main(argv):
    months, close_calls = compute()
    rows, before = build_rows(months)
    for key, expected in FIXED_ROWS.items():
        if rows[key] != expected:
            raise SystemExit("row %d/%d is %s, expected %s" % (key + (rows[key], expected)))
    text = render(rows, before)
    if "--report" in argv:
        for m in months:
            if m["leap"] and FIRST_YEAR <= m["start"].year <= LAST_YEAR + 1:
                print("leap month %d beginning %s" % (m["number"], m["start"]))
        for what, local in close_calls:
            frac = (local + 0.5) % 1.0
            minutes = frac * 1440
            print("close call: %s at %s %02d:%02d JST" % (
                what, jd_to_date(local), int(minutes // 60), int(minutes % 60)))
        return 0
    if "--check" in argv:
        with open(OUTPUT, encoding="utf-8") as f:
            if f.read() != text:
                print("src/calendar/NewMoonTable.cpp differs from the generated table")
                return 1
        print("src/calendar/NewMoonTable.cpp is up to date")
        return 0
    with open(OUTPUT, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    print("wrote", os.path.relpath(OUTPUT, ROOT))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
