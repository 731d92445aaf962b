#!/usr/bin/env python3
"""The layer check passes on this tree and fails, naming the file and the
include, on a tree with an upward include or Qt in a Qt-free file planted."""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "check_layers.py")
ROOT = os.path.join(HERE, "..", "..")


def run(root):
    r = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
    return r.returncode, r.stdout


def main():
    failures = []
    status, out = run(ROOT)
    if status != 0:
        failures.append("the tree itself breaks the layers:\n" + out)
    with tempfile.TemporaryDirectory() as tree:
        planted = {
            "app/session/answers.h": '#include "app/window/main_window_widgets.h"\n',
            "app/window/shell_widgets.cpp": '#include "app/pointing/find_dialog_widgets.h"\n',
            "web/web_main.cpp": '#include "app/cli/cli_args.h"\n',
            "view/sky_view.cpp": "#include <QPainter>\n",
            "app/window/fine_widgets.cpp": '#include <QWidget>\n#include "app/session/answers.h"\n',
        }
        for path, text in planted.items():
            os.makedirs(os.path.join(tree, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(tree, path), "w") as f:
                f.write(text)
        status, out = run(tree)
        expected = [
            'app/session/answers.h:1: #include "app/window/main_window_widgets.h": app/session may not include app/window',
            'app/window/shell_widgets.cpp:1: #include "app/pointing/find_dialog_widgets.h"',
            'web/web_main.cpp:1: #include "app/cli/cli_args.h": web may not include app/cli',
            "view/sky_view.cpp:1: #include <QPainter>: Qt in a file that must not need it",
        ]
        if status != 1:
            failures.append(f"planted includes: exit status {status}, not 1")
        for e in expected:
            if e not in out:
                failures.append(f"planted includes: no line naming {e!r} in:\n{out}")
        if "fine_widgets.cpp" in out:
            failures.append("a widgets file that includes Qt and the session was refused:\n" + out)
    for f in failures:
        print(f)
    checks = 2 + len(expected) + 1  # the tree, the exit status, each planted line, the allowed file
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
