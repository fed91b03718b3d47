#!/usr/bin/env python3
"""The program's frame time against a replay of the same frames' GL calls.

For each of the show's eight sections, 300 frames at a fixed 60 frames per
second are played twice: by the program itself, and by apitrace's replayer
from a trace of the program's GL calls for the very same frames. The ratio
program / replay is what the engine adds to the GL work it asks for (the
target is at most 1.05). Last, the peak resident memory of the whole show in
both loading modes.

How the two sides are made comparable:
- Both run on the same machine, in the same run of this script, with the
  same software driver (Mesa llvmpipe through EGL: the program's headless GL
  goes through SDL's offscreen driver, which is EGL, so the trace is an EGL
  trace replayed by eglretrace on a surfaceless EGL display), with the
  driver's shader cache off on both sides so that neither finds the other's
  compiled shaders.
- The program plays with --frame-times: each frame is finished (glFinish)
  before its swap and timed from one swap to the next. Without the finish
  an offscreen swap does not wait, and the driver draws the frames long
  after the program has timed them. The traced run uses the same option, so
  the trace holds the same finish before every swap and the replay waits at
  the same places.
- The preparation (loading picture, show build, uploads) and the section's
  first frame (which compiles the shaders of what first appears) are left
  out on both sides: the program's times are summed over show frames 1 to
  300; the replay's time for the same frames is the time of a replay that
  ends with show frame 300 less that of one that ends with show frame 0, both
  cut from the one trace at the swaps (apitrace trim --frames), so what comes
  before, the replayer's own start and the context's creation included,
  cancels out.
- Other work on the machine only ever slows a run down: each side is played
  --repeat times, alternately, and the fastest of each side counts.
- Wall time is what a frame costs the viewer, but other programs on the
  machine stretch it. The processor time of the whole process (the driver's
  drawing threads included) is timed alongside over the same frames (in the
  program per frame, for the replay from the replayer's resource usage,
  less its run that ends with show frame 0) and barely moves with them: the
  two ratios agree on a quiet machine, and on a busy one the second is the
  one to trust.
"""

import argparse
import json
import re
import resource
import shutil
import tempfile
from pathlib import Path

from show_runs import (ENTRY, NORMAL_END, SECTIONS_HEADER, SHOW_END, BenchError, add_section_arguments, check_program,
                       environment, main_of, read_frame_times, read_sections, run, run_measured, show_command)

TARGET = 1.05
# The replay needs no display: EGL on Mesa's surfaceless platform.
REPLAY_ENV = {"WAFFLE_PLATFORM": "surfaceless_egl"}


def children_processor_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def replay_seconds(trace, expected_frames):
    """(wall, processor) seconds eglretrace takes to replay the whole trace
    in benchmark mode. Runs are one at a time, so what the finished children
    used grows by this replay's use alone."""
    env = environment()
    env.update(REPLAY_ENV)
    processor_before = children_processor_seconds()
    output = run(["eglretrace", "--headless", "--benchmark", str(trace)], f"replay of {trace.name}", env=env).stdout
    found = re.search(r"Rendered (\d+) frames in ([0-9.eE+-]+) secs", output)
    if not found:
        raise BenchError(f"eglretrace said nothing of its time for {trace.name}:\n{output.strip()}")
    if int(found.group(1)) != expected_frames:
        raise BenchError(f"eglretrace replayed {found.group(1)} frames of {trace.name}, expected {expected_frames}")
    return float(found.group(2)), children_processor_seconds() - processor_before


def trace_frames(trace):
    info = run(["apitrace", "info", str(trace)], f"apitrace info of {trace.name}").stdout
    return int(json.loads(info)["FramesCount"])


def trim(trace, first, last, output):
    run(["apitrace", "trim", f"--frames={first}-{last}", "-o", str(output), str(trace)], f"trimming {trace.name}")
    return output


def check_section_draws(trace, first, last, scratch):
    """The trace must hold the section's GL calls, not only its swaps: the GL
    library is loaded at run time, and calls that escaped the tracer would
    make the replay look cheap."""
    window = trim(trace, first, last, scratch / "window.trace")
    dump = run(["apitrace", "dump", "--arg-names=no", "--grep=^(glDraw|glBegin|glCallList)", str(window)],
               "apitrace dump").stdout
    window.unlink()
    if not dump.strip():
        raise BenchError(f"frames {first} to {last} of the trace hold no drawing call: the GL calls were not traced")


class Section:
    def __init__(self, number, name, start, frames, fps):
        self.number, self.name = number, name
        self.start = start + ENTRY if start > 0 else 0.0
        # Show frames 0 to `frames` are needed: frame 0 is left out.
        self.until = self.start + frames / fps


def fastest(runs):
    """Per measure (wall, processor), the fastest of the runs."""
    return [min(measures) for measures in zip(*runs)]


