# Starts the real program with a file open on the accessibility bus (tests.cmake runs this under
# dbus-run-session and on_desktop.sh) and reads it as a screen reader does, through AT-SPI: every
# control named for what it is, each name once (an editable list's edit field carries its list's
# name), and the frames holding their controls in the keyboard's order. Exits 1 with the faults, 0
# when there are none.
#   screen_reader.py TIVRA EXAMPLE
import os
import subprocess
import sys
import tempfile
import time

import pyatspi


def wait_for(find, fault):
    for _ in range(300):
        if found := find():
            return found
        time.sleep(0.1)
    sys.exit(fault)


def walk(node, parent=None):
    yield node, parent
    for child in node:
        if child is not None:
            yield from walk(child, node)


def faults_read(example):
    window = wait_for(lambda: next((app for app in pyatspi.Registry.getDesktop(0) if app is not None
                                    and app.name == "tivra" and app.childCount > 0), None),
                      "no application named tivra on the accessibility bus")
    # The file is opened after the splash; the window's title then names it.
    name = os.path.basename(example)
    wait_for(lambda: any(frame.name.endswith(name) for frame in window if frame is not None),
             "the window never showed %s" % name)
    faults, counts, names, frames = [], {}, set(), {}
    for node, parent in walk(window):
        role = node.getRoleName()
        if role == "panel":
            frames[node.name] = node
        if role not in ("check box", "combo box", "text", "push button"):
            continue
        counts[role] = counts.get(role, 0) + 1
        if not node.name:
            faults.append("a %s without a name" % role)
        inside = parent is not None and parent.getRoleName() == "combo box"
        if inside and node.name != parent.name:
            faults.append("edit field %r in list %r" % (node.name, parent.name))
        elif not inside and node.name in names:
            faults.append("%r twice" % node.name)
        names.add(node.name)
        # A list's value is its text, closed or open: the file's entry, not its name.
        if role == "combo box" and node.name == "Channel 2 Sensor Type":
            shown = node.queryText().getText(0, -1)
            if shown != "Pallion":
                faults.append("Channel 2 Sensor Type reads %r, not the file's 'Pallion'" % shown)
    wanted = ("Enable Channel 1", "Channel 1 Sensor Type", "Channel 2 Sensor Type")
    faults += ["no control named %r" % name for name in wanted if name not in names]
    expected = {"check box": 8, "combo box": 64, "text": 24, "push button": 2}
    if counts != expected:
        faults.append("controls %s, expected %s" % (counts, expected))
    held = [c.name for c in frames.get("Local Ports", []) if c.getRoleName() == "combo box"]
    order = ["Channel %d Local %s" % (n, field) for n in range(1, 9)
             for field in ("Board Port Number", "Baudrate", "Comms Type")]
    if held != order:
        faults.append("Local Ports holds %s" % held)
    return faults


# A runtime folder of its own keeps the program away from a running copy's guard; its boxes
# answer themselves into a log.
with tempfile.TemporaryDirectory() as runtime:
    program = subprocess.Popen(sys.argv[1:3], env=dict(
        os.environ, XDG_RUNTIME_DIR=runtime, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
        TIVRA_BOX_LOG=os.path.join(runtime, "boxes")))
    try:
        faults = faults_read(sys.argv[2])
    finally:
        program.kill()
        program.wait()
if faults:
    sys.exit("\n".join(faults))
print("screen reader: every control named, each once, in its frame")
