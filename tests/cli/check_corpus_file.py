#!/usr/bin/env python3
"""Compares `tamsel-cli rows FILE` with the file's expectation.

usage: check_corpus_file.py TAMSEL_CLI FILE EXPECTATION_JSON

The expectation holds either "rows" (the exact row table) or "error" (the
reader's message, shown after "Failed to read file: "; "password" only asks
that the message mention a password).
"""
import json
import subprocess
import sys


def main(cli, path, expectation_path):
    with open(expectation_path, encoding="utf-8") as handle:
        expectation = json.load(handle)
    run = subprocess.run([cli, "rows", path], capture_output=True, timeout=120)
    stderr = run.stderr.decode("utf-8", "replace").strip()

    if "error" in expectation:
        wanted = expectation["error"]
        found = "password" in stderr.lower() if wanted == "password" else stderr == "Failed to read file: " + wanted
        if run.returncode != 1 or not found:
            return f"expected exit status 1 and the error {wanted!r}, got {run.returncode}: {stderr}"
        return None
    if run.returncode != 0:
        return f"exit status {run.returncode}: {stderr}"
    actual = json.loads(run.stdout.decode("utf-8"))
    if list(actual) != ["rows"]:
        return f"unexpected keys {list(actual)}"
    for index, (got, want) in enumerate(zip(actual["rows"], expectation["rows"])):
        if got != want:
            return f"row {index}: got {got!r}, expected {want!r}"
    if len(actual["rows"]) != len(expectation["rows"]):
        return f"got {len(actual['rows'])} rows, expected {len(expectation['rows'])}"
    return None


if __name__ == "__main__":
    failure = main(*sys.argv[1:4])
    if failure:
        print(f"{sys.argv[2]}: {failure}", file=sys.stderr)
        sys.exit(1)
