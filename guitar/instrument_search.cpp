// The fingering search and the refresh for any instrument.
#include "guitar/instrument_search.h"

#include <algorithm>
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
    return { strings, instrument.frets, instrument.easyShapes, instrument.freeInversions && strings.count == 4,
        instrument.IsSixStringGuitar() && strings.count == kStrings };
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
        return { RecordsOf(found.records), std::move(found.chordTones), std::move(found.names),
            std::move(found.error) };
    }
}

InstrumentRefreshResult ComputeInstrumentRefresh(const RefreshInput& input, const StringSet& strings)
{
    InstrumentRefreshResult result;
    result.error = RefreshInputError(input);
    if (!result.error.empty())
        return result;
    if (strings.sixStringRules)
        return SixStringRefresh(input, strings.strings);
    const ChordToSearch chord = ChordToSearchOf(input);
    InstrumentSearchResult found = SearchInstrumentVoicings(chord, input.options, strings);
    PromoteInstrumentEasyShape(found.records, strings.easyShapes);
    SortInstrumentRecords(found.records);
    result.records = std::move(found.records);
    result.chordTones = std::move(found.chordTones);
    result.names = ListChordNames(result.chordTones, input.bassIndex, input.rootGridNames);
    return result;
}

} // namespace corvane
