// The drawn neck of any number of strings, and the neck geometry every neck shares.
#include "drawing/strings_neck.h"

#include "drawing/finger_walk.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvane {

namespace {

    constexpr int kRowHeight = kNeckRowHeight;
    constexpr int kStringInRow = 6; // the middle of a 12-pixel mark
    constexpr int kBoardPastLastWire = kNeckWidth - kNeckWireX.back();

    // Rosewood, lighter at the top edge where the light falls, with a grain that runs along the neck.
    constexpr unsigned kWoodTop = 0x6e4327;
    constexpr unsigned kWoodBottom = 0x4a2a16;
    constexpr std::array<int, 11> kGrain { 0, 7, -3, 2, -8, 4, 0, -5, 9, -2, -6 };
    constexpr unsigned kBindingTop = 0xc9b48e;
    constexpr unsigned kBindingBottom = 0x8d7a58;
    constexpr unsigned kNutBone = 0xf1ead9;
    constexpr unsigned kNutEdge = 0xa89d86;
    constexpr unsigned kWireLight = 0xf0f0f0;
    constexpr unsigned kWireShade = 0x8e8e8e;
    constexpr unsigned kDotPearl = 0xebe6d9;
    constexpr unsigned kDotRim = 0xb9b2a2;
    constexpr unsigned kStringLight = 0xe4e4e4;
    constexpr unsigned kStringCore = 0x9c9c9c;
    constexpr unsigned kStringShadowOnWood = 0x2b1a0e;
    constexpr unsigned kStringShadowOnNut = 0xbdb5a3;
    constexpr unsigned kStringShadowOnBody = 0xae9462;
    // The body past a short fingerboard: a spruce top with the sound hole and its rosette.
    constexpr unsigned kSpruce = 0xe6c995;
    constexpr unsigned kBoardEdge = 0x2a180c;
    constexpr unsigned kRosette = 0x7a4e2c;
    constexpr unsigned kSoundHole = 0x1c130c;
    // The capo bar's columns, left to right: a metal bar lit from its middle.
    constexpr std::array<unsigned, 7> kCapoColumns { 0x1e1f22, 0x5c5f66, 0x9a9da4, 0xc9ccd3, 0x9a9da4, 0x44464c,
        0x1e1f22 };
    // A position dot's rows, 7 pixels across: the rim, then the pearl inside it.
    constexpr std::array<int, 7> kDotRimRows { 3, 5, 7, 7, 7, 5, 3 };
    constexpr std::array<int, 7> kDotPearlRows { 0, 3, 5, 5, 5, 3, 0 };

    // The nut's letters: 3 pixels wide and 5 high, each row a number whose bit of value 4 is the left pixel.
    struct Letter {
        char shown;
        std::array<unsigned, 5> rows;
    };
    constexpr std::array<Letter, 9> kLetters { {
        { 'A', { 7, 5, 7, 5, 5 } },
        { 'B', { 6, 5, 6, 5, 6 } },
        { 'C', { 3, 4, 4, 4, 3 } },
        { 'D', { 6, 5, 5, 5, 6 } },
        { 'E', { 7, 4, 6, 4, 7 } },
        { 'F', { 7, 4, 6, 4, 4 } },
        { 'G', { 3, 4, 5, 5, 3 } },
        { '#', { 5, 7, 5, 7, 5 } },
        { 'b', { 4, 4, 6, 5, 6 } },
    } };
    constexpr int kLetterWidth = 3;
    constexpr int kLetterHeight = 5;
    constexpr unsigned kLetterInk = 0x3b2314;
    // The name sits on its string's line, on the bone of the nut: the string passes under it.
    constexpr int kNameAboveString = kLetterHeight / 2;

    int Wire(int fret) { return kNeckWireX[static_cast<size_t>(fret - 1)]; }

    unsigned Channel(unsigned rgb, int shift) { return (rgb >> shift) & 0xffu; }

    unsigned Mix(unsigned from, unsigned to, int part, int whole, int lift)
    {
        unsigned rgb = 0;
        for (int shift : { 16, 8, 0 }) {
            const int a = static_cast<int>(Channel(from, shift));
            const int b = static_cast<int>(Channel(to, shift));
            const int value = std::clamp(a + (b - a) * part / std::max(1, whole) + lift, 0, 255);
            rgb |= static_cast<unsigned>(value) << shift;
        }
        return rgb;
    }

    int Capo(const StringsNeck& neck, int capo)
    {
        return std::clamp(capo, 0, std::min(kMaxCapo, StringsNeckLastFret(neck) - 1));
    }

