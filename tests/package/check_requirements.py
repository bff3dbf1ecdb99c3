#!/usr/bin/env python3
"""Checks the Python requirement files installed beside the programs.

All four must be there and read, line by line, as pip reads them: pinned
requirements ("name==version", an optional environment marker after ";"),
comments and blank lines. No package may be pinned twice for one Python the
installer fills from the file, a package pinned per interpreter needs a pin
for each, and no line may serve none of them.

usage: check_requirements.py REQUIREMENTS_DIR
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


def main(arguments):
    if len(arguments) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    check_requirements(Path(arguments[0]))
    for text in problems:
        print("FAIL:", text, file=sys.stderr)
    if problems:
        return 1
    print("Requirement files checked")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
