#!/usr/bin/env bash
# Click to first sound, measured from outside the program: corvane-chords runs on its own virtual
# display with the sound on, the first diagram is clicked through the X server, the sound server's
# output is recorded, and each strum's onset in the recording is timed against its click.
#   bench/click_to_sound.sh [build-dir] [runs] [gap-seconds]      (default: build, 8, 6)
#
# Needs Xvfb, xdotool, pulseaudio-utils (parec, pactl) and build/bench/click_probe (built where
# libXtst and the PulseAudio library are). Without a sound server it starts a private PulseAudio
# with a null output.
#
# The recording's time base is the wall clock read just before the recorder starts, counted on in
# samples. That is off by the few milliseconds the recorder takes to begin, and it drifts where the
# output's clock is not the wall clock (a null output gains about 3 ms a second). click_probe
# measures both in the same recording: half a gap before and after every click it writes a pulse
# to a playback stream with 1 ms of buffering, at a known time. "raw" is the strum's onset against
# the click in that time base; "reference" is where the pulses show up, the mean of the two around
# the click; "corrected" is raw less reference: what the program takes over a client that hands its
# sound to the server at once. With a desktop's sound server already running, the strums are
# heard, and its output's own latency is in neither figure: pactl shows it (printed first).
#
# A strum rings for seconds (no note is ever stopped): 1.5 s after a click the strings still sound
# at a third of their peak, and the next onset drowns in them. Hence the long gap, and the "Muted
# guitar", which fades soonest: six seconds bring it down to a few hundredths of its peak.
#
# Settings live in a scratch folder. CORVANE_CLICK_PATCH picks the sound (an index of the patch
# box; 3, "Muted guitar", by default); CORVANE_CLICK_OFFSET="X Y" is where the first diagram lies
# from the window's corner.
set -euo pipefail

build_dir=${1:-build}
runs=${2:-8}
gap=${3:-6}
app="$build_dir/app/corvane-chords"
probe="$build_dir/bench/click_probe"
patch=${CORVANE_CLICK_PATCH:-3}
read -r offset_x offset_y <<< "${CORVANE_CLICK_OFFSET:-210 140}"
rate=44100

fail() {
    echo "click_to_sound.sh: $*" >&2
    exit 1
}
[ -x "$app" ] || fail "build $app first"
[ -x "$probe" ] || fail "build $probe first (it needs libxtst-dev and libpulse-dev)"
for tool in Xvfb xdotool parec pactl od; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
gap_ms=$(awk -v g="$gap" 'BEGIN { printf "%d", g * 1000 }')
[ "$gap_ms" -ge 400 ] || fail "the gap between clicks must be at least 0.4 s"

