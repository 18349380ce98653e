// corvane-cli songbook: the plan as JSON, songs that cannot be read named while the book is still
// made, setlists with their keys, and the PDF with its bookmarks and contents links.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_runner.h"

namespace {

const std::string kSongs = CORVANE_SONGS_DIR;
const std::string kBook = CORVANE_BOOK_DIR;

TEST(SongbookCli, ThePlanOfAFolder)
{
    const CliRun run = Cli("songbook '" + kSongs + "' '" + kBook + "' --two-sided --title 'Campfire' --format json");
    ASSERT_EQ(run.status, 0) << run.out;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["title"], "Campfire");
    ASSERT_EQ(json["songs"].size(), 11u);
    ASSERT_EQ(json["contents"].size(), 11u);
    EXPECT_EQ(json["contents"][0]["title"], "Amazing Grace");
    int last = 0;
    for (const auto& song : json["songs"]) {
        EXPECT_GT(song["firstPage"].get<int>(), last) << song["title"];
        last = song["firstPage"].get<int>() + song["pages"].get<int>() - 1;
        if (song["pages"] == 2) {
            EXPECT_EQ(song["firstPage"].get<int>() % 2, 0) << song["title"];
        }
        EXPECT_TRUE(std::filesystem::exists(song["file"].get<std::string>()));
    }
    EXPECT_EQ(json["pages"].get<int>(), last);
    EXPECT_FALSE(json["artists"].empty());
}

TEST(SongbookCli, WhatCannotBeReadIsNamed)
{
    const CliRun run = Cli("songbook '" + kSongs + "/swing_low.cho' /no/such/song.cho --format json", {}, true);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("/no/such/song.cho"), std::string::npos) << run.out;
    EXPECT_EQ(Cli("songbook /no/such/song.cho --format json").status, 2);
    EXPECT_EQ(Cli("songbook --format json").status, 2);
    EXPECT_EQ(Cli("songbook '" + kSongs + "' --instrument banjo --format json").status, 2);
}

TEST(SongbookCli, ASetlistInItsOrderAndKeys)
{
    const std::filesystem::path dir = testing::TempDir() + "songbook_cli_setlist";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "songs");
    for (const char* name : { "swing_low.cho", "amazing_grace.cho" })
        std::filesystem::copy_file(std::filesystem::path(kSongs) / name, dir / "songs" / name);
    std::ofstream(dir / "gig.setlist") << "corvane-setlist 1\ntitle Friday\n"
                                          "song songs/swing_low.cho\n  transpose 2\n  capo 2\n"
                                          "song songs/missing.cho\n"
                                          "song songs/amazing_grace.cho\n";
    const CliRun run = Cli("songbook --setlist '" + (dir / "gig.setlist").string() + "' --format json");
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["title"], "Friday");
    ASSERT_EQ(json["songs"].size(), 2u);
    EXPECT_EQ(json["songs"][0]["title"], "Swing Low, Sweet Chariot");
    EXPECT_EQ(json["songs"][1]["title"], "Amazing Grace");
    const CliRun said = Cli("songbook --setlist '" + (dir / "gig.setlist").string() + "' --format json", {}, true);
    EXPECT_NE(said.out.find("missing.cho"), std::string::npos);
    EXPECT_EQ(Cli("songbook --setlist '" + (dir / "none.setlist").string() + "' --format json").status, 2);
    std::filesystem::remove_all(dir);
}

#ifdef CORVANE_CLI_PDF
TEST(SongbookCli, ThePdfHasBookmarksAndLinks)
{
    const std::string path = testing::TempDir() + "songbook_cli.pdf";
    ASSERT_EQ(Cli("songbook '" + kSongs + "' --out '" + path + "'").status, 0);
    std::ifstream file(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("/Outlines"), std::string::npos);
    std::size_t links = 0;
    for (std::size_t at = pdf.find("/Subtype /Link"); at != std::string::npos; at = pdf.find("/Subtype /Link", at + 1))
        ++links;
    EXPECT_EQ(links, 15u) << "a link from each contents line: ten by title, five under their artists";

    // The update's cross-references point at the objects it wrote.
    const std::size_t xref = pdf.rfind("\nxref\n");
    ASSERT_NE(xref, std::string::npos);
    std::istringstream table(pdf.substr(xref + 6));
    std::size_t checked = 0;
    for (long number = 0, count = 0; table >> number >> count && count == 1; ++checked) {
        std::size_t offset = 0;
        std::string generation, kind;
        table >> offset >> generation >> kind;
        EXPECT_EQ(pdf.substr(offset, std::to_string(number).size() + 6), std::to_string(number) + " 0 obj");
    }
    EXPECT_GT(checked, links);
}
#endif

} // namespace
