#!/usr/bin/env bash
# Runs a fixed set of voicings, names, identify, progression and song commands for every instrument
# through two builds of corvane-cli and compares what they print, write and exit with.
#
#     scripts/compare_outputs.sh OLD_CLI NEW_CLI
#
# Every command's stdout, stderr, exit status and --out file must match byte for byte; the ones that
# differ are listed with the first lines of their diff. Exit status 1 when anything differs.
set -u

old=$1
new=$2
here=$(cd "$(dirname "$0")/.." && pwd)
songs="$here/tests/song/songs"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each instrument as the options give it (quoted as in a shell), then frets for identify.
instruments=(
    "|x32010|x 3 2 0 1 0|320003|xx0232|x 10 12 12 11 10|3x0003|x3201"
    "--instrument guitar --tuning 'Drop D'|000232|x 5 4 2 3 2|xxxxxx"
    "--tuning '2 9 2 7 11 2'|x00232|3x0033"
    "--instrument 7-string-guitar|xx32010|x 9 0 7 x 6 5|0x02210|x32010"
    "--instrument ukulele|0003|2000|0232|2010|5433|000"
    "--instrument ukulele --tuning 'Low G'|0003|2000|0 0 0 3"
    "--instrument baritone-ukulele|0003|2000|0232"
    "--instrument tenor-guitar|0023|0230|2002"
    "--instrument mandolin|0023|0230|5301|x 2 2 x"
    "--instrument custom --tuning 'B E A D G'|00000|x2220"
    "--instrument banjo|0000"
)

chords=("--root C" "--name Am7" "--name D/F#" "--root G --ext 7,9" "--name Bbmaj7 --capo 2" "--root E --easy"
    "--root F --no-barre --distance 3" "--intervals \"00 04 07 11\" --root 5 --up-to 6" "--name Cm7b5 --omit5"
    "--name C/E --flats")
progressions=("C Am F G7" "Bb Eb F Gm | Cm7 F7 x2" "D A Bm G | Em7 A7sus4 D" "Db Gb Ab7" "C Xyz G")

count=0
differ=0

# run NAME ARGS...: the command through both builds, its outputs kept side by side.
run() {
    local name=$1
    shift
    count=$((count + 1))
    local side
    for side in old new; do
        local cli=$old
        [ "$side" = new ] && cli=$new
        local args=()
        local arg
        for arg in "$@"; do args+=("${arg//@OUT@/$work/$side.out}"); done
        rm -f "$work/$side.out"
        "$cli" "${args[@]}" >"$work/$side.stdout" 2>"$work/$side.stderr"
        echo "exit $?" >>"$work/$side.stderr"
        [ -f "$work/$side.out" ] && cat "$work/$side.out" >>"$work/$side.stdout"
    done
    if ! cmp -s "$work/old.stdout" "$work/new.stdout" || ! cmp -s "$work/old.stderr" "$work/new.stderr"; then
        differ=$((differ + 1))
        echo "DIFFERS: $name: $*"
        diff <(cat "$work/old.stdout" "$work/old.stderr") <(cat "$work/new.stdout" "$work/new.stderr") | head -8
    fi
}

for entry in "${instruments[@]}"; do
    IFS='|' read -r -a parts <<<"$entry"
    eval "options=(${parts[0]})"
    for chord in "${chords[@]}"; do
        eval "chordArgs=($chord)"
        for format in records frets chordpro json; do
            run "voicings $format" voicings "${chordArgs[@]}" "${options[@]}" --format "$format"
        done
        run "voicings svg" voicings "${chordArgs[@]}" "${options[@]}" --format svg --limit 8 --columns 4
        run "voicings svg all" voicings "${chordArgs[@]}" "${options[@]}" --format svg --left-handed
        run "voicings png" voicings "${chordArgs[@]}" "${options[@]}" --format png --limit 8 --out @OUT@
        run "names" names "${chordArgs[@]}" "${options[@]}"
    done
    for frets in "${parts[@]:1}"; do
        run "identify" identify "$frets" "${options[@]}"
        run "identify json" identify "$frets" "${options[@]}" --json --capo 2 --flats
    done
    for progression in "${progressions[@]}"; do
        for format in frets chordpro svg json; do
            run "progression $format" progression "$progression" "${options[@]}" --format "$format"
        done
        run "progression auto capo" progression "$progression" "${options[@]}" --capo auto --format json
        run "progression loop" progression "$progression" "${options[@]}" --loop --keep-position 3-7 --anywhere
    done
    for song in "$songs"/*.cho; do
        for format in text chordpro json svg; do
            run "song $format" song "$song" "${options[@]}" --format "$format"
        done
        run "song auto capo" song "$song" "${options[@]}" --capo auto --transpose 2 --format json
        run "song png" song "$song" "${options[@]}" --format png --out @OUT@
    done
done

echo "$count commands, $differ differ"
[ "$differ" -eq 0 ]
