#!/usr/bin/python3
"""What a screen reader meets in formula-test, read through AT-SPI as one reads it.

Runs inside a D-Bus session on an X display (ctest runs it under on_xvfb.sh and
dbus-run-session): starts the window with Qt's accessibility bridge on, finds
the window, the labelled fields, the button and the report area in the tree,
presses the button through its action and reads the report back. The window
manager is there to close the window as a user does, so that the program ends
normally and a sanitizer build checks its exit.
Usage: screen_reader_test.py FORMULA_TEST DEFAULT_OUTPUT
DEFAULT_OUTPUT is what formula-scan prints for the defaults: the two fields, then the report.
"""
import os
import subprocess
import sys
import time

import pyatspi


def fail(message):
    sys.exit("FAIL: " + message)


def wait_for(what, probe, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail(what)


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def relation_targets(node, kind):
    return [relation.getTarget(i).name for relation in node.getRelationSet()
            if relation.getRelationType() == kind for i in range(relation.getNTargets())]


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=20).stdout


def start_window_manager():
    wm = subprocess.Popen(["openbox"], stderr=subprocess.DEVNULL)
    wait_for("no window manager", lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))
    return wm


def close(app):
    window = run("xdotool", "search", "--sync", "--onlyvisible", "--pid", str(app.pid)).split()[0]
    run("xdotool", "windowactivate", "--sync", window, "key", "--clearmodifiers", "alt+F4")
    if app.wait(10) != 0:
        fail(f"exit code {app.returncode}")


def main(program, default_output):
    with open(default_output, encoding="utf-8") as f:
        start, end, *report = f.read().splitlines()
    # "Label: text" for each field.
    labels = dict(line.rpartition(" ")[::2] for line in (start, end))

    wm = start_window_manager()
    # A cross build's program starts through its emulator, in the same process.
    emulator = os.environ.get("FORMULA_EMULATOR", "").split()
    app = subprocess.Popen([*emulator, program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        def application():
            for node in pyatspi.Registry.getDesktop(0):
                if node is not None and node.get_process_id() == app.pid and node.childCount:
                    return node
        window = wait_for("no window in the accessible tree", application)[0]
        if window.getRoleName() != "frame" or window.name != "Тестирование формулы":
            fail(f"the window is a {window.getRoleName()} named {window.name!r}")

        nodes = list(descendants(window))
        fields = {node.name: node for node in nodes if node.getRole() == pyatspi.ROLE_TEXT}
        for label, initial in labels.items():
            field = fields.get(label)
            if field is None:
                fail(f"no field named {label!r}: {sorted(fields)}")
            if relation_targets(field, pyatspi.RELATION_LABELLED_BY) != [label]:
                fail(f"field {label!r} is not labelled by its label")
            if text_of(field) != initial:
                fail(f"field {label!r} holds {text_of(field)!r}")
        buttons = [node for node in nodes if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == "Тестировать"]
        if len(buttons) != 1:
            fail("no button named 'Тестировать'")
        memo = fields.get("Отчёт")
        if memo is None:
            fail(f"no report area named 'Отчёт': text nodes are {sorted(fields)}")
        if text_of(memo).strip():
            fail(f"the report area is not blank at start: {text_of(memo)!r}")

        action = buttons[0].queryAction()
        action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))
        shown = wait_for("no report after the press", lambda: text_of(memo).strip() and text_of(memo))
        if shown.splitlines() != report:
            fail(f"the report area reads {shown[:200]!r}...")
        close(app)
        print(f"frame, {len(labels)} labelled fields, button and report area of {len(report)} lines read")
    finally:
        if app.poll() is None:
            app.kill()
        wm.terminate()


if __name__ == "__main__":
    main(*sys.argv[1:])
