#!/usr/bin/env python3
# tivractl through a real serial device server: ser2net on 127.0.0.1 in front of the simulated
# boards' pseudo-terminal (tivractl simulate), once with RFC 2217 and once with raw TCP.
#
#   serial_device_server_test.py SIMULATOR TIVRACTL... [--window COMMAND...]
#
# SIMULATOR is a tivractl of this machine that runs simulate; TIVRACTL... the tivractl to try (a
# command: "wine-run tivractl.exe" tries the Windows one under Wine). With --window, COMMAND is run
# once more with TIVRA_BRIDGE naming the RFC 2217 server and must end with status 0 (the window's
# test). Every server and simulator started here is stopped here; only loopback addresses are used.

import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

FAILURES = []
BOX_NO_BOARD = "No Local Board Found: Check USB cable and retry"
PARTLY_WRITTEN = 5


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAILED: " + what, file=sys.stderr)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def listening(port):
    # Whether something listens on 127.0.0.1:port (from /proc, so that no connection is made).
    with open("/proc/net/tcp") as table:
        for line in table.readlines()[1:]:
            local, state = line.split()[1], line.split()[3]
            if state == "0A" and local == "0100007F:%04X" % port:
                return True
    return False


class Simulator:
    # tivractl simulate --frames, its requests logged into a list as they come.

    def __init__(self, program, *options):
        self.process = subprocess.Popen([program, "simulate", "--frames", *options],
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.path = self.process.stdout.readline().strip()
        if not self.path.startswith("/dev/"):
            raise RuntimeError("simulate printed no device: " + self.process.stderr.read())
        self.log = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stderr:
            self.log.append(line.rstrip("\n"))

    def wait_for(self, text, seconds=10):
        end = time.monotonic() + seconds
        while not any(text in line for line in self.log):
            if time.monotonic() > end:
                return False
            time.sleep(0.01)
        return True

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


class Ser2net:
    # ser2net with one accepter on 127.0.0.1 in front of a device.

    def __init__(self, folder, accepter, device, port=None):
        self.port = port or free_port()
        self.folder = folder
        config = os.path.join(folder, "ser2net-%d.yaml" % self.port)
        with open(config, "w") as out:
            out.write("connection: &line\n"
                      "  accepter: %s,127.0.0.1,%d\n"
                      "  connector: serialdev,%s,57600n81,local\n" % (accepter, self.port, device))
        # Without mDNS, which it would only complain about here.
        self.process = subprocess.Popen(
            ["ser2net", "-n", "-u", "-c", config, "-P", config + ".pid"],
            stdout=subprocess.DEVNULL, stderr=open(config + ".log", "w"))
        end = time.monotonic() + 10
        while not listening(self.port):
            if self.process.poll() is not None or time.monotonic() > end:
                raise RuntimeError("ser2net did not start: " + open(config + ".log").read())
            time.sleep(0.02)

    def kill(self):
        self.process.kill()
        self.process.wait(10)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)


class TelnetFlood:
    # A server on 127.0.0.1 that sends telnet "no operation" commands as fast as it can to each
    # client, until the client goes.

    def __init__(self):
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.port = self.listener.getsockname()[1]
        self.sockets = []
        threading.Thread(target=self._accept, daemon=True).start()

    def _accept(self):
        while True:
            try:
                connection, _ = self.listener.accept()
            except OSError:
                return
            self.sockets.append(connection)
            threading.Thread(target=self._flood, args=(connection,), daemon=True).start()

    @staticmethod
    def _flood(connection):
        try:
            while True:
                connection.sendall(b"\xff\xf1" * 4096)
        except OSError:
            pass

    def stop(self):
        for s in [self.listener] + self.sockets:
            s.close()


