#!/usr/bin/env python3
"""Keeps every #include pointing down the program's layers.

    astro <- catalog <- view <- app/session <- (app/output, app/zones)
          <- app/window (the shell) <- capability folders <- app/desktop
    app/cli and web/ stand beside the desktop: they ask the session (and,
    for the command line, output and zones) and nothing else.

Each folder may include the folders its rule names and its own; a file
whose name says it needs no Qt (no _widgets, _gui or _qtcore in its name,
and every file of the core) may include no Qt header. Prints one line per
include that breaks a rule, naming the file, the line and the include,
and exits 1; exits 0 when every include keeps its layer.

Usage: check_layers.py [ROOT]   (the repository's root; default: this one)
"""
import os
import re
import sys

CORE = ["astro", "catalog", "view"]
SHELL_BELOW = CORE + ["app/session", "app/output", "app/zones"]
CAPABILITIES = ["app/almanac", "app/chart", "app/eclipse", "app/film", "app/freeview", "app/planisphere", "app/pointing",
                "app/tonight", "app/lessons"]

# folder -> the folders its files may include (besides its own).
ALLOWED = {
    "astro": [],
    "catalog": ["astro"],
    "view": ["astro", "catalog"],
    "app/session": CORE,
    "app/output": CORE + ["app/session"],
    "app/zones": CORE + ["app/session"],
    "app/window": SHELL_BELOW,
    **{c: SHELL_BELOW + ["app/window"] for c in CAPABILITIES},
    "app/desktop": SHELL_BELOW + ["app/window"] + CAPABILITIES,
    "app/cli": SHELL_BELOW,
    "app": SHELL_BELOW + ["app/cli", "app/desktop"],  # app/main.cpp, the program's entry
    "web": CORE + ["app/session"],
}

# Folders whose files never use Qt, whatever their names.
QT_FREE = CORE + ["web"]
QT_NAME = re.compile(r"_(widgets|gui|qtcore)\.(h|cpp)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE = re.compile(r"\.(h|hpp|cpp|cc)$")


def folder_of(path):
    """The rule's folder of a project file or include path, or None."""
    parts = path.split("/")
    if parts[0] == "app":
        return "app/" + parts[1] if len(parts) > 2 else "app"
    return parts[0] if parts[0] in ALLOWED else None


def check(root):
    problems = []
    for top in ["astro", "catalog", "view", "app", "web"]:
        for dirpath, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if not SOURCE.search(name):
                    continue
                full = os.path.join(dirpath, name)
                rel = os.path.relpath(full, root).replace(os.sep, "/")
                here = folder_of(rel)
                if here is None:
                    problems.append(f"{rel}: folder has no layer rule in tools/layers/check_layers.py")
                    continue
                allowed = set(ALLOWED[here]) | {here}
                qt_free = here in QT_FREE or not QT_NAME.search(name)
                with open(full, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        kind, target = m.groups()
                        if kind == "<":
                            if qt_free and re.match(r"Q[A-Za-z]", target.split("/")[-1]):
                                problems.append(f"{rel}:{number}: #include <{target}>: Qt in a file that must "
                                                "not need it (name it _widgets, _gui or _qtcore, or keep Qt out)")
                            continue
                        there = folder_of(target)
                        if there is None or there in allowed:
                            continue
                        problems.append(f'{rel}:{number}: #include "{target}": {here} may not include {there} '
                                        f"(it may include: {', '.join(sorted(allowed))})")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    problems = check(root)
    for p in problems:
        print(p)
    if problems:
        print(f"layers: {len(problems)} include(s) break the layers")
        return 1
    print("layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
