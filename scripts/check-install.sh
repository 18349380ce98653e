#!/usr/bin/env bash
# Checks what an installation gives a desktop: installs a built tree into a scratch directory,
# validates the menu entry, the song files' type and the software-centre data, checks the icons, starts
# the installed program briefly on the offscreen platform (and once with a song), then builds the
# Debian package and reads its control fields and file list.
#
#   scripts/check-install.sh [build-dir]      (default: build)
#
# Needs desktop-file-utils, appstream, dpkg-dev, file, shared-mime-info and libxml2-utils
# (scripts/install-deps.sh --tests installs them).
set -euo pipefail

build_dir=${1:-build}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    echo "check-install: $build_dir is not a configured build directory" >&2
    exit 2
fi
build_dir=$(cd "$build_dir" && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
stage="$scratch/stage"
root="$stage/usr"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() { echo "ok:   $*"; }

echo "== install into $stage"
DESTDIR="$stage" cmake --install "$build_dir" --prefix /usr >"$scratch/install.log" || {
    cat "$scratch/install.log" >&2
    fail "cmake --install"
    exit 1
}

desktop_file="$root/share/applications/corvane-chords.desktop"
metainfo_file="$root/share/metainfo/org.corvane.chords.metainfo.xml"
mime_file="$root/share/mime/packages/corvane-chords.xml"
song_suffixes="cho chopro chordpro crd pro"

for f in bin/corvane-chords bin/corvane-cli share/applications/corvane-chords.desktop \
    share/metainfo/org.corvane.chords.metainfo.xml share/icons/hicolor/scalable/apps/corvane-chords.svg \
    share/mime/packages/corvane-chords.xml; do
    if [ -e "$root/$f" ]; then pass "installed /usr/$f"; else fail "not installed: /usr/$f"; fi
done
for f in bin/corvane-chords bin/corvane-cli; do
    [ -e "$root/$f" ] && { [ -x "$root/$f" ] || fail "/usr/$f is not executable"; }
done

for size in 16 24 32 48 64 128 256; do
    png="$root/share/icons/hicolor/${size}x${size}/apps/corvane-chords.png"
    if [ ! -f "$png" ]; then
        fail "missing ${size}x${size} icon"
    elif file -b "$png" | grep -q "^PNG image data, $size x $size,"; then
        pass "${size}x${size} icon"
    else
        fail "${size}x${size} icon is $(file -b "$png")"
    fi
done

echo "== desktop-file-validate"
if [ -f "$desktop_file" ]; then
    if desktop-file-validate "$desktop_file"; then pass "desktop entry valid"; else fail "desktop-file-validate"; fi
    # The entry must name what was installed: the program on the PATH and an icon of the theme.
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop_file")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop_file")
    [ -x "$root/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
    [ -f "$root/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "Icon=$icon_name is not in the hicolor theme"
    # Songs opened from a file manager arrive as file names on the command line.
    grep -q '^Exec=[^ ]* %F$' "$desktop_file" || fail "Exec does not take the files (%F): $(grep '^Exec=' "$desktop_file")"
    grep -q '^MimeType=.*text/x-chordpro;' "$desktop_file" || fail "MimeType does not name text/x-chordpro"
fi

echo "== shared MIME definition"
if [ -f "$mime_file" ]; then
    if xmllint --noout "$mime_file"; then pass "MIME definition well-formed"; else fail "xmllint $mime_file"; fi
    # Built into a scratch database, every song suffix must map to the type.
    mime_db="$scratch/mime"
    mkdir -p "$mime_db/packages"
    cp "$mime_file" "$mime_db/packages/"
    if update-mime-database "$mime_db" >"$scratch/mime.log" 2>&1; then
        for suffix in $song_suffixes; do
            if grep -q "^[0-9]*:text/x-chordpro:\*\.$suffix\(:.*\)\?$" "$mime_db/globs2"; then
                pass "*.$suffix is text/x-chordpro"
            else
                fail "*.$suffix is not text/x-chordpro in the MIME database"
            fi
        done
    else
        cat "$scratch/mime.log" >&2
        fail "update-mime-database"
    fi
fi

echo "== appstreamcli validate"
if [ -f "$metainfo_file" ]; then
    if appstreamcli validate --no-net --explain "$metainfo_file"; then
        pass "metainfo valid"
    else
        fail "appstreamcli validate"
    fi
    grep -q '<launchable type="desktop-id">corvane-chords.desktop</launchable>' "$metainfo_file" \
        || fail "metainfo does not launch corvane-chords.desktop"
fi

echo "== start the installed program"
# The program runs until its window closes: still running after a few seconds means it started.
# Sanitizer builds leak-check at exit, which a killed process never reaches.
starts() {
    local what=$1 log=$2
    shift 2
    set +e
    QT_QPA_PLATFORM=offscreen timeout 5 "$root/bin/corvane-chords" "$@" >"$log" 2>&1
    local rc=$?
    set -e
    if [ "$rc" -eq 124 ]; then
        pass "corvane-chords starts$what"
    else
        cat "$log" >&2
        fail "corvane-chords$what ended with $rc within 5 s"
    fi
}
if [ -x "$root/bin/corvane-chords" ]; then
    starts "" "$scratch/run.log"
    # As a file manager starts it: with a song file, which the program takes and keeps running.
    song="$scratch/song.cho"
    printf '{title: Check}\n[C]One [G]two\n' >"$song"
    starts " with a song file" "$scratch/run-song.log" "$song"
fi

echo "== cpack -G DEB"
package_dir="$scratch/package"
if (cd "$build_dir" && cpack -G DEB -B "$package_dir") >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
else
    cat "$scratch/cpack.log" >&2
    fail "cpack -G DEB"
    exit 1
fi
deb=$(find "$package_dir" -maxdepth 1 -name '*.deb' | head -n 1)
if [ -z "$deb" ]; then
    fail "cpack made no .deb"
    exit 1
fi

echo "== dpkg-deb -I $(basename "$deb")"
dpkg-deb -I "$deb"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = corvane-chords ] || fail "Package is '$(field Package)'"
[ -n "$(field Version)" ] || fail "no Version"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
if [ -e "$root/bin/corvane-chords" ]; then
    for lib in libqt6widgets6 libqt6svg6 libfluidsynth3; do
        grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
    done
fi
grep -q 'timgm6mb-soundfont' <<<"$(field Recommends)" || fail "Recommends lacks timgm6mb-soundfont"

echo "== dpkg-deb -c"
dpkg-deb -c "$deb" | awk '{print $NF}' >"$scratch/contents"
for f in ./usr/bin/corvane-chords ./usr/bin/corvane-cli ./usr/share/applications/corvane-chords.desktop \
    ./usr/share/metainfo/org.corvane.chords.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/corvane-chords.svg \
    ./usr/share/icons/hicolor/48x48/apps/corvane-chords.png ./usr/share/mime/packages/corvane-chords.xml; do
    if grep -qxF "$f" "$scratch/contents"; then pass "package has ${f#.}"; else fail "package lacks ${f#.}"; fi
done

if [ "$failures" -ne 0 ]; then
    echo "check-install: $failures check(s) failed" >&2
    exit 1
fi
echo "check-install: all checks passed"
