#!/usr/bin/env python3
"""Frames per second of each section of the show on the software driver,
the program beside a reference build of it, in the same run.

- Sections: for each of the eight, frames per second at 800x600 with every
  frame finished before its swap (--frame-times), over --frames frames from a
  quarter second into the section (show frame 0, which compiles the
  section's first shaders, left out). The program and the reference take
  turns, --repeat runs each; the best run of each counts.
- The whole show's peak resident memory, loading everything first and
  loading scenes during the show, with and without finishing every frame.
- The time from the program's start to its first frame, in both modes: the
  whole run of a show that ends at its first frame, best of --repeat.
- A capture of the show's first --capture-seconds to video, and the same
  frames drawn alone (finished, timed): the wall time of each, and writing's
  frames per second against drawing's.

Without --reference only the program is measured. With --size or --msaa
the program drawing that frame is set beside itself at the default plain
800x600 frame instead (the targets: every section at least 30 frames a
second at --size 1920x1080; a 4x multisampled frame at most twice the
plain frame's time).
"""

import argparse
import tempfile
from pathlib import Path

from show_runs import (add_section_arguments, ENTRY, SHOW_END, BenchError, check_program, main_of, read_frame_times,
                       read_sections, run_measured, show_command)

MODES = ("--preload", "--stream")


class Side:
    """One program under measure, and the options of its frame."""

    def __init__(self, label, program, options=()):
        self.label, self.program, self.options = label, program, list(options)


def section_fps(side, start, args, scratch):
    """Frames per second over show frames 1..frames from `start`."""
    times_file = scratch / f"{side.label}-frames.txt"
    until = start + args.frames / args.fps
    command = show_command(side.program, "--preload", start, until, args.fps, times_file, side.options)
    run_measured(command, f"{side.label} from {start:g} s", args.data)
    times = read_frame_times(times_file)
    if len(times) < args.frames + 1:
        raise BenchError(f"{side.label} from {start:g} s showed {len(times)} frames, fewer than {args.frames + 1}")
    milliseconds = sum(processor if args.processor else wall for wall, processor in times[1:args.frames + 1])
    return args.frames * 1000.0 / milliseconds


def best_of_turns(sides, args, measure, best=max):
    """Each side measured --repeat times, taking turns; the best figure of
    each side."""
    results = {side.label: [] for side in sides}
    for _ in range(args.repeat):
        for side in sides:
            results[side.label].append(measure(side))
    return [best(results[side.label]) for side in sides]


def ratio_text(figures, higher_is_better=True):
    if len(figures) < 2:
        return ""
    ratio = figures[0] / figures[1] if higher_is_better else figures[1] / figures[0]
    return f"{ratio:>8.2f}x"


def report_sections(sides, args, scratch):
    clock = "processor time" if args.processor else "wall time"
    print(f"Frames per second a section ({clock}): {args.frames} frames at {args.fps} frames/s, every frame "
          f"finished, best of {args.repeat}")
    print(f"{'section':<16}{'from s':>8}" + "".join(f"{side.label:>12}" for side in sides)
          + ("       ratio" if len(sides) > 1 else ""))
    for number, (name, start) in enumerate(read_sections(), 1):
        if args.sections and number not in args.sections:
            continue
        entry = start + ENTRY if start > 0 else 0.0
        fps = best_of_turns(sides, args, lambda side: section_fps(side, entry, args, scratch))
        target = 30.0 if args.size else 60.0  # a large frame's target is 30 a second
        budget = f" ({target:g})" if fps[0] >= target else ""
        print(f"{number} {name:<14}{entry:>8.2f}" + "".join(f"{value:>12.1f}" for value in fps)
              + ratio_text(fps) + budget, flush=True)


def report_memory(sides, args, scratch):
    measured = sides if args.reference_memory else sides[:1]
    print(f"Peak resident memory of the whole show, MiB (0 to {SHOW_END:g} s at {args.memory_fps} frames/s):")
    for mode in MODES:
        for finished in (True, False):
            row = f"  {mode:<10}{'frames finished' if finished else 'frames not waited for':<24}"
            for side in measured:
                times = scratch / "memory-frames.txt" if finished else None
                command = show_command(side.program, mode, 0.0, SHOW_END, args.memory_fps, times, side.options)
                row += f"{run_measured(command, f'{side.label}: whole show ({mode})', args.data)[1]:>12.1f}"
            print(row, flush=True)


