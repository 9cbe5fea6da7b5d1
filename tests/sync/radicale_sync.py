#!/usr/bin/python3
"""kalendor-cli sync against a real Radicale server on 127.0.0.1.

Radicale (Debian's package) runs on a free port with a temporary storage folder and a plain
htpasswd file; the server's side is read and changed with python3-caldav, never with our client.
A small forwarding proxy in front of it stops the server half-way through one sync. Every
process this test starts is stopped by the test, also when a check fails.

Usage: radicale_sync.py PATH_TO_KALENDOR_CLI
"""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

import caldav
import icalendar

USER, PASSWORD = "alice", "himitsu"
TIMEOUT = 60  # seconds for any one command


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for_port(port, deadline=20.0):
    end = time.time() + deadline
    while time.time() < end:
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return True
        except OSError:
            time.sleep(0.1)
    return False


class Radicale:
    def __init__(self, root, port):
        self.root, self.port, self.proc = root, port, None
        self.storage = os.path.join(root, "storage")
        self.users = os.path.join(root, "users")
        with open(self.users, "w") as f:
            f.write("%s:%s\n" % (USER, PASSWORD))

    def start(self):
        self.proc = subprocess.Popen(
            ["/usr/bin/python3", "-m", "radicale", "--config", "",
             "--server-hosts", "127.0.0.1:%d" % self.port,
             "--storage-filesystem-folder", self.storage,
             "--auth-type", "htpasswd", "--auth-htpasswd-filename", self.users,
             "--auth-htpasswd-encryption", "plain", "--auth-delay", "0",
             "--logging-level", "warning"],
            stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.root, "radicale.log"), "ab"))
        if not wait_for_port(self.port):
            raise RuntimeError("radicale did not start")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None


class Proxy:
    """Forwards one request per connection to the server; with `stop_at`, the server is stopped
    when that many PUT requests have been forwarded, and the client's connection is cut."""

    def __init__(self, port, target_port, server=None, stop_at=None):
        self.port, self.target_port, self.server, self.stop_at = port, target_port, server, stop_at
        self.puts = 0
        self.sock = socket.socket()
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.sock.bind(("127.0.0.1", port))
        self.sock.listen(8)
        self.running = True
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def serve(self):
        while self.running:
            try:
                client, _ = self.sock.accept()
            except OSError:
                return
            threading.Thread(target=self.handle, args=(client,), daemon=True).start()

    def handle(self, client):
        with client:
            client.settimeout(TIMEOUT)
            while True:
                request = self.read_request(client)
                if request is None:
                    return
                if request.startswith(b"PUT "):
                    self.puts += 1
                    if self.stop_at is not None and self.puts >= self.stop_at:
                        self.server.stop()
                        return
                try:
                    with socket.create_connection(("127.0.0.1", self.target_port), timeout=TIMEOUT) as up:
                        up.sendall(request.replace(b"Connection: keep-alive", b"Connection: close"))
                        answer = b""
                        while True:
                            chunk = up.recv(65536)
                            if not chunk:
                                break
                            answer += chunk
                except OSError:
                    return
                client.sendall(answer)
                return

    @staticmethod
    def read_request(client):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = client.recv(65536)
            if not chunk:
                return None
            data += chunk
        head, _, body = data.partition(b"\r\n\r\n")
        length = 0
        for line in head.split(b"\r\n")[1:]:
            name, _, value = line.partition(b":")
            if name.strip().lower() == b"content-length":
                length = int(value.strip())
        while len(body) < length:
            chunk = client.recv(65536)
            if not chunk:
                return None
            body += chunk
        return head + b"\r\n\r\n" + body

    def close(self):
        self.running = False
        try:
            self.sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        self.sock.close()


