#!/usr/bin/env python3
"""Keeps the folders of a source tree layered.

Reads every `#include "dir/File.h"` line under the given folder (src/) and
fails, naming the file and line, where
  - an include closes a cycle between folders (each folder, a `ui/` folder
    too, is one node),
  - a file outside the composition root includes a window header of another
    family (a header in some other `ui/` folder), or
  - a file outside the composition root includes one of its headers.

usage: layers.py SRC_FOLDER
"""

import re
import sys
from collections import defaultdict
from pathlib import Path

# The one folder that knows every window family.
COMPOSITION_ROOT = "app"
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+/[^"/]+)"')


def read_includes(src):
    """Yields (folder, place, included path, included folder) per include."""
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.parent.relative_to(src).as_posix()
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if match:
                included = match.group(1)
                place = f"{path.relative_to(src.parent).as_posix()}:{number}"
                yield folder, place, included, included.rsplit("/", 1)[0]


def is_window_folder(folder):
    return folder == "ui" or folder.endswith("/ui")


def find_cycle(edges):
    """One cycle of the folder graph as a list of nodes, or None."""
    state = {}

    def visit(node, trail):
        state[node] = "open"
        trail.append(node)
        for target in sorted(edges[node]):
            if state.get(target) == "open":
                return trail[trail.index(target):] + [target]
            if target not in state:
                cycle = visit(target, trail)
                if cycle:
                    return cycle
        state[node] = "done"
        trail.pop()
        return None

    for node in sorted(edges):
        if node not in state:
            cycle = visit(node, [])
            if cycle:
                return cycle
    return None


def check(src):
    problems = []
    edges = defaultdict(lambda: defaultdict(list))  # folder -> folder -> places
    for folder, place, included, target in read_includes(src):
        if target == folder:
            continue
        outside_root = folder != COMPOSITION_ROOT
        if outside_root and target == COMPOSITION_ROOT:
            # Said once here rather than again as the cycle it closes.
            problems.append(f'{place}: #include "{included}" reaches up into the composition '
                            f"root; only main() and the tests include it")
            continue
        if outside_root and is_window_folder(target):
            problems.append(f'{place}: #include "{included}" is a window of another family; '
                            f"reach it through WindowHost")
        edges[folder][target].append(f'{place}: #include "{included}"')

    # Each round breaks one cycle at its edge with the fewest includes: that
    # is the include that went the wrong way, the others carry the layering.
    while (cycle := find_cycle(edges)) is not None:
        steps = list(zip(cycle, cycle[1:]))
        source, target = min(steps, key=lambda step: len(edges[step[0]][step[1]]))
        for include in edges[source].pop(target):
            problems.append(f"{include} closes the folder cycle {' -> '.join(cycle)}")
    return problems


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    problems = check(Path(argv[1]).resolve())
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
