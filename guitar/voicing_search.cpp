// The six-string guitar's exhaustive fingering search.
#include "guitar/voicing_search.h"

#include "guitar/finger_rules.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

namespace {

    constexpr int kNone = -1;

    // Bits set in each 12-bit pitch-class mask.
    constexpr auto kBitCount = [] {
        std::array<std::uint8_t, 4096> count {};
        for (size_t m = 1; m < count.size(); ++m)
            count[m] = static_cast<std::uint8_t>(count[m >> 1] + (m & 1));
        return count;
    }();
    using FretTable = std::array<std::array<int, kNeckFrets>, kStrings>;

    // For every string and fret up to fretLimit + 4: the first listed note sounding there, else -1.
    FretTable BuildFretTable(const std::vector<int>& notes, const Tuning& tuning, int fretLimit)
    {
        FretTable table;
        for (auto& row : table)
            row.fill(kNone);
        const int lastFret = std::min(fretLimit + 4, kNeckFrets - 1);
        for (size_t s = 0; s < kStrings; ++s) {
            for (int f = 0; f <= lastFret; ++f) {
                const int pc = (tuning[s] + f) % 12;
                for (int n : notes) {
                    if (n == pc) {
                        table[s][static_cast<size_t>(f)] = n;
                        break;
                    }
                }
            }
        }
        return table;
    }

    // One pass from the front; after a removal the entry that moved up is passed over, so of two
    // equal neighbours only the first goes.
    void RemoveTone(std::vector<int>& tones, int tone)
    {
        for (size_t i = 0; i < tones.size(); ++i)
            if (tones[i] == tone)
                tones.erase(tones.begin() + static_cast<std::ptrdiff_t>(i));
    }

    // Open-addressing set of voicings packed into 48 bits, for duplicate detection. One set per thread
    // is kept between searches; the top 16 bits of a slot hold the search that filled it, so a new
    // generation empties the set without touching its memory.
    class VoicingSet {
    public:
        void Clear()
        {
            if (++m_generation == 0) {
                std::fill(m_slots.begin(), m_slots.end(), 0);
                m_generation = 1;
            }
            m_size = 0;
        }

        // True when the voicing was not yet in the set.
        bool Insert(const Voicing& v)
        {
            std::uint64_t packed = 0;
            for (int value : v)
                packed = (packed << 8) | static_cast<std::uint8_t>(value + 64);
            if ((m_size + 1) * 2 > m_slots.size())
                Grow();
            return Place(packed | std::uint64_t { m_generation } << 48);
        }

    private:
        bool Place(std::uint64_t entry)
        {
            const size_t mask = m_slots.size() - 1;
            size_t i = static_cast<size_t>((entry * 0x9E3779B97F4A7C15ull) >> 20) & mask;
            while (m_slots[i] >> 48 == m_generation) {
                if (m_slots[i] == entry)
                    return false;
                i = (i + 1) & mask;
            }
            m_slots[i] = entry;
            ++m_size;
            return true;
        }

        void Grow()
        {
            std::vector<std::uint64_t> old(std::max<size_t>(m_slots.size() * 2, 1024), 0);
            old.swap(m_slots);
            m_size = 0;
            for (std::uint64_t entry : old)
                if (entry >> 48 == m_generation)
                    Place(entry);
        }

        std::vector<std::uint64_t> m_slots;
        std::uint16_t m_generation = 1;
        size_t m_size = 0;
    };

    VoicingSet& SeenVoicings()
    {
        thread_local VoicingSet set;
        return set;
    }

