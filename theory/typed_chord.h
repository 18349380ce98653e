#pragma once
// Which reader serves where. The name box reads its own notation first (name_reading.h) and turns
// to the lead-sheet symbols only for what that leaves unread; songs and progressions are written in
// lead-sheet symbols, so there the lead-sheet reader comes first and the box's notation serves
// where it reads what the lead-sheet reader cannot. Either way nothing is misread in silence: what
// neither reads is reported.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "theory/lead_sheet.h"
#include "theory/name_reading.h"
#include "theory/selection.h"

namespace corvane {

// The chord in the name box's own notation ("Cº", "F#m/7/5-", "G7/9-"): a name that the box reads
// completely into exactly these notes over this bass. Nothing when the extension list cannot hold
// the chord (a chord without a fifth, or too many notes for the bass).
std::optional<std::string> NameBoxText(const LeadSheetChord& chord);

// The pieces left unread, as one text: "dim7 xyz".
std::string UnreadText(const std::vector<std::string>& unread);

// What a search of the name box made of the typed text.
struct NameBoxSearch {
    std::string typed;
    bool byLeadSheet = false; // the box's notation left text unread, the lead-sheet symbols read it all
    std::string leadSheet; // the lead-sheet spelling, when those symbols read the whole text
    std::vector<std::string> unread; // what the chord shown leaves out; empty when all was read
    bool rootRead = true; // false when the text does not start with a note name

    bool Understood() const { return unread.empty() && rootRead; }
    // "Not understood: dim7", or empty when everything was read.
    std::string Problem() const;
};

// The search button: reads state.editText into the state. Every text the box's notation reads
// completely gives the state it always gave. Otherwise, when the lead-sheet symbols read the whole
// text and the extension list can show that chord, the state is the one its box name gives (the
// box then shows that name); else the box's reading stays, and what it left out is reported.
NameBoxSearch SearchTypedChord(SelectionState& state);

// One chord of a song or progression, read lead-sheet first.
struct SongChord {
    NameReading read; // the box's reading of `nameBoxText` (unread: what neither reader read)
    SelectionState state; // the chord as the name box would hold it, from the start-up selection
    std::string nameBoxText; // typed into the name box, it shows this chord (when it can)
    std::vector<std::string> unread; // what neither reader read; empty when understood
    bool rootRead = true;

    bool Understood() const { return unread.empty() && rootRead; }
};

// "C9" is the dominant ninth and "Cdim" the triad here; the box's own notation ("C7+", "Cm/7") is
// still read where the lead-sheet symbols read nothing else. A text both read into the same notes
// over the same bass gives exactly the box's reading.
SongChord ReadSongChord(std::string_view text);

} // namespace corvane