def measure_section(section, args, scratch):
    """Milliseconds a frame over show frames 1..frames, each (wall,
    processor): the program's, the replay's."""
    env = environment()
    label = f"section {section.number} ({section.name})"
    times_file = scratch / "frame-times.txt"
    trace = scratch / "section.trace"

    # The traced run: its frame times only count the show frames it swapped.
    command = show_command(args.program, "--preload", section.start, section.until, args.fps, times_file)
    run(["apitrace", "trace", "--api", "egl", "-o", str(trace), "--"] + command, f"traced run of {label}",
        cwd=args.data, env=env, expect=NORMAL_END)
    shown = len(read_frame_times(times_file))
    if shown < args.frames + 1:
        raise BenchError(f"{label}: the traced run showed {shown} frames, fewer than {args.frames + 1}")
    total = trace_frames(trace)
    first_show_frame = total - shown  # the show's frames are the trace's last
    if first_show_frame < 1:
        raise BenchError(f"{label}: the trace has {total} frames for {shown} shown: frames are missing")
    check_section_draws(trace, first_show_frame + 1, first_show_frame + args.frames, scratch)
    before = trim(trace, 0, first_show_frame, scratch / "before.trace")
    through = trim(trace, 0, first_show_frame + args.frames, scratch / "through.trace")
    trace.unlink()

    program, replay_before, replay_through = [], [], []
    for _ in range(args.repeat):
        run(command, f"run of {label}", cwd=args.data, env=env, expect=NORMAL_END)
        times = read_frame_times(times_file)
        if len(times) != shown:
            raise BenchError(f"{label}: the program showed {len(times)} frames, the traced run {shown}")
        program.append([sum(measure) for measure in zip(*times[1:args.frames + 1])])
        replay_before.append(replay_seconds(before, first_show_frame + 1))
        replay_through.append(replay_seconds(through, first_show_frame + args.frames + 1))
    before.unlink()
    through.unlink()
    replay = [(through_s - before_s) * 1000.0
              for through_s, before_s in zip(fastest(replay_through), fastest(replay_before))]
    if min(replay) <= 0:
        raise BenchError(f"{label}: the replay of the section's frames took no time: the trace misses them")
    return [ms / args.frames for ms in fastest(program)], [ms / args.frames for ms in replay]


def peak_memory_mib(args, mode, scratch):
    """Peak resident memory of the whole show, every frame finished before
    the next as on a display."""
    command = show_command(args.program, mode, 0.0, SHOW_END, args.memory_fps, scratch / "memory-frames.txt")
    return run_measured(command, f"whole show ({mode})", args.data)[1]


def check_tools(args):
    missing = [tool for tool in ("apitrace", "eglretrace") if shutil.which(tool) is None]
    if missing:
        raise BenchError(f"{' and '.join(missing)} not found: install the Debian package apitrace "
                         "(make bench does)")
    check_program(args.program, args.data)


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    add_section_arguments(parser)
    parser.add_argument("--no-memory", action="store_true", help="leave out the whole-show memory runs")
    args = parser.parse_args()
    args.program = args.program.resolve()
    args.data = args.data.resolve()
    if args.frames < 1 or args.fps < 1 or args.repeat < 1 or args.memory_fps < 1:
        parser.error("--frames, --fps, --repeat and --memory-fps must be at least 1")
    return args


def main():
    args = parse_arguments()
    check_tools(args)
    sections = [Section(n, name, start, args.frames, args.fps)
                for n, (name, start) in enumerate(read_sections(SECTIONS_HEADER), 1)]
    if args.sections:
        unknown = set(args.sections) - {section.number for section in sections}
        if unknown:
            raise BenchError(f"no section {', '.join(map(str, sorted(unknown)))}: the show has {len(sections)}")
        sections = [section for section in sections if section.number in args.sections]

    print(f"Program frame time against an apitrace replay of the same frames: {args.frames} frames a section "
          f"at {args.fps} frames/s, fastest of {args.repeat} runs a side, in milliseconds a frame, wall time and "
          f"processor time (target: ratio <= {TARGET}, * when over)")
    print(f"{'':<24}{'---------- wall ----------':>28}{'-------- processor -------':>28}")
    print(f"{'section':<16}{'from s':>8}" + f"{'program':>10}{'replay':>10}{'ratio':>8}" * 2)
    # The traces are large: they live in a scratch folder removed at exit,
    # whatever the exit.
    with tempfile.TemporaryDirectory(prefix="skyward-replay-bench-") as folder:
        scratch = Path(folder)
        for section in sections:
            program, replay = measure_section(section, args, scratch)
            row = f"{section.number} {section.name:<14}{section.start:>8.2f}"
            for program_ms, replay_ms in zip(program, replay):
                ratio = program_ms / replay_ms
                row += f"{program_ms:>10.2f}{replay_ms:>10.2f}{ratio:>7.3f}{'*' if ratio > TARGET else ' '}"
            print(row, flush=True)
        if not args.no_memory:
            print(f"Peak resident memory of the whole show (0 to {SHOW_END:g} s at {args.memory_fps} frames/s):")
            for mode in ("--preload", "--stream"):
                print(f"  {mode:<10}{peak_memory_mib(args, mode, scratch):>8.1f} MiB", flush=True)


if __name__ == "__main__":
    main_of("section_replay_bench", main)
