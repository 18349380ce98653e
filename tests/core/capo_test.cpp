#include <gtest/gtest.h>

#include "guitar/refresh.h"
#include "guitar/tuning.h"
#include "theory/interval_list.h"

using namespace corvane;

namespace {

std::vector<std::string> RecordTexts(const std::string& intervals, int root, int bass, const Tuning& tuning, int capo)
{
    SearchOptions options;
    options.tuning = tuning;
    options.capo = capo;
    const RefreshInput input = ChordInput(intervals, root, bass, options);
    std::vector<std::string> texts;
    for (const VoicingRecord& record : ComputeRefresh(input).records)
        texts.push_back(record.Text());
    return texts;
}

} // namespace

// A capo on fret k turns the shapes of a chord k semitones lower into the chord itself: the sheet for
// root r with the capo is the sheet for root r - k without it, record for record and in order.
TEST(Capo, RecordsAreThoseOfTheChordTheCapoRaises)
{
    for (int preset : { 0, 7, 8 }) {
        const Tuning& tuning = kTuningPresets[static_cast<size_t>(preset)].pitchClasses;
        for (int capo = 1; capo <= kMaxCapo; ++capo) {
            for (int root = 0; root < 12; ++root) {
                SCOPED_TRACE(std::string(kTuningPresets[static_cast<size_t>(preset)].menuCaption) + ", capo "
                    + std::to_string(capo) + ", root " + std::to_string(root));
                const int lowered = (root - capo + 12) % 12;
                const auto withCapo = RecordTexts("00 04 07", root, root, tuning, capo);
                ASSERT_FALSE(withCapo.empty());
                ASSERT_EQ(withCapo, RecordTexts("00 04 07", lowered, lowered, tuning, 0));
            }
        }
    }
    // A bass apart from the root moves with it.
    for (int root = 0; root < 12; ++root) {
        SCOPED_TRACE(root);
        const int bass = (root + 4) % 12;
        EXPECT_EQ(RecordTexts("00 04 07 10", root, bass, kStandardTuning, 3),
            RecordTexts("00 04 07 10", (root + 9) % 12, (bass + 9) % 12, kStandardTuning, 0));
    }
}

TEST(Capo, StrumTableIsShiftedByTheCapo)
{
    const StringNotes notes = RebuildStringNotes(kStandardTuning);
    EXPECT_EQ(CapoStringNotes(notes, 0), notes);
    const StringNotes three = CapoStringNotes(notes, 3);
    for (size_t s = 0; s < 6; ++s) {
        for (size_t f = 0; f + 3 < kNeckFrets; ++f)
            EXPECT_EQ(three[s][f], notes[s][f + 3]);
        // Past the table the frets go on a semitone each.
        EXPECT_EQ(three[s][kNeckFrets - 1], notes[s][kNeckFrets - 1] + 3);
    }
    EXPECT_EQ(CapoStringNotes(notes, 11)[0][0], 51);
    EXPECT_EQ(CapoStringNotes(notes, 40), CapoStringNotes(notes, kMaxCapo));
    EXPECT_EQ(CapoTuning(kStandardTuning, 2), (Tuning { 6, 11, 4, 9, 1, 6 }));
}
