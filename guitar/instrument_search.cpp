// The fingering search and the refresh for any instrument.
#include "guitar/instrument_search.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <numeric>

#include "guitar/finger_rules.h"
#include "theory/naming.h"

namespace corvane {

int StringShapeClass(const Frets& frets) { return finger_rules::ShapeClass(frets, frets.count); }

int CountStringFingers(Frets& v, bool noBarre) { return finger_rules::CountFingers(v, v.count, noBarre); }

std::string InstrumentRecord::Text() const { return finger_rules::RecordText(key, FretsText(frets)); }

StringSet StringSetOf(const Instrument& instrument, const OpenStrings& strings)
{
    const bool sixStringRules = instrument.IsSixStringGuitar() && strings.count == kStrings;
    return { strings, instrument.frets, instrument.easyShapes, instrument.freeInversions && strings.count == 4,
        sixStringRules, !sixStringRules, instrument.caption };
}

StringSet GuitarStrings(const Tuning& tuning) { return StringSetOf(SixStringGuitar(), GuitarOpenStrings(tuning)); }

namespace {

    // One pass from the front, as on six strings: of two equal neighbours only the first goes.
    void RemoveTone(std::vector<int>& tones, int tone)
    {
        for (size_t i = 0; i < tones.size(); ++i)
            if (tones[i] == tone)
                tones.erase(tones.begin() + static_cast<std::ptrdiff_t>(i));
    }

    class StringSearch {
    public:
        StringSearch(const ChordToSearch& chord, const SearchOptions& options, const StringSet& set,
            InstrumentSearchResult& result)
            : m_options(options)
            , m_n(set.strings.count)
            , m_result(result)
        {
            m_result.chordTones = chord.chordTones;
            if (options.omit3)
                RemoveTone(m_result.chordTones, (chord.thirdInterval + chord.rootIndex) % 12);
            if (options.omit5)
                RemoveTone(m_result.chordTones, (chord.fifthInterval + chord.rootIndex) % 12);
            for (int tone : m_result.chordTones) {
                if (tone < 0 || tone > 11)
                    m_valid = false;
                else
                    m_tones |= 1u << tone;
            }
            m_valid = m_valid && m_tones != 0 && chord.bassIndex >= 0 && chord.bassIndex <= 11 && m_n >= 1
                && m_n <= kMaxInstrumentStrings;
            m_bass = chord.bassIndex;
            m_freeBass = set.freeInversions && chord.bassIndex == chord.rootIndex;
            m_allowed = m_freeBass ? m_tones : m_tones | (m_valid ? 1u << m_bass : 0u);
            m_minSounding = std::max(3, m_n - 2);
            m_capo = std::clamp(options.capo, 0, kMaxCapo);
            m_topStopped = std::min(set.lastFret - m_capo, options.fretLimit + options.span - 2);
            for (int s = 0; s < m_n; ++s)
                m_open[static_cast<size_t>(s)] = set.strings[s] + m_capo;
        }

        void Run()
        {
            if (!m_valid)
                return;
            // The fingerings without a stopped string, then those whose lowest stopped fret is L.
            for (int low = 0; low < m_options.fretLimit && low <= m_topStopped; ++low) {
                m_low = low;
                PrepareStates();
                Enumerate(0);
            }
        }

    private:
        int Pitch(int s, int fret) const { return m_open[static_cast<size_t>(s)] + fret; }

        void PrepareStates()
        {
            const int high = m_low == 0 ? 0 : std::min(m_low + m_options.span - 1, m_topStopped);
            for (int s = 0; s < m_n; ++s) {
                auto& states = m_states[static_cast<size_t>(s)];
                states.count = 0;
                if ((m_allowed >> (Pitch(s, 0) % 12) & 1u) != 0)
                    states.values[states.count++] = 0;
                for (int f = std::max(m_low, 1); f <= high; ++f)
                    if ((m_allowed >> (Pitch(s, f) % 12) & 1u) != 0)
                        states.values[states.count++] = f;
                if (!m_options.easy || s < m_n - 4)
                    states.values[states.count++] = kMuted;
            }
            m_offerFrom[static_cast<size_t>(m_n)] = 0;
            for (int s = m_n - 1; s >= 0; --s) {
                unsigned offer = 0;
                const auto& states = m_states[static_cast<size_t>(s)];
                for (int i = 0; i < states.count; ++i)
                    if (states.values[static_cast<size_t>(i)] != kMuted)
                        offer |= 1u << (Pitch(s, states.values[static_cast<size_t>(i)]) % 12);
                m_offerFrom[static_cast<size_t>(s)] = m_offerFrom[static_cast<size_t>(s) + 1] | offer;
            }
        }

