#!/usr/bin/python3
"""Reads the program's accessibility tree as a screen reader does, through AT-SPI.

    atspi.py tree WINDOW        one line per object of the window titled WINDOW:
                                showing, focused (0 or 1), role, name, actions; tab-separated
    atspi.py press WINDOW NAME  runs the first action of the showing link named NAME
    atspi.py listen WINDOW      prints "listening" once the program sends what it listens for,
                                then, one line each as they come, the events of the program that
                                make a screen reader speak beside the focus: a notification that
                                starts showing (notification, name), a caret that moves (caret,
                                role, the line at the caret) and the focus that arrives (focus,
                                role, name, description); until it is ended, or for a minute

Each waits up to ten seconds for the window to appear in the tree. Exits with 2 when
AT-SPI cannot be reached at all, with 1 when the window or the link is not found.
"""
import sys
import time

try:
    import pyatspi
    from gi.repository import GLib
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


def heard(event):
    source = event.source
    if source is None or source.getApplication().name != "vexmora":
        return None
    role = source.getRoleName()
    if event.type == "object:state-changed:showing" and event.detail1 and role == "notification":
        return ["notification", source.name]
    if event.type == "object:text-caret-moved":
        line = source.queryText().getTextAtOffset(event.detail1, pyatspi.TEXT_BOUNDARY_LINE_START)[0]
        return ["caret", role, line]
    if event.type == "object:state-changed:focused" and event.detail1:
        return ["focus", role, source.name, source.description]
    return None


def listen(top):
    def record(event):
        try:
            fields = heard(event)
        except Exception:  # an object gone meanwhile
            fields = None
        if fields:
            print("\t".join(field.replace("\t", " ").replace("\n", " ") for field in fields), flush=True)

    events = ["object:state-changed:showing", "object:state-changed:focused", "object:text-caret-moved"]
    pyatspi.Registry.registerEventListener(record, *events)
    # The registry tells the program of a new listener before it answers the registration, and
    # the program asks the registry what to send as it takes that news; a question of ours that
    # it answers afterwards is answered once it sends what we listen for.
    top.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print("listening", flush=True)
    GLib.timeout_add_seconds(60, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()


def main():
    arguments = {"tree": 3, "press": 4, "listen": 3}
    if len(sys.argv) < 2 or arguments.get(sys.argv[1]) != len(sys.argv):
        print(__doc__, file=sys.stderr)
        return 2
    top = window(sys.argv[2])
    if top is None:
        print(f"no window {sys.argv[2]!r} in the accessibility tree", file=sys.stderr)
        return 1
    if sys.argv[1] == "listen":
        listen(top)
        return 0
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
