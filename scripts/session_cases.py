#!/usr/bin/env python3
"""Random corvane-session lines with a fixed seed, for comparing the window before and after a change:

    scripts/session_cases.py 2000 > cases.jsonl
    build/session/corvane-session < cases.jsonl > before.jsonl   # and again after the change
    scripts/session_cases.py 2000 2026 ukulele > ukulele.jsonl   # each case starts on that instrument
"""
import json
import random
import sys

CAPTIONS = ["m", "aug", "dim", "º", "2", "4-", "4", "4+", "5-", "5", "5+", "6-", "6", "6+", "7", "7+",
            "9-", "9", "9+", "11-", "11", "11+", "13-", "13", "13+", "add4-", "add4", "add4+", "add6-",
            "add6", "add6+", "add9-", "add9", "add9+", "add11-", "add11", "add11+", "add13-", "add13",
            "add13+", "b4", "b5", "b6", "b9", "b11", "b13", "sus2", "sus4", "sus9", "sus11", ""]
NAMES = ["C", "Cm7", "Dbm7/Ab", "C7/E", "C/E", "Bb7", "E#", "Cmaj7", "C7/b9", "C(b5)", "Csus4", "C7/9/11/13",
         "F#m", "G7", "Am/C", "", "xyz", "D6/9", "Ebaug", "B7+"]


def action(rng, view):
    kind = rng.choice(["rootPick", "bassPick", "view", "toggle", "typePick", "name", "rootFlat", "bassFlat",
                       "preset", "toolButton", "trackBar", "fretLimit", "span", "option", "resize", "click",
                       "patch", "tempo", "neck"])
    if kind in ("rootPick", "bassPick"):
        return [kind, rng.randrange(12)]
    if kind == "view":
        view[0] = rng.choice(["mod1", "mod2"])
        return ["view", view[0]]
    if kind == "toggle":
        return ["toggle", rng.choice(CAPTIONS)]
    if kind == "typePick":
        return ["typePick", rng.randrange(35)]
    if kind == "name":
        return ["name", rng.choice(NAMES)]
    if kind in ("rootFlat", "bassFlat"):
        return [kind, rng.random() < 0.5]
    if kind == "preset":
        return ["preset", rng.randrange(12)]
    if kind == "toolButton":
        return ["toolButton"]
    if kind == "trackBar":
        return ["trackBar", rng.randrange(6), rng.randrange(12)]
    if kind == "fretLimit":
        return ["fretLimit", rng.choice([6, 12, 18, 24])]
    if kind == "span":
        return ["span", rng.randrange(2, 6)]
    if kind == "option":
        return [rng.choice(["omit3", "omit5", "leftHanded", "noBarre", "easy"]), rng.random() < 0.5]
    if kind == "resize":
        return ["resize", rng.randrange(300, 1400)]
    if kind == "click":
        return ["click", rng.randrange(0, 1000), rng.randrange(0, 800)]
    if kind == "patch":
        return ["patch", rng.randrange(9)]
    if kind == "tempo":
        return ["tempo", rng.randrange(6)]
    return ["neck", rng.choice(["classic", "electric"])]


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 2026)
    instrument = sys.argv[3] if len(sys.argv) > 3 else None
    for _ in range(count):
        view = ["mod1"]
        actions = [action(rng, view) for _ in range(rng.randrange(1, 9))]
        if instrument:
            actions.insert(0, ["instrument", instrument])
        print(json.dumps({"sheetWidth": rng.choice([400, 600, 850, 1200]), "actions": actions},
                         ensure_ascii=False))


if __name__ == "__main__":
    main()
