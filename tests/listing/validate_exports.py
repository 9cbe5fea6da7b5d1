#!/usr/bin/python3
"""Reads the files kalendor-cli exports back with other programs' parsers.

Usage: validate_exports.py KALENDOR_CLI KALENDOR_ICAL_CHECK KALENDOR_DEMO KALENDOR_CALENDAR_READ

A demonstration folder gets extra holiday rules of every pattern and a few schedules with
awkward texts; then every export is checked:
- iCalendar: python3-icalendar and libical parse it (no X-LIC-ERROR), lines are CR LF and at
  most 75 octets, both parsers read the same SUMMARY texts, UIDs are unique ASCII;
- the holiday rules' RRULEs expanded by python3-dateutil over 1949-2050 give exactly the dates
  the holiday engine gives (kalendor-cli holidays);
- CSV: read as strict CP932 with the csv module in strict mode, the texts equal the stored ones;
- vCalendar: python3-vobject reads it, the quoted-printable texts decode to the stored ones.
Then the import's calendar readers read our own exports back as the stored schedules, and files
that python3-icalendar and python3-vobject write as the events they describe.
"""
import csv
import datetime
import io
import os
import quopri
import shutil
import subprocess
import sys
import tempfile

from dateutil.rrule import rrulestr
from icalendar import Calendar
import vobject

CLI, ICAL_CHECK, DEMO, CALENDAR_READ = sys.argv[1:5]
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def cli(prog, *args, check=True):
    r = subprocess.run([CLI, "--program-folder", prog, "--today", "2024/05/03", *args],
                       capture_output=True, text=True)
    if check and r.returncode != 0:
        raise SystemExit("kalendor-cli %s failed: %s" % (" ".join(args), r.stderr))
    return r.stdout


def unescape(field):
    out, i = [], 0
    while i < len(field):
        if field[i] == "\\" and i + 1 < len(field):
            out.append({"\\": "\\", "t": "\t", "n": "\n", "r": "\r"}.get(field[i + 1], field[i + 1]))
            i += 2
        else:
            out.append(field[i])
            i += 1
    return "".join(out)


def rows(text):
    """kalendor-cli's output: TAB-separated fields with backslash escapes."""
    return [[unescape(f) for f in line.split("\t")] for line in text.split("\n") if line]


def holiday_line(month, day, first, last, week, weekday, cls, name):
    return (month + day + first + last + week + weekday + cls).encode("ascii") + name.encode("cp932")


EXTRA_HOLIDAYS = [
    holiday_line("99", "32", "2020", "2030", "0", "0", "1", "月末休み"),
    holiday_line("99", "31", "2020", "    ", "0", "0", "1", "三十一日"),
    holiday_line("99", "  ", "2020", "    ", "2", "2", "1", "第二火曜"),
    holiday_line("99", "  ", "1990", "2000", "9", "5", "2", "月末の金曜"),
    holiday_line("  ", "  ", "2040", "2042", "0", "3", "1", "定休日"),
    holiday_line(" 2", "29", "1950", "    ", "0", "0", "3", "閏日"),
    holiday_line(" 5", "  ", "1960", "1970", "9", "1", "4", "五月最終月曜"),
    holiday_line("11", " 3", "    ", "    ", "0", "0", "1", "文化の日（休日）"),
    holiday_line(" 6", "10", "2000", "    ", "0", "0", "2", "結婚記念日（%d年目）;A,B\\C"),
    holiday_line(" 4", "31", "2000", "    ", "0", "0", "1", "四月三十一日"),
    holiday_line(" 8", " 8", "2001", "2049", "0", "0", "2", "長い名前" * 10),
]


def set_ini(prog, section, values):
    path = os.path.join(prog, "Kalendor.ini")
    text = open(path, "rb").read().decode("cp932") if os.path.exists(path) else ""
    lines = text.splitlines()
    head = "[%s]" % section
    if head not in lines:
        lines.append(head)
    for key, value in values.items():
        lines = [l for l in lines if not l.startswith(key + "=")]
        lines.insert(lines.index(head) + 1, "%s=%s" % (key, value))
    open(path, "wb").write(("\r\n".join(lines) + "\r\n").encode("cp932"))


def unfold_check(name, data):
    if b"\r\n" not in data or data.replace(b"\r\n", b"").count(b"\n") or data.replace(b"\r\n", b"").count(b"\r"):
        fail("%s: a line does not end with CR LF" % name)
    for n, line in enumerate(data.split(b"\r\n"), 1):
        if len(line) > 75:
            fail("%s: line %d has %d octets" % (name, n, len(line)))
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            fail("%s: line %d is cut inside a UTF-8 character" % (name, n))
    if data.startswith(b"\xef\xbb\xbf"):
        fail("%s: byte-order mark" % name)


