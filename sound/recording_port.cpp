#include "sound/recording_port.h"

#include <cstdio>

namespace corvane {

void RecordingPort::shortMessage(std::uint32_t message) { m_entries.push_back({ Kind::Message, message }); }

void RecordingPort::setVolume(std::uint32_t volume) { m_entries.push_back({ Kind::Volume, volume }); }

void RecordingPort::pause(int milliseconds) { m_entries.push_back({ Kind::Pause, milliseconds }); }

std::vector<std::uint32_t> RecordingPort::messages() const
{
    std::vector<std::uint32_t> out;
    for (const Entry& e : m_entries) {
        if (e.kind == Kind::Message)
            out.push_back(static_cast<std::uint32_t>(e.value));
    }
    return out;
}

std::vector<int> RecordingPort::pauses() const
{
    std::vector<int> out;
    for (const Entry& e : m_entries) {
        if (e.kind == Kind::Pause)
            out.push_back(static_cast<int>(e.value));
    }
    return out;
}

std::string EntryText(const RecordingPort::Entry& entry)
{
    char buffer[32];
    switch (entry.kind) {
    case RecordingPort::Kind::Message:
        std::snprintf(buffer, sizeof buffer, "send 0x%08X", static_cast<unsigned>(entry.value));
        break;
    case RecordingPort::Kind::Volume:
        std::snprintf(buffer, sizeof buffer, "volume 0x%08X", static_cast<unsigned>(entry.value));
        break;
    case RecordingPort::Kind::Pause:
        std::snprintf(buffer, sizeof buffer, "pause %lld", static_cast<long long>(entry.value));
        break;
    }
    return buffer;
}

std::string RecordingPort::text() const
{
    std::string out;
    for (const Entry& e : m_entries) {
        out += EntryText(e);
        out += '\n';
    }
    return out;
}

} // namespace corvane
