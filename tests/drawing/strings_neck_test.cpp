#include "drawing/strings_neck.h"

#include "drawing/recording_canvas.h"
#include "drawing/spoken_diagram.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace corvane {
namespace {

    Frets Of(std::initializer_list<int> values)
    {
        Frets frets;
        for (int v : values)
            frets[frets.count++] = v;
        return frets;
    }

    // The pictures a drawing puts down, without the rectangles the neck itself is made of.
    std::string Marks(const RecordingCanvas& canvas)
    {
        std::string text;
        for (const RecordingCanvas::Call& call : canvas.calls()) {
            if (!call.isRect && !call.isText && call.picture != Picture::Capo && call.picture != Picture::NeckClassic)
                text += CallText(call) + '\n';
        }
        return text;
    }

    // The necks the window draws: every string count with the frets of the built-in instruments.
    const std::vector<StringsNeck> Necks()
    {
        std::vector<StringsNeck> necks;
        for (int strings = kMinInstrumentStrings; strings <= kMaxInstrumentStrings; ++strings) {
            for (int lastFret : { 18, 19, 20, 22, 24 })
                necks.push_back({ strings, lastFret });
        }
        return necks;
    }

    std::string Named(const StringsNeck& neck, int capo)
    {
        return std::to_string(neck.strings) + " strings, " + std::to_string(neck.lastFret) + " frets, capo "
            + std::to_string(capo);
    }

    // The keyboard's spots and the mouse's agree: the spots' areas tile the fingerboard exactly, each
    // point of it lies in the area of the spot a click there finds, and the body and the world around
    // the picture are no spot.
    TEST(StringsNeckHitTest, SpotAreasTileTheBoardAsTheClicksReadIt)
    {
        for (const StringsNeck& neck : Necks()) {
            const int width = StringsNeckWidth(neck);
            const int height = StringsNeckHeight(neck);
            const int boardEnd = StringsNeckBoardEnd(neck);
            ASSERT_EQ(width, kNeckWidth);
            ASSERT_EQ(height, 14 * neck.strings + 1);
            ASSERT_LE(boardEnd, width);
            for (int capo = 0; capo <= kMaxCapo; ++capo) {
                SCOPED_TRACE(Named(neck, capo));
                long long area = 0;
                for (int s = 0; s < neck.strings; ++s) {
                    for (int fret = kAtNut; fret <= StringsNeckFretsAboveCapo(neck, capo); ++fret) {
                        const NeckRect rect = StringsNeckSpotRect({ s, fret }, neck, capo);
                        ASSERT_GT(rect.width, 0);
                        area += static_cast<long long>(rect.width) * rect.height;
                    }
                }
                EXPECT_EQ(area, static_cast<long long>(boardEnd) * height);
                for (int y = -1; y <= height; ++y) {
                    for (int x = -1; x <= width; ++x) {
                        const std::optional<NeckSpot> spot = StringsNeckSpotAt(x, y, neck, capo);
                        const bool onBoard = x >= 0 && y >= 0 && x < boardEnd && y < height;
                        ASSERT_EQ(spot.has_value(), onBoard) << "(" << x << ", " << y << ")";
                        if (!spot)
                            continue;
                        const NeckRect rect = StringsNeckSpotRect(*spot, neck, capo);
                        ASSERT_TRUE(x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height)
                            << "(" << x << ", " << y << ") found string " << spot->string << " fret " << spot->fret;
                    }
                }
            }
        }
    }