def check_ics(name, path):
    data = open(path, "rb").read()
    unfold_check(name, data)
    cal = Calendar.from_ical(data)
    if "METHOD" in cal:
        fail("%s: METHOD without ORGANIZER" % name)
    events = [c for c in cal.walk() if c.name == "VEVENT"]
    r = subprocess.run([ICAL_CHECK, path], capture_output=True, text=True)
    if r.returncode != 0:
        fail("%s: libical could not parse it" % name)
    lib = [line.split("\t") for line in r.stdout.split("\n") if line]  # not escaped
    for e in [x for x in lib if x[0] == "error"]:
        fail("%s: libical: %s" % (name, e[1]))
    lib_events = [x for x in lib if x[0] == "event"]
    if len(lib_events) != len(events):
        fail("%s: libical reads %d events, icalendar %d" % (name, len(lib_events), len(events)))
    uids = set()
    for ev, le in zip(events, lib_events):
        summary = str(ev.get("SUMMARY", ""))
        if summary != le[1]:
            fail("%s: SUMMARY %r (icalendar) != %r (libical)" % (name, summary, le[1]))
        uid = str(ev["UID"])
        if uid in uids or not uid.isascii() or not uid.endswith("@kalendor.local"):
            fail("%s: UID %r not unique ASCII" % (name, uid))
        uids.add(uid)
        if not ev.decoded("DTSTAMP").tzinfo:
            fail("%s: DTSTAMP is not UTC" % name)
        start = ev.decoded("DTSTART")
        if "DTEND" in ev:
            end = ev.decoded("DTEND")
            if type(start) is not type(end):
                fail("%s: DATE and DATE-TIME mixed in %r" % (name, summary))
            elif end <= start:
                fail("%s: DTEND not after DTSTART in %r" % (name, summary))
    return events


def engine_holidays(prog):
    """index -> set of dates, and (name -> dates) of the computed holidays."""
    by_index, computed = {}, {}
    for year in range(1949, 2051):
        for date, kind, index, name in rows(cli(prog, "holidays", str(year))):
            d = datetime.date(*map(int, date.split("/")))
            if index == "9999":
                computed.setdefault(name, set()).add(d)
            else:
                by_index.setdefault(int(index), set()).add(d)
    return by_index, computed


def stored_names(holiday_path):
    names = {}
    for i, line in enumerate(open(holiday_path, "rb").read().split(b"\r\n")):
        if len(line) >= 15:
            names.setdefault(line[15:].decode("cp932").rstrip(" "), set()).add(i)
    return names


def check_holiday_rules(prog, data_folder, events):
    by_index, computed = engine_holidays(prog)
    names = stored_names(os.path.join(data_folder, "Holiday.dat"))
    lo, hi = datetime.datetime(1949, 1, 1), datetime.datetime(2050, 12, 31)
    expanded = {}
    for ev in events:
        summary = str(ev["SUMMARY"])
        if "RRULE" not in ev:
            d = ev.decoded("DTSTART")
            if d not in computed.get(summary, set()):
                fail("holidays: computed %s on %s is not the engine's" % (summary, d))
            continue
        start = ev.decoded("DTSTART")
        rule = rrulestr(ev["RRULE"].to_ical().decode(), dtstart=datetime.datetime(start.year, start.month, start.day))
        expanded.setdefault(summary, set()).update(x.date() for x in rule.between(lo, hi, inc=True))
        first = next(iter(rule), None)
        if first is None or first.date() != start:
            fail("holidays: %s starts on %s, its rule first gives %s" % (summary, start, first))
    checked = 0
    for summary, dates in expanded.items():
        want = set()
        for i in names.get(summary, ()):
            want |= by_index.get(i, set())
        if dates != want:
            fail("holidays: %s: RRULE gives %d dates, the engine %d (first differences %s)"
                 % (summary, len(dates), len(want), sorted(dates ^ want)[:4]))
        checked += 1
    return checked


def read_csv(name, path):
    data = open(path, "rb").read()
    text = data.decode("cp932", errors="strict")
    if data.replace(b"\r\n", b"").count(b"\r"):
        fail("%s: stray CR" % name)
    return list(csv.reader(io.StringIO(text, newline=""), strict=True))


def read_back(path):
    """The import readers' records: (status, 8 fields, message) per event."""
    r = subprocess.run([CALENDAR_READ, path], capture_output=True, text=True)
    if r.returncode != 0:
        fail("%s: the import reader could not read it" % os.path.basename(path))
    events = [f for f in rows(r.stdout) if f[0] != "problem"]
    for f in rows(r.stdout):
        if f[0] == "problem":
            fail("%s: reader problem %s" % (os.path.basename(path), f[1]))
    return events


