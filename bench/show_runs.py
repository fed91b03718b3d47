"""What the show's benchmark scripts share: the sections, running the
program headless over the show's data, its frame times and its peak memory."""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

REPOSITORY = Path(__file__).resolve().parent.parent
SECTIONS_HEADER = REPOSITORY / "src" / "shell" / "script" / "sections.h"
SHOW_END = 245.0   # seconds: the show's last moment worth keeping
NORMAL_END = 1     # the program's exit code after a show that ended normally
# A section is entered a little after its first instant, so that the first
# frame is unambiguously inside it whatever rounding its start time has.
ENTRY = 0.25
QUIET_DRIVER_ENV = {"MESA_SHADER_CACHE_DISABLE": "true"}


class BenchError(Exception):
    """A run that failed or gave something unusable: said, then exit 1."""


def read_sections(header=SECTIONS_HEADER):
    """(name, start seconds) of each section, from the declarations of the
    show script, whose comments give each section's start."""
    pattern = re.compile(r"void build(\w+)\([^)]*\);\s*//\s*([0-9]+(?:\.[0-9]+)?):")
    sections = [(name, float(start)) for name, start in pattern.findall(header.read_text())]
    if not sections:
        raise BenchError(f"no section starts found in {header}")
    return sections


def section_of(time, sections):
    """The 1-based number of the section playing at show time `time`."""
    return max(n for n, (_, start) in enumerate(sections, 1) if start <= time or n == 1)


def environment(shader_cache=False):
    """The runs' environment; without shader_cache the driver compiles every
    shader afresh, as a replay of the same calls does."""
    env = dict(os.environ)
    if not shader_cache:
        env.update(QUIET_DRIVER_ENV)
    return env


def run(command, what, cwd=None, env=None, expect=0):
    """Runs command to its end; its output is returned, or said on failure."""
    result = subprocess.run(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if result.returncode != expect:
        tail = "\n".join((result.stdout + result.stderr).strip().splitlines()[-15:])
        raise BenchError(f"{what} failed (exit code {result.returncode}, expected {expect}):\n"
                         f"  {' '.join(map(str, command))}\n{tail}")
    return result


def show_command(program, mode, start, until, fps, times_file=None, options=()):
    """The headless show; `options` (say, --size 1920x1080) go on its command line too."""
    command = [str(program), "--headless", mode, "--fps", str(fps), "--until", f"{until:.4f}", *options]
    if times_file is not None:
        command += ["--frame-times", str(times_file)]
    if start > 0:
        command += ["--start", f"{start:.4f}"]
    return command


def read_timed_frames(file):
    """(show time s, wall ms, processor ms) of every show frame, in order."""
    if not file.is_file():
        raise BenchError(f"the program wrote no frame times to {file}")
    try:
        return [(float(time), float(wall), float(processor))
                for time, wall, processor in (line.split() for line in file.read_text().splitlines() if line.strip())]
    except ValueError as error:
        raise BenchError(f"unreadable frame times in {file}: {error}") from None


def read_frame_times(file):
    """(wall, processor) milliseconds of every show frame, in order."""
    return [(wall, processor) for _, wall, processor in read_timed_frames(file)]


def run_measured(command, what, cwd, expect=NORMAL_END, shader_cache=False):
    """Runs a command to its end: (wall seconds, peak resident MiB of the
    process)."""
    with tempfile.TemporaryFile() as errors:
        began = time.monotonic()
        process = subprocess.Popen(command, cwd=cwd, env=environment(shader_cache), stdout=subprocess.DEVNULL,
                                   stderr=errors)
        try:
            _, status, usage = os.wait4(process.pid, 0)
        except BaseException:
            process.kill()
            process.wait()
            raise
        wall = time.monotonic() - began
        code = os.waitstatus_to_exitcode(status)
        if code != expect:
            errors.seek(0)
            said = errors.read().decode(errors="replace").strip()[-2000:]
            raise BenchError(f"{what} failed (exit code {code}, expected {expect}):\n"
                             f"  {' '.join(map(str, command))}\n{said}")
    return wall, usage.ru_maxrss / 1024.0  # Linux gives kibibytes


def add_section_arguments(parser):
    """The options of the scripts that time sections of the show."""
    parser.add_argument("--program", type=Path, default=REPOSITORY / "build" / "skyward")
    parser.add_argument("--data", type=Path, default=REPOSITORY, help="the folder that holds demo/")
    parser.add_argument("--sections", type=lambda text: [int(n) for n in text.split(",")],
                        help="comma-separated section numbers (default: all)")
    parser.add_argument("--frames", type=int, default=300, help="frames timed per section")
    parser.add_argument("--fps", type=int, default=60)
    parser.add_argument("--repeat", type=int, default=3, help="runs of each side; the best counts")
    parser.add_argument("--memory-fps", type=int, default=4, help="frame rate of the whole-show memory runs")


def check_program(program, data):
    if not os.access(program, os.X_OK):
        raise BenchError(f"no program at {program}: build it first (make build)")
    if not (data / "demo").is_dir():
        raise BenchError(f"no demo/ in {data}: make the show's data first (make data)")


def stop_on_signal(number, _frame):
    raise SystemExit(128 + number)  # unwinds, so scratch folders are removed


def main_of(name, main):
    """Runs main; a BenchError is said (prefixed with the script's name) and
    ends the script with exit code 1."""
    signal.signal(signal.SIGTERM, stop_on_signal)
    try:
        main()
    except BenchError as error:
        print(f"{name}: {error}", file=sys.stderr)
        sys.exit(1)
    except KeyboardInterrupt:
        sys.exit(130)
