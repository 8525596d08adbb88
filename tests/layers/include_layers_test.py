"""Fails when a source file includes a header of its own layer's rank or above.

Usage: include_layers_test.py SOURCE_DIR LAYER=RANK...  (the ranks of cmake/Layers.cmake)

A file in folder L may include headers of L itself and of layers of a lower rank.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'\s*#\s*include\s*"([^/"]+)/')


def main():
    root = pathlib.Path(sys.argv[1])
    ranks = {layer: int(rank) for layer, rank in (entry.split("=") for entry in sys.argv[2:])}
    faults = []
    for layer in ranks:
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match or match.group(1) not in ranks or match.group(1) == layer:
                    continue
                used = match.group(1)
                if ranks[used] < ranks[layer]:
                    continue
                faults.append(f"{path.relative_to(root)}:{number}: {layer} (rank {ranks[layer]}) "
                              f"includes {used}/ (rank {ranks[used]}): {line.strip()}")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) run up the layers; see cmake/Layers.cmake")
        return 1
    print(f"every include of {', '.join(ranks)} points down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
