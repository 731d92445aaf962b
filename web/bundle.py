#!/usr/bin/env python3
"""Bundles the browser edition into one HTML file.

bundle.py WEB_SOURCE_DIR CORE_JS OUTPUT_HTML: index.html with style.css, the
core module (the WebAssembly inlined in it by emscripten's SINGLE_FILE) and
the page's scripts (furigana.js, keep.js, app.js) written into it, so that the page needs no other file and no network.
The page's version, the first 16 hex digits of its SHA-256, goes into the
page (meta planetarium-version) and into the service worker written beside
it (sw.js), so that every new build is a new worker.
"""
import hashlib
import pathlib
import sys


# The page's own scripts, in order: furigana.js defines what app.js uses.
APP_SCRIPTS = ("furigana.js", "keep.js", "app.js")


def script(text: str) -> str:
    # Nothing inside a script element may close it.
    return "<script>\n" + text.replace("</script", "<\\/script") + "\n</script>"


def main() -> int:
    source, core, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    page = (source / "index.html").read_text(encoding="utf-8")
    parts = {
        "<!-- STYLE -->": "<style>\n" + (source / "style.css").read_text(encoding="utf-8") + "\n</style>",
        "<!-- CORE -->": script(core.read_text(encoding="utf-8")),
        "<!-- APP -->": script("\n".join((source / name).read_text(encoding="utf-8") for name in APP_SCRIPTS)),
    }
    for marker, text in parts.items():
        if page.count(marker) != 1:
            print(f"bundle.py: {marker} must appear once in index.html", file=sys.stderr)
            return 1
        page = page.replace(marker, text)
    version = hashlib.sha256(page.encode("utf-8")).hexdigest()[:16]
    marker = "<!-- VERSION -->"
    if page.count(marker) != 1:
        print(f"bundle.py: {marker} must appear once in index.html", file=sys.stderr)
        return 1
    page = page.replace(marker, f'<meta name="planetarium-version" content="{version}">')
    worker = (source / "sw.js").read_text(encoding="utf-8")
    if worker.count("__VERSION__") != 1:
        print("bundle.py: __VERSION__ must appear once in sw.js", file=sys.stderr)
        return 1
    for path, text in ((output, page), (output.parent / "sw.js", worker.replace("__VERSION__", version))):
        tmp = path.with_suffix(".tmp")
        tmp.write_text(text, encoding="utf-8")
        tmp.replace(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