def main():
    arguments = sys.argv[1:]
    window = []
    if "--window" in arguments:
        at = arguments.index("--window")
        arguments, window = arguments[:at], arguments[at + 1:]
    simulator_program, tivractl = arguments[0], arguments[1:]
    if shutil.which("ser2net") is None:
        print("ser2net is not installed (scripts/setup installs it)", file=sys.stderr)
        return 1

    folder = tempfile.mkdtemp(prefix="tivra-ser2net-")
    started = []

    def run(*words, wait=True):
        command = tivractl + list(words)
        if not wait:
            return subprocess.Popen(command, cwd=folder, stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE, text=True)
        return subprocess.run(command, cwd=folder, capture_output=True, text=True, timeout=120)

    def native(*words):
        return subprocess.run([simulator_program, *words], cwd=folder, capture_output=True,
                              text=True, check=True).stdout

    try:
        # A configuration whose frames hold a data byte 0xFF (Chunksize 255 is 00 FF), which
        # telnet sends twice: the boards must get it once.
        shutil.copy(os.path.join(os.path.dirname(__file__), "../../examples/mixed-sensors.smc"),
                    os.path.join(folder, "examples.smc"))
        native("set", "examples.smc", "Channel 1 Chunksize=255", "-o", "ff.smc")
        frames = {board: native("frame", "--board", board, "ff.smc").strip()
                  for board in ("local", "remote")}
        check(all(" FF " in frame for frame in frames.values()), "no 0xFF in the frames")

        for accepter, scheme in (("telnet(rfc2217),tcp", "rfc2217"), ("tcp", "tcp")):
            simulator = Simulator(simulator_program)
            server = Ser2net(folder, accepter, simulator.path)
            started += [simulator, server]
            url = "%s://127.0.0.1:%d" % (scheme, server.port)

            ports = run("ports", "--bridge", url)
            check(ports.returncode == 0 and ports.stdout ==
                  url + "  Quorvantel Ostrel  <- LocalBoard\n", "%s: ports: %r" % (scheme, ports))

            write = run("write", "ff.smc", "--verify", "--bridge", url)
            check(write.returncode == 0 and write.stdout == "Verified ff.smc\n",
                  "%s: write --verify: %r" % (scheme, write))
            for board, command in (("local", "WriteLocal"), ("remote", "WriteRemote")):
                logged = "request %s (199 bytes): %s" % (command, frames[board])
                check(logged in simulator.log,
                      "%s: the %s frame arrived otherwise: %s" % (scheme, board, simulator.log))

            read = run("read", "-o", "read.smc", "--bridge", url)
            check(read.returncode == 0 and read.stderr ==
                  "Success: Local configuration data read\n"
                  "Success: Remote configuration data read\n", "%s: read: %r" % (scheme, read))
            same = run("diff", "read.smc", "ff.smc")
            check(same.returncode == 0, "%s: read back otherwise: %s" % (scheme, same.stdout))

            if scheme == "tcp":
                # A raw server named as a telnet one is refused, not taken for a board's line.
                wrong = run("ports", "--bridge", "rfc2217://127.0.0.1:%d" % server.port)
                check(wrong.returncode == 2 and wrong.stderr == "tivractl ports: 127.0.0.1:%d: "
                      "it answers no telnet option, so it is no RFC 2217 server (for a raw TCP "
                      "server use tcp://HOST:PORT)\n" % server.port, "raw as telnet: %r" % wrong)
            server.stop()
            simulator.stop()

        # Nothing listening: the box of a missing board, and why, for each board.
        closed = "tcp://127.0.0.1:%d" % free_port()
        refused = run("read", "--bridge", closed)
        reason = "tivractl read: 127.0.0.1:%s: connection refused\n" % closed.rsplit(":", 1)[1]
        check(refused.returncode == 1 and refused.stdout == "" and
              refused.stderr == (reason + BOX_NO_BOARD + "\n") * 2, "refused: %r" % refused)

        # A server whose serial device cannot be opened hangs up at once, saying why; it is tried
        # again for 5 s, as one still closing an earlier connection would be.
        missing = Ser2net(folder, "telnet(rfc2217),tcp", os.path.join(folder, "no-such-tty"))
        started.append(missing)
        began = time.monotonic()
        hung_up = run("ports", "--bridge", "rfc2217://127.0.0.1:%d" % missing.port)
        took = time.monotonic() - began
        check(hung_up.returncode == 2 and hung_up.stderr.startswith(
              "tivractl ports: 127.0.0.1:%d: the connection was lost; the server said: Device "
              "open failure" % missing.port) and 4.5 < took < 8,
              "device missing behind the server: %r after %.1f s" % (hung_up, took))
        missing.stop()
        # A server busy with another client lets the next one in once it has gone.
        simulator = Simulator(simulator_program)
        server = Ser2net(folder, "telnet(rfc2217),tcp", simulator.path)
        started += [simulator, server]
        other = socket.create_connection(("127.0.0.1", server.port))
        time.sleep(0.2)
        waiting_read = run("read", "--bridge", "rfc2217://127.0.0.1:%d" % server.port, wait=False)
        time.sleep(1)
        other.close()
        out, err = waiting_read.communicate(timeout=60)
        check(waiting_read.returncode == 0 and err == "Success: Local configuration data read\n"
              "Success: Remote configuration data read\n", "busy server: %r" % err)
        server.stop()
        simulator.stop()

        # A server that never answers (its queue of connections full): given up after 5 s.
        silent = socket.socket()
        silent.bind(("127.0.0.1", 0))
        silent.listen(0)
        waiting = []
        for _ in range(3):
            s = socket.socket()
            s.setblocking(False)
            s.connect_ex(silent.getsockname())
            waiting.append(s)
        time.sleep(0.2)
        began = time.monotonic()
        unanswered = run("ports", "--bridge", "rfc2217://127.0.0.1:%d" % silent.getsockname()[1])
        took = time.monotonic() - began
        check(unanswered.returncode == 2 and unanswered.stderr ==
              "tivractl ports: 127.0.0.1:%d: no answer within 5 seconds\n"
              % silent.getsockname()[1], "never answers: %r" % unanswered)
        check(4.9 < took < 6.5, "never answers: gave up after %.1f s" % took)
        # Ctrl-C while still connecting ends a write at once: nothing was sent.
        waiting_write = run("write", "ff.smc", "--json", "--bridge",
                            "rfc2217://127.0.0.1:%d" % silent.getsockname()[1], wait=False)
        time.sleep(0.5)
        waiting_write.send_signal(signal.SIGINT)
        out, err = waiting_write.communicate(timeout=10)
        check(waiting_write.returncode == 128 + signal.SIGINT and
              err == "tivractl write: interrupted by SIGINT before anything was sent\n" and
              json.loads(out)["written"] == {"localBoard": "not sent", "remoteBoard": "not sent"},
              "Ctrl-C while connecting: status %d, %r %r" % (waiting_write.returncode, out, err))
        for s in waiting + [silent]:
            s.close()

        # A server that sends nothing but telnet commands, without end: still only the usual
        # waits, never stuck reading it.
        flood = TelnetFlood()
        started.append(flood)
        began = time.monotonic()
        flooded = run("ports", "--bridge", "rfc2217://127.0.0.1:%d" % flood.port)
        took = time.monotonic() - began
        check(flooded.returncode == 0 and took < 5, "telnet flood: %r after %.1f s"
              % (flooded, took))
        flood.stop()

        # ser2net killed while the RemoteBoard's write waits for its acknowledgement: the
        # LocalBoard was written, the RemoteBoard perhaps not; never "Verified".
        simulator = Simulator(simulator_program, "--answer-after", "400")
        server = Ser2net(folder, "telnet(rfc2217),tcp", simulator.path)
        started += [simulator, server]
        url = "rfc2217://127.0.0.1:%d" % server.port
        writing = run("write", "ff.smc", "--verify", "--bridge", url, wait=False)
        check(simulator.wait_for("request WriteRemote"), "the RemoteBoard's write never came")
        server.kill()
        out, err = writing.communicate(timeout=60)
        check(writing.returncode == PARTLY_WRITTEN and "Verified" not in out + err and
              "127.0.0.1:%d: the connection was lost" % server.port in err,
              "killed mid-write: status %d, %r %r" % (writing.returncode, out, err))
        # The next command connects anew.
        server = Ser2net(folder, "telnet(rfc2217),tcp", simulator.path, server.port)
        started.append(server)
        again = run("diff", "ff.smc", "--boards", "--bridge", url)
        check(again.returncode == 0, "after the server came back: %r" % again)

        if window:
            environment = dict(os.environ, TIVRA_BRIDGE=url)
            before = len(simulator.log)
            shown = subprocess.run(window, env=environment, timeout=300)
            check(shown.returncode == 0, "the window through %s: status %d" % (url,
                                                                               shown.returncode))
            came = [line.split(" (")[0] for line in simulator.log[before:]]
            check(came == ["request ReadLocal", "request ReadRemote", "request WriteLocal",
                           "request WriteRemote"], "the window's requests: %s" % came)
    finally:
        for thing in reversed(started):
            try:
                thing.stop()
            except Exception:  # noqa: BLE001 - the rest must still be stopped
                pass
        shutil.rmtree(folder, ignore_errors=True)

    if FAILURES:
        return 1
    print("tivractl through ser2net (RFC 2217 and raw TCP): ports, write --verify, read, 0xFF "
          "bytes, refused, its device missing, busy, unanswered, server killed "
          "mid-write")
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)
    sys.exit(main())