def check_round_trip(name, path, stored_rows, vcs):
    """Every stored schedule comes back with its date, times and texts."""
    want = []
    for month, r in stored_rows:
        date = datetime.date(int(month[:4]), int(month[4:]), int(r[1]))
        span = int(r[12]) if r[12] not in ("", "000") and r[12].isdigit() else 0
        last = date + datetime.timedelta(days=max(span, 1) - 1)
        start, end = r[2], r[3]
        if not start and not end:
            sd, st, ed, et = date, "", last, ""
        else:
            st = start or end
            et = end if end and (end > st or last > date) else ("" if not vcs else st)
            sd, ed = date, (last if et else ("" if not vcs else last))
        fmt = lambda d: d.strftime("%Y/%m/%d") if d != "" else ""
        want.append(("1", fmt(sd), st, fmt(ed), et, r[9], r[10], r[4], r[17]))
    got = [tuple(e[:9]) for e in read_back(path)]
    missing = sorted(set(want) - set(got))
    extra = sorted(set(got) - set(want))
    if missing or extra or len(got) != len(want):
        fail("%s round trip: missing %r, unexpected %r" % (name, missing[:3], extra[:3]))


def check_foreign_files(out):
    """Files other programs write, read by the import readers."""
    from zoneinfo import ZoneInfo
    from icalendar import Event
    cal = Calendar()
    cal.add("prodid", "-//python3-icalendar//EN")
    cal.add("version", "2.0")
    e = Event()
    e.add("uid", "1@example")
    e.add("dtstamp", datetime.datetime(2024, 5, 1, tzinfo=datetime.timezone.utc))
    e.add("dtstart", datetime.datetime(2024, 5, 3, 1, 0, tzinfo=datetime.timezone.utc))
    e.add("dtend", datetime.datetime(2024, 5, 3, 2, 30, tzinfo=datetime.timezone.utc))
    e.add("summary", "会議;A,B\\C")
    e.add("location", "本社, 3F")
    e.add("description", "一行目\n" + "長い説明" * 30)
    cal.add_component(e)
    e = Event()
    e.add("uid", "2@example")
    e.add("dtstamp", datetime.datetime(2024, 5, 1, tzinfo=datetime.timezone.utc))
    e.add("dtstart", datetime.date(2024, 5, 3))
    e.add("dtend", datetime.date(2024, 5, 6))
    e.add("summary", "連休")
    cal.add_component(e)
    path = os.path.join(out, "icalendar.ics")
    open(path, "wb").write(cal.to_ical())
    want = [("1", "2024/05/03", "10:00", "2024/05/03", "11:30", "会議;A,B\\C", "本社, 3F", "",
             "一行目\n" + "長い説明" * 30),
            ("1", "2024/05/03", "", "2024/05/05", "", "連休", "", "", "")]
    got = [tuple(x[:9]) for x in read_back(path)]
    if got != want:
        fail("python3-icalendar file read as %r" % got)

    v = vobject.iCalendar()
    ev = v.add("vevent")
    ev.add("uid").value = "3@example"
    ev.add("dtstart").value = datetime.datetime(2024, 5, 10, 9, 0, tzinfo=ZoneInfo("Asia/Tokyo"))
    ev.add("dtend").value = datetime.datetime(2024, 5, 10, 10, 0, tzinfo=ZoneInfo("Asia/Tokyo"))
    ev.add("summary").value = "打ち合わせ, 定例"
    path = os.path.join(out, "vobject.ics")
    open(path, "w", newline="").write(v.serialize())
    got = [tuple(x[:9]) for x in read_back(path)]
    want = [("1", "2024/05/10", "09:00", "2024/05/10", "10:00", "打ち合わせ, 定例", "", "", "")]
    if got != want:
        fail("python3-vobject file read as %r" % got)


