#!/usr/bin/python3
"""Reads the program through AT-SPI as a screen reader does and prints what it found
as one JSON object. Run inside a private D-Bus session with DISPLAY set:

    atspi_probe.py PROGRAM DOCUMENT

It starts the accessibility bus and the program, walks the accessible tree, opens the
option menu through the menu title's action, moves through it with the keyboard while
listening for focus and name-change events, presses "項目を追加" through its action and
walks the outline again."""
import json
import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

program, document = sys.argv[1], sys.argv[2]
# Everything started here ends with this group: the accessibility bus would outlive its
# launcher otherwise.
os.setpgrp()
environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
time.sleep(1)
app_process = subprocess.Popen([program, document], env=environment)
result = {"events": []}


def node(acc, depth):
    states = acc.getState().getStates()
    return {
        "depth": depth,
        "role": acc.getRoleName(),
        "name": acc.name,
        "description": acc.description,
        "states": [pyatspi.stateToString(s) for s in states],
        "actions": [acc.queryAction().getName(i) for i in range(acc.queryAction().nActions)]
        if "Action" in pyatspi.utils.listInterfaces(acc) else [],
    }


def walk(acc, depth=0, out=None):
    out = [] if out is None else out
    out.append(node(acc, depth))
    if acc.getRoleName() in ("text", "scroll bar"):
        return out
    for i in range(acc.childCount):
        walk(acc.getChildAtIndex(i), depth + 1, out)
    return out


def find_app():
    for _ in range(150):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "hedgerow" and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def find(acc, role, name):
    return pyatspi.findDescendant(acc, lambda a: a.getRoleName() == role and a.name == name)


def press(acc):
    action = acc.queryAction()
    action.doAction(0)


def listen(event):
    result["events"].append({"type": event.type, "role": event.source.getRoleName(),
                             "name": event.source.name})


try:
    app = find_app()
    if app is None:
        raise SystemExit("the program never appeared on the accessibility bus")
    time.sleep(1)
    frame = app.getChildAtIndex(0)
    result["window"] = walk(frame)

    pyatspi.Registry.registerEventListener(listen, "object:state-changed:focused",
                                           "object:property-change:accessible-name")
    steps = []

    def step():
        if steps:
            steps.pop(0)()
            return True
        pyatspi.Registry.stop()
        return False

    def open_menu():
        press(find(frame, "menu item", "オプション"))

    def read_menu():
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window.getRoleName() in ("popup menu", "menu"):
                result["menu"] = walk(window)

    def keys(*names):
        return lambda: subprocess.run(["xdotool", "key", *names], check=False)

    def add_item():
        subprocess.run(["xdotool", "key", "Escape"], check=False)
        press(find(frame, "push button", "項目を追加"))

    def read_outline():
        result["outline"] = walk(find(frame, "tree", "アウトライン"))

    steps += [open_menu, read_menu, keys("Down"), keys("Down"), add_item, keys("Escape"),
              read_outline]
    GLib.timeout_add(700, step)
    pyatspi.Registry.start()
finally:
    print(json.dumps(result, ensure_ascii=False), flush=True)
    signal.signal(signal.SIGTERM, signal.SIG_IGN)
    os.killpg(0, signal.SIGTERM)
