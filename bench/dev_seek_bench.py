#!/usr/bin/env python3
"""How long a move of the development mode takes, against a late start.

- Seeks: `skyward --dev` moves from the middle of each section to the middle
  of each other (all 56 ordered pairs of the eight sections), in one run
  whose moves follow a tour that goes from every section to every other
  once, so each move finds the stocks as an earlier move left them. A move
  is the keys of one frame: the section's number, then Page Down and Right
  to its middle (whole seconds after the start). Its time is the program's
  own measure of the frame's keys (the log's "moved to ... in ... ms").
  --repeat tours; the best time of each pair counts.
- Late starts: `skyward --start` at the same moments, the whole run of a show
  that ends at its first frame (start-up, the one-second fade of the loading
  tune, the build, the catch-up), best of --repeat.

- Saves: `skyward --dev --watch --show FILE` from the middle of each
  section, playing at the wall clock; the show file (the built-in show as
  --write-show writes it) is saved --saves times, each time with a change in
  that section (the curve `extra`, which no layer draws, of its first layer).
  Each save comes once the one before it is on screen. Its time is the
  program's own measure, from the file's time of writing to the first frame
  built from it (the log's "show file saved, its first frame ... ms after the
  save").

Both load everything first (--preload), the moves and late starts at a fixed
step of --fps frames a second. The targets: the worst move no longer than a
late start to the same moment; every save on screen within half a second.
"""

import argparse
import math
import re
import statistics
import subprocess
import tempfile
import time
from pathlib import Path

from show_runs import (REPOSITORY, BenchError, check_program, main_of, read_sections, run, run_measured, show_command,
                       environment)

LAST_SECTION_STAY = 4.0  # seconds: the last section has no end; its "middle" is 2 s in
MOVED = re.compile(r"Development mode: moved to ([0-9.]+) s in ([0-9.]+) ms")
SAVED = re.compile(r"Development mode: show file saved, its first frame ([0-9.]+) ms after the save")
STARTED = re.compile(r"Development mode: from ([0-9.]+) s")
SAVE_SPACING = 2.0  # seconds between saves, and before the first
SAVE_TARGET = 500.0  # milliseconds


