#!/usr/bin/env python3
"""Runs the same mixed cases through two builds of corvane-cli and compares what they print.

    scripts/compare_cli.py OLD_CLI NEW_CLI [--count N] [--seed S]

`batch` output must match byte for byte. For `parse`, every key the old build prints must come out
of the new one with the same text, in the same place; keys only the new build prints are listed
but not counted as differences. Exit status 1 when anything differs.
"""

import argparse
import json
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent


def cases(count, seed, names):
    command = [sys.executable, str(HERE / "batch_cases.py"), "--count", str(count), "--seed", str(seed)]
    if names:
        command.append("--names")
    return subprocess.run(command, check=True, capture_output=True).stdout


def parse_output(cli, name):
    done = subprocess.run([cli, "parse", "--", name], capture_output=True)
    return done.returncode, done.stdout, done.stderr


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--count", type=int, default=4000)
    parser.add_argument("--seed", type=int, default=10)
    args = parser.parse_args()
    failed = False

    batch = cases(args.count, args.seed, names=False)
    old = subprocess.run([args.old, "batch"], input=batch, capture_output=True, check=True).stdout
    new = subprocess.run([args.new, "batch"], input=batch, capture_output=True, check=True).stdout
    lines = batch.count(b"\n")
    if old == new:
        print(f"batch: {lines} cases, {len(old)} bytes of output, identical")
    else:
        failed = True
        old_lines, new_lines = old.split(b"\n"), new.split(b"\n")
        differing = [i for i in range(max(len(old_lines), len(new_lines)))
                     if i >= len(old_lines) or i >= len(new_lines) or old_lines[i] != new_lines[i]]
        print(f"batch: {lines} cases, {len(differing)} lines differ, first at line {differing[0] + 1}")

    names = cases(args.count, args.seed, names=True).decode("utf-8").split("\n")[:-1]
    extra_keys = set()
    differing = 0
    for name in names:
        old_status, old_out, old_err = parse_output(args.old, name)
        new_status, new_out, new_err = parse_output(args.new, name)
        same = old_status == new_status and old_err == new_err
        if same and old_status == 0:
            old_json = json.loads(old_out)
            new_json = json.loads(new_out)
            extra_keys |= set(new_json) - set(old_json)
            kept = {k: v for k, v in new_json.items() if k in old_json}
            same = list(kept.items()) == list(old_json.items())
        elif same:
            same = old_out == new_out
        if not same:
            differing += 1
            if differing <= 5:
                print(f"parse {name!r} differs")
    failed = failed or differing > 0
    note = f", new keys: {', '.join(sorted(extra_keys))}" if extra_keys else ""
    print(f"parse: {len(names)} names, {differing} differ{note}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
