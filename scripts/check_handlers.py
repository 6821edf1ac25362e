#!/usr/bin/env python3
"""Every handler a form declares (Control_Event) is named on its control's
layout line, so none is silently left unwired: `Image6_Click` with no Image6,
or one that no line names, fails here."""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent
handler = re.compile(r"\bvoid (\w+)_(Click|MouseMove|Timer)\(\);")
control = re.compile(r"^\s*rt::\w+ (\w+)\{(.*)\};$", re.M)
failed = False
for folder in ("about", "nebulor", "quorrel"):
    headers = sorted((root / folder).glob("*.h"))
    lines = {}  # control name: its layout lines (about's layouts share one form's handlers)
    for header in headers:
        for name, rest in control.findall(header.read_text()):
            lines.setdefault(name, []).append(rest)
    for header in headers:
        for name, event in handler.findall(header.read_text()):
            if name == "Form":
                continue
            wired = f"::{name}_{event}"
            if not any(wired in line for line in lines.get(name, [])):
                print(f"{header.relative_to(root)}: {name}_{event} is wired to no {name}")
                failed = True
sys.exit(1 if failed else 0)
