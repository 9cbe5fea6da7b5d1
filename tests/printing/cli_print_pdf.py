#!/usr/bin/python3
"""kalendor-cli print: a fixture month printed to PDF and read back with poppler-utils.

Usage: cli_print_pdf.py PATH_TO_KALENDOR_CLI
"""
import os
import subprocess
import sys
import tempfile
import unicodedata


def schedule_line(day, start, end, title, place=""):
    # day(2) start(5) end(5) category(14) font, line, alarm1, alarm2 (1 each) title(40) place(40)
    title_bytes = title.encode("cp932")
    line = b"%02d" % day + start.encode().ljust(5) + end.encode().ljust(5) + b" " * 14 + b"0000"
    if place:
        return line + title_bytes.ljust(40) + place.encode("cp932")
    return line + title_bytes


def run(cli, folder, *args):
    return subprocess.run([cli, "--program-folder", folder, "--today", "2024/05/20", *args],
                          capture_output=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))


def pdf_text(path):
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, check=True).stdout.decode()
    # Fonts that share a glyph between an ideograph and its Kangxi radical make the extracted text
    # carry the radical; compatibility normalisation of the radicals alone gives the ideograph back.
    return "".join(unicodedata.normalize("NFKC", c) if 0x2E80 <= ord(c) <= 0x2FDF else c for c in text)


def main():
    cli = sys.argv[1]
    failures = []
    checks = [0]

    def check(ok, what):
        checks[0] += 1
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "202405.sch"), "wb") as f:
            f.write(schedule_line(15, "09:00", "10:00", "会議", "本社") + b"\r\n" +
                    schedule_line(20, "", "", "健康診断") + b"\r\n")
        out = os.path.join(folder, "may.pdf")

        # The settings of a new installation: A4 landscape, every item but the ToDo items.
        r = run(cli, folder, "print", "202405", "--view", "4", "--output", out)
        check(r.returncode == 0, "print exits 0 (stderr: %r)" % r.stderr.decode(errors="replace"))
        info = subprocess.run(["pdfinfo", out], capture_output=True, check=True).stdout.decode()
        check("Pages:           1\n" in info, "one page")
        check("842 x 595 pts" in info, "A4 landscape page size (%s)" % [l for l in info.splitlines() if "size" in l])
        text = pdf_text(out)
        check("2024年 5月のスケジュール" in text, "the title 2024年 5月")
        check("2024.05.20" in text, "the creation date")
        check("09:00-10:00 会議（本社）" in text, "the timed schedule with its place")
        check("健康診断" in text, "the untimed schedule")

        # Items from Klprint.ini: place, end time and rokuyo off; portrait; no creation date.
        with open(os.path.join(folder, "Klprint.ini"), "wb") as f:
            f.write("[Title]\r\nTitle=eee yyyy\r\nDate=(なし)\r\n[Option]\r\nItem=01010111100\r\nOrientation=0\r\n"
                    .encode("cp932"))
        r = run(cli, folder, "print", "202405", "--view", "4", "--output", out)
        check(r.returncode == 0, "print with Klprint.ini exits 0")
        info = subprocess.run(["pdfinfo", out], capture_output=True, check=True).stdout.decode()
        check("595 x 842 pts" in info, "A4 portrait page size")
        text = pdf_text(out)
        check("May 2024" in text, "the title pattern eee yyyy")
        check("09:00 会議" in text and "本社" not in text and "10:00" not in text, "place and end time left out")
        check("2024.05.20" not in text, "no creation date with (なし)")
        check("大安" not in text and "仏滅" not in text, "no rokuyo")

        # Refusals: an unwritable file, margins larger than the paper, a view without day cells.
        r = run(cli, folder, "print", "202405", "--view", "4", "--output", os.path.join(folder, "no", "such.pdf"))
        check(r.returncode == 1 and "に書き込めません。" in r.stderr.decode(), "an unwritable output file is reported")
        with open(os.path.join(folder, "Klprint.ini"), "wb") as f:
            f.write(b"[Margin]\r\nLeft=200\r\nRight=200\r\n")
        os.remove(out)
        r = run(cli, folder, "print", "202405", "--view", "4", "--output", out)
        check(r.returncode == 1 and "余白が大きすぎる" in r.stderr.decode() and not os.path.exists(out),
              "margins larger than the paper are refused and write nothing")
        r = run(cli, folder, "print", "202405", "--view", "5", "--output", out)
        check(r.returncode == 1 and "この表示は印刷できません。" in r.stderr.decode(), "the yearly view is refused")

    print("%d passed, %d failed" % (checks[0] - len(failures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