    void DrawDisc(Canvas& canvas, int left, int top, const std::array<int, 7>& rows, unsigned rgb)
    {
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row] > 0)
                canvas.fillRect(left + (7 - rows[row]) / 2, top + static_cast<int>(row), rows[row], 1, rgb);
        }
    }

    // Circles as rows of pixels, clipped to the body.
    void DrawRound(Canvas& canvas, int centreX, int centreY, int radius, int clipLeft, int clipRight, unsigned rgb)
    {
        for (int dy = -radius; dy <= radius; ++dy) {
            const int half = static_cast<int>(std::sqrt(static_cast<double>(radius * radius - dy * dy)));
            const int left = std::max(clipLeft, centreX - half);
            const int right = std::min(clipRight, centreX + half + 1);
            if (right > left)
                canvas.fillRect(left, centreY + dy, right - left, 1, rgb);
        }
    }

    void DrawBody(Canvas& canvas, const StringsNeck& neck)
    {
        const int left = StringsNeckBoardEnd(neck);
        const int width = StringsNeckWidth(neck) - left;
        if (width <= 0)
            return;
        const int height = StringsNeckHeight(neck);
        for (int y = 0; y < height; ++y)
            canvas.fillRect(left, y, width, 1, Mix(kSpruce, kSpruce, 0, 1, kGrain[static_cast<size_t>(y) % 11] / 2));
        canvas.fillRect(left, 0, 1, height, kBoardEdge);
        // The sound hole begins a little past the fingerboard, as large as the neck is wide allows.
        const int radius = height * 2 / 5;
        const int centreX = left + 14 + radius;
        const int centreY = height / 2;
        DrawRound(canvas, centreX, centreY, radius + 5, left + 1, left + width, kRosette);
        DrawRound(canvas, centreX, centreY, radius + 3, left + 1, left + width, kSpruce);
        DrawRound(canvas, centreX, centreY, radius + 2, left + 1, left + width, kRosette);
        DrawRound(canvas, centreX, centreY, radius, left + 1, left + width, kSoundHole);
    }

    void DrawString(Canvas& canvas, const StringsNeck& neck, int string)
    {
        const int y = StringsNeckStringY(neck, string);
        const int boardEnd = StringsNeckBoardEnd(neck);
        const int width = StringsNeckWidth(neck);
        // The lower half of the strings is wound, and thicker.
        const bool wound = string < StringsNeckStrings(neck) / 2;
        if (wound) {
            canvas.fillRect(0, y - 1, width, 1, kStringLight);
            canvas.fillRect(0, y, width, 1, kStringCore);
        } else {
            canvas.fillRect(0, y, width, 1, kStringLight);
        }
        canvas.fillRect(0, y + 1, kNeckNutWidth, 1, kStringShadowOnNut);
        canvas.fillRect(kNeckNutWidth, y + 1, boardEnd - kNeckNutWidth, 1, kStringShadowOnWood);
        if (width > boardEnd)
            canvas.fillRect(boardEnd, y + 1, width - boardEnd, 1, kStringShadowOnBody);
    }

} // namespace

int StringsNeckWidth(const StringsNeck&) { return kNeckWidth; }

int StringsNeckStrings(const StringsNeck& neck)
{
    return std::clamp(neck.strings, kMinInstrumentStrings, kMaxInstrumentStrings);
}

int StringsNeckHeight(const StringsNeck& neck) { return kRowHeight * StringsNeckStrings(neck) + 1; }

int StringsNeckLastFret(const StringsNeck& neck) { return std::clamp(neck.lastFret, 1, kNeckLastFret); }

int StringsNeckBoardEnd(const StringsNeck& neck) { return Wire(StringsNeckLastFret(neck)) + kBoardPastLastWire; }

int StringsNeckFretsAboveCapo(const StringsNeck& neck, int capo)
{
    return StringsNeckLastFret(neck) - Capo(neck, capo);
}

int StringsNeckMarkTop(const StringsNeck& neck, int string)
{
    return (StringsNeckStrings(neck) - 1 - string) * kRowHeight;
}

int StringsNeckStringY(const StringsNeck& neck, int string) { return StringsNeckMarkTop(neck, string) + kStringInRow; }

int StringsNeckCapoLeft(int capo) { return NeckCapoLeft(capo); }

