#include "song/song_notation.h"

#include "song/spelling.h"
#include "theory/lead_sheet.h"

namespace corvane {

std::optional<NotationKey> NotationKeyOf(std::string_view keyName)
{
    const auto key = ReadKey(keyName);
    if (!key)
        return std::nullopt;
    NotationKey notationKey = KeyOf(key->tonic, key->minor);
    const std::string name = KeyName(*key);
    if (name.size() > 1 && (name[1] == 'b' || name[1] == '#'))
        notationKey.spelling = name[1] == 'b' ? Spelling::Flat : Spelling::Sharp;
    return notationKey;
}

std::optional<NotationKey> ShapeKeyOf(const ShownSong& shown) { return NotationKeyOf(shown.key); }

std::string NotationKeyName(const NotationKey& key)
{
    return std::string(NoteName(key.tonic, key.spelling)) + (key.minor ? "m" : "");
}

std::string ChordInLetters(std::string_view typed, const std::optional<NotationKey>& key)
{
    if (!key)
        return std::string(typed);
    // A letter name stays as typed: "B" is a chord of its own, not a numeral.
    if (ReadLeadSheetChord(typed).Complete())
        return std::string(typed);
    for (const Notation reader : { Notation::Nashville, Notation::Roman }) {
        const LeadSheetChord chord = ReadChordIn(typed, reader, key);
        if (chord.Complete())
            return chord.canonical;
    }
    return std::string(typed);
}

std::string SongChordIn(std::string_view name, Notation notation, const std::optional<NotationKey>& key)
{
    if (notation == Notation::Parts)
        return std::string(name);
    const LeadSheetChord chord = ReadLeadSheetChord(name);
    if (!chord.Complete())
        return std::string(name);
    const auto written = WriteChordIn(chord.root, chord.intervals, chord.bass, chord.spelling, notation, key);
    return written ? *written : std::string(name);
}

void WriteSongIn(ShownSong& shown, Notation notation)
{
    if (notation == Notation::Parts)
        return;
    const auto key = ShapeKeyOf(shown);
    for (ShownLine& line : shown.lines)
        for (ShownChord& chord : line.chords)
            if (!chord.annotation)
                chord.name = SongChordIn(chord.name, notation, key);
    for (std::string& name : shown.chords)
        name = SongChordIn(name, notation, key);
    for (std::string& name : shown.played)
        name = SongChordIn(name, notation, key);
}

} // namespace corvane
