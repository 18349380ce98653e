#include "theory/best_name.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "theory/notes.h"

namespace corvane {

namespace {

    // ---- A listed name taken apart ----
    //
    // The list writes root + suffix + "/bass" + tail, where the suffix is "m" and components that each
    // began with "/", and every name but the first lost its first "/" ("Em5+/C", "CE"). The
    // suffix holds no capital letter, so the first capital after the root starts the bass.

    struct Pieces {
        bool read = false; // false: the text is not a name of the list's form
        std::string root; // "C#", "Bb"; empty for a root the name box could not read
        bool minor = false;
        std::vector<std::string> components; // "5+", "7", "add9", "sus4", "dim", in the name's order
        std::string bass; // empty when the name shows none
        bool noThird = false;
        bool noFifth = false;
    };

    bool IsNoteLetter(char c) { return c >= 'A' && c <= 'G'; }

    bool EndsWith(std::string_view text, std::string_view end)
    {
        return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
    }

    // Root, accidental: "C", "C#", "Db".
    size_t NoteNameLength(std::string_view text)
    {
        if (text.empty() || !IsNoteLetter(text.front()))
            return 0;
        return text.size() > 1 && (text[1] == '#' || text[1] == 'b') ? 2 : 1;
    }

    Pieces TakeApart(std::string_view name)
    {
        Pieces pieces;
        for (;;) {
            if (EndsWith(name, " (no5)")) {
                pieces.noFifth = true;
                name.remove_suffix(6);
            } else if (EndsWith(name, " (no3)")) {
                pieces.noThird = true;
                name.remove_suffix(6);
            } else if (EndsWith(name, " ")) {
                name.remove_suffix(1);
            } else {
                break;
            }
        }
        const size_t rootLength = NoteNameLength(name);
        pieces.root = std::string(name.substr(0, rootLength));
        std::string_view body = name.substr(rootLength);

        const size_t bassAt = std::find_if(body.begin(), body.end(), IsNoteLetter) - body.begin();
        if (bassAt < body.size()) {
            const std::string_view bass = body.substr(bassAt);
            if (NoteNameLength(bass) != bass.size())
                return pieces;
            pieces.bass = std::string(bass);
            body = body.substr(0, bassAt);
            if (EndsWith(body, "/"))
                body.remove_suffix(1);
        }

        if (!body.empty() && body.front() == '/')
            body.remove_prefix(1);
        if (!body.empty() && body.front() == 'm') {
            pieces.minor = true;
            body.remove_prefix(1);
            if (!body.empty() && body.front() == '/')
                body.remove_prefix(1);
        }
        while (!body.empty()) {
            const size_t slash = body.find('/');
            const std::string_view component = body.substr(0, slash);
            if (component.empty() || component.find_first_of(" ()") != std::string_view::npos)
                return pieces;
            pieces.components.emplace_back(component);
            body = slash == std::string_view::npos ? std::string_view() : body.substr(slash + 1);
            if (slash != std::string_view::npos && body.empty())
                return pieces;
        }
        pieces.read = true;
        return pieces;
    }

    bool Has(const Pieces& pieces, std::string_view component)
    {
        return std::find(pieces.components.begin(), pieces.components.end(), component) != pieces.components.end();
    }

    // No third, an added second or ninth and no fourth: the list's reading of a sus2 chord.
    bool IsSus2(const Pieces& pieces)
    {
        return pieces.noThird && !Has(pieces, "sus4") && (Has(pieces, "add9") || Has(pieces, "add2"));
    }

    // No third, no component and the fifth sounding: a power chord.
    bool IsPowerChord(const Pieces& pieces) { return pieces.noThird && !pieces.noFifth && pieces.components.empty(); }

    // ---- The tones a name holds ----
    //
    // A name of the list spells the notes above its root: "m" the minor third, every component one
    // interval, the major third and the perfect fifth unless the name says they are missing. One bit
    // per semitone above the root, the root's own bit included.

    using Tones = unsigned;

    constexpr Tones Tone(int semitones) { return Tones { 1 } << semitones; }

    struct ComponentTone {
        std::string_view component;
        int semitones;
    };
    constexpr ComponentTone kComponentTones[] = {
        { "7", 10 },
        { "7+", 11 },
        { "6", 9 },
        { "6+", 10 },
        { "6-", 8 },
        { "add13", 9 },
        { "add13+", 10 },
        { "add13-", 8 },
        { "sus4", 5 },
        { "4", 5 },
        { "sus4+", 6 },
        { "4+", 6 },
        { "add11", 5 },
        { "add11+", 6 },
        { "add9", 2 },
        { "add2", 2 },
        { "add9-", 1 },
        { "add2-", 1 },
        { "5+", 8 },
        { "5-", 6 },
    };

