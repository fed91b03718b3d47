#!/usr/bin/env python3
"""A capture cut into parts against fewer parts: `make capture JOBS=N` (the
recipe of `make video`, GNU parallel running the parts at once on this
machine) for each N given, in one run, each timed from its start to the
joined file, in wall time and in processor time of everything it ran.

The reference is the first N (by default 1: one part, the show captured by
one process, then joined). Each run captures into a folder of its own, so
no part is taken from another run. The time of the parts alone (up to the
last part's file) and of the join are given apart: a part's time is what an
estimate for other machines starts from.

Run from anywhere; `make capture` runs in the repository, whose demo/ must
be there (make data) and whose program must be built."""

import argparse
import resource
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from show_runs import REPOSITORY, SHOW_END, BenchError


def processor_seconds():
    """User and system time of every finished child (and theirs) so far."""
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def capture(jobs, args, scratch):
    """(total wall s, parts wall s, processor s) of one `make capture`."""
    out = scratch / f"jobs-{jobs}" / "show.mp4"
    command = ["make", "--no-print-directory", "-C", str(REPOSITORY), "capture", f"JOBS={jobs}", f"OUT={out}",
               f"FROM={args.start}", f"UNTIL={args.until}", f"CRF={args.crf}", f"BUILD={args.build}"]
    processor_before = processor_seconds()
    started = time.time()
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    ended = time.time()
    if result.returncode != 0 or not out.is_file():
        tail = "\n".join(result.stdout.strip().splitlines()[-15:])
        raise BenchError(f"make capture JOBS={jobs} failed (exit code {result.returncode}):\n{tail}")
    parts = [part.stat().st_mtime for part in out.with_suffix(".parts").glob(f"part-*-of-{jobs}.mp4")]
    if len(parts) != jobs:
        raise BenchError(f"make capture JOBS={jobs} left {len(parts)} parts")
    return ended - started, max(parts) - started, processor_seconds() - processor_before


def minutes(seconds):
    return f"{int(seconds // 60)}:{seconds % 60:04.1f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--jobs", default="1,2", help="the part counts to set side by side, the first the reference")
    parser.add_argument("--start", type=float, default=0.0, help="show seconds (default 0)")
    parser.add_argument("--until", type=float, default=SHOW_END, help=f"show seconds (default {SHOW_END:g})")
    parser.add_argument("--crf", type=int, default=18)
    parser.add_argument("--build", default="build", help="the build folder, from the repository (default build)")
    args = parser.parse_args()
    counts = [int(n) for n in args.jobs.split(",")]
    print(f"capture of show time {args.start:g} to {args.until:g} s at 800x600, 60 frames/s, crf {args.crf}")
    print(f"{'parts':>5}  {'to the joined file':>18}  {'the parts':>9}  {'the join':>8}  {'processor':>9}  {'speed-up':>8}")
    figures = []
    with tempfile.TemporaryDirectory(prefix="skyward-parts-bench-") as folder:
        for jobs in counts:
            total, parts, processor = capture(jobs, args, Path(folder))
            figures.append(total)
            print(f"{jobs:>5}  {minutes(total):>18}  {minutes(parts):>9}  {total - parts:>7.1f}s  "
                  f"{minutes(processor):>9}  {figures[0] / total:>7.2f}x", flush=True)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except BenchError as error:
        print(f"parts_capture_bench: {error}", file=sys.stderr)
        sys.exit(1)
