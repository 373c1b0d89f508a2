#!/usr/bin/env python3
"""Runs tage on a pseudo-terminal and types as a person would, waiting for each prompt.

The first date goes in on one line, the second number by number; the program must then
still wait in its closing pause, through a bare Enter, and end with status 0 once a
letter and Enter are typed.

Then a terminal that hangs up after the first date: reading standard input fails (EIO),
which must end the run where it fails, with the output of the transcript
end_after_first_date up to the second date's day prompt, the message for a device error
and status 1, neither reading again for ever nor using old bytes.

    terminal_session.py PROGRAM TRANSCRIPTS_FOLDER [--node]

With --node, PROGRAM is tage.wasm's launcher under Node, and the terminal does not hang
up: Node itself ends with an assertion when it cannot restore a terminal that is gone.
"""
import os
import pathlib
import pty
import select
import subprocess
import sys
import tempfile
import time

SUMMARY = b"Vom 3. 3. 2020 bis 17. 3. 2020 sind 14 Tage vergangen."
TIMEOUT = 10.0


class Terminal:
    def __init__(self, program):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execv(program, [program])
        self.screen = b""
        self.seen = 0  # what has been matched so far

    def read_available(self, seconds):
        deadline = time.monotonic() + seconds
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                return
            ready, _, _ = select.select([self.fd], [], [], left)
            if not ready:
                return
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:  # the program has ended and the terminal is closed
                return
            if not chunk:
                return
            self.screen += chunk

    def wait_for(self, text):
        deadline = time.monotonic() + TIMEOUT
        while text not in self.screen[self.seen:]:
            if time.monotonic() > deadline:
                fail(f"never saw {text!r}; screen so far:\n{self.screen.decode(errors='replace')}")
            self.read_available(0.05)
        self.seen = self.screen.index(text, self.seen) + len(text)

    def type(self, keys):
        os.write(self.fd, keys)

    def still_running(self, seconds):
        self.read_available(seconds)
        pid, _ = os.waitpid(self.pid, os.WNOHANG)
        return pid == 0

    def exit_status(self):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            self.read_available(0.05)
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid != 0:
                return os.waitstatus_to_exitcode(status)
        fail("the program did not end after the closing answer")


def fail(message):
    print(message)
    sys.exit(1)


def hung_up_terminal(program):
    transcripts = pathlib.Path(sys.argv[2])
    whole = (transcripts / "end_after_first_date.out").read_bytes()
    day_prompt = b"Tag: \n"
    second_day_prompt = whole.index(day_prompt, whole.index(day_prompt) + 1)
    expected = whole[: second_day_prompt + len(day_prompt)]
    device_error = (
        b"Fehler: Die Eingabe konnte nicht gelesen werden: Ein-/Ausgabefehler des Geraets.\n"
    )
    controller, terminal = pty.openpty()
    with tempfile.TemporaryFile() as output, tempfile.TemporaryFile() as errors:
        run = subprocess.Popen([program], stdin=terminal, stdout=output, stderr=errors)
        os.close(terminal)
        os.write(controller, (transcripts / "end_after_first_date.in").read_bytes())
        # Hang up once the program waits for the second date's day.
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            output.seek(0)
            if output.read().count(b"Tag: ") == 2:
                break
            time.sleep(0.05)
        os.close(controller)
        try:
            status = run.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            run.kill()
            fail("the program went on reading after the terminal hung up")
        output.seek(0)
        got = output.read()
        errors.seek(0)
        message = errors.read()
    if status != 1 or got != expected or message != device_error:
        fail(
            f"after a hang-up: status {status}, standard error {message!r}, output:\n"
            f"{got.decode(errors='replace')}"
        )
    print("hung-up terminal: ok")


def skip_unless_terminals():
    """Ends the test as skipped (77) where no pseudo-terminal can be opened, as in a build
    chroot without /dev/pts; with CI=true, where every test must run, as failed."""
    try:
        for descriptor in pty.openpty():
            os.close(descriptor)
    except OSError as error:
        skipping = pathlib.Path(__file__).resolve().parent / "skipping.sh"
        reason = f"no pseudo-terminal here (/dev/pts): {error}"
        sys.exit(subprocess.run(["bash", str(skipping), reason], check=False).returncode)


def main():
    skip_unless_terminals()
    if sys.argv[3:] != ["--node"]:
        hung_up_terminal(sys.argv[1])
    term = Terminal(sys.argv[1])
    term.wait_for(b"Tag: ")
    term.type(b"3 3 2020\r")
    # Month and year come from the same line: their prompts appear without more typing.
    term.wait_for(b"Monat: ")
    term.wait_for(b"Jahr: ")
    term.wait_for(b"Geben Sie das zweite Datum")
    term.wait_for(b"Tag: ")
    term.type(b"17\r")
    term.wait_for(b"Monat: ")
    term.type(b"3\r")
    term.wait_for(b"Jahr: ")
    term.type(b"2020\r")
    term.wait_for(SUMMARY)
    if not term.still_running(0.5):
        fail("the program ended without waiting in the closing pause")
    term.type(b"\r")
    if not term.still_running(0.5):
        fail("a bare Enter ended the closing pause")
    term.type(b"x\r")
    status = term.exit_status()
    if status != 0:
        fail(f"exit status {status}")
    print("terminal session: ok")


if __name__ == "__main__":
    main()