void DrawBareStringsNeck(Canvas& canvas, const StringsNeck& neck)
{
    const int strings = StringsNeckStrings(neck);
    const int height = StringsNeckHeight(neck);
    const int boardEnd = StringsNeckBoardEnd(neck);
    const int lastFret = StringsNeckLastFret(neck);

    for (int y = 0; y < height; ++y)
        canvas.fillRect(
            0, y, boardEnd, 1, Mix(kWoodTop, kWoodBottom, y, height - 1, kGrain[static_cast<size_t>(y) % 11]));
    canvas.fillRect(kNeckNutWidth, 0, boardEnd - kNeckNutWidth, 1, kBindingTop);
    canvas.fillRect(kNeckNutWidth, height - 1, boardEnd - kNeckNutWidth, 1, kBindingBottom);

    // The dots sit between the middle strings; the pairs one string further out, or a string and a
    // half where a string runs through the middle, and the single dots then half a string above it,
    // between it and the next higher string.
    const int top = StringsNeckStringY(neck, strings - 1);
    const int bottom = StringsNeckStringY(neck, 0);
    const int middle = (top + bottom) / 2;
    const int pairOffset = strings % 2 == 0 ? kRowHeight : kRowHeight * 3 / 2;
    const int single = strings % 2 == 0 ? middle : middle - kRowHeight / 2;
    const auto dot = [&](int fret, int y) {
        if (fret > lastFret)
            return;
        const int centre = (Wire(fret - 1) + Wire(fret)) / 2 + 1;
        DrawDisc(canvas, centre - 3, y - 3, kDotRimRows, kDotRim);
        DrawDisc(canvas, centre - 3, y - 3, kDotPearlRows, kDotPearl);
    };
    for (int fret : kNeckDotSpaces)
        dot(fret, single);
    for (int fret : kNeckPairSpaces) {
        dot(fret, middle - pairOffset);
        dot(fret, middle + pairOffset);
    }

    for (int fret = 1; fret <= lastFret; ++fret) {
        canvas.fillRect(Wire(fret), 0, 1, height, kWireLight);
        canvas.fillRect(Wire(fret) + 1, 0, 1, height, kWireShade);
    }
    canvas.fillRect(0, 0, kNeckNutWidth - 1, height, kNutBone);
    canvas.fillRect(kNeckNutWidth - 1, 0, 1, height, kNutEdge);
    DrawBody(canvas, neck);
    for (int s = 0; s < strings; ++s)
        DrawString(canvas, neck, s);
}

void DrawStringNames(Canvas& canvas, const StringsNeck& neck, const std::vector<std::string>& names)
{
    const int strings = std::min(StringsNeckStrings(neck), static_cast<int>(names.size()));
    for (int s = 0; s < strings; ++s) {
        std::vector<const Letter*> letters;
        for (char c : names[static_cast<size_t>(s)]) {
            const auto letter
                = std::find_if(kLetters.begin(), kLetters.end(), [c](const Letter& l) { return l.shown == c; });
            if (letter == kLetters.end() || letters.size() == 2)
                break;
            letters.push_back(&*letter);
        }
        const int width = static_cast<int>(letters.size()) * (kLetterWidth + 1) - 1;
        int left = (kNeckNutWidth - 1 - width) / 2;
        const int top = StringsNeckStringY(neck, s) - kNameAboveString;
        if (letters.empty())
            continue;
        canvas.fillRect(left, top - 1, width, kLetterHeight + 2, kNutBone);
        for (const Letter* letter : letters) {
            for (int row = 0; row < kLetterHeight; ++row)
                for (int column = 0; column < kLetterWidth; ++column)
                    if ((letter->rows[static_cast<size_t>(row)] >> (kLetterWidth - 1 - column)) & 1u)
                        canvas.fillRect(left + column, top + row, 1, 1, kLetterInk);
            left += kLetterWidth + 1;
        }
    }
}

void DrawStringsNeck(
    Canvas& canvas, const StringsNeck& neck, const Frets& frets, int capo, const std::vector<std::string>& names)
{
    DrawBareStringsNeck(canvas, neck);
    DrawStringNames(canvas, neck, names);
    const int k = Capo(neck, capo);
    const int height = StringsNeckHeight(neck);
    if (k > 0) {
        const int left = StringsNeckCapoLeft(k);
        for (size_t column = 0; column < kCapoColumns.size(); ++column)
            canvas.fillRect(left + static_cast<int>(column), 0, 1, height, kCapoColumns[column]);
        canvas.fillRect(left, 0, static_cast<int>(kCapoColumns.size()), 1, kCapoColumns.front());
        canvas.fillRect(left, height - 1, static_cast<int>(kCapoColumns.size()), 1, kCapoColumns.front());
    }

    Frets shown = frets;
    shown.count = std::clamp(frets.count, 0, StringsNeckStrings(neck));
    const int lastFret = StringsNeckLastFret(neck);
    DrawNeckMarks(canvas, shown, StringsNeckStrings(neck),
        [&](long long fret) { return NeckMarkLeft(static_cast<int>(std::min<long long>(fret + k, lastFret))); });
}

