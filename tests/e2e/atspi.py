#!/usr/bin/python3
"""Reads the program's accessibility tree as a screen reader does, through AT-SPI.

    atspi.py tree WINDOW        one line per object of the window titled WINDOW:
                                showing, focused (0 or 1), role, name, actions; tab-separated
    atspi.py press WINDOW NAME  runs the first action of the showing link named NAME

Waits up to ten seconds for the window to appear in the tree. Exits with 2 when AT-SPI cannot
be reached at all, with 1 when the window or the link is not found.
"""
import sys
import time

try:
    import pyatspi
except ImportError as error:
    print(f"no pyatspi: {error}", file=sys.stderr)
    sys.exit(2)


def window(title):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is None or app.name != "vexmora":
                    continue
                for index in range(app.childCount):
                    child = app.getChildAtIndex(index)
                    if child is not None and child.name == title:
                        return child
        except Exception:  # the registry starting, or the program still setting up its tree
            pass
        time.sleep(0.1)
    return None


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def line(node):
    states = node.getState()
    try:
        action = node.queryAction()
        actions = ",".join(action.getName(i) for i in range(action.nActions))
    except NotImplementedError:
        actions = ""
    name = node.name.replace("\t", " ").replace("\n", " ")
    return "\t".join([str(int(states.contains(pyatspi.STATE_SHOWING))),
                      str(int(states.contains(pyatspi.STATE_FOCUSED))), node.getRoleName(), name, actions])


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("tree", "press") or (sys.argv[1] == "press") != (len(sys.argv) == 4):
        print(__doc__, file=sys.stderr)
        return 2
    top = window(sys.argv[2])
    if top is None:
        print(f"no window {sys.argv[2]!r} in the accessibility tree", file=sys.stderr)
        return 1
    if sys.argv[1] == "tree":
        for node in walk(top):
            print(line(node))
        return 0
    for node in walk(top):
        if (node.getRoleName() == "link" and node.name == sys.argv[3]
                and node.getState().contains(pyatspi.STATE_SHOWING)):
            node.queryAction().doAction(0)
            print("pressed")
            return 0
    print(f"no showing link {sys.argv[3]!r}", file=sys.stderr)
    return 1


sys.exit(main())
