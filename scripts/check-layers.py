#!/usr/bin/env python3
"""Fails when a folder includes a header of a folder above it.

The folders are layers; each may include only itself and the folders below:
resources, common < imaging, store < objects < text < lines < documents < view
< libraries, ole < frame. Folders on one rank may not include each other.
--summary adds the count per pair of folders. --symbols BUILD_DIR also reads
the built folder libraries and fails when one needs a symbol that only a
library of a folder above it (or beside it) defines.
"""
import os
import re
import subprocess
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


NM = "x86_64-w64-mingw32-nm"
# "lib.a:object.obj: 0000000000000000 T name" or "lib.a:object.obj:          U name"
NM_LINE = re.compile(r"^[^:]*:([^:]*):\s*(?:[0-9a-fA-F]+)?\s+(\S)\s+(.*)$")


def upward_symbols(build):
    defined = {}
    needed = []
    for folder in RANK:
        library = os.path.join(build, folder, f"libtessary_{folder}.a")
        if not os.path.exists(library):
            continue
        listing = subprocess.run([NM, "-A", library], capture_output=True, text=True, check=True).stdout
        for line in listing.splitlines():
            match = NM_LINE.match(line)
            if not match:
                continue
            obj, kind, name = match.groups()
            if kind == "U":
                needed.append((folder, obj, name))
            elif kind.isupper() and kind not in "WV":
                defined.setdefault(name, set()).add(folder)
    found = set()
    for folder, obj, name in needed:
        owners = defined.get(name, set())
        if owners and folder not in owners and not any(RANK[owner] < RANK[folder] for owner in owners):
            found.add((folder, obj, name, ",".join(sorted(owners))))
    return sorted(found)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    found = upward_includes(root)
    for path, number, target in found:
        print(f"{path}:{number}: includes {target}/, which is not below it")
    symbols = []
    if "--symbols" in sys.argv:
        build = sys.argv[sys.argv.index("--symbols") + 1]
        symbols = upward_symbols(build)
        for folder, obj, name, owners in symbols:
            demangled = subprocess.run(["x86_64-w64-mingw32-c++filt", name], capture_output=True,
                                       text=True).stdout.strip() or name
            print(f"{folder}/{obj}: needs {demangled}, defined only in {owners}/")
    if "--summary" in sys.argv:
        pairs = {}
        for path, _, target in found:
            key = (path.split("/")[0], target)
            pairs[key] = pairs.get(key, 0) + 1
        for (source, target), count in sorted(pairs.items()):
            print(f"{source} -> {target}: {count}")
    print(f"{len(found)} upward includes")
    if "--symbols" in sys.argv:
        print(f"{len(symbols)} upward symbols")
    return 1 if found or symbols else 0


if __name__ == "__main__":
    sys.exit(main())