scratch=$(mktemp -d)
started=()
pulse_pid=
cleanup() {
    local i
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill "${started[i]}" 2>/dev/null || true
        wait "${started[i]}" 2>/dev/null || true
    done
    [ -n "$pulse_pid" ] && kill "$pulse_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# The program's settings, and a private server's cookie, stay in the scratch folder.
export XDG_CONFIG_HOME="$scratch/config"
mkdir -p "$XDG_CONFIG_HOME/Corvane"
printf '[sound]\npatch=%s\n' "$patch" > "$XDG_CONFIG_HOME/Corvane/Corvane Chords.conf"

if ! pactl info >/dev/null 2>&1; then
    export PULSE_RUNTIME_PATH="$scratch/pulse" PULSE_STATE_PATH="$scratch/pulse-state"
    pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n --log-target=file:"$scratch/pulse.log" \
        --load=module-null-sink --load=module-native-protocol-unix --load=module-always-sink
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pulse_pid=$(cat "$PULSE_RUNTIME_PATH/pid")
fi
sink=$(pactl info | sed -n 's/^Default Sink: //p')
echo "sound server: $(pactl info | sed -n 's/^Server Name: //p'), output $sink"

# A display of our own, on the first free number.
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3> "$scratch/display" 2> "$scratch/xvfb.log" &
started+=("$!")
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || fail "Xvfb did not start: $(tail -n 3 "$scratch/xvfb.log")"
display=$(cat "$scratch/display")
export DISPLAY=":$display"

QT_QPA_PLATFORM=xcb "$app" > "$scratch/app.log" 2>&1 &
started+=("$!")
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Corvane Chords$' | head -n 1) \
    || fail "no window appeared: $(tail -n 3 "$scratch/app.log")"
eval "$(xdotool getwindowgeometry --shell "$window")"

# The synthesizer starts after the first paint: the sound is on once its stream reaches the server
# (the program says on its error output when it is off).
stream_up() { pactl list sink-inputs | grep -q 'application.name = "Corvane Chords"'; }
for _ in $(seq 200); do
    grep -q 'Sound is off' "$scratch/app.log" && fail "$(grep 'Sound is off' "$scratch/app.log")"
    stream_up && break
    sleep 0.1
done
stream_up || fail "the sound did not start: $(tail -n 3 "$scratch/app.log")"
# An idle output renders far ahead; it comes down to what the streams ask for once that has played.
sink_latency() {
    pactl list sinks | awk -v sink="$sink" '$1 == "Name:" { this = ($2 == sink) }
        this && $1 == "Latency:" { print $2, $5 }'
}
for _ in $(seq 100); do
    read -r latency configured < <(sink_latency)
    [ "${latency:-0}" -le $((2 * ${configured:-0} + 2000)) ] && break
    sleep 0.1
done
pactl list sink-inputs | awk '/application.name = "Corvane Chords"/ { found = 1 }
    /^Sink Input/ { if (found) exit; b = s = "" }
    /Buffer Latency:/ { b = $3 } /Sink Latency:/ { s = $3 }
    END { if (found) printf "program'"'"'s stream: buffer %.1f ms, output %.1f ms\n", b / 1000, s / 1000 }'

recording_start=$EPOCHREALTIME
parec --raw --latency-msec=1 --format=s16le --rate=$rate --channels=1 -d "$sink.monitor" > "$scratch/recording" &
recorder=$!
started+=("$recorder")
sleep 0.3
"$probe" $((X + offset_x)) $((Y + offset_y)) "$runs" "$gap_ms" > "$scratch/events"
sleep 0.2
kill "$recorder"
wait "$recorder" 2>/dev/null || true

# Per event, in ms after it was sent: where its sound begins in the recording. A pulse is the first
# sample at two thirds of its level (no strum comes near); a strum the first sample that rises
# clearly above what was still sounding in the 50 ms before, looked for from where the pulses
# around it say a sound sent at the click would show. Then the stretches where a ringing sound
# drops to digital silence for a while: the program's stream ran dry and the server filled in.
od -An -v -td2 -w2 "$scratch/recording" | awk -v rate=$rate -v start="$recording_start" \
    -v events="$scratch/events" '
    function onset(from, limit,    j) {
        if (from < 0) from = 0
        for (j = from; j < NR && j < from + rate / 2; j++) if (s[j] > limit) return j * 1000 / rate
        return "none"
    }
    BEGIN {
        start_s = int(start); start_ms = (start - start_s) * 1000
        while ((getline line < events) > 0) {
            split(line, f, " ")
            n++; kind[n] = f[1]
            # ms since the recording started; seconds and nanoseconds apart, for awk has only doubles.
            at[n] = (substr(f[2], 1, length(f[2]) - 9) - start_s) * 1000 + substr(f[2], length(f[2]) - 8) / 1e6 - start_ms
        }
    }
    { s[NR - 1] = $1 < 0 ? -$1 : $1 }
    END {
        for (i = 1; i <= n; i++) {
            if (kind[i] != "pulse") continue
            t = onset(int((at[i] - 100) * rate / 1000), 20000)
            if (t == "none") { print "missing pulse"; exit }
            delay[i] = t - at[i]
        }
        for (i = 2; i < n; i++) {
            if (kind[i] != "click") continue
            # The pulses are half a gap before and after the click.
            first = delay[i - 1] < delay[i + 1] ? delay[i - 1] : delay[i + 1]
            from = int((at[i] + first - 1) * rate / 1000)
            floor = 0
            for (j = from - int(0.05 * rate); j < from; j++) if (j >= 0 && s[j] > floor) floor = s[j]
            if (floor > loudest) loudest = floor
            t = onset(from, floor * 4 > 64 ? floor * 4 : 64)
            if (t == "none") { print "silent click", ++runs; exit }
            printf "run %.2f %.2f %.2f\n", t - at[i], delay[i - 1], delay[i + 1]
            ++runs
        }
        print "ringing", loudest + 0
        for (j = 1; j < NR; j++) {
            if (s[j] == 0) { if (!zeros++) began = j; continue }
            if (zeros >= 16) {
                peak = 0
                for (k = began - int(0.005 * rate); k < began; k++) if (k >= 0 && s[k] > peak) peak = s[k]
                if (peak > 200 && peak < 20000) dropouts++
            }
            zeros = 0
        }
        printf "dropouts %d in %.0f s\n", dropouts, NR / rate
    }' > "$scratch/onsets"

grep -q '^missing pulse' "$scratch/onsets" && fail "a reference pulse is missing from the recording"
grep -q '^silent click' "$scratch/onsets" && fail "click $(sed -n 's/^silent click //p' "$scratch/onsets") brought no" \
    "sound: is the first diagram at $offset_x,$offset_y from the window's corner? (CORVANE_CLICK_OFFSET)"

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
sed -n 's/^run //p' "$scratch/onsets" > "$scratch/runs"
echo "run   raw   reference (before, after)   corrected   (ms from the click)"
awk '{ ref = ($2 + $3) / 2; printf "%3d %6.1f %6.1f (%6.1f, %6.1f) %11.1f\n", NR, $1, ref, $2, $3, $1 - ref }' "$scratch/runs"
raw=$(awk '{ print $1 }' "$scratch/runs" | median)
reference=$(awk '{ print ($2 + $3) / 2 }' "$scratch/runs" | median)
corrected=$(awk '{ print $1 - ($2 + $3) / 2 }' "$scratch/runs" | median)
ringing=$(sed -n 's/^ringing //p' "$scratch/onsets")
[ "$ringing" -le 2000 ] || echo "the strum before still rang at $ringing of 32767 at a click: onsets may be late; give a longer gap"
echo "dropouts in the program's sound (its stream ran dry): $(sed -n 's/^dropouts //p' "$scratch/onsets")"
echo "median: raw $raw ms, reference $reference ms, corrected click to first sound $corrected ms"
