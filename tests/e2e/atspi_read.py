#!/usr/bin/python3
"""Reads the running program as a screen reader does, through the AT-SPI tree.

    atspi_read.py [--app NAME] dump
        every node of the program, one a line, indented by depth:
        role | name | text | states (showing, focused)
    atspi_read.py [--app NAME] find [--role ROLE] [--exact] [--text TEXT]
                  [--wait SECONDS] [--hidden] NAME...
        the showing nodes whose accessible name starts with a NAME (or is a
        NAME, with --exact), one a line: role<TAB>name<TAB>text. With --text,
        only nodes whose text is TEXT. Every NAME must be matched by some node;
        with --wait, asks again until they are. With --centre, each line ends
        with the node's middle on the display: X<TAB>Y. Exit 1 when one is not
        found (what is on show is then printed to stderr).

Needs python3-pyatspi and a session bus on which the accessibility bus runs;
the program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1. Qt 6 reports a
plain window with the role "filler" and a message box as "alert".
"""

import argparse
import os
import sys
import time

try:
    import pyatspi
except ImportError:
    sys.exit("atspi_read: python3-pyatspi is not installed")


def nodes(root, depth=0):
    """The node and all below it, with their depth; a node that vanishes
    while it is read (a window closing) is skipped."""
    yield root, depth
    try:
        children = list(root)
    except Exception:
        return
    for child in children:
        if child is not None:
            yield from nodes(child, depth + 1)


def text_of(node):
    """The node's text, for the nodes that have one (answer boxes); None for
    the others, whose name is what a screen reader says."""
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    except Exception:
        return None
    return text.getText(0, -1)


def states_of(node):
    state = node.getState()
    return [word for word, flag in (("showing", pyatspi.STATE_SHOWING),
                                    ("focused", pyatspi.STATE_FOCUSED),
                                    ("enabled", pyatspi.STATE_ENABLED))
            if state.contains(flag)]


def applications(name):
    """The running applications of that name, read afresh: the library keeps
    what it read before, which would hide a count that has changed since."""
    desktop = pyatspi.Registry.getDesktop(0)
    found = [app for app in desktop if app is not None and app.name == name]
    for app in found:
        app.clearCache()
    return found


def describe(node):
    try:
        return node.getRoleName(), node.name, text_of(node), states_of(node)
    except Exception:  # gone while being read
        return None


def dump(app_name):
    apps = applications(app_name)
    if not apps:
        print(f"atspi_read: no application {app_name!r} on the accessibility bus",
              file=sys.stderr)
        return 1
    for app in apps:
        for node, depth in nodes(app):
            seen = describe(node)
            if seen is None:
                continue
            role, name, text, states = seen
            shown_text = "-" if text is None else repr(text)
            print(f"{'  ' * depth}{role} | {name!r} | {shown_text} | {','.join(states)}")
    return 0


def names_match(name, wanted, exact):
    return name == wanted if exact else name.startswith(wanted)


def matches(app_name, args):
    """The lines of the nodes found, the names not found, and all on show."""
    found, missing, on_show = [], set(args.names), []
    for app in applications(app_name):
        for node, _ in nodes(app):
            seen = describe(node)
            if seen is None:
                continue
            role, name, text, states = seen
            if "showing" not in states and not args.hidden:
                continue
            on_show.append(f"{role}: {name!r}" + ("" if text is None else f" text {text!r}"))
            if args.role and role != args.role or args.text is not None and text != args.text:
                continue
            hits = {wanted for wanted in args.names if names_match(name, wanted, args.exact)}
            if hits:
                missing -= hits
                line = f"{role}\t{name}\t{'' if text is None else text}"
                if args.centre:
                    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                    line += f"\t{box.x + box.width // 2}\t{box.y + box.height // 2}"
                found.append(line)
    return found, missing, on_show


def find(app_name, args):
    # Stretched as the walk's own waits are, on a busy machine.
    deadline = time.monotonic() + args.wait * float(os.environ.get("MERCANZOLA_LOAD_FACTOR", "1"))
    while True:
        found, missing, on_show = matches(app_name, args)
        if not missing or time.monotonic() >= deadline:
            break
        time.sleep(0.1)
    if missing:
        wanted = ", ".join(repr(name) for name in sorted(missing))
        print(f"atspi_read: not found: {wanted}; on show:", file=sys.stderr)
        for line in on_show:
            print(f"  {line}", file=sys.stderr)
        return 1
    print("\n".join(found))
    return 0


def main():
    parser = argparse.ArgumentParser(description="Reads the program's accessibility tree.")
    parser.add_argument("--app", default="mercanzola", help="application name")
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("dump", help="every node of the program")
    finder = commands.add_parser("find", help="nodes by accessible name")
    finder.add_argument("names", nargs="+", metavar="NAME", help="the start of an accessible name")
    finder.add_argument("--exact", action="store_true", help="whole names")
    finder.add_argument("--role", help='the role, as "label", "text", "push button"')
    finder.add_argument("--text", help="the node's text, exactly")
    finder.add_argument("--wait", type=float, default=0, help="seconds to wait for a match")
    finder.add_argument("--centre", action="store_true", help="where each node's middle is")
    finder.add_argument("--hidden", action="store_true", help="include nodes not on show")
    args = parser.parse_args()
    if args.command == "dump":
        return dump(args.app)
    return find(args.app, args)


if __name__ == "__main__":
    sys.exit(main())
