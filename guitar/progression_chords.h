#pragma once
// The steps of a progression's choice that do not depend on the instrument: reading the chords,
// searching each once, the path over their result lists and the capo suggestion. The six-string
// guitar (guitar/progression.cpp) and every other instrument (guitar/instrument_progression.cpp)
// give them their own search and their own fingering cost.

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "guitar/progression.h"
#include "guitar/refresh.h"
#include "theory/name_reading.h"
#include "theory/typed_chord.h"

namespace corvane::progression_chords {

// What one chord's search found: its sorted results, or why there are none.
template <class Record> struct Found {
    std::vector<Record> records;
    std::string error;
    std::string emptyReason; // why there are no records, where the search says
};

// Reads every chord lead-sheet first (ReadSongChord), searches it with `search` (a chord written
// again is read and searched once), and chooses the path with `choosePath` over the records' frets.
template <class Record, class Search, class ChooseLayers>
ProgressionChoiceOf<Record> Choose(const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options,
    std::vector<int> pinned, Search search, ChooseLayers choosePath)
{
    ProgressionChoiceOf<Record> out;
    out.chords.reserve(entries.size());
    std::map<std::string, size_t> seen;
    for (const ProgressionEntry& entry : entries) {
        ChordChoiceOf<Record> chord;
        chord.text = entry.chord;
        chord.beats = entry.beats;
        if (const auto it = seen.find(entry.chord); it != seen.end()) {
            const ChordChoiceOf<Record>& earlier = out.chords[it->second];
            chord.read = earlier.read;
            chord.reading = earlier.reading;
            chord.nameBoxText = earlier.nameBoxText;
            chord.noteList = earlier.noteList;
            chord.results = earlier.results;
            chord.problem = earlier.problem;
            out.chords.push_back(std::move(chord));
            continue;
        }
        seen.emplace(entry.chord, out.chords.size());
        SongChord song = ReadSongChord(entry.chord);
        chord.read = std::move(song.read);
        chord.reading = std::move(song.state);
        chord.nameBoxText = std::move(song.nameBoxText);
        const RefreshInput input = FromSelection(chord.reading, options.search);
        chord.noteList = NoteListText(input);
        // Without a root the name box would search C over whatever bass it read: not what was meant.
        // A chord read in part would be another chord than the one written.
        if (!song.rootRead || chord.reading.rootIndex == kNoPitch) {
            chord.problem = "not a chord name: it does not start with a note";
        } else if (!song.unread.empty()) {
            chord.problem = "not understood: " + UnreadText(song.unread);
        } else {
            Found<Record> found = search(input);
            if (!found.error.empty())
                chord.problem = found.error;
            else if (found.records.empty())
                chord.problem = found.emptyReason.empty() ? "no fingering with these options" : found.emptyReason;
            chord.results = std::move(found.records);
        }
        out.chords.push_back(std::move(chord));
    }

    using Fingering = decltype(Record {}.frets);
    std::vector<std::vector<Fingering>> layers(out.chords.size());
    for (size_t k = 0; k < out.chords.size(); ++k) {
        const ChordChoiceOf<Record>& chord = out.chords[k];
        if (!chord.problem.empty()) {
            out.problems.push_back("chord " + std::to_string(k + 1) + " \"" + chord.text + "\": " + chord.problem);
            continue;
        }
        layers[k].reserve(chord.results.size());
        for (const Record& record : chord.results)
            layers[k].push_back(record.frets);
    }

    PathSettings settings;
    settings.startNear = options.startNear;
    settings.keepPosition = options.keepPosition;
    settings.loop = options.loop;
    settings.weights = options.weights;
    settings.pinned = std::move(pinned);
    const Path path = choosePath(layers, settings);
    for (size_t k = 0; k < out.chords.size(); ++k) {
        out.chords[k].chosen = path.chosen[k];
        out.chords[k].cost = path.costs[k];
    }
    out.total = path.total;
    return out;
}

// Each chord written counted once by the easiest of its results, as `feel` sees their frets.
template <class Record, class Feel> CapoEase EaseOf(const ProgressionChoiceOf<Record>& choice, Feel feel)
{
    CapoEase ease;
    std::vector<const std::string*> seen;
    for (const ChordChoiceOf<Record>& chord : choice.chords) {
        if (std::any_of(seen.begin(), seen.end(), [&](const std::string* text) { return *text == chord.text; }))
            continue;
        seen.push_back(&chord.text);
        if (chord.results.empty()) {
            ++ease.left;
            continue;
        }
        std::optional<FingeringFeel> easiest;
        for (const Record& record : chord.results) {
            const FingeringFeel felt = feel(record.frets);
            if (!easiest || felt.Hard() < easiest->Hard())
                easiest = felt;
            if (easiest->Hard() == 0)
                break;
        }
        ease.barres += easiest->barre;
        ease.offChart += easiest->offChart;
        ease.high += easiest->high;
    }
    return ease;
}

// Chooses with the capo on every fret from 0 to `highest` and keeps the capo that leaves the fewest
// chords out, then has the fewest hard chords (CapoEase::Hard), then is the lowest. A song whose
// chords all have open shapes without a capo is not tried with one.
template <class Record, class ChooseWith, class Feel>
CapoSuggestionOf<Record> SuggestCapo(const ProgressionOptions& options, int highest, ChooseWith choose, Feel feel)
{
    CapoSuggestionOf<Record> best;
    for (int capo = 0; capo <= highest; ++capo) {
        ProgressionOptions tried = options;
        tried.search.capo = capo;
        ProgressionChoiceOf<Record> choice = choose(tried);
        const CapoEase ease = EaseOf(choice, feel);
        if (capo == 0)
            best.withoutCapo = ease;
        const bool better = capo == 0 || ease.left < best.ease.left
            || (ease.left == best.ease.left && ease.Hard() < best.ease.Hard());
        if (better) {
            best.capo = capo;
            best.choice = std::move(choice);
            best.ease = ease;
        }
        if (best.ease.AllOpen())
            break;
    }
    return best;
}

} // namespace corvane::progression_chords
