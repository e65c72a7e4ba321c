#!/usr/bin/env python3
"""Times how long programs take to map their first top-level window.

    python3 bench/window_mapped.py [--runs N] -- PROGRAM [ARGUMENTS...] [-- PROGRAM ...]

Needs an X server in DISPLAY without a window manager (xvfb-run gives one):
the programs' top-level windows are then children of the root window, and
their MapNotify events reach a client that listens to the root's
substructure. The clock starts just before a program is started and stops
at the first map of a window that is not override-redirect (pop-ups and
tool tips are); the program is then killed. With several programs, each run
starts each of them in turn, so that they meet the same load of the
machine. Prints, for each program, its times in milliseconds and their
median; with several, the first one's median over each other's, and the
median of the runs' own ratios.
"""

import ctypes
import ctypes.util
import os
import select
import signal
import statistics
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class MapEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("event", ctypes.c_ulong),
        ("window", ctypes.c_ulong),
        ("override_redirect", ctypes.c_int),
    ]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", MapEvent), ("pad", ctypes.c_long * 24)]


def open_x():
    x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("window_mapped: cannot open the X display; run under xvfb-run")
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XFlush(display)
    return x, display


def time_one_start(x, display, command, timeout):
    event = Event()
    while x.XPending(display):  # maps left over from an earlier run
        x.XNextEvent(display, ctypes.byref(event))
    start = time.monotonic()
    program = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        while time.monotonic() - start < timeout:
            while x.XPending(display):
                x.XNextEvent(display, ctypes.byref(event))
                if event.type == MAP_NOTIFY and not event.map.override_redirect:
                    return (time.monotonic() - start) * 1000.0
            if program.poll() is not None:
                sys.exit("window_mapped: %s ended without mapping a window" % command[0])
            select.select([x.XConnectionNumber(display)], [], [], 0.05)
        sys.exit("window_mapped: no window of %s in %d s" % (command[0], timeout))
    finally:
        os.killpg(program.pid, signal.SIGKILL)
        program.wait()


def main():
    arguments = sys.argv[1:]
    runs = 11
    if arguments[:1] == ["--runs"]:
        runs = int(arguments[1])
        arguments = arguments[2:]
    commands = []
    for argument in arguments:
        if argument == "--":
            commands.append([])
        elif commands:
            commands[-1].append(argument)
    commands = [command for command in commands if command]
    if not commands:
        sys.exit(__doc__)
    x, display = open_x()
    times = [[] for _ in commands]
    for _ in range(runs):
        for command, taken in zip(commands, times):
            taken.append(time_one_start(x, display, command, 30))
            time.sleep(0.2)  # let the killed program's windows go
    first = statistics.median(times[0])
    for command, taken in zip(commands, times):
        median = statistics.median(taken)
        print("%s: median %.1f ms (%s)" % (os.path.basename(command[0]), median,
                                           " ".join("%.1f" % t for t in taken)))
        if len(commands) > 1 and command is not commands[0]:
            # Also the median of each run's own ratio: the two starts of a run
            # meet nearly the same load of the machine.
            pairs = statistics.median(a / b for a, b in zip(times[0], taken))
            print("  %s / %s: %.2f (ratio of the medians), %.2f (median of each run's ratio)"
                  % (os.path.basename(commands[0][0]), os.path.basename(command[0]),
                     first / median, pairs))


if __name__ == "__main__":
    main()
