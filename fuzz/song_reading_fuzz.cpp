// Arbitrary bytes opened as a song, for 4 to 8 strings as the first byte says: reading never fails,
// whatever the bytes, and every song of the file read and written as ChordPro reads back, for the
// same strings, to the same title, lines (their markup and substitutions too), chord positions and
// definitions.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"
#include "song/song_markup.h"
#include "song/song_sheet.h"
#include "song/song_text.h"
#include "song/song_view.h"
#include "song/text_decoding.h"

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
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; };
    const bool blankEnd = !label.empty() && (blank(label.front()) || blank(label.back()));
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
    // The key is written as shown, so that a %{key} in a text may read back as another key: texts are
    // compared as written, and their chords by where they stand in that.
    Require(a.writtenTitle == b.writtenTitle, "title read back");
    Require(a.writtenSubtitles == b.writtenSubtitles, "subtitles read back");
    if (ReadMarkup(a.writtenTitle).plain.find("%{") == std::string::npos)
        Require(a.title == b.title, "title shown the same");
    // A key guessed from the chords is not written back: it is guessed again from the chords as
    // written, which a transposition may have spelled anew, so only a key the file gives must match.
    Require(
        a.keyGuessed == b.keyGuessed && (a.keyGuessed || a.key == b.key) && a.capo == b.capo, "key and capo read back");
    Require(a.lines.size() == b.lines.size(), "as many lines read back");
    bool respelled = false;
    for (size_t i = 0; i < a.lines.size(); ++i) {
        const ShownLine& x = a.lines[i];
        const ShownLine& y = b.lines[i];
        const bool substituted = ReadMarkup(x.written).plain.find("%{") != std::string::npos;
        Require(x.kind == y.kind && x.recalled == y.recalled, "line read back");
        Require(x.written == y.written, "markup and substitutions read back");
        if (x.kind == SongLineKind::ChorusRecall)
            respelled = x.shift != 0;
        if (x.recalled && respelled) {
            // A chorus recalled under another transposition is written as one around the recall:
            // its chords sound the same, spelled for the key they are read in then.
            Require(x.chords.size() == y.chords.size(), "as many chords recalled");
        } else if (substituted) {
            Require(x.chords.size() == y.chords.size(), "as many chords among substitutions");
            const auto written
                = [](const ShownChord& chord) { return chord.written.empty() ? chord.name : chord.written; };
            for (size_t c = 0; c < x.chords.size(); ++c)
                Require(x.chords[c].writtenAt == y.chords[c].writtenAt && written(x.chords[c]) == written(y.chords[c]),
                    "chords in place among substitutions");
        } else {
            Require(x.text == y.text && x.styles == y.styles, "words read back");
            Require(x.chords.size() == y.chords.size(), "as many chords read back");
            for (size_t c = 0; c < x.chords.size(); ++c) {
                const ShownChord& p = x.chords[c];
                const ShownChord& q = y.chords[c];
                // An annotation's substitutions are compared as written, as the texts are.
                if (p.annotation && ReadMarkup(p.written).plain.find("%{") != std::string::npos)
                    Require(q.annotation && p.at == q.at && p.written == q.written, "annotation read back");
                else
                    Require(p == q, "chords at the same columns");
            }
        }
        Require(Kind(a, x.section) == Kind(b, y.section), "section read back");
        const auto k = static_cast<size_t>(x.section);
        if (x.section >= 0 && Writable(a.writtenLabels[k])) {
            if (ReadMarkup(a.writtenLabels[k]).plain.find("%{") != std::string::npos)
                Require(a.writtenLabels[k] == b.writtenLabels[static_cast<size_t>(y.section)], "label read back");
            else
                Require(a.sections[k].label == b.sections[static_cast<size_t>(y.section)].label, "label read back");
        }
    }
    Require(a.notes == b.notes || a.notes.size() == b.notes.size(), "as many notes");
    Require(a.definitions.size() == b.definitions.size(), "as many definitions");
    for (size_t i = 0; i < a.definitions.size(); ++i)
        Require(a.definitions[i].name == b.definitions[i].name && a.definitions[i].frets == b.definitions[i].frets
                && a.definitions[i].fingers == b.definitions[i].fingers
                && a.definitions[i].stringFrets == b.definitions[i].stringFrets
                && a.definitions[i].stringFingers == b.definitions[i].stringFingers
                && a.definitions[i].display == b.definitions[i].display
                && a.definitions[i].copy == b.definitions[i].copy,
            "definition read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int strings = size > 0 ? kMinInstrumentStrings + data[0] % 5 : kStrings;
    const SongReading reading = ReadSongBytes(std::string_view(reinterpret_cast<const char*>(data), size), strings);
    if (!reading.Read())
        return 0;
    std::vector<const Song*> songs { &reading.song };
    for (const Song& other : reading.others)
        songs.push_back(&other);
    for (const Song* song : songs) {
        for (const ChordDefinition& definition : song->definitions) {
            const std::optional<Frets> frets = definition.AnyFrets();
            Require(!frets || frets->count == strings, "a definition has one fret per string");
            Require(!definition.stringFingers || definition.stringFingers->size() == static_cast<size_t>(strings),
                "a definition has one finger per string");
        }
        const PlayedOn on { "guitar", "E2 A2 D3 G3 B3 E4", "2026-12-10" };
        const ShownSong shown = ShowSong(*song, {}, on);
        for (const ShownLine& line : shown.lines) {
            for (const ShownChord& chord : line.chords)
                Require(chord.at >= 0 && chord.at <= CharacterCount(line.text), "a chord stands within its line");
            for (const StyledRun& run : line.styles)
                Require(run.from >= 0 && run.from < run.to && run.to <= CharacterCount(line.text),
                    "a style lies within its line");
        }

        const std::string written = WriteChordPro(shown, std::vector<StringStripChord> {});
        const std::vector<Song> back = ReadChordProSongs(written, strings);
        Require(back.size() == 1, "a song written is one song");
        const ShownSong again = ShowSong(back.front(), {}, on);
        RequireSame(shown, again);
        Require(WriteChordPro(again, std::vector<StringStripChord> {}) == written, "writing is stable");

        // Moved and put under a capo, the song still lays out and writes.
        const ShownSong moved = ShowSong(*song, { static_cast<int>(size % 25) - 12, static_cast<int>(size % 12) }, on);
        (void)SongText(moved, std::vector<StringStripChord> {});
        (void)SongSheetOf(moved, std::vector<StringStripChord> {});
        (void)WriteChordPro(moved, std::vector<StringStripChord> {});
    }
    return 0;
}
