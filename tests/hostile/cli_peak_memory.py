#!/usr/bin/env python3
"""Runs `tamsel-cli show` on every hostile file and bounds its peak memory.

Usage: cli_peak_memory.py TEST_HOSTILE TAMSEL_CLI [--report-only]

TEST_HOSTILE writes the files (`--write-to FOLDER`). Each show must exit 0 or
1 with the expected message on stderr, within the time limit, and with a peak
resident set below the bound (only reported under sanitizers, whose shadow
memory inflates it).
"""
import os
import subprocess
import sys
import tempfile
import time

BOUND_KB = 256 * 1000  # 256 MB
TIME_LIMIT = 20.0  # seconds; generous for a shared machine, the in-process test is stricter
SECRET = "TAMSEL-SECRET-CANARY"


def run_measured(cli, path):
    """Polls with wait4, which gives the child's own rusage; kills it past the time limit.

    A plain fork, not the vfork of subprocess: the child's peak then starts
    from this process's current footprint rather than its highest."""
    start = time.monotonic()
    with tempfile.TemporaryFile() as out_file, tempfile.TemporaryFile() as err_file:
        pid = os.fork()
        if pid == 0:
            try:
                os.dup2(out_file.fileno(), 1)
                os.dup2(err_file.fileno(), 2)
                os.execv(cli, [cli, "show", path])
            finally:
                os._exit(127)
        while True:
            done, status, usage = os.wait4(pid, os.WNOHANG)
            if done:
                break
            if time.monotonic() - start > TIME_LIMIT:
                os.kill(pid, 9)
            time.sleep(0.005)
        elapsed = time.monotonic() - start
        out_file.seek(0)
        err_file.seek(0)
        out = out_file.read().decode(errors="replace")
        err = err_file.read().decode(errors="replace")
    return os.waitstatus_to_exitcode(status), out, err, elapsed, usage.ru_maxrss


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    generator, cli = sys.argv[1], sys.argv[2]
    report_only = "--report-only" in sys.argv[3:]
    failures = []
    largest = (0, "")
    with tempfile.TemporaryDirectory(prefix="tamsel-hostile-") as folder:
        listing = subprocess.run([generator, "--write-to", folder], check=True, capture_output=True, text=True)
        for line in listing.stdout.splitlines():
            name, _, message = line.partition("\t")
            code, out, err, elapsed, peak_kb = run_measured(cli, os.path.join(folder, name))
            print(f"{name:40} exit {code:3}  {elapsed:6.2f} s  {peak_kb / 1000:8.1f} MB")
            largest = max(largest, (peak_kb, name))
            if code not in (0, 1):
                failures.append(f"{name}: exit status {code}\n{err}")
            if message and err.strip() != message:
                failures.append(f"{name}: expected {message!r}, got {err.strip()!r}")
            if not message and code != 0:
                failures.append(f"{name}: expected primers, got {err.strip()!r}")
            if SECRET in out or SECRET in err:
                failures.append(f"{name}: the output shows the content of a file the input names")
            if peak_kb >= BOUND_KB and not report_only:
                failures.append(f"{name}: peak resident set {peak_kb / 1000:.1f} MB")
    print(f"largest peak: {largest[0] / 1000:.1f} MB ({largest[1]})")
    for failure in failures:
        print("FAIL " + failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