    class Search {
    public:
        Search(const ChordToSearch& chord, const SearchOptions& options, SearchResult& result)
            : m_options(options)
            , m_tuning(CapoTuning(options.tuning, options.capo))
            , m_bassIndex(chord.bassIndex)
            , m_result(result)
            , m_seen(SeenVoicings())
        {
            m_seen.Clear();
            m_result.chordTones = chord.chordTones;
            if (options.omit3)
                RemoveTone(m_result.chordTones, (chord.thirdInterval + chord.rootIndex) % 12);
            if (options.omit5)
                RemoveTone(m_result.chordTones, (chord.fifthInterval + chord.rootIndex) % 12);

            m_bassTable = BuildFretTable({ chord.bassIndex }, m_tuning, options.fretLimit);
            m_toneTable = BuildFretTable(m_result.chordTones, m_tuning, options.fretLimit);
            for (size_t s = 0; s < kStrings; ++s)
                for (int f = 0; f < kNeckFrets; ++f)
                    m_noteAt[s][static_cast<size_t>(f)] = (m_tuning[s] + f) % 12;

            const auto& tones = m_result.chordTones;
            for (size_t i = 0; i < tones.size() && m_needed.size() < kMaxNeeded; ++i)
                if (i == 0 || tones[i] != m_bassIndex)
                    m_needed.push_back(tones[i]);
            for (size_t k = 1; k < m_needed.size(); ++k) {
                const int note = m_needed[k];
                if (note < 0 || note > 11 || (m_neededMask & (1u << note)) != 0)
                    m_distinctNeeds = false;
                else
                    m_neededMask |= 1u << note;
            }
        }

        void Run()
        {
            const int fretLimit = m_options.fretLimit;
            for (;;) {
                int b = -1;
                int p = -1;
                for (int s = 0; s < 3 && b < 0; ++s) {
                    for (int f = 0; f < fretLimit; ++f) {
                        if (m_bassTable[static_cast<size_t>(s)][static_cast<size_t>(f)] != kNone) {
                            b = s;
                            p = f;
                            break;
                        }
                    }
                }
                if (b < 0)
                    return;
                m_bassTable[static_cast<size_t>(b)][static_cast<size_t>(p)] = kNone;
                m_firstFree = b + 1;

                // An open bass lets the window travel over the whole range.
                const int windows = p > 0 ? 5 : fretLimit;
                for (int a = 0; a < windows; ++a)
                    RunWindow(b, p, p + a);
            }
        }

    private:
        int Tone(int s, int f) const { return m_toneTable[static_cast<size_t>(s)][static_cast<size_t>(f)]; }

        // One window: every combination of the free strings' states, the highest string changing
        // fastest. A string runs through its first candidate, the later chord-tone frets of the window
        // (the top fret included), then muted; the first candidates stop below the top fret, and an
        // open string qualifies even below the window.
        void RunWindow(int b, int p, int top)
        {
            const int low = top - 4;
            for (int s = 0; s < b; ++s)
                m_cand[static_cast<size_t>(s)] = kMuted;
            m_cand[static_cast<size_t>(b)] = p;

            for (int s = b + 1; s < kStrings; ++s) {
                auto& states = m_states[static_cast<size_t>(s)];
                states.count = 0;
                int first = kMuted;
                for (int f = 0; f <= top - 1; ++f) {
                    if (Tone(s, f) != kNone && (f == 0 || f >= low)) {
                        first = f;
                        break;
                    }
                }
                if (first != kMuted) {
                    states.values[states.count++] = first;
                    for (int f = std::max(low, first + 1); f <= top; ++f)
                        if (Tone(s, f) != kNone)
                            states.values[states.count++] = f;
                }
                states.values[states.count++] = kMuted;
            }

            // What the strings from s upward can still add, to leave out branches where no candidate
            // can pass: leaving them out changes neither the results nor their order.
            m_offerFrom[kStrings] = 0;
            for (int s = kStrings - 1; s > b; --s) {
                const auto& states = m_states[static_cast<size_t>(s)];
                unsigned offer = 0;
                for (int i = 0; i < states.count; ++i) {
                    const int value = states.values[static_cast<size_t>(i)];
                    if (value != kMuted)
                        offer |= 1u << m_noteAt[static_cast<size_t>(s)][static_cast<size_t>(value)];
                }
                m_offerFrom[static_cast<size_t>(s)] = m_offerFrom[static_cast<size_t>(s) + 1] | offer;
            }
            Enumerate(b + 1, 0, 0);
        }

