# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads what the timer shows through the accessibility tree, as a screen reader would.

Prints one line per top-level window of the running program: its role, then its name (for the
timer window: the time left in words), then the texts of its labels and, as "text:NAME", the
accessible names of its text boxes.
"""
import sys

import pyatspi


def texts(node, depth=0):
    found = []
    if depth > 6:
        return found
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        showing = child.getState().contains(pyatspi.STATE_SHOWING)
        if child.getRoleName() == "label" and showing:
            found.append(child.name)
        elif child.getRoleName() == "text" and showing:
            found.append("text:" + child.name)
        found.extend(texts(child, depth + 1))
    return found


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or app.name != sys.argv[1]:
            continue
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is None or not window.getState().contains(pyatspi.STATE_SHOWING):
                continue
            print("|".join([window.getRoleName(), window.name] + texts(window)))


main()
