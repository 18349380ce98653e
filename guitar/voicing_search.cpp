#include "guitar/voicing_search.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

namespace {

    constexpr int kNone = -1;
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

    // Open-addressing set of voicings packed into 64 bits, for duplicate detection.
    class VoicingSet {
    public:
        VoicingSet() { slots_.assign(4096, 0); }

        // True when the voicing was not yet in the set.
        bool Insert(const Voicing& v)
        {
            std::uint64_t packed = 1; // never 0, which marks an empty slot
            for (int value : v)
                packed = (packed << 8) | static_cast<std::uint8_t>(value + 64);
            if ((size_ + 1) * 2 > slots_.size())
                Grow();
            return Place(packed);
        }

    private:
        bool Place(std::uint64_t packed)
        {
            const size_t mask = slots_.size() - 1;
            size_t i = static_cast<size_t>((packed * 0x9E3779B97F4A7C15ull) >> 20) & mask;
            while (slots_[i] != 0) {
                if (slots_[i] == packed)
                    return false;
                i = (i + 1) & mask;
            }
            slots_[i] = packed;
            ++size_;
            return true;
        }

        void Grow()
        {
            std::vector<std::uint64_t> old(slots_.size() * 2, 0);
            old.swap(slots_);
            size_ = 0;
            for (std::uint64_t packed : old)
                if (packed != 0)
                    Place(packed);
        }

        std::vector<std::uint64_t> slots_;
        size_t size_ = 0;
    };

    class Search {
    public:
        Search(const ChordToSearch& chord, const SearchOptions& options, SearchResult& result)
            : options_(options)
            , bassIndex_(chord.bassIndex)
            , result_(result)
        {
            result_.chordTones = chord.chordTones;
            if (options.omit3)
                RemoveTone(result_.chordTones, (chord.thirdInterval + chord.rootIndex) % 12);
            if (options.omit5)
                RemoveTone(result_.chordTones, (chord.fifthInterval + chord.rootIndex) % 12);

            bassTable_ = BuildFretTable({ chord.bassIndex }, options.tuning, options.fretLimit);
            toneTable_ = BuildFretTable(result_.chordTones, options.tuning, options.fretLimit);
            for (size_t s = 0; s < kStrings; ++s)
                for (int f = 0; f < kNeckFrets; ++f)
                    noteAt_[s][static_cast<size_t>(f)] = (options.tuning[s] + f) % 12;

            const auto& tones = result_.chordTones;
            for (size_t i = 0; i < tones.size(); ++i)
                if (i == 0 || tones[i] != bassIndex_)
                    needed_.push_back(tones[i]);
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

        void RunWindow(int b, int p, int top)
        {
            const int low = top - 4;
            Voicing cand;
            for (int s = 0; s < b; ++s)
                cand[static_cast<size_t>(s)] = kMuted;
            cand[static_cast<size_t>(b)] = p;

            // First candidates stop below the top fret; an open string qualifies even below the window.
            for (int s = b + 1; s < kStrings; ++s) {
                int value = kMuted;
                for (int f = 0; f <= top - 1; ++f) {
                    if (Tone(s, f) != kNone && (f == 0 || f >= low)) {
                        value = f;
                        break;
                    }
                }
                cand[static_cast<size_t>(s)] = value;
            }
            Evaluate(cand);
            const Voicing first = cand;

            // Odometer: the highest string changes fastest; each runs through its first candidate, the
            // later chord-tone frets of the window (top included), then muted.
            for (;;) {
                int s = kStrings - 1;
                while (s > b && cand[static_cast<size_t>(s)] == kMuted)
                    --s;
                if (s > b) {
                    int next = kMuted;
                    for (int f = std::max(low, cand[static_cast<size_t>(s)] + 1); f <= top; ++f) {
                        if (Tone(s, f) != kNone) {
                            next = f;
                            break;
                        }
                    }
                    cand[static_cast<size_t>(s)] = next;
                    for (int t = s + 1; t < kStrings; ++t)
                        cand[static_cast<size_t>(t)] = first[static_cast<size_t>(t)];
                }
                Evaluate(cand);
                bool allMuted = true;
                for (int t = b + 1; t < kStrings; ++t)
                    allMuted = allMuted && cand[static_cast<size_t>(t)] == kMuted;
                if (allMuted)
                    return;
            }
        }

        // Every chord tone but the root must sound above the bass, unless it is the bass itself.
        void Evaluate(const Voicing& cand)
        {
            if (needed_.empty())
                return;
            std::array<bool, 16> crossed {};
            const size_t neededCount = std::min(needed_.size(), crossed.size());
            int sounding = 0;
            size_t matches = 0;
            for (int s = firstFree_; s < kStrings; ++s) {
                const int value = cand[static_cast<size_t>(s)];
                if (value == kMuted)
                    continue;
                ++sounding;
                const int note = noteAt_[static_cast<size_t>(s)][static_cast<size_t>(value)];
                for (size_t k = 1; k < neededCount; ++k) {
                    if (!crossed[k] && needed_[k] == note) {
                        crossed[k] = true;
                        ++matches;
                        break;
                    }
                }
            }
            if (sounding < 3 || matches + 1 < neededCount)
                return;
            Voicing marked = cand;
            if (CountFingers(marked, options_.noBarre) <= 4)
                Record(marked);
        }

        void Record(const Voicing& v)
        {
            int run = 0;
            int minFret = 100;
            int topFret = 0;
            for (int s = 0; s < kStrings; ++s) {
                const int value = v[static_cast<size_t>(s)];
                if (value == kMuted) {
                    if (options_.easy && s >= 2)
                        return;
                    run = 0;
                } else {
                    ++run;
                    const int a = std::abs(value);
                    if (a != 0 && a < minFret)
                        minFret = a;
                    topFret = std::max(topFret, value);
                }
            }
            (void)run;
            if (!(topFret - minFret < options_.span))
                return;
            const int baseFret = topFret <= 5 ? 1 : minFret;
            if (!seen_.Insert(v))
                return;
            VoicingRecord record;
            record.key = (baseFret + 10) * 10000 + ShapeClass(v) * 100 + (topFret + 10);
            record.frets = v;
            result_.records.push_back(record);
        }

        const SearchOptions& options_;
        const PitchClass bassIndex_;
        SearchResult& result_;
        FretTable bassTable_ {};
        FretTable toneTable_ {};
        FretTable noteAt_ {};
        std::vector<int> needed_;
        int firstFree_ = 0;
        VoicingSet seen_;
    };

    char* WriteInt(char* out, int value)
    {
        if (value < 0) {
            *out++ = '-';
            value = -value;
        }
        if (value >= 10)
            *out++ = static_cast<char>('0' + value / 10 % 10);
        *out++ = static_cast<char>('0' + value % 10);
        return out;
    }

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

void VoicingRecord::FormatText()
{
    char* out = text.data();
    int key6 = key;
    for (int i = 5; i >= 0; --i) {
        out[i] = static_cast<char>('0' + key6 % 10);
        key6 /= 10;
    }
    out += 6;
    *out++ = ' ';
    for (int value : frets) {
        out = WriteInt(out, value);
        *out++ = ' ';
    }
    textLength = static_cast<std::uint8_t>(out - text.data());
}

SearchResult SearchVoicings(const ChordToSearch& chord, const SearchOptions& options)
{
    SearchResult result;
    result.records.reserve(1024);
    Search(chord, options, result).Run();
    for (auto& record : result.records)
        record.FormatText();
    return result;
}

} // namespace corvane
