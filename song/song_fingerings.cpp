#include "song/song_fingerings.h"

#include <algorithm>
#include <map>

#include "guitar/instrument_progression.h"
#include "guitar/progression.h"
#include "guitar/progression_chords.h"
#include "guitar/refresh.h"
#include "song/capo_reason.h"
#include "song/song_chord.h"

namespace corvane {

namespace {

    // The strip's fingerings: per chord the file's last {define} that `definedOf` can play on the
    // strings, else its results (`resultsOf`); the path (`choosePath`) through the song as played,
    // and each chord then keeps the fingering the path gave it most often (the first of equals),
    // since the strip shows it once.
    template <class Fingering, class DefinedOf, class ResultsOf, class ChoosePathOf>
    std::vector<StripChordOf<Fingering>> ChooseStrip(
        const ShownSong& shown, DefinedOf definedOf, ResultsOf resultsOf, ChoosePathOf choosePath)
    {
        std::vector<StripChordOf<Fingering>> strip;
        std::vector<std::vector<Fingering>> choices; // per strip chord, the fingerings it may take
        std::map<std::string, size_t> index;
        for (const std::string& name : shown.chords) {
            StripChordOf<Fingering> chord;
            chord.name = name;
            std::vector<Fingering> fingerings;
            std::optional<Fingering> defined;
            for (auto d = shown.definitions.rbegin(); d != shown.definitions.rend() && !defined; ++d)
                if (d->name == name)
                    defined = definedOf(*d);
            if (defined) {
                chord.defined = true;
                fingerings.push_back(*defined);
            } else if (strip.size() >= kMaxStripChords) {
                chord.problem = "more than " + std::to_string(kMaxStripChords) + " different chords; no diagram";
            } else {
                const auto found = resultsOf(name);
                for (const auto& record : found.records)
                    fingerings.push_back(record.frets);
                if (fingerings.empty())
                    chord.problem = found.emptyReason.empty() ? "no fingering with these options" : found.emptyReason;
            }
            index.emplace(name, strip.size());
            strip.push_back(std::move(chord));
            choices.push_back(std::move(fingerings));
        }

        std::vector<size_t> order;
        std::vector<std::vector<Fingering>> layers;
        for (const std::string& name : shown.played) {
            if (layers.size() >= kMaxPlayedChords)
                break;
            const size_t k = index.at(name);
            order.push_back(k);
            layers.push_back(choices[k]);
        }
        const Path path = choosePath(layers);
        std::vector<std::map<int, int>> votes(strip.size());
        std::vector<std::vector<int>> firsts(strip.size());
        for (size_t i = 0; i < order.size(); ++i) {
            const int chosen = path.chosen[i];
            if (chosen < 0)
                continue;
            if (votes[order[i]][chosen]++ == 0)
                firsts[order[i]].push_back(chosen);
        }
        for (size_t k = 0; k < strip.size(); ++k) {
            int best = -1;
            for (int chosen : firsts[k])
                if (best < 0 || votes[k][chosen] > votes[k][best])
                    best = chosen;
            if (best < 0 && !choices[k].empty())
                best = 0;
            if (best >= 0)
                strip[k].frets = choices[k][static_cast<size_t>(best)];
        }
        return strip;
    }

    // The song as it sounds after `transpose`, as a progression of its chords played.
    std::vector<ProgressionEntry> SoundingEntries(const Song& song, int transpose)
    {
        const ShownSong sounding = ShowSong(song, { transpose, 0 });
        std::vector<ProgressionEntry> entries;
        for (const std::string& name : sounding.played) {
            if (entries.size() >= kMaxPlayedChords)
                break;
            entries.push_back({ name, kDefaultBeats, static_cast<int>(entries.size()) + 1 });
        }
        return entries;
    }

} // namespace

std::vector<StringStripChord> ChooseInstrumentSongFingerings(
    const ShownSong& shown, const StringSet& strings, const SearchOptions& options)
{
    const StringChart chart(strings);
    // A song needs every chord: one too large for the strings is played leaving tones out.
    StringSet leaving = strings;
    leaving.dropTones = true;
    const auto resultsOf = [&](const std::string& name) {
        const SongChordReading reading = ReadSongChordName(name);
        if (!reading.chord)
            return progression_chords::Found<InstrumentRecord> {};
        InstrumentRefreshResult found = ComputeInstrumentRefresh(FromSelection(reading.selection, options), leaving);
        return progression_chords::Found<InstrumentRecord> { std::move(found.records), std::move(found.error),
            std::move(found.emptyReason) };
    };
    // A definition is played as written when it gives one fret per string, as on six strings.
    const auto definedOf = [&](const ChordDefinition& d) {
        std::optional<Frets> frets = d.AnyFrets();
        return frets && frets->count == strings.strings.count ? frets : std::nullopt;
    };
    return ChooseStrip<Frets>(shown, definedOf, resultsOf, [&](const std::vector<std::vector<Frets>>& layers) {
        return ChooseStringsPath(layers, PathSettings {}, chart);
    });
}

CapoAdvice AdviseInstrumentSongCapo(
    const Song& song, int transpose, const StringSet& strings, const ProgressionOptions& options)
{
    const std::vector<ProgressionEntry> entries = SoundingEntries(song, transpose);
    if (entries.empty())
        return { 0, "No capo: the song has no chords to play" };
    const StringCapoSuggestion suggestion = SuggestInstrumentCapo(entries, options, strings);
    const ShownSong shapes = ShowSong(song, { transpose, suggestion.capo });
    return { suggestion.capo, CapoReason(suggestion.capo, suggestion.ease, suggestion.withoutCapo, shapes.chords) };
}

} // namespace corvane
