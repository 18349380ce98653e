#include "guitar/voicing_search.h"

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
            if (++generation_ == 0) {
                std::fill(slots_.begin(), slots_.end(), 0);
                generation_ = 1;
            }
            size_ = 0;
        }

        // True when the voicing was not yet in the set.
        bool Insert(const Voicing& v)
        {
            std::uint64_t packed = 0;
            for (int value : v)
                packed = (packed << 8) | static_cast<std::uint8_t>(value + 64);
            if ((size_ + 1) * 2 > slots_.size())
                Grow();
            return Place(packed | std::uint64_t { generation_ } << 48);
        }

    private:
        bool Place(std::uint64_t entry)
        {
            const size_t mask = slots_.size() - 1;
            size_t i = static_cast<size_t>((entry * 0x9E3779B97F4A7C15ull) >> 20) & mask;
            while (slots_[i] >> 48 == generation_) {
                if (slots_[i] == entry)
                    return false;
                i = (i + 1) & mask;
            }
            slots_[i] = entry;
            ++size_;
            return true;
        }

        void Grow()
        {
            std::vector<std::uint64_t> old(std::max<size_t>(slots_.size() * 2, 1024), 0);
            old.swap(slots_);
            size_ = 0;
            for (std::uint64_t entry : old)
                if (entry >> 48 == generation_)
                    Place(entry);
        }

        std::vector<std::uint64_t> slots_;
        std::uint16_t generation_ = 1;
        size_t size_ = 0;
    };

    VoicingSet& SeenVoicings()
    {
        thread_local VoicingSet set;
        return set;
    }

    class Search {
    public:
        Search(const ChordToSearch& chord, const SearchOptions& options, SearchResult& result)
            : options_(options)
            , tuning_(CapoTuning(options.tuning, options.capo))
            , bassIndex_(chord.bassIndex)
            , result_(result)
            , seen_(SeenVoicings())
        {
            seen_.Clear();
            result_.chordTones = chord.chordTones;
            if (options.omit3)
                RemoveTone(result_.chordTones, (chord.thirdInterval + chord.rootIndex) % 12);
            if (options.omit5)
                RemoveTone(result_.chordTones, (chord.fifthInterval + chord.rootIndex) % 12);

            bassTable_ = BuildFretTable({ chord.bassIndex }, tuning_, options.fretLimit);
            toneTable_ = BuildFretTable(result_.chordTones, tuning_, options.fretLimit);
            for (size_t s = 0; s < kStrings; ++s)
                for (int f = 0; f < kNeckFrets; ++f)
                    noteAt_[s][static_cast<size_t>(f)] = (tuning_[s] + f) % 12;

            const auto& tones = result_.chordTones;
            for (size_t i = 0; i < tones.size() && needed_.size() < kMaxNeeded; ++i)
                if (i == 0 || tones[i] != bassIndex_)
                    needed_.push_back(tones[i]);
            for (size_t k = 1; k < needed_.size(); ++k) {
                const int note = needed_[k];
                if (note < 0 || note > 11 || (neededMask_ & (1u << note)) != 0)
                    distinctNeeds_ = false;
                else
                    neededMask_ |= 1u << note;
            }
        }

        void Run()
        {
            const int fretLimit = options_.fretLimit;
            for (;;) {
                int b = -1;
                int p = -1;
                for (int s = 0; s < 3 && b < 0; ++s) {
                    for (int f = 0; f < fretLimit; ++f) {
                        if (bassTable_[static_cast<size_t>(s)][static_cast<size_t>(f)] != kNone) {
                            b = s;
                            p = f;
                            break;
                        }
                    }
                }
                if (b < 0)
                    return;
                bassTable_[static_cast<size_t>(b)][static_cast<size_t>(p)] = kNone;
                firstFree_ = b + 1;

                // An open bass lets the window travel over the whole range.
                const int windows = p > 0 ? 5 : fretLimit;
                for (int a = 0; a < windows; ++a)
                    RunWindow(b, p, p + a);
            }
        }

    private:
        int Tone(int s, int f) const { return toneTable_[static_cast<size_t>(s)][static_cast<size_t>(f)]; }

        // One window: every combination of the free strings' states, the highest string changing
        // fastest. A string runs through its first candidate, the later chord-tone frets of the window
        // (the top fret included), then muted; the first candidates stop below the top fret, and an
        // open string qualifies even below the window.
        void RunWindow(int b, int p, int top)
        {
            const int low = top - 4;
            for (int s = 0; s < b; ++s)
                cand_[static_cast<size_t>(s)] = kMuted;
            cand_[static_cast<size_t>(b)] = p;

            for (int s = b + 1; s < kStrings; ++s) {
                auto& states = states_[static_cast<size_t>(s)];
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
            offerFrom_[kStrings] = 0;
            for (int s = kStrings - 1; s > b; --s) {
                const auto& states = states_[static_cast<size_t>(s)];
                unsigned offer = 0;
                for (int i = 0; i < states.count; ++i) {
                    const int value = states.values[static_cast<size_t>(i)];
                    if (value != kMuted)
                        offer |= 1u << noteAt_[static_cast<size_t>(s)][static_cast<size_t>(value)];
                }
                offerFrom_[static_cast<size_t>(s)] = offerFrom_[static_cast<size_t>(s) + 1] | offer;
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
            if (distinctNeeds_) {
                if ((neededMask_ & ~heard & ~offerFrom_[static_cast<size_t>(s)]) != 0)
                    return;
            }
            const auto& states = states_[static_cast<size_t>(s)];
            for (int i = 0; i < states.count; ++i) {
                const int value = states.values[static_cast<size_t>(i)];
                cand_[static_cast<size_t>(s)] = value;
                if (value == kMuted)
                    Enumerate(s + 1, sounding, heard);
                else
                    Enumerate(
                        s + 1, sounding + 1, heard | 1u << noteAt_[static_cast<size_t>(s)][static_cast<size_t>(value)]);
            }
        }

        // Every chord tone but the root must sound above the bass, unless it is the bass itself.
        // sounding and heard describe the free strings of the current candidate.
        void Evaluate(int sounding, unsigned heard)
        {
            if (sounding < 3 || needed_.empty())
                return;
            size_t matches = 0;
            if (distinctNeeds_) {
                // Each needed note is crossed out once, so the matches are the needed notes that sound.
                matches = kBitCount[heard & neededMask_];
            } else {
                std::array<bool, kMaxNeeded> crossed {};
                for (int s = firstFree_; s < kStrings; ++s) {
                    const int value = cand_[static_cast<size_t>(s)];
                    if (value == kMuted)
                        continue;
                    const int note = noteAt_[static_cast<size_t>(s)][static_cast<size_t>(value)];
                    for (size_t k = 1; k < needed_.size(); ++k) {
                        if (!crossed[k] && needed_[k] == note) {
                            crossed[k] = true;
                            ++matches;
                            break;
                        }
                    }
                }
            }
            if (matches + 1 < needed_.size())
                return;
            // A candidate met again in an overlapping window is decided the same way (the barre marks
            // follow from the frets), so only its first meeting counts.
            if (!seen_.Insert(cand_))
                return;
            Voicing marked = cand_;
            if (CountFingers(marked, options_.noBarre) <= 4)
                Record(marked);
        }

        void Record(const Voicing& v)
        {
            int minFret = 100;
            int topFret = 0;
            for (int s = 0; s < kStrings; ++s) {
                const int value = v[static_cast<size_t>(s)];
                if (value == kMuted) {
                    if (options_.easy && s >= 2)
                        return;
                } else {
                    const int a = std::abs(value);
                    if (a != 0 && a < minFret)
                        minFret = a;
                    topFret = std::max(topFret, value);
                }
            }
            if (!(topFret - minFret < options_.span))
                return;
            const int baseFret = topFret <= 5 ? 1 : minFret;
            VoicingRecord record;
            record.key = (baseFret + 10) * 10000 + ShapeClass(v) * 100 + (topFret + 10);
            record.frets = v;
            result_.records.push_back(record);
        }

        const SearchOptions& options_;
        const Tuning tuning_; // as the capo leaves it
        const PitchClass bassIndex_;
        SearchResult& result_;
        FretTable bassTable_ {};
        FretTable toneTable_ {};
        FretTable noteAt_ {};
        static constexpr size_t kMaxNeeded = 16;
        struct StringStates {
            std::array<int, 8> values {}; // first candidate, later frets of the window, muted
            int count = 0;
        };
        std::array<StringStates, kStrings> states_ {};
        std::array<unsigned, kStrings + 1> offerFrom_ {};
        Voicing cand_ {};
        std::vector<int> needed_;
        unsigned neededMask_ = 0;
        bool distinctNeeds_ = true;
        int firstFree_ = 0;
        VoicingSet& seen_;
    };

} // namespace

int ShapeClass(const Voicing& v)
{
    int run = 0;
    for (int value : v)
        run = value == kMuted ? 0 : run + 1;
    if (run == 4 && v[0] == kMuted && v[1] == kMuted)
        return 10;
    if (run == 5 && v[0] == kMuted)
        return 20;
    if (run == 6)
        return 30;
    return 50;
}

int CountFingers(Voicing& v, bool noBarre)
{
    int n = 0;
    int m = kMuted;
    for (int value : v) {
        if (value >= 1 && value <= 98) {
            ++n;
            m = std::min(m, value);
        }
    }
    if (n <= 4)
        return n;

    // A barre at the lowest fret, cancelled by an open string above its first string.
    size_t first = 0;
    while (v[first] != m)
        ++first;
    v[first] = -m;
    int count = 0;
    for (size_t t = first + 1; t < kStrings; ++t) {
        if (v[t] < m) {
            count = 0;
            break;
        }
        if (v[t] == m)
            ++count;
    }
    if (count == 0)
        v[first] = m;
    if (count > 0 && noBarre)
        return 6;
    if (n - count <= 4)
        return n - count;

    // Partial barres higher up.
    n -= count;
    int saving = 0;
    for (size_t s = 0; s < kStrings; ++s) {
        const int f = v[s];
        if (f < 1 || f > 98 || f <= m)
            continue;
        v[s] = -f;
        int same = 0;
        for (size_t t = s + 1; t < kStrings; ++t) {
            if (v[t] < f)
                break;
            if (v[t] == f)
                ++same;
        }
        if (same >= 2 || (same == 1 && s == 4))
            saving += same;
        else
            v[s] = f;
    }
    return n - saving;
}

std::string VoicingRecord::Text() const
{
    std::string text = std::to_string(key);
    text.insert(0, 6 - std::min<size_t>(6, text.size()), '0');
    return text + " " + VoicingText(frets);
}

SearchResult SearchVoicings(const ChordToSearch& chord, const SearchOptions& options)
{
    SearchResult result;
    result.records.reserve(256);
    Search(chord, options, result).Run();
    return result;
}

} // namespace corvane