    // The pitch classes that sound, one bit each (C the lowest): every name of a chord holds them all,
    // but one, the major third over a minor third, which the list spells in none of its names of
    // that root and in every other one.
    using PitchSet = unsigned;

    PitchClass RootOf(const Pieces& pieces) { return pieces.root.empty() ? kNoPitch : PitchClassOfName(pieces.root); }

    // The tones of a name of the list's form, as the name spells them; nothing for a name with a
    // component no table knows.
    std::optional<Tones> TonesOf(const Pieces& pieces)
    {
        if (!pieces.read)
            return std::nullopt;
        Tones tones = Tone(0);
        const bool dim = Has(pieces, "dim");
        if (dim)
            tones |= Tone(3) | Tone(6) | Tone(9);
        for (const std::string& component : pieces.components) {
            if (component == "dim")
                continue;
            const auto entry = std::find_if(std::begin(kComponentTones), std::end(kComponentTones),
                [&](const ComponentTone& t) { return t.component == component; });
            if (entry == std::end(kComponentTones))
                return std::nullopt;
            tones |= Tone(entry->semitones);
        }
        if (pieces.minor)
            tones |= Tone(3);
        else if (!pieces.noThird && !dim && !Has(pieces, "sus4") && !Has(pieces, "sus4+"))
            tones |= Tone(4);
        if (!pieces.noFifth && !dim && !Has(pieces, "5+") && !Has(pieces, "5-"))
            tones |= Tone(7);
        return tones;
    }

    bool Holds(Tones tones, Tones wanted) { return (tones & wanted) == wanted; }

    // A seventh and at least one tension above it (the ninths, the eleventh, the thirteenth, or the
    // sharp nine beside the major third): the chords whose fifth players leave out as a rule.
    bool HasSeventhAndTension(Tones tones)
    {
        const bool seventh = (tones & (Tone(10) | Tone(11))) != 0;
        const bool tension = (tones & (Tone(1) | Tone(2) | Tone(5) | Tone(9))) != 0 || Holds(tones, Tone(3) | Tone(4));
        return seventh && tension;
    }

    // The jazz chords players name by their root: the tones each must hold, and the ones it may.
    struct JazzShape {
        std::string_view name; // as a lead sheet writes it, for the reader of this table
        Tones required;
        Tones allowed;
    };
    constexpr JazzShape kJazzShapes[] = {
        { "m11", Tone(3) | Tone(10) | Tone(5), Tone(2) | Tone(7) },
        { "7b9", Tone(4) | Tone(10) | Tone(1), Tone(7) },
        { "7#9", Tone(4) | Tone(10) | Tone(3), Tone(7) },
        { "9", Tone(4) | Tone(10) | Tone(2), Tone(7) },
        { "11", Tone(10) | Tone(2) | Tone(5), Tone(7) },
        { "11", Tone(4) | Tone(10) | Tone(5), Tone(2) | Tone(7) },
        { "13", Tone(4) | Tone(10) | Tone(9), Tone(2) | Tone(7) },
        { "maj9", Tone(4) | Tone(11) | Tone(2), Tone(7) },
        { "maj13", Tone(4) | Tone(11) | Tone(9), Tone(2) | Tone(7) },
        { "m9", Tone(3) | Tone(10) | Tone(2), Tone(7) },
        { "6/9", Tone(4) | Tone(9) | Tone(2), Tone(7) },
        { "m6", Tone(3) | Tone(7) | Tone(9), Tone(2) },
        { "7sus4", Tone(5) | Tone(10), Tone(2) | Tone(7) },
        { "m7b5", Tone(3) | Tone(6) | Tone(10), 0 },
    };

    bool IsJazzShape(Tones tones)
    {
        return std::any_of(std::begin(kJazzShapes), std::end(kJazzShapes), [&](const JazzShape& shape) {
            return Holds(tones, shape.required) && (tones & ~(shape.required | shape.allowed | Tone(0))) == 0;
        });
    }

    // The names of one chord taken apart, each with its tones, and the notes that sound.
    struct ReadNames {
        std::vector<Pieces> pieces;
        std::vector<std::optional<Tones>> tones; // with the major third a minor name holds as well
        PitchSet sounding = 0;
    };

