#pragma once
// Reads 32-bit short messages the way a MIDI device reads the bytes it receives, running status
// included, and yields the channel messages they complete.

#include <cstdint>
#include <optional>

namespace corvane {

struct ChannelMessage {
    std::uint8_t status; // message type in the high nibble, channel in the low one
    std::uint8_t data1;
    std::uint8_t data2; // 0 for the one-data-byte messages (program change, channel pressure)

    constexpr std::uint8_t type() const { return status & 0xF0; }
    constexpr int channel() const { return status & 0x0F; }
    bool operator==(const ChannelMessage&) const = default;
};

// 1 for program change and channel pressure, 2 for the other channel messages.
int DataByteCount(std::uint8_t status);

class ShortMessageReader {
public:
    // A message whose byte 0 is a status byte starts a channel message (and sets running status);
    // one whose byte 0 is a data byte continues the running status with bytes 0 and 1 as data.
    // System messages cancel running status and real-time ones leave it; neither yields anything,
    // nor does a data byte with no running status or a message whose data bytes are not data bytes.
    std::optional<ChannelMessage> read(std::uint32_t message);

private:
    std::uint8_t m_runningStatus = 0;
};

} // namespace corvane
