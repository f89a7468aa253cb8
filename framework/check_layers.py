#!/usr/bin/env python3
"""Checks that the framework's folders use one another one way only.

The order of the layers is written once, in framework/CMakeLists.txt: the foreach that adds the
folders, lowest first. Every source of a folder (its tests/ excepted) may include headers of its
own folder and of the folders before it, never of a folder after it or of a folder the list does
not name. Prints each include that breaks this and exits 1; exits 0 when there is none.

Usage: check_layers.py FRAMEWORK_FOLDER
"""
import pathlib
import re
import sys

FOREACH = re.compile(r'^foreach\(dir ([\w ]+)\)', re.M)
INCLUDE = re.compile(r'^\s*#\s*include\s*"framework/(\w+)/[^"]+"', re.M)
SOURCES = ('.h', '.cpp', '.c', '.rc')


def layer_order(framework):
    """The folders in the order framework/CMakeLists.txt adds them, lowest first."""
    found = FOREACH.search((framework / 'CMakeLists.txt').read_text(encoding='utf-8'))
    if found is None:
        sys.exit(f'{framework}/CMakeLists.txt: no "foreach(dir ...)" naming the folders')
    return found.group(1).split()


def sources_of(folder):
    """The sources of `folder` and its subfolders, but not those under a tests/ folder."""
    for path in sorted(folder.rglob('*')):
        if path.suffix in SOURCES and 'tests' not in path.relative_to(folder).parts:
            yield path


def breaches(framework, order):
    """Each include of a folder above the including one, or of a folder the order lacks."""
    rank = {name: position for position, name in enumerate(order)}
    for folder in sorted(p for p in framework.iterdir() if p.is_dir()):
        files = list(sources_of(folder))
        if folder.name not in rank:
            if files:
                yield f'{folder.name}/: not in the foreach of framework/CMakeLists.txt'
            continue
        for path in files:
            text = path.read_text(encoding='utf-8', errors='replace')
            for match in INCLUDE.finditer(text):
                used = match.group(1)
                line = text.count('\n', 0, match.start()) + 1
                where = f'{path.relative_to(framework.parent)}:{line}'
                if used not in rank:
                    yield f'{where}: includes {used}/, which is not in the foreach'
                elif rank[used] > rank[folder.name]:
                    yield f'{where}: {folder.name}/ includes {used}/, which sits above it'


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    framework = pathlib.Path(sys.argv[1]).resolve()
    order = layer_order(framework)
    found = list(breaches(framework, order))
    for breach in found:
        print(breach)
    print(f'layers, lowest first: {" ".join(order)}; {len(found)} includes against them')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
