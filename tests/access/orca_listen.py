# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the window by keyboard alone while Orca listens, and checks what a blind user hears.

Reads Orca's utterances from its debug file (SPEECH OUTPUT lines) and the simulator's log of
the frames it received. Writes what was heard, step by step, to WORK/transcript.txt; exits 1
with every check that failed.
"""
import os
import re
import signal
import subprocess
import sys
import time
from collections import Counter

WORK = os.environ["WORK"]
DEBUG = os.path.join(WORK, "orca.debug")
SIM_LOG = os.path.join(WORK, "sim.log")
# The text between the quotes, before the voice Orca names after it ({...} or [...]).
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(\[?\{.*\}\]?|\[\])?$")
SPEED_EVENT = re.compile(r"^(\d\d:\d\d:\d\d)\.\d+ - EVENT MANAGER: Dequeued "
                         r"object:(text-changed|property-change:accessible-value|"
                         r"state-changed:showing)\S* \[(text \| Speed|notification \| \d)")


class Ear:
    def __init__(self):
        self.pos = 0
        self.transcript = []
        self.failures = []

    def fresh(self):
        with open(DEBUG, errors="replace") as f:
            f.seek(self.pos)
            data = f.read()
            self.pos = f.tell()
        said = [m.group(1) for m in map(SPOKEN.search, data.splitlines()) if m]
        # Orca echoes each key pressed ("tab ", "page up ") and the num lock the review keys
        # turn on; the key is in the step's heading already.
        said = [s.strip() for s in said if not s.endswith(" ") and not s.startswith("num lock")]
        self.transcript += ["    " + s for s in said]
        return said

    def step(self, what, keys=(), expect=(), absent=(), settle=1.0, timeout=10.0):
        self.transcript.append(what)
        for k in keys:
            press(k)
        heard, deadline = [], time.time() + timeout
        while True:
            heard += self.fresh()
            missing = [p for p in expect if not any(re.search(p, h) for h in heard)]
            if not missing or time.time() > deadline:
                break
            time.sleep(0.1)
        time.sleep(settle)
        heard += self.fresh()
        missing = [p for p in expect if not any(re.search(p, h) for h in heard)]
        for p in missing:
            self.fail(f"{what}: not heard /{p}/; heard {heard}")
        for p in absent:
            if any(re.search(p, h) for h in heard):
                self.fail(f"{what}: heard /{p}/, which must not be said; heard {heard}")
        return heard

    def fail(self, message):
        self.failures.append(message)
        self.transcript.append("    FAILED: " + message)


def press(key):
    if key.startswith("hold:"):
        # Held down past the display's auto-repeat delay, with presses and no release between
        # them: what auto-repeat delivers.
        name, seconds = key[5:].split("*")
        subprocess.run(["xdotool", "keydown", name], check=True)
        deadline = time.time() + float(seconds)
        while time.time() < deadline:
            time.sleep(0.1)
            subprocess.run(["xdotool", "keydown", name], check=True)
        subprocess.run(["xdotool", "keyup", name], check=True)
    elif key in ("SIGSTOP", "SIGCONT"):
        with open(os.path.join(WORK, "sim.pid")) as f:
            os.kill(int(f.read()), getattr(signal, key))
    else:
        subprocess.run(["xdotool", "key", key], check=True)
    time.sleep(0.25)


def throttle_frames():
    with open(SIM_LOG, errors="replace") as f:
        return re.findall(r"frame 41 53 04 ([0-9a-f]{2})", f.read())


def speed_events_per_second(since):
    per_second = Counter()
    with open(DEBUG, errors="replace") as f:
        f.seek(since)
        for line in f:
            m = SPEED_EVENT.match(line)
            if m:
                per_second[m.group(1)] += 1
    return per_second


def main():
    ear = Ear()
    subprocess.run(["xdotool", "search", "--sync", "--name", "^Morvane ESC Config", "windowfocus",
                    "--sync"], check=True, timeout=90)
    ear.step("Start-up: the window, the port list, and the ESC found with no key pressed",
             expect=[r"Morvane ESC Config", r"Port.*combo box", r"Connected: MORVANE QR-18A"])
    ear.step("Tab: the tab strip says its shown tab and where it stands", ["Tab"],
             expect=[r"Config page tab", r"\b1 of 2\b"])
    ear.step("Tab: the first setting, its role and its value", ["Tab"],
             expect=[r"Cutoff Voltage combo box", r"5\.6V \*"])
    ear.step("Down: the new value is said", ["Down"], expect=[r"6\.0V"])
    heard = ear.step("Flat review, lines above: the connection's texts read as shown",
                     ["KP_Home"] * 5, settle=1.5)
    if not any("Status" in h and "Connected" in h for h in heard):
        ear.fail(f"flat review: no line with Status and its value Connected; heard {heard}")
    ear.step("The ESC stops answering (no key pressed)", ["SIGSTOP"],
             expect=[r"Unconnected: the ESC stopped answering"], timeout=8)
    ear.step("The ESC answers again (no key pressed)", ["SIGCONT"],
             expect=[r"Connected: MORVANE QR-18A"], timeout=8)
    ear.step("Ctrl+Tab: the Run tab, the slider has the focus", ["ctrl+Tab"],
             expect=[r"Throttle.*slider"])
    ear.step("Page Up six times: the throttle is said", ["Prior"] * 6, expect=[r"^30\b"])
    mark = os.path.getsize(DEBUG)
    heard = ear.step("Tab to Speed: its value, once a second at most", ["Tab"],
                     expect=[r"Speed \(r/min\)"], settle=6.0)
    spoken_speeds = [h for h in heard if re.fullmatch(r"(notification )?\d+\.?", h)]
    per_second = speed_events_per_second(mark)
    busiest = max(per_second.values(), default=0)
    ear.transcript.append(f"    (speed said {len(spoken_speeds)} times in 6 s; events on "
                          f"the bus for it: {sum(per_second.values())} in {len(per_second)} s, "
                          f"at most {busiest} in one second)")
    if not 2 <= len(spoken_speeds) <= 7:
        ear.fail(f"speed said {len(spoken_speeds)} times in 6 s; wanted about once a second")
    if busiest > 4:
        ear.fail(f"{busiest} events for Speed in one second on the bus; wanted about two")
    frames = len(throttle_frames())
    ear.step("Escape: the motor stops and the stop is said", ["Escape"],
             expect=[r"Motor stopped \(Escape\)"])
    if throttle_frames()[frames:][-1:] != ["00"]:
        ear.fail(f"Escape: the last throttle frame is not 0: {throttle_frames()[frames:]}")
    ear.step("Alt+C: back to the Config tab", ["alt+c"], expect=[r"Config page tab"])
    frames = len(throttle_frames())
    ear.step("Right held down on the tab strip: Run shows, the throttle stays 0",
             ["hold:Right*1.5"], expect=[r"Throttle.*slider 0"], settle=1.5)
    moved = [f for f in throttle_frames()[frames:] if f != "00"]
    if moved:
        ear.fail(f"a held Right raised the throttle: frames 41 53 04 {moved}")
    ear.step("Shift+Tab to the pole count: one stop that says its value", ["shift+Tab"],
             expect=[r"Motor Magnet Poles.*spin button"])
    ear.step("Shift+F10: the program's own menu, not the scroll bar's", ["shift+F10"],
             expect=[r"Motor test"], absent=[r"Scroll here"])
    ear.step("Escape closes the menu", ["Escape"])
    ear.step("Ctrl+T: the motor test window", ["ctrl+t"], expect=[r"Motor test"])
    heard = ear.step("Flat review: its live texts read as shown", ["KP_Up"] + ["KP_Home"] * 3, settle=1.5)
    for text in ("Not recording", "r/min average"):
        if not any(text in h for h in heard):
            ear.fail(f"flat review of the motor test window: {text!r} not read; heard {heard}")
    ear.step("Alt+S: the sweep starts, each step's row is said, and its end",
             ["alt+s"], expect=[r"Sweep started", r"Step 1: throttle \d+, \d+\.\d r/min",
                                r"Sweep ended\. Done: \d+ steps measured; throttle 0"],
             timeout=60)
    with open(os.path.join(WORK, "transcript.txt"), "w") as f:
        f.write("\n".join(ear.transcript) + "\n")
    print("\n".join(ear.transcript))
    for failure in ear.failures:
        print("FAILED:", failure, file=sys.stderr)
    return 1 if ear.failures else 0


if __name__ == "__main__":
    sys.exit(main())
