#!/usr/bin/env python3
"""Whether two builds draw the show the same: screenshots at three moments
of each section (24 in all), the whole show played at 4 frames per second,
loading everything first and loading during the show, compared byte for
byte. A change made for speed keeps the picture: run this with the build
before the change as --reference. With --show FILE the program plays that
show file instead of its built-in show (the reference may be the same
program): the written built-in show must draw the built-in show's bytes.

Exit code 0 when every pair is the same bytes, 1 otherwise (the differing
pictures are kept in --keep, or said).
"""

import argparse
import filecmp
import shutil
import tempfile
from pathlib import Path

from show_runs import REPOSITORY, SHOW_END, BenchError, check_program, main_of, read_sections, run_measured

FPS = 4


def moments():
    """Three moments of each section on the 4-per-second grid: just after
    its start, its middle, just before its end."""
    sections = read_sections()
    ends = [start for _, start in sections[1:]] + [SHOW_END]
    chosen = []
    for (_, start), end in zip(sections, ends):
        for moment in (start + 0.5, (start + end) / 2, end - 0.5):
            chosen.append(round(moment * FPS) / FPS)
    return chosen


def screenshots(program, mode, folder, data, show=None):
    folder.mkdir(parents=True, exist_ok=True)
    command = [str(program), "--headless", mode, "--fps", str(FPS), "--until", f"{SHOW_END:g}"]
    if show is not None:
        command += ["--show", str(show)]
    for moment in moments():
        command += ["--screenshot", f"{moment:g}={folder / f'{moment:08.2f}.png'}"]
    run_measured(command, f"{program} {mode}", data)
    return sorted(folder.glob("*.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", type=Path, default=REPOSITORY / "build" / "skyward")
    parser.add_argument("--reference", type=Path, required=True)
    parser.add_argument("--data", type=Path, default=REPOSITORY, help="the folder that holds demo/")
    parser.add_argument("--modes", default="--preload,--stream")
    parser.add_argument("--keep", type=Path, help="a folder for the pictures that differ")
    parser.add_argument("--show", type=Path, help="a show file the program plays instead of its built-in show")
    args = parser.parse_args()
    for program in (args.program, args.reference):
        check_program(program.resolve(), args.data.resolve())
    differing = 0
    with tempfile.TemporaryDirectory(prefix="skyward-same-pictures-") as folder:
        for mode in args.modes.split(","):
            show = args.show.resolve() if args.show else None
            shots = {side: screenshots(program.resolve(), mode, Path(folder) / side / mode[2:], args.data.resolve(),
                                       show if side == "program" else None)
                     for side, program in (("program", args.program), ("reference", args.reference))}
            if len(shots["program"]) != len(moments()) or len(shots["reference"]) != len(moments()):
                raise BenchError(f"{mode}: {len(shots['program'])} and {len(shots['reference'])} screenshots, "
                                 f"expected {len(moments())} each")
            for mine, theirs in zip(shots["program"], shots["reference"]):
                if filecmp.cmp(mine, theirs, shallow=False):
                    continue
                differing += 1
                print(f"{mode[2:]} {mine.stem} s: the pictures differ")
                if args.keep:
                    args.keep.mkdir(parents=True, exist_ok=True)
                    shutil.copy(mine, args.keep / f"{mode[2:]}-{mine.stem}-program.png")
                    shutil.copy(theirs, args.keep / f"{mode[2:]}-{mine.stem}-reference.png")
    total = len(moments()) * len(args.modes.split(","))
    print(f"{total - differing} of {total} pictures the same bytes")
    if differing:
        raise SystemExit(1)


if __name__ == "__main__":
    main_of("same_pictures", main)
