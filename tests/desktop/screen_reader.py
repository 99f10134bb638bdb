# What a screen reader reads of the running window through AT-SPI: every control named for what it
# is, each name once (an editable list's edit field carries its list's name), and the frames
# holding their controls in the keyboard's order. Exits 1 with the faults, 0 when there are none.
import sys
import time

import pyatspi


def application(name):
    for _ in range(200):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.1)
    sys.exit("no application named %s on the accessibility bus" % name)


def walk(node, parent=None):
    yield node, parent
    for child in node:
        if child is not None:
            yield from walk(child, node)


def opened(app, name):
    """Waits until the window's title names the file: it is opened after the splash."""
    for _ in range(300):
        if any(frame.name.endswith(name) for frame in app if frame is not None):
            return
        time.sleep(0.1)
    sys.exit("the window never showed %s" % name)


faults = []
counts = {}
names = {}
window = application("tivra")
opened(window, "mixed-sensors.smc")
for node, parent in walk(window):
    role = node.getRoleName()
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
    names[node.name] = role
    # A list's value is its text, closed or open: the file's entry, not its name.
    if role == "combo box" and node.name == "Channel 2 Sensor Type":
        shown = node.queryText().getText(0, -1)
        if shown != "Pallion":
            faults.append("Channel 2 Sensor Type reads %r, not the file's 'Pallion'" % shown)
for name in ("Enable Channel 1", "Channel 1 Sensor Type", "Channel 2 Sensor Type"):
    if name not in names:
        faults.append("no control named %r" % name)
expected = {"check box": 8, "combo box": 64, "text": 24, "push button": 2}
if counts != expected:
    faults.append("controls %s, expected %s" % (counts, expected))
for node, _ in walk(window):
    if node.getRoleName() == "panel" and node.name == "Local Ports":
        held = [c.name for c in node if c.getRoleName() == "combo box"]
        order = ["Channel %d Local %s" % (n, field) for n in range(1, 9)
                 for field in ("Board Port Number", "Baudrate", "Comms Type")]
        if held != order:
            faults.append("Local Ports holds %s" % held)
        break
else:
    faults.append("no frame named Local Ports")
if faults:
    sys.exit("\n".join(faults))
print("screen reader: %d controls named, each once, in their frames" % sum(counts.values()))