        void Enumerate(int s)
        {
            if (s == m_n) {
                Evaluate();
                return;
            }
            if (m_sounding + (m_n - s) < m_minSounding)
                return;
            if ((m_tones & ~m_heard & ~m_offerFrom[static_cast<size_t>(s)]) != 0)
                return;
            const auto& states = m_states[static_cast<size_t>(s)];
            const unsigned heard = m_heard;
            for (int i = 0; i < states.count; ++i) {
                const int value = states.values[static_cast<size_t>(i)];
                m_cand[s] = value;
                if (value == kMuted) {
                    Enumerate(s + 1);
                    continue;
                }
                ++m_sounding;
                m_heard = heard | 1u << (Pitch(s, value) % 12);
                Enumerate(s + 1);
                --m_sounding;
                m_heard = heard;
            }
        }

        void Evaluate()
        {
            if ((m_heard & m_tones) != m_tones || m_sounding < m_minSounding)
                return;
            int lowest = 1000;
            int bassString = -1;
            int highestNonTone = -1;
            int topStopped = 0;
            bool atLow = m_low == 0;
            for (int s = 0; s < m_n; ++s) {
                const int value = m_cand[s];
                if (value == kMuted)
                    continue;
                const int pitch = Pitch(s, value);
                if (pitch < lowest) {
                    lowest = pitch;
                    bassString = s;
                }
                if ((m_tones >> (pitch % 12) & 1u) == 0)
                    highestNonTone = std::max(highestNonTone, pitch);
                topStopped = std::max(topStopped, value);
                atLow = atLow || value == m_low;
            }
            // Each fingering is met once: under its own lowest stopped fret.
            if (!atLow)
                return;
            if (!m_freeBass && lowest % 12 != m_bass)
                return;
            if (highestNonTone > lowest)
                return;
            const int bassFret = m_cand[bassString];
            if (bassFret >= m_options.fretLimit || (bassFret == 0 && topStopped >= m_options.fretLimit))
                return;
            Frets marked = m_cand;
            if (CountStringFingers(marked, m_options.noBarre) <= 4)
                Record(marked);
        }

        void Record(const Frets& v)
        {
            int minFret = 100;
            int topFret = 0;
            for (int value : v) {
                if (value == kMuted)
                    continue;
                const int a = std::abs(value);
                if (a != 0 && a < minFret)
                    minFret = a;
                topFret = std::max(topFret, value);
            }
            const int baseFret = topFret <= 5 ? 1 : minFret;
            InstrumentRecord record;
            record.key = (baseFret + 10) * 10000 + StringShapeClass(v) * 100 + (topFret + 10);
            record.frets = v;
            m_result.records.push_back(record);
        }

        struct StringStates {
            std::array<int, 32> values {};
            int count = 0;
        };

