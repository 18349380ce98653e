#include "drawing/recording_canvas.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace corvane {
namespace {

    TEST(PictureTable, NamesAreUniqueAndSizesPositive)
    {
        std::set<std::string_view> names;
        for (const PictureInfo& info : kPictureTable) {
            SCOPED_TRACE(std::string(info.name));
            EXPECT_FALSE(info.name.empty());
            EXPECT_TRUE(names.insert(info.name).second) << "duplicate name";
            EXPECT_GT(info.width, 0);
            EXPECT_GT(info.height, 0);
        }
    }

    TEST(RecordingCanvas, TextFormHasOneLinePerCallAndEscapesQuotes)
    {
        RecordingCanvas canvas;
        canvas.drawPicture(Picture::NeckElectric, 0, -16);
        canvas.drawText(10, 3, "12");
        canvas.drawText(0, 0, R"(a"b\c)");
        EXPECT_EQ(canvas.text(), "picture neck-electric 0 -16\ntext 10 3 \"12\"\ntext 0 0 \"a\\\"b\\\\c\"\n");
        canvas.clear();
        EXPECT_EQ(canvas.text(), "");
    }

} // namespace
} // namespace corvane
