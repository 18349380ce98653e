#include "theory/lead_sheet.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

    enum class Quality { Major, Minor, Dim, Aug, Power };
    enum class Seventh { None, Minor, Major, Diminished };

    // The alterations, in the order the canonical spelling writes them, with the interval each
    // stands for.
    struct Alteration {
        std::string_view text;
        int interval;
    };
    constexpr std::array kAlterations { Alteration { "b5", 6 }, Alteration { "#5", 8 }, Alteration { "b9", 1 },
        Alteration { "#9", 3 }, Alteration { "#11", 6 }, Alteration { "b13", 8 } };
    constexpr size_t kFlat5 = 0;
    constexpr size_t kSharp5 = 1;
    constexpr size_t kFlat9 = 2;
    constexpr size_t kSharp9 = 3;
    constexpr size_t kSharp11 = 4;
    constexpr size_t kFlat13 = 5;

    // Added tones by interval, as the canonical spelling writes them; empty where none is written.
    constexpr std::array<std::string_view, 12> kAddedTones { "", "addb9", "add9", "add#9", "", "add11", "add#11", "",
        "addb13", "add13", "", "" };

    // What the symbols say, before it becomes intervals.
    struct Chord {
        Quality quality = Quality::Major;
        int sus = 0; // the interval that replaces the third: 2 or 5
        bool sixth = false;
        Seventh seventh = Seventh::None;
        int extension = 0; // 9, 11 or 13
        std::array<bool, kAlterations.size()> altered {};
        std::array<bool, 12> added {};
        bool noThird = false; // (no3): the third is left out
        bool noFifth = false; // (no5): the fifth is left out
    };

    constexpr std::string_view kSharpSign = "\u266f"; // ♯
    constexpr std::string_view kFlatSign = "\u266d"; // ♭

    bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

    bool StartsWith(std::string_view text, size_t at, std::string_view word)
    {
        return text.substr(at, word.size()) == word;
    }

    // Letter case ignored, for the words (dim, aug, sus, add, maj, min).
    bool StartsWithWord(std::string_view text, size_t at, std::string_view word)
    {
        if (text.size() - std::min(at, text.size()) < word.size())
            return false;
        for (size_t k = 0; k < word.size(); ++k)
            if (Lower(text[at + k]) != word[k])
                return false;
        return true;
    }

    // An accidental at `at`: +1 sharp, -1 flat, with its length in bytes; 0 when there is none.
    int Accidental(std::string_view text, size_t at, size_t& length)
    {
        if (at >= text.size())
            return 0;
        length = 1;
        if (text[at] == '#')
            return 1;
        if (text[at] == 'b')
            return -1;
        length = kSharpSign.size();
        if (StartsWith(text, at, kSharpSign))
            return 1;
        if (StartsWith(text, at, kFlatSign))
            return -1;
        return 0;
    }

    struct Note {
        PitchClass pc = kNoPitch;
        Spelling spelling = Spelling::Sharp;
        size_t length = 0;
    };

    // A note name at the start of the text: A to G or H (B), and one accidental.
    Note ReadNote(std::string_view text)
    {
        constexpr std::array<int, 8> kLetters { 9, 11, 0, 2, 4, 5, 7, 11 }; // A B C D E F G H
        Note note;
        if (text.empty() || text[0] < 'A' || text[0] > 'H')
            return note;
        note.pc = kLetters[static_cast<size_t>(text[0] - 'A')];
        note.length = 1;
        size_t length = 0;
        if (const int step = Accidental(text, 1, length)) {
            note.pc = (note.pc + step + 12) % 12;
            note.spelling = step < 0 ? Spelling::Flat : Spelling::Sharp;
            note.length += length;
        }
        return note;
    }

    bool IsSeparator(char c) { return c == ' ' || c == '(' || c == ')' || c == ',' || c == '/'; }

    std::string_view TrimmedBlanks(std::string_view text)
    {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        return text;
    }

    // Reads the symbols after the root (and before the bass) into the chord.
    class BodyReader {
    public:
        BodyReader(std::string_view body, Chord& chord, std::vector<std::string>& unread)
            : m_body(body)
            , m_chord(chord)
            , m_unread(unread)
        {
        }

        void Read()
        {
            while (m_at < m_body.size()) {
                const char c = m_body[m_at];
                if (IsSeparator(c)) {
                    Separator(c);
                    continue;
                }
                if (!Symbol())
                    Unread();
            }
            if (m_depth > 0)
                m_unread.emplace_back("(");
        }

    private:
        void Separator(char c)
        {
            if (c == '(')
                ++m_depth;
            if (c == ')') {
                if (m_depth == 0)
                    m_unread.emplace_back(")");
                else
                    --m_depth;
            }
            ++m_at;
        }

        // Everything up to the next separator, as written.
        void Unread()
        {
            const size_t from = m_at;
            while (m_at < m_body.size() && !IsSeparator(m_body[m_at]))
                ++m_at;
            m_unread.emplace_back(m_body.substr(from, m_at - from));
        }

        bool Take(std::string_view word, bool ignoringCase = false)
        {
            if (!(ignoringCase ? StartsWithWord(m_body, m_at, word) : StartsWith(m_body, m_at, word)))
                return false;
            m_at += word.size();
            return true;
        }

        // The digits at the current place, taken; empty when there are none.
        std::string_view Digits()
        {
            const size_t from = m_at;
            while (m_at < m_body.size() && IsDigit(m_body[m_at]))
                ++m_at;
            return m_body.substr(from, m_at - from);
        }

        bool Symbol()
        {
            const size_t start = m_at;
            const bool first = m_first;
            m_first = false;
            // Each reading starts afresh where the symbol starts.
            const auto attempt = [&](bool read) {
                if (!read)
                    m_at = start;
                return read;
            };
            return (first && attempt(Quality())) || attempt(MajorSeventh(first)) || attempt(Sus()) || attempt(Add())
                || attempt(Altered()) || attempt(Number()) || attempt(Alt()) || attempt(Omit());
        }

        bool Quality()
        {
            // "maj" before "m", so that Cmaj7 is not minor.
            if (StartsWithWord(m_body, m_at, "maj") || StartsWith(m_body, m_at, "M"))
                return false;
            if (Take("min") || Take("mi") || Take("m") || Take("-")) {
                m_chord.quality = Quality::Minor;
                return true;
            }
            if (Take("dim", true) || Take("\u00b0")) { // °
                m_chord.quality = Quality::Dim;
                return true;
            }
            if (Take("\u00ba")) { // º, the name box's sign for the diminished seventh chord
                m_chord.quality = Quality::Dim;
                m_chord.seventh = Seventh::Diminished;
                return true;
            }
            if (Take("aug", true) || Take("+")) {
                m_chord.quality = Quality::Aug;
                return true;
            }
            // A letter o for the circle of dim, as typed on keyboards without it.
            if (!StartsWithWord(m_body, m_at, "omit") && Take("o")) {
                m_chord.quality = Quality::Dim;
                return true;
            }
            // ø, Ø, and h for half-diminished: always with its minor seventh.
            if (Take("\u00f8") || Take("\u00d8") || Take("h")) {
                m_chord.quality = Quality::Minor;
                m_chord.altered[kFlat5] = true;
                m_chord.seventh = Seventh::Minor;
                return true;
            }
            return false;
        }

        // maj, M, Δ: the major seventh, given by the number after it (Δ alone is maj7). Right after
        // the root, maj and M without a number just say major.
        bool MajorSeventh(bool first)
        {
            const bool delta = Take("\u0394") || Take("\u2206"); // Δ, and the increment sign keyboards give
            if (!delta && !Take("maj", true) && !Take("M"))
                return false;
            const size_t afterMark = m_at;
            const std::string_view number = Digits();
            if (number.empty()) {
                if (delta && !m_numbered) {
                    m_numbered = true;
                    m_chord.seventh = Seventh::Major;
                    return true;
                }
                return first;
            }
            if (m_numbered || (number != "7" && number != "9" && number != "11" && number != "13")) {
                m_at = afterMark;
                return false;
            }
            m_numbered = true;
            m_chord.seventh = Seventh::Major;
            m_chord.extension = number == "7" ? 0 : std::stoi(std::string(number));
            return true;
        }

        bool Sus()
        {
            if (!Take("sus", true))
                return false;
            if (Take("2"))
                m_chord.sus = 2;
            else if (Take("4") || m_at >= m_body.size() || !IsDigit(m_body[m_at]))
                m_chord.sus = 5;
            else
                return false; // sus9, sus11: not a lead-sheet symbol
            return true;
        }

        // The interval of a degree with an accidental: b9 is 1, #11 is 6; -1 when there is none.
        static int DegreeInterval(std::string_view digits, int step)
        {
            constexpr std::array<std::pair<std::string_view, int>, 6> kDegrees { { { "2", 2 }, { "4", 5 }, { "6", 9 },
                { "9", 2 }, { "11", 5 }, { "13", 9 } } };
            for (const auto& [degree, interval] : kDegrees)
                if (digits == degree)
                    return (interval + step + 12) % 12;
            return -1;
        }

        bool Add()
        {
            if (!Take("add", true))
                return false;
            size_t length = 0;
            int step = Accidental(m_body, m_at, length);
            if (step == 0 && m_at < m_body.size() && (m_body[m_at] == '+' || m_body[m_at] == '-')) {
                step = m_body[m_at] == '+' ? 1 : -1;
                length = 1;
            }
            m_at += step == 0 ? 0 : length;
            const int interval = DegreeInterval(Digits(), step);
            if (interval < 0 || interval == 0 || interval == 4 || interval == 7 || interval == 10 || interval == 11)
                return false;
            m_chord.added[static_cast<size_t>(interval)] = true;
            return true;
        }

        // b5 #5 b9 #9 #11 b13, and the same with + and -.
        bool Altered()
        {
            size_t length = 0;
            int step = Accidental(m_body, m_at, length);
            if (step == 0 && m_at < m_body.size() && (m_body[m_at] == '+' || m_body[m_at] == '-')) {
                step = m_body[m_at] == '+' ? 1 : -1;
                length = 1;
            }
            if (step == 0)
                return false;
            m_at += length;
            const std::string_view digits = Digits();
            const std::string text = std::string(step < 0 ? "b" : "#") + std::string(digits);
            for (size_t k = 0; k < kAlterations.size(); ++k) {
                if (kAlterations[k].text == text) {
                    m_chord.altered[k] = true;
                    return true;
                }
            }
            return false;
        }

        // The chord's own number (5, 6, 69, 7, 9, 11, 13); a number after it adds that degree.
        bool Number()
        {
            const std::string_view digits = Digits();
            if (digits.empty())
                return false;
            if (m_numbered) {
                if (digits != "6" && digits != "9" && digits != "11" && digits != "13")
                    return false;
                m_chord.added[static_cast<size_t>(DegreeInterval(digits, 0))] = true;
                return true;
            }
            // C2: the added ninth, as chord charts write it.
            if (digits == "2") {
                if (m_chord.sus != 0 || m_chord.quality == Quality::Power)
                    return false;
                m_numbered = true;
                m_chord.added[2] = true;
                return true;
            }
            if (digits == "5") {
                if (m_chord.quality != Quality::Major || m_chord.sus != 0)
                    return false;
                m_numbered = true;
                m_chord.quality = Quality::Power;
                return true;
            }
            if (digits == "6" || digits == "69") {
                m_numbered = true;
                m_chord.sixth = true;
                m_chord.added[2] = m_chord.added[2] || digits == "69";
                return true;
            }
            if (digits != "7" && digits != "9" && digits != "11" && digits != "13")
                return false;
            m_numbered = true;
            if (m_chord.seventh == Seventh::None)
                m_chord.seventh = m_chord.quality == Quality::Dim ? Seventh::Diminished : Seventh::Minor;
            m_chord.extension = digits == "7" ? 0 : std::stoi(std::string(digits));
            return true;
        }

        // "alt" after a dominant seventh: the altered dominant, written out as 7#5#9.
        bool Alt()
        {
            if (m_chord.seventh != Seventh::Minor || !Take("alt", true))
                return false;
            m_chord.altered[kSharp5] = true;
            m_chord.altered[kSharp9] = true;
            return true;
        }

        // no3, no5, omit3, omit5: a chord tone left out.
        bool Omit()
        {
            if (!Take("no", true) && !Take("omit", true))
                return false;
            if (Take("3"))
                m_chord.noThird = true;
            else if (Take("5"))
                m_chord.noFifth = true;
            else
                return false;
            return !IsDigitAt();
        }

        bool IsDigitAt() const { return m_at < m_body.size() && IsDigit(m_body[m_at]); }

        std::string_view m_body;
        Chord& m_chord;
        std::vector<std::string>& m_unread;
        size_t m_at = 0;
        int m_depth = 0;
        bool m_first = true; // nothing read yet: the place of the quality
        bool m_numbered = false; // the chord's own number has been read
    };

    struct Tones {
        std::vector<int> intervals;
        int third = 0;
        int fifth = 0;
    };

    Tones Build(const Chord& chord)
    {
        const auto& altered = chord.altered;
        int third = chord.sus != 0                                             ? chord.sus
            : chord.quality == Quality::Power                                  ? 0
            : chord.quality == Quality::Minor || chord.quality == Quality::Dim ? 3
                                                                               : 4;
        std::vector<int> fifths;
        if (altered[kFlat5] || altered[kSharp5]) {
            if (altered[kFlat5])
                fifths.push_back(6);
            if (altered[kSharp5])
                fifths.push_back(8);
        } else {
            fifths.push_back(chord.quality == Quality::Dim ? 6 : chord.quality == Quality::Aug ? 8 : 7);
        }
        const bool ninth = chord.extension == 9 || chord.extension == 11;
        const bool naturalNinth = ninth && !altered[kFlat9] && !altered[kSharp9];
        const bool naturalEleventh = chord.extension == 11 && !altered[kSharp11];
        const bool naturalThirteenth = chord.extension == 13 && !altered[kFlat13];
        // The natural 11th and a major third a ninth below it clash: the 11 chord drops the third.
        if (naturalEleventh && third == 4)
            third = 0;
        if (chord.noThird)
            third = 0;
        if (chord.noFifth)
            fifths.clear();

        std::vector<int> tones { 0 };
        if (third != 0)
            tones.push_back(third);
        tones.insert(tones.end(), fifths.begin(), fifths.end());
        if (chord.sixth)
            tones.push_back(9);
        if (chord.seventh != Seventh::None)
            tones.push_back(chord.seventh == Seventh::Minor ? 10 : chord.seventh == Seventh::Major ? 11 : 9);
        if (naturalNinth)
            tones.push_back(2);
        for (size_t k = kFlat9; k < kAlterations.size(); ++k)
            if (altered[k] && k != kSharp11 && k != kFlat13)
                tones.push_back(kAlterations[k].interval);
        if (naturalEleventh)
            tones.push_back(5);
        if (altered[kSharp11])
            tones.push_back(6);
        if (naturalThirteenth)
            tones.push_back(9);
        if (altered[kFlat13])
            tones.push_back(8);
        for (int i = 1; i < 12; ++i)
            if (chord.added[static_cast<size_t>(i)])
                tones.push_back(i);

        Tones out;
        for (int t : tones)
            if (std::find(out.intervals.begin(), out.intervals.end(), t) == out.intervals.end())
                out.intervals.push_back(t);
        constexpr size_t kMostNotes = 6;
        if (out.intervals.size() > kMostNotes && chord.quality != Quality::Power) {
            const auto perfect = std::find(out.intervals.begin(), out.intervals.end(), 7);
            if (perfect != out.intervals.end())
                out.intervals.erase(perfect);
        }
        out.third = std::find(out.intervals.begin(), out.intervals.end(), third) != out.intervals.end() ? third : 0;
        for (int f : { 7, 6, 8 }) {
            if (std::find(fifths.begin(), fifths.end(), f) != fifths.end()
                && std::find(out.intervals.begin(), out.intervals.end(), f) != out.intervals.end()) {
                out.fifth = f;
                break;
            }
        }
        return out;
    }

    std::string Canonical(const Chord& chord, PitchClass root, Spelling spelling)
    {
        const std::string rootName(NoteName(root, spelling));
        std::string text = rootName;
        auto added = chord.added;
        switch (chord.quality) {
        case Quality::Major:
            break;
        case Quality::Minor:
            text += "m";
            break;
        case Quality::Dim:
            text += "dim";
            break;
        case Quality::Aug:
            text += "aug";
            break;
        case Quality::Power:
            text += "5";
            break;
        }
        const std::string number = chord.extension != 0 ? std::to_string(chord.extension) : "7";
        switch (chord.seventh) {
        case Seventh::None:
            if (chord.sixth) {
                text += added[2] ? "69" : "6";
                added[2] = false;
            }
            break;
        case Seventh::Minor:
            text += number;
            break;
        case Seventh::Major:
            text += "maj" + number;
            break;
        case Seventh::Diminished:
            // Only a diminished triad takes the diminished seventh from its number.
            text += chord.quality == Quality::Dim ? number : "add13";
            break;
        }
        if (chord.seventh != Seventh::None && chord.sixth)
            added[9] = true;
        if (chord.sus != 0)
            text += chord.sus == 2 ? "sus2" : "sus4";
        for (size_t k = 0; k < kAlterations.size(); ++k) {
            if (!chord.altered[k])
                continue;
            // Right after the root, b5 or #5 would be read as the root's accidental.
            if (text == rootName)
                text += "(" + std::string(kAlterations[k].text) + ")";
            else
                text += kAlterations[k].text;
        }
        for (size_t i = 0; i < added.size(); ++i)
            if (added[i])
                text += kAddedTones[i];
        if (chord.noThird)
            text += "(no3)";
        if (chord.noFifth)
            text += "(no5)";
        return text;
    }

} // namespace