std::optional<NeckSpot> StringsNeckSpotAt(int x, int y, const StringsNeck& neck, int capo)
{
    if (x < 0 || y < 0 || y >= StringsNeckHeight(neck) || x >= StringsNeckBoardEnd(neck))
        return std::nullopt;
    NeckSpot spot;
    spot.string = std::max(0, StringsNeckStrings(neck) - 1 - y / kRowHeight);
    if (x < kNeckNutWidth)
        return spot;
    const int lastFret = StringsNeckLastFret(neck);
    const auto wires = kNeckWireX.begin();
    const int fret = std::min(static_cast<int>(std::upper_bound(wires, wires + lastFret, x) - wires) + 1, lastFret);
    const int k = Capo(neck, capo);
    spot.fret = fret <= k ? kAtNut : fret - k;
    return spot;
}

NeckRect StringsNeckSpotRect(const NeckSpot& spot, const StringsNeck& neck, int capo)
{
    const int k = Capo(neck, capo);
    const int lastFret = StringsNeckLastFret(neck);
    const int string = std::clamp(spot.string, 0, StringsNeckStrings(neck) - 1);
    NeckRect rect;
    rect.y = StringsNeckMarkTop(neck, string);
    rect.height = string == 0 ? StringsNeckHeight(neck) - rect.y : kRowHeight;
    const int fret = std::clamp(spot.fret, kAtNut, lastFret - k);
    if (fret == kAtNut) {
        rect.width = k == 0 ? kNeckNutWidth : Wire(k);
        return rect;
    }
    const int onNeck = fret + k;
    rect.x = onNeck == 1 ? kNeckNutWidth : Wire(onNeck - 1);
    rect.width = (onNeck == lastFret ? StringsNeckBoardEnd(neck) : Wire(onNeck)) - rect.x;
    return rect;
}

NeckSpot StepStringsNeckSpot(const NeckSpot& spot, NeckStep step, const StringsNeck& neck, int capo)
{
    const int lastFret = StringsNeckFretsAboveCapo(neck, capo);
    const int topString = StringsNeckStrings(neck) - 1;
    NeckSpot next { std::clamp(spot.string, 0, topString), std::clamp(spot.fret, kAtNut, lastFret) };
    switch (step) {
    case NeckStep::TowardNut:
        next.fret = std::max(kAtNut, next.fret - 1);
        break;
    case NeckStep::TowardBody:
        next.fret = std::min(lastFret, next.fret + 1);
        break;
    case NeckStep::StringAbove:
        next.string = std::min(topString, next.string + 1);
        break;
    case NeckStep::StringBelow:
        next.string = std::max(0, next.string - 1);
        break;
    case NeckStep::Nut:
        next.fret = kAtNut;
        break;
    case NeckStep::LastFret:
        next.fret = lastFret;
        break;
    case NeckStep::TopString:
        next.string = topString;
        break;
    case NeckStep::BottomString:
        next.string = 0;
        break;
    }
    return next;
}

StringFingering ToggleAtStrings(const StringFingering& fingering, const NeckSpot& spot)
{
    StringFingering next = fingering;
    if (spot.string < 0 || spot.string >= static_cast<int>(next.size()) || spot.fret < kAtNut
        || spot.fret > kFingeringTopFret)
        return next;
    int& fret = next[static_cast<size_t>(spot.string)];
    if (spot.fret == kAtNut)
        fret = fret == kFingeringMuted ? 0 : kFingeringMuted;
    else
        fret = fret == spot.fret ? 0 : spot.fret;
    return next;
}

namespace {
    std::string Ordinal(int n)
    {
        static constexpr std::array<std::string_view, 4> kSuffixes { "th", "st", "nd", "rd" };
        const int last = n % 10;
        const bool teen = n % 100 >= 11 && n % 100 <= 13;
        return std::to_string(n) + std::string(kSuffixes[static_cast<size_t>(teen || last > 3 ? 0 : last)]);
    }
}

std::string SpokenStringsNeckSpot(const NeckSpot& spot, const StringFingering& fingering)
{
    const int strings = static_cast<int>(fingering.size());
    if (spot.string < 0 || spot.string >= strings)
        return {};
    std::string spoken = Ordinal(strings - spot.string) + " string, ";
    const int held = fingering[static_cast<size_t>(spot.string)];
    if (spot.fret != kAtNut)
        return spoken + "fret " + std::to_string(spot.fret) + (held == spot.fret ? ", finger here" : "");
    spoken += "nut, ";
    if (held == kFingeringMuted)
        return spoken + "muted";
    return spoken + (held == 0 ? std::string("open") : "finger at fret " + std::to_string(held));
}

} // namespace corvane