    ReadNames ReadAll(const std::vector<std::string>& names)
    {
        ReadNames read;
        read.pieces.reserve(names.size());
        read.tones.reserve(names.size());
        for (const std::string& name : names) {
            read.pieces.push_back(TakeApart(name));
            read.tones.push_back(TonesOf(read.pieces.back()));
            const PitchClass root = RootOf(read.pieces.back());
            if (root == kNoPitch || !read.tones.back())
                continue;
            for (int semitones = 0; semitones < 12; ++semitones)
                if ((*read.tones.back() & Tone(semitones)) != 0)
                    read.sounding |= PitchSet { 1 } << ((root + semitones) % 12);
        }
        // C E Bb D#: the list's "Cm7" holds the E as well.
        for (size_t i = 0; i < names.size(); ++i) {
            const PitchClass root = RootOf(read.pieces[i]);
            if (read.pieces[i].minor && read.tones[i] && root != kNoPitch
                && (read.sounding & (PitchSet { 1 } << ((root + 4) % 12))) != 0)
                *read.tones[i] |= Tone(4);
        }
        return read;
    }

    // The list's minor seventh name of a chord with both thirds: a seventh chord with the sharp nine.
    bool IsSharpNine(const Pieces& pieces, const std::optional<Tones>& tones)
    {
        return pieces.minor && tones && Holds(*tones, Tone(3) | Tone(4) | Tone(10));
    }

    // ---- The order: how players name chords ----
    //
    // Every name gets a cost; the cheapest is the name to say. Each rule below is one term of it.

    // A component costs what its spelling is worth to a player: the common qualities (7, 7+, 6, sus4,
    // dim, add9, aug, the flat fifth of m5- and m7/5-) are cheap, the list's other spellings of the same
    // intervals (6+ for 7, add13 for 6, 4 for sus4, add2 for add9) and the rare tones dear.
    struct ComponentCost {
        std::string_view component;
        int cost;
    };
    constexpr ComponentCost kComponentCosts[] = {
        { "7", 2 },
        { "7+", 3 },
        { "6", 3 },
        { "sus4", 3 },
        { "dim", 4 },
        { "add9", 4 },
        { "5+", 5 },
        { "5-", 5 },
        { "add2", 6 },
        { "add11", 7 },
        { "add13", 7 },
        { "4", 8 },
        { "6+", 8 },
        { "4+", 9 },
        { "add9-", 9 },
        { "add11+", 9 },
        { "6-", 10 },
        { "add13-", 10 },
        { "add2-", 10 },
        { "add13+", 10 },
        { "sus4+", 10 },
    };
    // A component the table does not know.
    constexpr int kUnknownComponent = 12;
    // A sus2 chord costs as one common quality, and its "(no3)" nothing: the missing third is what it is.
    constexpr int kSus2 = 4;
    // A power chord (root and fifth) costs as one common quality, and its "(no3)" nothing.
    constexpr int kPowerChord = 4;
    // A minor chord with a raised fifth is almost always a major chord over its third ("Em5+" is C/E).
    constexpr int kMinorRaisedFifth = 6;
    // A name on another note than the lowest one needs a slash, and players name a chord from the bass
    // when they can; a common chord over another bass still beats a rare one on the bass.
    constexpr int kSlash = 6;
    // Where players name chords in root position the bass is not said, so a name on another note costs
    // nothing more than the same name on the lowest note.
    constexpr int kRootPositionSlash = 0;
    // "(no5)": the name misses a tone of its own chord; players say the plain triad over its third
    // (Dm/F) rather than a sixth chord without its fifth (F6).
    constexpr int kNoFifth = 6;
    // On a chord with a seventh and a tension leaving out the fifth is the rule: Cm11 is played
    // C Eb Bb D F, C7b9 C E Bb Db.
    constexpr int kNoFifthWithTensions = 1;
    // A jazz chord on its own root, that root in the bass (Cm11 over C, C7sus4 over C), is what a
    // player says, before a slash chord of another root over it (F7sus4/6 over C, Fsus4/C): this much
    // is taken off, as much as the slash costs.
    constexpr int kJazzShapeOnItsRoot = 6;
    // "(no3)": a chord without its third is heard as something else, outside sus and power chords.
    constexpr int kNoThird = 10;
    // A name without a root (a typed root the name box could not read) says nothing a player would say.
    constexpr int kNoRoot = 50;
    // A text that is not of the list's form comes after every name that is.
    constexpr int kUnread = 1000;

