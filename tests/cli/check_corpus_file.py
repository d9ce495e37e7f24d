#!/usr/bin/env python3
"""Compares `tamsel-cli rows FILE` with the file's expectation.

usage: check_corpus_file.py TAMSEL_CLI FILE EXPECTATION_JSON

The expectation holds either "rows" (the exact row table) or "error" (a text
that must appear in the message on stderr; "password" only asks that the
message mention a password).
"""
import json
import subprocess
import sys


def first_difference(actual, expected):
    for index, (got, want) in enumerate(zip(actual, expected)):
        if got != want:
            return f"row {index}: got {got!r}, expected {want!r}"
    return f"got {len(actual)} rows, expected {len(expected)}"


def main():
    cli, path, expectation_path = sys.argv[1:4]
    with open(expectation_path, encoding="utf-8") as handle:
        expectation = json.load(handle)
    run = subprocess.run([cli, "rows", path], capture_output=True, timeout=120)
    stderr = run.stderr.decode("utf-8", "replace")

    if "error" in expectation:
        wanted = expectation["error"]
        if run.returncode != 1:
            return f"expected exit status 1 and an error containing {wanted!r}, got {run.returncode}"
        found = "password" in stderr.lower() if wanted == "password" else wanted in stderr
        if not found:
            return f"expected an error containing {wanted!r}, got: {stderr.strip()}"
        return None

    if run.returncode != 0:
        return f"exit status {run.returncode}: {stderr.strip()}"
    actual = json.loads(run.stdout.decode("utf-8"))
    if list(actual) != ["rows"]:
        return f"unexpected keys {list(actual)}"
    if actual["rows"] != expectation["rows"]:
        return first_difference(actual["rows"], expectation["rows"])
    return None


if __name__ == "__main__":
    failure = main()
    if failure:
        print(f"{sys.argv[2]}: {failure}", file=sys.stderr)
        sys.exit(1)
