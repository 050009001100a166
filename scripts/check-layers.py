#!/usr/bin/env python3
"""Fails when a folder includes a header of a folder above it.

The folders are layers; each may include only itself and the folders below:
resources, common < imaging, store < objects < text < lines < documents < view
< libraries, ole < frame. Folders on one rank may not include each other.
--summary adds the count per pair of folders.
"""
import os
import re
import sys

# The resource ids are data every folder may use, common included.
RANKS = [["resources"], ["common"], ["imaging", "store"], ["objects"], ["text"], ["lines"],
         ["documents"], ["view"], ["libraries", "ole"], ["frame"]]
RANK = {folder: rank for rank, folders in enumerate(RANKS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/')


def upward_includes(root):
    found = []
    for folder in RANK:
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp", ".c", ".rc")):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match or match.group(1) not in RANK:
                            continue
                        target = match.group(1)
                        if target != folder and RANK[target] >= RANK[folder]:
                            found.append((os.path.relpath(path, root), number, target))
    return found


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    found = upward_includes(root)
    for path, number, target in found:
        print(f"{path}:{number}: includes {target}/, which is not below it")
    if "--summary" in sys.argv:
        pairs = {}
        for path, _, target in found:
            key = (path.split("/")[0], target)
            pairs[key] = pairs.get(key, 0) + 1
        for (source, target), count in sorted(pairs.items()):
            print(f"{source} -> {target}: {count}")
    print(f"{len(found)} upward includes")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