def main():
    tmp = tempfile.mkdtemp(prefix="kalendor-export-")
    try:
        prog = os.path.join(tmp, "prog")
        subprocess.run([DEMO, prog, "2024/05/03"], check=True, capture_output=True)
        folders = dict((r[0], r[1]) for r in rows(cli(prog, "folders")))
        data = folders["data"]
        hol = os.path.join(data, "Holiday.dat")
        with open(hol, "ab") as f:
            for line in EXTRA_HOLIDAYS:
                f.write(line + b"\r\n")
        for args in (["--date", "2024/05/10", "--start", "00:10", "--title", '会議;A,B\\C "引用"', "--place", "本社,3F",
                      "--memo", "一行目\n二行目 \"x\"", "--alarm1", "8"],
                     ["--date", "2024/05/11", "--start", "23:30", "--title", "漢" * 20, "--category", "仕事"],
                     ["--date", "2024/05/12", "--end-date", "2024/05/14", "--title", "旅行"]):
            cli(prog, "add-schedule", *args)

        out = os.path.join(tmp, "out")
        os.makedirs(out)
        # iCalendar
        cli(prog, "export", "ics", "schedule", "4", "--output", os.path.join(out, "Sch.ics"))
        sch_events = check_ics("Sch.ics", os.path.join(out, "Sch.ics"))
        stored, stored_rows = {}, []
        for month in sorted({f[:6] for f in os.listdir(data) if f.endswith(".sch")}):
            for r in rows(cli(prog, "schedules", month)):
                stored.setdefault(r[9], []).append(r[17])
                stored_rows.append((month, r))
        check_round_trip("Sch.ics", os.path.join(out, "Sch.ics"), stored_rows, False)
        for ev in sch_events:
            if str(ev.get("SUMMARY", "")) not in stored:
                fail("Sch.ics: SUMMARY %r is no stored title" % str(ev.get("SUMMARY")))
            if "DESCRIPTION" in ev and str(ev["DESCRIPTION"]) not in stored.get(str(ev.get("SUMMARY", "")), []):
                fail("Sch.ics: DESCRIPTION %r is not the stored memo" % str(ev["DESCRIPTION"]))
        if len(sch_events) != sum(len(v) for v in stored.values()):
            fail("Sch.ics: %d events for %d schedules" % (len(sch_events), sum(len(v) for v in stored.values())))
        if not any(str(e.get("SUMMARY")) == '会議;A,B\\C "引用"' for e in sch_events):
            fail("Sch.ics: the escaped title did not come back")

        cli(prog, "export", "ics", "holiday", "4", "--date", "2024/05/03", "--output", os.path.join(out, "Hol.ics"))
        hol_events = check_ics("Hol.ics", os.path.join(out, "Hol.ics"))
        checked = check_holiday_rules(prog, data, hol_events)
        if checked < 20:
            fail("Hol.ics: only %d holiday rules compared" % checked)
        print("holiday rules compared with the engine over 1949-2050:", checked)

        # CSV, with the switches off and on
        for switches in ("0", "1"):
            set_ini(prog, "File", {"CsvStrTime": switches, "CsvEndTime": switches, "CsvAlarm": switches})
            name = "Sch%s.csv" % switches
            cli(prog, "export", "csv", "schedule", "4", "--output", os.path.join(out, name))
            table = read_csv(name, os.path.join(out, name))
            for r in table[1:]:
                if r[4] not in stored or r[7] not in stored[r[4]] + [""]:
                    fail("%s: title %r / memo %r not stored" % (name, r[4], r[7]))
                if r[-1] != "":
                    fail("%s: a line without the trailing comma" % name)
            if len(table) - 1 != sum(len(v) for v in stored.values()):
                fail("%s: %d lines for the schedules" % (name, len(table) - 1))
        cli(prog, "export", "csv", "memo", "4", "--output", os.path.join(out, "Memo.csv"))
        memo = read_csv("Memo.csv", os.path.join(out, "Memo.csv"))
        if any(len(r) != 2 for r in memo) or len(memo) < 2:
            fail("Memo.csv: %r" % memo[:3])

        # vCalendar
        cli(prog, "export", "vcs", "schedule", "4", "--output", os.path.join(out, "Sch.vcs"))
        text = open(os.path.join(out, "Sch.vcs"), "rb").read().decode("ascii")
        # Quoted-printable values may continue on the next line after a soft line break.
        cal = vobject.readOne(text, allowQP=True)
        titles = []
        for ev in cal.vevent_list:
            if hasattr(ev, "summary"):
                s = ev.summary
                raw = s.value
                if "QUOTED-PRINTABLE" in [v.upper() for v in s.params.get("ENCODING", [])]:
                    charset = "cp932" if s.params.get("CHARSET", ["US-ASCII"])[0].upper() == "SHIFT_JIS" else "ascii"
                    raw = quopri.decodestring(raw.encode("ascii")).decode(charset)
                titles.append(raw)
        check_round_trip("Sch.vcs", os.path.join(out, "Sch.vcs"), stored_rows, True)
        check_foreign_files(out)
        want = sorted(t for t, v in stored.items() for _ in v if t)
        if sorted(titles) != want:
            fail("Sch.vcs: titles %r, stored %r" % (sorted(set(titles) ^ set(want)), len(want)))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    if failures:
        print("%d failures" % len(failures))
        return 1
    print("exports valid")
    return 0


if __name__ == "__main__":
    sys.exit(main())
