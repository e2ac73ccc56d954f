#!/usr/bin/env python3
"""Fails when a source file under src/ includes a header from a folder above
its own, when one front end includes the other, or when a folder below the
front ends includes a Qt header. Names each file and include it objects to.

    python3 tools/check-includes.py [src directory]
"""
import pathlib
import re
import sys

# Lowest first: a folder may include its own headers and those of the folders before it.
CHAIN = ["util", "system", "settings", "engine", "audio", "clock"]
FRONT_ENDS = ["qt", "win32"]
RANK = {folder: rank for rank, folder in enumerate(CHAIN)}
RANK.update({front_end: len(CHAIN) for front_end in FRONT_ENDS})
RANK["app"] = len(CHAIN) + 1

LOCAL_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]*"')
QT_INCLUDE = re.compile(r"^\s*#\s*include\s*<Q")


def Objections(source_root):
    for path in sorted(source_root.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".c") or not path.is_file():
            continue
        folder = path.relative_to(source_root).parts[0]
        if folder not in RANK:
            yield f"{path}: folder '{folder}' is not in the layout"
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            where = f"{path}:{number}: {line.strip()}"
            match = LOCAL_INCLUDE.match(line)
            if match:
                target = match.group(1)
                if target not in RANK:
                    yield f"{where}: includes from '{target}', which is not in the layout"
                elif folder in FRONT_ENDS and target in FRONT_ENDS and target != folder:
                    yield f"{where}: one front end includes the other"
                elif RANK[target] > RANK[folder]:
                    yield f"{where}: '{folder}' includes from '{target}', a folder above it"
            if RANK[folder] < len(CHAIN) and QT_INCLUDE.match(line):
                yield f"{where}: a Qt header below the front ends"


def main():
    source_root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    objections = list(Objections(source_root))
    for objection in objections:
        print(objection)
    return 1 if objections else 0


if __name__ == "__main__":
    sys.exit(main())