    // Every finger a neck can show is drawn inside the picture, on its string's row, where a click
    // finds that string and fret again; fingers past the neck's end sit on its last fret. Nothing is
    // drawn off the picture.
    TEST(StringsNeckDrawing, MarksLieWhereTheClicksFindThem)
    {
        for (const StringsNeck& neck : Necks()) {
            for (int capo = 0; capo <= kMaxCapo; capo += 3) {
                for (int s = 0; s < neck.strings; ++s) {
                    for (int fret = 1; fret <= 27; ++fret) {
                        SCOPED_TRACE(
                            Named(neck, capo) + ", string " + std::to_string(s) + ", fret " + std::to_string(fret));
                        Frets frets;
                        frets.count = neck.strings;
                        frets.values.fill(kMuted);
                        frets[s] = fret;
                        RecordingCanvas canvas;
                        DrawStringsNeck(canvas, neck, frets, capo);
                        for (const RecordingCanvas::Call& call : canvas.calls()) {
                            const int w = call.isRect ? call.width : InfoOf(call.picture).width;
                            const int h = call.isRect ? call.height : InfoOf(call.picture).height;
                            ASSERT_TRUE(call.x >= 0 && call.y >= 0 && call.x + w <= kNeckWidth
                                && call.y + h <= StringsNeckHeight(neck))
                                << CallText(call);
                        }
                        const RecordingCanvas::Call& mark = canvas.calls().back();
                        ASSERT_EQ(mark.picture, Picture::NeckFinger1);
                        const int shown = std::min(fret, StringsNeckFretsAboveCapo(neck, capo));
                        for (auto [dx, dy] : { std::pair { 1, 1 }, std::pair { 6, 6 }, std::pair { 12, 11 } })
                            ASSERT_EQ(StringsNeckSpotAt(mark.x + dx, mark.y + dy, neck, capo), (NeckSpot { s, shown }));
                    }
                }
            }
        }
    }

    TEST(StringsNeckDrawing, UkuleleCIsThreeOpenStringsAndOneFingerOnTop)
    {
        const StringsNeck ukulele { 4, 18 };
        RecordingCanvas canvas;
        DrawStringsNeck(canvas, ukulele, Of({ 0, 0, 0, 3 }));
        EXPECT_EQ(Marks(canvas), "picture d0 0 42\npicture d0 0 28\npicture d0 0 14\npicture d1 124 0\n");
        // The bare neck is the same drawing without the marks.
        RecordingCanvas bare;
        DrawBareStringsNeck(bare, ukulele);
        EXPECT_EQ(canvas.calls().size(), bare.calls().size() + 4);
        EXPECT_EQ(Marks(bare), "");
    }

    // The pixels a drawing inks in one colour.
    std::vector<RecordingCanvas::Call> Ink(const RecordingCanvas& canvas, unsigned rgb)
    {
        std::vector<RecordingCanvas::Call> ink;
        for (const RecordingCanvas::Call& call : canvas.calls())
            if (call.isRect && call.rgb == rgb)
                ink.push_back(call);
        return ink;
    }

    // Each string's name is written on the nut across its own line and no other, under the marks; a
    // neck without names, or with fewer than its strings, draws what it has and nothing more.
    TEST(StringsNeckDrawing, EveryStringIsNamedOnTheNutAcrossItsLine)
    {
        constexpr unsigned kLetterInk = 0x3b2314;
        struct Row {
            StringsNeck neck;
            std::vector<std::string> names;
            std::vector<int> letters; // per string, lowest first
        };
        const std::vector<Row> rows {
            { { 4, 18 }, { "G", "C", "E", "A" }, { 1, 1, 1, 1 } },
            { { 7, 24 }, { "B", "E", "A", "D", "G", "B", "E" }, { 1, 1, 1, 1, 1, 1, 1 } },
            { { 8, 24 }, { "F#", "B", "E", "A", "D", "G", "Bb", "E" }, { 2, 1, 1, 1, 1, 1, 2, 1 } },
            { { 5, 22 }, { "G", "D" }, { 1, 1 } }, // fewer names than strings
            { { 4, 18 }, { "Xy", "C#m", "", "A" }, { 0, 2, 0, 1 } }, // cut at a character the nut lacks
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(Named(row.neck, 0));
            RecordingCanvas canvas;
            DrawStringsNeck(canvas, row.neck, Of({ 0, 0, 0, 3 }), 0, row.names);
            RecordingCanvas unnamed;
            DrawStringsNeck(unnamed, row.neck, Of({ 0, 0, 0, 3 }));
            EXPECT_EQ(Marks(canvas), Marks(unnamed));
            EXPECT_TRUE(Ink(unnamed, kLetterInk).empty());
            // Names come before the marks, so that an open string's mark lies over its name.
            const auto firstMark = std::find_if(canvas.calls().begin(), canvas.calls().end(),
                [](const RecordingCanvas::Call& call) { return !call.isRect; });
            const auto lastInk = std::find_if(canvas.calls().rbegin(), canvas.calls().rend(),
                [&](const RecordingCanvas::Call& call) { return call.isRect && call.rgb == kLetterInk; });
            ASSERT_NE(lastInk, canvas.calls().rend());
            EXPECT_LE(lastInk.base() - canvas.calls().begin(), firstMark - canvas.calls().begin());

            // One letter stands in the middle of the nut (from x 3), two side by side (from x 1).
            std::vector<int> leftmost(row.letters.size(), kNeckNutWidth);
            for (const RecordingCanvas::Call& pixel : Ink(canvas, kLetterInk)) {
                EXPECT_LT(pixel.x + pixel.width, kNeckNutWidth);
                int string = -1;
                for (int s = 0; s < StringsNeckStrings(row.neck); ++s)
                    if (std::abs(pixel.y - StringsNeckStringY(row.neck, s)) <= 2)
                        string = s;
                ASSERT_GE(string, 0) << "a letter off every string's line at y " << pixel.y;
                ASSERT_LT(static_cast<size_t>(string), row.letters.size());
                int& left = leftmost[static_cast<size_t>(string)];
                left = std::min(left, pixel.x);
            }
            for (size_t s = 0; s < row.letters.size(); ++s) {
                const int letters = leftmost[s] == kNeckNutWidth ? 0 : leftmost[s] == 1 ? 2 : 1;
                EXPECT_EQ(letters, row.letters[s]) << "string " << s;
            }
        }
    }