std::vector<PitchClass> LeadSheetChord::PitchClasses() const
{
    std::vector<PitchClass> out;
    if (root == kNoPitch)
        return out;
    for (int interval : intervals)
        out.push_back((root + interval) % 12);
    return out;
}

LeadSheetChord ReadLeadSheetChord(std::string_view typed)
{
    LeadSheetChord out;
    const std::string_view text = TrimmedBlanks(typed);
    const Note root = ReadNote(text);
    if (root.pc == kNoPitch) {
        if (!text.empty())
            out.unread.emplace_back(text);
        return out;
    }
    out.root = root.pc;
    out.bass = root.pc;
    out.spelling = root.spelling;
    out.bassSpelling = root.spelling;

    // The bass: a whole note name after the last slash.
    std::string_view body = text.substr(root.length);
    std::string bassText;
    if (const size_t slash = body.rfind('/'); slash != std::string_view::npos) {
        const std::string_view after = body.substr(slash + 1);
        const Note bass = ReadNote(after);
        if (bass.pc != kNoPitch && bass.length == after.size()) {
            out.bass = bass.pc;
            out.bassSpelling = bass.spelling;
            bassText = "/" + std::string(NoteName(bass.pc, bass.spelling));
            body = body.substr(0, slash);
        }
    }

    Chord chord;
    BodyReader(body, chord, out.unread).Read();
    const Tones tones = Build(chord);
    out.intervals = tones.intervals;
    out.third = tones.third;
    out.fifth = tones.fifth;
    out.canonical = Canonical(chord, out.root, out.spelling) + bassText;
    return out;
}

} // namespace corvane