def main():
    cli = sys.argv[1]
    failures = []

    def check(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    root = tempfile.mkdtemp(prefix="kalendor-sync-")
    port = free_port()
    server = Radicale(root, port)
    proxy = None
    try:
        server.start()
        url = "http://127.0.0.1:%d/" % port
        folder = os.path.join(root, "program")
        os.makedirs(folder)
        password_file = os.path.join(root, "password")
        with open(password_file, "w") as f:
            f.write(PASSWORD + "\n")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)

        def cli_run(*args, password=password_file, at=url):
            cmd = [cli, "--program-folder", folder, "--today", "2024/05/01", "--now", "09:00",
                   "sync", "--url", at, "--user", USER, "--calendar", "仕事"]
            if password:
                cmd += ["--password-file", password]
            return subprocess.run(cmd + list(args), capture_output=True, timeout=TIMEOUT, env=env)

        def cli_cmd(*args):
            return subprocess.run([cli, "--program-folder", folder, "--today", "2024/05/01", *args],
                                  capture_output=True, timeout=TIMEOUT, env=env)

        def lines(result):
            return result.stdout.decode().splitlines()

        def schedules(month):
            return [l.split("\t") for l in lines(cli_cmd("schedules", month))]

        def titles(month):
            return sorted(row[9] for row in schedules(month))

        client = caldav.DAVClient(url=url, username=USER, password=PASSWORD)
        principal = client.principal()
        principal.make_calendar(name="家庭")
        work = principal.make_calendar(name="仕事")

        def server_events():
            out = {}
            for e in work.events():
                ev = icalendar.Calendar.from_ical(e.data).walk("VEVENT")[0]
                out.setdefault(str(ev.get("SUMMARY")), []).append((e, ev))
            return out

        def month_bytes():
            return {n: open(os.path.join(folder, n), "rb").read()
                    for n in sorted(os.listdir(folder)) if n.endswith((".sch", ".dtl", ".dat"))}

        # The fixture: three schedules stored through the entry dialog's store.
        for args in (["--date", "2024/05/03", "--start", "10:00", "--end", "11:30", "--title", "会議", "--place", "本社"],
                     ["--date", "2024/05/10", "--end-date", "2024/05/12", "--title", "出張", "--memo", "新幹線\nホテル泊"],
                     ["--date", "2024/05/20", "--title", "誕生日", "--bold"]):
            r = cli_cmd("add-schedule", *args)
            check(r.returncode == 0, "add-schedule %s (%r)" % (args[3], r.stderr.decode()))

        # A wrong password: a clear message, exit 1, nothing written.
        wrong = os.path.join(root, "wrong")
        with open(wrong, "w") as f:
            f.write("nein\n")
        before = month_bytes()
        r = cli_run(password=wrong)
        err = r.stderr.decode()
        check(r.returncode == 1, "a wrong password exits 1")
        check("サーバーにログインできません。ユーザー名とパスワードを確かめて下さい。" in err and "401" in err,
              "a wrong password names the refusal and the server's answer (%r)" % err)
        check(month_bytes() == before and not os.path.exists(os.path.join(folder, "Sync.dat")),
              "a wrong password changes nothing")
        check(work.events() == [], "a wrong password puts nothing on the server")

        # The first sync puts every schedule on the server.
        r = cli_run()
        out = lines(r)
        check(r.returncode == 0, "first sync exits 0 (%r)" % r.stderr.decode())
        check(sorted(out[:-1]) == sorted(["push\tadd\t2024/05/03\t会議", "push\tadd\t2024/05/10\t出張",
                                          "push\tadd\t2024/05/20\t誕生日"]), "first sync pushes three (%r)" % out)
        check(out[-1:] == ["count\t0\t3\t0"], "first sync's count line (%r)" % out[-1:])
        events = server_events()
        check(sorted(events) == ["会議", "出張", "誕生日"], "the server holds the three schedules (%r)" % sorted(events))
        meeting = events["会議"][0][1]
        check(meeting.decoded("DTSTART").isoformat() == "2024-05-03T01:00:00+00:00", "会議 starts 10:00 JST")
        check(meeting.decoded("DTEND").isoformat() == "2024-05-03T02:30:00+00:00", "会議 ends 11:30 JST")
        check(str(meeting.get("LOCATION")) == "本社", "会議 has its place")
        trip = events["出張"][0][1]
        check(str(trip.decoded("DTSTART")) == "2024-05-10" and str(trip.decoded("DTEND")) == "2024-05-13",
              "出張 runs over three days as dates")
        check(str(trip.get("DESCRIPTION")) == "新幹線\nホテル泊", "出張 carries its memo")

        # A second sync (a new process: the state survived) transfers nothing.
        before = month_bytes()
        r = cli_run()
        check(lines(r) == ["count\t0\t0\t0"], "a second sync transfers nothing (%r)" % lines(r))
        check(month_bytes() == before, "a second sync writes no data file")

        # Added, changed and deleted on the server.
        work.save_event("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:added-1\r\n"
                        "DTSTAMP:20240501T000000Z\r\nDTSTART;VALUE=DATE:20240607\r\nDTEND;VALUE=DATE:20240608\r\n"
                        "SUMMARY:健康診断\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        e, ev = server_events()["会議"][0]
        e.icalendar_component["SUMMARY"] = "定例会議"
        e.icalendar_component["DTSTART"].dt = ev.decoded("DTSTART").replace(hour=4)
        e.icalendar_component["DTEND"].dt = ev.decoded("DTEND").replace(hour=5)
        e.save()
        server_events()["誕生日"][0][0].delete()
        r = cli_run()
        out = lines(r)
        check(sorted(out[:-1]) == sorted(["pull\tadd\t2024/06/07\t健康診断", "pull\tchange\t2024/05/03\t定例会議",
                                          "pull\tdelete\t2024/05/20\t誕生日"]), "server changes pulled (%r)" % out)
        check(out[-1:] == ["count\t3\t0\t0"], "pull count line (%r)" % out[-1:])
        may = schedules("202405")
        check([(row[1], row[2], row[3], row[9]) for row in may] ==
              [("03", "13:00", "14:30", "定例会議"), ("10", "", "", "出張")], "May's file after the pulls (%r)" % may)
        check([row[9] for row in schedules("202406")] == ["健康診断"], "June's file holds the added event")

        # A local change and a local deletion reach the server.
        path = os.path.join(folder, "202405.sch")
        data = open(path, "rb").read().split(b"\r\n")
        data[0] = data[0].replace("定例会議".encode("cp932"), "臨時会議".encode("cp932"))
        open(path, "wb").write(b"\r\n".join(data))
        june = os.path.join(folder, "202406.sch")
        open(june, "wb").write(b"")
        r = cli_run()
        out = lines(r)
        check(sorted(out[:-1]) == sorted(["push\tchange\t2024/05/03\t臨時会議", "push\tdelete\t2024/06/07\t健康診断"]),
              "local changes pushed (%r)" % out)
        events = server_events()
        check(sorted(events) == ["出張", "臨時会議"], "the server after the pushes (%r)" % sorted(events))

        # Both sides change one schedule: the server's version wins, the local one is kept.
        e, ev = server_events()["出張"][0]
        e.icalendar_component["LOCATION"] = "大阪"
        e.save()
        data = open(path, "rb").read()
        open(path, "wb").write(data.replace("出張".encode("cp932"), "出張（延期）".encode("cp932")))
        r = cli_run()
        out = lines(r)
        check(out == ["conflict\t2024/05/10\t出張（延期）", "count\t0\t0\t1"], "one conflict (%r)" % out)
        check(titles("202405") == ["出張", "出張（延期）（競合）", "臨時会議"], "both versions kept (%r)" % titles("202405"))
        check(sorted(server_events()) == ["出張", "出張（延期）（競合）", "臨時会議"],
              "the kept version is on the server too (%r)" % sorted(server_events()))
        r = cli_run()
        check(lines(r) == ["count\t0\t0\t0"], "after the conflict nothing more to do (%r)" % lines(r))

        # A lost state file: a full re-sync without duplicates on either side.
        os.remove(os.path.join(folder, "Sync.dat"))
        r = cli_run()
        check(lines(r) == ["count\t0\t0\t0"], "re-sync without state transfers nothing (%r)" % lines(r))
        check(sorted(len(v) for v in server_events().values()) == [1, 1, 1], "no duplicate on the server")
        check(titles("202405") == ["出張", "出張（延期）（競合）", "臨時会議"], "no duplicate in the month file")

        # A dry run reports without writing.
        work.save_event("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:added-2\r\n"
                        "DTSTAMP:20240501T000000Z\r\nDTSTART:20240715T000000Z\r\nDTEND:20240715T010000Z\r\n"
                        "SUMMARY:朝会\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        before = month_bytes()
        r = cli_run("--dry-run")
        check(lines(r) == ["pull\tadd\t2024/07/15\t朝会", "count\t1\t0\t0"], "dry run reports (%r)" % lines(r))
        check(month_bytes() == before, "dry run writes nothing")

        # The server stops half-way through a sync of many new schedules.
        for day in range(1, 9):
            cli_cmd("add-schedule", "--date", "2024/08/%02d" % day, "--start", "09:00", "--title", "研修%d" % day)
        proxy_port = free_port()
        proxy = Proxy(proxy_port, port, server, stop_at=4)
        proxied = "http://127.0.0.1:%d/" % proxy_port
        r = cli_run(at=proxied)
        err = r.stderr.decode()
        check(r.returncode == 1 and "サーバーとの同期に失敗しました。" in err, "the interrupted sync fails (%r)" % err)
        done = lines(r)
        check(sum(l.startswith("push\tadd\t2024/08/") for l in done) == 3 and "count" not in "".join(done),
              "the server stopped half-way, after three of eight pushes (%r)" % done)
        aug = schedules("202408")
        check(len(aug) == 8 and all(row[9].startswith("研修") for row in aug), "August's file is whole")
        check(open(os.path.join(folder, "202408.sch"), "rb").read().endswith(b"\r\n"), "the month file ends whole")
        server.start()
        proxy.stop_at = None  # the proxy forwards everything from now on
        r = cli_run(at=proxied)
        out = lines(r)
        check(r.returncode == 0, "the next sync completes (%r)" % r.stderr.decode())
        events = server_events()
        check(all(len(v) == 1 for v in events.values()), "no duplicate after the interruption")
        check(sorted(t for t in events if t.startswith("研修")) == ["研修%d" % d for d in range(1, 9)],
              "every August schedule is on the server")
        check(titles("202407") == ["朝会"], "the pull made before the interruption is kept (%r)" % titles("202407"))
        r = cli_run(at=proxied)
        check(lines(r) == ["count\t0\t0\t0"], "and then nothing is left (%r)" % lines(r))

        # Without a password file and without a secret service: a clear message.
        r = cli_run(password=None)
        check(r.returncode == 1 and "パスワードがありません" in r.stderr.decode(), "no password: a message")
    finally:
        if proxy:
            proxy.close()
        server.stop()
        shutil.rmtree(root, ignore_errors=True)

    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