def middles(sections, fps):
    """(keys, landing time) of each section's middle: its number, then whole
    seconds on; the start lands on the first frame of the step at or after it."""
    starts = [start for _, start in sections]
    ends = starts[1:] + [starts[-1] + LAST_SECTION_STAY]
    result = []
    for number, (start, end) in enumerate(zip(starts, ends), 1):
        seconds = int((end - start) // 2)
        landed = math.ceil(start * fps - 1e-6) / fps
        keys = [str(number)] + ["PageDown"] * (seconds // 10) + ["Right"] * (seconds % 10)
        result.append((keys, landed + seconds))
    return result


def tour(count):
    """A closed walk from section 0 through every ordered pair once (the
    complete directed graph is Eulerian): Hierholzer's algorithm."""
    left = {a: [b for b in range(count) if b != a] for a in range(count)}
    stack, walk = [0], []
    while stack:
        if left[stack[-1]]:
            stack.append(left[stack[-1]].pop())
        else:
            walk.append(stack.pop())
    return walk[::-1]


def tour_keys(walk, places):
    """--dev-keys for the walk: each move's keys at the time the show stands
    at before it, then Escape."""
    items = []
    for a, b in zip(walk, walk[1:]):
        items += [f"{places[a][1]:.4f}:{key}" for key in places[b][0]]
    items.append(f"{places[walk[-1]][1]:.4f}:Escape")
    return ",".join(items)


def seek_times(args, walk, places, scratch):
    """{(from, to): milliseconds} of one tour."""
    log = scratch / "tour-log.txt"
    start = places[walk[0]][1]
    command = [str(args.program), "--headless", "--preload", "--fps", str(args.fps), "--start", f"{start:.4f}", "--dev",
               "--dev-keys", tour_keys(walk, places), "--log", str(log)]
    run(command, "the tour of moves", cwd=args.data, env=environment(), expect=1)
    moves = [(float(landed), float(ms)) for landed, ms in MOVED.findall(log.read_text())]
    pairs = list(zip(walk, walk[1:]))
    if len(moves) != len(pairs):
        raise BenchError(f"the tour logged {len(moves)} moves, not {len(pairs)} (log: {log})")
    times = {}
    for (a, b), (landed, ms) in zip(pairs, moves):
        if abs(landed - places[b][1]) > 1e-3:
            raise BenchError(f"the move from section {a + 1} to {b + 1} landed at {landed} s, not {places[b][1]} s")
        times[(a, b)] = ms
    return times


def with_change(text, section, count):
    """The show file with `extra = count` in the first layer of the section
    (0-based), just after its kind."""
    at = -1
    for _ in range(section + 1):
        at = text.index("[[section]]", at + 1)
    kind = text.index("\nkind = ", text.index("[[section.layer]]", at))
    end = text.index("\n", kind + 1)
    line = text.find("\nextra = ", end)
    following = text.find("[[section", end)
    if line != -1 and (following == -1 or line < following):
        text = text[:line] + text[text.index("\n", line + 1):]
    return text[:end] + f"\nextra = {count}" + text[end:]


def wait_for(log, pattern, count, process, seconds=300.0):
    """The log's matches of `pattern` once it has `count` of them."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and process.poll() is None:
        found = pattern.findall(log.read_text(errors="replace")) if log.is_file() else []
        if len(found) >= count:
            return found
        time.sleep(0.05)
    raise BenchError(f"the program logged fewer than {count} of '{pattern.pattern}' (log: {log})")


def save_times(args, places, scratch):
    """[[milliseconds of each save] of each section]: each save once the one
    before it is on screen; the show then ends."""
    show = scratch / "show.toml"
    run([str(args.program), "--write-show", str(show)], "writing the show file", cwd=args.data)
    written = show.read_text()
    times = []
    for section, (_, moment) in enumerate(places):
        log = scratch / f"saves-{section + 1}.txt"
        log.unlink(missing_ok=True)
        show.write_text(written)
        command = [str(args.program), "--headless", "--preload", "--dev", "--watch", "--show", str(show),
                   "--start", f"{moment:.4f}", "--until", f"{moment + 600:.4f}", "--log", str(log)]
        process = subprocess.Popen(command, cwd=args.data, env=environment(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            wait_for(log, STARTED, 1, process)
            for count in range(1, args.saves + 1):
                time.sleep(SAVE_SPACING)
                show.write_text(with_change(show.read_text(), section, count))
                saves = wait_for(log, SAVED, count, process, 60.0)
        finally:
            process.terminate()
            process.wait()
        times.append([float(ms) for ms in saves])
    return times


def report_saves(saves):
    print("dev_seek: milliseconds from saving the show file to its first frame, by section: "
          + "; ".join(f"{n} " + " ".join(f"{ms:.0f}" for ms in times) for n, times in enumerate(saves, 1)))
    values = sorted(ms for times in saves for ms in times)
    worst = max(range(len(saves)), key=lambda n: max(saves[n]))
    print(f"dev_seek: saves: median {statistics.median(values):.0f} ms, worst {values[-1]:.0f} ms (section {worst + 1}); "
          f"target under {SAVE_TARGET:.0f} ms: {'met' if values[-1] < SAVE_TARGET else 'NOT met'}")


def late_start(args, moment):
    command = show_command(args.program, "--preload", moment, moment, args.fps)
    wall, _ = run_measured(command, f"a late start at {moment:g} s", args.data)
    return wall * 1000.0


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", type=Path, default=REPOSITORY / "build" / "skyward")
    parser.add_argument("--data", type=Path, default=REPOSITORY, help="the folder that holds demo/")
    parser.add_argument("--fps", type=int, default=4)
    parser.add_argument("--repeat", type=int, default=3, help="tours and late starts; the best of each counts")
    parser.add_argument("--saves", type=int, default=3, help="saves of the show file in each section (0: none)")
    return parser.parse_args()


def report(seeks, starts, count):
    print("dev_seek: milliseconds a move takes, from the middle of the section of the row to that of the column")
    print("from\\to " + "".join(f"{b + 1:>8}" for b in range(count)))
    for a in range(count):
        print(f"{a + 1:>7} " + "".join(f"{seeks[(a, b)]:8.1f}" if a != b else f"{'-':>8}" for b in range(count)))
    print("late start" + "".join(f"{starts[b]:8.0f}" for b in range(count))[2:])
    values = sorted(seeks.values())
    worst_pair = max(seeks, key=seeks.get)
    ratio_pair = max(seeks, key=lambda pair: seeks[pair] / starts[pair[1]])
    print(f"dev_seek: moves: median {statistics.median(values):.1f} ms, worst {values[-1]:.1f} ms "
          f"(section {worst_pair[0] + 1} to {worst_pair[1] + 1}); late starts: median "
          f"{statistics.median(starts):.0f} ms, best {min(starts):.0f} ms, worst {max(starts):.0f} ms")
    ratio = seeks[ratio_pair] / starts[ratio_pair[1]]
    print(f"dev_seek: the worst move against a late start to the same moment: {ratio:.3f} "
          f"(section {ratio_pair[0] + 1} to {ratio_pair[1] + 1}); target at most 1: "
          f"{'met' if ratio <= 1.0 else 'NOT met'}")


def main():
    args = parse_arguments()
    args.program = args.program.resolve()
    check_program(args.program, args.data)
    sections = read_sections()
    places = middles(sections, args.fps)
    walk = tour(len(places))
    seeks = {}
    with tempfile.TemporaryDirectory(prefix="skyward-seek-bench-") as folder:
        for _ in range(args.repeat):
            for pair, ms in seek_times(args, walk, places, Path(folder)).items():
                seeks[pair] = min(ms, seeks.get(pair, math.inf))
        saves = save_times(args, places, Path(folder)) if args.saves > 0 else []
    starts = [min(late_start(args, moment) for _ in range(args.repeat)) for _, moment in places]
    report(seeks, starts, len(places))
    if saves:
        report_saves(saves)


if __name__ == "__main__":
    main_of("dev_seek_bench", main)
