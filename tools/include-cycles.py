#!/usr/bin/env python3
"""Prints the include cycles among the program's own files, unit by unit.

A unit is a header with its .cpp (contacts/ContactList.h and .cpp are one
unit); unit A depends on unit B when A's header or source includes B's
header.  Tests, benchmarks and fuzz targets are left out.  Every cycle found
is printed as a strongly connected group of units; the exit code is 1 when
there is one.  With --layers it also prints includes that go against the
order core, framework, subsystems, app.

The portable core is not a folder: its units are those whose sources build
the library telvara_core in CMakeLists.txt, together with the headers
without a source of their own that they include.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["app", "contacts", "dialing", "output", "ui", "framework", "resources"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
CORE_SOURCES = re.compile(r"\b(?:add_library|target_sources)\(\s*telvara_core\b([^)]*)\)")


def units():
    found = {}
    for folder in FOLDERS:
        base = os.path.join(ROOT, folder)
        if not os.path.isdir(base):
            continue
        for name in sorted(os.listdir(base)):
            stem, ext = os.path.splitext(name)
            if ext in (".h", ".cpp"):
                found.setdefault(f"{folder}/{stem}", []).append(os.path.join(base, name))
    return found


def resolve(include, source, known):
    for candidate in (include, os.path.join(os.path.dirname(source), include)):
        rel = os.path.relpath(os.path.normpath(os.path.join(ROOT, candidate)), ROOT)
        stem = os.path.splitext(rel)[0]
        if stem in known:
            return stem
    return None


def graph():
    found = units()
    edges = {u: set() for u in found}
    for unit, files in found.items():
        for path in files:
            rel = os.path.relpath(path, ROOT)
            with open(path, encoding="latin-1") as f:
                for include in INCLUDE.findall(f.read()):
                    target = resolve(include, rel, found)
                    if target and target != unit:
                        edges[unit].add(target)
    return edges


def cycles(edges):
    # Tarjan's strongly connected components.
    index, low, stack, on, out = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in sorted(edges[v]):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                out.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in sorted(edges):
        if v not in index:
            visit(v)
    return out


def core_units(edges, found):
    """The units of telvara_core's sources (every platform's), and the
    source-less headers they reach."""
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        listed = CORE_SOURCES.findall(f.read())
    core = {os.path.splitext(name)[0] for block in listed for name in block.split() if name.endswith(".cpp")}
    if not core:
        sys.exit("include-cycles: no sources of telvara_core found in CMakeLists.txt")
    todo = sorted(core & set(edges))
    while todo:
        for target in edges[todo.pop()]:
            if target not in core and not any(p.endswith(".cpp") for p in found[target]):
                core.add(target)
                todo.append(target)
    return core


def layer(unit, core):
    if unit in core:
        return 0
    folder = unit.split("/")[0]
    if folder == "app":
        return 3
    if folder == "framework":
        return 1
    if folder == "resources":
        return 0
    return 2


def main():
    found_units = units()
    edges = graph()
    found = cycles(edges)
    for group in found:
        print("cycle: " + " -> ".join(group))
    bad = 0
    if "--layers" in sys.argv:
        core = core_units(edges, found_units)
        for unit in sorted(edges):
            for target in sorted(edges[unit]):
                if layer(target, core) > layer(unit, core):
                    print(f"upward: {unit} includes {target}")
                    bad += 1
    if not found and not bad:
        print(f"no include cycles among {len(edges)} units")
    return 1 if found or bad else 0


if __name__ == "__main__":
    sys.exit(main())
