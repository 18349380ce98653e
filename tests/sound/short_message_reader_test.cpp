#include "sound/short_message_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace corvane {
namespace {

    // Messages in, channel messages out, as text: "C0 04" or "90 28 64"; "-" where nothing completes.
    std::string ReadAll(const std::vector<std::uint32_t>& messages)
    {
        ShortMessageReader reader;
        std::string out;
        for (std::uint32_t message : messages) {
            if (!out.empty())
                out += " | ";
            const std::optional<ChannelMessage> m = reader.read(message);
            if (!m) {
                out += "-";
                continue;
            }
            char buffer[16];
            if (DataByteCount(m->status) == 1)
                std::snprintf(buffer, sizeof buffer, "%02X %02X", m->status, m->data1);
            else
                std::snprintf(buffer, sizeof buffer, "%02X %02X %02X", m->status, m->data1, m->data2);
            out += buffer;
        }
        return out;
    }

    struct Row {
        const char* name;
        std::vector<std::uint32_t> messages;
        const char* expected;
    };

    TEST(ShortMessageReader, ReadsLikeAMidiDevice)
    {
        const Row rows[] = {
            { "note on with its data", { 0x00642890 }, "90 28 64" },
            { "status-only program change then bare program", { 0x000000C0, 0x00000004 }, "C0 00 | C0 04" },
            { "bare note on status is key 0 at velocity 0", { 0x00000090 }, "90 00 00" },
            { "running note on takes bytes 0 and 1", { 0x00642890, 0x00007F2D }, "90 28 64 | 90 2D 7F" },
            { "one-byte message ignores bytes 2 and 3", { 0xFFFF05C3 }, "C3 05" },
            { "data byte with no running status", { 0x00000004 }, "-" },
            { "system message cancels running status", { 0x000000C0, 0x000000F2, 0x00000004 }, "C0 00 | - | -" },
            { "real-time message keeps running status", { 0x000000C0, 0x000000F8, 0x00000004 }, "C0 00 | - | C0 04" },
            { "status byte where a data byte belongs", { 0x0000FF90, 0x0000FFC0 }, "- | -" },
            { "pitch bend on channel 16", { 0x004000EF }, "EF 00 40" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(ReadAll(row.messages), row.expected);
        }
    }

    TEST(ShortMessageReader, PatchChangeLeavesRunningStatusAtNoteOn)
    {
        // The patch change ends on a bare 0x90, so a later bare key still reads as a Note On.
        EXPECT_EQ(ReadAll({ 0x000000C0, 0x00000018, 0x00000090, 0x00006428 }), "C0 00 | C0 18 | 90 00 00 | 90 28 64");
    }

} // namespace
} // namespace corvane
