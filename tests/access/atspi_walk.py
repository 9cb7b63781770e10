# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader finds in the running window, read over the accessibility bus.

Prints every control as role | name | value | description, then fails (exit 1) when an
interactive control has no name, is named by its own value, or bears its panel's name, or
when one of the names a user listens for is missing.
  atspi_walk.py [--until NAME=VALUE] APP_NAME WINDOW_TITLE_PREFIX [REQUIRED_NAME ...]
--until waits (up to 20 s) until a control of that name reads that value, e.g. Status=Connected.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# By role, not by its name: at-spi 2.56 says "button" where 2.46 said "push button".
INTERACTIVE = {Atspi.Role.COMBO_BOX, Atspi.Role.PUSH_BUTTON, Atspi.Role.SLIDER,
               Atspi.Role.SPIN_BUTTON, Atspi.Role.PAGE_TAB, Atspi.Role.CHECK_BOX,
               Atspi.Role.RADIO_BUTTON, Atspi.Role.TOGGLE_BUTTON, Atspi.Role.SCROLL_BAR,
               Atspi.Role.TABLE}
CONTAINERS = {Atspi.Role.PANEL, Atspi.Role.FILLER, Atspi.Role.FRAME, Atspi.Role.DIALOG}
# The tab strip's own scroll buttons, which Qt names and describes itself.
QT_OWN = {"Scroll Left", "Scroll Right"}


def find_app(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            return app
    return None


def value_of(o):
    # Called through the interfaces, which both binding versions take.
    if o.get_value_iface() is not None:
        n = Atspi.Value.get_current_value(o)
        return str(int(n)) if n == int(n) else str(n)
    if o.get_text_iface() is not None:
        return Atspi.Text.get_text(o, 0, -1)
    return ""


def walk(o, panels, rows):
    role, name = o.get_role(), o.get_name() or ""
    rows.append((role, name, value_of(o), o.get_description() or "", list(panels)))
    inner = panels + [name] if role in CONTAINERS and name else panels
    if role == Atspi.Role.COMBO_BOX:
        return  # its list holds the entries, which are values
    for i in range(o.get_child_count()):
        child = o.get_child_at_index(i)
        if child is not None:
            walk(child, inner, rows)


def main():
    args = sys.argv[1:]
    until = None
    if args[0] == "--until":
        until = tuple(args[1].split("=", 1))
        args = args[2:]
    app_name, title, required = args[0], args[1], args[2:]
    windows = []
    for _ in range(200):
        app = find_app(app_name)
        if app is not None:
            windows = [w for w in (app.get_child_at_index(i) for i in range(app.get_child_count()))
                       if w is not None and (w.get_name() or "").startswith(title)]
        if windows:
            break
        time.sleep(0.05)
    if not windows:
        print(f"no window {title!r} of {app_name!r} on the accessibility bus")
        return 1
    rows = []
    for _ in range(400):
        rows = []
        for w in windows:
            walk(w, [], rows)
        if until is None or any((name, value) == until for _, name, value, _, _ in rows):
            break
        time.sleep(0.05)
    else:
        print(f"no control {until[0]!r} read {until[1]!r}")
        return 1
    faults = []
    for role, name, value, desc, panels in rows:
        if role not in INTERACTIVE and not (role == Atspi.Role.TEXT and name):
            continue
        role = Atspi.role_get_name(role)
        print(f"{role} | {name} | {value} | {desc[:70]}")
        if not name.strip():
            faults.append(f"a {role} without a name (value {value!r})")
        elif value and name == value and role != "page tab":
            faults.append(f"the {role} {name!r} is named by its value")
        elif name in panels:
            faults.append(f"the {role} {name!r} bears its panel's name")
        elif not desc.strip() and name not in QT_OWN:
            faults.append(f"the {role} {name!r} has no description")
    names = {name for _, name, _, _, _ in rows}
    faults += [f"no control named {n!r}" for n in required if n not in names]
    for f in faults:
        print("FAULT: " + f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
