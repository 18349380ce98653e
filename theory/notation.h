#pragma once
// The notations chord names are written and read in: this program's own, the lead sheet's, the
// German (H is B, B is Bb), the Latin (Do Ré Mi), and the Nashville numbers and Roman numerals that
// count from a key.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "theory/lead_sheet.h"
#include "theory/notes.h"

namespace corvane {

enum class Notation { Parts, LeadSheet, German, Latin, Nashville, Roman };

inline constexpr std::array kNotations { Notation::Parts, Notation::LeadSheet, Notation::German, Notation::Latin,
    Notation::Nashville, Notation::Roman };

// The command line's words: parts, lead-sheet, german, latin, nashville, roman.
std::string_view NotationWord(Notation notation);
std::optional<Notation> ParseNotation(std::string_view word);

// The menu's words: "As this program writes them", "Lead sheet", "German", "Latin", ...
std::string_view NotationCaption(Notation notation);

// Nashville and Roman count from a key.
inline bool CountsFromKey(Notation notation) { return notation == Notation::Nashville || notation == Notation::Roman; }

// The key a number or numeral counts from.
struct NotationKey {
    PitchClass tonic = 0;
    bool minor = false;
    Spelling spelling = Spelling::Sharp; // how the key's chromatic notes are spelled in letters

    bool operator==(const NotationKey&) const = default;
};

// The key of a tonic as players spell its notes: Bb, Eb, F and their relative minors with flats.
NotationKey KeyOf(PitchClass tonic, bool minor);

// A note as the notation writes it: "B" lead sheet, "H" German, "Si" Latin, "7" Nashville, "VII"
// Roman (a numeral in capitals; the chord decides its case). Nashville and Roman need the key.
std::string NoteIn(PitchClass pc, Notation notation, Spelling spelling, const std::optional<NotationKey>& key);

// A chord written in the notation: root, suffix, and the bass after a slash when it is another
// note. The Parts notation has its own writer (the names list); asked for here it writes the lead
// sheet's symbol. Nothing when no symbol holds these notes, or when a key is needed and not given.
std::optional<std::string> WriteChordIn(PitchClass root, const std::vector<int>& intervals, PitchClass bass,
    Spelling spelling, Notation notation, const std::optional<NotationKey>& key);

// A chord of the notation turned into letters, the lead sheet's words: "H7" German is "B7", "Rem"
// Latin is "Dm", "5m" Nashville in G is "Dm", "ii7" Roman in C is "Dm7". Nothing when the text does
// not start with a note, number or numeral of the notation (or a key is needed and not given).
std::optional<std::string> LettersOf(std::string_view text, Notation notation, const std::optional<NotationKey>& key);

// Reads a chord of the notation: the lead-sheet reading of its letters. The Parts notation is not
// read here (the name box's reader is); asked for, this reads the lead sheet's symbols.
LeadSheetChord ReadChordIn(std::string_view text, Notation notation, const std::optional<NotationKey>& key);

// The names of one chord, as the names list lists them in the Parts notation, written in another:
// one name per root in the order the list first names it, each the notes over that root and the
// chord's bass. A root whose chord no symbol holds keeps its listed name; a name with no root
// (an unread typed root) is left out. The Parts notation returns the list as it is.
std::vector<std::string> NamesIn(const std::vector<std::string>& listed, const std::vector<int>& noteSet,
    PitchClass bass, const std::array<std::string, 12>& rootGridNames, Notation notation,
    const std::optional<NotationKey>& key);

// The names list of a refresh as the window shows it: empty when the typed name gave no note at all,
// neither root nor bass (the names of the other notes over nothing name no chord typed), else NamesIn.
std::vector<std::string> NamesListIn(const std::vector<std::string>& listed, PitchClass root,
    const std::vector<int>& noteSet, PitchClass bass, const std::array<std::string, 12>& rootGridNames,
    Notation notation, const std::optional<NotationKey>& key = std::nullopt);

// The entry NamesIn gives the root of `name`, one of `listed`: the name written for that root, or,
// when no symbol holds it, the list's first name over that root. The name itself when it has no root.
std::string ListedNameIn(const std::vector<std::string>& listed, std::string_view name, const std::vector<int>& noteSet,
    PitchClass bass, const std::array<std::string, 12>& rootGridNames, Notation notation,
    const std::optional<NotationKey>& key);

// One name of the list (or the best name written from it) in the notation, over the chord's notes
// and bass: the Parts notation returns it as it is.
std::string NameIn(std::string_view name, const std::vector<int>& noteSet, PitchClass bass,
    const std::array<std::string, 12>& rootGridNames, Notation notation, const std::optional<NotationKey>& key);

} // namespace corvane