    int CostOf(std::string_view component)
    {
        for (const ComponentCost& entry : kComponentCosts)
            if (entry.component == component)
                return entry.cost;
        return kUnknownComponent;
    }

    int Cost(const Pieces& pieces, const std::optional<Tones>& tones, BassNaming naming)
    {
        if (!pieces.read)
            return kUnread;
        int cost = pieces.root.empty() ? kNoRoot : 0;
        const bool sus2 = IsSus2(pieces);
        bool sus2Counted = false;
        for (const std::string& component : pieces.components) {
            if (sus2 && !sus2Counted && (component == "add9" || component == "add2")) {
                // The add9 spelling of the list's two is the one that reads back as sus2 in the box.
                cost += kSus2 + (component == "add2" ? 1 : 0);
                sus2Counted = true;
                continue;
            }
            cost += CostOf(component);
        }
        if (pieces.minor && Has(pieces, "5+"))
            cost += kMinorRaisedFifth;
        if (!pieces.bass.empty())
            cost += naming == BassNaming::Lowest ? kSlash : kRootPositionSlash;
        if (pieces.noFifth)
            cost += tones && HasSeventhAndTension(*tones) ? kNoFifthWithTensions : kNoFifth;
        if (tones && naming == BassNaming::Lowest && pieces.bass.empty() && !pieces.root.empty() && IsJazzShape(*tones))
            cost -= kJazzShapeOnItsRoot;
        if (IsPowerChord(pieces))
            cost += kPowerChord;
        else if (pieces.noThird && !sus2)
            cost += kNoThird;
        return cost;
    }

    std::string_view TrimmedEnd(std::string_view text)
    {
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        return text;
    }

    // ---- Writing a name as players write it ----

    int Interval(std::string_view from, std::string_view to)
    {
        const PitchClass a = PitchClassOfName(from);
        const PitchClass b = PitchClassOfName(to);
        if (a == kNoPitch || b == kNoPitch)
            return -1;
        return (b - a + 12) % 12;
    }

} // namespace

std::vector<size_t> BestFirstOrder(const std::vector<std::string>& names, BassNaming naming)
{
    struct Ranked {
        int cost;
        size_t length;
        std::string_view name;
        size_t place;
    };
    const ReadNames read = ReadAll(names);
    std::vector<Ranked> ranked;
    ranked.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        ranked.push_back({ Cost(read.pieces[i], read.tones[i], naming), TrimmedEnd(names[i]).size(), names[i], i });
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.cost != b.cost)
            return a.cost < b.cost;
        if (a.length != b.length)
            return a.length < b.length;
        if (a.name != b.name)
            return a.name < b.name;
        return a.place < b.place;
    });
    std::vector<size_t> order;
    order.reserve(ranked.size());
    for (const Ranked& r : ranked)
        order.push_back(r.place);
    return order;
}

std::vector<std::string> BestFirst(const std::vector<std::string>& names, BassNaming naming)
{
    std::vector<std::string> ordered;
    ordered.reserve(names.size());
    for (size_t i : BestFirstOrder(names, naming))
        ordered.push_back(names[i]);
    return ordered;
}

namespace {

    // After a seventh the list's added tones are the chord's tensions: "add11" and "4" are the 11th,
    // "6" and "add13" the 13th, "add9-" the flat nine.
    struct Tension {
        std::string_view listed;
        std::string_view written;
    };
    constexpr Tension kTensions[] = {
        { "add9-", "9-" },
        { "add11", "11" },
        { "4", "11" },
        { "add11+", "11+" },
        { "4+", "11+" },
        { "6", "13" },
        { "add13", "13" },
        { "6-", "13-" },
        { "add13-", "13-" },
    };

