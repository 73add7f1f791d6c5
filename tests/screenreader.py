#!/usr/bin/python3
"""Reads the calculator's window through AT-SPI, as a screen reader does, and
checks that each figure of tests/plans/hidden-4.nvrplan is there with its
caption, that the menu bar offers the commands with their keys, and that the
Disks dialog, opened from it, reads with its table. Run by screenreader.sh,
inside the display and the session bus it made; the one argument is the
program's process id."""
import sys
import time

import pyatspi

APP = "nvr-calculator"
WAIT = 30  # seconds, for the application and then for the plan's figures

# hidden-4.nvrplan, worked out by hand: four channels in use, rows 5-16 hidden.
EXPECTED = {"Total storage per day (GB)": "87.048",
            "Required HDD capacity": "1308 GB",
            "Recording time on the installed HDD, days": "10 Days",
            "Recording time on the installed HDD, hours": "16 Hours"}
for n, (kbps, gb) in enumerate([("3000", "32.4"), ("3000", "32.4"),
                                ("400", "4.32"), ("1660", "17.928")], 1):
    EXPECTED[f"Channel {n} bitrate (Kbps)"] = kbps
    EXPECTED[f"Channel {n} storage per day (GB)"] = gb
HIDDEN = [f"Channel {n} {what}" for n in range(5, 17)
          for what in ("bitrate (Kbps)", "storage per day (GB)")]

# The menu bar as a screen reader lists it: each menu's items with their keys.
MENUS = {"File": [("New", "Ctrl+N"), ("Open…", "Ctrl+O"), ("Save", "Ctrl+S"),
                  ("Save As…", "Ctrl+Shift+S"), ("Export report…", "Ctrl+E"),
                  ("Quit", "Ctrl+Q")],
         "Edit": [("Undo", "Ctrl+Z"), ("Redo", "Ctrl+Shift+Z"), ("Copy figures", "Ctrl+C"),
                  ("Disks…", "Alt+D")],
         "Help": [("Help", "F1")]}
# The plan's disks: 14 days of 87.048 GB need 87.048 x 14 x 1.073741824 = 1308.5 GB;
# one drive of 2 TB holds it, 2000 GB lasting 2000 / 1.073741824 / 3.627 = 513.5
# hours; 2 to 24 TB one drive each, 1 TB two: 14 sets. 3000 + 3000 + 400 + 1660 Kbps.
DISKS = {"incoming": "8.06 Mbps", "rows": 14, "first": ["1", "2", "2000", "21 Days 9 Hours"]}

FIGURE_ENDINGS = ("(GB)", "(Kbps)", "capacity", ", days", ", hours")
# Named like a figure, but nothing shows there for a sighted user either: a
# caption beside its field, a column header, and the ALL row's capacity cell,
# which the window leaves blank.
NO_FIGURE = {("label", "Installed HDD size (GB)"), ("label", "Bitrate\n(Kbps)"),
             ("label", "All channels storage per day (GB)")}


def read(node, seen):
    """(role, name, description, text, showing) of node and all below it."""
    try:
        try:
            text = node.queryText().getText(0, -1)
        except NotImplementedError:
            text = None
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        seen.append((node.getRoleName(), node.name, node.description, text, showing))
        children = list(node)
    except Exception:  # a node may go away while the window fills itself in
        return seen
    for child in children:
        if child is not None:
            read(child, seen)
    return seen


def figure(role, name, description, text):
    # A field's figure is its text; a label's is its description.
    return text if text is not None else description


def problems(seen):
    found = []
    showing = [s[:4] for s in seen if s[4]]
    for name, want in EXPECTED.items():
        hits = [(s[0], figure(*s)) for s in showing if s[1] == name]
        if len(hits) != 1 or hits[0][1] != want:
            found.append(f"{name!r}: expected {want!r} once, seen {hits or 'nothing'}")
    for name in HIDDEN:
        if any(s[1] == name for s in showing):
            found.append(f"{name!r}: row not in use, but showing")
    for role, name, description, text in showing:
        if (name.endswith(FIGURE_ENDINGS) and (role, name) not in NO_FIGURE
                and not figure(role, name, description, text)):
            found.append(f"{name!r} ({role}): showing with no figure")
    return found