    // The position dots lie between strings on every neck, never on a string's line.
    TEST(StringsNeckDrawing, PositionDotsLieBetweenStrings)
    {
        constexpr unsigned kDotPearl = 0xebe6d9;
        for (const StringsNeck& neck : Necks()) {
            SCOPED_TRACE(Named(neck, 0));
            RecordingCanvas canvas;
            DrawBareStringsNeck(canvas, neck);
            const std::vector<RecordingCanvas::Call> pearl = Ink(canvas, kDotPearl);
            ASSERT_FALSE(pearl.empty());
            for (const RecordingCanvas::Call& row : pearl)
                for (int s = 0; s < StringsNeckStrings(neck); ++s)
                    EXPECT_NE(row.y, StringsNeckStringY(neck, s)) << "a dot on string " << s;
        }
    }

    // Six strings on 24 frets are the six-string picture's geometry: the same spots and areas, and the
    // same marks with the same fingers as DrawNeck draws, barres and capo included.
    TEST(StringsNeckDrawing, SixStringsMarkAndHitAsThePhotographedNeck)
    {
        const StringsNeck six { 6, 24 };
        ASSERT_EQ(StringsNeckHeight(six), kNeckHeight);
        for (int capo = 0; capo <= kMaxCapo; ++capo) {
            for (int y = 0; y < kNeckHeight; ++y) {
                for (int x = 0; x < kNeckWidth; ++x)
                    ASSERT_EQ(StringsNeckSpotAt(x, y, six, capo), NeckSpotAt(x, y, capo)) << x << ", " << y;
            }
            for (int s = 0; s < 6; ++s) {
                for (int fret = kAtNut; fret <= kNeckLastFret - capo; ++fret)
                    ASSERT_EQ(StringsNeckSpotRect({ s, fret }, six, capo), NeckSpotRect({ s, fret }, capo));
            }
        }
        std::mt19937 rng(22);
        for (int i = 0; i < 3000; ++i) {
            Voicing v {};
            const int base = static_cast<int>(rng() % 10) + 1;
            for (int& value : v) {
                const int r = static_cast<int>(rng() % 9);
                value = r == 0 ? kMuted : r == 1 ? 0 : r == 2 ? -base : base + static_cast<int>(rng() % 4);
            }
            const int capo = static_cast<int>(rng() % 4);
            RecordingCanvas photo;
            DrawNeck(photo, v, NeckPicture::Classic, capo);
            RecordingCanvas drawn;
            DrawStringsNeck(drawn, six, FretsOfVoicing(v), capo);
            ASSERT_EQ(Marks(drawn), Marks(photo)) << VoicingText(v) << " capo " << capo;
        }
    }

