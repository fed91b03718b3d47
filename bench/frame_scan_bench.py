#!/usr/bin/env python3
"""Every frame of the whole show, timed: the frames that take longest
against their section's median.

The whole show is played headless at each frame rate asked for (10 and 60
frames per second by default), every frame finished before its swap
(--frame-times). For each section the median frame time is found; the
frames furthest above their section's median are listed, and a frame more
than --limit times its section's median is marked (the target is none).
The driver's shader cache is on, as a viewer's is, and filled first by a
pass at one frame per second (unless --cold): a section's first frame then
finds the shaders of what first appears compiled. Without it the section's
first frame compiles them; it is left out of the marks either way (and
listed if it is among the worst).
"""

import argparse
import statistics
import tempfile
from collections import defaultdict
from pathlib import Path

from show_runs import (REPOSITORY, SHOW_END, BenchError, check_program, main_of, read_sections, read_timed_frames,
                       run_measured, section_of, show_command)


def scan(args, fps, scratch):
    """(show time, wall ms, section number) of every frame."""
    times_file = scratch / f"frames-{fps}.txt"
    command = show_command(args.program, args.mode, 0.0, SHOW_END, fps, times_file)
    run_measured(command, f"whole show at {fps} frames/s", args.data, shader_cache=True)
    sections = read_sections()
    frames = [(time, processor if args.processor else wall, section_of(time, sections))
              for time, wall, processor in read_timed_frames(times_file)]
    if not frames:
        raise BenchError(f"the whole show at {fps} frames/s showed no frame")
    return frames


def report(frames, fps, args):
    by_section = defaultdict(list)
    for time, wall, section in frames:
        by_section[section].append((time, wall))
    medians = {section: statistics.median(wall for _, wall in rows) for section, rows in by_section.items()}
    firsts = {rows[0][0] for rows in by_section.values()}
    marked = [(time, wall, section) for time, wall, section in frames
              if wall > args.limit * medians[section] and time not in firsts]
    print(f"At {fps} frames/s: {len(frames)} frames; median ms by section: "
          + ", ".join(f"{section} {medians[section]:.1f}" for section in sorted(medians)))
    worst = sorted(frames, key=lambda frame: frame[1] / medians[frame[2]], reverse=True)[:args.worst]
    for time, wall, section in worst:
        ratio = wall / medians[section]
        note = " (the section's first frame)" if time in firsts else (" *" if ratio > args.limit else "")
        print(f"  {time:>9.4f} s  section {section}  {wall:>9.1f} ms  {ratio:>6.2f}x its median{note}")
    print(f"  frames over {args.limit:g}x their section's median: {len(marked)}", flush=True)


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", type=Path, default=REPOSITORY / "build" / "skyward")
    parser.add_argument("--data", type=Path, default=REPOSITORY, help="the folder that holds demo/")
    parser.add_argument("--fps", type=lambda text: [int(n) for n in text.split(",")], default=[10, 60],
                        help="comma-separated frame rates (default: 10,60)")
    parser.add_argument("--mode", choices=("--preload", "--stream"), default="--preload")
    parser.add_argument("--worst", type=int, default=8, help="frames listed per rate")
    parser.add_argument("--limit", type=float, default=3.0, help="the most a frame may take, times its median")
    parser.add_argument("--cold", action="store_true", help="no pass to fill the driver's shader cache first")
    parser.add_argument("--processor", action="store_true",
                        help="the processor time of each frame (all threads), not its wall time: on a busy machine")
    args = parser.parse_args()
    args.program = args.program.resolve()
    args.data = args.data.resolve()
    if min(args.fps) < 1 or args.worst < 1 or args.limit <= 1:
        parser.error("--fps and --worst must be positive, --limit above 1")
    return args


def main():
    args = parse_arguments()
    check_program(args.program, args.data)
    clock = "processor time" if args.processor else "wall time"
    print(f"Frame scan of the whole show (0 to {SHOW_END:g} s, {args.mode[2:]}, {clock}), every frame finished: the worst "
          f"frames against their section's median (target: none over {args.limit:g}x, * when over)")
    with tempfile.TemporaryDirectory(prefix="skyward-frame-scan-") as folder:
        if not args.cold:
            scan(args, 1, Path(folder))
        for fps in args.fps:
            report(scan(args, fps, Path(folder)), fps, args)


if __name__ == "__main__":
    main_of("frame_scan_bench", main)
