#!/usr/bin/env python3
"""Writes mixed chord requests, one JSON object a line, for `corvane-cli batch`.

Used to show that a change of the engine's insides leaves every output as it was:

    scripts/batch_cases.py > cases.jsonl
    old/corvane-cli batch < cases.jsonl > before.jsonl
    new/corvane-cli batch < cases.jsonl > after.jsonl
    cmp before.jsonl after.jsonl

With --names it writes typed chord names instead, one a line, for `corvane-cli parse`
(scripts/compare_cli.sh runs both). The same seed gives the same cases.
"""

import argparse
import json
import random

ROOTS = ["C", "C#", "Db", "D", "D#", "Eb", "E", "F", "F#", "Gb", "G", "G#", "Ab", "A", "A#", "Bb", "B"]
ROOTS += [str(n) for n in range(12)]
BAD_NOTES = ["H", "E#", "12", "-1", "c", ""]

EXTENSIONS = ["m", "aug", "dim", "º", "2", "4-", "4", "4+", "5-", "5", "5+", "6-", "6", "6+", "7", "7+",
              "9-", "9", "9+", "11-", "11", "11+", "13-", "13", "13+", "add4-", "add4", "add4+", "add6-",
              "add6", "add6+", "add9-", "add9", "add9+", "add11-", "add11", "add11+", "add13-", "add13",
              "add13+", "b4", "b5", "b6", "b9", "b11", "b13", "sus2", "sus4", "sus9", "sus11"]

TYPES = ["", "º", "aug", "add4", "add9", "add11", "2", "4", "4/7", "5", "5-", "5+", "6", "6-", "6+", "7",
         "7/4", "7/9", "7/11", "7/sus4", "7+", "9", "9/7", "11", "11/7", "sus2", "sus4", "sus4/7", "sus9",
         "m7", "m7/5-", "m9", "m11", "m6", "m7/9"]

TUNINGS = ["Standard Tunning", "Open E", "Open A", "Lute Tunning", "Blues Tunning", "Rain Song", "Open D",
           "Drop D", "Open G", "C 6th", "G Minor Tunning", "Venmora", "drop d", "2 9 2 7 11 4",
           "0 0 0 0 0 0", "11 4 9 2 7 11", "1 2 3 4 5 6"]

SEPARATORS = list("/\\,(). ")
NAME_JUNK = ["maj7", "aj7", "SUS4", "Sus2", "MAJ7", "x", "#", "E#", "B#", "Fb", "Cb", "add", "º", "°", "\u00e9",
             "\xff", "M", "mm", "13++", ""]


def random_intervals(rng):
    count = rng.randint(1, 7)
    rest = rng.sample(range(1, 12), count - 1)
    return " ".join(f"{v:02d}" for v in [0] + rest)


def random_name(rng):
    parts = [rng.choice(ROOTS[:17] + ["H", "c", "", "E#"])]
    if rng.random() < 0.4:
        parts.append("m")
    for _ in range(rng.randint(0, 5)):
        if rng.random() < 0.6:
            parts.append(rng.choice(SEPARATORS))
        token = rng.choice(EXTENSIONS + NAME_JUNK) if rng.random() < 0.85 else rng.choice(ROOTS[:17])
        if rng.random() < 0.1:
            token = token.upper()
        parts.append(token)
    if rng.random() < 0.35:
        parts.append(rng.choice(["/", " ", "\\", "("]))
        parts.append(rng.choice(ROOTS[:17] + ["H", "b5"]))
    if rng.random() < 0.2:
        parts.append(rng.choice(SEPARATORS))
    return "".join(parts)


def random_case(rng):
    case = {}
    chord = rng.choice(["type", "ext", "intervals", "name", "name", "none"])
    if chord == "name":
        case["name"] = random_name(rng)
    else:
        if rng.random() < 0.9:
            case["root"] = rng.choice(ROOTS) if rng.random() < 0.97 else rng.choice(BAD_NOTES)
        if rng.random() < 0.4:
            case["bass"] = rng.choice(ROOTS) if rng.random() < 0.97 else rng.choice(BAD_NOTES)
        if chord == "type":
            case["type"] = rng.choice(TYPES) if rng.random() < 0.97 else "maj9"
        elif chord == "ext":
            picks = rng.sample(EXTENSIONS, rng.randint(1, 6))
            if rng.random() < 0.2:
                picks.insert(0, "")
            if rng.random() < 0.02:
                picks.append("nope")
            case["ext"] = ",".join(picks)
        elif chord == "intervals":
            case["intervals"] = random_intervals(rng) if rng.random() < 0.95 else "00 4 07"
    if rng.random() < 0.1:
        case["third"] = rng.choice(["3", "4", "5", 4, "12"])
    if rng.random() < 0.1:
        case["fifth"] = rng.choice(["6", "7", "8", 7, "x"])
    if rng.random() < 0.4:
        case["tuning"] = rng.choice(TUNINGS) if rng.random() < 0.98 else "Nashville"
    if rng.random() < 0.35:
        case["upTo"] = rng.choice(["6", "12", "18", "24", 18]) if rng.random() < 0.98 else "7"
    if rng.random() < 0.35:
        case["distance"] = rng.choice(["2", "3", "4", "5", 3]) if rng.random() < 0.98 else "6"
    for flag in ["omit3", "omit5", "easy", "noBarre", "flats"]:
        if rng.random() < 0.15:
            case[flag] = rng.random() < 0.8
    return case


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--count", type=int, default=4000)
    parser.add_argument("--seed", type=int, default=10)
    parser.add_argument("--names", action="store_true", help="typed names for `corvane-cli parse`")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    for _ in range(args.count):
        if args.names:
            print(random_name(rng))
        else:
            print(json.dumps(random_case(rng), ensure_ascii=False))
    if not args.names:
        # A few lines the batch reader itself must refuse.
        print("not json")
        print("[1, 2]")
        print('{"root": true}')
        print('{"colour": "red"}')


if __name__ == "__main__":
    main()
