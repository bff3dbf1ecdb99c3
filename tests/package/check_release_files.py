#!/usr/bin/env python3
"""Checks the files installed beside the programs.

The four requirement files must read, line by line, as pip reads them: pinned
requirements ("name==version", an optional environment marker after ";"),
comments and blank lines. Each must give every package exactly one pin in each
Python the installer fills from it. The initial update manifest must read as
well-formed blocks that offer nothing newer than the release it ships with.

usage: check_release_files.py REQUIREMENTS_DIR MANIFEST INSTALL_DIR VERSION
"""

import re
import sys
from pathlib import Path

from packaging.requirements import InvalidRequirement, Requirement
from packaging.utils import canonicalize_name
from packaging.version import InvalidVersion, Version

# The interpreters the installer creates an environment of, per file: Python
# 2.7 for servers 9 and 10, Python 2.7 and 3.5 for server 11 and the
# development branch.
PYTHONS = {
    "reqV9.txt": ["2.7.12"],
    "reqV10.txt": ["2.7.12"],
    "reqV11.txt": ["2.7.12", "3.5.2"],
    "reqVMaster.txt": ["2.7.12", "3.5.2"],
}

# pip drops "#" comments at the start of a line or after white space.
COMMENT = re.compile(r"(^|\s)#.*$")

problems = []


def problem(text):
    problems.append(text)


def requirements_of(path):
    """The requirements of one file; malformed lines are reported."""
    found = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = COMMENT.sub("", raw).strip()
        if not line:
            continue
        where = f"{path.name}:{number}"
        try:
            requirement = Requirement(line)
        except InvalidRequirement as error:
            problem(f"{where}: not a requirement: {raw!r} ({error})")
            continue
        specifiers = list(requirement.specifier)
        if requirement.url or len(specifiers) != 1 or specifiers[0].operator != "==":
            problem(f"{where}: not pinned with a single '==': {raw!r}")
            continue
        try:
            Version(specifiers[0].version)
        except InvalidVersion:
            problem(f"{where}: not a release number: {specifiers[0].version!r}")
            continue
        found.append(requirement)
    return found


def check_requirements(directory):
    for name, pythons in PYTHONS.items():
        path = directory / name
        if not path.is_file():
            problem(f"{name} is missing from {directory}")
            continue
        requirements = requirements_of(path)
        if not requirements:
            problem(f"{name} pins nothing")
        lines_of = {}
        for requirement in requirements:
            lines_of.setdefault(canonicalize_name(requirement.name), []).append(requirement)
        used = set()
        for python in pythons:
            environment = {
                "python_version": ".".join(python.split(".")[:2]),
                "python_full_version": python,
            }
            pinned = set()
            for requirement in requirements:
                if requirement.marker and not requirement.marker.evaluate(environment):
                    continue
                used.add(id(requirement))
                key = canonicalize_name(requirement.name)
                if key in pinned:
                    problem(f"{name}: {requirement.name} pinned twice for Python {python}")
                pinned.add(key)
            # A package pinned per interpreter needs a pin for each; one
            # line with a marker is a package only some interpreters need.
            for key, lines in sorted(lines_of.items()):
                if len(lines) > 1 and key not in pinned:
                    problem(f"{name}: {lines[0].name} has no pin for Python {python}")
        for requirement in requirements:
            if id(requirement) not in used:
                problem(f"{name}: {requirement} serves none of Python {', '.join(pythons)}")


def version_triple(text):
    pieces = text.split(".")
    if len(pieces) != 3 or not all(piece.isdigit() for piece in pieces):
        return None
    return tuple(int(piece) for piece in pieces)


def read_manifest(path, install_dir):
    """The (version, beta) pairs of the manifest's blocks, checking their form."""
    lines = path.read_bytes().decode("latin-1").replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    versions = []
    beta = False
    at = 0
    while at < len(lines):
        outer = lines[at].split("#", 1)[0]
        at += 1
        if "---BETA---" in outer:
            beta = True
            continue
        if "---RELEASE---" in outer:
            beta = False
            continue
        if "---BREAK UPDATE---" in outer or not outer:
            continue
        where = f"{path.name}:{at}"
        number, bar, title = outer.partition("|")
        version = version_triple(number)
        if not bar or version is None or not title.strip():
            problem(f"{where}: not a version line (MAJOR.MINOR.PATCH|Title): {outer!r}")
            return versions
        ends = {"---END FILES---": None, "---END DESCRIPTION---": None}
        for marker in ends:
            while at < len(lines) and marker not in lines[at]:
                if marker == "---END FILES---":
                    check_file_line(f"{path.name}:{at + 1}", lines[at], install_dir)
                at += 1
            if at >= len(lines):
                problem(f"{where}: the block of {number} has no {marker} line")
                return versions
            at += 1
        versions.append((version, beta))
    return versions


def check_file_line(where, line, install_dir):
    source, bar, destination = line.partition("|")
    destination = destination.rpartition("|")[2]
    if not bar or not source:
        problem(f"{where}: not a file line (source|destination): {line!r}")
    elif not destination.startswith(install_dir.rstrip("/") + "/"):
        problem(f"{where}: destination outside the install directory: {destination!r}")


def check_manifest(path, install_dir, release):
    if not path.is_file():
        problem(f"no manifest at {path}")
        return
    running = version_triple(release)
    versions = read_manifest(path, install_dir)
    if not versions:
        problem(f"{path.name} lists no version")
    for version, beta in versions:
        text = ".".join(map(str, version))
        if version > running:
            problem(f"{path.name} offers {text}, newer than the release {release}")
        if beta:
            problem(f"{path.name} lists {text} as a beta version")


def main(arguments):
    if len(arguments) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    requirements, manifest, install_dir, release = arguments
    check_requirements(Path(requirements))
    check_manifest(Path(manifest), install_dir, release)
    for text in problems:
        print("FAIL:", text, file=sys.stderr)
    if problems:
        return 1
    print("Requirement files and manifest checked")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
