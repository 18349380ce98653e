// Arbitrary bytes opened as a song, for 4 to 8 strings as the first byte says: reading never fails,
// whatever the bytes, and a song read and written as ChordPro reads back, for the same strings, to
// the same title, lines, chord positions and definitions.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"
#include "song/song_text.h"
#include "song/song_view.h"

namespace {

using namespace corvane;

using fuzz::Require;

std::string Kind(const ShownSong& shown, int section)
{
    return section < 0 ? std::string("-") : shown.sections[static_cast<size_t>(section)].kind;
}

// A label that holds "label=" and both quotes, or starts or ends with a blank and holds both, or
// whose braces do not balance, has no written form that reads back; the others must come back.
bool Writable(const std::string& label)
{
    const bool bothQuotes = label.find('"') != std::string::npos && label.find('\'') != std::string::npos;
    const bool blankEnd = !label.empty()
        && (label.front() == ' ' || label.back() == ' ' || label.front() == '\t' || label.back() == '\t');
    int depth = 0;
    for (char c : label) {
        depth += c == '{' ? 1 : c == '}' ? -1 : 0;
        if (depth < 0)
            return false;
    }
    return depth == 0 && !(bothQuotes && (blankEnd || label.find("label=") != std::string::npos));
}

void RequireSame(const ShownSong& a, const ShownSong& b)
{
    Require(a.title == b.title, "title read back");
    Require(a.subtitles == b.subtitles, "subtitles read back");
    Require(a.key == b.key && a.capo == b.capo, "key and capo read back");
    Require(a.lines.size() == b.lines.size(), "as many lines read back");
    for (size_t i = 0; i < a.lines.size(); ++i) {
        const ShownLine& x = a.lines[i];
        const ShownLine& y = b.lines[i];
        Require(x.kind == y.kind && x.text == y.text && x.recalled == y.recalled, "line read back");
        Require(x.chords == y.chords, "chords at the same columns");
        Require(Kind(a, x.section) == Kind(b, y.section), "section read back");
        if (x.section >= 0 && Writable(a.sections[static_cast<size_t>(x.section)].label))
            Require(
                a.sections[static_cast<size_t>(x.section)].label == b.sections[static_cast<size_t>(y.section)].label,
                "label read back");
    }
    Require(a.definitions.size() == b.definitions.size(), "as many definitions");
    for (size_t i = 0; i < a.definitions.size(); ++i)
        Require(a.definitions[i].name == b.definitions[i].name && a.definitions[i].frets == b.definitions[i].frets
                && a.definitions[i].fingers == b.definitions[i].fingers
                && a.definitions[i].stringFrets == b.definitions[i].stringFrets
                && a.definitions[i].stringFingers == b.definitions[i].stringFingers,
            "definition read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int strings = size > 0 ? kMinInstrumentStrings + data[0] % 5 : kStrings;
    const SongReading reading = ReadSongBytes(std::string_view(reinterpret_cast<const char*>(data), size), strings);
    if (!reading.Read())
        return 0;
    for (const ChordDefinition& definition : reading.song.definitions) {
        const std::optional<Frets> frets = definition.AnyFrets();
        Require(!frets || frets->count == strings, "a definition has one fret per string");
        Require(!definition.stringFingers || definition.stringFingers->size() == static_cast<size_t>(strings),
            "a definition has one finger per string");
    }
    const ShownSong shown = ShowSong(reading.song);
    for (const ShownLine& line : shown.lines)
        for (const ShownChord& chord : line.chords)
            Require(chord.at >= 0, "a column is never negative");

    const std::string written = WriteChordPro(shown, std::vector<StripChord> {});
    const ShownSong again = ShowSong(ReadChordPro(written, strings));
    RequireSame(shown, again);
    Require(WriteChordPro(again, std::vector<StripChord> {}) == written, "writing is stable");

    // Moved and put under a capo, the song still lays out and writes.
    const ShownSong moved = ShowSong(reading.song, { static_cast<int>(size % 25) - 12, static_cast<int>(size % 12) });
    (void)SongText(moved, std::vector<StripChord> {});
    (void)WriteChordPro(moved, std::vector<StripChord> {});
    return 0;
}