    TEST(StringsNeckKeyboard, StepsStopAtThisNecksEdges)
    {
        const StringsNeck ukulele { 4, 18 };
        const StringsNeck seven { 7, 24 };
        struct Row {
            const char* name;
            StringsNeck neck;
            NeckSpot from;
            NeckStep step;
            int capo;
            NeckSpot to;
        };
        const Row rows[] = {
            { "up to the top string", ukulele, { 2, 3 }, NeckStep::StringAbove, 0, { 3, 3 } },
            { "no string above the top", ukulele, { 3, 3 }, NeckStep::StringAbove, 0, { 3, 3 } },
            { "page up is the top string", ukulele, { 0, 3 }, NeckStep::TopString, 0, { 3, 3 } },
            { "end is the neck's last fret", ukulele, { 1, 3 }, NeckStep::LastFret, 0, { 1, 18 } },
            { "the capo shortens it", ukulele, { 1, 3 }, NeckStep::LastFret, 5, { 1, 13 } },
            { "no further than the last fret", ukulele, { 1, 18 }, NeckStep::TowardBody, 0, { 1, 18 } },
            { "a spot past the end is pulled in", ukulele, { 6, 24 }, NeckStep::TowardNut, 0, { 3, 17 } },
            { "seven strings", seven, { 5, 2 }, NeckStep::TopString, 0, { 6, 2 } },
            { "down to the bottom", seven, { 5, 2 }, NeckStep::BottomString, 0, { 0, 2 } },
            { "home", seven, { 5, 9 }, NeckStep::Nut, 3, { 5, kAtNut } },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(StepStringsNeckSpot(row.from, row.step, row.neck, row.capo), row.to);
        }
    }

    TEST(StringsNeckHitTest, ClicksToggleAndAreToldAsPlayersCountStrings)
    {
        struct Row {
            const char* name;
            StringFingering before;
            NeckSpot spot;
            StringFingering after;
            const char* spoken; // of the spot, before the click
        };
        const Row rows[] = {
            { "finger on the top string", { 0, 0, 0, 0 }, { 3, 3 }, { 0, 0, 0, 3 }, "1st string, fret 3" },
            { "same place takes it off", { 0, 0, 0, 3 }, { 3, 3 }, { 0, 0, 0, 0 }, "1st string, fret 3, finger here" },
            { "nut mutes an open string", { 0, 0, 0, 3 }, { 0, kAtNut }, { -1, 0, 0, 3 }, "4th string, nut, open" },
            { "nut opens a muted string", { -1, 0, 0, 3 }, { 0, kAtNut }, { 0, 0, 0, 3 }, "4th string, nut, muted" },
            { "nut mutes a stopped string", { 2, 0, 0, 3 }, { 0, kAtNut }, { -1, 0, 0, 3 },
                "4th string, nut, finger at fret 2" },
            { "eight strings", { 0, 0, 0, 0, 0, 0, 0, 0 }, { 0, 1 }, { 1, 0, 0, 0, 0, 0, 0, 0 }, "8th string, fret 1" },
            { "no such string", { 0, 0, 0, 3 }, { 4, 1 }, { 0, 0, 0, 3 }, "" },
            { "no such fret", { 0, 0, 0, 3 }, { 1, 25 }, { 0, 0, 0, 3 }, "3rd string, fret 25" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(ToggleAtStrings(row.before, row.spot), row.after);
            EXPECT_EQ(SpokenStringsNeckSpot(row.spot, row.before), row.spoken);
        }
    }

    // On six strings the clicks and the spoken spots are the photographed neck's, spot for spot.
    TEST(StringsNeckHitTest, SixStringsToggleAndSpeakAsTheGuitarNeck)
    {
        const Fingering held { -1, 3, 2, 0, 1, 0 };
        const StringFingering strings(held.begin(), held.end());
        for (int s = -1; s <= 6; ++s) {
            for (int fret = -1; fret <= 25; ++fret) {
                const NeckSpot spot { s, fret };
                SCOPED_TRACE(std::to_string(s) + ", " + std::to_string(fret));
                const Fingering toggled = ToggleAt(held, spot);
                EXPECT_EQ(ToggleAtStrings(strings, spot), StringFingering(toggled.begin(), toggled.end()));
                if (fret >= kAtNut) {
                    EXPECT_EQ(SpokenStringsNeckSpot(spot, strings), SpokenNeckSpot(spot, held));
                }
            }
        }
    }

} // namespace
} // namespace corvane
