#!/usr/bin/env python3
"""The committed pictures (icons, donation picture, cursor) are exactly what make_pictures.py draws
today.

    check_generated.py RESOURCES_FOLDER WORK_FOLDER
"""

import shutil
import subprocess
import sys
from pathlib import Path

PICTURE_KINDS = ("*.ico", "*.gif", "*.cur")


def main(resources, work):
    out = work / "pictures"
    shutil.rmtree(out, ignore_errors=True)
    generator = resources / "make_pictures.py"
    subprocess.run([sys.executable, "-B", str(generator), str(out)], check=True)
    drawn = {p.name for p in out.iterdir()}
    committed = {p.name for kind in PICTURE_KINDS for p in resources.glob(kind)}
    problems = [f"{name}: drawn but not committed" for name in sorted(drawn - committed)]
    problems += [f"{name}: committed but no longer drawn" for name in sorted(committed - drawn)]
    problems += [
        f"{name}: differs from what the generator draws"
        for name in sorted(drawn & committed)
        if (out / name).read_bytes() != (resources / name).read_bytes()
    ]
    if not drawn:
        problems.append("the generator wrote no picture")
    for problem in problems:
        print(problem)
    if problems:
        print("Run make_pictures.py and commit its output.")
        return 1
    print(f"{len(drawn)} pictures match their generator")
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]), Path(sys.argv[2])))