    std::string Written(Pieces pieces, std::string_view bass, bool sharpNine = false)
    {
        std::vector<std::string>& components = pieces.components;

        // A root and a fifth alone is a power chord: "E5", not "E (no3)".
        if (IsPowerChord(pieces)) {
            components.push_back("5");
            pieces.noThird = false;
        }
        // The list's added second is the added ninth the box reads.
        for (std::string& component : components) {
            if (component == "add2")
                component = "add9";
            else if (component == "add2-")
                component = "add9-";
        }
        // A chord without a third and with the added ninth is a sus2 chord: "Dsus2", not "Dadd9 (no3)".
        if (IsSus2(pieces)) {
            *std::find(components.begin(), components.end(), "add9") = "sus2";
            pieces.noThird = false;
        }
        // The seventh comes right after the root ("Bm7/5-", "A7/sus4"), the sixth too when a ninth is
        // added ("C6/9"), and a ninth after either is a plain "9" ("C7/9").
        auto seventh = std::find_if(
            components.begin(), components.end(), [](const std::string& c) { return c == "7" || c == "7+"; });
        const bool hasSeventh = seventh != components.end();
        if (seventh == components.end() && Has(pieces, "add9"))
            seventh = std::find(components.begin(), components.end(), "6");
        if (seventh != components.end()) {
            std::rotate(components.begin(), seventh, seventh + 1);
            for (std::string& component : components)
                if (component == "add9")
                    component = "9";
        }
        if (hasSeventh) {
            for (size_t i = 1; i < components.size(); ++i)
                for (const Tension& tension : kTensions)
                    if (components[i] == tension.listed)
                        components[i] = std::string(tension.written);
        }
        // The minor third over a major one is the sharp nine: "C7/9+", not "Cm7", which drops the E.
        if (sharpNine && hasSeventh) {
            pieces.minor = false;
            components.insert(components.begin() + 1, "9+");
        }
        // A seventh chord over its seventh is written as its triad over that bass: "Am/G", "D/C", "C/B".
        if (!pieces.bass.empty() && !pieces.noThird && components.size() == 1
            && ((components.front() == "7" && Interval(pieces.root, pieces.bass) == 10)
                || (components.front() == "7+" && Interval(pieces.root, pieces.bass) == 11)))
            components.clear();
        // The bass the name does not show, when the chord stands on another note.
        if (pieces.bass.empty() && !bass.empty() && !pieces.root.empty() && Interval(pieces.root, bass) > 0)
            pieces.bass = std::string(bass);

        std::string written = pieces.root + (pieces.minor ? "m" : "");
        for (size_t i = 0; i < components.size(); ++i)
            written += (i == 0 ? "" : "/") + components[i];
        if (!pieces.bass.empty())
            written += "/" + pieces.bass;
        // Players leave out "(no5)": a chord is named by its chord even when the fifth does not sound. A
        // missing third still changes what the chord is, so it is said.
        if (pieces.noThird)
            written += " (no3)";
        return written;
    }

} // namespace

std::string WrittenName(std::string_view listed, std::string_view bass)
{
    const Pieces pieces = TakeApart(listed);
    if (!pieces.read)
        return std::string(TrimmedEnd(listed));
    return Written(pieces, bass);
}

std::string WrittenRootPositionName(std::string_view listed)
{
    Pieces pieces = TakeApart(listed);
    if (!pieces.read)
        return std::string(TrimmedEnd(listed));
    pieces.bass.clear();
    return Written(pieces, {});
}

std::string WrittenBest(const std::vector<std::string>& names, size_t best, BassNaming naming, std::string_view bass)
{
    if (best >= names.size())
        return {};
    Pieces pieces = TakeApart(names[best]);
    if (!pieces.read)
        return std::string(TrimmedEnd(names[best]));
    // Only a minor seventh name may hide a major third, which the other names tell.
    const std::optional<Tones> tones = TonesOf(pieces);
    const bool sharpNine
        = pieces.minor && tones && Holds(*tones, Tone(10)) && IsSharpNine(pieces, ReadAll(names).tones[best]);
    if (naming == BassNaming::RootPosition)
        pieces.bass.clear();
    return Written(pieces, naming == BassNaming::RootPosition ? std::string_view() : bass, sharpNine);
}

std::string BestWrittenName(const std::vector<std::string>& names, BassNaming naming, std::string_view bass)
{
    if (names.empty())
        return {};
    return WrittenBest(names, BestFirstOrder(names, naming).front(), naming, bass);
}

std::string BestName(const std::vector<std::string>& names, std::string_view bass)
{
    return BestWrittenName(names, BassNaming::Lowest, bass);
}

std::string BoxName(std::string_view written)
{
    constexpr std::string_view kNoThird = " (no3)";
    if (!EndsWith(written, kNoThird))
        return std::string(written);
    written.remove_suffix(kNoThird.size());
    const size_t rootLength = NoteNameLength(written);
    if (rootLength == 0)
        return std::string(written);
    const std::string_view rest = written.substr(rootLength);
    return std::string(written.substr(0, rootLength)) + "5" + (rest.empty() || rest.front() == '/' ? "" : "/")
        + std::string(rest);
}

} // namespace corvane
