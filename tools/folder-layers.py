#!/usr/bin/env python3
"""Checks that the program's folders include one another one way only: each folder includes
only folders on layers below its own, from the bottom platform, rules, bots and render, screens,
app. Prints every include that breaks the rule, and exits with status 1 when there is one.
Usage: python3 tools/folder-layers.py [repository]   (default: the one this script is in)
"""
import pathlib
import re
import sys

LAYERS = {"platform": 0, "rules": 1, "bots": 2, "render": 2, "screens": 3, "app": 4}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/')  # "folder/file.h"; <...> is not the program's


def broken_includes(root):
    """Each include of the program that is not of a folder below the including one."""
    for folder, layer in LAYERS.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match or match.group(1) == folder:
                    continue
                included = match.group(1)
                if included not in LAYERS:
                    yield f"{path.relative_to(root)}:{number}: {included}/ is on no layer"
                elif LAYERS[included] >= layer:
                    yield f"{path.relative_to(root)}:{number}: {folder}/ includes {included}/, which is not below it"


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[1]
    broken = list(broken_includes(root))
    for message in broken:
        print(message)
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
