#pragma once
// A MidiPort that only writes down what it is given, in order, for tests and diagnostics.

#include "sound/midi_port.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class RecordingPort final : public MidiPort {
public:
    enum class Kind { Message, Volume, Pause };
    struct Entry {
        Kind kind;
        std::int64_t value; // the message, the volume, or the pause in milliseconds
        bool operator==(const Entry&) const = default;
    };

    void shortMessage(std::uint32_t message) override;
    void setVolume(std::uint32_t volume) override;
    void pause(int milliseconds) override;

    const std::vector<Entry>& entries() const { return m_entries; }
    std::vector<std::uint32_t> messages() const;
    std::vector<int> pauses() const;
    void clear() { m_entries.clear(); }

    // One line per entry: "send 0x00642890", "volume 0x0000FFFF", "pause 75".
    std::string text() const;

private:
    std::vector<Entry> m_entries;
};

std::string EntryText(const RecordingPort::Entry& entry);

} // namespace corvane