        const SearchOptions& m_options;
        const int m_n;
        InstrumentSearchResult& m_result;
        bool m_valid = true;
        unsigned m_tones = 0;
        unsigned m_allowed = 0;
        int m_bass = 0;
        bool m_freeBass = false;
        int m_minSounding = 3;
        int m_capo = 0;
        int m_topStopped = 0;
        int m_low = 0;
        std::array<int, kMaxInstrumentStrings> m_open {};
        std::array<StringStates, kMaxInstrumentStrings> m_states {};
        std::array<unsigned, kMaxInstrumentStrings + 1> m_offerFrom {};
        Frets m_cand { m_n, {} };
        int m_sounding = 0;
        unsigned m_heard = 0;
    };

} // namespace

InstrumentSearchResult SearchInstrumentVoicings(
    const ChordToSearch& chord, const SearchOptions& options, const StringSet& strings)
{
    InstrumentSearchResult result;
    StringSearch(chord, options, strings, result).Run();
    return result;
}

int PromoteInstrumentEasyShape(std::vector<InstrumentRecord>& records, std::string_view easyShapes)
{
    std::vector<std::string> texts(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        texts[i] = records[i].VoicingPart();
    for (size_t at = 0; at < easyShapes.size();) {
        size_t end = easyShapes.find(',', at);
        if (end == std::string_view::npos)
            end = easyShapes.size();
        std::string_view shape = easyShapes.substr(at, end - at);
        shape.remove_prefix(std::min(shape.find_first_not_of(' '), shape.size()));
        at = end + 1;
        for (size_t i = 0; i < records.size(); ++i) {
            if (!shape.empty() && texts[i] == shape) {
                records[i].key = 0;
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

void SortInstrumentRecords(std::vector<InstrumentRecord>& records)
{
    std::vector<std::pair<std::string, InstrumentRecord>> texts;
    texts.reserve(records.size());
    for (const InstrumentRecord& record : records)
        texts.emplace_back(record.Text(), record);
    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < records.size(); ++i)
        records[i] = texts[i].second;
}

OpenStrings BassMarkStrings(const StringSet& strings)
{
    return strings.sixStringRules ? OpenStrings {} : strings.strings;
}

Tuning PitchClassesOf(const OpenStrings& strings)
{
    Tuning tuning {};
    for (int s = 0; s < kStrings; ++s)
        tuning[static_cast<size_t>(s)] = strings[s] % 12;
    return tuning;
}

std::vector<InstrumentRecord> RecordsOf(const std::vector<VoicingRecord>& records)
{
    std::vector<InstrumentRecord> out;
    out.reserve(records.size());
    for (const VoicingRecord& record : records)
        out.push_back({ record.key, FretsOfVoicing(record.frets) });
    return out;
}

namespace {
    InstrumentRefreshResult SixStringRefresh(RefreshInput input, const OpenStrings& strings)
    {
        input.options.tuning = PitchClassesOf(strings);
        RefreshResult found = ComputeRefresh(input);
        InstrumentRefreshResult result;
        result.records = RecordsOf(found.records);
        result.chordTones = std::move(found.chordTones);
        result.names = std::move(found.names);
        result.error = std::move(found.error);
        return result;
    }

    // The chord's tones once the omit options have taken theirs, as both searches take them.
    std::vector<int> TonesAfterOmit(const RefreshInput& input)
    {
        std::vector<int> tones = input.chordTones;
        if (input.options.omit3)
            RemoveTone(tones, (input.thirdInterval + input.rootIndex) % 12);
        if (input.options.omit5)
            RemoveTone(tones, (input.fifthInterval + input.rootIndex) % 12);
        return tones;
    }

    // The records of one search, in the order found, on the strings' own rules.
    std::vector<InstrumentRecord> FoundRecords(RefreshInput input, const StringSet& strings)
    {
        if (!strings.sixStringRules)
            return SearchInstrumentVoicings(ChordToSearchOf(input), input.options, strings).records;
        input.options.tuning = PitchClassesOf(strings.strings);
        if (!RefreshInputError(input).empty())
            return {};
        return RecordsOf(SearchVoicings(ChordToSearchOf(input), input.options).records);
    }

    struct LeftOutSearch {
        std::vector<InstrumentRecord> records; // sorted, one easy shape promoted
        std::vector<unsigned> leftOut;
        int toneCount = 0;
        int mostLeftOut = 0; // the most tones the rules allow to leave out
    };

    // Rule 11: each set of tones that may be left out, fewest first, until a count finds fingerings.
    LeftOutSearch SearchLeavingOut(const RefreshInput& input, const StringSet& strings)
    {
        LeftOutSearch out;
        const std::vector<int> tones = TonesAfterOmit(input);
        const bool freeBass = strings.freeInversions && !strings.sixStringRules && input.bassIndex == input.rootIndex;
        out.toneCount = ToneCount(tones, freeBass ? -1 : input.bassIndex);
        const std::vector<LeftOut> choices = LeaveOutChoices(tones, input.rootIndex, freeBass ? -1 : input.bassIndex);
        out.mostLeftOut = choices.back().Count();
        const int fewest = out.toneCount - strings.strings.count;
        for (int count = fewest; count <= out.mostLeftOut && out.records.empty(); ++count) {
            for (const LeftOut& choice : choices) {
                if (choice.Count() != count)
                    continue;
                RefreshInput reduced = input;
                reduced.chordTones.clear();
                for (int tone : tones)
                    if (tone < 0 || tone > 11 || (choice.pitches >> tone & 1u) == 0)
                        reduced.chordTones.push_back(tone);
                reduced.options.omit3 = false;
                reduced.options.omit5 = false;
                std::vector<InstrumentRecord> found = FoundRecords(reduced, strings);
                if (found.empty())
                    continue;
                for (InstrumentRecord& record : found)
                    record.leftOut = choice.tones;
                out.records.insert(out.records.end(), found.begin(), found.end());
                out.leftOut.push_back(choice.tones);
            }
        }
        PromoteInstrumentEasyShape(out.records, strings.easyShapes);
        SortInstrumentRecords(out.records);
        return out;
    }

    bool LeavesOut(const RefreshInput& input, const StringSet& strings)
    {
        if (!strings.dropTones)
            return false;
        const bool freeBass = strings.freeInversions && !strings.sixStringRules && input.bassIndex == input.rootIndex;
        return ToneCount(TonesAfterOmit(input), freeBass ? -1 : input.bassIndex) > strings.strings.count;
    }

    // The search as the refresh runs it, leaving tones out where rule 11 says so.
    LeftOutSearch Search(const RefreshInput& input, const StringSet& strings)
    {
        if (LeavesOut(input, strings))
            return SearchLeavingOut(input, strings);
        LeftOutSearch out;
        if (strings.sixStringRules) {
            out.records = SixStringRefresh(input, strings.strings).records;
        } else {
            out.records = SearchInstrumentVoicings(ChordToSearchOf(input), input.options, strings).records;
            PromoteInstrumentEasyShape(out.records, strings.easyShapes);
            SortInstrumentRecords(out.records);
        }
        return out;
    }

    // Rule 12, once the search has found nothing.
    std::string WhyNothing(const RefreshInput& input, const StringSet& strings)
    {
        const int n = strings.strings.count;
        const std::vector<int> tones = TonesAfterOmit(input);
        const bool freeBass = strings.freeInversions && !strings.sixStringRules && input.bassIndex == input.rootIndex;
        const int count = ToneCount(tones, freeBass ? -1 : input.bassIndex);
        const LeftOut largest = LeavesOut(input, strings)
            ? LeaveOutChoices(tones, input.rootIndex, freeBass ? -1 : input.bassIndex).back()
            : LeftOut {};
        if (count - largest.Count() > n) {
            std::string why = "too many tones: " + std::to_string(count) + " on " + std::to_string(n) + " strings";
            if (largest.tones != 0)
                why += ", " + std::to_string(count - largest.Count()) + " even without " + LeftOutPhrase(largest.tones);
            return why;
        }
        RefreshInput wide = input;
        wide.options.fretLimit = 24;
        wide.options.span = 5;
        const bool narrower
            = input.options.fretLimit < wide.options.fretLimit || input.options.span < wide.options.span;
        if (narrower && !Search(wide, strings).records.empty())
            return "no fingering within \"Up to fret\" " + std::to_string(input.options.fretLimit)
                + " and \"Distance\" " + std::to_string(input.options.span);
        if (input.bassIndex != input.rootIndex && input.bassIndex >= 0 && input.bassIndex < 12) {
            RefreshInput plain = wide;
            plain.bassIndex = plain.rootIndex;
            if (!plain.chordTones.empty())
                plain.chordTones.front() = plain.rootIndex;
            if (!Search(plain, strings).records.empty())
                return "the strings cannot sound the bass " + input.rootGridNames[static_cast<size_t>(input.bassIndex)]
                    + " below this chord";
        }
        return "no fingering with these options";
    }
}

InstrumentRefreshResult ComputeInstrumentRefresh(const RefreshInput& input, const StringSet& strings)
{
    InstrumentRefreshResult result;
    result.error = RefreshInputError(input);
    if (!result.error.empty())
        return result;
    if (strings.sixStringRules && !LeavesOut(input, strings)) {
        result = SixStringRefresh(input, strings.strings);
    } else {
        LeftOutSearch found = Search(input, strings);
        result.records = std::move(found.records);
        result.toneCount = found.toneCount;
        result.leftOut = std::move(found.leftOut);
        result.chordTones = TonesAfterOmit(input);
        result.names = ListChordNames(result.chordTones, input.bassIndex, input.rootGridNames);
    }
    if (result.records.empty() && result.error.empty())
        result.emptyReason = WhyNothing(input, strings);
    return result;
}

std::string InstrumentWords(const StringSet& strings)
{
    if (strings.caption.empty())
        return "instrument";
    std::string words(strings.caption);
    words.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(words.front())));
    return words;
}

std::string LeftOutHeadingOf(
    const InstrumentRefreshResult& result, const std::string& chordName, const StringSet& strings)
{
    if (result.leftOut.empty())
        return {};
    return LeftOutHeading(chordName, result.toneCount, InstrumentWords(strings), strings.strings.count, result.leftOut);
}

std::string SearchStatusMessage(
    const InstrumentRefreshResult& result, const std::string& chordName, const StringSet& strings)
{
    if (strings.sixStringRules)
        return {};
    if (std::string heading = LeftOutHeadingOf(result, chordName, strings); !heading.empty())
        return heading;
    if (result.records.empty() && !result.emptyReason.empty())
        return chordName + ": " + result.emptyReason;
    return {};
}

} // namespace corvane
