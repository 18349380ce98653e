#include "sound/short_message_reader.h"

#include "sound/midi_constants.h"

namespace corvane {

int DataByteCount(std::uint8_t status)
{
    const std::uint8_t type = status & 0xF0;
    return type == midi::kProgramChange || type == midi::kChannelPressure ? 1 : 2;
}

std::optional<ChannelMessage> ShortMessageReader::read(std::uint32_t message)
{
    const auto byte = [message](int i) { return static_cast<std::uint8_t>(message >> (8 * i) & 0xFF); };
    const std::uint8_t first = byte(0);

    if (first >= midi::kRealTime)
        return std::nullopt;
    if (first >= midi::kSystemCommon) {
        m_runningStatus = 0;
        return std::nullopt;
    }

    std::uint8_t status = 0;
    std::uint8_t data[2] {};
    if (first & midi::kStatusBit) {
        status = first;
        m_runningStatus = first;
        data[0] = byte(1);
        data[1] = byte(2);
    } else {
        if (m_runningStatus == 0)
            return std::nullopt;
        status = m_runningStatus;
        data[0] = first;
        data[1] = byte(1);
    }

    const int count = DataByteCount(status);
    for (int i = 0; i < count; ++i) {
        if (data[i] & midi::kStatusBit)
            return std::nullopt;
    }
    return ChannelMessage { status, data[0], count == 2 ? data[1] : std::uint8_t { 0 } };
}

} // namespace corvane
