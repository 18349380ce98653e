#pragma once
// The name a guitarist says: the names of one chord, as the names list gives them, put in
// the order a player would reach for them, and the first written as players write it. The names list
// itself keeps its own order and spelling; this is a second look at the same names.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Which bass a player names. On the six-string guitar the lowest note is the bass, and a chord over
// another note is a slash chord. Where an instrument's chords sound any of their tones lowest (the
// four-string instruments, whose search lets them), players name the chord from its root position
// and say no bass: the ukulele's Am 2000 sounds its C lowest and is "Am".
enum class BassNaming { Lowest, RootPosition };

// The places of `names` from the name a guitarist says first to the least likely. Every list gets an
// order (a name the rules cannot read goes last), and the same names always get the same one, in
// whatever order they come: of names the rules rank alike the shorter comes first, then the one first
// in byte order (the list's own order, but for the slash the list drops).
std::vector<size_t> BestFirstOrder(const std::vector<std::string>& names, BassNaming naming = BassNaming::Lowest);

// The same names in that order, spelled as the list spells them.
std::vector<std::string> BestFirst(const std::vector<std::string>& names, BassNaming naming = BassNaming::Lowest);

// One name of the list written as players write it, in words the chord name box reads back as the same
// chord: "DF#" is "D/F#", "Dsus4 " is "Dsus4", "Dadd9 (no3)" is "Dsus2", "Cadd9/7" is "C7/9", "Am7/G"
// is "Am/G". `bass`, when given, is the note the chord stands on in the names' spelling: a name that
// does not show it (the chord's own root in the names of a chosen chord) gets it as "/bass".
std::string WrittenName(std::string_view listed, std::string_view bass = {});

// One name of the list written as players write it in root position: as WrittenName, without the
// bass it stands on ("AmC" is "Am", "GD" is "G").
std::string WrittenRootPositionName(std::string_view listed);

// The first of BestFirst(names, naming) written as players write it (WrittenName, or
// WrittenRootPositionName for names in root position); empty for an empty list. The other names say
// which notes sound: a minor seventh name over whose root the major third sounds as well is the
// seventh chord with the sharp nine ("C7/9+" for C E Bb D#), which no name of the list spells.
std::string BestWrittenName(
    const std::vector<std::string>& names, BassNaming naming = BassNaming::Lowest, std::string_view bass = {});

// BestWrittenName for a caller that has the order already: names[best] written so.
std::string WrittenBest(const std::vector<std::string>& names, size_t best, BassNaming naming = BassNaming::Lowest,
    std::string_view bass = {});

// BestWrittenName of names whose bass is the lowest note.
std::string BestName(const std::vector<std::string>& names, std::string_view bass = {});

// A written name in the words of the chord name box, which reads it back as the same chord. The box
// has no word for a missing third but the power chord's "5": "C7+ (no3)" is typed "C5/7+". Every
// other written name is typed as it is ("C/E" too: the box reads the last note name as the bass).
std::string BoxName(std::string_view written);

} // namespace corvane