def windows(app):
    """Each top-level window, with what a message box says."""
    found = []
    try:
        for window in (w for w in app if w is not None):
            role = window.getRoleName()
            said = [s[1] for s in read(window, []) if s[0] == "label" and s[1]]
            found.append(f"{role} {window.name!r}"
                         + (": " + " / ".join(said) if role in ("alert", "dialog") else ""))
    except Exception:
        found.append("(no longer readable)")
    return found


def alive(pid):
    # An exited child stays a zombie until the shell reaps it: not alive.
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def menu_items(app):
    """{menu: [(item, key)]} of the menu bar, and the items by name."""
    found, items = {}, {}
    for _, node in walk(app):
        if node.getRoleName() == "menu bar":
            for menu in node:
                found[menu.name] = []
                for item in (i for sub in menu for i in sub):
                    if item is not None and item.getRoleName() == "menu item":
                        found[menu.name].append((item.name, item.queryAction().getKeyBinding(0)))
                        items[item.name] = item
    return found, items


def walk(node, depth=0):
    """(depth, node) of node and all below it."""
    yield depth, node
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def disks_seen(app):
    """What the Disks dialog reads as: the incoming bitrate, the table's rows,
    its first row's cells; None until it is there."""
    for _, node in walk(app):
        if node.getRoleName() == "dialog" and node.name == "Disks":
            labels = [n.name for _, n in walk(node) if n.getRoleName() == "label"]
            tables = [n for _, n in walk(node) if n.getRoleName() == "table"]
            if not tables or tables[0].name != "Disk sets":
                return None
            table = tables[0].queryTable()
            first = [table.getAccessibleAt(0, c).name for c in range(table.nColumns)]
            incoming = next((l for l in labels if l.endswith("Mbps")), None)
            return {"incoming": incoming, "rows": table.nRows, "first": first}
    return None


def check_menus_and_disks(app, pid):
    found, items = menu_items(app)
    problems = [f"menu {menu!r}: expected {item!r} with {key!r}, seen {found.get(menu)}"
                for menu, wanted in MENUS.items() for item, key in wanted
                if (item, key) not in found.get(menu, [])]
    if "Disks…" in items:
        items["Disks…"].queryAction().doAction(0)
        deadline = time.monotonic() + WAIT
        seen = disks_seen(app)
        while seen != DISKS and alive(pid) and time.monotonic() < deadline:
            time.sleep(0.5)
            seen = disks_seen(app)
        if seen != DISKS:
            problems.append(f"the Disks dialog: expected {DISKS}, read {seen}")
    return problems


def main():
    pid = int(sys.argv[1])
    deadline = time.monotonic() + WAIT
    app = None
    while app is None:
        if not alive(pid):
            sys.exit(f"FAIL: the program exited before {APP!r} could be read")
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: no accessible application {APP!r} within {WAIT} s")
        app = next((a for a in pyatspi.Registry.getDesktop(0)
                    if a is not None and a.name == APP), None)
        time.sleep(0.2)

    deadline = time.monotonic() + WAIT
    while True:
        seen = read(app, [])
        found = problems(seen)
        if not found:
            break
        if not alive(pid) or time.monotonic() > deadline:
            print(f"FAIL: what a screen reader meets differs from the plan "
                  f"({len(seen)} objects read{'' if alive(pid) else ', the program has exited'}):")
            print("\n".join("  " + line for line in found))
            print("Windows:", "; ".join(windows(app)))
            print("Every showing object named like a figure, as read:")
            for role, name, description, text, showing in seen:
                if showing and name.endswith(FIGURE_ENDINGS):
                    print(f"  {role:6} {name!r}: description {description!r}, text {text!r}")
            sys.exit(1)
        time.sleep(0.5)

    found = check_menus_and_disks(app, pid)
    if found:
        print("FAIL: " + "\n  ".join(found))
        sys.exit(1)
    print(f"PASS: {len(EXPECTED)} figures read with their captions, "
          f"{len(seen)} accessible objects walked; the menus and the Disks dialog read")
    for name, want in EXPECTED.items():
        print(f"  {name}: {want}")


if __name__ == "__main__":
    main()
