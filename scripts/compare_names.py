#!/usr/bin/env python3
"""Shows that the name box reads every name it read completely exactly as before a change.

    scripts/compare_names.py OLD_CLI NEW_CLI [--count N] [--seed S] [--show N]

The names: the fuzz corpora (fuzz/corpus, fuzz/lead_sheet_corpus), the typed names of
scripts/session_cases.py and N random names of scripts/batch_cases.py --names. For every name the old
`parse` read completely (a root, nothing unread), the new `parse` must print the same bytes, less the
keys only the new build prints. The names the old build left unread are counted apart, with what
each reads as now: these are the ones the lead-sheet symbols may read. Exit status 1 when a
completely read name differs.
"""

import argparse
import json
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
sys.path.insert(0, str(HERE))
import session_cases  # noqa: E402


def names(count, seed):
    found = []
    for corpus in ("corpus", "lead_sheet_corpus"):
        for path in sorted((ROOT / "fuzz" / corpus).glob("*")):
            found.append(path.read_bytes().decode("utf-8", "replace"))
    found += session_cases.NAMES
    generated = subprocess.run([sys.executable, str(HERE / "batch_cases.py"), "--names", "--count", str(count),
                                "--seed", str(seed)], check=True, capture_output=True).stdout
    found += generated.decode("utf-8").split("\n")[:-1]
    unique = []
    for name in found:
        if "\0" not in name and name not in unique:
            unique.append(name)
    return unique


def parse(cli, name):
    done = subprocess.run([cli, "parse", "--", name], capture_output=True)
    return done.returncode, done.stdout


def without_new_keys(new_out, old_keys):
    """The new output as the old build would print it: keys it did not print are left out."""
    new_json = json.loads(new_out, object_pairs_hook=list)
    kept = [(k, v) for k, v in new_json if k in old_keys]
    return (json.dumps(dict(kept), indent=2, ensure_ascii=False) + "\n").encode("utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--count", type=int, default=4000)
    parser.add_argument("--seed", type=int, default=10)
    parser.add_argument("--show", type=int, default=20, help="names read anew to list")
    args = parser.parse_args()

    complete = identical = 0
    differing, anew = [], []
    for name in names(args.count, args.seed):
        old_status, old_out = parse(args.old, name)
        new_status, new_out = parse(args.new, name)
        old_json = json.loads(old_out)
        if old_json["unread"] or old_json["rootIndex"] == 12:
            anew.append((name, old_json["rewritten"], json.loads(new_out)))
            continue
        complete += 1
        # The old bytes, and the new ones re-written without the new keys, byte for byte; the old
        # bytes also survive the same re-writing unchanged, so nothing is hidden by it.
        old_keys = [k for k, _ in json.loads(old_out, object_pairs_hook=list)]
        same = (old_status == new_status and without_new_keys(old_out, old_keys) == old_out
                and without_new_keys(new_out, old_keys) == old_out)
        identical += same
        if not same:
            differing.append(name)

    print(f"read completely before: {complete} names, {identical} byte-identical after, {len(differing)} differ")
    for name in differing[:10]:
        print(f"  differs: {name!r}")
    print(f"left unread before: {len(anew)} names")
    understood = [a for a in anew if not a[2]["unread"] and a[2]["rootIndex"] != 12]
    print(f"  of these now read in full through the lead-sheet symbols: {len(understood)}; "
          f"still reported as not understood: {len(anew) - len(understood)}")
    for name, before, after in anew[:args.show]:
        now = after["rewritten"] if not after["unread"] else "not understood: " + " ".join(after["unread"])
        print(f"  {name!r}: was {before!r}, now {now!r}")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
