"""What a screen reader sees of the running program, over AT-SPI.

  atspi_probe.py tree   checks names and roles, prints one line per check
  atspi_probe.py focus  prints "LIST: ITEM" for the selected item of the
                        focused list
"""
import sys
import time

import pyatspi


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    names = []
    for _ in range(100):
        names = [app.name for app in desktop if app is not None]
        for app in desktop:
            if app is not None and app.name == "Velmor Color Picker":
                return app
        time.sleep(0.1)
    sys.exit(f"no Velmor Color Picker on the AT-SPI bus, only {names}")


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def role(node):
    return node.getRoleName()


def selected(node):
    return [c for c in node if c is not None and
            c.getState().contains(pyatspi.STATE_SELECTED)]


def tree(app):
    nodes = list(walk(app))
    problems = []
    lists = {n.name: n for n in nodes if role(n) == "list"}
    for name in ("Basic colors", "Additional colors"):
        if name not in lists:
            problems.append(f"no list named {name!r} (lists: {sorted(lists)})")
    basic = lists.get("Basic colors")
    if basic is not None:
        items = [c for c in basic]
        print(f"ok: Basic colors has {len(items)} items")
        if not items or items[0].name != "Black, #000000" or role(items[0]) != "list item":
            problems.append(f"first cell reads {items[0].name if items else None!r}")
    texts = {n.name for n in nodes if role(n) == "text"}
    buttons = {n.name for n in nodes if role(n) == "push button"}
    for row in ("Color Value", "Color Name", "RGB Format", "Java Format"):
        if row not in texts:
            problems.append(f"no value box named {row!r}")
        if "Copy " + row not in buttons:
            problems.append(f"no button named 'Copy {row}'")
    if "" in buttons:
        problems.append("a button without a name")
    if not any(n.name.startswith("Current color: ") for n in nodes):
        problems.append("no swatch named 'Current color: ...'")
    for p in problems:
        print("FAIL:", p)
    if problems:
        sys.exit(1)
    print("ok: value boxes, copy buttons and swatch are named")


def focus(app):
    for _ in range(50):
        for node in walk(app):
            if role(node) == "list" and node.getState().contains(pyatspi.STATE_FOCUSED):
                items = selected(node)
                if items:
                    print(f"{node.name}: {items[0].name}")
                    return
        time.sleep(0.1)
    print("no focused list with a selected item")


if __name__ == "__main__":
    {"tree": tree, "focus": focus}[sys.argv[1]](application())
