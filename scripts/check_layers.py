#!/usr/bin/env python3
"""Holds every compiled file of a layer to the layers below it and to its Qt
modules, from what the compiler actually read (ninja's record of each
object's headers), so that no spelling of an include slips past:
    scripts/check_layers.py BUILD_DIR
The layers come from the build's layers.txt, which CMake writes from the
layer() calls: a layer a line, its target, the folders it may read, then
after a colon its Qt modules."""
import pathlib
import re
import subprocess
import sys

build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
root = pathlib.Path(__file__).resolve().parent.parent
layers = {}
for line in (build / "layers.txt").read_text().splitlines():
    if line.strip():
        names, _, modules = line.partition(":")
        target, *folders = names.split()
        layers[target] = (folders, set(modules.split()))

deps = subprocess.run(["ninja", "-C", str(build), "-t", "deps"], check=True,
                      capture_output=True, text=True).stdout
qt_module = re.compile(r"/qt6/Qt([A-Za-z]+)/")
object_of = re.compile(r"CMakeFiles/(\w+)\.dir/(.*)\.o: #deps")
problems = []
target = source = None
for line in deps.splitlines():
    if match := object_of.search(line):
        target, source = match.groups()
        continue
    if not line.startswith("    ") or target not in layers or ".rcc/" in source:
        continue
    header = pathlib.Path(line.strip()).resolve()
    folders, modules = layers[target]
    if module := qt_module.search(str(header)):
        if module.group(1) not in modules:
            problems.append(f"{target}: {source} reads Qt{module.group(1)}, which its layer may not use")
    elif header.is_relative_to(root) and not header.is_relative_to(build):
        where = header.relative_to(root).as_posix()
        if not any(where.startswith(folder + "/") for folder in folders):
            problems.append(f"{target}: {source} reads {where}, which is not below it")
for problem in sorted(set(problems)):
    print(problem)
if not layers or not deps:
    print("nothing to check: build first")
    sys.exit(1)
sys.exit(1 if problems else 0)