        void Enumerate(int s, int sounding, unsigned heard)
        {
            if (s == kStrings) {
                Evaluate(sounding, heard);
                return;
            }
            const int left = kStrings - s;
            if (sounding + left < 3)
                return;
            if (m_distinctNeeds) {
                if ((m_neededMask & ~heard & ~m_offerFrom[static_cast<size_t>(s)]) != 0)
                    return;
            }
            const auto& states = m_states[static_cast<size_t>(s)];
            for (int i = 0; i < states.count; ++i) {
                const int value = states.values[static_cast<size_t>(i)];
                m_cand[static_cast<size_t>(s)] = value;
                if (value == kMuted)
                    Enumerate(s + 1, sounding, heard);
                else
                    Enumerate(s + 1, sounding + 1,
                        heard | 1u << m_noteAt[static_cast<size_t>(s)][static_cast<size_t>(value)]);
            }
        }

        // Every chord tone but the root must sound above the bass, unless it is the bass itself.
        // sounding and heard describe the free strings of the current candidate.
        void Evaluate(int sounding, unsigned heard)
        {
            if (sounding < 3 || m_needed.empty())
                return;
            size_t matches = 0;
            if (m_distinctNeeds) {
                // Each needed note is crossed out once, so the matches are the needed notes that sound.
                matches = kBitCount[heard & m_neededMask];
            } else {
                std::array<bool, kMaxNeeded> crossed {};
                for (int s = m_firstFree; s < kStrings; ++s) {
                    const int value = m_cand[static_cast<size_t>(s)];
                    if (value == kMuted)
                        continue;
                    const int note = m_noteAt[static_cast<size_t>(s)][static_cast<size_t>(value)];
                    for (size_t k = 1; k < m_needed.size(); ++k) {
                        if (!crossed[k] && m_needed[k] == note) {
                            crossed[k] = true;
                            ++matches;
                            break;
                        }
                    }
                }
            }
            if (matches + 1 < m_needed.size())
                return;
            // A candidate met again in an overlapping window is decided the same way (the barre marks
            // follow from the frets), so only its first meeting counts.
            if (!m_seen.Insert(m_cand))
                return;
            Voicing marked = m_cand;
            if (CountFingers(marked, m_options.noBarre) <= 4)
                Record(marked);
        }

        void Record(const Voicing& v)
        {
            int minFret = 100;
            int topFret = 0;
            for (int s = 0; s < kStrings; ++s) {
                const int value = v[static_cast<size_t>(s)];
                if (value == kMuted) {
                    if (m_options.easy && s >= 2)
                        return;
                } else {
                    const int a = std::abs(value);
                    if (a != 0 && a < minFret)
                        minFret = a;
                    topFret = std::max(topFret, value);
                }
            }
            if (!(topFret - minFret < m_options.span))
                return;
            const int baseFret = topFret <= 5 ? 1 : minFret;
            VoicingRecord record;
            record.key = (baseFret + 10) * 10000 + ShapeClass(v) * 100 + (topFret + 10);
            record.frets = v;
            m_result.records.push_back(record);
        }

        const SearchOptions& m_options;
        const Tuning m_tuning; // as the capo leaves it
        const PitchClass m_bassIndex;
        SearchResult& m_result;
        FretTable m_bassTable {};
        FretTable m_toneTable {};
        FretTable m_noteAt {};
        static constexpr size_t kMaxNeeded = 16;
        struct StringStates {
            std::array<int, 8> values {}; // first candidate, later frets of the window, muted
            int count = 0;
        };
        std::array<StringStates, kStrings> m_states {};
        std::array<unsigned, kStrings + 1> m_offerFrom {};
        Voicing m_cand {};
        std::vector<int> m_needed;
        unsigned m_neededMask = 0;
        bool m_distinctNeeds = true;
        int m_firstFree = 0;
        VoicingSet& m_seen;
    };

} // namespace

int ShapeClass(const Voicing& v) { return finger_rules::ShapeClass(v, kStrings); }

int CountFingers(Voicing& v, bool noBarre) { return finger_rules::CountFingers(v, kStrings, noBarre); }

std::string VoicingRecord::Text() const { return finger_rules::RecordText(key, VoicingText(frets)); }

SearchResult SearchVoicings(const ChordToSearch& chord, const SearchOptions& options)
{
    SearchResult result;
    result.records.reserve(256);
    Search(chord, options, result).Run();
    return result;
}

} // namespace corvane