def report_preparation(sides, args, scratch):
    print(f"From start to the first frame, seconds (best of {args.repeat}):")
    for mode in MODES:
        def first_frame(side):
            command = show_command(side.program, mode, 0.0, 0.0, args.fps, options=side.options)
            return run_measured(command, f"{side.label}: the first frame ({mode})", args.data)[0]
        seconds = best_of_turns(sides, args, first_frame, best=min)
        print(f"  {mode:<10}" + "".join(f"{value:>12.2f}" for value in seconds)
              + ratio_text(seconds, higher_is_better=False), flush=True)


def capture_seconds(side, args, scratch):
    """(wall seconds of the capture, wall seconds of drawing the same frames
    alone, every frame finished as a capture finishes it): whole runs both,
    preparation and the file's end included, so the two count alike."""
    video = scratch / f"{side.label}.mp4"
    command = [str(side.program), "--headless", "--preload", "--capture", str(video),
               "--until", f"{args.capture_seconds:g}", *side.options]
    capture = run_measured(command, f"{side.label}: capture", args.data)[0]
    video.unlink()
    times_file = scratch / f"{side.label}-drawn.txt"
    command = show_command(side.program, "--preload", 0.0, args.capture_seconds, 60, times_file, side.options)
    drawn = run_measured(command, f"{side.label}: the captured frames drawn alone", args.data)[0]
    return capture, drawn


def report_capture(sides, args, scratch):
    frames = round(args.capture_seconds * 60)
    print(f"Capture of 0 to {args.capture_seconds:g} s at 60 frames/s ({frames} frames), best of {args.repeat}:")
    runs = {side.label: [] for side in sides}
    for _ in range(args.repeat):
        for side in sides:
            runs[side.label].append(capture_seconds(side, args, scratch))
    walls = []
    for side in sides:
        capture = min(wall for wall, _ in runs[side.label])
        drawn = min(drawn for _, drawn in runs[side.label])
        walls.append(capture)
        print(f"  {side.label:<10} capture {capture:>7.1f} s ({frames / capture:5.1f} frames/s); drawn alone "
              f"{drawn:>6.1f} s ({frames / drawn:5.1f} frames/s): writing {drawn / capture:.2f}x drawing", flush=True)
    if len(walls) > 1:
        print(f"  capture {walls[1] / walls[0]:.2f}x as fast as the reference's")


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    add_section_arguments(parser)
    parser.add_argument("--reference", type=Path, help="a second build to set beside the program (say, main's)")
    parser.add_argument("--reference-memory", action="store_true", help="measure the reference's memory too")
    parser.add_argument("--processor", action="store_true",
                        help="frames per second of processor time (all threads), not wall time: on a busy machine")
    parser.add_argument("--capture-seconds", type=float, default=20.0)
    parser.add_argument("--only", choices=("sections", "memory", "preparation", "capture"), action="append",
                        help="measure only these parts (repeatable; default: all)")
    parser.add_argument("--size", help="the program's frame, WxH (or desktop), beside its default 800x600")
    parser.add_argument("--msaa", type=int, help="the program's frame multisampled, beside the plain one")
    args = parser.parse_args()
    if args.reference and (args.size or args.msaa):
        parser.error("--size and --msaa set the program beside itself at 800x600: not with --reference")
    args.program = args.program.resolve()
    args.data = args.data.resolve()
    if min(args.frames, args.fps, args.repeat, args.memory_fps) < 1 or args.capture_seconds <= 0:
        parser.error("--frames, --fps, --repeat, --memory-fps and --capture-seconds must be positive")
    return args


def main():
    args = parse_arguments()
    sides = [Side("program", args.program)]
    if args.size or args.msaa:
        options = (["--size", args.size] if args.size else []) + (["--msaa", str(args.msaa)] if args.msaa else [])
        label = (args.size or "800x600") + (f" {args.msaa}x" if args.msaa else "")
        sides = [Side(label, args.program, options), Side("800x600", args.program)]
    if args.reference:
        sides.append(Side("reference", args.reference.resolve()))
    for side in sides:
        check_program(side.program, args.data)
    parts = args.only or ["sections", "memory", "preparation", "capture"]
    reports = {"sections": report_sections, "memory": report_memory, "preparation": report_preparation,
               "capture": report_capture}
    print("section_fps: " + ", ".join(f"{side.label} {side.program}" for side in sides))
    with tempfile.TemporaryDirectory(prefix="skyward-fps-bench-") as folder:
        for part in parts:
            reports[part](sides, args, Path(folder))


if __name__ == "__main__":
    main_of("section_fps_bench", main)
